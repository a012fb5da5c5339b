#include "editborder.h"

#include "framework/gdiobjects.h"

namespace tarnivo {

void FrameLine(HDC dc, const TRect& rect, TColor color)
{
    if (RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    GdiBrush brush(CreateSolidBrush(ColorToRGB(color)));
    if (brush)
        ::FrameRect(dc, &rect, brush.Get());
}

void DrawEditBorder(HDC dc, const TRect& rect, TColor outline, int whiteLines)
{
    TRect line = rect;
    FrameLine(dc, line, outline);
    for (int i = 0; i < whiteLines; ++i) {
        InflateRect(&line, -1, -1);
        FrameLine(dc, line, clWhite);
    }
}

} // namespace tarnivo
