#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/dcscopes.h"
#include "tests/framework/graphics/bitmappixels.h"
#include "tests/framework/graphics/codedimage.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

using test::FillBitmap;
using test::AllPixels;
using test::PixelOf;

TEST(CanvasPixels, ThroughADib)
{
    TBitmap b;
    FillBitmap(b, 4, 3, clWhite);
    TCanvas& c = b.Canvas();
    c.SetPixels(3, 2, 0x102030);
    EXPECT_EQ(PixelOf(b, 3, 2), 0x102030);
    EXPECT_EQ(c.Pixels(3, 2), 0x102030);

    std::uint8_t* p = b.ScanLine(0);
    p[0] = 0x33, p[1] = 0x22, p[2] = 0x11;
    EXPECT_EQ(c.Pixels(0, 0), RGBColor(0x11, 0x22, 0x33));
    // Outside the bitmap GetPixel answers CLR_INVALID.
    EXPECT_EQ(c.Pixels(4, 0), -1);

    c.SetPixels(1, 1, clBtnFace);
    EXPECT_EQ(static_cast<COLORREF>(c.Pixels(1, 1)), GetSysColor(COLOR_BTNFACE));
}

TEST(CanvasFill, RectanglesExcludeRightAndBottomEdges)
{
    TBitmap b;
    FillBitmap(b, 6, 6, clWhite);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(PixelOf(b, 1, 1), clRed);
    EXPECT_EQ(PixelOf(b, 3, 2), clRed);
    EXPECT_EQ(PixelOf(b, 4, 2), clWhite);
    EXPECT_EQ(PixelOf(b, 3, 3), clWhite);
    EXPECT_EQ(PixelOf(b, 0, 0), clWhite);

    c.Brush().SetColor(clBlue);
    c.FrameRect(Rect(0, 0, 6, 6));
    EXPECT_EQ(PixelOf(b, 5, 5), clBlue);
    EXPECT_EQ(PixelOf(b, 0, 3), clBlue);
    EXPECT_EQ(PixelOf(b, 1, 1), clRed);
}

TEST(CanvasLines, PenColourAndPosition)
{
    TBitmap b;
    FillBitmap(b, 5, 5, clWhite);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clGreen);
    c.MoveTo(0, 2);
    c.LineTo(4, 2);
    EXPECT_EQ(PixelOf(b, 0, 2), clGreen);
    EXPECT_EQ(PixelOf(b, 3, 2), clGreen);
    EXPECT_EQ(PixelOf(b, 4, 2), clWhite);   // the end point is not drawn
    EXPECT_EQ(c.PenPos().x, 4);

    // Rectangle: pen outline, brush inside.
    c.Brush().SetColor(clYellow);
    c.Pen().SetColor(clNavy);
    c.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(PixelOf(b, 0, 0), clNavy);
    EXPECT_EQ(PixelOf(b, 3, 3), clNavy);
    EXPECT_EQ(PixelOf(b, 1, 1), clYellow);
}

TEST(CanvasText, FontChangesTakeEffectAndMeasure)
{
    TBitmap b;
    FillBitmap(b, 200, 60, clWhite);
    TCanvas& c = b.Canvas();
    c.Font().SetHeight(-10);
    const int small = c.TextWidth("WWWW");
    const int smallHeight = c.TextHeight("W");
    c.Font().SetHeight(-30);   // while the old font is selected
    EXPECT_GT(c.TextWidth("WWWW"), small);
    EXPECT_GT(c.TextHeight("W"), smallHeight);
    EXPECT_EQ(c.TextWidth(std::wstring_view(L"WWWW")), c.TextWidth("WWWW"));
    EXPECT_EQ(c.TextWidth(""), 0);

    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    c.TextOut(2, 2, "W");
    bool inked = false;
    for (int y = 0; y < 40 && !inked; ++y)
        for (int x = 0; x < 40 && !inked; ++x)
            inked = PixelOf(b, x, y) != clWhite;
    EXPECT_TRUE(inked);
}

