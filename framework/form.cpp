#include "form.h"

#include "application.h"
#include "formscale.h"
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
            published::Enumeration("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"},
                                   &TForm::WindowState, &TForm::SetWindowState),
            published::Enumeration("FormStyle", {"fsNormal", "fsMDIForm", "fsMDIChild"},
                                   &TForm::FormStyle, &TForm::SetFormStyle),
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

void TForm::SetFormStyle(TFormStyle style)
{
    if (m_formStyle == style)
        return;
    // The window goes with the old style's default processing; the next one
    // is made for the new style.
    if (HandleAllocated())
        DestroyHandle();
    m_formStyle = style;
}

void TForm::WindowStyles(DWORD& style, DWORD& exStyle) const
{
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (m_borderStyle) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_CAPTION; break;
    case bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        style |= WS_CAPTION;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (m_borderStyle != bsNone && m_borderIcons.Contains(biSystemMenu)) {
        style |= WS_SYSMENU;
        bool boxes = m_borderStyle == bsSingle || m_borderStyle == bsSizeable;
        if (boxes && m_borderIcons.Contains(biMinimize))
            style |= WS_MINIMIZEBOX;
        if (boxes && m_borderIcons.Contains(biMaximize))
            style |= WS_MAXIMIZEBOX;
        if (m_borderIcons.Contains(biHelp) && m_borderStyle == bsDialog)
            exStyle |= WS_EX_CONTEXTHELP;
    }
    if (m_formStyle == fsMDIChild) {
        // A document is a child of the frame's client window.
        style = (style & ~WS_POPUP) | WS_CHILD;
        exStyle |= WS_EX_MDICHILD;
    }
}

void TForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    WindowStyles(params.Style, params.ExStyle);
    if (m_formStyle == fsMDIChild) {
        TForm* frame = MDIParent();
        if (!frame)
            throw Exception("An MDI child form needs an MDI frame form");
        frame->HandleNeeded();
        params.WndParent = frame->ClientHandle();
    } else {
        // Owned by the application window: no taskbar button of its own, and
        // minimising the application takes the form along.
        params.WndParent = Application->Handle();
    }
    params.X = m_left;
    params.Y = m_top;
    params.Width = m_width;
    params.Height = m_height;
}

void TForm::HandleCreated()
{
    // A child window has no menu bar.
    if (m_menu && m_formStyle != fsMDIChild) {
        m_menu->SetWindow(Handle());
        ::SetMenu(Handle(), m_menu->Handle());
    }
    if (m_formStyle == fsMDIForm)
        CreateClientWindow();
    if (HICON icon = Application->Icon().Handle()) {
        SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (m_clientWidth >= 0)
        SetClientSize(m_clientWidth, m_clientHeight);
    FollowWindowDpi();
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
    // The client goes with the frame window.
    m_clientHandle = nullptr;
    TCustomControl::HandleDestroying();
    // The client destroys its children itself, activating the next one and
    // keeping the window list right; DestroyHandle's own DestroyWindow then
    // finds the window gone.
    if (m_formStyle == fsMDIChild)
        if (HWND client = GetParent(Handle()))
            SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
}

void TForm::CreateClientWindow()
{
    CLIENTCREATESTRUCT create{m_windowMenu ? m_windowMenu->Handle() : nullptr,
                              FirstMDIChildCommand};
    RECT r;
    GetClientRect(Handle(), &r);
    m_clientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL |
                                         WS_HSCROLL | WS_VISIBLE,
                                     0, 0, r.right, r.bottom, Handle(), nullptr,
                                     GetModuleHandleW(nullptr), &create);
    if (!m_clientHandle)
        throw EOutOfResources("Error creating the MDI client window");
}

