#pragma once
// TReleaseGuard: frees an object that has a window procedure of its own only
// once none of its messages is on the stack.
//
// A window procedure can be re-entered and can run nested loops (a modal
// dialog, a menu, the system's scroll or move loop, a SendMessage to another
// window that destroys ours). Anything that happens in there may decide to
// free the object whose procedure is still running further up the stack;
// freeing it at once would make that procedure continue in freed memory.
//
// The object embeds one guard and opens a TScope for every message it
// handles. Freeing goes through Release: at once when no scope is open,
// otherwise the release is kept and the last scope to close runs it. A
// TLiveToken, taken before a call that can run a nested loop, tells
// afterwards whether the object is still in business (neither freed nor
// waiting to be freed); it stays valid after the object itself is gone, so
// it can be kept by callbacks handed to others as a weak reference.
//
// One thread: the guard and its scopes belong to the thread that owns the
// object's windows.

#include <functional>
#include <memory>

namespace tarnivo {

namespace release_detail {
struct State {
    int depth = 0;                       // scopes open
    bool alive = true;                   // the object exists
    bool releasing = false;              // Release was asked for
    std::function<void()> release;       // what frees it, while a scope is open
};
} // namespace release_detail

// Whether a guarded object is still usable; copyable, outlives the object.
class TLiveToken {
public:
    TLiveToken() = default;
    explicit operator bool() const { return Alive(); }
    // The object exists and no release is pending.
    bool Alive() const;

private:
    friend class TReleaseGuard;
    explicit TLiveToken(std::shared_ptr<const release_detail::State> state)
        : m_state(std::move(state)) {}
    std::shared_ptr<const release_detail::State> m_state;
};

class TReleaseGuard {
public:
    TReleaseGuard();
    // The object is going (freed by Release or by someone else): every token
    // answers false from now on; a release still waiting is dropped.
    ~TReleaseGuard();
    TReleaseGuard(const TReleaseGuard&) = delete;
    TReleaseGuard& operator=(const TReleaseGuard&) = delete;

    // One message of the object; the last scope to close runs a pending
    // release (which may free the object holding the guard).
    class TScope {
    public:
        explicit TScope(TReleaseGuard& guard);
        ~TScope();
        TScope(const TScope&) = delete;
        TScope& operator=(const TScope&) = delete;
        // Same as a token's Alive: the object may still be touched.
        bool Alive() const;

    private:
        std::shared_ptr<release_detail::State> m_state;
    };

    // A message of the object is on the stack.
    bool Busy() const { return m_state->depth > 0; }
    // Release was asked for (the object is finished with, even if not yet freed).
    bool Releasing() const { return m_state->releasing; }
    TLiveToken Token() const { return TLiveToken(m_state); }

    // Runs `release` now when no message of the object is on the stack and
    // answers true; otherwise keeps it for the last scope and answers false.
    // Only the first request counts; later ones are ignored (false).
    bool Release(std::function<void()> release);

private:
    std::shared_ptr<release_detail::State> m_state;
};

} // namespace tarnivo
