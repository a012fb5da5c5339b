// The two message tables of a skinned window.
//
// WinWndProc replaces the window procedure; NewWndProc sits in a framework
// form's WindowProc chain, where it sees messages before the framework
// dispatches them. WinWndProc works in stages: stage 0 swallows WM_NCPAINT
// until CN_SkinActive has run, so the window never shows the system frame
// while it waits; stage 1 serves every skinned window; stage 2 and stage 3
// serve windows whose frame the engine paints (stage 3 not for a maximized
// MDI child, whose frame the MDI parent's menu band replaces).

#include "winskinform.h"

#include "menuband.h"
#include "menuitemhandlers.h"

#include "skinmanager.h"
#include "skinmessages.h"

#include "skin/controls/skintrackbar.h"

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menus.h"
#include "framework/ownmessages.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace tarnivo {

namespace {

// The undocumented message Windows XP and later send to repaint a caption
// themselves; it would draw the system caption over ours.
constexpr UINT WM_NCUAHDRAWCAPTION = 0x00AE;

TSkinManage* Manager()
{
    return SkinManage();
}

} // namespace

void TWinSkinForm::Default(TMessage& message)
{
    m_subclass.CallPrevious(message);
}

// An exception from a handler is caught by the subclass mechanism, which then
// lets the previous procedure answer; painting catches its own.
void TWinSkinForm::WinWndProc(TMessage& message)
{
    TReleaseGuard::TScope scope(m_guard);
    Dispatch(message);
}

void TWinSkinForm::Dispatch(TMessage& message)
{
    // The framework's notice numbers (CN_NOTIFY, which is also the
    // after-skin notice, CM_MENUCHANGED) are acted on only when the program
    // sent them itself; anything else goes on to the window untouched.
    if (IsFrameworkNotice(message.Msg) && !IsOwnMessage(Handle, message)) {
        Default(message);
        return;
    }
    if (SkinState == skinstate::Created && message.Msg == WM_NCPAINT) {
        message.Result = 0;
        return;
    }
    if (Stage1(message))
        return;
    if (!SkinFrame || (ChildWindow && FormStyle != sfsMDIChild)) {
        Default(message);
        return;
    }
    const TLiveToken alive = m_guard.Token();
    const bool handled = Stage2(message);
    // A stage-2 handler may have run a loop (the system menu, a move or
    // size loop) in which the window was unskinned: the rest is not ours.
    if (!alive) {
        if (!handled)
            Default(message);
        return;
    }
    if (!MaximizedMDIChild() && SkinState != skinstate::Created && Stage3(message))
        return;
    if (!handled)
        Default(message);
}

bool TWinSkinForm::Stage1(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND:       WMEraseBkgnd(m); return true;
    case WM_NCDESTROY:        WMNCDestroy(m); return true;
    case WM_NCACTIVATE:       return WMNCActivateEarly(m);
    case WM_NCUAHDRAWCAPTION: m.Result = 0; return true;
    case WM_INITMENUPOPUP:    WMInitMenuPopup(m); return true;
    case WM_CTLCOLORBTN:      WMCtlColorBtn(m); return true;
    case WM_CTLCOLORSTATIC:   WMCtlColorStatic(m); return true;
    case WM_NOTIFY:           return ReflectTrackBarDraw(m);
    case CN_SkinActive:       return StartUpAwaited(m) && (SkinActive(), true);
    case WM_SKINRECREATE:     WMSkinRecreate(m); return true;
    case WM_ISSKINNED:        m.Result = 1; return true;
    case WM_DPICHANGED:       WMDpiChanged(m); return true;
    // A framework form answers these in NewWndProc; a plain window here.
    case WM_SKINCHANGE:       return PlainWindow() && SentFromThisThread() && (SkinChange(), true);
    case WM_SKINPAINTNC:      return PlainWindow() && (WMSkinPaintNC(m), true);
    case WM_SKINQUERY:        return PlainWindow() && (WMSkinQuery(m), true);
    default:                  return false;
    }
}

