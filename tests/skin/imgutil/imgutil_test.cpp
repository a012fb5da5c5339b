#include "skin/resources/imgutil.h"
#include "tests/framework/graphics/bitmappixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnivo {
namespace {

using test::FillBitmap;
using test::PixelOf;
using test::SetPixelOf;

// A w x h image whose every pixel is distinct: red = x, green = y, blue = 7.
void Numbered(TBitmap& b, int w, int h, TPixelFormat format = pf24bit)
{
    b.SetPixelFormat(format);
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixelOf(b, x, y, RGBColor(x, y, 7));
}

TEST(Blend, WeightsBelowAndFromOneHundred)
{
    EXPECT_EQ(Blend(clBlack, clWhite, 50), 0x808080);   // (50 * 255 + 50) / 100 = 128
    EXPECT_EQ(Blend(clWhite, clBlack, 100), 0x1A1A1A);  // 10 % of A: (25500 + 500) / 1000 = 26
    EXPECT_EQ(Blend(clWhite, clBlack, 99), 0xFCFCFC);   // 99 %: (99 * 255 + 50) / 100 = 252
    EXPECT_EQ(Blend(clWhite, clBlack, 150), 0x262626);  // 15 %: (150 * 255 + 500) / 1000 = 38
    EXPECT_EQ(Blend(clRed, clBlue, 0), clBlue);
    EXPECT_EQ(Blend(clRed, clBlue, 1000), clRed);
    // Channels are mixed separately.
    EXPECT_EQ(Blend(RGBColor(200, 0, 100), RGBColor(0, 100, 200), 25), RGBColor(50, 75, 175));
}

TEST(Blend, ResolvesSystemColours)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(static_cast<COLORREF>(Blend(clBtnFace, clBtnFace, 30)), face);
    EXPECT_EQ(Blend(clBtnFace, clBlack, 1000),
              RGBColor(GetRValue(face), GetGValue(face), GetBValue(face)));
}

TEST(GradientEntry, TableValuesAtTheEdges)
{
    // n = 3 from 0 to 255: (1 + i * 255) / 2.
    EXPECT_EQ(GradientEntry(3, 0, RGB(0, 0, 0), RGB(255, 255, 255)), RGB(0, 0, 0));
    EXPECT_EQ(GradientEntry(3, 1, RGB(0, 0, 0), RGB(255, 255, 255)), RGB(128, 128, 128));
    EXPECT_EQ(GradientEntry(3, 2, RGB(0, 0, 0), RGB(255, 255, 255)), RGB(255, 255, 255));
    // One entry: the midpoint, division toward zero both ways.
    EXPECT_EQ(GradientEntry(1, 0, RGB(0, 0, 0), RGB(255, 255, 255)), RGB(127, 127, 127));
    EXPECT_EQ(GradientEntry(1, 0, RGB(255, 255, 255), RGB(0, 0, 0)), RGB(128, 128, 128));
    // Falling channels stop one short of the end colour: (1 - 2 * 10) / 2 = -9.
    EXPECT_EQ(GradientEntry(3, 2, RGB(100, 0, 0), RGB(90, 0, 0)), RGB(91, 0, 0));
    // Two entries: exactly the two colours.
    EXPECT_EQ(GradientEntry(2, 0, RGB(10, 20, 30), RGB(40, 50, 60)), RGB(10, 20, 30));
    EXPECT_EQ(GradientEntry(2, 1, RGB(10, 20, 30), RGB(40, 50, 60)), RGB(40, 50, 60));
}

