// The mouse in a skinned frame: hit tests, and the non-client mouse messages
// that move the caption buttons between normal, hot and pressed and run
// their actions.
//
// The system never sees a press on one of our buttons (the message is
// consumed), so it takes no capture: a release outside the window arrives
// nowhere, and the hover timer (OnTimer) puts a button back to normal once
// the cursor has left it, whether or not another WM_NCMOUSEMOVE comes.

#include "captionbuttons.h"
#include "menuband.h"

#include "framework/menus.h"

#include <windowsx.h>

namespace tarnivo {

namespace {

POINT ScreenPoint(const TMessage& m)
{
    return POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
}

} // namespace

void TWinSkinForm::WMNCHitTest(TMessage& m)
{
    Default(m);
    RECT window{};
    GetWindowRect(Handle, &window);
    const int y = GET_Y_LPARAM(m.LParam) - window.top;
    // With the native menu bar attached the system answers HTMENU below its
    // own caption height, which may still be inside the skin's title bar.
    if (m.Result == HTMENU && y <= BorderTop)
        m.Result = HTCAPTION;
    if (m.Result != HTNOWHERE && m.Result != HTCAPTION)
        return;
    if (y > 3)
        m.Result = HTCAPTION;
    if (y > BorderTop && MenuBarHeight > 0)
        m.Result = HTMENU;
}

void TWinSkinForm::WMNCMouseMove(TMessage& m)
{
    // An inactive window shows no hot buttons; nobody else sees the move.
    if (!Active) {
        m.Result = 0;
        return;
    }
    const POINT screen = ScreenPoint(m);
    const POINT point = GetWinXY(screen.x, screen.y);
    TNCObject* found = FindBtn(point);
    if (!found)
        found = FindMenuBtn(point);
    if (found) {
        found->MouseEnter();
        m.Result = 0;
        return;
    }
    if (HotObject)
        HotObject->MouseLeave();
    HotObject = nullptr;
    Default(m);
}

void TWinSkinForm::WMNCLButtonDown(TMessage& m)
{
    const POINT screen = ScreenPoint(m);
    const POINT point = GetWinXY(screen.x, screen.y);
    TNCObject* found = FindBtn(point);
    if (!found)
        found = FindMenuBtn(point);
    if (found) {
        if (!Active)
            SetForegroundWindow(Handle);
        found->MouseDown();
        m.Result = 0;
        if (auto* button = dynamic_cast<TMenuBtn*>(found)) {
            // The drop-down's loop runs inside this call; the button stays
            // hot until the mouse leaves it.
            const TLiveToken alive = LiveToken();
            CheckMenu(button);
            if (alive && MenuBar)
                HotObject = nullptr;
        }
        return;
    }
    // A maximized window is not dragged by its title.
    if (WindowState == swsMax && Active && m.WParam == HTCAPTION)
        m.WParam = HTMENU;
    Default(m);
}

void TWinSkinForm::WMNCLButtonUp(TMessage& m)
{
    const POINT screen = ScreenPoint(m);
    const POINT point = GetWinXY(screen.x, screen.y);
    TWinSysButton* button = FindBtn(point);
    if (button) {
        // Only the button that was pressed acts: one that became hot on the
        // way (press on one, release on another) does nothing.
        if (HotObject == button && button->State == 2) {
            button->MouseUp();
            SysBtnAction(screen.x, screen.y);
        }
        m.Result = 0;
        return;
    }
    if (FindMenuBtn(point)) {
        m.Result = 0;
        return;
    }
    Default(m);
}

void TWinSkinForm::WMNCLBUTTONDBLCLK(TMessage& m)
{
    const POINT screen = ScreenPoint(m);
    if (TWinSysButton* button = FindBtn(GetWinXY(screen.x, screen.y))) {
        // A double click on the window icon closes the window.
        if (ShowsWindowIcon(button->Element->Action)) {
            if (HoverTimer)
                HoverTimer->SetEnabled(false);
            PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        m.Result = 0;
        return;
    }
    if (WindowState != swsNormal) {
        Restore();
        m.Result = 0;
    } else if (Icons.Contains(sbiMax)) {
        Maximize();
        m.Result = 0;
    } else {
        Default(m);
    }
}

void TWinSkinForm::WMNCRButtonUp(TMessage& m)
{
    if (m.WParam == HTCAPTION && FormStyle != sfsMDIChild) {
        PopSysmenu(ScreenPoint(m));
        m.Result = 0;
        return;
    }
    Default(m);
}

} // namespace tarnivo
