#pragma once
// Conversions between the system's ANSI code page and UTF-16.

#include <string>
#include <string_view>

namespace tarnivo {

std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// Upper case by the system locale's rules for the ANSI code page.
std::string AnsiUpperCase(std::string text);

} // namespace tarnivo
