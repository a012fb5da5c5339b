#pragma once
// The hooks in front of a framework control's message processing.
//
// Every message of a control goes through TControl::WindowProc, which runs
// the hooks, newest first, and then the control's own WndProc. A hook is a
// TWndMethod that decides per message whether to consume it or to pass it
// on to the rest of the chain behind it (CallNext); it is added and removed
// by its identity (a THookId, or the owning TWindowProcHook object), so
// hooks can come and go in any order without one restoring a stale
// "previous" of another.
//
// A hook removed while a message passes through it (by itself or by anyone
// else) is not destroyed under itself: it finishes that message, and its
// CallNext still reaches what is behind it now.

#include "subclass.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tarnivo {

class TControl;

using THookId = int;   // 0 names no hook (the same ids as TApplication::HookMainWindow's)

// One control's chain; TControl owns it, hook objects only observe it.
class TWindowProcChain {
public:
    explicit TWindowProcChain(TWndMethod last) : m_last(std::move(last)) {}
    TWindowProcChain(const TWindowProcChain&) = delete;
    TWindowProcChain& operator=(const TWindowProcChain&) = delete;

    // Puts `hook` in front of everything else; 0 for an empty hook.
    THookId Add(TWndMethod hook);
    // Answers false for an unknown (or already removed) id.
    bool Remove(THookId id);
    // From the front of the chain.
    void Dispatch(TMessage& message);
    // To what is behind hook `id`; an unknown id goes to the end of the chain.
    void CallNext(THookId id, TMessage& message);
    int Count() const;
    // The end of the chain is gone (the control is being destroyed).
    void Cut() { m_last = nullptr; }

private:
    struct Node {
        THookId id = 0;
        TWndMethod proc;
        std::shared_ptr<Node> next;   // kept by a removed node, so a call in it can go on
        bool removed = false;
        int depth = 0;
    };
    void Invoke(std::shared_ptr<Node> node, TMessage& message);

    std::shared_ptr<Node> m_first;
    std::vector<Node*> m_running;   // nodes whose procedure is on the stack, innermost last
    TWndMethod m_last;
    THookId m_nextId = 1;
};

// An owning, move-only hook in front of one control's WindowProc; removes
// itself when it goes. Outliving the control is fine.
class TWindowProcHook {
public:
    TWindowProcHook() = default;
    TWindowProcHook(TControl& control, TWndMethod hook);
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;
    TWindowProcHook(TWindowProcHook&& other) noexcept;
    TWindowProcHook& operator=(TWindowProcHook&& other) noexcept;
    ~TWindowProcHook();

    void Remove();
    // Hooked and the control still there.
    bool Installed() const;
    THookId Id() const { return m_id; }

    // Passes the message to the rest of the control's chain behind this hook
    // (the control's own processing at the end); also from inside the hook
    // after it was removed. Does nothing once the control is gone.
    void CallNext(TMessage& message) const;

private:
    std::weak_ptr<TWindowProcChain> m_chain;
    THookId m_id = 0;
    bool m_removed = false;
};

} // namespace tarnivo
