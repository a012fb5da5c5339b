#pragma once
// Whether a font shows text in another script with real glyphs. GDI draws a
// character that neither the font nor any font linked to it has as the
// font's missing-glyph mark (a box); text that went through an ANSI
// conversion arrives as question marks. Both look like "something drawn",
// so a test of script support compares with them instead of counting ink.

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnivo::test {

// The characters of `text` that `font` draws exactly as it draws U+FFFF (a
// code point no font has, so its missing-glyph mark) or "?", or not at all.
// Spaces are left out. Empty when every character has a glyph of its own.
std::wstring CharactersWithoutGlyphs(HFONT font, std::wstring_view text);

} // namespace tarnivo::test
