#pragma once
// Frame cells of an image strip, and the small geometry the image operations
// share.
//
// A skin image holds several equal state images ("frames") either side by
// side or stacked top to bottom; they are numbered from 1. A frame cell names
// one of them; FrameCellRect finds its pixels.

#include "graphics.h"

#include <optional>

namespace tarnivo {

class TBitmap;

enum class TFrameLayout {
    SideBySide,   // frame k starts at x = cell width * (k - 1)
    Stacked,      // frame k starts at y = cell height * (k - 1)
};

struct TFrameCell {
    int count = 1;   // frames in the image
    int index = 1;   // the frame wanted, from 1
    TFrameLayout layout = TFrameLayout::SideBySide;
};

// The whole image as one frame.
constexpr TFrameCell WholeImage() { return TFrameCell{}; }

// The cell's rectangle in the image: cell width = image width / count (side by
// side) or cell height = image height / count (stacked), the remainder of the
// division unused. Nothing for an empty image, a count below 1, an index
// outside 1..count, or a cell that would be less than a pixel.
std::optional<TRect> FrameCellRect(const TBitmap& image, const TFrameCell& cell);
std::optional<TRect> FrameCellRect(int imageWidth, int imageHeight, const TFrameCell& cell);

// A width x height rectangle centred in `area`; the offsets are halved
// rounding toward zero, so an item larger than the area sticks out equally
// (give or take a pixel) on both sides.
constexpr TRect CentredIn(const TRect& area, int width, int height)
{
    const int left = area.left + (RectWidth(area) - width) / 2;
    const int top = area.top + (RectHeight(area) - height) / 2;
    return TRect{left, top, left + width, top + height};
}

// Both sides above 0 (an inverted rectangle is empty too).
constexpr bool HasArea(const TRect& r) { return r.right > r.left && r.bottom > r.top; }

// The common part of two rectangles; empty (all 0) when they do not meet.
TRect Intersection(const TRect& a, const TRect& b);

constexpr TRect Offset(const TRect& r, int dx, int dy)
{
    return TRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

} // namespace tarnivo
