#include "timer.h"

#include "messagewindow.h"

namespace tarnivo {

namespace {
constexpr UINT_PTR TimerId = 1;
}

const TClassInfo& TTimer::StaticClassInfo()
{
    static const TClassInfo info{
        "TTimer",
        &TComponent::StaticClassInfo(),
        {
            published::Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
            published::Integer("Interval", &TTimer::Interval, &TTimer::SetInterval),
        }};
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    m_window = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    if (!m_window)
        throw EOutOfResources("Error creating the timer window");
    // A timer starts enabled: its system timer runs from here on.
    UpdateTimer();
}

TTimer::~TTimer()
{
    m_enabled = false;
    UpdateTimer();
    DeallocateHWnd(m_window);
}

void TTimer::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(std::uint32_t milliseconds)
{
    if (m_interval == milliseconds)
        return;
    m_interval = milliseconds;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    KillTimer(m_window, TimerId);
    if (m_enabled && m_interval > 0)
        SetTimer(m_window, TimerId, m_interval, nullptr);
}

void TTimer::WndProc(TMessage& message)
{
    if (message.Msg != WM_TIMER) {
        DefaultHandler(m_window, message);
        return;
    }
    // A handler's exception goes to the message loop (see subclass.h).
    if (OnTimer)
        OnTimer(this);
}

} // namespace tarnivo
