#include "trayicon.h"

#include "trayicon_strings.h"

#include "framework/form.h"
#include "framework/imagelist.h"
#include "framework/menus.h"
#include "framework/messagewindow.h"
#include "framework/screen.h"
#include "framework/timer.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <exception>

namespace tarnivo {

namespace {

constexpr std::int32_t DefaultAnimateInterval = 1000;
constexpr std::size_t TipCapacity = sizeof(TNotifyIconData::szTip) - 1;

// The message from the program's string table, or the built-in text when the
// program was linked without trayicon.rc.
std::string ResourceString(UINT id, const char* fallback)
{
    char text[256];
    int length = LoadStringA(GetModuleHandleW(nullptr), id, text, sizeof text);
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : fallback;
}

POINT CursorPos()
{
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
}

// The shift-state flag that says `button` is held.
TShiftStateFlag HeldFlag(TMouseButton button)
{
    switch (button) {
    case mbLeft: return ssLeft;
    case mbRight: return ssRight;
    case mbMiddle: break;
    }
    return ssMiddle;
}

} // namespace

const TClassInfo& TTrayIcon::StaticClassInfo()
{
    static const std::vector<std::string> messages{
        "imClick",       "imDoubleClick",     "imMouseDown",
        "imMouseUp",     "imLeftClickUp",     "imLeftDoubleClick",
        "imRightClickUp", "imRightDoubleClick", "imNone"};
    static const TClassInfo info{
        "TTrayIcon",
        &TComponent::StaticClassInfo(),
        {
            published::Boolean("Visible", &TTrayIcon::Visible, &TTrayIcon::SetVisible),
            published::Text("Hint", &TTrayIcon::Hint, &TTrayIcon::SetHint),
            published::Object("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu),
            published::Boolean("Hide", &TTrayIcon::Hide, &TTrayIcon::SetHide),
            published::Enumeration("RestoreOn", messages, &TTrayIcon::RestoreOn,
                                   &TTrayIcon::SetRestoreOn),
            published::Enumeration("PopupMenuOn", messages, &TTrayIcon::PopupMenuOn,
                                   &TTrayIcon::SetPopupMenuOn),
            published::Object("Icons", &TTrayIcon::Icons, &TTrayIcon::SetIcons),
            published::Integer("IconIndex", &TTrayIcon::IconIndex, &TTrayIcon::SetIconIndex),
            published::Integer("AnimateInterval", &TTrayIcon::AnimateInterval,
                               &TTrayIcon::SetAnimateInterval),
            published::Boolean("Animate", &TTrayIcon::Animate, &TTrayIcon::SetAnimate),
            TPropInfo{"Handle", TPropKind::Integer, {},
                      [](const TObject& o) {
                          HWND h = static_cast<const TTrayIcon&>(o).Handle();
                          return TPropValue{static_cast<std::int64_t>(
                              reinterpret_cast<std::uintptr_t>(h))};
                      },
                      {}},
        }};
    return info;
}

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner)
{
    TakeApplicationIcon();
    OnAnimate = [this](TObject*) { DoOnAnimate(); };
    m_timer = std::make_unique<TTimer>(nullptr);
    m_timer->SetEnabled(false);
    m_timer->SetInterval(DefaultAnimateInterval);
    m_timer->OnTimer = [this](TObject*) {
        if (OnAnimate)
            OnAnimate(this);
    };
    if (Designing())
        return;

    m_data = TNotifyIconData{};
    m_data.cbSize = IconRecordSize;
    m_handle = AllocateHWnd([this](TMessage& message) { Dispatch(message); });
    if (!m_handle)
        throw EOutOfResources("Cannot create the tray icon's message window");
    m_data.hWnd = m_handle;
    // The shell keys an icon by window and id; the address is unique while
    // the component lives.
    m_data.uID = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(this));
    m_data.hIcon = m_icon.Handle();
    m_data.uFlags = NIF_MESSAGE | NIF_ICON;
    m_data.uCallbackMessage = CallbackMessage;
    m_applicationHook = [this](TMessage& message) { return ApplicationHookProc(message); };
    Update();
}

TTrayIcon::~TTrayIcon()
{
    if (!Designing()) {
        Notify(NIM_DELETE);
        UnhookApplication();
        DeallocateHWnd(m_handle);
        m_handle = nullptr;
    }
}

void TTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (m_icons) {
        if (m_animate && !Designing())
            m_timer->SetEnabled(true);
        TakeIcon(m_iconIndex);
    } else {
        m_animate = false;
        TakeApplicationIcon();
    }
    Update();
}

void TTrayIcon::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove || !component)
        return;
    if (component == m_icons)
        m_icons = nullptr;
    if (component == m_popupMenu)
        m_popupMenu = nullptr;
}

