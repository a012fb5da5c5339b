#include "control.h"

#include "application.h"
#include "canvas.h"
#include "form.h"
#include "windowshook.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace tarnivo {

namespace {

const char* const ControlProp = "TarnivoControl";
const char* const FrameworkWindowClass = "TarnivoWindow";

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

bool IsMouseMessage(UINT msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

} // namespace

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(ssShift);
    if (keys & MK_CONTROL) s.Include(ssCtrl);
    if (keys & MK_LBUTTON) s.Include(ssLeft);
    if (keys & MK_RBUTTON) s.Include(ssRight);
    if (keys & MK_MBUTTON) s.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
    return s;
}

// ---------------------------------------------------------------- TControl

namespace {

// "Font" is the control's own font object; assigning one copies its attributes.
TPropInfo FontProperty()
{
    TPropInfo p{"Font", TPropKind::Object, {}, {}, {}};
    p.Get = [](const TObject& o) {
        return TPropValue{const_cast<TFont*>(&static_cast<const TControl&>(o).Font())};
    };
    p.Set = [](TObject& o, const TPropValue& v) {
        auto* source = dynamic_cast<TFont*>(std::get<TObject*>(v));
        if (!source)
            throw EPropertyError("Invalid property value");
        static_cast<TControl&>(o).Font().Assign(*source);
    };
    return p;
}

} // namespace

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo info{
        "TControl",
        &TComponent::StaticClassInfo(),
        {
            published::Integer("Left", &TControl::Left, &TControl::SetLeft),
            published::Integer("Top", &TControl::Top, &TControl::SetTop),
            published::Integer("Width", &TControl::Width, &TControl::SetWidth),
            published::Integer("Height", &TControl::Height, &TControl::SetHeight),
            published::Boolean("Visible", &TControl::Visible, &TControl::SetVisible),
            published::Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled),
            published::Text("Caption", &TControl::Caption, &TControl::SetCaption),
            published::Integer("Color", &TControl::Color, &TControl::SetColor),
            FontProperty(),
        }};
    return info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      m_hooks(std::make_shared<TWindowProcChain>([this](TMessage& m) { WndProc(m); })),
      m_font(std::make_unique<TFont>())
{
    m_font->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    // Components owned by a control (a skin object hooking it) go while
    // the control is still whole.
    DestroyComponents();
    if (m_parent)
        m_parent->RemoveControl(this);
    m_hooks->Cut();
}

void TControl::WindowProc(TMessage& message)
{
    // The chain stays alive through a message that frees the control.
    std::shared_ptr<TWindowProcChain> chain = m_hooks;
    chain->Dispatch(message);
}

THookId TControl::AddWindowProcHook(TWndMethod hook)
{
    return m_hooks->Add(std::move(hook));
}

void TControl::RemoveWindowProcHook(THookId id)
{
    m_hooks->Remove(id);
}

void TControl::CallNextWindowProc(THookId id, TMessage& message)
{
    std::shared_ptr<TWindowProcChain> chain = m_hooks;
    chain->CallNext(id, message);
}

void TControl::SetParent(TWinControl* parent)
{
    if (m_parent == parent)
        return;
    if (m_parent)
        m_parent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    Invalidate();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    Invalidate();
    BoundsChanged();
}

void TControl::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible, 0);
}

void TControl::VisibleChanged()
{
    if (m_parent && m_parent->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(m_parent->Handle(), &r, TRUE);
    }
}

void TControl::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const std::string& text)
{
    if (m_text == text)
        return;
    m_text = text;
    TextChanged();
}

void TControl::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Invalidate();
}

void TControl::Invalidate()
{
    if (m_visible && m_parent && m_parent->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(m_parent->Handle(), &r, TRUE);
    }
}

void TControl::Repaint()
{
    Invalidate();
    if (m_parent && m_parent->HandleAllocated())
        UpdateWindow(m_parent->Handle());
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message)
{
    if (IsMouseMessage(message.Msg) && HandleMouse(message))
        return;
    if ((message.Msg == CN_NOTIFY || message.Msg == WM_NOTIFY) && !NotifyRecord(message.LParam)) {
        // Not a notification record (a handshake value in lParam): the
        // handlers in Dispatch would read it as one.
        DefaultHandler(message);
        return;
    }
    Dispatch(message);
}

