#include "framework/controls/scrollbar.h"

#include "framework/controls/controlwindow.h"

#include <algorithm>

namespace tarnivo {

using controlwindow::Existing;

const TClassInfo& TScrollBar::StaticClassInfo()
{
    static const TClassInfo info{
        "TScrollBar",
        &TWinControl::StaticClassInfo(),
        {
            published::Enumeration("Kind", {"sbHorizontal", "sbVertical"}, &TScrollBar::Kind,
                                   &TScrollBar::SetKind),
            published::Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin),
            published::Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax),
            published::Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition),
            published::Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize),
            published::Integer("SmallChange", &TScrollBar::SmallChange,
                               &TScrollBar::SetSmallChange),
            published::Integer("LargeChange", &TScrollBar::LargeChange,
                               &TScrollBar::SetLargeChange),
        }};
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "SCROLLBAR";
    params.Style |= m_kind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::HandleCreated()
{
    Apply();
}

void TScrollBar::HandleDestroying()
{
    SCROLLINFO si = Info(SIF_ALL);
    m_min = si.nMin;
    m_max = si.nMax;
    m_pageSize = static_cast<int>(si.nPage);
    m_position = si.nPos;
}

SCROLLINFO TScrollBar::Info(UINT mask) const
{
    SCROLLINFO si{sizeof(si), mask, m_min, m_max, static_cast<UINT>(m_pageSize), m_position, 0};
    if (HWND window = Existing(*this))
        GetScrollInfo(window, SB_CTL, &si);
    return si;
}

void TScrollBar::Apply()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO si{sizeof(si), SIF_ALL, m_min, m_max, static_cast<UINT>(m_pageSize), m_position, 0};
    SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

int TScrollBar::Min() const { return Info(SIF_RANGE).nMin; }
int TScrollBar::Max() const { return Info(SIF_RANGE).nMax; }
int TScrollBar::Position() const { return Info(SIF_POS).nPos; }
int TScrollBar::PageSize() const { return static_cast<int>(Info(SIF_PAGE).nPage); }

namespace {

// The last position the thumb can take: a page covers Max at its end.
int ClampPosition(int position, int min, int max, int page)
{
    long long last = page > 0 ? static_cast<long long>(max) - page + 1 : max;
    return static_cast<int>(std::clamp<long long>(position, min, std::max<long long>(min, last)));
}

int PageWithin(long long page, int min, int max)
{
    return static_cast<int>(std::clamp<long long>(page, 0, static_cast<long long>(max) - min + 1));
}

} // namespace

int TScrollBar::Clamp(int position) const
{
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE);
    return ClampPosition(position, si.nMin, si.nMax, static_cast<int>(si.nPage));
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min)
        throw EPropertyError("Scroll bar range " + std::to_string(min) + ".." +
                             std::to_string(max) + " is empty");
    int before = Position();
    m_pageSize = PageWithin(PageSize(), min, max);
    m_min = min;
    m_max = max;
    m_position = ClampPosition(position, min, max, m_pageSize);
    Apply();
    if (Position() != before && OnChange)
        OnChange(this);
}

void TScrollBar::SetMin(int value) { SetParams(Position(), value, Max()); }
void TScrollBar::SetMax(int value) { SetParams(Position(), Min(), value); }
void TScrollBar::SetPosition(int value) { SetParams(value, Min(), Max()); }

void TScrollBar::SetPageSize(int value)
{
    int before = Position();
    m_min = Min();
    m_max = Max();
    m_pageSize = PageWithin(value, m_min, m_max);
    m_position = ClampPosition(before, m_min, m_max, m_pageSize);
    Apply();
    if (Position() != before && OnChange)
        OnChange(this);
}

void TScrollBar::SetKind(TScrollBarKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    if (HandleAllocated()) {
        // A vertical bar is as wide as a horizontal one is high, and back.
        int w = Width();
        int h = Height();
        RecreateWnd();
        SetBounds(Left(), Top(), h, w);
    } else {
        SetBounds(Left(), Top(), Height(), Width());
    }
}

void TScrollBar::Scroll(int request, int trackPosition)
{
    static constexpr TScrollCode codes[] = {scLineUp, scLineDown,  scPageUp, scPageDown, scPosition,
                                            scTrack,  scTop,       scBottom, scEndScroll};
    if (request < 0 || request > SB_ENDSCROLL)
        return;
    int position = Position();
    switch (request) {
    case SB_LINEUP: position -= m_smallChange; break;
    case SB_LINEDOWN: position += m_smallChange; break;
    case SB_PAGEUP: position -= m_largeChange; break;
    case SB_PAGEDOWN: position += m_largeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = trackPosition; break;
    case SB_TOP: position = Min(); break;
    case SB_BOTTOM: position = Max(); break;
    case SB_ENDSCROLL: break;
    }
    if (OnScroll)
        OnScroll(this, codes[request], position);
    if (request != SB_ENDSCROLL)
        SetPosition(Clamp(position));
}

void TScrollBar::Dispatch(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        // The tracked place comes 32 bits wide from the window; the 16 bits
        // of wParam would cut ranges above 65535.
        Scroll(LOWORD(message.WParam), Info(SIF_TRACKPOS).nTrackPos);
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

} // namespace tarnivo
