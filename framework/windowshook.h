#pragma once
// TWindowsHook: an owning, move-only holder of one thread hook
// (SetWindowsHookEx with WH_CBT, WH_MSGFILTER or another thread hook type).
//
// Windows calls a hook procedure without saying which hook it belongs to, so
// each hook gets its own entry point out of a fixed table, and a table per
// hooked thread (kept here) leads that entry point to the owning object.
// The hook is removed exactly once: by Remove, by the destructor, or by a
// move-assignment over it. Removing it from inside its own procedure is safe;
// the procedure object lives until it returns.
//
// The procedure is called only for codes >= 0 (lower codes go straight to the
// next hook, as Windows requires) and answers the hook's result: normally
// CallNext(code, wParam, lParam), or its own answer to stop the chain (a
// WH_CBT hook answering nonzero to HCBT_CREATEWND cancels the creation).
// An exception from the procedure is kept for the message loop (see
// DeferException in subclass.h) and the call is passed on.

#include <windows.h>

#include <functional>
#include <memory>

namespace tarnivo {

using THookProc = std::function<LRESULT(int code, WPARAM wParam, LPARAM lParam)>;

// How many hooks of ours one thread can carry at the same time.
constexpr int MaxHooksPerThread = 16;

namespace hook_detail {
struct Entry;
}

class TWindowsHook {
public:
    TWindowsHook() = default;
    // Installs at once; check Installed() for the outcome.
    TWindowsHook(int type, THookProc proc, DWORD threadId = 0)
    {
        Install(type, std::move(proc), threadId);
    }
    TWindowsHook(const TWindowsHook&) = delete;
    TWindowsHook& operator=(const TWindowsHook&) = delete;
    TWindowsHook(TWindowsHook&& other) noexcept;
    TWindowsHook& operator=(TWindowsHook&& other) noexcept;
    ~TWindowsHook();

    // Hooks the thread `threadId` (0: the calling thread) with a hook of
    // `type`, after removing any hook this object held. Answers false when
    // there is no procedure, the thread carries MaxHooksPerThread hooks of
    // ours, or Windows refuses.
    bool Install(int type, THookProc proc, DWORD threadId = 0);
    void Remove();

    bool Installed() const;
    int Type() const;
    DWORD ThreadId() const;

    // The rest of the hook chain.
    LRESULT CallNext(int code, WPARAM wParam, LPARAM lParam) const;

private:
    std::shared_ptr<hook_detail::Entry> m_entry;
};

} // namespace tarnivo
