#pragma once
// Hidden windows whose messages go to a bound callable.

#include "messages.h"
#include "subclass.h"

namespace tarnivo {

// Creates a hidden top-level window (not message-only: broadcasts such as
// WM_ENDSESSION must reach it) whose messages go to `method`, which passes
// what it does not handle to DefaultHandler. The callable lives until
// DeallocateHWnd, or until the window is destroyed in any other way.
HWND AllocateHWnd(TWndMethod method);
// Stops the callable first (it sees no message of the destruction), then
// destroys the window.
void DeallocateHWnd(HWND window);

// The default processing of a message for a window (DefWindowProc).
void DefaultHandler(HWND window, TMessage& message);

} // namespace tarnivo
