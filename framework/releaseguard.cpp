#include "releaseguard.h"

#include <utility>

namespace tarnivo {

bool TLiveToken::Alive() const
{
    return m_state && m_state->alive && !m_state->releasing;
}

TReleaseGuard::TReleaseGuard() : m_state(std::make_shared<release_detail::State>()) {}

TReleaseGuard::~TReleaseGuard()
{
    m_state->alive = false;
    // Freed some other way while waiting: the kept release must never run.
    m_state->release = nullptr;
}

bool TReleaseGuard::Release(std::function<void()> release)
{
    if (m_state->releasing || !m_state->alive)
        return false;
    m_state->releasing = true;
    if (m_state->depth > 0) {
        m_state->release = std::move(release);
        return false;
    }
    if (release)
        release();
    return true;
}

TReleaseGuard::TScope::TScope(TReleaseGuard& guard) : m_state(guard.m_state)
{
    ++m_state->depth;
}

TReleaseGuard::TScope::~TScope()
{
    if (--m_state->depth > 0 || !m_state->alive || !m_state->release)
        return;
    // Taken out first: running it frees the guard, and m_state with it
    // only when this scope lets go.
    std::function<void()> release = std::move(m_state->release);
    m_state->release = nullptr;
    release();
}

bool TReleaseGuard::TScope::Alive() const
{
    return m_state->alive && !m_state->releasing;
}

} // namespace tarnivo
