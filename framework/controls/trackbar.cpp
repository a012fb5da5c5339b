#include "framework/controls/trackbar.h"

#include "framework/controls/controlwindow.h"
#include "framework/formscale.h"

#include <algorithm>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

const TClassInfo& TTrackBar::StaticClassInfo()
{
    static const TClassInfo info{
        "TTrackBar",
        &TWinControl::StaticClassInfo(),
        {
            published::Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin),
            published::Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax),
            published::Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition),
            published::Integer("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize),
            published::Integer("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize),
            published::Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency),
            published::Integer("SelStart", &TTrackBar::SelStart, &TTrackBar::SetSelStart),
            published::Integer("SelEnd", &TTrackBar::SelEnd, &TTrackBar::SetSelEnd),
            published::Integer("ThumbLength", &TTrackBar::ThumbLength, &TTrackBar::SetThumbLength),
            published::Enumeration("Orientation", {"trHorizontal", "trVertical"},
                                   &TTrackBar::Orientation, &TTrackBar::SetOrientation),
            published::Enumeration("TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"},
                                   &TTrackBar::TickMarks, &TTrackBar::SetTickMarks),
            published::Enumeration("TickStyle", {"tsNone", "tsAuto", "tsManual"},
                                   &TTrackBar::TickStyle, &TTrackBar::SetTickStyle),
            published::Boolean("SliderVisible", &TTrackBar::SliderVisible,
                               &TTrackBar::SetSliderVisible),
        }};
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = TRACKBAR_CLASSA;
    params.Style |= TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
    params.Style |= m_orientation == trVertical ? TBS_VERT : TBS_HORZ;
    switch (m_tickMarks) {
    case tmBottomRight: break;   // TBS_BOTTOM / TBS_RIGHT are 0
    case tmTopLeft: params.Style |= TBS_TOP; break;
    case tmBoth: params.Style |= TBS_BOTH; break;
    }
    if (m_tickStyle == tsNone)
        params.Style |= TBS_NOTICKS;
    else if (m_tickStyle == tsAuto)
        params.Style |= TBS_AUTOTICKS;
    if (!m_sliderVisible)
        params.Style |= TBS_NOTHUMB;
}

void TTrackBar::HandleCreated()
{
    HWND window = Handle();
    Send(window, TBM_SETRANGEMIN, FALSE, m_min);
    Send(window, TBM_SETRANGEMAX, FALSE, m_max);
    Send(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(m_thumbLength));
    Send(window, TBM_SETPAGESIZE, 0, m_pageSize);
    Send(window, TBM_SETLINESIZE, 0, m_lineSize);
    Send(window, TBM_SETTICFREQ, static_cast<WPARAM>(m_frequency));
    Send(window, TBM_SETSEL, FALSE, MAKELPARAM(m_selStart, m_selEnd));
    Send(window, TBM_SETPOS, TRUE, m_position);
}

void TTrackBar::HandleDestroying()
{
    m_min = Min();
    m_max = Max();
    m_position = Position();
    m_pageSize = PageSize();
    m_lineSize = LineSize();
    m_selStart = SelStart();
    m_selEnd = SelEnd();
    m_thumbLength = ThumbLength();
}

int TTrackBar::Min() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETRANGEMIN)) : m_min;
}

int TTrackBar::Max() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETRANGEMAX)) : m_max;
}

int TTrackBar::Position() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETPOS)) : m_position;
}

void TTrackBar::SetParams(int position, int min, int max)
{
    if (max < min)
        throw EPropertyError("Track bar range " + std::to_string(min) + ".." +
                             std::to_string(max) + " is empty");
    int before = Position();
    m_min = min;
    m_max = max;
    m_position = std::clamp(position, min, max);
    if (HWND window = Existing(*this)) {
        Send(window, TBM_SETRANGEMIN, FALSE, min);
        Send(window, TBM_SETRANGEMAX, FALSE, max);
        Send(window, TBM_SETPOS, TRUE, m_position);
    }
    Changed(before);
}

void TTrackBar::SetMin(int value) { SetParams(Position(), value, Max()); }
void TTrackBar::SetMax(int value) { SetParams(Position(), Min(), value); }
void TTrackBar::SetPosition(int value) { SetParams(value, Min(), Max()); }

void TTrackBar::Changed(int before)
{
    if (Position() != before && OnChange)
        OnChange(this);
}

int TTrackBar::PageSize() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETPAGESIZE)) : m_pageSize;
}

void TTrackBar::SetPageSize(int value)
{
    m_pageSize = value;
    if (HWND window = Existing(*this))
        Send(window, TBM_SETPAGESIZE, 0, value);
}

int TTrackBar::LineSize() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETLINESIZE)) : m_lineSize;
}

void TTrackBar::SetLineSize(int value)
{
    m_lineSize = value;
    if (HWND window = Existing(*this))
        Send(window, TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetFrequency(int value)
{
    value = std::max(value, 1);
    if (m_frequency == value)
        return;
    m_frequency = value;
    if (HWND window = Existing(*this))
        Send(window, TBM_SETTICFREQ, static_cast<WPARAM>(value));
}

int TTrackBar::SelStart() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETSELSTART)) : m_selStart;
}

void TTrackBar::SetSelStart(int value)
{
    m_selStart = value;
    if (HWND window = Existing(*this))
        Send(window, TBM_SETSELSTART, TRUE, value);
}

int TTrackBar::SelEnd() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETSELEND)) : m_selEnd;
}

void TTrackBar::SetSelEnd(int value)
{
    m_selEnd = value;
    if (HWND window = Existing(*this))
        Send(window, TBM_SETSELEND, TRUE, value);
}

int TTrackBar::ThumbLength() const
{
    HWND window = Existing(*this);
    return window ? static_cast<int>(Send(window, TBM_GETTHUMBLENGTH)) : m_thumbLength;
}

void TTrackBar::ScaleOwnLengths(int num, int den)
{
    SetThumbLength(ScaleValue(ThumbLength(), num, den));
}

void TTrackBar::SetThumbLength(int value)
{
    m_thumbLength = value;
    if (HWND window = Existing(*this))
        Send(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(value));
}

void TTrackBar::Restyle()
{
    RecreateWnd();
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation)
{
    if (m_orientation == orientation)
        return;
    m_orientation = orientation;
    // The bar turns with its orientation.
    SetBounds(Left(), Top(), Height(), Width());
    Restyle();
}

void TTrackBar::SetTickMarks(TTickMark marks)
{
    if (m_tickMarks == marks)
        return;
    m_tickMarks = marks;
    Restyle();
}

void TTrackBar::SetTickStyle(TTickStyle style)
{
    if (m_tickStyle == style)
        return;
    m_tickStyle = style;
    Restyle();
}

void TTrackBar::SetSliderVisible(bool visible)
{
    if (m_sliderVisible == visible)
        return;
    m_sliderVisible = visible;
    Restyle();
}

void TTrackBar::Dispatch(TMessage& message)
{
    // The control has moved its thumb already when it tells the parent.
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        if (LOWORD(message.WParam) != TB_ENDTRACK && OnChange)
            OnChange(this);
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

} // namespace tarnivo
