// TWinControl: its message switch, its children, bounds, text, visibility
// and focus.

#include "control.h"

#include "form.h"
#include "unicodetext.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace tarnivo {

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

std::string TWinControl::Text() const
{
    if (!m_handle)
        return TControl::Text();
    int length = GetWindowTextLengthW(m_handle);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    length = GetWindowTextW(m_handle, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return ToUtf8(text);
}

void TWinControl::TextChanged()
{
    if (m_handle)
        SetWindowTextW(m_handle, ToWide(TControl::Text()).c_str());
}

void TWinControl::FontChanged()
{
    if (m_handle)
        SendMessageW(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
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
    if (control->m_parentColor)
        control->ApplyColor(Color());
    if (control->m_parentFont)
        control->ApplyFont(Font());
    if (auto* w = dynamic_cast<TWinControl*>(control); w && m_handle)
        w->HandleNeeded();
    control->Invalidate();
}

void TWinControl::ColorChanged()
{
    TControl::ColorChanged();
    for (TControl* child : m_controls)
        if (child->m_parentColor)
            child->ApplyColor(Color());
}

void TWinControl::RemoveControl(TControl* control)
{
    control->Invalidate();
    if (auto* w = dynamic_cast<TWinControl*>(control))
        w->DestroyHandle();
    std::erase(m_controls, control);
    if (m_mouseControl == control)
        m_mouseControl = nullptr;
    if (m_captureControl == control)
        ReleaseChildCapture();
    control->m_parent = nullptr;
}

} // namespace tarnivo
