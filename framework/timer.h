#pragma once
// TTimer: raises OnTimer every Interval milliseconds while enabled.

#include "component.h"
#include "events.h"

#include <windows.h>

namespace tarnivo {

class TTimer : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    std::uint32_t Interval() const { return m_interval; }
    void SetInterval(std::uint32_t milliseconds);

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    void WndProc(struct TMessage& message);

    bool m_enabled = true;
    std::uint32_t m_interval = 1000;
    HWND m_window = nullptr;
};

} // namespace tarnivo
