#pragma once
// The nine-grid: one frame cell of an image drawn into a rectangle of any
// size with its margins kept.
//
// The cell is cut by the four margins into corners, edges and a centre.
// Corners are copied 1:1; the top and bottom edges fill the width between the
// corners, the left and right edges the height between them, each stretched
// or tiled along its length and 1:1 across it; the centre fills what is left,
// stretched or tiled on each axis. A destination narrower than left + right
// margin drops both horizontal margins (the cell is then stretched or tiled
// edge to edge in width), and one lower than top + bottom drops both vertical
// ones; the same happens when the cell itself is too small for its margins to
// leave a middle that could fill the destination. Stretching is GDI's
// StretchBlt in COLORONCOLOR mode; tiling starts at the top-left corner of the
// part it fills.

#include "framecell.h"
#include "graphics.h"
#include "keyedblit.h"

#include <memory>

namespace tarnivo {

class TBitmap;

struct TMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class TFit { Stretch, Tile };

struct TNineGridFit {
    TFit centreX = TFit::Stretch;   // the centre across
    TFit centreY = TFit::Stretch;   // the centre down
    TFit edges = TFit::Stretch;     // all four edges along their length
};

// Centre stretched or tiled on both axes, edges stretched: how a skin
// element's "Tile" switch is meant.
constexpr TNineGridFit CentreFit(TFit centre)
{
    return TNineGridFit{centre, centre, TFit::Stretch};
}

// The margins the nine-grid really uses for a cell of `cellWidth` x
// `cellHeight` drawn into `destWidth` x `destHeight` (negative margins count
// as 0; pairs that do not fit become 0, as described above).
TMargins FittedMargins(const TMargins& margins, int cellWidth, int cellHeight, int destWidth,
                       int destHeight);

// Draws the cell into `dest` of the DC. With TKeying::Magenta the grid is
// composed off-screen first and magenta is keyed out of the result.
bool DrawNineGrid(HDC dc, const TRect& dest, const TBitmap& image, const TFrameCell& cell,
                  const TMargins& margins, TNineGridFit fit = {},
                  TKeying keying = TKeying::Opaque);

// A new width x height bitmap (24 bits per pixel) holding the cell drawn by
// the nine-grid; null when the size is not positive or the cell is invalid.
std::unique_ptr<TBitmap> NineGridBitmap(const TBitmap& image, const TFrameCell& cell,
                                        const TMargins& margins, TNineGridFit fit, int width,
                                        int height);

// Fills `dest` with `sourceRect` of the image repeated from the top-left
// corner, left to right and top to bottom, each copy 1:1; the last row and
// column are cut at the edge. The source is clipped to the image; nothing is
// drawn for an empty one.
bool DrawTiled(HDC dc, const TRect& dest, const TBitmap& image, const TRect& sourceRect);

// One piece of an image into one rectangle: stretched or tiled on each axis.
// The building block of the two above, for painters with their own slicing.
bool DrawFitted(HDC dc, const TRect& dest, const TBitmap& image, const TRect& sourceRect,
                TFit fitX, TFit fitY);

} // namespace tarnivo