bool TControl::HandleMouse(TMessage& message)
{
    // The control's own processing first (a list view selects the item under
    // the cursor), then the events, which therefore see the new state.
    Dispatch(message);
    int x = GET_X_LPARAM(message.LParam);
    int y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = KeysToShiftState(message.WParam);
    switch (message.Msg) {
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    case WM_LBUTTONDOWN:
        m_mouseDown = true;
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, shift, x, y); break;
    case WM_LBUTTONUP: {
        bool wasDown = m_mouseDown;
        m_mouseDown = false;
        MouseUp(mbLeft, shift, x, y);
        RECT r = ClientRect();
        POINT p{x, y};
        if (wasDown && m_clicksOnMouseUp && PtInRect(&r, p))
            Click();
        break;
    }
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    case WM_LBUTTONDBLCLK:
        DblClick();
        shift.Include(ssDouble);
        MouseDown(mbLeft, shift, x, y);
        break;
    }
    return true;
}

void TControl::Dispatch(TMessage& message)
{
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message)
{
    message.Result = 0;
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

// ------------------------------------------------------------- TWinControl

const TClassInfo& TWinControl::StaticClassInfo()
{
    static const TClassInfo info{
        "TWinControl",
        &TControl::StaticClassInfo(),
        {
            published::Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
            published::Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
        }};
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    m_clicksOnMouseUp = false;
}

TWinControl::~TWinControl()
{
    DestroyComponents();
    // Children leave first: they may need this window while they go.
    while (!m_controls.empty())
        m_controls.back()->SetParent(nullptr);
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window)
{
    return window ? static_cast<TWinControl*>(GetPropA(window, ControlProp)) : nullptr;
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
    bool shown = (GetWindowLongA(m_handle, GWL_STYLE) & WS_VISIBLE) != 0;
    DestroyHandle();
    HWND window = Handle();
    if (shown && !(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
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
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = InitWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = FrameworkWindowClass;
        RegisterClassA(&wc);
        registered = true;
    }

    TCreateParams params;
    CreateParams(params);
    // Asking for the parent's window may have made the parent's, which makes
    // its children's windows, this one's included.
    if (m_handle)
        return;
    m_systemClass = !params.SystemClass.empty();
    const char* cls = m_systemClass ? params.SystemClass.c_str() : FrameworkWindowClass;

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
    HWND window = CreateWindowExA(params.ExStyle, cls, params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    spotter.Remove();
    if (!window)
        throw EOutOfResources("Error creating window");
    // A system control's window is taken over now; the framework's own class
    // took it over at its first message (InitWndProc).
    if (m_handle != window && !AttachToWindow(window)) {
        DestroyWindow(window);
        throw EOutOfResources("Error creating window");
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
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
    SetPropA(window, ControlProp, this);
    return true;
}

void TWinControl::DetachFromWindow()
{
    if (!m_handle)
        return;
    RemovePropA(m_handle, ControlProp);
    m_subclass.Remove();
    m_handle = nullptr;
    m_mouseInside = false;
    m_mouseControl = nullptr;
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
        auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
        return CallWindowProcA(proc, window, msg, wParam, lParam);
    }
    return DefWindowProcA(window, msg, wParam, lParam);
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

void TWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!m_systemClass) {
            HandlePaint(message);
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (!m_systemClass) {
            EraseBackground(reinterpret_cast<HDC>(message.WParam));
            message.Result = 1;
            return;
        }
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:   // from a scroll-bar or track-bar child: lParam is its window
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        if (ReflectToChild(message))
            return;
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (HandleKeys(message))
            return;
        break;
    case WM_SETFOCUS:
        if (TForm* form = ParentForm(this)) {
            form->ControlFocused(this);
            form->Perform(CM_FOCUSCHANGED, 0,
                          reinterpret_cast<LPARAM>(static_cast<TControl*>(this)));
        }
        if (OnEnter)
            OnEnter(this);
        break;
    case WM_KILLFOCUS:
        Perform(CM_EXIT, 0, 0);
        if (OnExit)
            OnExit(this);
        break;
    case WM_MOUSEMOVE:
        TrackMouse(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        break;
    case WM_MOUSELEAVE:
        MouseLeft();
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
        if (!(pos->flags & SWP_NOMOVE)) {
            m_left = pos->x;
            m_top = pos->y;
        }
        if (!(pos->flags & SWP_NOSIZE)) {
            m_width = pos->cx;
            m_height = pos->cy;
        }
        break;
    }
    case CM_FOCUSCHANGED:
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
        Broadcast(message);
        return;
    case CM_RECREATEWND:
        RecreateNow();
        message.Result = 0;
        return;
    }
    DefaultHandler(message);
}

void TWinControl::Broadcast(TMessage& message)
{
    message.Result = 0;
    // A copy: a receiver may add or remove controls.
    std::vector<TControl*> controls = m_controls;
    for (TControl* c : controls) {
        if (std::find(m_controls.begin(), m_controls.end(), c) == m_controls.end())
            continue;
        message.Result = c->Perform(message.Msg, message.WParam, message.LParam);
        if (message.Result != 0)
            return;
    }
}

bool TWinControl::ReflectToChild(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(message.LParam); break;
    case WM_NOTIFY:
        if (const NMHDR* header = NotifyRecord(message.LParam))
            child = header->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (d->CtlType != ODT_MENU)
            child = d->hwndItem;
        break;
    }
    case WM_MEASUREITEM:
        return false;
    default:
        child = reinterpret_cast<HWND>(message.LParam);   // WM_CTLCOLOR*
        break;
    }
    TWinControl* control = FromHandle(child);
    if (!control || control == this)
        return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    if (message.Msg >= WM_CTLCOLORMSGBOX && message.Msg <= WM_CTLCOLORSTATIC && !message.Result)
        message.Result = reinterpret_cast<LRESULT>(
            ChildColor(reinterpret_cast<HDC>(message.WParam), control));
    return true;
}