TEST(CanvasText, TextRectClipsAndFillsWithTheBrush)
{
    TBitmap b;
    FillBitmap(b, 100, 40, clWhite);
    TCanvas& c = b.Canvas();
    c.Font().SetHeight(-30);
    c.Brush().SetColor(clAqua);
    c.TextRect(Rect(10, 5, 20, 35), 10, 5, "MMMMMMMM");
    EXPECT_EQ(PixelOf(b, 9, 20), clWhite);    // clipped on the left...
    EXPECT_EQ(PixelOf(b, 20, 20), clWhite);   // ...and on the right
    int aqua = 0;
    for (int x = 10; x < 20; ++x)
        aqua += PixelOf(b, x, 6) == clAqua;
    EXPECT_GT(aqua, 0);   // background filled inside the rectangle
}

TEST(CanvasDraw, PlainStretchedAndTransparent)
{
    TBitmap src;
    FillBitmap(src, 2, 2, clFuchsia);
    src.Canvas().SetPixels(0, 0, clRed);

    TBitmap dst;
    FillBitmap(dst, 6, 6, clWhite);
    dst.Canvas().Draw(1, 1, src);
    EXPECT_EQ(PixelOf(dst, 1, 1), clRed);
    EXPECT_EQ(PixelOf(dst, 2, 2), clFuchsia);
    EXPECT_EQ(PixelOf(dst, 3, 3), clWhite);

    FillBitmap(dst, 6, 6, clWhite);
    src.SetTransparent(true);   // key: bottom-left pixel, magenta
    dst.Canvas().Draw(1, 1, src);
    EXPECT_EQ(PixelOf(dst, 1, 1), clRed);
    EXPECT_EQ(PixelOf(dst, 2, 2), clWhite);
    EXPECT_EQ(PixelOf(dst, 1, 2), clWhite);

    src.SetTransparent(false);
    FillBitmap(dst, 6, 6, clWhite);
    dst.Canvas().StretchDraw(Rect(0, 0, 4, 4), src);
    EXPECT_EQ(PixelOf(dst, 1, 1), clRed);
    EXPECT_EQ(PixelOf(dst, 2, 2), clFuchsia);
    EXPECT_EQ(PixelOf(dst, 4, 4), clWhite);

    FillBitmap(dst, 6, 6, clWhite);
    dst.Canvas().CopyRect(Rect(4, 4, 5, 5), src.Canvas(), Rect(0, 0, 1, 1));
    EXPECT_EQ(PixelOf(dst, 4, 4), clRed);
    EXPECT_EQ(PixelOf(dst, 3, 3), clWhite);
}

TEST(CanvasHandle, BorrowedDCGetsItsObjectsBack)
{
    MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
    HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
    HGDIOBJ brush = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    HGDIOBJ pen = GetCurrentObject(dc.Get(), OBJ_PEN);
    {
        TCanvas c;
        c.SetHandle(dc.Get());
        c.Rectangle(0, 0, 1, 1);
        c.TextWidth("x");
        EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_FONT), font);
        EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
    }
    // The canvas freed its GDI objects only after selecting them out.
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
}

TEST(CanvasHandle, ChangedFontIsSelectedOutBeforeItIsFreed)
{
    MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
    TCanvas c;
    c.SetHandle(dc.Get());
    c.TextWidth("x");
    HGDIOBJ ours = GetCurrentObject(dc.Get(), OBJ_FONT);
    ASSERT_EQ(ours, c.Font().Handle());
    c.Font().SetName("Arial");
    EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_FONT), ours);
    EXPECT_EQ(GetObjectType(ours), 0u);   // freed
    c.TextWidth("x");
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), c.Font().Handle());
}

TEST(CanvasHandle, OwnedWindowDCAndNoDC)
{
    TCanvas c;
    EXPECT_FALSE(c.HandleAllocated());
    EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidGraphic);
    c.Adopt(WindowDC(nullptr));   // the screen
    EXPECT_TRUE(c.HandleAllocated());
    EXPECT_GT(c.TextHeight("W"), 0);
}


// Pixels of `b` in `r` that are not `background`.
int Inked(const TBitmap& b, const TRect& r, TColor background)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += PixelOf(b, x, y) != background;
    return n;
}

