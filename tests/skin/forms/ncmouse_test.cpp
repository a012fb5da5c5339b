// The mouse in a skinned frame: hover and leave, press and release, double
// clicks, hit tests and the skinned system menu, through the messages the
// system sends a window.

#include "captiontestkit.h"

#include "skin/forms/captionbuttons.h"
#include "skin/forms/skinmessages.h"

#include "framework/menus.h"
#include "framework/windowshook.h"

#include <gtest/gtest.h>

#include <map>
#include <windowsx.h>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

// Counts the popup-menu windows the system makes and closes every menu soon
// after it opened, so that a modal menu loop started by a test ends.
class MenuWatch {
public:
    MenuWatch()
    {
        m_hook.Install(WH_CBT, [this](int code, WPARAM wParam, LPARAM lParam) {
            if (code == HCBT_CREATEWND) {
                char name[32] = {};
                GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
                if (std::string(name) == "#32768")
                    ++m_opened;
            }
            return m_hook.CallNext(code, wParam, lParam);
        });
        m_timer = SetTimer(nullptr, 0, 60, CloseMenu);
    }
    ~MenuWatch() { KillTimer(nullptr, m_timer); }
    int Opened() const { return m_opened; }

private:
    static void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }
    TWindowsHook m_hook;
    UINT_PTR m_timer = 0;
    int m_opened = 0;
};

class NCMouseTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        ASSERT_TRUE(LoadCaptionSkin(Data(), {{"CLOSE", 0, 1, 20, 4, 0, 0, 4},
                                             {"MAX", 1, 1, 40, 4, 0, 0, 3},
                                             {"HELP", 500, 1, 60, 4, 0, 0, 4},
                                             {"ICON", 3, 0, 6, 4, 0, 0, 1}}));
        PumpUntil([&] { return !Manager().ActionPending(); });
    }
    static TWinSysButton& Button(HWND window, int index)
    {
        return *SkinFormOf(window).SysButtons.at(static_cast<std::size_t>(index));
    }
    // A press and a release at points of the window.
    static void Click(HWND window, POINT down, POINT up)
    {
        SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(window, down));
        SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, ScreenLParam(window, up));
    }
    static LRESULT HitTest(HWND window, POINT inWindow)
    {
        return SendMessageA(window, WM_NCHITTEST, 0, ScreenLParam(window, inWindow));
    }
    static void CursorAt(HWND window, POINT inWindow)
    {
        const LPARAM p = ScreenLParam(window, inWindow);
        SetCursorPos(GET_X_LPARAM(p), GET_Y_LPARAM(p));
    }
};

const int kClose = 0, kMax = 1, kHelp = 2, kIcon = 3;

} // namespace

TEST_F(NCMouseTest, AHotButtonTurnsNormalOnTheTimerOnceTheCursorHasLeft)
{
    HWND window = MakeButtonWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    PaintFrame(window);
    const POINT c = Centre(Button(window, kClose).Rect);
    CursorAt(window, c);
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, c));
    ASSERT_EQ(form->HotObject, &Button(window, kClose));
    EXPECT_EQ(Pixel(*WindowPixels(window), c.x, c.y), ButtonColour(kClose, 3));
    // Several timer periods with the cursor still over it: it stays hot.
    PumpFor(700);
    EXPECT_EQ(form->HotObject, &Button(window, kClose));
    EXPECT_EQ(Button(window, kClose).State, 3);

    // Off the window altogether: no WM_NCMOUSEMOVE comes, the timer sees it.
    CursorAt(window, POINT{-30, -30});
    ClearReceived();
    EXPECT_TRUE(PumpUntil([&] { return form->HotObject == nullptr; }, 3000));
    EXPECT_EQ(Button(window, kClose).State, 1);
    EXPECT_EQ(Pixel(*WindowPixels(window), c.x, c.y), ButtonColour(kClose, 1));
    DestroyWindow(window);
}

TEST_F(NCMouseTest, AnInactiveWindowIgnoresTheMouseOverItsButtons)
{
    HWND window = MakeButtonWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    PaintFrame(window);
    SendMessageA(window, WM_NCACTIVATE, FALSE, 0);
    const POINT c = Centre(Button(window, kClose).Rect);
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, c));
    EXPECT_EQ(form->HotObject, nullptr);
    SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, c));
    EXPECT_EQ(form->HotObject, &Button(window, kClose));
    DestroyWindow(window);
}

