#include "control.h"

#include "application.h"
#include "canvas.h"
#include "form.h"

#include <windowsx.h>

#include <algorithm>

namespace tarnivo {

namespace {

const char* const ControlProp = "TarnivoControl";
const char* const FrameworkWindowClass = "TarnivoWindow";

// The control whose window CreateWindowEx is making right now: messages that
// arrive before CreateWindowEx returns (WM_NCCREATE, WM_CREATE, WM_SIZE) find
// their control through it.
thread_local TWinControl* CreatingControl = nullptr;

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
    : TComponent(owner), m_font(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    m_font->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    if (m_parent)
        m_parent->RemoveControl(this);
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
    Invalidate();
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
    // Children leave first: they may need this window while they go.
    while (!m_controls.empty())
        m_controls.back()->SetParent(nullptr);
    DestroyHandle();
    if (m_brush)
        DeleteObject(m_brush);
}

TWinControl* TWinControl::FromHandle(HWND window)
{
    return window ? static_cast<TWinControl*>(GetPropA(window, ControlProp)) : nullptr;
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
    // WM_NCDESTROY normally detaches; make sure even if the window was gone.
    if (m_handle == window)
        DetachFromWindow();
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
}

void TWinControl::CreateWnd()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = StdWndProc;
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
    const char* cls = params.SystemClass.empty() ? FrameworkWindowClass
                                                 : params.SystemClass.c_str();
    TWinControl* previous = CreatingControl;
    CreatingControl = params.SystemClass.empty() ? this : nullptr;
    HWND window = CreateWindowExA(params.ExStyle, cls, params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    CreatingControl = previous;
    if (!window)
        throw EOutOfResources("Error creating window");

    if (!params.SystemClass.empty()) {
        // A system control: put our procedure in front of its own.
        AttachToWindow(window);
        m_defWndProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc)));
    } else if (m_handle != window) {
        AttachToWindow(window);
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    HandleCreated();
    for (TControl* c : m_controls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->HandleNeeded();
}

void TWinControl::AttachToWindow(HWND window)
{
    m_handle = window;
    SetPropA(window, ControlProp, this);
}

void TWinControl::DetachFromWindow()
{
    if (!m_handle)
        return;
    RemovePropA(m_handle, ControlProp);
    if (m_defWndProc && IsWindow(m_handle))
        SetWindowLongPtrA(m_handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_defWndProc));
    m_defWndProc = nullptr;
    m_handle = nullptr;
}

LRESULT CALLBACK TWinControl::StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* control = FromHandle(window);
    if (!control && CreatingControl) {
        control = CreatingControl;
        control->AttachToWindow(window);
    }
    if (!control)
        return DefWindowProcA(window, msg, wParam, lParam);

    TMessage message{msg, wParam, lParam, 0};
    try {
        control->WindowProc(message);
    } catch (...) {
        // No exception crosses a window procedure.
        Application->HandleException(std::current_exception());
    }
    if (msg == WM_NCDESTROY && control->m_handle == window)
        control->DetachFromWindow();
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (!m_handle) {
        message.Result = 0;
        return;
    }
    if (m_defWndProc)
        message.Result = CallWindowProcA(m_defWndProc, m_handle, message.Msg, message.WParam,
                                         message.LParam);
    else
        message.Result = DefWindowProcA(m_handle, message.Msg, message.WParam, message.LParam);
}

void TWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!m_defWndProc) {
            HandlePaint(message);
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (!m_defWndProc) {
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
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (HandleKeys(message))
            return;
        break;
    case WM_SETFOCUS:
        if (TForm* form = ParentForm(this))
            form->ControlFocused(this);
        if (OnEnter)
            OnEnter(this);
        break;
    case WM_KILLFOCUS:
        if (OnExit)
            OnExit(this);
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
    }
    DefaultHandler(message);
}

bool TWinControl::ReflectToChild(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(message.LParam); break;
    case WM_NOTIFY: child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom; break;
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
    return child->m_brush ? child->m_brush : (child->UpdateChildBrush(), child->m_brush);
}

void TWinControl::UpdateChildBrush()
{
    if (m_brush && m_brushColor == Color())
        return;
    if (m_brush)
        DeleteObject(m_brush);
    m_brushColor = Color();
    m_brush = CreateSolidBrush(ColorToRGB(m_brushColor));
}

bool TWinControl::HandleKeys(TMessage& message)
{
    if (message.Msg == WM_CHAR) {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        if (key == 0)
            return true;   // consumed by the handler
        message.WParam = static_cast<unsigned char>(key);
        return false;
    }
    WORD key = static_cast<WORD>(message.WParam);
    if (message.Msg == WM_KEYDOWN)
        KeyDown(key, KeyboardShiftState());
    else
        KeyUp(key, KeyboardShiftState());
    if (key == 0)
        return true;
    message.WParam = key;
    return false;
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
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
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
