// Windows destroyed from inside their own handlers: a dialog closed by its
// own button (the button's skin is freed while the button's message is
// still being handled), a plain window destroyed from a child's click, a
// popup menu whose owner is destroyed while it shows, an MDI child closed by
// its own button.

#include "hostilekit.h"

#include "skin/forms/skinmessages.h"

#include "framework/form.h"

#include <gtest/gtest.h>


namespace tarnivo::test {
namespace {

int& g_destroyedInside = Figures().DestroyedInside;

// Cancel destroys the dialog from inside the button's BN_CLICKED.
INT_PTR CALLBACK CancelDestroys(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(dialog);
        ++g_destroyedInside;
        return TRUE;
    }
    return msg == WM_INITDIALOG;
}

// Space on the button: WM_KEYDOWN presses it, WM_KEYUP clicks it.
void PressSpace(HWND button)
{
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(button, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
}

class DestroyedInside : public HostileTest {};

TEST_F(DestroyedInside, DialogClosedByItsOwnFocusedButton)
{
    // Every round also covers the first one's first-use allocations.
    for (int round = 0; round < 5; ++round) {
        HWND dialog = MakeDialog("Closing", {{"BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 60, 100, 60, 14},
                                            {"BUTTON", "Other", 100, BS_PUSHBUTTON, 130, 100, 60, 14}},
                                 CancelDestroys);
        ASSERT_NE(dialog, nullptr);
        ASSERT_NE(WaitSkinned(dialog), nullptr);
        HWND button = GetDlgItem(dialog, IDCANCEL);
        ASSERT_TRUE(Skinned(button)) << "the button wears a skin";
        SetFocus(button);
        const int before = g_destroyedInside;
        PressSpace(button);
        EXPECT_EQ(g_destroyedInside, before + 1);
        EXPECT_FALSE(IsWindow(dialog));
        Settle();
        EXPECT_EQ(FindSkinForm(dialog), nullptr);
    }
}

// A plain window whose child button's click destroys it.
LRESULT CALLBACK DestroyOnCommand(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        DestroyWindow(window);
        ++g_destroyedInside;
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

TEST_F(DestroyedInside, PlainWindowDestroyedFromItsChildsClick)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DestroyOnCommand;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TarnivoHostileDestroyOnCommand";
    RegisterClassA(&wc);
    HWND window = MakeWindow("Plain", WS_OVERLAPPEDWINDOW, 0, 300, 200, wc.lpszClassName);
    ASSERT_NE(WaitSkinned(window), nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                  10, 80, 24, window, reinterpret_cast<HMENU>(1),
                                  GetModuleHandleA(nullptr), nullptr);
    FindSkinForm(window)->AddControlh(button);
    ASSERT_TRUE(Skinned(button));
    PressSpace(button);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(DestroyedInside, PopupMenuWhoseOwnerIsDestroyedWhileItShows)
{
    HWND owner = MakeWindow("Owner");
    ASSERT_NE(WaitSkinned(owner), nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "First");
    AppendMenuA(menu, MF_STRING, 2, "Second");
    HWND shown = nullptr;
    const bool ran = InsideLoop(
        [&] {
            SetForegroundWindow(owner);
            TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr);
        },
        [] { return ShowingPopup() != nullptr; },
        [&] {
            shown = ShowingPopup();
            UpdateWindow(shown);
            DestroyWindow(owner);
            ++g_destroyedInside;
            EndMenu();
        },
        [] { EndMenu(); });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(IsWindow(owner));
    PumpFor(0);
    EXPECT_EQ(Manager().MenuCount(), 0);
    DestroyMenu(menu);
}

// A raw MDI child with a button that closes the child from its click.
LRESULT CALLBACK ClosingChild(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        ++g_destroyedInside;
        return 0;
    }
    return DefMDIChildProcA(window, msg, wParam, lParam);
}

TEST_F(DestroyedInside, MdiChildClosedByItsOwnButton)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ClosingChild;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TarnivoHostileClosingChild";
    RegisterClassA(&wc);
    std::unique_ptr<TForm> frame(MakeForm<TForm>(nullptr));
    frame->SetBounds(40, 40, 520, 400);
    frame->SetFormStyle(fsMDIForm);
    frame->Show();
    SetActiveWindow(frame->Handle());
    ASSERT_NE(WaitSkinned(frame->Handle()), nullptr);
    HWND client = frame->ClientHandle();
    for (int i = 0; i < 3; ++i) {
        MDICREATESTRUCTA create{};
        create.szClass = wc.lpszClassName;
        create.szTitle = "Child";
        create.hOwner = GetModuleHandleA(nullptr);
        create.x = 10 + 20 * i;
        create.y = 10 + 20 * i;
        create.cx = 200;
        create.cy = 150;
        auto child = reinterpret_cast<HWND>(
            SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
        ASSERT_NE(child, nullptr);
        ASSERT_NE(WaitSkinned(child), nullptr);
        HWND button = CreateWindowExA(0, "BUTTON", "Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      10, 10, 80, 24, child, reinterpret_cast<HMENU>(1),
                                      GetModuleHandleA(nullptr), nullptr);
        FindSkinForm(child)->AddControlh(button);
        ASSERT_TRUE(Skinned(button));
        PressSpace(button);
        EXPECT_FALSE(IsWindow(child));
        Settle();
    }
    frame.reset();
}

} // namespace
} // namespace tarnivo::test