void TTrayIcon::SetVisible(bool visible)
{
    bool previous = m_visible;
    m_visible = visible;
    if (Designing())
        return;
    // No comparison with the old value: a second add is passed to the shell,
    // which refuses a duplicate icon, and that is reported like any refusal.
    if (visible) {
        if (!Notify(NIM_ADD)) {
            m_visible = previous;
            throw EOutOfResources(ResourceString(IDS_TRAY_CANNOT_CREATE,
                                                 "Cannot Create System Shell Notification Icon"));
        }
        m_hide = true;
        HookApplication();
    } else {
        if (!Notify(NIM_DELETE)) {
            m_visible = previous;
            throw EOutOfResources(ResourceString(IDS_TRAY_CANNOT_REMOVE,
                                                 "Cannot Remove System Shell Notification Icon"));
        }
        m_hide = false;
        UnhookApplication();
    }
}

void TTrayIcon::SetHint(const std::string& hint)
{
    if (hint == m_hint || hint.size() > MaxHintLength)
        return;
    m_hint = hint;
    std::memset(m_data.szTip, 0, sizeof m_data.szTip);
    std::memcpy(m_data.szTip, m_hint.data(), std::min(m_hint.size(), TipCapacity));
    if (m_hint.empty())
        m_data.uFlags &= ~NIF_TIP;
    else
        m_data.uFlags |= NIF_TIP;
    Update();
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu)
{
    if (menu == m_popupMenu)
        return;
    m_popupMenu = menu;
    // The menu may belong to another form: ask to hear of its destruction.
    if (menu)
        FreeNotification(menu);
}

void TTrayIcon::SetIcons(TImageList* icons)
{
    if (icons == m_icons)
        return;
    m_icons = icons;
    if (icons)
        FreeNotification(icons);
}

void TTrayIcon::SetIconIndex(std::int32_t index)
{
    m_iconIndex = index;
    if (m_icons)
        TakeIcon(index);
    Update();
}

void TTrayIcon::SetDefaultIcon()
{
    TakeApplicationIcon();
    Update();
}

std::int32_t TTrayIcon::AnimateInterval() const
{
    return static_cast<std::int32_t>(m_timer->Interval());
}

void TTrayIcon::SetAnimateInterval(std::int32_t milliseconds)
{
    // A negative interval would become a huge unsigned one; treat it as no ticks.
    m_timer->SetInterval(static_cast<std::uint32_t>(std::max(milliseconds, 0)));
}

void TTrayIcon::SetAnimate(bool animate)
{
    if (m_icons || Loading())
        m_animate = animate;
    if (m_icons && !Designing())
        m_timer->SetEnabled(animate);
}

void TTrayIcon::Update()
{
    if (Designing())
        return;
    m_data.hIcon = m_icon.Handle();
    if (m_visible)
        Notify(NIM_MODIFY);   // a refused modify leaves the old icon and tip
}

void TTrayIcon::DoOnAnimate()
{
    // The list may have been removed (or emptied) while the timer ran.
    if (!m_icons || m_icons->Count() <= 0)
        return;
    std::int32_t next = m_iconIndex + 1;
    if (next >= m_icons->Count() || next < 0)
        next = 0;
    SetIconIndex(next);
    Update();
}

void TTrayIcon::Minimize()
{
    Application->Minimize();
    // The application window carries the taskbar button; hidden, it goes.
    ShowWindow(Application->Handle(), SW_HIDE);
    if (OnMinimize)
        OnMinimize(this);
}

void TTrayIcon::Restore()
{
    Application->Restore();
    ShowWindow(Application->Handle(), SW_RESTORE);
    SetForegroundWindow(Application->Handle());
    if (OnRestore)
        OnRestore(this);
}

void TTrayIcon::ShowMenu()
{
    POINT at = CursorPos();
    // Windows closes a popup menu only when its owner is in the foreground;
    // without this the menu would stay open after a click elsewhere.
    TForm* active = Screen->ActiveForm();
    if (active && active->HandleAllocated())
        SetForegroundWindow(active->Handle());
    if (m_popupMenu)
        m_popupMenu->Popup(at.x, at.y);
}

TShiftState TTrayIcon::ShiftState()
{
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0)
        shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}

void TTrayIcon::EndSession()
{
    Notify(NIM_DELETE);
}

// --- the message window -------------------------------------------------

void TTrayIcon::Dispatch(TMessage& message)
{
    // A failing event handler: the window's subclass keeps the exception
    // for the message loop, which shows it, and the window lives on.
    DoMessage(message);
}

void TTrayIcon::DoMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_QUERYENDSESSION: message.Result = 1; break;
    case WM_ENDSESSION:
        // wParam FALSE: the shutdown was cancelled and the program goes on.
        if (message.WParam)
            EndSession();
        break;
    case CallbackMessage: TrayCallback(static_cast<UINT>(message.LParam)); break;
    }
    DefaultHandler(m_handle, message);
}

