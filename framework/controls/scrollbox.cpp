#include "framework/controls/scrollbox.h"

#include <algorithm>

namespace tarnivo {

namespace {

// One arrow click scrolls this many pixels.
constexpr int LineStep = 8;

int BarPosition(HWND window, int bar)
{
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, 0, 0};
    if (!window || !GetScrollInfo(window, bar, &si))
        return 0;
    return si.nPos;
}

} // namespace

// ----------------------------------------------------- TScrollingWinControl

const TClassInfo& TScrollingWinControl::StaticClassInfo()
{
    static const TClassInfo info{
        "TScrollingWinControl",
        &TWinControl::StaticClassInfo(),
        {
            published::Boolean("AutoScroll", &TScrollingWinControl::AutoScroll,
                               &TScrollingWinControl::SetAutoScroll),
        }};
    return info;
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner)
{
}

int TScrollingWinControl::HorzPosition() const
{
    return BarPosition(controlwindow::Existing(*this), SB_HORZ);
}

int TScrollingWinControl::VertPosition() const
{
    return BarPosition(controlwindow::Existing(*this), SB_VERT);
}

void TScrollingWinControl::HandleCreated()
{
    UpdateScrollRange();
}

void TScrollingWinControl::SetAutoScroll(bool autoScroll)
{
    if (m_autoScroll == autoScroll)
        return;
    m_autoScroll = autoScroll;
    if (!autoScroll)
        ScrollTo(0, 0);
    UpdateScrollRange();
}

void TScrollingWinControl::UpdateScrollRange()
{
    HWND window = controlwindow::Existing(*this);
    if (!window || m_updating)
        return;
    m_updating = true;
    // The content's extent in unscrolled coordinates.
    int right = 0;
    int bottom = 0;
    int x = HorzPosition();
    int y = VertPosition();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!c->Visible() || (m_leaving && w && w->HandleAllocated() && w->Handle() == m_leaving))
            continue;
        right = std::max(right, c->Left() + c->Width() + x);
        bottom = std::max(bottom, c->Top() + c->Height() + y);
    }
    // Showing one bar narrows the client area, which may call for the
    // other: two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        RECT client;
        GetClientRect(window, &client);
        SCROLLINFO h{sizeof(h), SIF_RANGE | SIF_PAGE, 0, m_autoScroll ? std::max(right - 1, 0) : 0,
                     m_autoScroll ? static_cast<UINT>(client.right) : 0, 0, 0};
        SCROLLINFO v{sizeof(v), SIF_RANGE | SIF_PAGE, 0, m_autoScroll ? std::max(bottom - 1, 0) : 0,
                     m_autoScroll ? static_cast<UINT>(client.bottom) : 0, 0, 0};
        SetScrollInfo(window, SB_HORZ, &h, TRUE);
        SetScrollInfo(window, SB_VERT, &v, TRUE);
    }
    // The system pulls a position back into a smaller range; the children
    // follow it.
    MoveContent(x - HorzPosition(), y - VertPosition());
    m_updating = false;
}

void TScrollingWinControl::MoveContent(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    Invalidate();
}

void TScrollingWinControl::ScrollTo(int x, int y)
{
    HWND window = controlwindow::Existing(*this);
    if (!window)
        return;
    int oldX = HorzPosition();
    int oldY = VertPosition();
    // SetScrollInfo keeps a position within range and page.
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, x, 0};
    SetScrollInfo(window, SB_HORZ, &si, TRUE);
    si.nPos = y;
    SetScrollInfo(window, SB_VERT, &si, TRUE);
    MoveContent(oldX - HorzPosition(), oldY - VertPosition());
}

void TScrollingWinControl::ScrollInView(TControl* control)
{
    if (!control || control->Parent() != this)
        return;
    RECT client = ClientRect();
    // The control in content coordinates, and the view's new origin.
    int x = HorzPosition();
    int y = VertPosition();
    int left = control->Left() + x;
    int top = control->Top() + y;
    if (left + control->Width() > x + client.right)
        x = left + control->Width() - client.right;
    if (top + control->Height() > y + client.bottom)
        y = top + control->Height() - client.bottom;
    // The top-left corner wins over the bottom-right one.
    x = std::min(x, left);
    y = std::min(y, top);
    ScrollTo(x, y);
}

void TScrollingWinControl::Scroll(int bar, int request)
{
    HWND window = Handle();
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, bar, &si);
    int position = si.nPos;
    int page = std::max(static_cast<int>(si.nPage), 1);
    switch (request) {
    case SB_LINEUP: position -= LineStep; break;
    case SB_LINEDOWN: position += LineStep; break;
    case SB_PAGEUP: position -= page; break;
    case SB_PAGEDOWN: position += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = si.nTrackPos; break;
    case SB_TOP: position = si.nMin; break;
    case SB_BOTTOM: position = si.nMax; break;
    default: return;
    }
    if (bar == SB_HORZ)
        ScrollTo(position, VertPosition());
    else
        ScrollTo(HorzPosition(), position);
}

void TScrollingWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The window's own bars send no handle; a child's goes to the child.
        if (message.LParam == 0) {
            Scroll(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.WParam));
            message.Result = 0;
            return;
        }
        break;
    }
    TWinControl::Dispatch(message);
    // A child window made or destroyed changes the content; the system
    // reports both (children moved or graphic children added do not tell,
    // hence UpdateScrollRange).
    if (message.Msg == WM_SIZE ||
        (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE))
        UpdateScrollRange();
    if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_DESTROY) {
        // The child is still among the controls while its window goes.
        m_leaving = reinterpret_cast<HWND>(message.LParam);
        UpdateScrollRange();
        m_leaving = nullptr;
    }
}

// --------------------------------------------------------------- TScrollBox

const TClassInfo& TScrollBox::StaticClassInfo()
{
    static const TClassInfo info{
        "TScrollBox",
        &TScrollingWinControl::StaticClassInfo(),
        {
            published::Enumeration("BorderStyle", {"bsNone", "bsSingle"}, &TScrollBox::BorderStyle,
                                   &TScrollBox::SetBorderStyle),
            published::Boolean("Ctl3D", &TScrollBox::Ctl3D, &TScrollBox::SetCtl3D),
        }};
    return info;
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TScrollBox::CreateParams(TCreateParams& params)
{
    TScrollingWinControl::CreateParams(params);
    m_border.CreateParams(params);
}

} // namespace tarnivo
