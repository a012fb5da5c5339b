#pragma once
// Letter case of UTF-8 text by the system's Unicode tables, as Windows
// compares file names and as a user expects letters of any script to match
// ("Ζωή", "ζωή" and "ΖΩΉ" are one word).

#include <string>
#include <string_view>

namespace tarnivo {

// Every letter in capitals, character by character (no locale rules such as
// the Turkish dotted I, no expansions such as ß to SS: the length in code
// points stays the same, which type-to-find's positions rely on).
std::string UnicodeUpperCase(std::string_view utf8);

} // namespace tarnivo
