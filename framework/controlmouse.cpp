// Mouse messages: a control's presses, releases and moves as events, and
// the pointer entering and leaving a windowed control and its graphic
// children (CM_MOUSEENTER, CM_MOUSELEAVE).

#include "control.h"

#include <windowsx.h>

#include <utility>

namespace tarnivo {

bool IsMouseMessage(UINT msg)
{
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

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

void TWinControl::WndProc(TMessage& message)
{
    if (IsMouseMessage(message.Msg) && RouteMouseToChild(message))
        return;
    if (message.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(message.LParam) != m_handle)
        m_captureControl = nullptr;   // another window took the mouse: the press is over
    TControl::WndProc(message);
}

// The graphic child on top at a point of the client area (the last one
// painted), skipping hidden and disabled ones.
TControl* TWinControl::GraphicChildAt(POINT p) const
{
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        RECT r = c->BoundsRect();
        if (dynamic_cast<TGraphicControl*>(c) && c->Visible() && c->Enabled() && PtInRect(&r, p))
            return c;
    }
    return nullptr;
}

bool TWinControl::RouteMouseToChild(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: break;
    default: return false;
    }
    // A system control hit-tests its own window: the graphic children of one
    // (a tool bar's buttons) are items it handles itself.
    if (m_systemClass || !m_handle)
        return false;
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = m_captureControl ? m_captureControl : GraphicChildAt(p);
    if (!target)
        return false;
    if (message.Msg == WM_MOUSEMOVE)
        TrackMouse(p.x, p.y);
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
        // Held, so that a release outside the window still comes here and
        // the child learns the press is over.
        m_captureControl = target;
        SetCapture(m_handle);
    }
    const bool release = message.Msg == WM_LBUTTONUP;
    const LPARAM at = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    // The child may free itself (or be freed) in its handlers; RemoveControl
    // then drops the capture, and nothing below touches the child.
    message.Result = target->Perform(message.Msg, message.WParam, at);
    if (release)
        ReleaseChildCapture();
    return true;
}

void TWinControl::ReleaseChildCapture()
{
    m_captureControl = nullptr;
    if (m_handle && GetCapture() == m_handle)
        ReleaseCapture();
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

} // namespace tarnivo
