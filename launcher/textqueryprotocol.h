#pragma once
// The label-text query between the end-to-end tests and the launcher, both
// sides of it. The launcher's labels are painted by their form and have no
// window, so no system message reads them; the main window answers this
// query instead, but only to a test driver that knows the key:
//
//   The driver puts a 32-bit key, as eight hexadecimal digits, into the
//   environment variable TARNIVO_TEXT_QUERY_KEY of both the launcher and the
//   asking program. Without the variable (or with anything else in it) the
//   launcher answers no query at all.
//
//   The asker sends WM_COPYDATA to the form: wParam = its own top-level
//   window (which receives the answer), dwData = TextQueryTag, the data =
//   one TTextQueryRequest. The form answers 0 to a request it refuses (no
//   key, wrong key, malformed request, a reply window that is not a top-level
//   window of the form's own desktop): the same answer as a window that does
//   not know the query. Otherwise it returns 2 when it has no component of
//   that name, or sends WM_COPYDATA to the reply window (wParam = the form,
//   dwData = TextReplyTag, the text as ANSI bytes without terminator) and
//   returns 1.

#include <windows.h>

#include <cstdint>

namespace tarnivo {

inline constexpr const char* TextQueryKeyVariable = "TARNIVO_TEXT_QUERY_KEY";
inline constexpr ULONG_PTR TextQueryTag = 0x54515259;  // "TQRY"
inline constexpr ULONG_PTR TextReplyTag = 0x54585431;  // "TXT1"
inline constexpr LRESULT TextQueryRefused = 0;
inline constexpr LRESULT TextQueryAnswered = 1;
inline constexpr LRESULT TextQueryNoComponent = 2;

struct TTextQueryRequest {
    std::uint32_t Key = 0;
    char Name[64] = {};   // a component name, zero-terminated
};

// The key of this process's environment, or false when there is none: the
// variable is missing or is not exactly eight hexadecimal digits.
inline bool ReadTextQueryKey(std::uint32_t& key)
{
    char text[16] = {};
    DWORD length = GetEnvironmentVariableA(TextQueryKeyVariable, text, sizeof text);
    if (length != 8)
        return false;
    std::uint32_t value = 0;
    for (int i = 0; i < 8; ++i) {
        char c = text[i];
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    key = value;
    return true;
}

} // namespace tarnivo
