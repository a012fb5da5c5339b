// Many windows and message boxes skinned and closed: no handle is left
// behind, and a skin whose images are missing or unusable still leaves
// every window working.

#include "formtestkit.h"

#include "skin/forms/skinmessages.h"

#include <gtest/gtest.h>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

using RobustnessTest = SkinEngineTest;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM out)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

// The message box on this thread, once it is skinned and started.
HWND SkinnedMessageBox()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&found));
    if (!found)
        return nullptr;
    TWinSkinForm* object = FindSkinForm(found);
    return object && object->SkinState == skinstate::Active ? found : nullptr;
}

int BoxesSkinned = 0;

// Presses OK in the message box as soon as it has been skinned.
void CALLBACK CloseBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND box = SkinnedMessageBox()) {
        ++BoxesSkinned;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

void OpenAndClose(int windows, int boxes)
{
    for (int i = 0; i < windows; ++i) {
        HWND window = MakeWindow("Cycle");
        ASSERT_NE(WaitSkinned(window), nullptr) << "window " << i;
        DestroyWindow(window);
    }
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseBox);
    for (int i = 0; i < boxes; ++i)
        MessageBoxA(nullptr, "Skinned box", "Box", MB_OK);
    KillTimer(nullptr, timer);
    PumpFor(0);
}

// A window that answers each WM_APP by posting another, so that its queue
// never empties (as when Wine passes the activation back and forth between
// two windows for ever); counts what it answered.
int Echoes = 0;
LRESULT CALLBACK EchoProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_APP) {
        ++Echoes;
        PostMessageA(window, WM_APP, 0, 0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace

TEST(TestKitPumpUntil, AQueueThatNeverEmptiesStillEndsAtTheLimit)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = EchoProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarnivoEchoWindow";
    RegisterClassA(&wc);
    HWND echo = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(echo, nullptr);
    Echoes = 0;
    PostMessageA(echo, WM_APP, 0, 0);
    bool looked = false;
    EXPECT_FALSE(PumpUntil(
        [&] {
            looked = Echoes > 0;
            return false;
        },
        50));
    EXPECT_TRUE(looked) << "the condition was asked between rounds of messages";
    DestroyWindow(echo);
    PumpFor(0);
}

TEST_F(RobustnessTest, FiveHundredWindowsAndTwoHundredBoxesLeaveNoHandleBehind)
{
    // The counts see what is made and freed.
    const GuiCounts probe = Counts();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menu = CreateMenu();
    const GuiCounts more = Counts();
    EXPECT_EQ(more.gdi, probe.gdi + 1);
    EXPECT_EQ(more.user, probe.user + 1);
    DeleteObject(brush);
    DestroyMenu(menu);
    EXPECT_EQ(Counts().gdi, probe.gdi);

    // The manager frees the objects of destroyed windows at its next pass.
    auto purge = [&] {
        Manager().SetCurrentSkin(&Data());
        Manager().PendingAction = saPurge;
        Manager().OnTimer();
        EXPECT_EQ(Manager().FormCount(), 0);
    };
    // One round first, so that what is made once per process (classes,
    // cached fonts, the hook) is not counted as a leak.
    OpenAndClose(1, 1);
    purge();
    const GuiCounts before = Counts();
    BoxesSkinned = 0;
    OpenAndClose(500, 200);
    EXPECT_EQ(BoxesSkinned, 200);
    purge();
    const GuiCounts after = Counts();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

TEST_F(RobustnessTest, ABrokenSkinFallsBackToTheSystemLookPartByPart)
{
    // No top image (a name that is not in the archive), a left image that
    // is not a bitmap, a right image of zero frames, a bottom whose frame
    // count is larger than its height.
    const std::string ini =
        "[Personality]\nTop=missing.bmp\nLeft=left.bmp\nRight=right.bmp\nRightFrame=0\n"
        "Bottom=bottom.bmp\nBottomFrame=50\n[Colours]\nButtonFace=1 2 3\n";
    ASSERT_TRUE(LoadSkin(Data(), ini,
                         {{"left.bmp", "BM this is no bitmap"},
                          {"right.bmp", Bmp(6, 20, kRightActive)},
                          {"bottom.bmp", Bmp(40, 7, kBottomActive)}}));
    PumpUntil([&] { return !Manager().ActionPending(); });
    HWND window = MakeWindow("Broken skin");
    TWinSkinForm* object = WaitSkinned(window);
    ASSERT_NE(object, nullptr);
    // Every message still gets its answer, painting included.
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    SendMessageA(window, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    auto frame = PaintFrame(window);
    const TSize size = WindowSize(window);
    // The missing title is the system's caption: something is drawn there.
    if (object->BorderTop > 0) {
        EXPECT_NE(Pixel(*frame, size.cx / 2, object->BorderTop / 2), kMagenta);
    }
    SetWindowTextA(window, "Still alive");
    char text[32] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "Still alive");
    SetWindowPos(window, nullptr, 0, 0, 250, 180, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowSize(window).cx, 250);
    EXPECT_EQ(SendMessageA(window, WM_ISSKINNED, 0, 0), 1);
    DestroyWindow(window);
}