bool TWinSkinForm::Stage2(TMessage& m)
{
    switch (m.Msg) {
    case WM_SIZE:             WMSize(m); return true;
    case WM_ACTIVATE:         Active = LOBYTE(m.WParam); return false;
    case WM_GETMINMAXINFO:    WMGetMinMaxInfo(m); return true;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return true;
    case WM_NCACTIVATE:       Active = LOBYTE(m.WParam); return false;
    case WM_COMMAND:          WMCommand(m); return true;
    case WM_SYSCOMMAND:       WMSysCommand(m); return true;
    case WM_CTLCOLORBTN:      WMCtlColorBtn(m); return true;
    case WM_CTLCOLORSTATIC:   WMCtlColorStatic(m); return true;
    case WM_SKINMENUSELECT:   return SentFromThisThread() && (MenuSelect(m), true);
    case WM_MENUSELECT:       WMMenuSelect(m); return true;
    case CM_MENUCHANGED:      CMMenuChanged(m); return true;
    // A framework form stores its text through NewWndProc; a plain window here.
    case WM_SETTEXT:          return PlainWindow() && (WMSetTextPlain(m), true);
    default:                  return false;
    }
}

bool TWinSkinForm::Stage3(TMessage& m)
{
    switch (m.Msg) {
    case WM_SIZE:             WMSize(m); return true;
    case WM_DRAWITEM:         WMMenuItem(m); return true;
    case WM_MEASUREITEM:      WMMenuItem(m); return true;
    case WM_WINDOWPOSCHANGING: Default(m); return true;
    case WM_NCCALCSIZE:       WMNCCalcSize(m.WParam != 0, reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam), m); return true;
    case WM_NCPAINT:          WMNCPaint(m); return true;
    case WM_NCHITTEST:        WMNCHitTest(m); return true;
    case WM_NCMOUSEMOVE:      WMNCMouseMove(m); return true;
    case WM_NCLBUTTONDOWN:    WMNCLButtonDown(m); return true;
    case WM_NCLBUTTONUP:      WMNCLButtonUp(m); return true;
    case WM_NCLBUTTONDBLCLK:  WMNCLBUTTONDBLCLK(m); return true;
    case WM_NCRBUTTONDOWN:    WMNCRButtonUp(m); return true;
    case WM_NCACTIVATE:       WMNCActivate(m); return true;
    case WM_SKINNCPAINT:      UpdateNc(nullptr); return true;
    default:                  return false;
    }
}

void TWinSkinForm::NewWndProc(TMessage& m)
{
    TReleaseGuard::TScope scope(m_guard);
    switch (m.Msg) {
    case WM_SETTEXT:          WMSetText(m); break;
    case WM_SKINCHANGE:       if (SentFromThisThread()) SkinChange(); break;
    case CM_DIALOGCHAR:       CMDialogChar(m); break;
    case WM_SKINPAINTNC:      WMSkinPaintNC(m); break;
    case WM_SKINQUERY:        WMSkinQuery(m); break;
    default:                  m_formHook.CallNext(m); break;
    }
}

// Stage 1 handlers ---------------------------------------------------------------

bool TWinSkinForm::WMNCActivateEarly(TMessage& m)
{
    if (SkinState == skinstate::Created && FormStyle != sfsMDIChild) {
        m.Result = 0;
        return true;
    }
    if (!SkinFrame) {
        Default(m);
        return true;
    }
    return false;
}

void TWinSkinForm::WMEraseBkgnd(TMessage& m)
{
    Default(m);
    if (!PlainWindow() || !SkinData)
        return;
    RECT client{};
    GetClientRect(Handle, &client);
    FillRect(reinterpret_cast<HDC>(m.WParam), &client, SkinData->ButtonFaceBrush());
    m.Result = 1;
}