HBRUSH TWinControl::ChildColor(HDC dc, TWinControl* child)
{
    SetTextColor(dc, ColorToRGB(child->Font().Color()));
    SetBkColor(dc, ColorToRGB(child->Color()));
    child->UpdateChildBrush();
    return child->m_brush.Get();
}

void TWinControl::UpdateChildBrush()
{
    if (m_brush && m_brushColor == Color())
        return;
    m_brushColor = Color();
    m_brush.Reset(CreateSolidBrush(ColorToRGB(m_brushColor)));
}

bool TWinControl::WantsKey(WPARAM key, LRESULT wanted)
{
    LRESULT code = SendMessageA(m_handle, WM_GETDLGCODE, key, 0);
    return (code & (wanted | DLGC_WANTALLKEYS)) != 0;
}

// Offers a key that the focused control does not want to the form (the
// form passes it to all its controls); a nonzero answer consumes it.
bool TWinControl::SendToForm(UINT cm, TMessage& message)
{
    TControl* target = ParentForm(this);
    if (!target)
        target = this;
    if (target->Perform(cm, message.WParam, message.LParam) == 0)
        return false;
    message.Result = 0;
    return true;
}

bool TWinControl::HandleKeys(TMessage& message)
{
    switch (message.Msg) {
    case WM_CHAR: {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        if (key == 0)
            return true;   // consumed by the handler
        message.WParam = static_cast<unsigned char>(key);
        return !WantsKey(message.WParam, DLGC_WANTCHARS) && SendToForm(CM_DIALOGCHAR, message);
    }
    case WM_SYSCHAR:
        // Alt+key: an accelerator of the form, else the menu bar's.
        return SendToForm(CM_DIALOGCHAR, message);
    case WM_KEYDOWN:
    case WM_KEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        if (message.Msg == WM_KEYDOWN)
            KeyDown(key, KeyboardShiftState());
        else
            KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return true;
        message.WParam = key;
        if (message.Msg == WM_KEYUP)
            return false;
        LRESULT wanted = 0;
        switch (key) {
        case VK_TAB: wanted = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: wanted = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_CANCEL: wanted = DLGC_WANTMESSAGE; break;
        default: return false;   // not a dialog key
        }
        return !WantsKey(key, wanted) && SendToForm(CM_DIALOGKEY, message);
    }
    }
    return false;
}

