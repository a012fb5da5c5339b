// A windowed control's window: making it (the framework's class or a system
// class), taking it over through the subclass, the class procedure behind
// it, and destroying and recreating it.

#include "control.h"
#include "unicodetext.h"

#include "ownmessages.h"
#include "windowshook.h"

namespace tarnivo {

namespace {

const wchar_t* const ControlProp = L"TarnivoControl";
const wchar_t* const FrameworkWindowClass = L"TarnivoWindow";

// A CreateWindowEx for a control in progress on this thread. Messages that
// arrive before it returns (WM_NCCREATE, WM_CREATE, WM_SIZE) find their
// control through it, and so do WH_CBT hooks. Windows made while another
// control's messages are handled (a child made in WM_CREATE) push a frame
// of their own.
struct CreationFrame {
    TWinControl* control = nullptr;
    HWND window = nullptr;   // the control's window, known from its HCBT_CREATEWND on
    CreationFrame* outer = nullptr;
};
thread_local CreationFrame* Creating = nullptr;

} // namespace

TWinControl* TWinControl::FromHandle(HWND window)
{
    // Handles come in messages from anywhere. Windows reads the property of
    // another process's window as well, and a control of another copy of the
    // program carries an address that means nothing here.
    if (!window || !IsWindow(window))
        return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return nullptr;
    return static_cast<TWinControl*>(GetPropW(window, ControlProp));
}

TWinControl* TWinControl::CreatingControl(HWND window)
{
    if (!window)
        return nullptr;
    for (CreationFrame* f = Creating; f; f = f->outer)
        if (f->window == window)
            return f->control;
    // A hook that runs before the one in CreateWnd has noted the window can
    // only be asking about the innermost control's own window.
    if (Creating && !Creating->window && !Creating->control->m_handle)
        return Creating->control;
    return nullptr;
}

HWND TWinControl::Handle()
{
    if (!m_handle)
        CreateWnd();
    return m_handle;
}

void TWinControl::DestroyHandle()
{
    if (!m_handle)
        return;
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->DestroyHandle();
    HandleDestroying();
    HWND window = m_handle;
    DestroyWindow(window);
    // WM_NCDESTROY normally detaches; make sure even if it did not get here.
    if (m_handle == window)
        DetachFromWindow();
}

void TWinControl::RecreateWnd()
{
    if (m_handle)
        Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::RecreateNow()
{
    if (!m_handle)
        return;
    bool shown = (GetWindowLongW(m_handle, GWL_STYLE) & WS_VISIBLE) != 0;
    DestroyHandle();
    HWND window = Handle();
    if (shown && !(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(window, SW_SHOWNA);
}

void TWinControl::SetParentWindow(HWND window)
{
    if (m_parentWindow == window)
        return;
    m_parentWindow = window;
    if (!m_handle || Parent())
        return;
    if (window)
        ::SetParent(m_handle, window);
    else
        DestroyHandle();   // a child window cannot live without a parent
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = TControl::Text();
    params.X = m_left;
    params.Y = m_top;
    params.Width = m_width;
    params.Height = m_height;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (m_tabStop)
        params.Style |= WS_TABSTOP;
    if (Parent())
        params.WndParent = Parent()->Handle();
    else
        params.WndParent = m_parentWindow;
}

void TWinControl::CreateWnd()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = InitWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = FrameworkWindowClass;
        RegisterClassW(&wc);
        registered = true;
    }

    TCreateParams params;
    CreateParams(params);
    // Asking for the parent's window may have made the parent's, which makes
    // its children's windows, this one's included.
    if (m_handle)
        return;
    m_systemClass = !params.SystemClass.empty();
    const std::wstring cls = m_systemClass ? ToWide(params.SystemClass) : FrameworkWindowClass;

    CreationFrame frame{this, nullptr, Creating};
    Creating = &frame;
    struct Pop {
        CreationFrame& frame;
        ~Pop() { Creating = frame.outer; }
    } pop{frame};
    // The first window CreateWindowEx announces is this control's own: the
    // windows a control makes for itself come later, from its messages. This
    // hook is the newest on the thread, so it notes the window before any
    // other hook (the skin manager's) asks CreatingControl about it.
    TWindowsHook spotter(WH_CBT, [&frame](int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && !frame.window)
            frame.window = reinterpret_cast<HWND>(wParam);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    HWND window = CreateWindowExW(params.ExStyle, cls.c_str(), ToWide(params.Caption).c_str(),
                                  params.Style, params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
    spotter.Remove();
    if (!window)
        throw EOutOfResources("Error creating window");
    // A system control's window is taken over now; the framework's own class
    // took it over at its first message (InitWndProc).
    if (m_handle != window && !AttachToWindow(window)) {
        DestroyWindow(window);
        throw EOutOfResources("Error creating window");
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    HandleCreated();
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->HandleNeeded();
}

bool TWinControl::AttachToWindow(HWND window)
{
    if (!m_subclass.Install(window, [this](TMessage& m) { MainWndProc(m); }))
        return false;
    m_handle = window;
    SetPropW(window, ControlProp, this);
    return true;
}

void TWinControl::DetachFromWindow()
{
    if (!m_handle)
        return;
    RemovePropW(m_handle, ControlProp);
    m_subclass.Remove();
    m_handle = nullptr;
    m_mouseInside = false;
    m_mouseControl = nullptr;
    m_captureControl = nullptr;
}

// The class procedure of the framework's window class. The first message of
// a window that CreateWnd is making attaches the window to its control and
// goes on through the control's subclass; after that this procedure is
// what is behind the subclass, the default processing.
LRESULT CALLBACK TWinControl::InitWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CreationFrame* frame = Creating;
    // Without the window noted (no CBT hook could be set), the first window
    // that is nobody's yet is the one.
    if (frame && !frame->control->m_handle &&
        (frame->window == window || (!frame->window && !FromHandle(window))) &&
        frame->control->AttachToWindow(window)) {
        frame->window = window;
        auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        return CallWindowProcW(proc, window, msg, wParam, lParam);
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void TWinControl::MainWndProc(TMessage& message)
{
    // After WM_NCDESTROY the window is gone, also when a handler throws.
    struct Detach {
        TWinControl& control;
        bool last;
        ~Detach()
        {
            if (last)
                control.DetachFromWindow();
        }
    } detach{*this, message.Msg == WM_NCDESTROY};
    // The framework delivers its notices through Perform. Arriving through
    // the window procedure they were posted or sent by someone else (any
    // process can), and their parameters would be taken for our objects.
    if (IsFrameworkNotice(message.Msg) && !IsOwnMessage(m_handle, message)) {
        message.Result = 0;
        return;
    }
    WindowProc(message);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (!m_handle) {
        message.Result = 0;
        return;
    }
    m_subclass.CallPrevious(message);
}

} // namespace tarnivo