TEST_F(NCMouseTest, PressAndReleaseOnOneButtonActsOnceOnAnotherNever)
{
    HWND window = MakeButtonWindow();
    PaintFrame(window);
    const POINT help = Centre(Button(window, kHelp).Rect);
    const POINT max = Centre(Button(window, kMax).Rect);

    Click(window, help, help);
    PumpFor(100);
    EXPECT_EQ(Recorded().clicks, 1);
    EXPECT_EQ(Recorded().clickAction, 500u);
    EXPECT_EQ(Button(window, kHelp).State, 3) << "released: hot";

    // Pressed on help, released on maximize: neither acts.
    Click(window, help, max);
    PumpFor(100);
    EXPECT_EQ(Recorded().clicks, 1);
    EXPECT_FALSE(IsZoomed(window));
    // Also when the mouse passed over maximize on the way (it was hot, not pressed).
    SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, ScreenLParam(window, help));
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, max));
    SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, ScreenLParam(window, max));
    PumpFor(100);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(Recorded().clicks, 1);

    // The release is consumed either way: the window's procedure never sees it.
    ClearReceived();
    Click(window, max, max);
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }, 2000));
    EXPECT_EQ(SkinFormOf(window).WindowState, swsMax);
    // The buttons moved with the wider window; the same button restores.
    PaintFrame(window);
    const POINT maxNow = Centre(Button(window, kMax).Rect);
    EXPECT_GT(maxNow.x, max.x);
    Click(window, maxNow, maxNow);
    EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(window); }, 2000));
    DestroyWindow(window);
}

TEST_F(NCMouseTest, CloseClosesOnlyAWindowWhoseSystemMenuHasClose)
{
    HWND window = MakeButtonWindow();
    PaintFrame(window);
    const POINT close = Centre(Button(window, kClose).Rect);
    ASSERT_TRUE(DeleteMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND));
    Click(window, close, close);
    PumpFor(200);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(Recorded().closes, 0);
    DestroyWindow(window);

    window = MakeButtonWindow();
    PaintFrame(window);
    Click(window, close, close);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 2000));
    EXPECT_EQ(Recorded().closes, 1);
}

TEST_F(NCMouseTest, DoubleClickOnTheTitleMaximizesAndRestoresOnAButtonDoesNothing)
{
    HWND window = MakeButtonWindow();
    PaintFrame(window);
    const LPARAM title = ScreenLParam(window, POINT{150, 12});
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, title);
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }, 2000));
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, title);
    EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(window); }, 2000));
    PaintFrame(window);
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION,
                 ScreenLParam(window, Centre(Button(window, kClose).Rect)));
    PumpFor(200);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsZoomed(window));
    DestroyWindow(window);

    // Without a maximize box a double click leaves the size alone.
    window = MakeButtonWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    SendMessageA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenLParam(window, POINT{150, 12}));
    PumpFor(200);
    EXPECT_FALSE(IsZoomed(window));
    DestroyWindow(window);
}

TEST_F(NCMouseTest, HitTestsAnswerCaptionInTheTitleAndMenuInTheBand)
{
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 100, "&File");
    HWND window = MakeButtonWindow(WS_OVERLAPPEDWINDOW, 300, bar);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_GT(form->MenuBarHeight, 0);
    PaintFrame(window);
    EXPECT_EQ(HitTest(window, POINT{150, 12}), HTCAPTION);
    EXPECT_EQ(HitTest(window, POINT{150, kTop - 1}), HTCAPTION);
    EXPECT_EQ(HitTest(window, Centre(Button(window, kClose).Rect)), HTCAPTION);
    EXPECT_EQ(HitTest(window, POINT{150, kTop + form->MenuBarHeight / 2}), HTMENU);
    EXPECT_EQ(HitTest(window, POINT{150, kTop + form->MenuBarHeight + 20}), HTCLIENT);
    // The system's own answers for the sizing borders stand.
    EXPECT_EQ(HitTest(window, POINT{1, 100}), HTLEFT);
    DestroyWindow(window);

    window = MakeButtonWindow();
    EXPECT_EQ(HitTest(window, POINT{150, kTop + 2}), HTCLIENT);
    DestroyWindow(window);
}

TEST_F(NCMouseTest, TwoRightClicksOnTheTitleWithinTheDoubleClickTimeOpenOneMenu)
{
    HWND window = MakeButtonWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    PaintFrame(window);
    MenuWatch menus;
    const LPARAM title = ScreenLParam(window, POINT{150, 12});
    SendMessageA(window, WM_NCRBUTTONDOWN, HTCAPTION, title);
    SendMessageA(window, WM_NCRBUTTONDOWN, HTCAPTION, title);
    EXPECT_EQ(menus.Opened(), 1);
    ASSERT_NE(form->SysMenuPopup, nullptr);
    // A right click elsewhere than the title is the system's.
    Sleep(form->DoubleClickTime + 50);
    SendMessageA(window, WM_NCRBUTTONDOWN, HTLEFT, title);
    EXPECT_EQ(menus.Opened(), 1);
    SendMessageA(window, WM_NCRBUTTONDOWN, HTCAPTION, title);
    EXPECT_EQ(menus.Opened(), 2);
    EXPECT_TRUE(IsWindow(window)) << "no caption button was hot";
    DestroyWindow(window);
}

