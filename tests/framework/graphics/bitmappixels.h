#pragma once
// Pixel access and solid fills for the tests that check what was drawn into
// a TBitmap (graphics, controls, image utilities).

#include "framework/bitmap.h"
#include "framework/canvas.h"

#include <cstdint>

namespace tarnivo::test {

// Colour of pixel (x, y) read through the scan line (24- or 32-bit DIB).
inline TColor PixelOf(const TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * b.BytesPerPixel();
    return RGBColor(p[2], p[1], p[0]);
}

inline void SetPixelOf(TBitmap& b, int x, int y, TColor c)
{
    std::uint8_t* p = b.ScanLine(y) + x * b.BytesPerPixel();
    p[0] = static_cast<std::uint8_t>(BlueOf(c));
    p[1] = static_cast<std::uint8_t>(GreenOf(c));
    p[2] = static_cast<std::uint8_t>(RedOf(c));
}

// Makes `b` a w x h 32-bit DIB filled with one colour.
inline void FillBitmap(TBitmap& b, int w, int h, TColor fill)
{
    b.SetPixelFormat(pf32bit);
    b.SetSize(w, h);
    b.Canvas().Brush().SetColor(fill);
    b.Canvas().FillRect(Rect(0, 0, w, h));
}

} // namespace tarnivo::test
