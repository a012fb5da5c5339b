#pragma once
// TWindowSubclass: the one way in this program to put a procedure in front of
// a window's window procedure (framework controls, the application window,
// message windows, skinned forms and controls, overlays).
//
// Each subclass is an owning, move-only object. Install saves the window's
// current procedure as "previous" and puts an entry point of ours in its
// place; the handler sees every message first and passes what it does not
// consume on with CallPrevious. Remove gives the window back:
//
//  - when our entry point is the window's procedure, the saved previous one
//    is put back;
//  - when another subclass of ours was installed later and sits in front,
//    this one is unlinked from the chain: that outer one's previous becomes
//    this one's previous, so it keeps working;
//  - when a procedure that is not ours sits in front, we cannot reach what it
//    saved, so our entry point stays in the chain as a pass-through (the
//    handler is released) until the window is destroyed or that procedure
//    goes away and the pass-through is on top again.
//
// The entry points are a fixed table of functions, one per place in a
// window's chain, and a per-window table (kept here, keyed by the window)
// tells each entry point which subclass it serves. We chose that over code
// thunks written into executable memory at run time: no writable-executable
// pages, nothing tied to one processor's calling convention, and the table
// is needed anyway to find the outer subclass when an inner one is unlinked
// and to drop everything when the window is destroyed. The cost is one hash
// lookup per message and a limit on how many of our subclasses one window
// carries at once (MaxSubclassesPerWindow).
//
// A window created as a Unicode window gets the wide calls
// (SetWindowLongPtrW, CallWindowProcW) and sees its messages in the wide
// form; any other window gets the ANSI calls. The choice is made at Install
// from IsWindowUnicode and kept for the life of the subclass.
//
// Lifetime: the window may be destroyed while the object lives (after
// WM_NCDESTROY has passed through the handler the subclass is detached and
// Installed() answers false), and the object may be destroyed while the
// window lives (the destructor removes it). Removing or destroying the
// object while its own handler runs is safe: the handler is kept alive until
// it returns, and CallPrevious still reaches the previous procedure for the
// message in hand.
//
// Exceptions: none crosses a window procedure. The entry point catches
// whatever the handler throws and lets the previous procedure process the
// message (unless the handler had already passed it on, whose answer then
// stands). The exception is kept for the message loop, which shows it
// (TApplication); an exception from painting is dropped instead, so a
// broken painter cannot raise a box on every repaint.
//
// Install, Remove and every message of a window happen on the thread that
// owns the window.

#include "messages.h"

#include <exception>
#include <functional>
#include <memory>

namespace tarnivo {

// Handles one message; leaves the answer in TMessage::Result.
using TWndMethod = std::function<void(TMessage&)>;

// How many subclasses of ours one window can carry at the same time.
constexpr int MaxSubclassesPerWindow = 32;

namespace subclass_detail {
struct Layer;
}

class TWindowSubclass {
public:
    TWindowSubclass() = default;
    // Installs at once; check Installed() for the outcome.
    TWindowSubclass(HWND window, TWndMethod handler) { Install(window, std::move(handler)); }
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;
    TWindowSubclass(TWindowSubclass&& other) noexcept;
    TWindowSubclass& operator=(TWindowSubclass&& other) noexcept;
    ~TWindowSubclass();

    // Puts `handler` in front of the window's current procedure (after
    // removing this object from any window it was on). Answers false and
    // changes nothing when there is no handler, the window does not exist or
    // belongs to another thread, or the window already carries
    // MaxSubclassesPerWindow subclasses of ours.
    bool Install(HWND window, TWndMethod handler);
    // Gives the window back (see the file comment). Does nothing the second time.
    void Remove();

    // In the window's chain: installed, not removed, window not destroyed.
    bool Installed() const;
    HWND Window() const;
    // The wide calls are used (and messages arrive in the wide form).
    bool Unicode() const;

    // Passes the message to the procedure behind this subclass and stores
    // its answer in message.Result. Outside a message of this subclass and
    // once the subclass is removed or the window gone, the answer is 0 and
    // nothing is called.
    void CallPrevious(TMessage& message) const;
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
    std::shared_ptr<subclass_detail::Layer> m_layer;
};

// Whether `msg` paints (or answers a question asked while painting). An
// exception from a procedure handling such a message is dropped.
bool IsPaintMessage(UINT msg);

// Keeps an exception caught at a window or hook procedure of this thread for
// the message loop. Only the first one waits; later ones are dropped until
// it has been taken, and so is any exception from a paint message.
void DeferException(UINT msg, std::exception_ptr error);
// The exception waiting for this thread's message loop, or null; clears it.
std::exception_ptr TakeDeferredException();

} // namespace tarnivo
