#pragma once
// The framework keeps text as UTF-8 in std::string; Win32 takes and gives
// UTF-16. These convert between the two at that boundary. Platform-free:
// the native build uses them too.
//
// Ill-formed input never fails and never throws: a byte sequence that is not
// UTF-8 (stray continuation bytes, overlong forms, surrogates encoded in
// UTF-8, code points past U+10FFFF, a sequence cut short) and a UTF-16 code
// unit that is half of no pair (Windows file names may hold such) each
// become U+FFFD. Well-formed text round-trips exactly.

#include <string>
#include <string_view>

namespace tarnivo {

std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view utf16);

// The code points of UTF-8 text, ill-formed sequences as U+FFFD.
std::u32string ToCodePoints(std::string_view utf8);
std::string CodePointsToUtf8(std::u32string_view codePoints);

// The UTF-8 of one code point; a surrogate or a value past U+10FFFF is
// U+FFFD.
std::string CodePointToUtf8(char32_t codePoint);

} // namespace tarnivo
