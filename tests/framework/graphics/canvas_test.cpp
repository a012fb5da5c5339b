#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "tests/framework/graphics/bitmappixels.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

using test::FillBitmap;
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

} // namespace
} // namespace tarnivo
