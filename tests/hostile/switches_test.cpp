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
constexpr int MaxOpen = 3;
constexpr int Kinds = 3;

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
    Opened Open(unsigned kind)
    {
        Opened opened;
        switch (kind % Kinds) {
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
    // One random step; answers whether it switched skins (or skinning).
    auto step = [&] {
        const unsigned choice = random() % 10;
        if (choice < 2 && static_cast<int>(open.size()) < MaxOpen) {
            open.push_back(Open(random()));
            if (on)
                WaitSkinned(open.back().window, 2000);
            PumpFor(0);
            return false;
        }
        if (choice < 3 && !open.empty()) {
            const std::size_t index = random() % open.size();
            Close(open[index]);
            open.erase(open.begin() + static_cast<std::ptrdiff_t>(index));
            PumpFor(0);
            return false;
        }
        if (choice == 3) {
            on = !on;
            on ? SkinningOn() : SkinningOff();
        } else {
            SwitchTo(random() % 2 ? "slate" : "paper");
        }
        PumpFor(0);
        return true;
    };
    // First uses (fonts, caches, window classes) of every kind of window
    // in every state before the counts are taken.
    for (unsigned kind = 0; kind < Kinds; ++kind) {
        Opened shown = Open(kind);
        WaitSkinned(shown.window, 2000);
        SwitchTo("paper");
        SkinningOff();
        SwitchTo("slate");
        SkinningOn();
        Close(shown);
        SkinningOff();
        Opened reopened = Open(kind);
        SkinningOn();
        SwitchTo("paper");
        Close(reopened);
        SwitchTo("slate");
    }
    for (int i = 0; i < 60; ++i)
        step();
    // Every 250 switches every window is closed and the counts are taken
    // with the same skin loaded (the two skins hold different numbers of
    // bitmaps). Caches of the system and of the engine fill during the first
    // quarter; from then on the counts must stay put.
    auto checkpoint = [&] {
        while (!open.empty()) {
            Close(open.back());
            open.pop_back();
        }
        if (!on)
            SkinningOn();
        on = true;
        SwitchTo("slate");
        Settle();
        const GuiCounts counts = Counts();
        std::printf("[hostile] after %d switches: GDI %lu, USER %lu\n", Figures().Switches,
                    counts.gdi, counts.user);
        return counts;
    };
    GuiCounts first{};
    GuiCounts last{};
    while (Figures().Switches < Switches) {
        if (!step() || ++Figures().Switches % 250 != 0)
            continue;
        last = checkpoint();
        if (Figures().Switches == 250)
            first = last;
    }
    Figures().GdiBefore = first.gdi;
    Figures().GdiAfter = last.gdi;
    Figures().UserBefore = first.user;
    Figures().UserAfter = last.user;
    EXPECT_LE(last.gdi, first.gdi + 8);
    EXPECT_LE(last.user, first.user + 2);
    EXPECT_EQ(Manager().MenuCount(), 0);
}

} // namespace
} // namespace tarnivo::test
