#pragma once
// Images whose pixels say where they came from, for the tests of the image
// operations: pixel (x, y) of a coded image is red x, green y, blue kCodeBlue,
// so a drawn pixel tells which source pixel landed there.

#include "tests/framework/graphics/bitmappixels.h"

#include <vector>

namespace tarnivo::test {

constexpr int kCodeBlue = 0x40;
// Blue of the backgrounds the tests draw on: never a coded pixel.
constexpr TColor kBackground = RGBColor(0, 0, 0xC0);

inline TColor Coded(int x, int y) { return RGBColor(x, y, kCodeBlue); }
inline bool IsCoded(TColor c) { return BlueOf(c) == kCodeBlue; }

inline void MakeCoded(TBitmap& b, int w, int h, TPixelFormat format = pf24bit)
{
    b.SetPixelFormat(format);
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixelOf(b, x, y, Coded(x, y));
}

// Every pixel, row by row: for comparing whole images.
inline std::vector<TColor> AllPixels(const TBitmap& b)
{
    std::vector<TColor> all;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            all.push_back(PixelOf(b, x, y));
    return all;
}

} // namespace tarnivo::test
