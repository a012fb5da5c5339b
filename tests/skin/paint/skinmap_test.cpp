// A control face frame drawn from an element with the painter's own frame
// count, or from a plain strip: empty and narrow rectangles, the magenta key
// and the tiled middle.

#include "skin/paint/skinmap.h"
#include "tests/skin/paint/paintpixels.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

using test::AllPixels;
using test::kBackground;
using test::PixelOf;
using test::RegionColor;
using test::RegionStrip;
using test::SetPixelOf;
using test::Target;
using test::Third;

// Five 9 x 9 faces with margins 3 (the skin says 5 frames).
void MakeFace(TDataSkinObject& e, int trans, int tile)
{
    RegionStrip(e.Image, 5, 9, 9, 3, 3, 3, 3, TFrameLayout::SideBySide);
    e.FrameCount = 5;
    e.Margins = TSkinMargins{3, 3, 3, 3};
    e.Trans = trans;
    e.Tile = tile;
    for (int f = 0; f < 5; ++f)
        SetPixelOf(e.Image, f * 9 + 4, 4, clFuchsia);   // the centre pixel is the key colour
}

TEST(DrawSkinMap, EmptyOrInvertedRectanglesDrawNothing)
{
    TDataSkinObject face;
    MakeFace(face, 0, 0);
    TBitmap target;
    Target(target, 20, 20);
    HDC dc = target.Canvas().Handle();
    for (TRect r : {Rect(5, 5, 5, 15), Rect(5, 5, 15, 5), Rect(10, 5, 4, 15), Rect(5, 15, 15, 4)}) {
        EXPECT_TRUE(DrawSkinMap(dc, r, 5, 1, &face));
        DrawSkinMapStretched(dc, r, 5, 1, face.Image);
    }
    EXPECT_TRUE(AllPixels(target, kBackground));
    // Absent: nothing, and the painter is told.
    TDataSkinObject empty;
    EXPECT_FALSE(DrawSkinMap(dc, Rect(0, 0, 10, 10), 5, 1, &empty));
    EXPECT_FALSE(DrawSkinMap(dc, Rect(0, 0, 10, 10), 5, 1, nullptr));
    EXPECT_TRUE(AllPixels(target, kBackground));
}

TEST(DrawSkinMap, NarrowerThanTheMarginsStretchesTheWholeFrame)
{
    TDataSkinObject face;
    MakeFace(face, 0, 0);
    // 5 x 5 is below 3 + 3 both ways: the 9 x 9 frame is scaled whole, so
    // pixel 2 (source 2 * 9 / 5 = 3) already shows the middle; with the
    // margins kept it would still be the left margin.
    TBitmap target;
    Target(target, 10, 10);
    ASSERT_TRUE(DrawSkinMap(target.Canvas().Handle(), Rect(0, 0, 5, 5), 5, 2, &face));
    EXPECT_EQ(PixelOf(target, 0, 0), RegionColor(2, 0, 0));
    EXPECT_EQ(PixelOf(target, 2, 0), RegionColor(2, 1, 0));
    EXPECT_EQ(PixelOf(target, 0, 2), RegionColor(2, 0, 1));
    EXPECT_EQ(PixelOf(target, 4, 4), RegionColor(2, 2, 2));
    EXPECT_EQ(PixelOf(target, 5, 5), kBackground);

    // Narrow only across: the vertical margins stay 1:1.
    Target(target, 10, 30);
    ASSERT_TRUE(DrawSkinMap(target.Canvas().Handle(), Rect(0, 0, 5, 30), 5, 2, &face));
    EXPECT_EQ(PixelOf(target, 2, 2), RegionColor(2, 1, 0));
    EXPECT_EQ(PixelOf(target, 2, 3), RegionColor(2, 1, 1));
    EXPECT_EQ(PixelOf(target, 2, 27), RegionColor(2, 1, 2));
}