void TForm::DefaultHandler(TMessage& message)
{
    if (HandleAllocated()) {
        switch (m_formStyle) {
        case fsMDIForm:
            // With no client yet (messages of CreateWindowEx) this is DefWindowProc.
            message.Result = DefFrameProcW(Handle(), m_clientHandle, message.Msg,
                                           message.WParam, message.LParam);
            return;
        case fsMDIChild:
            message.Result = DefMDIChildProcW(Handle(), message.Msg, message.WParam,
                                              message.LParam);
            return;
        case fsNormal: break;
        }
    }
    TCustomControl::DefaultHandler(message);
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
        DWORD style, exStyle;
        WindowStyles(style, exStyle);
        RECT r{0, 0, width, height};
        AdjustWindowRectEx(&r, style, m_menu && m_formStyle != fsMDIChild, exStyle);
        m_width = RectWidth(r);
        m_height = RectHeight(r);
        return;
    }
    HWND window = Handle();
    if (IsIconic(window) || IsZoomed(window)) {
        // Neither frame is the one of the restored window: size the restored
        // placement from the style.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        RECT r{0, 0, width, height};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                           GetMenu(window) != nullptr,
                           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
        RECT& normal = placement.rcNormalPosition;
        normal.right = normal.left + RectWidth(r);
        normal.bottom = normal.top + RectHeight(r);
        SetWindowPlacement(window, &placement);
        return;
    }
    // The frame is measured, not derived from the style: whoever answers
    // WM_NCCALCSIZE decides it. A second round covers a frame that changes
    // with the size, such as a menu bar that wraps to two lines when narrower.
    for (int round = 0; round < 2; ++round) {
        RECT outer, client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        if (client.right == width && client.bottom == height)
            return;
        SetWindowPos(window, nullptr, 0, 0, RectWidth(outer) - client.right + width,
                     RectHeight(outer) - client.bottom + height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

TWindowState TForm::WindowState() const
{
    if (m_windowStatePending || !HandleAllocated())
        return m_windowState;
    HWND window = const_cast<TForm*>(this)->Handle();
    if (IsIconic(window))
        return wsMinimized;
    if (IsZoomed(window))
        return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState state)
{
    if (!Visible() || !HandleAllocated()) {
        // ShowWindow would show the window: keep the state for the showing.
        m_windowState = state;
        m_windowStatePending = true;
        return;
    }
    m_windowStatePending = false;
    if (WindowState() == state)
        return;
    HWND window = Handle();
    // The client keeps track of its maximized child (the frame's menu bar
    // shows the child's buttons then): an MDI child goes through it.
    HWND client = m_formStyle == fsMDIChild ? GetParent(window) : nullptr;
    auto restore = [&] {
        if (client)
            SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(window), 0);
        else
            ShowWindow(window, SW_RESTORE);
    };
    switch (state) {
    case wsNormal:
        // A window minimized from maximized restores to maximized first.
        restore();
        if (IsZoomed(window))
            restore();
        break;
    case wsMinimized: ShowWindow(window, SW_MINIMIZE); break;
    case wsMaximized:
        if (client)
            SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(window), 0);
        else
            ShowWindow(window, SW_MAXIMIZE);
        break;
    }
}

// ------------------------------------------------------------------ MDI

TForm* TForm::MDIParent() const
{
    if (auto* owner = dynamic_cast<TForm*>(Owner()); owner && owner->m_formStyle == fsMDIForm)
        return owner;
    TForm* main = Application->MainForm();
    return main && main != this && main->m_formStyle == fsMDIForm ? main : nullptr;
}

HWND TForm::ActiveMDIChildHandle() const
{
    if (!m_clientHandle)
        return nullptr;
    return reinterpret_cast<HWND>(SendMessageW(m_clientHandle, WM_MDIGETACTIVE, 0, 0));
}

TForm* TForm::ActiveMDIChild() const
{
    return dynamic_cast<TForm*>(TWinControl::FromHandle(ActiveMDIChildHandle()));
}

namespace {

// The framework forms among the MDI client's children, in Z order.
std::vector<TForm*> ChildForms(HWND client)
{
    std::vector<TForm*> forms;
    if (!client)
        return forms;
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(w)))
            forms.push_back(form);
    return forms;
}

} // namespace

int TForm::MDIChildCount() const
{
    return static_cast<int>(ChildForms(m_clientHandle).size());
}

TForm* TForm::MDIChildren(int index) const
{
    std::vector<TForm*> forms = ChildForms(m_clientHandle);
    if (index < 0 || index >= static_cast<int>(forms.size()))
        throw Exception("MDI child index out of bounds (" + std::to_string(index) + ")");
    return forms[static_cast<std::size_t>(index)];
}

void TForm::SetWindowMenu(TMenuItem* item)
{
    if (m_windowMenu == item)
        return;
    if (m_windowMenu)
        m_windowMenu->RemoveFreeNotification(this);
    m_windowMenu = item;
    if (m_windowMenu)
        m_windowMenu->FreeNotification(this);
    if (m_clientHandle && m_windowMenu) {
        // A null frame menu leaves the menu bar as it is.
        SendMessageW(m_clientHandle, WM_MDISETMENU, 0,
                     reinterpret_cast<LPARAM>(m_windowMenu->Handle()));
        DrawMenuBar(Handle());
    }
}

