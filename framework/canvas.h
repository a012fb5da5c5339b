#pragma once
// TCanvas: drawing on a device context with a font, brush and pen.
//
// The canvas either borrows a DC (SetHandle: a paint handler's DC, which the
// caller releases) or owns one (Adopt). Its Font, Brush and Pen are selected
// into the DC only when an operation needs them, and selected out again when
// they change or the DC goes, so their GDI objects are never freed while a DC
// still holds them.

#include "brush.h"
#include "dcscopes.h"
#include "font.h"
#include "gdiobjects.h"
#include "graphics.h"

#include <span>
#include <string_view>
#include <variant>

namespace tarnivo {

class TBitmap;
class TIcon;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;
    std::string ClassName() const override { return "TCanvas"; }

    // The DC; null when the canvas has none. A bitmap's canvas makes its
    // memory DC here on first use.
    HDC Handle();
    bool HandleAllocated() const { return m_dc != nullptr; }
    // Borrows `dc` (null detaches); the caller keeps it alive and frees it.
    void SetHandle(HDC dc);
    // Takes ownership of a DC; it is freed when the canvas goes or changes DC.
    void Adopt(MemoryDC dc);
    void Adopt(WindowDC dc);

    TFont& Font() { return m_font; }
    TBrush& Brush() { return m_brush; }
    TPen& Pen() { return m_pen; }
    const TFont& Font() const { return m_font; }
    const TBrush& Brush() const { return m_brush; }
    const TPen& Pen() const { return m_pen; }

    // Raster operation of Draw, StretchDraw and CopyRect (SRCCOPY by default).
    DWORD CopyMode() const { return m_copyMode; }
    void SetCopyMode(DWORD mode) { m_copyMode = mode; }

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Polygon(std::span<const TPoint> points);
    void Polyline(std::span<const TPoint> points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos();

    void TextOut(int x, int y, std::string_view text);
    void TextOut(int x, int y, std::wstring_view text);
    // Text at (x, y) clipped to `rect`; the rectangle is filled with the brush
    // first unless the brush is clear.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    void TextRect(const TRect& rect, int x, int y, std::wstring_view text);
    TSize TextExtent(std::string_view text);
    TSize TextExtent(std::wstring_view text);
    // DrawTextA / DrawTextW with the canvas's font, in `rect`, with the DT_*
    // flags given (DT_CALCRECT is for MeasureText and is ignored here).
    // Answers the height of the text drawn.
    int DrawText(const TRect& rect, std::string_view text, UINT format);
    int DrawText(const TRect& rect, std::wstring_view text, UINT format);
    // The rectangle the text would take when drawn with `format` (DT_CALCRECT
    // added): starting from `bounds`, as wide as the text on a single line,
    // or `bounds`' width with DT_WORDBREAK and as high as its lines need.
    TRect MeasureText(const TRect& bounds, std::string_view text, UINT format);
    TRect MeasureText(const TRect& bounds, std::wstring_view text, UINT format);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
    int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }

    // Copies the bitmap at its size; a Transparent bitmap leaves the
    // destination where it has its TransparentColor.
    void Draw(int x, int y, const TBitmap& bitmap);
    void Draw(int x, int y, const TIcon& icon);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    // The dotted focus rectangle (XOR: drawing it again takes it away).
    void DrawFocusRect(const TRect& rect);

    // How text and hatched brushes treat the gaps: filled with the brush
    // colour (Opaque, the default) or left alone. A clear brush always
    // draws transparent.
    TBackgroundMode BackgroundMode() const { return m_backgroundMode; }
    void SetBackgroundMode(TBackgroundMode mode);
    // SetStretchBltMode for StretchDraw and CopyRect (COLORONCOLOR, or e.g.
    // HALFTONE); kept across a change of DC. 0 leaves the DC's own mode.
    int StretchMode() const { return m_stretchMode; }
    void SetStretchMode(int mode);

    // GetPixel's answer: -1 (CLR_INVALID) outside the DC's clipping region.
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    TRect ClipRect();

    // Selects font, brush and pen out of the DC; the next drawing selects
    // them again. Needed before another canvas's objects go into this DC.
    void Refresh();

protected:
    // Called by Handle() each time, so a derived canvas can make or complete
    // its DC lazily.
    virtual void RequireHandle() {}
    HDC RawHandle() const { return m_dc; }

private:
    enum Part : unsigned { kFont = 1, kPen = 2, kBrush = 4 };
    void Require(unsigned parts);
    void Deselect(unsigned parts);
    void ReplaceDC(HDC dc);
    void DrawBitmap(const TRect& dest, const TBitmap& bitmap);
    int EffectiveBkMode() const;

    HDC m_dc = nullptr;
    std::variant<std::monostate, MemoryDC, WindowDC> m_owned;
    unsigned m_selected = 0;   // Parts currently selected into m_dc
    HGDIOBJ m_originalFont = nullptr;
    HGDIOBJ m_originalPen = nullptr;
    HGDIOBJ m_originalBrush = nullptr;
    DWORD m_copyMode = SRCCOPY;
    TBackgroundMode m_backgroundMode = TBackgroundMode::Opaque;
    int m_stretchMode = 0;
    TFont m_font;
    TBrush m_brush;
    TPen m_pen;
};

} // namespace tarnivo
