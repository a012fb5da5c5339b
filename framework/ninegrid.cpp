#include "ninegrid.h"

#include "bitmap.h"
#include "dcscopes.h"
#include "scratchimage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tarnivo {

namespace {

// The pair (lead, trail) stays only when the destination has room for both
// and the cell keeps a middle to fill what lies between them. Margins come
// from skin files and may be anything up to INT_MAX: their sum is taken in
// 64 bits, where it cannot wrap to a small number that would fit.
void FitPair(int& lead, int& trail, int cellLength, int destLength)
{
    lead = std::max(lead, 0);
    trail = std::max(trail, 0);
    const std::int64_t both = std::int64_t{lead} + trail;
    if (destLength < both || cellLength < both || (cellLength == both && destLength > both))
        lead = trail = 0;
}

void DrawGrid(HDC dc, const TRect& dest, const TBitmap& image, const TRect& cell,
              const TMargins& margins, TNineGridFit fit)
{
    const TMargins m =
        FittedMargins(margins, RectWidth(cell), RectHeight(cell), RectWidth(dest), RectHeight(dest));
    const int dx[4] = {dest.left, dest.left + m.left, dest.right - m.right, dest.right};
    const int dy[4] = {dest.top, dest.top + m.top, dest.bottom - m.bottom, dest.bottom};
    const int sx[4] = {cell.left, cell.left + m.left, cell.right - m.right, cell.right};
    const int sy[4] = {cell.top, cell.top + m.top, cell.bottom - m.bottom, cell.bottom};
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 3; ++i) {
            const TRect to{dx[i], dy[j], dx[i + 1], dy[j + 1]};
            const TRect from{sx[i], sy[j], sx[i + 1], sy[j + 1]};
            if (!HasArea(to) || !HasArea(from))
                continue;
            // Across an edge and in a corner the lengths agree: a 1:1 copy.
            const TFit fitX = i != 1 ? TFit::Stretch : j == 1 ? fit.centreX : fit.edges;
            const TFit fitY = j != 1 ? TFit::Stretch : i == 1 ? fit.centreY : fit.edges;
            DrawFitted(dc, to, image, from, fitX, fitY);
        }
    }
}

} // namespace

TMargins FittedMargins(const TMargins& margins, int cellWidth, int cellHeight, int destWidth,
                       int destHeight)
{
    TMargins m = margins;
    FitPair(m.left, m.right, cellWidth, destWidth);
    FitPair(m.top, m.bottom, cellHeight, destHeight);
    return m;
}

bool DrawFitted(HDC dc, const TRect& dest, const TBitmap& image, const TRect& sourceRect,
                TFit fitX, TFit fitY)
{
    if (!HasArea(dest) || image.Empty())
        return false;
    const TRect source = Intersection(sourceRect, Rect(0, 0, image.Width(), image.Height()));
    if (!HasArea(source))
        return false;
    const int sw = RectWidth(source), sh = RectHeight(source);
    const int dw = RectWidth(dest), dh = RectHeight(dest);
    // Tiling a piece into its own length is a plain copy.
    const bool tileX = fitX == TFit::Tile && dw != sw;
    const bool tileY = fitY == TFit::Tile && dh != sh;
    if (!tileX && !tileY) {
        HDC from = image.Canvas().Handle();
        if (dw == sw && dh == sh) {
            BitBlt(dc, dest.left, dest.top, dw, dh, from, source.left, source.top, SRCCOPY);
        } else {
            StretchModeScope mode(dc);
            StretchBlt(dc, dest.left, dest.top, dw, dh, from, source.left, source.top, sw, sh,
                       SRCCOPY);
        }
        return true;
    }
    // Tiles are laid out in a scratch covering only what can show, then
    // copied with one blit: a small piece tiled over a large area costs one
    // pass over its pixels, not one blit per copy.
    const TRect visible = Intersection(dest, ClipBox(dc));
    if (!HasArea(visible))
        return true;
    const int vw = RectWidth(visible), vh = RectHeight(visible);
    // The piece at the size it repeats at: its own length on a tiled axis,
    // stretched to the destination (visible part only) on the other.
    ScratchImage piece(TScratchSlot::Piece, tileX ? sw : vw, tileY ? sh : vh);
    StretchIntoScratch(piece,
                       Bounds(tileX ? 0 : dest.left - visible.left, tileY ? 0 : dest.top - visible.top,
                              tileX ? sw : dw, tileY ? sh : dh),
                       image, source);
    ScratchImage tiles(TScratchSlot::Tiles, vw, vh);
    const int phaseX = tileX ? (visible.left - dest.left) % sw : 0;
    const int phaseY = tileY ? (visible.top - dest.top) % sh : 0;
    for (int y = 0; y < vh; ++y) {
        const std::uint32_t* from = piece.Row(tileY ? (phaseY + y) % sh : y);
        std::uint32_t* to = tiles.Row(y);
        if (!tileX) {
            std::memcpy(to, from, std::size_t(vw) * 4);
            continue;
        }
        for (int x = 0, px = phaseX; x < vw; px = 0) {
            const int n = std::min(sw - px, vw - x);
            std::memcpy(to + x, from + px, std::size_t(n) * 4);
            x += n;
        }
    }
    BitBlt(dc, visible.left, visible.top, vw, vh, tiles.DC(), 0, 0, SRCCOPY);
    return true;
}

bool DrawNineGrid(HDC dc, const TRect& dest, const TBitmap& image, const TFrameCell& cell,
                  const TMargins& margins, TNineGridFit fit, TKeying keying)
{
    const std::optional<TRect> source = FrameCellRect(image, cell);
    if (!source || !HasArea(dest))
        return false;
    if (keying == TKeying::Opaque) {
        DrawGrid(dc, dest, image, *source, margins, fit);
        return true;
    }
    const TRect visible = Intersection(dest, ClipBox(dc));
    if (!HasArea(visible))
        return true;
    ScratchImage scratch(TScratchSlot::Image, RectWidth(visible), RectHeight(visible));
    DrawGrid(scratch.DC(), Offset(dest, -visible.left, -visible.top), image, *source,
             margins, fit);
    DrawScratchKeyed(dc, visible.left, visible.top, scratch, clFuchsia);
    return true;
}

std::unique_ptr<TBitmap> NineGridBitmap(const TBitmap& image, const TFrameCell& cell,
                                        const TMargins& margins, TNineGridFit fit, int width,
                                        int height)
{
    const std::optional<TRect> source = FrameCellRect(image, cell);
    if (!source || width <= 0 || height <= 0)
        return nullptr;
    auto result = std::make_unique<TBitmap>();
    result->SetPixelFormat(pf24bit);
    result->SetSize(width, height);
    DrawGrid(result->Canvas().Handle(), Rect(0, 0, width, height), image, *source, margins, fit);
    return result;
}

bool DrawTiled(HDC dc, const TRect& dest, const TBitmap& image, const TRect& sourceRect)
{
    return DrawFitted(dc, dest, image, sourceRect, TFit::Tile, TFit::Tile);
}

} // namespace tarnivo