TEST(CanvasText, MeasureSingleLineAndWordBreakWithoutDrawing)
{
    TBitmap b;
    FillBitmap(b, 200, 100, clWhite);
    TCanvas& c = b.Canvas();
    c.Font().SetHeight(-12);
    const TRect bounds = Rect(10, 20, 60, 90);
    const TRect wide = c.MeasureText(bounds, "WWWW", DT_SINGLELINE);
    const TRect thin = c.MeasureText(bounds, "iiii", DT_SINGLELINE);
    EXPECT_EQ(wide.left, 10);
    EXPECT_EQ(wide.top, 20);
    EXPECT_EQ(RectWidth(wide), c.TextWidth("WWWW"));
    EXPECT_GT(RectWidth(wide), RectWidth(thin));
    EXPECT_EQ(RectHeight(wide), c.TextHeight("W"));
    // Wide text measures as its ANSI twin; a single line may pass the bounds.
    const TRect wideW = c.MeasureText(bounds, std::wstring_view(L"WWWW WWWW WWWW"), DT_SINGLELINE);
    EXPECT_EQ(RectWidth(wideW), RectWidth(c.MeasureText(bounds, "WWWW WWWW WWWW", DT_SINGLELINE)));
    EXPECT_GT(wideW.right, bounds.right);
    // Word breaks keep the width and stack the lines.
    const TRect broken = c.MeasureText(bounds, std::wstring_view(L"WWWW WWWW WWWW"), DT_WORDBREAK);
    EXPECT_LE(RectWidth(broken), RectWidth(bounds));
    EXPECT_EQ(RectHeight(broken), 3 * RectHeight(wide));
    // Measuring draws nothing, even with DT_CALCRECT left out of the flags.
    EXPECT_EQ(Inked(b, Rect(0, 0, 200, 100), clWhite), 0);
}

