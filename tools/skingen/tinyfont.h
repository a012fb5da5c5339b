#pragma once
// A 5 x 7 pixel font (9 rows with descenders) for labels on contact sheets: lower-case letters, digits
// and the punctuation of file names. Other characters draw as a small box.

#include "raster.h"

#include <string_view>

namespace tarnivo::skingen {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 9; // line height, descenders included
inline constexpr int kGlyphAdvance = 6;

int text_width(std::string_view text);
// Draws text with its top-left corner at (x, y); pixels outside are skipped.
void draw_text(Bitmap& target, int x, int y, std::string_view text, Rgb colour);

} // namespace tarnivo::skingen