TEST(DrawSkinMap, TransKeysMagentaAndThePaintersFrameCountWins)
{
    struct Case {
        int trans;
        TColor centre;
    } cases[] = {{1, kBackground}, {0, clFuchsia}};
    for (const Case& c : cases) {
        TDataSkinObject face;
        MakeFace(face, c.trans, 0);
        face.FrameCount = 1;   // the skin's count is not the one used
        TBitmap target;
        Target(target, 9, 9);
        ASSERT_TRUE(DrawSkinMap(target.Canvas().Handle(), Rect(0, 0, 9, 9), 5, 4, &face));
        EXPECT_EQ(PixelOf(target, 4, 4), c.centre) << c.trans;
        EXPECT_EQ(PixelOf(target, 0, 0), RegionColor(4, 0, 0));
        EXPECT_EQ(PixelOf(target, 3, 4), RegionColor(4, 1, 1));
    }
}

TEST(DrawSkinMap, TileRepeatsTheMiddleInsteadOfStretchingIt)
{
    TDataSkinObject face;
    face.FrameCount = 2;
    face.Margins = TSkinMargins{2, 0, 2, 0};
    // Two 7 x 4 frames; the middle columns 2..4 differ from each other.
    test::PaintImage(face.Image, 14, 4, [](int x, int y) {
        const int cx = x % 7;
        (void)y;
        if (cx < 2 || cx >= 5)
            return RegionColor(x / 7 + 1, cx < 2 ? 0 : 2, 1);
        return RGBColor(30 + cx * 50, 240, x / 7 * 100);
    });
    for (int tile : {1, 0}) {
        face.Tile = tile;
        TBitmap target;
        Target(target, 20, 4);
        ASSERT_TRUE(DrawSkinMap(target.Canvas().Handle(), Rect(0, 0, 20, 4), 2, 2, &face));
        EXPECT_EQ(PixelOf(target, 0, 1), RegionColor(2, 0, 1));
        EXPECT_EQ(PixelOf(target, 19, 1), RegionColor(2, 2, 1));
        auto middle = [](int column) { return RGBColor(30 + column * 50, 240, 100); };
        if (tile) {
            // The three middle columns repeat from the left margin on.
            for (int x = 2; x < 18; ++x)
                EXPECT_EQ(PixelOf(target, x, 2), middle(2 + (x - 2) % 3)) << x;
        } else {
            // 16 pixels from 3 columns: runs of five or six, in order.
            for (int x : {2, 3, 4, 6})
                EXPECT_EQ(PixelOf(target, x, 2), middle(2)) << x;
            EXPECT_EQ(PixelOf(target, 10, 2), middle(3));
            for (int x : {14, 15, 16, 17})
                EXPECT_EQ(PixelOf(target, x, 2), middle(4)) << x;
        }
    }
}

TEST(DrawSkinMapStretched, PicksTheFrameAndKeysMagenta)
{
    TBitmap strip;
    test::PaintImage(strip, 12, 3, [](int x, int y) {
        if (x % 4 == 0 && y == 0)
            return clFuchsia;
        return RGBColor(x / 4 * 80 + 10, 50, 50);
    });
    TBitmap target;
    Target(target, 20, 20);
    DrawSkinMapStretched(target.Canvas().Handle(), Rect(2, 2, 10, 8), 3, 3, strip);
    // Frame 3 (x 8..11) doubled: its key pixel covers 2..3 x 2..3.
    EXPECT_EQ(PixelOf(target, 2, 2), kBackground);
    EXPECT_EQ(PixelOf(target, 3, 3), kBackground);
    EXPECT_EQ(PixelOf(target, 4, 2), RGBColor(170, 50, 50));
    EXPECT_EQ(PixelOf(target, 9, 7), RGBColor(170, 50, 50));
    EXPECT_EQ(PixelOf(target, 10, 7), kBackground);
    EXPECT_EQ(PixelOf(target, 9, 8), kBackground);
}

} // namespace
} // namespace tarnivo
