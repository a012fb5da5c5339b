// Forms with the standard controls on them: client size with a menu bar
// and with a frame drawn by someone else, the window state, a modal form
// ended by its button.

#include "framework/controls/button.h"
#include "framework/menus.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;

SIZE Client(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

class FormLayout : public FormTest {
protected:
    TMainMenu* MenuWith(std::initializer_list<const char*> captions)
    {
        auto* menu = new TMainMenu(form.get());
        for (const char* caption : captions) {
            auto* item = new TMenuItem(form.get());
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        return menu;
    }
};

TEST_F(FormLayout, ClientSizeIsExactWhicheverComesFirstMenuOrWindow)
{
    form->SetBorderStyle(bsSingle);
    form->SetClientSize(580, 276);
    form->SetMenu(MenuWith({"File", "Help"}));
    HWND window = form->Handle();
    ASSERT_NE(GetMenu(window), nullptr);
    EXPECT_EQ(Client(window).cx, 580);
    EXPECT_EQ(Client(window).cy, 276);

    // A menu set on the live window takes its height from the frame.
    form->SetMenu(nullptr);
    EXPECT_EQ(Client(window).cy, 276);
    form->SetMenu(MenuWith({"File"}));
    EXPECT_EQ(Client(window).cy, 276);
    EXPECT_EQ(form->ClientHeight(), 276);
}

TEST_F(FormLayout, ClientSizeIsExactWithAWrappedMenuBar)
{
    form->SetBorderStyle(bsSingle);
    form->SetMenu(MenuWith({"Refresh", "Exit", "Help", "About", "Options", "Window"}));
    form->SetClientSize(120, 80);
    ShowForm();
    EXPECT_EQ(Client(form->Handle()).cx, 120);
    EXPECT_EQ(Client(form->Handle()).cy, 80);
}

TEST_F(FormLayout, ClientSizeMeasuresAFrameThatIsNotTheStyles)
{
    form->SetBorderStyle(bsSizeable);
    HWND window = form->Handle();
    // Borders as a skin engine would answer WM_NCCALCSIZE: 7 left, 30 top,
    // 9 right, 11 bottom; the system's sizeable frame is thinner.
    TWindowProcHook frame;
    frame = TWindowProcHook(*form, [&](TMessage& m) {
        if (m.Msg != WM_NCCALCSIZE) {
            frame.CallNext(m);
            return;
        }
        auto* r = reinterpret_cast<RECT*>(m.LParam);   // both forms start with it
        r->left += 7;
        r->top += 30;
        r->right -= 9;
        r->bottom -= 11;
        m.Result = 0;
    });
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT styled{0, 0, 300, 200};
    AdjustWindowRectEx(&styled, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    ASSERT_NE(RectHeight(styled), 200 + 41);   // else the test proves nothing

    for (auto [w, h] : {std::pair{300, 200}, std::pair{123, 45}, std::pair{640, 20}}) {
        form->SetClientSize(w, h);
        EXPECT_EQ(Client(window).cx, w);
        EXPECT_EQ(Client(window).cy, h);
        RECT outer;
        GetWindowRect(window, &outer);
        EXPECT_EQ(RectWidth(outer), w + 16);
        EXPECT_EQ(RectHeight(outer), h + 41);
        EXPECT_EQ(form->ClientWidth(), w);
        EXPECT_EQ(form->ClientHeight(), h);
    }
    frame.Remove();
}

TEST_F(FormLayout, ClientSizeSetWhileMinimizedHoldsOnceRestored)
{
    form->SetBorderStyle(bsSizeable);
    ShowForm();
    form->SetWindowState(wsMinimized);
    ASSERT_TRUE(IsIconic(form->Handle()));
    form->SetClientSize(250, 150);
    form->SetWindowState(wsNormal);
    EXPECT_EQ(Client(form->Handle()).cx, 250);
    EXPECT_EQ(Client(form->Handle()).cy, 150);
}

TEST_F(FormLayout, WindowStateRoundTripsThroughTheWindow)
{
    // Set on a hidden form: kept, and applied when the form shows.
    form->SetWindowState(wsMaximized);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    ShowForm();
    HWND window = form->Handle();
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(form->WindowState(), wsMaximized);

    struct Step {
        TWindowState set;
        bool iconic, zoomed;
    };
    for (Step step : {Step{wsNormal, false, false}, Step{wsMinimized, true, false},
                      Step{wsMaximized, false, true}, Step{wsMinimized, true, false},
                      Step{wsNormal, false, false}, Step{wsNormal, false, false}}) {
        form->SetWindowState(step.set);
        EXPECT_EQ(form->WindowState(), step.set);
        EXPECT_EQ(IsIconic(window) != FALSE, step.iconic) << step.set;
        EXPECT_EQ(IsZoomed(window) != FALSE, step.zoomed) << step.set;
        EXPECT_TRUE(IsWindowVisible(window));
    }

    // Changed by the user (system commands): read from the window.
    SendMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(GetEnumProp(*form, "WindowState"), "wsMaximized");
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(form->WindowState(), wsNormal);
    SetEnumProp(*form, "WindowState", "wsMinimized");
    EXPECT_TRUE(IsIconic(window));

    // Hidden again, a new state waits for the next showing.
    form->Hide();
    form->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsIconic(window));
    form->Show();
    EXPECT_TRUE(IsZoomed(window));
}

class ModalForm : public FormTest {
protected:
    static void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        if (Waiting)
            Waiting->SetModalResult(TimedOut);
    }
    int RunModal(std::function<void()> whileShown)
    {
        Waiting = form.get();
        UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp);
        form->OnShow = [&](TObject*) { whileShown(); };
        int result = form->ShowModal();
        KillTimer(nullptr, timer);
        Waiting = nullptr;
        return result;
    }
    TButton* OkButton()
    {
        auto* button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetCaption("OK");
        button->SetModalResult(mrOk);
        return button;
    }
    static constexpr int TimedOut = 999;
    static inline TForm* Waiting = nullptr;
};

