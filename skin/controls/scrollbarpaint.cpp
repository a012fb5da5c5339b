#include "scrollbarpaint.h"

#include "skin/paint/skinmap.h"
#include "skin/resources/skinelements.h"

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/gdiobjects.h"

#include <algorithm>
#include <cstdlib>

namespace tarnivo {

// Where a thumb's body and grip land along the axis, and whether each is
// drawn at all.
struct TThumbShape {
    bool Body = false;
    bool Grip = false;
    int Start = 0;       // body
    int End = 0;
    int GripStart = 0;
    int GripLength = 0;
};

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

TThumbShape ShapeOf(const TSkinElements& e, const TScrollBarLook& look)
{
    TThumbShape shape;
    const int length = look.Vertical ? look.Height : look.Width;
    const int start = look.ThumbStart;
    const int end = look.ThumbEnd;
    if (!look.Enabled || start < 0 || end > length || end <= start)
        return shape;
    shape.Start = start;
    shape.End = end;
    shape.Body = ElementPresent(look.Vertical ? e.VertScrollThumb : e.HorzScrollThumb);
    // The grip is a square of the strip's height in the thumb's middle; a
    // thumb too short for it shows none.
    const int grip = e.Scrollbar->Image.Height();
    const int thumb = end - start;
    if (thumb + 2 <= grip)
        return shape;
    shape.GripStart = start + (thumb - grip) / 2;
    shape.GripLength = grip;
    shape.Grip = shape.GripStart >= 0 && shape.GripStart + grip <= length;
    return shape;
}

void ShapeSpan(const TThumbShape& shape, int& from, int& to)
{
    from = shape.Start;
    to = shape.Body ? shape.End : shape.Start;
    if (shape.Grip) {
        from = shape.Body ? std::min(from, shape.GripStart) : shape.GripStart;
        to = std::max(to, shape.GripStart + shape.GripLength);
    }
}

// The thumb's frame depends on the part and the press only over the thumb.
int ThumbState(const TScrollBarLook& look)
{
    if (look.Part != sbpart::Thumb)
        return 0;
    return look.Pressed ? 2 : 1;
}

// Draws the shape moved back by `offset` along the axis.
void DrawShape(HDC dc, const TSkinElements& e, const TScrollBarLook& look,
               const TThumbShape& shape, int offset, int thickness)
{
    if (shape.Body) {
        const TDataSkinObject* body =
            look.Vertical ? e.VertScrollThumb.get() : e.HorzScrollThumb.get();
        const int count = body->FrameCount > 0 ? body->FrameCount : 3;
        static constexpr int kBodyFrame[] = {1, 3, 2};
        DrawSkinMap(dc, AxisRect(look, shape.Start - offset, shape.End - offset, thickness), count,
                    kBodyFrame[ThumbState(look)], body);
    }
    if (shape.Grip) {
        const int frame = PartFrame(look, sbpart::Thumb,
                                    look.Vertical ? sbframe::VertGrip : sbframe::HorzGrip, 2);
        const int from = shape.GripStart - offset;
        DrawSkinMapStretched(dc, AxisRect(look, from, from + shape.GripLength, thickness),
                             sbframe::Count, frame, e.Scrollbar->Image);
    }
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

namespace {

// Face, track and arrows: everything but the thumb.
void DrawTrack(HDC dc, const TSkinElements& e, TColor face, const TScrollBarLook& look)
{
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
}

void DrawThumbOf(HDC dc, const TSkinElements& e, const TScrollBarLook& look)
{
    DrawShape(dc, e, look, ShapeOf(e, look), 0, ScrollBarThickness(e, look.ArrowSize));
}

// The arrows' frames likewise, over either arrow.
int ArrowState(const TScrollBarLook& look)
{
    if (look.Part != sbpart::FirstArrow && look.Part != sbpart::SecondArrow)
        return 0;
    return 1 + look.Part * 2 + (look.Pressed ? 1 : 0);
}

bool SameThumb(const TScrollBarLook& a, const TScrollBarLook& b)
{
    return a.ThumbStart == b.ThumbStart && a.ThumbEnd == b.ThumbEnd &&
           ThumbState(a) == ThumbState(b);
}

void CopySpan(HDC to, POINT at, HDC from, const TScrollBarLook& look, int start, int end)
{
    if (end <= start)
        return;
    if (look.Vertical)
        BitBlt(to, at.x, at.y + start, look.Width, end - start, from, 0, start, SRCCOPY);
    else
        BitBlt(to, at.x + start, at.y, end - start, look.Height, from, start, 0, SRCCOPY);
}

bool SizeBuffer(TBitmap& bitmap, int width, int height)
{
    if (bitmap.Empty() || bitmap.Width() != width || bitmap.Height() != height) {
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(width, height);
    }
    return !bitmap.Empty();
}

} // namespace

void DrawScrollBar(HDC dc, const TSkinElements& e, TColor face, const TScrollBarLook& look)
{
    if (!SkinHasScrollBars(e) || look.Width <= 0 || look.Height <= 0)
        return;
    DrawTrack(dc, e, face, look);
    DrawThumbOf(dc, e, look);
}

bool TScrollBarPainter::TrackMatches(const TSkinElements& e, TColor face,
                                     const TScrollBarLook& look) const
{
    const TScrollBarLook& l = m_last;
    return m_trackValid && m_elements == &e && m_generation == e.Generation() &&
           m_face == face && l.Vertical == look.Vertical && l.Width == look.Width &&
           l.Height == look.Height && l.Enabled == look.Enabled &&
           l.ArrowSize == look.ArrowSize && ArrowState(l) == ArrowState(look);
}

void TScrollBarPainter::ComposeTrack(const TSkinElements& e, TColor face,
                                     const TScrollBarLook& look)
{
    m_trackValid = SizeBuffer(m_track, look.Width, look.Height) &&
                   SizeBuffer(m_bar, look.Width, look.Height);
    if (!m_trackValid)
        return;
    DrawTrack(m_track.Canvas().Handle(), e, face, look);
    m_elements = &e;
    m_generation = e.Generation();
    m_face = face;
}

bool TScrollBarPainter::Current(const TSkinElements& e, TColor face,
                                const TScrollBarLook& look) const
{
    return m_shown && SkinHasScrollBars(e) && TrackMatches(e, face, look) &&
           SameThumb(m_last, look);
}

bool TScrollBarPainter::Paint(HDC dc, POINT at, const TSkinElements& e, TColor face,
                              const TScrollBarLook& look, TBarRefresh refresh)
{
    if (!SkinHasScrollBars(e) || look.Width <= 0 || look.Height <= 0)
        return false;
    bool whole = refresh == TBarRefresh::Whole || !m_shown;
    if (!TrackMatches(e, face, look)) {
        ComposeTrack(e, face, look);
        if (!m_trackValid) {
            m_shown = false;
            DrawScrollBarBuffered(dc, at, e, face, look);
            return true;
        }
        whole = true;
    }
    HDC bar = m_bar.Canvas().Handle();
    HDC track = m_track.Canvas().Handle();
    if (whole) {
        BitBlt(bar, 0, 0, look.Width, look.Height, track, 0, 0, SRCCOPY);
        m_thumb.Draw(bar, e, look);
        BitBlt(dc, at.x, at.y, look.Width, look.Height, bar, 0, 0, SRCCOPY);
    } else if (!SameThumb(m_last, look)) {
        int oldFrom = 0, oldTo = 0, newFrom = 0, newTo = 0;
        TThumbImage::Span(e, m_last, oldFrom, oldTo);
        TThumbImage::Span(e, look, newFrom, newTo);
        CopySpan(bar, POINT{0, 0}, track, look, oldFrom, oldTo);
        m_thumb.Draw(bar, e, look);
        if (oldTo <= oldFrom)
            CopySpan(dc, at, bar, look, newFrom, newTo);
        else if (newTo <= newFrom)
            CopySpan(dc, at, bar, look, oldFrom, oldTo);
        else
            CopySpan(dc, at, bar, look, std::min(oldFrom, newFrom), std::max(oldTo, newTo));
    }
    m_last = look;
    m_shown = true;
    return true;
}

// TThumbImage --------------------------------------------------------------------

void TThumbImage::Span(const TSkinElements& e, const TScrollBarLook& look, int& from, int& to)
{
    ShapeSpan(ShapeOf(e, look), from, to);
}

void TThumbImage::Draw(HDC dc, const TSkinElements& e, const TScrollBarLook& look)
{
    const TThumbShape shape = ShapeOf(e, look);
    int from = 0, to = 0;
    ShapeSpan(shape, from, to);
    if (to <= from)
        return;
    TKey key;
    key.Elements = &e;
    key.Generation = e.Generation();
    key.Vertical = look.Vertical;
    key.Thickness = ScrollBarThickness(e, look.ArrowSize);
    key.Length = to - from;
    if (shape.Body) {
        key.BodyFrom = shape.Start - from;
        key.BodyTo = shape.End - from;
    }
    if (shape.Grip) {
        key.GripFrom = shape.GripStart - from;
        key.GripTo = shape.GripStart + shape.GripLength - from;
    }
    key.State = ThumbState(look);
    if ((!m_valid || !(key == m_key)) && !Compose(e, look, shape, from, key)) {
        DrawShape(dc, e, look, shape, 0, key.Thickness);
        return;
    }
    const TRect at = AxisRect(look, from, to, key.Thickness);
    const int w = RectWidth(at), h = RectHeight(at);
    if (m_opaque) {
        BitBlt(dc, at.left, at.top, w, h, m_image.Canvas().Handle(), 0, 0, SRCCOPY);
        return;
    }
    BitBlt(dc, at.left, at.top, w, h, m_mask.Canvas().Handle(), 0, 0, SRCAND);
    BitBlt(dc, at.left, at.top, w, h, m_image.Canvas().Handle(), 0, 0, SRCPAINT);
}

bool TThumbImage::Compose(const TSkinElements& e, const TScrollBarLook& look,
                          const TThumbShape& shape, int offset, const TKey& key)
{
    m_valid = false;
    const int w = key.Vertical ? key.Thickness : key.Length;
    const int h = key.Vertical ? key.Length : key.Thickness;
    if (!SizeBuffer(m_image, w, h) || !SizeBuffer(m_mask, w, h))
        return false;
    // Over black into the image, over white into the mask: a pixel that is
    // black in one and white in the other was left alone.
    const TRect all = Rect(0, 0, w, h);
    FillRect(m_image.Canvas().Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(m_mask.Canvas().Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawShape(m_image.Canvas().Handle(), e, look, shape, offset, key.Thickness);
    DrawShape(m_mask.Canvas().Handle(), e, look, shape, offset, key.Thickness);
    GdiFlush();
    long long drawn = 0;
    for (int y = 0; y < h; ++y) {
        auto* image = reinterpret_cast<std::uint32_t*>(m_image.ScanLine(y));
        auto* mask = reinterpret_cast<std::uint32_t*>(m_mask.ScanLine(y));
        for (int x = 0; x < w; ++x) {
            const bool untouched =
                (image[x] & 0x00FFFFFF) == 0 && (mask[x] & 0x00FFFFFF) == 0x00FFFFFF;
            mask[x] = untouched ? 0xFFFFFFFF : 0;
            drawn += untouched ? 0 : 1;
        }
    }
    m_opaque = drawn == static_cast<long long>(w) * h;
    m_key = key;
    m_valid = true;
    return true;
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
