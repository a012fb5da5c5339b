#include "canvas.h"

#include "bitmap.h"
#include "icon.h"
#include "unicodetext.h"

namespace tarnivo {

TCanvas::TCanvas()
{
    // A changed font, brush or pen must leave the DC before its old GDI
    // object is freed; it is selected again by the next drawing call.
    m_font.OnChange = [this](TObject*) { Deselect(kFont); };
    m_brush.OnChange = [this](TObject*) { Deselect(kBrush); };
    m_pen.OnChange = [this](TObject*) { Deselect(kPen); };
}

TCanvas::~TCanvas()
{
    ReplaceDC(nullptr);
}

HDC TCanvas::Handle()
{
    RequireHandle();
    return m_dc;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == m_dc && std::holds_alternative<std::monostate>(m_owned))
        return;
    ReplaceDC(dc);
}

void TCanvas::Adopt(MemoryDC dc)
{
    ReplaceDC(dc.Get());
    m_owned = std::move(dc);
}

void TCanvas::Adopt(WindowDC dc)
{
    ReplaceDC(dc.Get());
    m_owned = std::move(dc);
}

void TCanvas::ReplaceDC(HDC dc)
{
    Deselect(kFont | kPen | kBrush);
    m_owned = std::monostate{};
    m_dc = dc;
    if (m_dc && m_stretchMode != 0)
        SetStretchBltMode(m_dc, m_stretchMode);
}

int TCanvas::EffectiveBkMode() const
{
    return m_brush.Style() == bsClear ? TRANSPARENT : static_cast<int>(m_backgroundMode);
}

void TCanvas::SetBackgroundMode(TBackgroundMode mode)
{
    if (mode == m_backgroundMode)
        return;
    m_backgroundMode = mode;
    // While the brush is out of the DC, its next selection sets the mode.
    if (m_selected & kBrush)
        SetBkMode(m_dc, EffectiveBkMode());
}

void TCanvas::SetStretchMode(int mode)
{
    m_stretchMode = mode;
    if (mode != 0 && Handle())
        SetStretchBltMode(m_dc, mode);
}

void TCanvas::Require(unsigned parts)
{
    HDC dc = Handle();
    if (!dc)
        throw EInvalidGraphic("Canvas does not allow drawing");
    unsigned missing = parts & ~m_selected;
    if (missing & kFont) {
        m_originalFont = SelectObject(dc, m_font.Handle());
        SetTextColor(dc, ColorToRGB(m_font.Color()));
    }
    if (missing & kPen) {
        m_originalPen = SelectObject(dc, m_pen.Handle());
        SetROP2(dc, m_pen.Mode() + 1);
    }
    if (missing & kBrush) {
        m_originalBrush = SelectObject(dc, m_brush.Handle());
        SetBkColor(dc, ColorToRGB(m_brush.Color()));
        SetBkMode(dc, EffectiveBkMode());
    }
    m_selected |= missing;
}

void TCanvas::Deselect(unsigned parts)
{
    unsigned selected = parts & m_selected;
    if (selected & kFont)
        SelectObject(m_dc, m_originalFont);
    if (selected & kPen)
        SelectObject(m_dc, m_originalPen);
    if (selected & kBrush)
        SelectObject(m_dc, m_originalBrush);
    m_selected &= ~selected;
}

void TCanvas::Refresh()
{
    Deselect(kFont | kPen | kBrush);
}

void TCanvas::FillRect(const TRect& rect)
{
    Require(kBrush);
    ::FillRect(m_dc, &rect, m_brush.Handle());
}

