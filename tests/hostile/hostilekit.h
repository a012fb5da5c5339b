#pragma once
// What the hostile-host tests share: the two shipped skins packed once and
// switched between, dialogs built from an in-memory template, a popup menu
// finder, and a way to act from inside a modal loop (a timer of this thread,
// which every modal loop of the system dispatches).

#include "formtestkit.h"

#include "framework/streams.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarnivo::test {

// One child of a dialog template.
struct DialogItem {
    const char* ClassName;   // "BUTTON", "LISTBOX", ...
    const char* Text;
    WORD Id;
    DWORD Style;             // WS_CHILD | WS_VISIBLE are added
    short X, Y, Cx, Cy;      // dialog units
};

// A visible modeless "#32770" dialog of this module with the given children.
HWND MakeDialog(const char* caption, const std::vector<DialogItem>& items, DLGPROC proc,
                LPARAM param = 0);

// The popup-menu window of this thread that is showing, or null.
HWND ShowingPopup();

// Runs `open` (which starts a modal loop and returns when it ends); `inside`
// runs once from a timer inside that loop, as soon as `ready` holds, and
// must end the loop itself. Answers whether `inside` ran. A loop that is
// never ready is ended after `limitMs` by `end`.
bool InsideLoop(const std::function<void()>& open, const std::function<bool()>& ready,
                const std::function<void()>& inside, const std::function<void()>& end,
                int limitMs = 5000);

// The figures the program prints when it ends.
struct HostileFigures {
    int DestroyedInside = 0;     // windows destroyed from inside their own handlers
    int Recreated = 0;           // skinned windows recreated
    int LoopSwitches = 0;        // skin switches from inside a modal loop
    int Switches = 0;            // random skin switches
    int WindowsOpened = 0;       // windows opened and closed among them
    DWORD GdiBefore = 0, GdiAfter = 0, UserBefore = 0, UserAfter = 0;
};
HostileFigures& Figures();

class HostileTest : public SkinEngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads one of the shipped skins ("slate", "paper") into Data() and
    // carries out the switch at once, as the manager's timer would.
    void SwitchTo(const std::string& name);
    // Skinning off (and back on) at once.
    void SkinningOff();
    void SkinningOn();
    // Whether the window carries a skin object of this process.
    static bool Skinned(HWND window);
    // Frees the form objects of destroyed windows now (the manager's purge).
    void Settle();
};

} // namespace tarnivo::test
