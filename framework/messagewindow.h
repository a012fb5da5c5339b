#pragma once
// Hidden message-only style windows whose messages go to a bound callable.

#include "messages.h"

#include <functional>

namespace tarnivo {

// Handles one message; leaves the answer in TMessage::Result. A method that
// does not handle a message passes it to DefaultHandler.
using TWndMethod = std::function<void(TMessage&)>;

// Creates a hidden top-level window (not message-only: broadcasts such as
// WM_ENDSESSION must reach it) whose messages go to `method`.
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND window);

// The default processing of a message for a window (DefWindowProc).
void DefaultHandler(HWND window, TMessage& message);

} // namespace tarnivo