TEST(GradFill, RowsAndColumns)
{
    TBitmap b;
    FillBitmap(b, 4, 3, clWhite);
    GradFill(b.Canvas().Handle(), Rect(0, 0, 4, 3), clBlack, clWhite, gdVertical);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(PixelOf(b, x, 0), 0x000000);
        EXPECT_EQ(PixelOf(b, x, 1), 0x808080);
        EXPECT_EQ(PixelOf(b, x, 2), 0xFFFFFF);
    }
    FillBitmap(b, 3, 2, clWhite);
    GradFill(b.Canvas().Handle(), Rect(0, 0, 3, 2), clRed, clBlue, gdHorizontal);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(PixelOf(b, 0, y), clRed);
        EXPECT_EQ(PixelOf(b, 1, y), RGBColor(128, 0, 128));   // (1 - 255) / 2 = -127
        EXPECT_EQ(PixelOf(b, 2, y), RGBColor(1, 0, 255));     // falling red stops at 1
    }
}

TEST(GradFill, OnePixelHighIsTheMidpointAndFlatIsFlat)
{
    TBitmap b;
    FillBitmap(b, 5, 3, clWhite);
    GradFill(b.Canvas().Handle(), Rect(0, 1, 5, 2), clBlack, clWhite, gdVertical);
    EXPECT_EQ(PixelOf(b, 0, 1), 0x7F7F7F);
    EXPECT_EQ(PixelOf(b, 4, 1), 0x7F7F7F);
    EXPECT_EQ(PixelOf(b, 0, 0), clWhite);
    EXPECT_EQ(PixelOf(b, 0, 2), clWhite);

    FillBitmap(b, 7, 9, clWhite);
    GradFill(b.Canvas().Handle(), Rect(0, 0, 7, 9), 0x345678, 0x345678, gdVertical);
    for (int y = 0; y < 9; ++y)
        EXPECT_EQ(PixelOf(b, 3, y), 0x345678);
}

TEST(GradFill, OnlyBandsInsideTheClipBoxAndTheRectangle)
{
    TBitmap b;
    FillBitmap(b, 6, 10, clWhite);
    HDC dc = b.Canvas().Handle();
    SavedDCState saved(dc);
    IntersectClipRect(dc, 0, 3, 6, 5);
    GradFill(dc, Rect(1, 0, 5, 10), clBlack, clBlack, gdVertical);
    for (int y = 0; y < 10; ++y) {
        const TColor expected = (y >= 3 && y < 5) ? clBlack : clWhite;
        EXPECT_EQ(PixelOf(b, 2, y), expected) << "row " << y;
    }
    EXPECT_EQ(PixelOf(b, 0, 4), clWhite);   // left of the rectangle
    EXPECT_EQ(PixelOf(b, 5, 4), clWhite);   // right of it
}

TEST(GradFill, NothingForEmptyOrInvisibleRectangles)
{
    TBitmap b;
    FillBitmap(b, 4, 4, clWhite);
    HDC dc = b.Canvas().Handle();
    const int next = SharedGradientCache().NextSlot();
    GradFill(dc, Rect(0, 2, 4, 2), clBlack, clRed, gdVertical);     // no height
    GradFill(dc, Rect(3, 0, 1, 4), clBlack, clRed, gdHorizontal);   // inverted
    GradFill(dc, Rect(10, 10, 20, 20), clBlack, clRed, gdVertical); // outside
    EXPECT_EQ(SharedGradientCache().NextSlot(), next);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelOf(b, x, y), clWhite);
}

TEST(GradFill, RepeatedFillsReuseTheSharedCache)
{
    TBitmap b;
    FillBitmap(b, 2, 37, clWhite);
    HDC dc = b.Canvas().Handle();
    GradFill(dc, Rect(0, 0, 2, 37), 0x010203, 0x0A0B0C, gdVertical);
    const int next = SharedGradientCache().NextSlot();
    EXPECT_GE(SharedGradientCache().SlotOf(37, RGB(3, 2, 1), RGB(12, 11, 10)), 0);
    GradFill(dc, Rect(0, 0, 2, 37), 0x010203, 0x0A0B0C, gdVertical);
    EXPECT_EQ(SharedGradientCache().NextSlot(), next);
}

