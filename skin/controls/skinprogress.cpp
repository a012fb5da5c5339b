#include "skinprogress.h"

#include "skin/paint/drawroutines.h"
#include "skin/paint/elementpaint.h"
#include "skin/resources/imgutil.h"
#include "skin/resources/skindata.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnivo {

namespace {

const TDataSkinBorder* ProgressElement(const TSkinElements* elements)
{
    if (!elements || !ElementPresent(elements->Progress))
        return nullptr;
    return elements->Progress.get();
}

const TDataSkinObject* ChunkElement(const TSkinElements* elements)
{
    if (!elements || !ElementPresent(elements->ProgressChunk))
        return nullptr;
    return elements->ProgressChunk.get();
}

// Frame `frame` of `frames` of the element, nine-grid with its margins and
// Tile, always keyed on magenta.
void DrawBarFrame(HDC dc, const TRect& rect, const TDataSkinObject& element, int frames, int frame)
{
    DrawRect2(dc, rect, element.Image, FrameLayout::SideBySide, ElementCenterFill(element),
              Keying::Transparent, frames, frame, element.Margins);
}

} // namespace

int TSkinProgress::FilledLength(int length, int position, int upper)
{
    if (position <= 0 || upper <= 0 || length <= 0)
        return 0;
    return std::clamp(MulDiv(length, position, upper), 0, length);
}

bool TSkinProgress::BeforeProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!ProgressElement(SkinElements()))
            return true;   // the bar paints itself
        WMPaint(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeProc(message);
    }
}

bool TSkinProgress::Vertical() const
{
    return FHandle && (GetWindowLongEx(FHandle, GWL_STYLE) & PBS_VERTICAL) != 0;
}

int TSkinProgress::Filled(int length) const
{
    const int position = static_cast<int>(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
    const int upper = static_cast<int>(SendMessageW(FHandle, PBM_GETRANGE, FALSE, 0));
    return FilledLength(length, position, upper);
}

void TSkinProgress::Prepare(TBitmap& bar, const TRect& rect) const
{
    bar.SetPixelFormat(pf24bit);
    if (Vertical())
        bar.SetSize(RectHeight(rect), RectWidth(rect));
    else
        bar.SetSize(RectWidth(rect), RectHeight(rect));
    FillBG(bar.Canvas().Handle(), Rect(0, 0, bar.Width(), bar.Height()));
}

void TSkinProgress::Present(HDC dc, const TRect& rect, TBitmap& bar) const
{
    // The bar was composed filling from the left; a quarter turn to the
    // left puts that end at the bottom.
    if (Vertical())
        Drehen270Grad(bar);
    BitBlt(dc, rect.left, rect.top, bar.Width(), bar.Height(), bar.Canvas().Handle(), 0, 0,
           SRCCOPY);
}

void TSkinProgress::DrawControl(HDC dc, const TRect& rect)
{
    const TDataSkinBorder* element = ProgressElement(SkinElements());
    if (!element || RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    if (element->Style == 1) {
        DrawControl1(dc, rect);
        return;
    }
    TBitmap bar;
    Prepare(bar, rect);
    HDC barDC = bar.Canvas().Handle();
    DrawBarFrame(barDC, Rect(0, 0, bar.Width(), bar.Height()), *element, 2, 1);
    const int filled = Filled(bar.Width());
    if (filled > 0)
        DrawBarFrame(barDC, Rect(0, 0, filled, bar.Height()), *element, 2, 2);
    Present(dc, rect, bar);
}

void TSkinProgress::DrawControl1(HDC dc, const TRect& rect)
{
    const TDataSkinBorder* element = ProgressElement(SkinElements());
    const TDataSkinObject* chunk = ChunkElement(SkinElements());
    if (!element || !chunk)
        return;
    TBitmap bar;
    Prepare(bar, rect);
    HDC barDC = bar.Canvas().Handle();
    DrawBarFrame(barDC, Rect(0, 0, bar.Width(), bar.Height()), *element, 1, 1);
    const int filled = Filled(bar.Width());
    if (filled <= 0) {
        Present(dc, rect, bar);
        return;
    }
    if (chunk->Tile == 1) {
        // Whole chunks side by side from the chunk's left margin, one more
        // than fit, in a band of the chunk's height centred in the bar.
        const int chunkWidth = chunk->Image.Width();
        const int chunkHeight = chunk->Image.Height();
        const int x0 = chunk->Margins.Left + 2;
        const int y = (bar.Height() - chunkHeight) / 2;
        const int copies = filled / std::max(chunkWidth, 1) + 1;
        for (int i = 0; i < copies; ++i) {
            const TRect cell = Rect(x0 + i * chunkWidth, y, x0 + (i + 1) * chunkWidth, y + chunkHeight);
            DrawRect1(barDC, cell, chunk->Image, ElementKeying(*chunk), 1, 1);
        }
    } else {
        DrawBarFrame(barDC, Rect(2, 2, 2 + filled, bar.Height() - 2), *chunk, 1, 1);
    }
    Present(dc, rect, bar);
}

} // namespace tarnivo