void TWinControl::TrackMouse(int x, int y)
{
    if (!m_mouseInside && m_handle) {
        // Windows posts WM_MOUSELEAVE once the pointer leaves the client area.
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_handle, 0};
        if (TrackMouseEvent(&track)) {
            m_mouseInside = true;
            Perform(CM_MOUSEENTER, 0, 0);
        }
    }
    // The graphic child on top under the pointer (the last one painted).
    TControl* over = nullptr;
    POINT p{x, y};
    for (auto it = m_controls.rbegin(); it != m_controls.rend() && !over; ++it) {
        RECT r = (*it)->BoundsRect();
        if (dynamic_cast<TGraphicControl*>(*it) && (*it)->Visible() && PtInRect(&r, p))
            over = *it;
    }
    if (over == m_mouseControl)
        return;
    TControl* left = std::exchange(m_mouseControl, over);
    if (left)
        left->Perform(CM_MOUSELEAVE, 0, 0);
    if (over)
        over->Perform(CM_MOUSEENTER, 0, 0);
}

void TWinControl::MouseLeft()
{
    m_mouseInside = false;
    if (TControl* left = std::exchange(m_mouseControl, nullptr))
        left->Perform(CM_MOUSELEAVE, 0, 0);
    Perform(CM_MOUSELEAVE, 0, 0);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::HandlePaint(TMessage& message)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_handle, &ps);
    PaintWindow(dc);
    EndPaint(m_handle, &ps);
    message.Result = 0;
}

void TWinControl::EraseBackground(HDC dc)
{
    RECT r;
    GetClientRect(m_handle, &r);
    GdiBrush brush(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &r, brush.Get());
}

void TWinControl::PaintWindow(HDC dc)
{
    PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* c : m_controls) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible())
            continue;
        int saved = SaveDC(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + g->Left(), origin.y + g->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, g->Width(), g->Height());
        {
            TCanvas canvas;
            canvas.SetHandle(dc);
            g->Paint(canvas);
            canvas.SetHandle(nullptr);
        }
        RestoreDC(dc, saved);
    }
}

std::string TWinControl::Text() const
{
    if (!m_handle)
        return TControl::Text();
    int length = GetWindowTextLengthA(m_handle);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(m_handle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void TWinControl::TextChanged()
{
    if (m_handle)
        SetWindowTextA(m_handle, TControl::Text().c_str());
}

void TWinControl::FontChanged()
{
    if (m_handle)
        SendMessageA(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (m_handle)
        SetWindowPos(m_handle, nullptr, left, top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged();
}

RECT TWinControl::ClientRect() const
{
    RECT r{0, 0, m_width, m_height};
    if (m_handle)
        GetClientRect(m_handle, &r);
    return r;
}

void TWinControl::Invalidate()
{
    if (m_handle)
        InvalidateRect(m_handle, nullptr, TRUE);
}

void TWinControl::VisibleChanged()
{
    if (m_handle)
        ShowWindow(m_handle, Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::EnabledChanged()
{
    if (m_handle)
        EnableWindow(m_handle, Enabled());
    Invalidate();
}

bool TWinControl::Focused() const
{
    return m_handle && GetFocus() == m_handle;
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    TForm* form = ParentForm(this);
    if (form && form != this && !(form->HandleAllocated() && IsWindowVisible(form->Handle()))) {
        // Not on screen yet: the form focuses it when it is shown.
        form->SetActiveControl(this);
        return;
    }
    ::SetFocus(Handle());
}

void TWinControl::InsertControl(TControl* control)
{
    m_controls.push_back(control);
    control->m_parent = this;
    if (auto* w = dynamic_cast<TWinControl*>(control); w && m_handle)
        w->HandleNeeded();
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control)
{
    control->Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(control))
        w->DestroyHandle();
    std::erase(m_controls, control);
    if (m_mouseControl == control)
        m_mouseControl = nullptr;
    control->m_parent = nullptr;
}

// ---------------------------------------------------------- TGraphicControl

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info{"TGraphicControl", &TControl::StaticClassInfo(), {}};
    return info;
}

// ----------------------------------------------------------- TCustomControl

const TClassInfo& TCustomControl::StaticClassInfo()
{
    static const TClassInfo info{"TCustomControl", &TWinControl::StaticClassInfo(), {}};
    return info;
}

void TCustomControl::Paint(TCanvas& canvas)
{
    if (OnPaint)
        OnPaint(this);
    (void)canvas;
}

void TCustomControl::PaintWindow(HDC dc)
{
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font().Assign(Font());
        Paint(canvas);
        canvas.SetHandle(nullptr);
    }
    PaintControls(dc);
}

} // namespace tarnivo