TEST_F(ModalForm, ClickOnTheButtonEndsTheLoopWithItsModalResult)
{
    TButton* ok = OkButton();
    int clicks = 0;
    ok->OnClick = [&](TObject*) {
        ++clicks;
        EXPECT_EQ(form->ModalResult(), mrOk);   // set before the handler runs
    };
    int result = RunModal([&] { PostMessageA(ok->Handle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(ModalForm, EnterOnTheFocusedButtonEndsTheLoop)
{
    TButton* ok = OkButton();
    int result = RunModal([&] {
        PostMessageA(ok->Handle(), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(ok->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    });
    EXPECT_EQ(result, mrOk);
}

TEST_F(ModalForm, ReturningFromItIsNoNewActivationOfTheFormBelow)
{
    std::unique_ptr<TForm> below(MakeForm<TForm>(nullptr));
    below->SetBounds(60, 60, 300, 200);
    int activations = 0;
    below->OnActivate = [&](TObject*) { ++activations; };
    below->Show();
    test::Pump();
    ASSERT_EQ(GetActiveWindow(), below->Handle());
    ASSERT_EQ(activations, 1);

    TButton* ok = OkButton();
    EXPECT_EQ(RunModal([&] { PostMessageA(ok->Handle(), BM_CLICK, 0, 0); }), mrOk);
    test::Pump();
    EXPECT_EQ(GetActiveWindow(), below->Handle());
    EXPECT_EQ(activations, 1);

    // Coming from another form that is not modal is an activation.
    std::unique_ptr<TForm> other(MakeForm<TForm>(nullptr));
    other->SetBounds(100, 100, 200, 100);
    other->Show();
    test::Pump();
    ASSERT_EQ(GetActiveWindow(), other->Handle());
    SetActiveWindow(below->Handle());
    test::Pump();
    EXPECT_EQ(activations, 2);
}

} // namespace
} // namespace tarnivo
