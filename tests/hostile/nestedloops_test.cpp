// Skins switched, and skinning switched off, from inside modal loops that run
// in the middle of a skinned window's own message: the system menu's loop
// (inside WM_SYSCOMMAND), the system's scroll loop (inside the press that the
// scroll-bar overlay passes on as WM_NCLBUTTONDOWN) and a popup menu's loop.
// A timer of this thread, which those loops dispatch, fires the switch and
// then ends the loop.

#include "hostilekit.h"

#include "skin/controls/scrollbaroverlay.h"
#include "skin/controls/skinscrollbar.h"
#include "skin/forms/skinmessages.h"

#include "framework/controls/listbox.h"
#include "framework/form.h"
#include "framework/menus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tarnivo::test {
namespace {

class NestedLoops : public HostileTest {};

TEST_F(NestedLoops, SkinningOffInsideTheSystemMenusLoop)
{
    for (const bool off : {false, true}) {
        HWND window = MakeWindow("System menu");
        TWinSkinForm* object = WaitSkinned(window);
        ASSERT_NE(object, nullptr);
        ASSERT_TRUE(object->SkinFrame);
        // Alt+Space: the skinned system menu opens inside WM_SYSCOMMAND.
        const bool ran = InsideLoop(
            [&] { SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' '); },
            [] { return ShowingPopup() != nullptr; },
            [&] {
                ++Figures().LoopSwitches;
                SwitchTo(off ? "paper" : "slate");
                if (off)
                    SkinningOff();
                EndMenu();
            },
            [] { EndMenu(); });
        EXPECT_TRUE(ran) << "the system menu showed";
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(Skinned(window), !off);
        // The window still answers and paints.
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(SendMessageA(window, WM_NULL, 0, 0), 0);
        DestroyWindow(window);
        Settle();
        SkinningOn();
    }
}

class ListForm : public TForm {
public:
    explicit ListForm(TComponent* owner) : TForm(owner)
    {
        List = new TListBox(this);
        List->SetParent(this);
        List->SetBounds(10, 10, 200, 120);
        for (int i = 0; i < 60; ++i)
            List->Items().Add("Entry " + std::to_string(i));
    }
    TListBox* List;
};

// The overlay over the list's vertical bar, once the form is skinned.
TWScrollbar* VerticalOverlay(TWinSkinForm& object, HWND list)
{
    for (TSkinControlLink* link : object.Controls)
        if (link->ControlHandle() == list)
            if (auto* skin = dynamic_cast<TSkinScrollbar*>(link))
                return skin->VertBar();
    return nullptr;
}

HWND g_list = nullptr;

TEST_F(NestedLoops, SkinsSwitchedWhileAScrollBarIsDragged)
{
    for (const bool off : {false, true}) {
        std::unique_ptr<ListForm> form(MakeForm<ListForm>(nullptr));
        form->SetBounds(60, 60, 320, 220);
        form->Show();
        SetActiveWindow(form->Handle());
        TWinSkinForm* object = WaitSkinned(form->Handle());
        ASSERT_NE(object, nullptr);
        HWND list = form->List->Handle();
        TWScrollbar* bar = VerticalOverlay(*object, list);
        ASSERT_NE(bar, nullptr) << "the list's bar is skinned";
        ASSERT_TRUE(PumpUntil([&] { return bar->Shown(); }));
        RECT overlay{};
        GetWindowRect(bar->Handle(), &overlay);
        // A press on the lower arrow: the system's scroll loop runs inside it.
        const POINT down{(overlay.right - overlay.left) / 2, overlay.bottom - overlay.top - 3};
        g_list = list;
        const bool ran = InsideLoop(
            [&] { SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y)); },
            [] { return true; },
            [&] {
                ++Figures().LoopSwitches;
                SwitchTo(off ? "slate" : "paper");
                if (off)
                    SkinningOff();
                PostMessageA(g_list, WM_LBUTTONUP, 0, 0);
            },
            [] { PostMessageA(g_list, WM_LBUTTONUP, 0, 0); });
        EXPECT_TRUE(ran) << "the scroll loop ran";
        EXPECT_EQ(Skinned(form->Handle()), !off);
        EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0) << "the press scrolled the list";
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(0);
        form.reset();
        Settle();
        SkinningOn();
    }
}

class PopupForm : public TForm {
public:
    explicit PopupForm(TComponent* owner) : TForm(owner)
    {
        Popup = new TPopupMenu(this);
        for (const char* caption : {"One", "Two", "Three"}) {
            auto* item = new TMenuItem(this);
            item->SetCaption(caption);
            Popup->Items()->Add(item);
        }
    }
    TPopupMenu* Popup;
};

TEST_F(NestedLoops, SkinsSwitchedWhileAPopupMenuIsOpen)
{
    std::unique_ptr<PopupForm> form(MakeForm<PopupForm>(nullptr));
    form->SetBounds(60, 60, 320, 220);
    form->Show();
    SetActiveWindow(form->Handle());
    ASSERT_NE(WaitSkinned(form->Handle()), nullptr);
    for (int round = 0; round < 4; ++round) {
        const bool ran = InsideLoop(
            [&] { form->Popup->Popup(100, 100); },
            [] { return ShowingPopup() != nullptr; },
            [&] {
                ++Figures().LoopSwitches;
                UpdateWindow(ShowingPopup());
                SwitchTo(round % 2 ? "slate" : "paper");
                RedrawWindow(ShowingPopup(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                if (round == 3)
                    SkinningOff();
                EndMenu();
            },
            [] { EndMenu(); });
        EXPECT_TRUE(ran) << "round " << round;
    }
    EXPECT_FALSE(Skinned(form->Handle()));
    PumpFor(0);
    form.reset();
}

} // namespace
} // namespace tarnivo::test