TEST(GradientCache, ReuseAndRingOverwrite)
{
    GradientCache cache;
    const auto& first = cache.Table(5, RGB(0, 0, 0), RGB(40, 40, 40));
    EXPECT_EQ(cache.NextSlot(), 1);
    EXPECT_EQ(&cache.Table(5, RGB(0, 0, 0), RGB(40, 40, 40)), &first);
    EXPECT_EQ(cache.NextSlot(), 1);
    // Another length or other ends are other tables.
    cache.Table(6, RGB(0, 0, 0), RGB(40, 40, 40));
    cache.Table(5, RGB(0, 0, 1), RGB(40, 40, 40));
    EXPECT_EQ(cache.NextSlot(), 3);
    // A falling gradient is found again too, although its last entry is
    // not the end colour.
    cache.Table(9, RGB(200, 0, 0), RGB(100, 0, 0));
    const int next = cache.NextSlot();
    cache.Table(9, RGB(200, 0, 0), RGB(100, 0, 0));
    EXPECT_EQ(cache.NextSlot(), next);

    // Fill the ring: the 17th new table lands in slot 0 over the first one.
    for (int n = 100; cache.NextSlot() != 0; ++n)
        cache.Table(n, RGB(1, 1, 1), RGB(2, 2, 2));
    EXPECT_EQ(cache.SlotOf(5, RGB(0, 0, 0), RGB(40, 40, 40)), 0);
    cache.Table(77, RGB(9, 9, 9), RGB(8, 8, 8));
    EXPECT_EQ(cache.SlotOf(77, RGB(9, 9, 9), RGB(8, 8, 8)), 0);
    EXPECT_EQ(cache.SlotOf(5, RGB(0, 0, 0), RGB(40, 40, 40)), -1);
    EXPECT_EQ(cache.NextSlot(), 1);

    const auto& table = cache.Table(3, RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(table, (std::vector<COLORREF>{RGB(0, 0, 0), RGB(128, 128, 128), RGB(255, 255, 255)}));
}

TEST(GetHSV, SaturationAndTheDarkColourRule)
{
    EXPECT_EQ(GetHSV(clRed), 255);
    EXPECT_EQ(GetHSV(RGBColor(100, 50, 50)), 200);   // all channels below 160
    EXPECT_EQ(GetHSV(RGBColor(159, 159, 159)), 200);
    EXPECT_EQ(GetHSV(clBlack), 200);
    EXPECT_EQ(GetHSV(clWhite), 0);
    EXPECT_EQ(GetHSV(RGBColor(160, 0, 0)), 255);
    EXPECT_EQ(GetHSV(RGBColor(250, 200, 10)), 245);  // 240 / 250 * 255 = 244.8
    // Exact halves round to even.
    EXPECT_EQ(GetHSV(RGBColor(170, 85, 85)), 128);    // 85 / 170 * 255 = 127.5
    EXPECT_EQ(GetHSV(RGBColor(200, 100, 100)), 128);
    EXPECT_EQ(GetHSV(RGBColor(170, 119, 119)), 76);   // 51 / 170 * 255 = 76.5 -> 76
    // A system colour reference is read as plain channels.
    EXPECT_EQ(GetHSV(clBtnFace), 200);
}

TEST(ChangeTrans, ReplacesExactMagentaOnly)
{
    TBitmap b;
    b.SetSize(4, 1);
    SetPixelOf(b, 0, 0, clFuchsia);
    SetPixelOf(b, 1, 0, RGBColor(255, 1, 255));
    SetPixelOf(b, 2, 0, RGBColor(254, 0, 255));
    SetPixelOf(b, 3, 0, RGBColor(255, 0, 254));
    ChangeTrans(b, RGBColor(1, 2, 3));
    EXPECT_EQ(PixelOf(b, 0, 0), RGBColor(1, 2, 3));
    EXPECT_EQ(PixelOf(b, 1, 0), RGBColor(255, 1, 255));
    EXPECT_EQ(PixelOf(b, 2, 0), RGBColor(254, 0, 255));
    EXPECT_EQ(PixelOf(b, 3, 0), RGBColor(255, 0, 254));
}

TEST(ChangeTrans, ConvertsTo24BitsAndUsesTheValueAsGiven)
{
    TBitmap b;
    FillBitmap(b, 3, 2, clFuchsia);
    ChangeTrans(b, clBtnFace);   // 0x8000000F: red 0x0F, green 0, blue 0
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelOf(b, 2, 1), RGBColor(0x0F, 0, 0));
    TBitmap empty;
    ChangeTrans(empty, clRed);
    EXPECT_TRUE(empty.Empty());
}

