#pragma once
// Copying a bitmap (or one frame cell of it) onto a DC with one colour keyed
// out: where the source has the key colour the destination stays as it was.
//
// How it is done, the same on Windows and under Wine: the source part is
// brought to the destination size in a 32-bit scratch DIB (StretchBlt in
// COLORONCOLOR mode, which picks pixels and never blends them, so the key
// stays exact); our own scan of those pixels decides which are keyed (an
// exact match of red, green and blue; the fourth byte is ignored) and builds a
// mask of them; the destination is then ANDed with the mask and ORed with the
// image whose keyed pixels were made black. Only BitBlt with SRCAND and
// SRCPAINT between 32-bit DIBs touches the destination, which both systems
// do identically. TransparentBlt was not taken: how it matches the key
// (palettes, the fourth byte of 32-bit sources) and how it stretches is the
// implementation's business, and Windows and Wine differ there.
//
// Every function answers false and draws nothing for an empty image, an
// invalid frame cell or a destination without area (inverted included).

#include "framecell.h"
#include "graphics.h"

namespace tarnivo {

class TBitmap;
class ScratchImage;

// Whether an image is drawn as it is or with magenta (255, 0, 255) keyed out.
enum class TKeying { Opaque, Magenta };

// Copies `sourceRect` of `image` onto `dest`, leaving the destination where the
// source has `key`. The source part is clipped to the image. When the two
// rectangles have the same size the copy is 1:1 (a clipped source draws only
// its part); otherwise the source part is stretched over the destination.
bool DrawKeyed(HDC dc, const TRect& dest, const TBitmap& image, const TRect& sourceRect,
               TColor key = clFuchsia);

// Frame cell `cell` of the image stretched over `dest` (copied 1:1 when the
// sizes agree), opaque or with magenta keyed out.
bool DrawCell(HDC dc, const TRect& dest, const TBitmap& image, const TFrameCell& cell,
              TKeying keying);

// The cell at its own size, centred in `area` (CentredIn).
bool DrawCellCentred(HDC dc, const TRect& area, const TBitmap& image, const TFrameCell& cell,
                     TKeying keying);

// For image operations that compose their result in a scratch first (the
// nine-grid): draws the scratch's width x height at (x, y) with `key` keyed
// out. The scratch is used up: its keyed pixels are turned black on the way.
void DrawScratchKeyed(HDC dc, int x, int y, ScratchImage& scratch, TColor key);

// Brings `sourceRect` of `image` into the scratch, stretched (COLORONCOLOR)
// to `target` in scratch coordinates. What falls outside the scratch is
// dropped by GDI's clipping after the pixel mapping of the whole target was
// chosen, so a scratch covering only the visible part gets the same pixels
// there.
void StretchIntoScratch(ScratchImage& scratch, const TRect& target, const TBitmap& image,
                        const TRect& sourceRect);

} // namespace tarnivo
