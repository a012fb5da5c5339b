#include "scrollbarpaint.h"

#include "skin/paint/skinmap.h"
#include "skin/resources/skinelements.h"

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/gdiobjects.h"

#include <algorithm>
#include <cstdlib>

namespace tarnivo {

namespace {

// A stretch of the bar from `from` to `to` along its axis, `thickness` across.
TRect AxisRect(const TScrollBarLook& look, int from, int to, int thickness)
{
    return look.Vertical ? Rect(0, from, thickness, to) : Rect(from, 0, to, thickness);
}

// The strip frame for a part: +1 pressed, +`hot` while the pointer is over it.
int PartFrame(const TScrollBarLook& look, int part, int frame, int hot)
{
    if (look.Part != part)
        return frame;
    return frame + (look.Pressed ? 1 : hot);
}

void DrawArrows(HDC dc, const TDataSkinObject& strip, const TScrollBarLook& look, int length,
                int thickness)
{
    const int a = ScrollArrowLength(length, look.ArrowSize);
    const int first = look.Vertical ? sbframe::UpArrow : sbframe::LeftArrow;
    const int second = look.Vertical ? sbframe::DownArrow : sbframe::RightArrow;
    DrawSkinMapStretched(dc, AxisRect(look, 0, a, thickness), sbframe::Count,
                         PartFrame(look, sbpart::FirstArrow, first, 3), strip.Image);
    DrawSkinMapStretched(dc, AxisRect(look, length - a, length, thickness), sbframe::Count,
                         PartFrame(look, sbpart::SecondArrow, second, 3), strip.Image);
}

void DrawThumb(HDC dc, const TSkinElements& e, const TScrollBarLook& look, int length,
               int thickness)
{
    const int start = look.ThumbStart;
    const int end = look.ThumbEnd;
    if (start < 0 || end > length || end <= start)
        return;
    const TDataSkinObject* body = look.Vertical ? e.VertScrollThumb.get() : e.HorzScrollThumb.get();
    if (ElementPresent(body)) {
        const int count = body->FrameCount > 0 ? body->FrameCount : 3;
        int frame = 1;
        if (look.Part == sbpart::Thumb)
            frame = look.Pressed ? 2 : 3;
        DrawSkinMap(dc, AxisRect(look, start, end, thickness), count, frame, body);
    }
    // The grip is a square of the strip's height in the thumb's middle; a
    // thumb too short for it shows none.
    const int grip = e.Scrollbar->Image.Height();
    const int thumb = end - start;
    if (thumb + 2 <= grip)
        return;
    const int gripStart = start + (thumb - grip) / 2;
    if (gripStart < 0 || gripStart + grip > length)
        return;
    const int frame = PartFrame(look, sbpart::Thumb,
                                look.Vertical ? sbframe::VertGrip : sbframe::HorzGrip, 2);
    DrawSkinMapStretched(dc, AxisRect(look, gripStart, gripStart + grip, thickness),
                         sbframe::Count, frame, e.Scrollbar->Image);
}

} // namespace

bool SkinHasScrollBars(const TSkinElements& elements)
{
    return ElementPresent(elements.Scrollbar);
}

int ScrollBarThickness(const TSkinElements& elements, int arrowSize)
{
    if (!ElementPresent(elements.Scrollbar))
        return arrowSize;
    const int height = elements.Scrollbar->Image.Height();
    return std::abs(height - arrowSize) > 2 ? arrowSize : height;
}

int ScrollArrowLength(int length, int arrowSize)
{
    return length < 2 * arrowSize ? length / 2 : arrowSize;
}

void DrawScrollBar(HDC dc, const TSkinElements& e, TColor face, const TScrollBarLook& look)
{
    if (!SkinHasScrollBars(e) || look.Width <= 0 || look.Height <= 0)
        return;
    const int length = look.Vertical ? look.Height : look.Width;
    const int thickness = ScrollBarThickness(e, look.ArrowSize);
    GdiBrush brush(CreateSolidBrush(ColorToRGB(face)));
    const TRect all = Rect(0, 0, look.Width, look.Height);
    if (brush)
        FillRect(dc, &all, brush.Get());
    const int a = ScrollArrowLength(length, look.ArrowSize);
    const TDataSkinObject* track = look.Vertical ? e.VertScroll.get() : e.HorzScroll.get();
    if (length > 2 * a)
        DrawSkinMap(dc, AxisRect(look, a, length - a, thickness), sbframe::TrackCount,
                    look.Enabled ? sbframe::TrackEnabled : sbframe::TrackDisabled, track);
    DrawArrows(dc, *e.Scrollbar, look, length, thickness);
    if (look.Enabled)
        DrawThumb(dc, e, look, length, thickness);
}

void DrawScrollBarBuffered(HDC dc, POINT at, const TSkinElements& elements, TColor face,
                           const TScrollBarLook& look)
{
    if (!SkinHasScrollBars(elements) || look.Width <= 0 || look.Height <= 0)
        return;
    // One bitmap for every bar (GUI thread, one paint at a time), grown as
    // needed: a new DIB section per paint costs more than the drawing.
    static TBitmap buffer;
    if (buffer.Empty() || buffer.Width() < look.Width || buffer.Height() < look.Height) {
        buffer.SetPixelFormat(pf32bit);
        buffer.SetSize(std::max(buffer.Width(), look.Width), std::max(buffer.Height(), look.Height));
    }
    if (buffer.Empty())
        return;
    HDC memory = buffer.Canvas().Handle();
    DrawScrollBar(memory, elements, face, look);
    BitBlt(dc, at.x, at.y, look.Width, look.Height, memory, 0, 0, SRCCOPY);
}

} // namespace tarnivo
