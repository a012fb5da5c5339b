#include "keyedblit.h"

#include "bitmap.h"
#include "dcscopes.h"
#include "scratchimage.h"

#include <cstdint>
#include <cstring>

namespace tarnivo {

namespace {

// A COLORREF-style colour as a 32-bit DIB pixel (blue in the low byte).
std::uint32_t DibPixel(TColor color)
{
    const COLORREF c = ColorToRGB(color);
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
           GetBValue(c);
}

} // namespace

void StretchIntoScratch(ScratchImage& scratch, const TRect& target, const TBitmap& image,
                        const TRect& sourceRect)
{
    HDC into = scratch.DC();
    StretchModeScope mode(into);
    StretchBlt(into, target.left, target.top, RectWidth(target), RectHeight(target),
               image.Canvas().Handle(), sourceRect.left, sourceRect.top, RectWidth(sourceRect),
               RectHeight(sourceRect), SRCCOPY);
}

void DrawScratchKeyed(HDC dc, int x, int y, ScratchImage& scratch, TColor key)
{
    const int w = scratch.Width(), h = scratch.Height();
    if (w <= 0 || h <= 0)
        return;
    const std::uint32_t keyPixel = DibPixel(key);
    ScratchImage mask(TScratchSlot::Mask, w, h);
    long long keyed = 0;
    for (int row = 0; row < h; ++row) {
        std::uint32_t* p = scratch.Row(row);
        std::uint32_t* m = mask.Row(row);
        for (int col = 0; col < w; ++col) {
            if ((p[col] & 0x00FFFFFF) == keyPixel) {
                p[col] = 0;
                m[col] = 0xFFFFFFFF;
                ++keyed;
            } else {
                m[col] = 0;
            }
        }
    }
    if (keyed == static_cast<long long>(w) * h)
        return;
    if (keyed == 0) {
        BitBlt(dc, x, y, w, h, scratch.DC(), 0, 0, SRCCOPY);
        return;
    }
    BitBlt(dc, x, y, w, h, mask.DC(), 0, 0, SRCAND);
    BitBlt(dc, x, y, w, h, scratch.DC(), 0, 0, SRCPAINT);
}

bool DrawKeyed(HDC dc, const TRect& dest, const TBitmap& image, const TRect& sourceRect,
               TColor key)
{
    if (!HasArea(dest) || image.Empty())
        return false;
    const TRect source = Intersection(sourceRect, Rect(0, 0, image.Width(), image.Height()));
    if (!HasArea(source))
        return false;
    const bool oneToOne = RectWidth(sourceRect) == RectWidth(dest) &&
                          RectHeight(sourceRect) == RectHeight(dest);
    // Where the (clipped) source lands; with stretching it covers all of dest.
    const TRect target = oneToOne ? Offset(source, dest.left - sourceRect.left,
                                           dest.top - sourceRect.top)
                                  : dest;
    // Only the part that can show is built: a window DC clipped to a small
    // update area costs a small scratch.
    const TRect visible = Intersection(target, ClipBox(dc));
    if (!HasArea(visible))
        return true;
    ScratchImage scratch(TScratchSlot::Image, RectWidth(visible), RectHeight(visible));
    StretchIntoScratch(scratch, Offset(target, -visible.left, -visible.top), image, source);
    DrawScratchKeyed(dc, visible.left, visible.top, scratch, key);
    return true;
}

bool DrawCell(HDC dc, const TRect& dest, const TBitmap& image, const TFrameCell& cell,
              TKeying keying)
{
    const std::optional<TRect> source = FrameCellRect(image, cell);
    if (!source || !HasArea(dest))
        return false;
    if (keying == TKeying::Magenta)
        return DrawKeyed(dc, dest, image, *source, clFuchsia);
    HDC from = image.Canvas().Handle();
    if (RectWidth(dest) == RectWidth(*source) && RectHeight(dest) == RectHeight(*source)) {
        BitBlt(dc, dest.left, dest.top, RectWidth(dest), RectHeight(dest), from, source->left,
               source->top, SRCCOPY);
    } else {
        StretchModeScope mode(dc);
        StretchBlt(dc, dest.left, dest.top, RectWidth(dest), RectHeight(dest), from, source->left,
                   source->top, RectWidth(*source), RectHeight(*source), SRCCOPY);
    }
    return true;
}

bool DrawCellCentred(HDC dc, const TRect& area, const TBitmap& image, const TFrameCell& cell,
                     TKeying keying)
{
    const std::optional<TRect> source = FrameCellRect(image, cell);
    if (!source || !HasArea(area))
        return false;
    return DrawCell(dc, CentredIn(area, RectWidth(*source), RectHeight(*source)), image, cell,
                    keying);
}

} // namespace tarnivo
