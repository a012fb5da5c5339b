// A thousand random skin switches (and switches off and on) with windows of
// every kind opening and closing between them; the program's GDI and USER
// objects are back where they were afterwards.

#include "hostilekit.h"

#include "framework/controls/listbox.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tarnivo::test {
namespace {

constexpr unsigned Seed = 20201207;
constexpr int Switches = 1000;
constexpr int MaxOpen = 5;

INT_PTR CALLBACK PlainDialog(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

class ListForm : public TForm {
public:
    explicit ListForm(TComponent* owner) : TForm(owner)
    {
        auto* list = new TListBox(this);
        list->SetParent(this);
        list->SetBounds(10, 10, 160, 90);
        for (int i = 0; i < 30; ++i)
            list->Items().Add("Line " + std::to_string(i));
    }
};

// A window of some kind, closed by the test or left to the end.
struct Opened {
    HWND window = nullptr;
    std::unique_ptr<TForm> form;
};

class RandomSwitches : public HostileTest {
protected:
    Opened Open(std::mt19937& random)
    {
        Opened opened;
        switch (random() % 3) {
        case 0:
            opened.window = MakeWindow("Plain");
            break;
        case 1:
            opened.window = MakeDialog("Dialog", {{"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON, 20, 100, 50, 14},
                                                  {"EDIT", "text", 101, WS_BORDER, 20, 20, 100, 14},
                                                  {"BUTTON", "Check", 102, BS_AUTOCHECKBOX, 20, 40, 80, 12}},
                                       PlainDialog);
            break;
        default:
            opened.form.reset(MakeForm<ListForm>(nullptr));
            opened.form->SetBounds(80, 80, 260, 180);
            opened.form->Show();
            opened.window = opened.form->Handle();
            SetActiveWindow(opened.window);
            break;
        }
        ++Figures().WindowsOpened;
        return opened;
    }
    static void Close(Opened& opened)
    {
        if (opened.form)
            opened.form.reset();
        else
            DestroyWindow(opened.window);
    }
};

TEST_F(RandomSwitches, AThousandSwitchesWithWindowsComingAndGoing)
{
    std::printf("[hostile] random skin switches: seed %u\n", Seed);
    std::mt19937 random(Seed);
    std::vector<Opened> open;
    bool on = true;
    auto step = [&] {
        const unsigned choice = random() % 10;
        if (choice < 3 && static_cast<int>(open.size()) < MaxOpen) {
            open.push_back(Open(random));
            if (on)
                WaitSkinned(open.back().window, 2000);
        } else if (choice < 5 && !open.empty()) {
            const std::size_t index = random() % open.size();
            Close(open[index]);
            open.erase(open.begin() + static_cast<std::ptrdiff_t>(index));
        } else if (choice == 5) {
            on = !on;
            on ? SkinningOn() : SkinningOff();
        } else {
            SwitchTo(random() % 2 ? "slate" : "paper");
        }
        PumpFor(0);
    };
    // First uses (fonts, caches, classes) before the counts are taken.
    for (int i = 0; i < 40; ++i)
        step();
    while (!open.empty()) {
        Close(open.back());
        open.pop_back();
    }
    if (!on)
        SkinningOn();
    on = true;
    Settle();
    const GuiCounts before = Counts();

    for (int i = 0; i < Switches; ++i) {
        step();
        ++Figures().Switches;
    }
    while (!open.empty()) {
        Close(open.back());
        open.pop_back();
    }
    if (!on)
        SkinningOn();
    Settle();
    PumpFor(0);
    const GuiCounts after = Counts();
    Figures().GdiBefore = before.gdi;
    Figures().GdiAfter = after.gdi;
    Figures().UserBefore = before.user;
    Figures().UserAfter = after.user;
    EXPECT_LE(after.gdi, before.gdi + 16);
    EXPECT_LE(after.user, before.user + 4);
    EXPECT_EQ(Manager().MenuCount(), 0);
}

} // namespace
} // namespace tarnivo::test
