#pragma once
// Asks a window of ours for the text of one of its components.
//
// The launcher's labels are painted by their form and have no window, so no
// window message of the system reads them. The launcher's main window answers
// a small registered message instead:
//
//   message  RegisterWindowMessageA("TarnivoTestQueryText"), sent to the form
//   wParam   the window that receives the answer
//   lParam   a global atom holding the component's name, e.g. "Label6"
//   answer   the form sends WM_COPYDATA to wParam (its own handle as wParam;
//            dwData TextReplyTag, the text as ANSI bytes without terminator)
//            and returns 1; it returns 2 when it has no such component. (0 is
//            what any window that does not know the message answers.)

#include <windows.h>

#include <string>

namespace tarnivo {

inline constexpr const char* TextQueryMessageName = "TarnivoTestQueryText";
inline constexpr ULONG_PTR TextReplyTag = 0x54585431;  // "TXT1"

enum class TextQueryResult {
    Answered,      // `text` holds the component's text
    NoComponent,   // the window answered 2: it has no component of that name
    NotSupported,  // no answer: the window does not know the message (or hangs)
};

TextQueryResult QueryComponentText(HWND form, const std::string& name, std::string& text);

} // namespace tarnivo
