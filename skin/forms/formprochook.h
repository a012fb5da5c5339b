#pragma once
// Temporary: our place in a framework control's WindowProc chain, until the
// framework's hook with identity lands.

#include "framework/control.h"

#include <functional>
#include <memory>

namespace tarnivo {

class TWindowProcHook {
public:
    TWindowProcHook() = default;
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;
    ~TWindowProcHook() { Remove(); }

    void Install(TControl& control, std::function<void(TMessage&)> handler)
    {
        Remove();
        m_control = &control;
        m_previous = control.WindowProc;
        control.WindowProc = std::move(handler);
    }
    void Remove()
    {
        if (m_control)
            m_control->WindowProc = m_previous;
        m_control = nullptr;
        m_previous = nullptr;
    }
    bool Installed() const { return m_control != nullptr; }
    void CallPrevious(TMessage& message) const
    {
        if (m_previous)
            m_previous(message);
    }

private:
    TControl* m_control = nullptr;
    std::function<void(TMessage&)> m_previous;
};

} // namespace tarnivo
