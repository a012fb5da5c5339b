#pragma once
// Bitmap and colour routines used to derive images from skin images and to
// paint gradients: mirroring, quarter turns, grey conversion, colour
// replacement, blending, gradient fills and a saturation measure.
//
// The bitmap routines work in place through scan lines. They are written for
// 24-bit images (callers convert first, as the skin loader does); 32-bit images
// are handled the same way, pixel by pixel, keeping the fourth byte.

#include "framework/bitmap.h"
#include "framework/graphics.h"

#include <array>
#include <vector>

namespace tarnivo {

// Mixes two colours; `weight` weighs `a`: below 100 in percent, from 100 on in
// tenths of a percent (50 is 50 %, 150 is 15 %). System colours are resolved.
TColor Blend(TColor a, TColor b, int weight);

// Gradient directions: bands are columns with c1 at the left, or rows with c1
// at the top.
enum TGradientDirection { gdHorizontal = 0, gdVertical = 1 };

// Fills `rect` with a linear gradient from c1 to c2 (system colours
// resolved), one solid band per row or column, painting only the bands inside
// the DC's clip box. Any direction other than gdVertical counts as horizontal.
void GradFill(HDC dc, const TRect& rect, TColor c1, TColor c2, int direction);

// Colour i of an n-entry gradient between two RGB colours.
COLORREF GradientEntry(long long n, long long i, COLORREF c1, COLORREF c2);

// The 16 most recently used gradient tables, filled in ring order. GradFill
// shares one for the whole process, because painters fill the same gradients
// on every paint.
class GradientCache {
public:
    static constexpr int kSlots = 16;
    // Longer gradients are computed band by band, never stored.
    static constexpr int kMaxLength = 16384;

    // The n colours from c1 to c2 (1 <= n <= kMaxLength): a held table, or
    // a new one in the next ring slot, overwriting what was there.
    const std::vector<COLORREF>& Table(int n, COLORREF c1, COLORREF c2);

    // The slot holding the table for these arguments, or -1.
    int SlotOf(int n, COLORREF c1, COLORREF c2) const;
    // The slot the next new table goes to.
    int NextSlot() const { return m_next; }

private:
    struct Slot {
        int length = 0;   // 0: empty
        COLORREF first = 0;
        COLORREF last = 0;
        std::vector<COLORREF> colors;
    };
    std::array<Slot, kSlots> m_slots;
    int m_next = 0;
};

GradientCache& SharedGradientCache();

// Saturation of the colour scaled to 0..255 (rounded, ties to even); a colour
// whose three channels are all below 160 counts as 200. No system colour
// resolution.
int GetHSV(TColor color);

// Every exactly magenta pixel (255, 0, 255) takes the red, green and blue of
// `color`, used as given. Converts the bitmap to 24 bits first.
void ChangeTrans(TBitmap& bitmap, TColor color);

// Converts to 24 bits; every pixel becomes grey (R + G + B) / 3.
void ConvertBitmapToGrayscale(TBitmap& bitmap);

// Mirrors left to right: pixel x of each row moves to width - 1 - x.
void SpiegelnHorizontal(TBitmap& bitmap);
// Mirrors top to bottom: row y moves to height - 1 - y.
void SpiegelnVertikal(TBitmap& bitmap);
// A quarter turn clockwise: a w x h image becomes h x w and source pixel
// (x, y) lands at (h - 1 - y, x).
void Drehen90Grad(TBitmap& bitmap);
// A quarter turn counter-clockwise: source pixel (x, y) lands at (y, w - 1 - x).
void Drehen270Grad(TBitmap& bitmap);

} // namespace tarnivo