void TForm::Tile()
{
    if (m_clientHandle)
        SendMessageW(m_clientHandle, WM_MDITILE,
                     m_tileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TForm::Cascade()
{
    if (m_clientHandle)
        SendMessageW(m_clientHandle, WM_MDICASCADE, 0, 0);
}

void TForm::ArrangeIcons()
{
    if (m_clientHandle)
        SendMessageW(m_clientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next()
{
    if (HWND active = ActiveMDIChildHandle())
        SendMessageW(m_clientHandle, WM_MDINEXT, reinterpret_cast<WPARAM>(active), 0);
}

void TForm::Previous()
{
    if (HWND active = ActiveMDIChildHandle())
        SendMessageW(m_clientHandle, WM_MDINEXT, reinterpret_cast<WPARAM>(active), 1);
}

bool IsMDIAccelerator(MSG& msg)
{
    // TranslateMDISysAccel looks at key-down messages only.
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    auto* frame = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
    if (!frame || frame->FormStyle() != fsMDIForm || !frame->ClientHandle())
        return false;
    return TranslateMDISysAccel(frame->ClientHandle(), &msg) != FALSE;
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
    if (HandleAllocated() && m_formStyle != fsMDIChild) {
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
    if (component == m_windowMenu)
        m_windowMenu = nullptr;
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
    if (m_formStyle == fsMDIChild) {
        DoShow();
        ShowMDIChild();
        return;
    }
    if (!m_shownOnce) {
        m_shownOnce = true;
        ApplyPosition();
    }
    DoShow();
    int show = IsZoomed(window) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    if (m_windowStatePending) {
        m_windowStatePending = false;
        show = m_windowState == wsMaximized   ? SW_SHOWMAXIMIZED
               : m_windowState == wsMinimized ? SW_SHOWMINIMIZED
                                              : SW_SHOWNORMAL;
    }
    ShowWindow(window, show);
    SetForegroundWindow(window);
    FocusActiveControl();
}

void TForm::ShowMDIChild()
{
    // A child shown later than its creation is not activated by the client
    // on its own.
    HWND window = Handle();
    HWND client = GetParent(window);
    ShowWindow(window, SW_SHOW);
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    if (m_windowStatePending) {
        m_windowStatePending = false;
        TWindowState state = m_windowState;
        SetWindowState(state);
    }
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
    // An MDI child is never the active window; its frame is.
    if (!HandleAllocated() || GetActiveWindow() != GetAncestor(Handle(), GA_ROOT))
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
        SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        message.Result = 0;
        return;
    }
    DefaultHandler(message);
}

bool TForm::HandleMenuMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_COMMAND:
        // Menu commands arrive with notification code 0 and no control.
        return m_menu && message.LParam == 0 && HIWORD(message.WParam) == 0 &&
               m_menu->DispatchCommand(LOWORD(message.WParam));
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // Entries of the menu bar, of its drop-downs and of any popup menu
        // tracked with this form as the owner window.
        return HandleMenuItemMessage(message);
    }
    return false;
}

void TForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_ACTIVATE: HandleActivate(message); return;
    case WM_SYSCOMMAND: HandleSysCommand(message); return;
    case WMDpiChanged: HandleDpiChanged(message); return;
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_MDIACTIVATE:
        if (m_formStyle == fsMDIChild) {
            DefaultHandler(message);
            if (reinterpret_cast<HWND>(message.LParam) == Handle()) {
                Activate();
                FocusActiveControl();
            } else if (reinterpret_cast<HWND>(message.WParam) == Handle()) {
                Deactivate();
            }
            return;
        }
        break;
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
    // A closed document goes for good; another form is only hidden.
    TCloseAction action =
        Application->MainForm() == this || m_formStyle == fsMDIChild ? caFree : caHide;
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
            // A hidden MDI child would stay the client's active one until
            // freed; the client activates the next when it destroys it.
            if (m_formStyle != fsMDIChild)
                Hide();
            Application->ReleaseForm(this);
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
    // Coming back from a modal form is not a new activation of the form below:
    // hiding this window activates that form at once (WM_ACTIVATE arrives
    // inside ShowWindow), so it must already be the focused form by then, or
    // it would raise OnActivate as if the user had come from elsewhere.
    Screen->SetFocusedForm(previousForm);
    Hide();
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
        if (!GetMessageW(&msg, nullptr, 0, 0)) {
            // Leave the quit request for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_modalResult = mrCancel;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return m_modalResult;
}

} // namespace tarnivo