TEST_F(NCMouseTest, TheIconButtonOpensTheMenuAndASecondClickSoonAfterClosesTheWindow)
{
    HWND window = MakeButtonWindow();
    PaintFrame(window);
    MenuWatch menus;
    const POINT icon = Centre(Button(window, kIcon).Rect);
    SendMessageA(window, WM_NCMOUSEMOVE, HTCAPTION, ScreenLParam(window, icon));
    Click(window, icon, icon);
    EXPECT_EQ(menus.Opened(), 1);
    EXPECT_TRUE(IsWindow(window));
    Click(window, icon, icon);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 2000));
    EXPECT_EQ(menus.Opened(), 1);
}

TEST_F(NCMouseTest, TheSystemMenuMirrorsTheWindowsMenuAndItsItemsPostTheirCommands)
{
    HWND window = MakeButtonWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    HMENU system = GetSystemMenu(window, FALSE);
    EnableMenuItem(system, SC_MOVE, MF_BYCOMMAND | MF_GRAYED);
    form->CreateSysmenu2();
    TPopupMenu* popup = form->SysMenuPopup;
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Tag(), 0x8235);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_EQ(popup->Images(), Data().MenuGlyphs());
    ASSERT_EQ(popup->Items()->Count(), GetMenuItemCount(system));
    std::map<int, TMenuItem*> byCommand;
    for (int i = 0; i < popup->Items()->Count(); ++i) {
        TMenuItem* item = popup->Items()->Items(i);
        EXPECT_EQ(static_cast<UINT>(item->Tag()), GetMenuItemID(system, i));
        byCommand[item->Tag()] = item;
    }
    ASSERT_TRUE(byCommand.count(SC_CLOSE) && byCommand.count(SC_MAXIMIZE) &&
                byCommand.count(SC_MINIMIZE) && byCommand.count(SC_RESTORE) &&
                byCommand.count(SC_MOVE));
    EXPECT_EQ(byCommand[SC_CLOSE]->ImageIndex(), 3);
    EXPECT_EQ(byCommand[SC_MAXIMIZE]->ImageIndex(), 1);
    EXPECT_EQ(byCommand[SC_MINIMIZE]->ImageIndex(), 2);
    EXPECT_EQ(byCommand[SC_RESTORE]->ImageIndex(), 0);
    EXPECT_TRUE(byCommand[SC_MAXIMIZE]->Enabled());
    EXPECT_FALSE(byCommand[SC_MINIMIZE]->Enabled()) << "no minimize box";
    EXPECT_FALSE(byCommand[SC_RESTORE]->Enabled()) << "the window is normal";
    EXPECT_FALSE(byCommand[SC_MOVE]->Enabled()) << "disabled in the window's own menu";
    EXPECT_TRUE(byCommand[SC_CLOSE]->Enabled());
    EXPECT_FALSE(byCommand[SC_CLOSE]->Caption().empty());

    byCommand[SC_MAXIMIZE]->Click();
    EXPECT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }, 2000));
    form->CreateSysmenu2();
    bool restoreEnabled = false;
    for (int i = 0; i < form->SysMenuPopup->Items()->Count(); ++i)
        if (form->SysMenuPopup->Items()->Items(i)->Tag() == SC_RESTORE)
            restoreEnabled = form->SysMenuPopup->Items()->Items(i)->Enabled();
    EXPECT_TRUE(restoreEnabled);

    for (int i = 0; i < form->SysMenuPopup->Items()->Count(); ++i)
        if (form->SysMenuPopup->Items()->Items(i)->Tag() == SC_CLOSE)
            form->SysMenuPopup->Items()->Items(i)->Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 2000));
}

TEST_F(NCMouseTest, TheFixedMenuListsTheBoxesTheWindowHas)
{
    HWND window = MakeButtonWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    form->CreateSysmenu();
    TPopupMenu* popup = form->SysMenuPopup;
    ASSERT_NE(popup, nullptr);
    std::vector<std::pair<std::string, int>> items;
    for (int i = 0; i < popup->Items()->Count(); ++i)
        items.emplace_back(popup->Items()->Items(i)->Caption(), popup->Items()->Items(i)->ImageIndex());
    const std::vector<std::pair<std::string, int>> expected = {
        {" Restore ", 0}, {" Minimize ", 2}, {"-", -1}, {" Close \tALT+F4", 3}};
    EXPECT_EQ(items, expected);
    popup->Items()->Items(3)->Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 2000));
    EXPECT_EQ(Recorded().closes, 1);
}
