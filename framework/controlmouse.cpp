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