TEST(CanvasText, AnsiAndWideDrawAlikeAndBackgroundModeDecidesTheGaps)
{
    auto draw = [](auto text, TBackgroundMode mode, TBitmap& b) {
        FillBitmap(b, 80, 30, clRed);
        TCanvas& c = b.Canvas();
        c.Font().SetHeight(-16);
        c.Font().SetColor(clBlack);
        c.Brush().SetColor(clWhite);
        c.SetBackgroundMode(mode);
        return c.DrawText(Rect(2, 2, 78, 28), text, DT_SINGLELINE | DT_LEFT | DT_TOP);
    };
    TBitmap ansi, wide;
    const int height = draw(std::string_view("Hi, W"), TBackgroundMode::Opaque, ansi);
    EXPECT_EQ(draw(std::wstring_view(L"Hi, W"), TBackgroundMode::Opaque, wide), height);
    EXPECT_GT(height, 0);
    EXPECT_EQ(AllPixels(ansi), AllPixels(wide));
    // Opaque: the text's cell is filled with the brush colour.
    EXPECT_EQ(PixelOf(ansi, 3, 3), clWhite);
    EXPECT_EQ(PixelOf(ansi, 1, 3), clRed);

    TBitmap clear;
    draw(std::wstring_view(L"Hi, W"), TBackgroundMode::Transparent, clear);
    EXPECT_EQ(PixelOf(clear, 3, 3), clRed);
    EXPECT_GT(Inked(clear, Rect(0, 0, 80, 30), clRed), 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_NE(PixelOf(clear, x, y), clWhite) << x << "," << y;
    // The mode holds when the brush is selected again after a change.
    clear.Canvas().Brush().SetColor(clYellow);
    clear.Canvas().DrawText(Rect(2, 2, 78, 28), std::string_view("Hi"), DT_SINGLELINE);
    EXPECT_EQ(PixelOf(clear, 3, 3), clRed);
    EXPECT_EQ(GetBkMode(clear.Canvas().Handle()), TRANSPARENT);
}

TEST(CanvasModes, StretchModeFollowsTheCanvasToANewDC)
{
    MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
    TCanvas c;
    c.SetStretchMode(HALFTONE);
    c.SetHandle(dc.Get());
    EXPECT_EQ(GetStretchBltMode(dc.Get()), HALFTONE);
    {
        StretchModeScope scope(dc.Get());
        EXPECT_EQ(GetStretchBltMode(dc.Get()), COLORONCOLOR);
    }
    EXPECT_EQ(GetStretchBltMode(dc.Get()), HALFTONE);
    c.SetHandle(nullptr);
}

TEST(ClipScopes, NarrowNestAndComeBack)
{
    TBitmap b;
    FillBitmap(b, 20, 20, clWhite);
    TCanvas& c = b.Canvas();
    HDC dc = c.Handle();
    auto fill = [&](TColor color) {
        c.Brush().SetColor(color);
        c.FillRect(Rect(0, 0, 20, 20));
    };
    {
        ClipScope outer(dc);
        outer.Intersect(Rect(2, 2, 12, 12));
        {
            ClipScope inner(dc);
            inner.Exclude(Rect(4, 4, 6, 6));
            fill(clRed);
        }
        EXPECT_EQ(PixelOf(b, 2, 2), clRed);
        EXPECT_EQ(PixelOf(b, 11, 11), clRed);
        EXPECT_EQ(PixelOf(b, 12, 12), clWhite);
        EXPECT_EQ(PixelOf(b, 1, 5), clWhite);
        EXPECT_EQ(PixelOf(b, 5, 5), clWhite);
        // The inner scope's end brings back the outer clipping, not none.
        fill(clBlue);
        EXPECT_EQ(PixelOf(b, 5, 5), clBlue);
        EXPECT_EQ(PixelOf(b, 12, 12), clWhite);
        const TRect box = ClipBox(dc);
        EXPECT_EQ(box.left, 2);
        EXPECT_EQ(box.right, 12);
    }
    fill(clGreen);
    EXPECT_EQ(PixelOf(b, 0, 0), clGreen);
    EXPECT_EQ(PixelOf(b, 19, 19), clGreen);

    // Regions: intersected (device coordinates), replaced, and none at all.
    {
        ClipScope scope(dc);
        GdiRegion two(CreateRectRgn(0, 0, 3, 3));
        GdiRegion more(CreateRectRgn(15, 15, 20, 20));
        CombineRgn(two.Get(), two.Get(), more.Get(), RGN_OR);
        scope.Intersect(two.Get());
        fill(clYellow);
        EXPECT_EQ(PixelOf(b, 1, 1), clYellow);
        EXPECT_EQ(PixelOf(b, 16, 16), clYellow);
        EXPECT_EQ(PixelOf(b, 8, 8), clGreen);
        scope.Set(more.Get());
        fill(clNavy);
        EXPECT_EQ(PixelOf(b, 1, 1), clYellow);
        EXPECT_EQ(PixelOf(b, 16, 16), clNavy);
        scope.Intersect(nullptr);
        fill(clRed);
        EXPECT_EQ(PixelOf(b, 16, 16), clNavy);
        EXPECT_EQ(ClipBox(dc).right, 0);
    }
    fill(clWhite);
    EXPECT_EQ(PixelOf(b, 8, 8), clWhite);
}

TEST(ClipScopes, ARegionTheDCHadBeforeComesBack)
{
    TBitmap b;
    FillBitmap(b, 10, 10, clWhite);
    HDC dc = b.Canvas().Handle();
    GdiRegion own(CreateRectRgn(0, 0, 5, 10));
    SelectClipRgn(dc, own.Get());
    {
        ClipScope scope(dc);
        scope.Set(nullptr);   // lift all clipping for a moment
        EXPECT_EQ(ClipBox(dc).right, 10);
    }
    EXPECT_EQ(ClipBox(dc).right, 5);
    SelectClipRgn(dc, nullptr);
}

TEST(CanvasFocus, DrawnTwiceTakesItselfAway)
{
    TBitmap b;
    test::MakeCoded(b, 30, 20, pf32bit);
    const std::vector<TColor> before = AllPixels(b);
    TCanvas& c = b.Canvas();
    c.DrawFocusRect(Rect(3, 4, 25, 15));
    EXPECT_NE(AllPixels(b), before);
    int changedOnTop = 0;
    for (int x = 3; x < 25; ++x)
        changedOnTop += PixelOf(b, x, 4) != test::Coded(x, 4);
    EXPECT_GE(changedOnTop, 22 / 2 - 1) << "a dotted line along the top";
    for (int y = 5; y < 14; ++y)
        for (int x = 4; x < 24; ++x)
            ASSERT_EQ(PixelOf(b, x, y), test::Coded(x, y)) << "inside changed at " << x << "," << y;
    EXPECT_EQ(PixelOf(b, 2, 4), test::Coded(2, 4));
    c.DrawFocusRect(Rect(3, 4, 25, 15));
    EXPECT_EQ(AllPixels(b), before);
}

} // namespace
} // namespace tarnivo