void TTrayIcon::TrayCallback(UINT mouseMessage)
{
    switch (mouseMessage) {
    case WM_MOUSEMOVE: WMMouseMove(); break;
    case WM_LBUTTONDOWN: WMLButtonDown(); break;
    case WM_LBUTTONUP: WMLButtonUp(); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(); break;
    case WM_RBUTTONDOWN: WMRButtonDown(); break;
    case WM_RBUTTONUP: WMRButtonUp(); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(); break;
    case WM_MBUTTONDOWN: WMMButtonDown(); break;
    case WM_MBUTTONUP: WMMButtonUp(); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(); break;
    }
}

void TTrayIcon::WMMouseMove()
{
    if (!OnClick)
        return;
    TShiftState shift = ShiftState();
    POINT at = CursorPos();
    DoMouseMove(shift, at.x, at.y);
}

// The shell reports no key state or position with its callback: both are
// read when the message arrives, the button taken as held.
void TTrayIcon::ButtonDown(TMouseButton button)
{
    TShiftState shift = ShiftState() + TShiftState{HeldFlag(button)};
    POINT at = CursorPos();
    DoMouseDown(button, shift, at.x, at.y);
}

// A left release clicks before it reports the button up.
void TTrayIcon::ButtonUp(TMouseButton button)
{
    TShiftState shift = ShiftState() + TShiftState{HeldFlag(button)};
    POINT at = CursorPos();
    if (button == mbLeft && OnClick)
        DoClick();
    DoMouseUp(button, shift, at.x, at.y);
}

void TTrayIcon::WMLButtonDown()
{
    ButtonDown(mbLeft);
}

void TTrayIcon::WMLButtonUp()
{
    ButtonUp(mbLeft);
    ActOn(imLeftClickUp);
}

void TTrayIcon::WMLButtonDblClk()
{
    DoDblClick();
    ActOn(imLeftDoubleClick);
}

void TTrayIcon::WMRButtonDown()
{
    ButtonDown(mbRight);
}

void TTrayIcon::WMRButtonUp()
{
    ButtonUp(mbRight);
    ActOn(imRightClickUp);
}

void TTrayIcon::WMRButtonDblClk()
{
    DoDblClick();
    ActOn(imRightDoubleClick);
}

void TTrayIcon::WMMButtonDown()
{
    ButtonDown(mbMiddle);
}

void TTrayIcon::WMMButtonUp()
{
    ButtonUp(mbMiddle);
}

void TTrayIcon::WMMButtonDblClk()
{
    DoDblClick();
}

// Restores and/or shows the menu when `action` is the configured trigger.
void TTrayIcon::ActOn(TTrayIconMessage action)
{
    if (m_restoreOn == action)
        Restore();
    if (m_popupMenuOn == action)
        ShowMenu();
}

void TTrayIcon::DoClick()
{
    ActOn(imClick);
    if (OnClick)
        OnClick(this);
}

void TTrayIcon::DoDblClick()
{
    ActOn(imDoubleClick);
    if (OnDblClick)
        OnDblClick(this);
}

void TTrayIcon::DoMouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TTrayIcon::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    ActOn(imMouseDown);
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    ActOn(imMouseUp);
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

// --- the application's window -------------------------------------------

bool TTrayIcon::ApplicationHookProc(TMessage& message)
{
    if (message.Msg == WM_SYSCOMMAND) {
        if (message.WParam == SC_MINIMIZE)
            Minimize();
        else if (message.WParam == SC_RESTORE)
            Restore();
    }
    // The application's own processing of the command follows.
    return false;
}

void TTrayIcon::HookApplication()
{
    // Re-adding after the shell lost the icon must not hook twice: a second
    // hook would run Minimize twice per minimise command.
    if (m_hookId == 0)
        m_hookId = Application->HookMainWindow(m_applicationHook);
}

void TTrayIcon::UnhookApplication()
{
    if (m_hookId == 0)
        return;
    Application->UnhookMainWindow(m_hookId);
    m_hookId = 0;
}

// --- the shell ---------------------------------------------------------

bool TTrayIcon::Notify(DWORD command)
{
    return Shell_NotifyIconA(command, reinterpret_cast<NOTIFYICONDATAA*>(&m_data)) != FALSE;
}

void TTrayIcon::TakeIcon(std::int32_t index)
{
    // GetIcon leaves the current icon alone for an index outside the list.
    if (m_icons)
        m_icons->GetIcon(index, m_icon);
}

void TTrayIcon::TakeApplicationIcon()
{
    m_icon.Assign(Application->Icon());
}

} // namespace tarnivo