void TWinSkinForm::WMNCDestroy(TMessage& m)
{
    SkinState = skinstate::Unskinning;
    // The system destroys only the menu attached to a window it destroys:
    // a plain window's detached menu goes here, a framework form's stays
    // with its TMainMenu. Neither is put back on the dying window.
    if (MenuBar && MenuBar->NativeMenu) {
        if (!Form && !GetMenu(Handle))
            DestroyMenu(MenuBar->NativeMenu);
        MenuBar->NativeMenu = nullptr;
    }
    UnSubclass3();
    // The form's menus outlive this object (a recreated window gets a new
    // one): they go back to the framework's drawing until it skins them.
    if (Form)
        DropFormItemHandlers(Form, this);
    Default(m);
    SkinState = skinstate::Destroyed;
    // A framework form that is going away has told us already (Form is
    // null then); one that lives on is getting a new window.
    if (Form)
        if (TSkinManage* manager = Manager())
            manager->WatchRecreation(Form);
}

void TWinSkinForm::WMInitMenuPopup(TMessage& m)
{
    const auto menu = reinterpret_cast<HMENU>(m.WParam);
    // The skinned system menu is a popup of our own, owned by this window.
    const bool system = menu == SystemMenu || (SysMenuPopup && menu == SysMenuPopup->Handle());
    if (TSkinManage* manager = Manager())
        manager->PopupKind = system ? popupkind::SystemMenu : popupkind::WindowMenu;
    Default(m);
}

void TWinSkinForm::WMCtlColorBtn(TMessage& m)
{
    Default(m);
    if (PlainWindow())
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
}

void TWinSkinForm::WMCtlColorStatic(TMessage& m)
{
    Default(m);
    if (!PlainWindow() || !SkinData)
        return;
    SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
    m.Result = reinterpret_cast<LRESULT>(SkinData->ButtonFaceBrush());
}

// The manager posts CN_SkinActive once, with SkinActiveParam in lParam;
// another one (posted by anybody, any time) would run the start-up again
// over a skinned window. It goes on to the window instead.
bool TWinSkinForm::StartUpAwaited(const TMessage& m) const
{
    return m.LParam == SkinActiveParam && !SkinStarted;
}

// A control skin posts this once its control has made a new window; the old
// skin still points at the destroyed one. Posted, so it may come from any
// process: only a live window inside this one is looked at.
void TWinSkinForm::WMSkinRecreate(TMessage& m)
{
    const auto window = reinterpret_cast<HWND>(m.WParam);
    if (!OwnChildWindow(window))
        return;
    if (!Form) {
        AddControlh(window);
        return;
    }
    TWinControl* control = TWinControl::FromHandle(window);
    if (!control)
        return;
    FreeStaleSkins(*control, window);
    InitControls(control);
}

// The system sends this to a per-monitor aware program's window when its DPI
// changes (another monitor, another scale); both words of wParam hold the new
// DPI, which may as well be any number from a stranger's PostMessage: it is
// clamped, and lParam (the suggested rectangle) is the program's business.
// The skin of the new scale is bound first, so that the program's move to the
// suggested rectangle already computes the client area from the new frame;
// the frame and region are made anew afterwards.
void TWinSkinForm::WMDpiChanged(TMessage& m)
{
    const int before = Dpi;
    ChangeDpi(LOWORD(m.WParam));
    const TLiveToken alive = m_guard.Token();
    Default(m);
    if (!alive || Dpi == before || !SkinFrame || ChildWindow || SkinState == skinstate::Created)
        return;
    RegionWidth = 0;
    Refresh();
    Cropwindow();
    RePaint();
}

