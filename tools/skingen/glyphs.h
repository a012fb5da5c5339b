#pragma once
// Line glyphs shared by caption buttons, scroll arrows, spin buttons and the
// program's menu images. Each takes the glyph's box (left, top, size) so one
// drawing serves 8 to 48 pixel boxes.

#include "raster.h"

namespace tarnivo::skingen {

struct GlyphBox {
    double x = 0, y = 0, size = 0;
    // The point at fractions (u, v) of the box.
    double px(double u) const { return x + u * size; }
    double py(double v) const { return y + v * size; }
};

enum class Direction { Up, Down, Left, Right };

Coverage close_glyph(GlyphBox box, double stroke);
Coverage maximise_glyph(GlyphBox box, double stroke);
Coverage restore_glyph(GlyphBox box, double stroke);
Coverage minimise_glyph(GlyphBox box, double stroke);
Coverage help_glyph(GlyphBox box, double stroke);
// An open chevron pointing in `direction`, `depth` of the box deep.
Coverage chevron(GlyphBox box, Direction direction, double stroke, double depth = 0.5);
// A filled triangle pointing in `direction`.
Coverage triangle(GlyphBox box, Direction direction);
Coverage check_glyph(GlyphBox box, double stroke);

} // namespace tarnivo::skingen
