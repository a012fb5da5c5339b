#include "form.h"

#include "application.h"
#include "screen.h"

namespace tarnivo {

const TClassInfo& TForm::StaticClassInfo()
{
    static const TClassInfo info{
        "TForm",
        &TCustomControl::StaticClassInfo(),
        {
            published::Enumeration("BorderStyle",
                                   {"bsNone", "bsSingle", "bsSizeable", "bsDialog",
                                    "bsToolWindow", "bsSizeToolWin"},
                                   &TForm::BorderStyle, &TForm::SetBorderStyle),
            published::Enumeration("Position",
                                   {"poDesigned", "poDefault", "poScreenCenter",
                                    "poMainFormCenter"},
                                   &TForm::Position, &TForm::SetPosition),
            published::Object("Menu", &TForm::Menu, &TForm::SetMenu),
            published::Object("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl),
        }};
    return info;
}

TForm* ParentForm(TControl* control)
{
    for (TControl* c = control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c))
            return form;
    return nullptr;
}

TForm::TForm(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    Screen->AddForm(this);
}

TForm::~TForm()
{
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application->HandleException(std::current_exception());
        }
    }
    // Owned components (menus, timers, other forms) go while this is a form.
    DestroyComponents();
    Screen->RemoveForm(this);
    DestroyHandle();
    Application->FormDestroyed(this);
}

void TForm::AfterConstruction()
{
    if (OnCreate)
        OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (m_borderStyle == style)
        return;
    m_borderStyle = style;
    if (HandleAllocated())
        DestroyHandle();   // the style bits of a top-level window are fixed at creation
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (m_borderIcons == icons)
        return;
    m_borderIcons = icons;
    if (HandleAllocated())
        DestroyHandle();
}

void TForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
    switch (m_borderStyle) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (m_borderStyle != bsNone && m_borderIcons.Contains(biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        bool boxes = m_borderStyle == bsSingle || m_borderStyle == bsSizeable;
        if (boxes && m_borderIcons.Contains(biMinimize))
            params.Style |= WS_MINIMIZEBOX;
        if (boxes && m_borderIcons.Contains(biMaximize))
            params.Style |= WS_MAXIMIZEBOX;
        if (m_borderIcons.Contains(biHelp) && m_borderStyle == bsDialog)
            params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    // Owned by the application window: no taskbar button of its own, and
    // minimising the application takes the form along.
    params.WndParent = Application->Handle();
    params.X = m_left;
    params.Y = m_top;
    params.Width = m_width;
    params.Height = m_height;
}

void TForm::HandleCreated()
{
    if (m_menu) {
        m_menu->SetWindow(Handle());
        ::SetMenu(Handle(), m_menu->Handle());
    }
    if (HICON icon = Application->Icon().Handle()) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (m_clientWidth >= 0)
        SetClientSize(m_clientWidth, m_clientHeight);
}

void TForm::HandleDestroying()
{
    // DestroyWindow destroys the menu of the window's bar with it, and that
    // menu belongs to the main menu component: take it off first. The next
    // window gets it back in HandleCreated.
    if (m_menu && GetMenu(Handle()) == m_menu->Handle())
        ::SetMenu(Handle(), nullptr);
    if (m_menu)
        m_menu->SetWindow(nullptr);
    TCustomControl::HandleDestroying();
}

int TForm::ClientWidth() const
{
    if (HandleAllocated()) {
        RECT r = ClientRect();
        return r.right;
    }
    return m_clientWidth >= 0 ? m_clientWidth : m_width;
}

int TForm::ClientHeight() const
{
    if (HandleAllocated()) {
        RECT r = ClientRect();
        return r.bottom;
    }
    return m_clientHeight >= 0 ? m_clientHeight : m_height;
}

void TForm::SetClientSize(int width, int height)
{
    m_clientWidth = width;
    m_clientHeight = height;
    if (!HandleAllocated()) {
        // A first guess for the outer size; corrected once the window exists.
        m_width = width + 2 * GetSystemMetrics(SM_CXFIXEDFRAME);
        m_height = height + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
        return;
    }
    HWND window = Handle();
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                       GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps to two lines makes the client area smaller than asked.
    RECT client;
    GetClientRect(window, &client);
    if (client.bottom != height)
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left,
                     r.bottom - r.top + height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetMenu(TMainMenu* menu)
{
    if (m_menu == menu)
        return;
    if (m_menu)
        m_menu->RemoveFreeNotification(this);
    m_menu = menu;
    if (m_menu)
        m_menu->FreeNotification(this);
    if (HandleAllocated()) {
        if (m_menu)
            m_menu->SetWindow(Handle());
        ::SetMenu(Handle(), m_menu ? m_menu->Handle() : nullptr);
        if (m_clientWidth >= 0)
            SetClientSize(m_clientWidth, m_clientHeight);
        Perform(CM_MENUCHANGED, 0, 0);
    }
}

void TForm::SetActiveControl(TWinControl* control)
{
    if (m_activeControl == control)
        return;
    if (m_activeControl)
        m_activeControl->RemoveFreeNotification(this);
    m_activeControl = control;
    if (m_activeControl) {
        m_activeControl->FreeNotification(this);
        if (HandleAllocated() && IsWindowVisible(Handle()) && GetActiveWindow() == Handle())
            ::SetFocus(m_activeControl->Handle());
    }
}

void TForm::ControlFocused(TWinControl* control)
{
    if (control != this && m_activeControl != control) {
        if (m_activeControl)
            m_activeControl->RemoveFreeNotification(this);
        m_activeControl = control;
        m_activeControl->FreeNotification(this);
    }
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_menu)
        m_menu = nullptr;
    if (component == m_activeControl)
        m_activeControl = nullptr;
}

void TForm::Show()
{
    SetVisible(true);
    if (HandleAllocated())
        BringWindowToTop(Handle());
}

void TForm::VisibleChanged()
{
    if (!Visible()) {
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
        if (OnHide)
            OnHide(this);
        return;
    }
    HWND window = Handle();
    if (!m_shownOnce) {
        m_shownOnce = true;
        ApplyPosition();
    }
    DoShow();
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    FocusActiveControl();
}

void TForm::ApplyPosition()
{
    if (m_position != poScreenCenter && m_position != poMainFormCenter)
        return;
    RECT r;
    GetWindowRect(Handle(), &r);
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TForm* main = Application->MainForm();
    if (m_position == poMainFormCenter && main && main != this && main->HandleAllocated())
        GetWindowRect(main->Handle(), &area);
    SetWindowPos(Handle(), nullptr, area.left + (area.right - area.left - w) / 2,
                 area.top + (area.bottom - area.top - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TForm::Activate()
{
    if (OnActivate)
        OnActivate(this);
}

void TForm::Deactivate()
{
    if (OnDeactivate)
        OnDeactivate(this);
}

void TForm::FocusActiveControl()
{
    if (!HandleAllocated() || GetActiveWindow() != Handle())
        return;
    if (m_activeControl && m_activeControl->CanFocus()) {
        ::SetFocus(m_activeControl->Handle());
        return;
    }
    // No active control yet: the first focusable control in tab order.
    TWinControl* first = nullptr;
    for (int i = 0; i < ControlCount(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(Controls(i));
        if (w && w->TabStop() && w->CanFocus() &&
            (!first || w->TabOrder() < first->TabOrder()))
            first = w;
    }
    if (first)
        ::SetFocus(first->Handle());
}

void TForm::HandleActivate(TMessage& message)
{
    DefaultHandler(message);
    if (LOWORD(message.WParam) == WA_INACTIVE)
        return;
    TForm* previous = Screen->FocusedForm();
    Screen->SetFocusedForm(this);
    if (previous != this) {
        if (previous)
            previous->Deactivate();
        Activate();
    }
    FocusActiveControl();
}

void TForm::HandleSysCommand(TMessage& message)
{
    // The main form's minimise is the application's: it goes to the
    // application window, whose hooks and processing minimise the program.
    if ((message.WParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this) {
        SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        message.Result = 0;
        return;
    }
    DefaultHandler(message);
}

bool TForm::HandleMenuMessage(TMessage& message)
{
    if (!m_menu)
        return false;
    switch (message.Msg) {
    case WM_COMMAND:
        // Menu commands arrive with notification code 0 and no control.
        return message.LParam == 0 && HIWORD(message.WParam) == 0 &&
               m_menu->DispatchCommand(LOWORD(message.WParam));
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (m->CtlType == ODT_MENU && m_menu->MeasureItem(*m)) {
            message.Result = TRUE;
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (d->CtlType == ODT_MENU && m_menu->DrawItem(*d)) {
            message.Result = TRUE;
            return true;
        }
        return false;
    }
    }
    return false;
}

void TForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_ACTIVATE: HandleActivate(message); return;
    case WM_SYSCOMMAND: HandleSysCommand(message); return;
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (HandleMenuMessage(message))
            return;
        break;
    }
    TCustomControl::Dispatch(message);
}

void TForm::Close()
{
    if (m_modal) {
        m_modalResult = mrCancel;
        return;
    }
    TCloseAction action = Application->MainForm() == this ? caFree : caHide;
    if (OnClose)
        OnClose(this, action);
    switch (action) {
    case caNone: return;
    case caHide: Hide(); return;
    case caMinimize:
        if (HandleAllocated())
            ShowWindow(Handle(), SW_MINIMIZE);
        return;
    case caFree:
        if (Application->MainForm() == this) {
            // Closing the main form ends the program: the loop stops, and
            // the forms are freed when the application object goes.
            Hide();
            Application->Terminate();
        } else {
            Hide();
            PostMessageA(Application->Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this));
        }
        return;
    }
}

int TForm::ShowModal()
{
    HWND previousFocus = GetFocus();
    TForm* previousForm = Screen->FocusedForm();
    // Every other visible form of the program waits for this one.
    std::vector<HWND> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* f = Screen->Forms(i);
        if (f != this && f->HandleAllocated() && IsWindowEnabled(f->Handle()) &&
            IsWindowVisible(f->Handle())) {
            EnableWindow(f->Handle(), FALSE);
            disabled.push_back(f->Handle());
        }
    }
    m_modal = true;
    m_modalResult = mrNone;
    Show();
    int result = RunModalLoop();
    m_modal = false;
    for (HWND w : disabled)
        EnableWindow(w, TRUE);
    Hide();
    // Coming back from a modal form is not a new activation of the form below.
    Screen->SetFocusedForm(previousForm);
    if (previousFocus && IsWindow(previousFocus)) {
        SetActiveWindow(GetAncestor(previousFocus, GA_ROOT));
        ::SetFocus(previousFocus);
    }
    return result;
}

int TForm::RunModalLoop()
{
    MSG msg;
    while (m_modalResult == mrNone) {
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            // Leave the quit request for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_modalResult = mrCancel;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return m_modalResult;
}

} // namespace tarnivo