bool TWinSkinForm::OwnChildWindow(HWND window) const
{
    return window && Handle && IsWindow(window) && IsChild(Handle, window) &&
           GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

// The skins a control owns that belong to a window it no longer has.
void TWinSkinForm::FreeStaleSkins(const TControl& control, HWND window)
{
    std::vector<TSkinControlLink*> stale;
    for (TSkinControlLink* link : Controls) {
        auto* component = dynamic_cast<TComponent*>(link);
        if (component && component->Owner() == &control && link->ControlHandle() != window)
            stale.push_back(link);
    }
    // Each looked up again: freeing one may free another.
    for (TSkinControlLink* link : stale)
        if (std::find(Controls.begin(), Controls.end(), link) != Controls.end())
            FreeControl(link);
}

void TWinSkinForm::WMSkinPaintNC(TMessage& m)
{
    if (m.LParam != SkinMagic || !SentFromThisThread()) {
        m.Result = 0;
        return;
    }
    if (m.WParam)
        UpdateNc(reinterpret_cast<HDC>(m.WParam));
    m.Result = SkinMagic;
}

void TWinSkinForm::WMSkinQuery(TMessage& m)
{
    m.Result = m.LParam == SkinMagic ? SkinMagic : 1;
}

// Stage 2 handlers -------------------------------------------------------------------

void TWinSkinForm::WMSize(TMessage& m)
{
    Default(m);
    switch (m.WParam) {
    case SIZE_RESTORED: WindowState = swsNormal; break;
    case SIZE_MINIMIZED: WindowState = swsMin; break;
    case SIZE_MAXIMIZED: WindowState = swsMax; break;
    default: break;
    }
    // A child that becomes maximized keeps pixels of its old client area
    // as valid, moved to the new place: what the cascade showed there, a
    // stray frame edge in system colours among it. Nothing repaints those
    // parts of the form or of its controls unless the whole child is
    // invalidated here.
    if (FormStyle == sfsMDIChild && m.WParam == SIZE_MAXIMIZED)
        RedrawWindow(Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    TSkinManage* manager = Manager();
    const bool mdiMax = manager && manager->MDIMaximized;
    const bool mdiNormal = !mdiMax && WindowState == swsNormal;
    if (WindowState != swsMin && (FormStyle != sfsMDIChild || mdiNormal) &&
        (SkinState == skinstate::Active || SkinState == skinstate::Reskinning))
        Cropwindow();
}

void TWinSkinForm::WMGetMinMaxInfo(TMessage& m)
{
    Default(m);
    GetWindowstate();
    if (WindowState == swsMin)
        EnableSysbtn(true);
    else if (FormStyle != sfsMDIChild || WindowState == swsNormal)
        EnableSysbtn(false);
    else
        EnableSysbtn(true);
}

void TWinSkinForm::WMWindowPosChanged(TMessage& m)
{
    GetWindowstate();
    Default(m);
}

void TWinSkinForm::WMCommand(TMessage& m)
{
    const UINT id = LOWORD(m.WParam);
    switch (id) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        // Window-menu commands that arrive as menu commands.
        PostMessageW(Handle, WM_SYSCOMMAND, id, 0);
        m.Result = 0;
        return;
    default:
        Default(m);
        return;
    }
}

void TWinSkinForm::WMSysCommand(TMessage& m)
{
    const UINT command = static_cast<UINT>(m.WParam) & 0xFFF0;
    // Keyboard menus (SC_KEYMENU: Alt, F10, Alt+letter) go to the menu
    // band. Alt+Space opens the skinned system menu at the client area's
    // top-left corner.
    if (command == SC_KEYMENU && KeyMenu(m))
        return;
    if (command == SC_KEYMENU && m.LParam == ' ' && !MenuTracking) {
        POINT origin{0, 0};
        ClientToScreen(Handle, &origin);
        const TLiveToken alive = LiveToken();
        PopSysmenu(origin);
        // Unskinned while the menu showed: the command was the menu's.
        if (!alive) {
            m.Result = 0;
            return;
        }
    }
    switch (command) {
    case SC_MINIMIZE:
        WindowState = swsMin;
        if (FormStyle == sfsMDIChild)
            EnableSysbtn(true);
        break;
    case SC_MAXIMIZE:
        WindowState = swsMax;
        break;
    case SC_RESTORE:
        WindowState = swsNormal;
        if (FormStyle == sfsMDIChild) {
            EnableSysbtn(false);
            if (TSkinManage* manager = Manager(); manager && manager->MDIMaximized)
                manager->SetMDIMax(false);
        }
        break;
    default:
        break;
    }
    Default(m);
}

void TWinSkinForm::CMMenuChanged(TMessage& m)
{
    // The framework rebuilt the window's menu: the frame is not repainted
    // for it, the menu band rebuilds its buttons from the new menu instead.
    if (!SkinData) {
        Default(m);
        return;
    }
    const bool update = SkinData->MainMenuUpdate();
    SkinData->SetMainMenuUpdate(false);
    Default(m);
    SkinData->SetMainMenuUpdate(update);
    HMENU menu = GetMenu(Handle);
    if (!menu)
        return;
    MenuHandle = menu;
    if (MenuBar && SkinData->MenuUpdate() && !MenuTracking) {
        MenuBar->NativeMenu = menu;
        MenuBar->UpdataBtn();
        MenuBar->SetMenuRect();
        UpdateNc(nullptr);
    }
    SetMenu(Handle, nullptr);
}

// Stage 3 handlers -------------------------------------------------------------------

void TWinSkinForm::WMNCActivate(TMessage& m)
{
    Active = LOBYTE(m.WParam);
    if (HoverTimer)
        HoverTimer->SetEnabled(Active != 0);
    if (!Active && HotControl) {
        HotControl->MouseLeave();
        HotControl = nullptr;
    }
    if (FormStyle == sfsMDIform && MDIClient)
        SendMessageW(MDIClient, WM_NCACTIVATE, m.WParam, 0);
    else if (FormStyle == sfsMDIChild)
        Default(m);
    if (!MaximizedMDIChild())
        UpdateNc(nullptr);
    m.Result = 1;
}

// NewWndProc handlers --------------------------------------------------------------

void TWinSkinForm::WMSetText(TMessage& m)
{
    SetCaptionText(m, [this](TMessage& message) { m_formHook.CallNext(message); });
}

void TWinSkinForm::WMSetTextPlain(TMessage& m)
{
    SetCaptionText(m, [this](TMessage& message) { Default(message); });
}

void TWinSkinForm::SetCaptionText(TMessage& m, const std::function<void(TMessage&)>& passOn)
{
    if (!IsWindowVisible(Handle)) {
        passOn(m);
        return;
    }
    const TLiveToken alive = m_guard.Token();
    if (UnicodeWindow || FormStyle == sfsMDIChild) {
        passOn(m);
    } else {
        // The system repaints its own caption as it stores the text; with
        // redrawing off for the call it draws nothing over ours.
        SendMessageW(Handle, WM_SETREDRAW, FALSE, 0);
        passOn(m);
        SendMessageW(Handle, WM_SETREDRAW, TRUE, 0);
    }
    // The program's own handler may have destroyed the window.
    if (!alive)
        return;
    if (WindowState == swsMax && FormStyle == sfsMDIChild) {
        if (TSkinManage* manager = Manager(); manager && manager->MDIClientWindow)
            PostMessageW(manager->MDIClientWindow, WM_SKINMDICAPTION,
                         reinterpret_cast<WPARAM>(Handle), 0);
    } else if (WindowState == swsMin) {
        UpdateNc(nullptr);
    } else {
        Refresh();
        // The frame change only invalidates the frame: a program renaming
        // its window in a busy loop would show the old caption until it next
        // reaches its message loop. The frame is painted now instead of
        // running a message loop from inside the window procedure.
        UpdateNc(nullptr);
    }
}

void TWinSkinForm::CMDialogChar(TMessage& m)
{
    m_formHook.CallNext(m);
    if (m.Result != 0)
        return;
    // Alt+letter of a menu-band button clicks it.
    const bool altOnly = (GetKeyState(VK_MENU) < 0) && GetKeyState(VK_SHIFT) >= 0 &&
                         GetKeyState(VK_CONTROL) >= 0;
    if (TMenuBtn* button = FindButtonFromAccel(static_cast<wchar_t>(m.WParam)); button && altOnly) {
        ClickButton(button);
        m.Result = 1;
        return;
    }
    TSkinManage* manager = Manager();
    if (FormStyle == sfsMDIChild && manager && manager->MDIParent && manager->MDIParent->Form) {
        const LRESULT result =
            manager->MDIParent->Form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
        if (result != 0) {
            m.Result = result;
            return;
        }
    } else if (Application && Application->MainForm() && Application->MainForm() != Form) {
        Application->MainForm()->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    }
    m.Result = 0;
}

} // namespace tarnivo
