#include "glyphs.h"

#include <cmath>
#include <numbers>

namespace tarnivo::skingen {

namespace {

// Pixel-aligned box outline: whole-pixel edges keep 1 px strokes crisp.
Coverage box_outline(double x0, double y0, double x1, double y1, double stroke)
{
    return rounded_outline(x0, y0, x1, y1, Radii::all(stroke), stroke);
}

} // namespace

Coverage close_glyph(GlyphBox b, double stroke)
{
    return unite(segment(b.px(0.1), b.py(0.1), b.px(0.9), b.py(0.9), stroke),
                 segment(b.px(0.9), b.py(0.1), b.px(0.1), b.py(0.9), stroke));
}

Coverage maximise_glyph(GlyphBox b, double stroke)
{
    return box_outline(b.px(0), b.py(0), b.px(1), b.py(1), stroke);
}

Coverage restore_glyph(GlyphBox b, double stroke)
{
    const double step = b.size * 0.25;
    const double x0 = b.x, y0 = b.y + step, x1 = b.x + b.size - step, y1 = b.y + b.size;
    Coverage front = box_outline(x0, y0, x1, y1, stroke);
    Coverage back = box_outline(x0 + step, b.y, b.x + b.size, y1 - step, stroke);
    // The back window shows only where the front one does not cover it.
    return unite(front, subtract(back, rounded_rect(x0, y0, x1, y1, Radii::all(stroke))));
}

Coverage minimise_glyph(GlyphBox b, double stroke)
{
    const double y = std::floor(b.py(0.5)) + 0.5;
    return segment(b.px(0.05), y, b.px(0.95), y, stroke);
}

Coverage help_glyph(GlyphBox b, double stroke)
{
    const double cx = b.px(0.5), cy = b.py(0.3), r = b.size * 0.24;
    Coverage hook = arc(cx, cy, r, stroke, -std::numbers::pi / 2, std::numbers::pi * 0.95);
    Coverage stem = segment(cx, cy + r, cx, b.py(0.68), stroke);
    Coverage dot = disc(cx, b.py(0.9), stroke * 0.8);
    return unite(unite(hook, stem), dot);
}

Coverage chevron(GlyphBox b, Direction d, double stroke, double depth)
{
    const double lo = 0.5 - depth / 2, hi = 0.5 + depth / 2;
    switch (d) {
    case Direction::Up:
        return polyline({{b.px(0), b.py(hi)}, {b.px(0.5), b.py(lo)}, {b.px(1), b.py(hi)}}, stroke);
    case Direction::Down:
        return polyline({{b.px(0), b.py(lo)}, {b.px(0.5), b.py(hi)}, {b.px(1), b.py(lo)}}, stroke);
    case Direction::Left:
        return polyline({{b.px(hi), b.py(0)}, {b.px(lo), b.py(0.5)}, {b.px(hi), b.py(1)}}, stroke);
    case Direction::Right:
        break;
    }
    return polyline({{b.px(lo), b.py(0)}, {b.px(hi), b.py(0.5)}, {b.px(lo), b.py(1)}}, stroke);
}

Coverage triangle(GlyphBox b, Direction d)
{
    switch (d) {
    case Direction::Up:
        return polygon({{b.px(0), b.py(0.75)}, {b.px(0.5), b.py(0.25)}, {b.px(1), b.py(0.75)}});
    case Direction::Down:
        return polygon({{b.px(0), b.py(0.25)}, {b.px(0.5), b.py(0.75)}, {b.px(1), b.py(0.25)}});
    case Direction::Left:
        return polygon({{b.px(0.75), b.py(0)}, {b.px(0.25), b.py(0.5)}, {b.px(0.75), b.py(1)}});
    case Direction::Right:
        break;
    }
    return polygon({{b.px(0.25), b.py(0)}, {b.px(0.75), b.py(0.5)}, {b.px(0.25), b.py(1)}});
}

Coverage check_glyph(GlyphBox b, double stroke)
{
    return polyline({{b.px(0.08), b.py(0.52)}, {b.px(0.38), b.py(0.8)}, {b.px(0.92), b.py(0.2)}}, stroke);
}

} // namespace tarnivo::skingen
