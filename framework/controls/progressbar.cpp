#include "framework/controls/progressbar.h"

#include <algorithm>

namespace tarnivo {

namespace {

// A control's window for a query from a const member: only an existing
// window is used (Handle() makes none then), or null.
HWND ExistingWindow(const TWinControl& control)
{
    return control.HandleAllocated() ? const_cast<TWinControl&>(control).Handle() : nullptr;
}

LRESULT Send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageW(window, msg, wParam, lParam);
}

} // namespace

const TClassInfo& TProgressBar::StaticClassInfo()
{
    static const TClassInfo info{
        "TProgressBar",
        &TWinControl::StaticClassInfo(),
        {
            published::Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin),
            published::Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax),
            published::Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
            published::Integer("Step", &TProgressBar::Step, &TProgressBar::SetStep),
            published::Enumeration("Orientation", {"pbHorizontal", "pbVertical"},
                                   &TProgressBar::Orientation, &TProgressBar::SetOrientation),
            published::Boolean("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth),
        }};
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = PROGRESS_CLASSA;
    if (m_orientation == pbVertical)
        params.Style |= PBS_VERTICAL;
    if (m_smooth)
        params.Style |= PBS_SMOOTH;
}

void TProgressBar::HandleCreated()
{
    SendRange();
    Send(Handle(), PBM_SETSTEP, static_cast<WPARAM>(m_step));
    Send(Handle(), PBM_SETPOS, static_cast<WPARAM>(m_position));
}

void TProgressBar::HandleDestroying()
{
    // The window keeps the position; the next window starts from it.
    m_position = Position();
}

void TProgressBar::SendRange()
{
    if (HandleAllocated())
        Send(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(m_min), static_cast<LPARAM>(m_max));
}

int TProgressBar::Min() const
{
    HWND window = ExistingWindow(*this);
    return window ? static_cast<int>(Send(window, PBM_GETRANGE, TRUE)) : m_min;
}

void TProgressBar::SetMin(int value)
{
    if (m_min == value)
        return;
    m_min = value;
    SendRange();
}

int TProgressBar::Max() const
{
    HWND window = ExistingWindow(*this);
    return window ? static_cast<int>(Send(window, PBM_GETRANGE, FALSE)) : m_max;
}

void TProgressBar::SetMax(int value)
{
    if (m_max == value)
        return;
    m_max = value;
    SendRange();
}

int TProgressBar::Position() const
{
    HWND window = ExistingWindow(*this);
    return window ? static_cast<int>(Send(window, PBM_GETPOS)) : m_position;
}

void TProgressBar::SetPosition(int value)
{
    m_position = value;
    if (HandleAllocated())
        Send(Handle(), PBM_SETPOS, static_cast<WPARAM>(value));
}

void TProgressBar::SetStep(int value)
{
    if (m_step == value)
        return;
    m_step = value;
    if (HandleAllocated())
        Send(Handle(), PBM_SETSTEP, static_cast<WPARAM>(value));
}

void TProgressBar::StepIt()
{
    if (HandleAllocated()) {
        Send(Handle(), PBM_STEPIT);
        return;
    }
    // No window yet: the same arithmetic as the control's.
    long long next = static_cast<long long>(m_position) + m_step;
    if ((next < m_min || next > m_max) && m_max > m_min)
        next = m_min + (next - m_min) % (static_cast<long long>(m_max) - m_min);
    m_position = static_cast<int>(next);
}

void TProgressBar::StepBy(int delta)
{
    if (HandleAllocated()) {
        Send(Handle(), PBM_DELTAPOS, static_cast<WPARAM>(delta));
        return;
    }
    m_position = static_cast<int>(std::clamp(static_cast<long long>(m_position) + delta,
                                             static_cast<long long>(m_min),
                                             static_cast<long long>(m_max)));
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation)
{
    if (m_orientation == orientation)
        return;
    m_orientation = orientation;
    SetStyleBit(PBS_VERTICAL, orientation == pbVertical);
}

void TProgressBar::SetSmooth(bool smooth)
{
    if (m_smooth == smooth)
        return;
    m_smooth = smooth;
    SetStyleBit(PBS_SMOOTH, smooth);
}

void TProgressBar::SetStyleBit(DWORD bit, bool on)
{
    if (!HandleAllocated())
        return;
    // The progress bar reads its style bits each time it paints.
    DWORD style = static_cast<DWORD>(GetWindowLongW(Handle(), GWL_STYLE));
    SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>(on ? (style | bit) : (style & ~bit)));
    Invalidate();
}

} // namespace tarnivo