TEST(Grayscale, AverageOfTheChannels)
{
    TBitmap b;
    FillBitmap(b, 2, 1, clWhite);
    SetPixelOf(b, 0, 0, RGBColor(10, 20, 31));
    SetPixelOf(b, 1, 0, RGBColor(255, 255, 254));
    ConvertBitmapToGrayscale(b);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelOf(b, 0, 0), RGBColor(20, 20, 20));    // 61 / 3
    EXPECT_EQ(PixelOf(b, 1, 0), RGBColor(254, 254, 254)); // 764 / 3
}

TEST(Mirror, HorizontalAndVerticalOnOddSizes)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap b;
        Numbered(b, 5, 3, format);
        SpiegelnHorizontal(b);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(PixelOf(b, x, y), RGBColor(4 - x, y, 7));
        SpiegelnHorizontal(b);
        SpiegelnVertikal(b);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(PixelOf(b, x, y), RGBColor(x, 2 - y, 7));
        SpiegelnVertikal(b);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(PixelOf(b, x, y), RGBColor(x, y, 7));
    }
}

TEST(Mirror, KeepsTheFourthByteAndSinglePixelRows)
{
    TBitmap b;
    Numbered(b, 2, 1, pf32bit);
    b.ScanLine(0)[3] = 0x11;
    b.ScanLine(0)[7] = 0x22;
    SpiegelnHorizontal(b);
    EXPECT_EQ(b.ScanLine(0)[3], 0x22);
    EXPECT_EQ(b.ScanLine(0)[7], 0x11);

    TBitmap column;
    Numbered(column, 1, 4);
    SpiegelnHorizontal(column);
    EXPECT_EQ(PixelOf(column, 0, 3), RGBColor(0, 3, 7));
    SpiegelnVertikal(column);
    EXPECT_EQ(PixelOf(column, 0, 0), RGBColor(0, 3, 7));

    TBitmap empty;
    SpiegelnHorizontal(empty);
    SpiegelnVertikal(empty);
    Drehen90Grad(empty);
    EXPECT_TRUE(empty.Empty());
}

TEST(Turn, QuarterTurnsMovePixelsAsSpecifiedAndRoundTrip)
{
    const int w = 5, h = 3;
    TBitmap b;
    Numbered(b, w, h);
    b.SetTransparent(true);
    Drehen90Grad(b);
    ASSERT_EQ(b.Width(), h);
    ASSERT_EQ(b.Height(), w);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_TRUE(b.Transparent());
    // Source (x, y) is now at (h - 1 - y, x).
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(PixelOf(b, h - 1 - y, x), RGBColor(x, y, 7));
    Drehen270Grad(b);
    ASSERT_EQ(b.Width(), w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(PixelOf(b, x, y), RGBColor(x, y, 7));

    Drehen270Grad(b);
    // Source (x, y) is now at (y, w - 1 - x).
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(PixelOf(b, y, w - 1 - x), RGBColor(x, y, 7));
    Drehen90Grad(b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(PixelOf(b, x, y), RGBColor(x, y, 7));
}

TEST(Turn, FourQuarterTurnsAre32BitSafe)
{
    TBitmap b;
    Numbered(b, 7, 2, pf32bit);
    for (int i = 0; i < 4; ++i)
        Drehen90Grad(b);
    EXPECT_EQ(b.Width(), 7);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(PixelOf(b, x, y), RGBColor(x, y, 7));
}

} // namespace
} // namespace tarnivo
