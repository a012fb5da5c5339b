#pragma once
// Source images for the drawing-routine tests: strips of frames whose every
// nine-grid region has its own colour, so that any pixel of a drawing tells
// which frame and which region it came from.

#include "tests/framework/graphics/bitmappixels.h"

#include "framework/bitmap.h"
#include "framework/framecell.h"

#include <functional>

namespace tarnivo::test {

// The colour of region (column, row) of frame `frame`: column and row 0, 1, 2
// are lead margin, middle, trail margin. Never magenta.
inline TColor RegionColor(int frame, int column, int row)
{
    return RGBColor(frame * 40, 10 + row * 80, 10 + column * 80);
}

// Which third (0, 1, 2) a coordinate falls in, for an axis of `length`
// pixels with the given lead and trail margins.
inline int Third(int at, int lead, int trail, int length)
{
    return at < lead ? 0 : at >= length - trail ? 2 : 1;
}

// `count` frames of cellW x cellH, side by side or stacked, each cut into
// regions by the margins and painted with RegionColor. 24 bits per pixel, as
// the skin loader keeps skin images.
inline void RegionStrip(TBitmap& image, int count, int cellW, int cellH, int left, int top,
                        int right, int bottom, TFrameLayout layout)
{
    const bool stacked = layout == TFrameLayout::Stacked;
    image.SetPixelFormat(pf24bit);
    image.SetSize(stacked ? cellW : cellW * count, stacked ? cellH * count : cellH);
    for (int f = 1; f <= count; ++f) {
        const int ox = stacked ? 0 : cellW * (f - 1);
        const int oy = stacked ? cellH * (f - 1) : 0;
        for (int y = 0; y < cellH; ++y)
            for (int x = 0; x < cellW; ++x)
                SetPixelOf(image, ox + x, oy + y,
                           RegionColor(f, Third(x, left, right, cellW), Third(y, top, bottom, cellH)));
    }
}

// A 24-bit image with each pixel set by `color(x, y)`.
inline void PaintImage(TBitmap& image, int w, int h, const std::function<TColor(int, int)>& color)
{
    image.SetPixelFormat(pf24bit);
    image.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixelOf(image, x, y, color(x, y));
}

// A 32-bit drawing target filled with one colour; draw on Canvas().Handle().
constexpr TColor kBackground = 0x123456;
inline void Target(TBitmap& target, int w, int h, TColor fill = kBackground)
{
    FillBitmap(target, w, h, fill);
}

// Whether every pixel of the bitmap is `color`.
inline bool AllPixels(const TBitmap& b, TColor color)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (PixelOf(b, x, y) != color)
                return false;
    return true;
}

} // namespace tarnivo::test
