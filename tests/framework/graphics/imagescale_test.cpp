// Scaling pictures to a DPI: whole multiples are exact pixel copies, other
// factors mix colours but keep the magenta key exact, cells stay apart.

#include "bitmappixels.h"

#include "framework/imagescale.h"

#include <gtest/gtest.h>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

constexpr TColor kKey = RGBColor(255, 0, 255);

// A picture whose every pixel has its own colour, with a few keyed pixels.
void Pattern(TBitmap& b, int w, int h, TPixelFormat format = pf24bit)
{
    b.SetPixelFormat(format);
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixelOf(b, x, y, (x + y) % 3 == 0 ? kKey : RGBColor(x * 20, y * 20, 100 + x));
}

} // namespace

TEST(ScaleFactor, ComesFromTheDpiReducedAndRoundsLengths)
{
    EXPECT_TRUE(TScaleFactor::FromDpi(96).Identity());
    const TScaleFactor half = TScaleFactor::FromDpi(144);
    EXPECT_EQ(half.Numerator(), 3);
    EXPECT_EQ(half.Denominator(), 2);
    EXPECT_FALSE(half.Whole());
    EXPECT_TRUE(TScaleFactor::FromDpi(192).Whole());
    EXPECT_TRUE(TScaleFactor::FromDpi(288).Whole());
    EXPECT_EQ(half.Apply(5), 8);     // 7.5 rounds up
    EXPECT_EQ(half.Apply(-5), -8);   // and negative offsets mirror it
    EXPECT_EQ(half.Apply(0), 0);
    EXPECT_EQ(TScaleFactor::FromDpi(120).Apply(24), 30);
    // Nonsense gives the identity rather than a division by zero.
    EXPECT_TRUE(TScaleFactor::Of(0, 0).Identity());
    EXPECT_TRUE(TScaleFactor::Of(-2, 1).Identity());
}

TEST(ScaleBitmap, WholeMultiplesCopyEveryPixelIntoABlock)
{
    for (TPixelFormat format : {pf24bit, pf32bit})
        for (int k : {2, 3}) {
            TBitmap source, scaled;
            Pattern(source, 7, 5, format);
            ScaleBitmap(source, TScaleFactor::Of(k, 1), scaled);
            ASSERT_EQ(scaled.Width(), 7 * k);
            ASSERT_EQ(scaled.Height(), 5 * k);
            EXPECT_EQ(scaled.PixelFormat(), format);
            for (int y = 0; y < scaled.Height(); ++y)
                for (int x = 0; x < scaled.Width(); ++x)
                    ASSERT_EQ(PixelOf(scaled, x, y), PixelOf(source, x / k, y / k))
                        << "k " << k << " at " << x << "," << y;
        }
}

TEST(ScaleBitmap, OtherFactorsKeepKeyedPixelsKeyedAndNoColourTurnsIntoTheKey)
{
    TBitmap source, scaled;
    Pattern(source, 8, 6);
    ScaleBitmap(source, TScaleFactor::FromDpi(144), scaled);
    ASSERT_EQ(scaled.Width(), 12);
    ASSERT_EQ(scaled.Height(), 9);
    for (int y = 0; y < scaled.Height(); ++y)
        for (int x = 0; x < scaled.Width(); ++x) {
            // The source pixel under the destination pixel's centre.
            const int sx = (2 * x + 1) * 8 / 24;
            const int sy = (2 * y + 1) * 6 / 18;
            const bool keyed = PixelOf(source, sx, sy) == kKey;
            EXPECT_EQ(PixelOf(scaled, x, y) == kKey, keyed) << x << "," << y;
        }
}

TEST(ScaleBitmap, MixedColoursLieBetweenTheirNeighboursAndLeaveTheKeyOut)
{
    // Black and white columns beside a keyed column: a mixed pixel is grey,
    // never pulled towards magenta.
    TBitmap source, scaled;
    source.SetSize(3, 2);
    for (int y = 0; y < 2; ++y) {
        SetPixelOf(source, 0, y, clBlack);
        SetPixelOf(source, 1, y, clWhite);
        SetPixelOf(source, 2, y, kKey);
    }
    ScaleBitmap(source, TScaleFactor::FromDpi(144), scaled);
    ASSERT_EQ(scaled.Width(), 5);   // 4.5 rounds up
    bool sawGrey = false;
    for (int x = 0; x < scaled.Width(); ++x) {
        const TColor c = PixelOf(scaled, x, 1);
        if (c == kKey)
            continue;
        EXPECT_EQ(RedOf(c), GreenOf(c)) << x;   // no magenta in the mix
        EXPECT_EQ(GreenOf(c), BlueOf(c)) << x;
        sawGrey = sawGrey || (RedOf(c) > 0 && RedOf(c) < 255);
    }
    EXPECT_TRUE(sawGrey);
    EXPECT_EQ(PixelOf(scaled, 4, 0), kKey);
}

TEST(ScaleBitmap, ColoursNextToTheKeyThatWouldRoundOntoItStayDrawn)
{
    TBitmap source, scaled;
    source.SetSize(2, 1);
    SetPixelOf(source, 0, 0, RGBColor(255, 0, 254));
    SetPixelOf(source, 1, 0, RGBColor(254, 0, 255));   // half-way mixes to 255, 0, 255
    ScaleBitmap(source, TScaleFactor::FromDpi(144), scaled);
    for (int x = 0; x < scaled.Width(); ++x)
        EXPECT_NE(PixelOf(scaled, x, 0), kKey) << x;
}

TEST(ScaleBitmap, CellsAreScaledApartAndStayEqual)
{
    // Three 5-pixel frames side by side, each one solid colour.
    const TColor frames[3] = {clRed, clLime, clBlue};
    TBitmap source, scaled;
    source.SetSize(15, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 15; ++x)
            SetPixelOf(source, x, y, frames[x / 5]);
    ScaleBitmap(source, TScaleFactor::FromDpi(144), scaled, 3, 1);
    ASSERT_EQ(scaled.Width(), 3 * 8);   // each 7.5 -> 8, not round(22.5)
    ASSERT_EQ(scaled.Height(), 6);
    for (int y = 0; y < scaled.Height(); ++y)
        for (int x = 0; x < scaled.Width(); ++x)
            ASSERT_EQ(PixelOf(scaled, x, y), frames[x / 8]) << x << "," << y;
    // Cells that do not divide the side are ignored along it.
    ScaleBitmap(source, TScaleFactor::FromDpi(144), scaled, 4, 3);
    EXPECT_EQ(scaled.Width(), 23);
    EXPECT_EQ(scaled.Height(), 6);
}

TEST(ScaleBitmap, EmptyAndTinyPictures)
{
    TBitmap empty, scaled;
    Pattern(scaled, 3, 3);
    ScaleBitmap(empty, TScaleFactor::FromDpi(192), scaled);
    EXPECT_TRUE(scaled.Empty());
    TBitmap dot;
    dot.SetSize(1, 1);
    SetPixelOf(dot, 0, 0, kKey);
    ScaleBitmap(dot, TScaleFactor::FromDpi(72), scaled);   // shrinks, never to nothing
    ASSERT_EQ(scaled.Width(), 1);
    EXPECT_EQ(PixelOf(scaled, 0, 0), kKey);
}