void TCanvas::FrameRect(const TRect& rect)
{
    Require(kBrush);
    ::FrameRect(m_dc, &rect, m_brush.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Require(kPen | kBrush);
    ::Rectangle(m_dc, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight)
{
    Require(kPen | kBrush);
    ::RoundRect(m_dc, left, top, right, bottom, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Require(kPen | kBrush);
    ::Ellipse(m_dc, left, top, right, bottom);
}

void TCanvas::Polygon(std::span<const TPoint> points)
{
    Require(kPen | kBrush);
    ::Polygon(m_dc, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(std::span<const TPoint> points)
{
    Require(kPen);
    ::Polyline(m_dc, points.data(), static_cast<int>(points.size()));
}

void TCanvas::MoveTo(int x, int y)
{
    Require(0);
    MoveToEx(m_dc, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Require(kPen);
    ::LineTo(m_dc, x, y);
}

TPoint TCanvas::PenPos()
{
    Require(0);
    TPoint p{};
    GetCurrentPositionEx(m_dc, &p);
    return p;
}

// UTF-8 text is drawn by the wide calls: the ANSI ones would show every
// character outside the code page as "?".
void TCanvas::TextOut(int x, int y, std::string_view text)
{
    TextOut(x, y, std::wstring_view(ToWide(text)));
}

void TCanvas::TextOut(int x, int y, std::wstring_view text)
{
    Require(kFont | kBrush);
    ::TextOutW(m_dc, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text)
{
    TextRect(rect, x, y, std::wstring_view(ToWide(text)));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, std::wstring_view text)
{
    Require(kFont | kBrush);
    UINT options = ETO_CLIPPED | (m_brush.Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutW(m_dc, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const TRect& rect, std::string_view text, UINT format)
{
    return DrawText(rect, std::wstring_view(ToWide(text)), format);
}

int TCanvas::DrawText(const TRect& rect, std::wstring_view text, UINT format)
{
    Require(kFont | kBrush);
    TRect r = rect;
    return ::DrawTextW(m_dc, text.data(), static_cast<int>(text.size()), &r, format & ~DT_CALCRECT);
}

TRect TCanvas::MeasureText(const TRect& bounds, std::string_view text, UINT format)
{
    return MeasureText(bounds, std::wstring_view(ToWide(text)), format);
}

TRect TCanvas::MeasureText(const TRect& bounds, std::wstring_view text, UINT format)
{
    Require(kFont);
    TRect r = bounds;
    ::DrawTextW(m_dc, text.data(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    return r;
}

void TCanvas::DrawFocusRect(const TRect& rect)
{
    Require(0);
    ::DrawFocusRect(m_dc, &rect);
}

TSize TCanvas::TextExtent(std::string_view text)
{
    return TextExtent(std::wstring_view(ToWide(text)));
}

TSize TCanvas::TextExtent(std::wstring_view text)
{
    Require(kFont);
    TSize size{};
    GetTextExtentPoint32W(m_dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    DrawBitmap(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap)
{
    DrawBitmap(dest, bitmap);
}

void TCanvas::DrawBitmap(const TRect& dest, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    Require(0);
    HDC source = bitmap.Canvas().Handle();
    const int w = RectWidth(dest), h = RectHeight(dest);
    if (bitmap.Transparent()) {
        TransparentBlt(m_dc, dest.left, dest.top, w, h, source, 0, 0, bitmap.Width(),
                       bitmap.Height(), ColorToRGB(bitmap.TransparentColor()));
    } else if (w == bitmap.Width() && h == bitmap.Height()) {
        BitBlt(m_dc, dest.left, dest.top, w, h, source, 0, 0, m_copyMode);
    } else {
        StretchBlt(m_dc, dest.left, dest.top, w, h, source, 0, 0, bitmap.Width(),
                   bitmap.Height(), m_copyMode);
    }
}

void TCanvas::Draw(int x, int y, const TIcon& icon)
{
    if (icon.Empty())
        return;
    Require(0);
    DrawIconEx(m_dc, x, y, icon.Handle(), 0, 0, 0, nullptr, DI_NORMAL);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    Require(0);
    HDC from = source.Handle();
    StretchBlt(m_dc, dest.left, dest.top, RectWidth(dest), RectHeight(dest), from,
               sourceRect.left, sourceRect.top, RectWidth(sourceRect), RectHeight(sourceRect),
               m_copyMode);
}

TColor TCanvas::Pixels(int x, int y)
{
    Require(0);
    return static_cast<TColor>(GetPixel(m_dc, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    Require(0);
    SetPixel(m_dc, x, y, ColorToRGB(color));
}

TRect TCanvas::ClipRect()
{
    Require(0);
    TRect r{};
    GetClipBox(m_dc, &r);
    return r;
}

} // namespace tarnivo
