#pragma once
// Conversions between ANSI and wide text, and ANSI drawing of wide text, for
// painters that must also work where the wide text calls are missing.

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnivo {

// Both convert with the system's ANSI code page (CP_ACP).
std::wstring StrToWideStr(std::string_view text);
std::string WideStringToStringEx(std::wstring_view text);

// Converts the whole text to the ANSI code page and draws it with DrawTextA,
// format flags passed through; answers DrawTextA's result. DT_CALCRECT
// updates `rect` as DrawTextA does.
int Tnt_DrawTextW(HDC dc, std::wstring_view text, RECT& rect, UINT format);

} // namespace tarnivo
