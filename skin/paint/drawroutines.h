#pragma once
// The skin engine's bitmap drawing routines: one state frame of a skin image
// drawn into a rectangle, nine-grid, three-slice, stretched, centred, tiled,
// keyed on magenta. The frame painter, the popup menus and every control
// painter draw through these, so a skin image looks the same wherever it is
// used.
//
// Conventions shared by every routine here:
// - Frames are numbered from 1. FrameLayout::Stacked means the frames lie top
//   to bottom (the top and bottom borders, the title's text background, the
//   menu band), otherwise side by side. A frame count below 1 counts as 1; a
//   frame outside 1..count, or a cell that comes out empty (an image narrower
//   than its frame count), draws nothing.
// - A destination rectangle with right < left or bottom < top draws nothing,
//   and so does an empty one; an empty source image draws nothing.
// - Keying::Transparent leaves the destination where the image has magenta
//   (clFuchsia, 255 0 255) exactly; Keying::Opaque copies every pixel.
// - Stretching uses COLORONCOLOR, so skin images never get blended edges.
// The pixel work is done by the framework's image operations; these routines
// only choose the cell, the margins and the pieces.

#include "skin/resources/skinelements.h"

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/framecell.h"
#include "framework/gdiobjects.h"
#include "framework/graphics.h"

#include <windows.h>

#include <memory>

namespace tarnivo {

class TControl;

// FrameLayout::SideBySide or FrameLayout::Stacked.
using FrameLayout = TFrameLayout;
enum class CenterFill { Stretch, Tile };
enum class Keying { Opaque, Transparent };

// A new bitmap of the destination's size holding frame `frame` of the image,
// drawn with the nine-grid rule: corners whose two margins are positive
// copied 1:1, the edges stretched along their length, the centre stretched or
// tiled. A destination narrower than left + right margin drops both
// horizontal margins (lower than top + bottom: both vertical ones), and so
// does a cell with no middle left between its margins. Never
// null: an inverted destination gives an empty bitmap, a frame that cannot be
// drawn a bitmap filled with magenta (so that keyed copies and regions treat
// it as nothing). The bitmap has 24 bits per pixel; a destination side above
// 16384 pixels raises EInvalidGraphic, as for every bitmap.
std::unique_ptr<TBitmap> GetHMap(const TRect& dest, const TBitmap& image,
                                 const TSkinMargins& margins, FrameLayout layout,
                                 CenterFill centre, int frameCount, int frame);

// GetHMap, then copied to `rect` on the DC.
void DrawRect2(HDC dc, const TRect& rect, const TBitmap& image, FrameLayout layout,
               CenterFill centre, Keying keying, int frameCount, int frame,
               const TSkinMargins& margins);

// One side-by-side frame stretched onto the rectangle.
void DrawRect1(HDC dc, const TRect& rect, const TBitmap& image, Keying keying,
               int frameCount, int frame);

// One side-by-side frame at its natural size, centred in the rectangle; the
// offsets ((rect size - frame size) / 2) round toward zero, so a frame larger
// than the rectangle is centred too and clipped by nothing but the DC.
void DrawRect3(HDC dc, const TRect& rect, const TBitmap& image, Keying keying,
               int frameCount, int frame);

// Three slices across the width: the left cap (margins.Left wide) and the
// right cap (margins.Right) copied at their width, the middle stretched, all
// three stretched to the rectangle's height. A rectangle narrower than the
// frame gets the whole frame stretched onto it. Opaque.
void DrawRectH(HDC dc, const TRect& rect, const TBitmap& image, FrameLayout layout,
               int frameCount, int frame, const TSkinMargins& margins);

// Three slices across the width with the middle repeated: the left cap, then
// copies of the middle piece side by side from x = margins.Left (relative to
// the rectangle) for as long as x < width - margins.Right, then the right cap
// at width - margins.Right; every piece stretched to the rectangle's height.
// The last middle copy may run under the right cap, which is drawn after it.
// Copies outside the DC's clipping are skipped, so a band of any width costs
// only what can show.
void DrawRectTile(TCanvas& canvas, const TRect& rect, const TBitmap& image, FrameLayout layout,
                  Keying keying, int frameCount, int frame, const TSkinMargins& margins);

// Tiles the `source` part of the image over the rectangle from its top-left
// corner, left to right, top to bottom; the last row and column are cut at
// the rectangle's edge. Nothing for an empty source part.
void DrawBGbmp(TCanvas& canvas, const TRect& rect, const TBitmap& image, const TRect& source);

// The image drawn 1:1 at the rectangle's top-left, cut to the rectangle's
// size, leaving the destination where the image has `transparentColor`.
void DrawTranmap(HDC dc, const TRect& rect, const TBitmap& image, TColor transparentColor);

// What DrawParentImage asks the parent to draw.
enum class ParentPaint {
    EraseAndPaint,   // WM_ERASEBKGND, then WM_PAINT with the DC
    EraseOnly,       // WM_ERASEBKGND only: the parent's background colour or image
};

// Paints the parent window's look behind `window` into `dc`, whose origin is
// the window's top-left corner: the parent is sent WM_ERASEBKGND (and
// WM_PAINT) with the DC shifted by the window's position in the parent and
// clipped to the window's size. The DC's state is restored afterwards. A
// window without a parent, or a window that is going away, paints nothing;
// nothing the parent does escapes from here. The parent must honour the DC in
// WM_PAINT's wParam, as the system controls do; one that paints through
// BeginPaint instead shows only its background here.
void DrawParentImage(HWND window, HDC dc, ParentPaint what = ParentPaint::EraseAndPaint);
// The same for a framework control; a window-less control is placed by its
// bounds in its parent. A control being destroyed paints nothing.
void DrawParentImage(TControl& control, HDC dc, ParentPaint what = ParentPaint::EraseAndPaint);

// The region of a border bitmap drawn at (x, y) of a window: every pixel that
// is not magenta (red 255, green 0 or 1, blue 255 count as magenta, the
// tolerance the frame painter has always used). Null when every pixel is
// magenta or the bitmap is empty.
GdiRegion FrameBitmapRegion(const TBitmap& image, int x, int y);

} // namespace tarnivo
