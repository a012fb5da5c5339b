#pragma once
// A read-only window message through which the end-to-end tests read texts
// that have no window of their own (the main window's labels are painted by
// the form). Protocol, also described in tests/e2e/textquery.h:
//
//   RegisterWindowMessageA("TarnivoTestQueryText") sent to the form,
//   wParam = the window to answer to, lParam = global atom with a component
//   name. The form sends WM_COPYDATA (dwData 0x54585431, the ANSI text
//   without terminator) to wParam and returns 1; 2 when it has no control
//   of that name.

#include "framework/messages.h"

namespace tarnivo {

class TForm;

// True when `message` was the query (and has been answered).
bool AnswerTextQuery(TForm& form, TMessage& message);

} // namespace tarnivo
