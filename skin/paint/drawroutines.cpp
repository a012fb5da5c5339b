#include "drawroutines.h"

#include "framework/bitmapregion.h"
#include "framework/control.h"
#include "framework/dcscopes.h"
#include "framework/keyedblit.h"
#include "framework/ninegrid.h"

#include <algorithm>

namespace tarnivo {

namespace {

// Skin data may carry a frame count of 0 (a "Frame=0" key); such an image is
// one frame, not nothing.
TFrameCell Cell(FrameLayout layout, int frameCount, int frame)
{
    return TFrameCell{std::max(frameCount, 1), frame, layout};
}

TMargins GridMargins(const TSkinMargins& m)
{
    return TMargins{m.Left, m.Top, m.Right, m.Bottom};
}

TFit Fit(CenterFill centre)
{
    return centre == CenterFill::Tile ? TFit::Tile : TFit::Stretch;
}

TKeying Key(Keying keying)
{
    return keying == Keying::Transparent ? TKeying::Magenta : TKeying::Opaque;
}

bool Inverted(const TRect& r)
{
    return r.right < r.left || r.bottom < r.top;
}

// One slice of a three-slice draw: opaque pieces are stretched copies, keyed
// ones go through the keyed blit, which stretches the same way.
void DrawPiece(HDC dc, const TRect& dest, const TBitmap& image, const TRect& source, Keying keying)
{
    if (keying == Keying::Transparent)
        DrawKeyed(dc, dest, image, source, clFuchsia);
    else
        DrawFitted(dc, dest, image, source, TFit::Stretch, TFit::Stretch);
}

} // namespace

std::unique_ptr<TBitmap> GetHMap(const TRect& dest, const TBitmap& image,
                                 const TSkinMargins& margins, FrameLayout layout,
                                 CenterFill centre, int frameCount, int frame)
{
    const int width = std::max(RectWidth(dest), 0);
    const int height = std::max(RectHeight(dest), 0);
    std::unique_ptr<TBitmap> map;
    if (width > 0 && height > 0)
        map = NineGridBitmap(image, Cell(layout, frameCount, frame), GridMargins(margins),
                             CentreFit(Fit(centre)), width, height);
    if (map)
        return map;
    // Nothing to draw: all key colour, which keyed copies and regions skip.
    map = std::make_unique<TBitmap>();
    map->SetPixelFormat(pf24bit);
    map->SetSize(width, height);
    if (width > 0 && height > 0) {
        map->Canvas().Brush().SetColor(clFuchsia);
        map->Canvas().FillRect(Rect(0, 0, width, height));
    }
    return map;
}

void DrawRect2(HDC dc, const TRect& rect, const TBitmap& image, FrameLayout layout,
               CenterFill centre, Keying keying, int frameCount, int frame,
               const TSkinMargins& margins)
{
    // The same pixels as GetHMap followed by a copy; the framework composes
    // the grid off-screen itself when it has to key it.
    DrawNineGrid(dc, rect, image, Cell(layout, frameCount, frame), GridMargins(margins),
                 CentreFit(Fit(centre)), Key(keying));
}

void DrawRect1(HDC dc, const TRect& rect, const TBitmap& image, Keying keying, int frameCount,
               int frame)
{
    DrawCell(dc, rect, image, Cell(FrameLayout::SideBySide, frameCount, frame), Key(keying));
}

void DrawRect3(HDC dc, const TRect& rect, const TBitmap& image, Keying keying, int frameCount,
               int frame)
{
    DrawCellCentred(dc, rect, image, Cell(FrameLayout::SideBySide, frameCount, frame),
                    Key(keying));
}

void DrawRectH(HDC dc, const TRect& rect, const TBitmap& image, FrameLayout layout,
               int frameCount, int frame, const TSkinMargins& margins)
{
    const TFrameCell cell = Cell(layout, frameCount, frame);
    const std::optional<TRect> source = FrameCellRect(image, cell);
    if (!source || Inverted(rect))
        return;
    if (RectWidth(rect) < RectWidth(*source)) {
        DrawCell(dc, rect, image, cell, TKeying::Opaque);
        return;
    }
    // Caps at their width, middle stretched, everything to the full height:
    // the nine-grid with no vertical margins.
    DrawNineGrid(dc, rect, image, cell, TMargins{margins.Left, 0, margins.Right, 0},
                 CentreFit(TFit::Stretch), TKeying::Opaque);
}

void DrawRectTile(TCanvas& canvas, const TRect& rect, const TBitmap& image, FrameLayout layout,
                  Keying keying, int frameCount, int frame, const TSkinMargins& margins)
{
    const std::optional<TRect> source = FrameCellRect(image, Cell(layout, frameCount, frame));
    if (!source || !HasArea(rect))
        return;
    HDC dc = canvas.Handle();
    const int width = RectWidth(rect);
    const int left = std::max(margins.Left, 0);
    const int right = std::max(margins.Right, 0);
    const TRect leftCap{source->left, source->top, source->left + left, source->bottom};
    const TRect middle{source->left + left, source->top, source->right - right, source->bottom};
    const TRect rightCap{source->right - right, source->top, source->right, source->bottom};

    if (left > 0)
        DrawPiece(dc, TRect{rect.left, rect.top, rect.left + left, rect.bottom}, image, leftCap,
                  keying);
    const int step = RectWidth(middle);
    const TRect visible = Intersection(rect, ClipBox(dc));
    if (step > 0 && HasArea(visible)) {
        // Only the copies that can show are drawn: a band far wider than the
        // DC (or its update area) costs what the visible part costs. The
        // first one starts on the same grid as if all were drawn.
        int x = left;
        const int skip = static_cast<int>(visible.left - rect.left) - step - left;
        if (skip > 0)
            x += skip / step * step;
        const int end = std::min<int>(width - right, visible.right - rect.left);
        for (; x < end; x += step)
            DrawPiece(dc, TRect{rect.left + x, rect.top, rect.left + x + step, rect.bottom}, image,
                      middle, keying);
    }
    if (right > 0)
        DrawPiece(dc, TRect{rect.right - right, rect.top, rect.right, rect.bottom}, image, rightCap,
                  keying);
}

void DrawBGbmp(TCanvas& canvas, const TRect& rect, const TBitmap& image, const TRect& source)
{
    if (!HasArea(source) || !HasArea(rect))
        return;
    DrawTiled(canvas.Handle(), rect, image, source);
}

void DrawTranmap(HDC dc, const TRect& rect, const TBitmap& image, TColor transparentColor)
{
    if (!HasArea(rect))
        return;
    // Same size on both sides: a 1:1 copy, cut to the image where it is
    // smaller than the rectangle.
    DrawKeyed(dc, rect, image, Rect(0, 0, RectWidth(rect), RectHeight(rect)), transparentColor);
}

// The parent's look ----------------------------------------------------------

namespace {

void PaintParentInto(HWND parent, HDC dc, const TRect& childInParent, ParentPaint what)
{
    SavedDCState saved(dc);
    // The parent paints in its own client coordinates; moving the origin by
    // the child's position puts the child's part of it at (0, 0).
    POINT previous{};
    OffsetViewportOrgEx(dc, -childInParent.left, -childInParent.top, &previous);
    IntersectClipRect(dc, childInParent.left, childInParent.top, childInParent.right,
                      childInParent.bottom);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (what == ParentPaint::EraseAndPaint)
        SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

} // namespace

void DrawParentImage(HWND window, HDC dc, ParentPaint what)
{
    if (!dc || !IsWindow(window))
        return;
    HWND parent = GetParent(window);
    if (!parent || !IsWindow(parent))
        return;
    RECT r{};
    if (!GetWindowRect(window, &r))
        return;
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    try {
        PaintParentInto(parent, dc, r, what);
    } catch (...) {
        // The parent's painting is not ours to report: the control keeps
        // whatever its background was.
    }
}

void DrawParentImage(TControl& control, HDC dc, ParentPaint what)
{
    if (!dc || control.Destroying())
        return;
    TWinControl* parent = control.Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (windowed && windowed->HandleAllocated()) {
        DrawParentImage(windowed->Handle(), dc, what);
        return;
    }
    try {
        PaintParentInto(parent->Handle(), dc, control.BoundsRect(), what);
    } catch (...) {
    }
}

// Regions ------------------------------------------------------------------

GdiRegion FrameBitmapRegion(const TBitmap& image, int x, int y)
{
    return RegionFromBitmap(image, x, y, clFuchsia, TKeyTolerance{1, 1, 1});
}

} // namespace tarnivo
