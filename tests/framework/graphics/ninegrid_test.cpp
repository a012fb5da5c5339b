#include "framework/bitmap.h"
#include "framework/dcscopes.h"
#include "framework/ninegrid.h"
#include "tests/framework/graphics/codedimage.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace tarnivo {
namespace {

using namespace test;

// Three frames of 10 x 8 side by side; margins leave a 4 x 4 middle.
constexpr int kCellW = 10, kCellH = 8;
constexpr TMargins kMargins{2, 3, 4, 1};

struct Canvas40x30 {
    TBitmap b;
    Canvas40x30() { FillBitmap(b, 40, 30, kBackground); }
    HDC dc() { return b.Canvas().Handle(); }
};

// A stretched run of source coordinates: starts at `first`, ends at `last`,
// never goes back, and (when the destination is at least as long) skips
// none of the source pixels in between.
void ExpectStretched(const std::vector<int>& run, int first, int last, const char* what)
{
    ASSERT_FALSE(run.empty()) << what;
    EXPECT_EQ(run.front(), first) << what;
    EXPECT_EQ(run.back(), last) << what;
    for (std::size_t i = 1; i < run.size(); ++i) {
        EXPECT_GE(run[i], run[i - 1]) << what << " at " << i;
        if (run.size() >= std::size_t(last - first + 1)) {
            EXPECT_LE(run[i] - run[i - 1], 1) << what << " skips at " << i;
        }
    }
}

TEST(NineGrid, CornersOneToOneEdgesAndCentreStretched)
{
    TBitmap image;
    MakeCoded(image, 3 * kCellW, kCellH);
    Canvas40x30 c;
    const TRect dest = Bounds(5, 6, 30, 20);
    ASSERT_TRUE(DrawNineGrid(c.dc(), dest, image, {3, 2}, kMargins));
    const int sx = kCellW;   // frame 2 starts here
    auto at = [&](int x, int y) { return PixelOf(c.b, dest.left + x, dest.top + y); };

    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(at(i, j), Coded(sx + i, j)) << "top left " << i << "," << j;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(at(26 + i, j), Coded(sx + 6 + i, j)) << "top right " << i << "," << j;
    }
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(at(i, 19), Coded(sx + i, 7));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(at(26 + i, 19), Coded(sx + 6 + i, 7));

    // Top and bottom edges: 1:1 across, stretched along.
    for (int j : {0, 2, 19}) {
        std::vector<int> xs;
        for (int x = 2; x < 26; ++x) {
            xs.push_back(RedOf(at(x, j)));
            EXPECT_EQ(GreenOf(at(x, j)), j == 19 ? 7 : j);
        }
        ExpectStretched(xs, sx + 2, sx + 5, "top/bottom edge");
    }
    // Left and right edges.
    for (int i : {0, 1, 26, 29}) {
        std::vector<int> ys;
        for (int y = 3; y < 19; ++y) {
            ys.push_back(GreenOf(at(i, y)));
            EXPECT_EQ(RedOf(at(i, y)), i < 2 ? sx + i : sx + 6 + (i - 26));
        }
        ExpectStretched(ys, 3, 6, "side edge");
    }
    // Centre: both ways.
    std::vector<int> xs, ys;
    for (int x = 2; x < 26; ++x)
        xs.push_back(RedOf(at(x, 10)));
    for (int y = 3; y < 19; ++y)
        ys.push_back(GreenOf(at(12, y)));
    ExpectStretched(xs, sx + 2, sx + 5, "centre across");
    ExpectStretched(ys, 3, 6, "centre down");

    // Nothing outside the destination.
    for (int x = 4; x <= 35; ++x)
        for (int y = 5; y <= 26; ++y)
            if (x == 4 || x == 35 || y == 5 || y == 26) {
                ASSERT_EQ(PixelOf(c.b, x, y), kBackground) << x << "," << y;
            }
}

TEST(NineGrid, TiledCentreAndTiledEdgesRepeatFromTheirTopLeft)
{
    TBitmap image;
    MakeCoded(image, 3 * kCellW, kCellH);
    const TRect dest = Bounds(5, 6, 30, 20);
    auto at = [&](TBitmap& b, int x, int y) { return PixelOf(b, dest.left + x, dest.top + y); };

    Canvas40x30 centre;
    ASSERT_TRUE(DrawNineGrid(centre.dc(), dest, image, {3, 1}, kMargins, CentreFit(TFit::Tile)));
    for (int y = 3; y < 19; ++y)
        for (int x = 2; x < 26; ++x)
            ASSERT_EQ(at(centre.b, x, y), Coded(2 + (x - 2) % 4, 3 + (y - 3) % 4)) << x << "," << y;
    // The edges stay stretched: columns 4 and 5 of the top edge come from
    // the same source column, where tiling would have moved on.
    EXPECT_EQ(RedOf(at(centre.b, 2 + 4, 0)), RedOf(at(centre.b, 2 + 5, 0)));

    Canvas40x30 edges;
    ASSERT_TRUE(DrawNineGrid(edges.dc(), dest, image, {3, 1}, kMargins,
                             {TFit::Stretch, TFit::Stretch, TFit::Tile}));
    for (int x = 2; x < 26; ++x) {
        for (int j = 0; j < 3; ++j)
            ASSERT_EQ(at(edges.b, x, j), Coded(2 + (x - 2) % 4, j)) << x << "," << j;
        ASSERT_EQ(at(edges.b, x, 19), Coded(2 + (x - 2) % 4, 7)) << x;
    }
    for (int y = 3; y < 19; ++y) {
        ASSERT_EQ(at(edges.b, 1, y), Coded(1, 3 + (y - 3) % 4)) << y;
        ASSERT_EQ(at(edges.b, 29, y), Coded(9, 3 + (y - 3) % 4)) << y;
    }

    // Tiled across, stretched down: the three-slice with a tiled middle.
    Canvas40x30 mixed;
    ASSERT_TRUE(DrawNineGrid(mixed.dc(), dest, image, {3, 1}, {2, 0, 4, 0},
                             {TFit::Tile, TFit::Stretch, TFit::Stretch}));
    std::vector<int> ys;
    for (int y = 0; y < 20; ++y) {
        ys.push_back(GreenOf(at(mixed.b, 7, y)));
        for (int x = 2; x < 26; ++x)
            ASSERT_EQ(RedOf(at(mixed.b, x, y)), 2 + (x - 2) % 4) << x << "," << y;
    }
    ExpectStretched(ys, 0, 7, "stretched down");
}

TEST(NineGrid, DestinationBelowTheMarginsDropsThatPair)
{
    TBitmap image;
    MakeCoded(image, kCellW, kCellH);
    // 5 wide < 2 + 4: no horizontal margins; 20 high keeps the vertical ones.
    Canvas40x30 narrow;
    ASSERT_TRUE(DrawNineGrid(narrow.dc(), Bounds(0, 0, 5, 20), image, {}, kMargins));
    for (int j = 0; j < 3; ++j) {
        std::vector<int> xs;
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(GreenOf(PixelOf(narrow.b, x, j)), j);
            xs.push_back(RedOf(PixelOf(narrow.b, x, j)));
        }
        // The whole cell width shrunk into 5 columns: in order, none twice,
        // and evenly (no jump from a left corner straight to a right one).
        for (std::size_t i = 1; i < xs.size(); ++i) {
            EXPECT_GT(xs[i], xs[i - 1]);
            EXPECT_LE(xs[i] - xs[i - 1], 3);
        }
        EXPECT_GE(xs.front(), 0);
        EXPECT_LE(xs.back(), 9);
        EXPECT_GE(xs.back(), 7) << "right margin columns must come from the cell's right side";
    }
    EXPECT_EQ(PixelOf(narrow.b, 5, 0), kBackground);

    // 3 high < 3 + 1: no vertical margins; horizontal ones kept.
    Canvas40x30 low;
    ASSERT_TRUE(DrawNineGrid(low.dc(), Bounds(0, 0, 30, 3), image, {}, kMargins));
    for (int y = 0; y < 3; ++y) {
        // 8 rows shrunk into 3, evenly.
        if (y > 0) {
            const int step = GreenOf(PixelOf(low.b, 0, y)) - GreenOf(PixelOf(low.b, 0, y - 1));
            EXPECT_TRUE(step >= 2 && step <= 3) << y;
        }
        EXPECT_EQ(RedOf(PixelOf(low.b, 0, y)), 0);
        EXPECT_EQ(RedOf(PixelOf(low.b, 29, y)), 9);
        EXPECT_EQ(RedOf(PixelOf(low.b, 26, y)), 6);
    }
    EXPECT_EQ(PixelOf(low.b, 0, 3), kBackground);

    // Exactly the margins' size: only corners, nothing stretched.
    Canvas40x30 exact;
    ASSERT_TRUE(DrawNineGrid(exact.dc(), Bounds(0, 0, 6, 4), image, {}, kMargins));
    EXPECT_EQ(PixelOf(exact.b, 1, 2), Coded(1, 2));
    EXPECT_EQ(PixelOf(exact.b, 2, 2), Coded(6, 2));
    EXPECT_EQ(PixelOf(exact.b, 5, 3), Coded(9, 7));
}

TEST(NineGrid, StackedFramesZeroMarginsAndTinyDestinations)
{
    // Three frames of 10 x 8 stacked: frame 3 is rows 16..23.
    TBitmap image;
    MakeCoded(image, kCellW, 3 * kCellH);
    Canvas40x30 stacked;
    ASSERT_TRUE(DrawNineGrid(stacked.dc(), Bounds(0, 0, 30, 20), image,
                             {3, 3, TFrameLayout::Stacked}, kMargins));
    EXPECT_EQ(PixelOf(stacked.b, 0, 0), Coded(0, 16));
    EXPECT_EQ(PixelOf(stacked.b, 29, 19), Coded(9, 23));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const int sy = GreenOf(PixelOf(stacked.b, x, y));
            ASSERT_TRUE(sy >= 16 && sy < 24) << x << "," << y;
        }

    // No margins, twice the size: every source pixel doubled.
    Canvas40x30 doubled;
    ASSERT_TRUE(DrawNineGrid(doubled.dc(), Bounds(1, 1, 20, 16), image,
                             {3, 1, TFrameLayout::Stacked}, {}));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(PixelOf(doubled.b, 1 + x, 1 + y), Coded(x / 2, y / 2)) << x << "," << y;

    // One pixel: some pixel of the right frame, nothing around it.
    Canvas40x30 one;
    ASSERT_TRUE(DrawNineGrid(one.dc(), Bounds(3, 3, 1, 1), image, {3, 2, TFrameLayout::Stacked},
                             kMargins));
    const TColor p = PixelOf(one.b, 3, 3);
    EXPECT_TRUE(IsCoded(p));
    EXPECT_TRUE(GreenOf(p) >= 8 && GreenOf(p) < 16);
    for (auto [x, y] : {std::pair{2, 3}, {4, 3}, {3, 2}, {3, 4}})
        EXPECT_EQ(PixelOf(one.b, x, y), kBackground);

    // Empty and inverted destinations, invalid frames: nothing at all.
    Canvas40x30 none;
    const std::vector<TColor> before = AllPixels(none.b);
    EXPECT_FALSE(DrawNineGrid(none.dc(), Rect(5, 5, 5, 15), image, {}, kMargins));
    EXPECT_FALSE(DrawNineGrid(none.dc(), Rect(10, 10, 5, 5), image, {}, kMargins));
    EXPECT_FALSE(DrawNineGrid(none.dc(), Bounds(0, 0, 9, 9), image, {3, 4}, kMargins));
    EXPECT_FALSE(DrawNineGrid(none.dc(), Bounds(0, 0, 9, 9), image, {3, 0}, kMargins));
    EXPECT_FALSE(DrawNineGrid(none.dc(), Bounds(0, 0, 9, 9), TBitmap(), {}, kMargins));
    EXPECT_EQ(AllPixels(none.b), before);
}

TEST(NineGrid, FittedMarginsRule)
{
    struct Row {
        TMargins given;
        int cellW, cellH, destW, destH;
        TMargins used;
    };
    const Row rows[] = {
        {{2, 3, 4, 1}, 10, 8, 30, 20, {2, 3, 4, 1}},
        {{2, 3, 4, 1}, 10, 8, 6, 4, {2, 3, 4, 1}},      // exactly the margins
        {{2, 3, 4, 1}, 10, 8, 5, 20, {0, 3, 0, 1}},     // too narrow
        {{2, 3, 4, 1}, 10, 8, 30, 3, {2, 0, 4, 0}},     // too low
        {{6, 0, 6, 0}, 10, 8, 30, 20, {0, 0, 0, 0}},    // the cell itself too small
        {{5, 4, 5, 4}, 10, 8, 30, 20, {0, 0, 0, 0}},    // no middle left to stretch
        {{5, 4, 5, 4}, 10, 8, 10, 8, {5, 4, 5, 4}},     // ... unless none is needed
        {{-3, -1, 2, 2}, 10, 8, 30, 20, {0, 0, 2, 2}},  // negatives count as 0
        // Margins from a hostile skin: a sum that would wrap past INT_MAX
        // to a small or negative number must not pass for one that fits.
        {{INT_MAX, INT_MAX, 1, 1}, 10, 8, 30, 20, {0, 0, 0, 0}},
        {{INT_MAX, 0, INT_MAX, 0}, 10, 8, 30, 20, {0, 0, 0, 0}},
        {{2, INT_MAX, 4, INT_MAX}, 10, 8, 30, 20, {2, 0, 4, 0}},
    };
    for (const Row& r : rows) {
        const TMargins m = FittedMargins(r.given, r.cellW, r.cellH, r.destW, r.destH);
        EXPECT_EQ(m.left, r.used.left) << r.given.left << "," << r.given.right;
        EXPECT_EQ(m.top, r.used.top) << r.given.top << "," << r.given.bottom;
        EXPECT_EQ(m.right, r.used.right);
        EXPECT_EQ(m.bottom, r.used.bottom);
    }

    // Drawn with such margins: the cell is stretched edge to edge, as with
    // no margins at all.
    TBitmap image;
    MakeCoded(image, kCellW, kCellH);
    Canvas40x30 huge;
    ASSERT_TRUE(DrawNineGrid(huge.dc(), Bounds(0, 0, 20, 16), image, {},
                             TMargins{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(PixelOf(huge.b, x, y), Coded(x / 2, y / 2)) << x << "," << y;
}

TEST(NineGrid, KeyedLeavesMagentaPartsOfTheResultUndrawn)
{
    TBitmap image;
    MakeCoded(image, kCellW, kCellH, pf32bit);
    SetPixelOf(image, 0, 0, clFuchsia);   // a corner pixel
    for (int y = 3; y < 7; ++y)
        for (int x = 2; x < 6; ++x)
            SetPixelOf(image, x, y, clFuchsia);   // the whole middle
    Canvas40x30 c;
    ASSERT_TRUE(DrawNineGrid(c.dc(), Bounds(5, 6, 30, 20), image, {}, kMargins, {},
                             TKeying::Magenta));
    EXPECT_EQ(PixelOf(c.b, 5, 6), kBackground);
    EXPECT_EQ(PixelOf(c.b, 6, 6), Coded(1, 0));
    for (int y = 6 + 3; y < 6 + 19; ++y)
        for (int x = 5 + 2; x < 5 + 26; ++x)
            ASSERT_EQ(PixelOf(c.b, x, y), kBackground) << x << "," << y;
    const TColor leftEdge = PixelOf(c.b, 5, 16);
    EXPECT_TRUE(IsCoded(leftEdge) && RedOf(leftEdge) == 0 && GreenOf(leftEdge) >= 3);
    EXPECT_EQ(PixelOf(c.b, 34, 25), Coded(9, 7));
}

TEST(NineGrid, ClippedDrawingMatchesTheUnclippedPicture)
{
    // A DC clipped to a small update area gets exactly the pixels an
    // unclipped draw would have put there: tiles keep their phase and
    // stretched pieces their mapping.
    TBitmap image;
    MakeCoded(image, 3 * kCellW, kCellH);
    SetPixelOf(image, 13, 4, clFuchsia);
    const TRect dest = Bounds(3, 2, 33, 25);
    const TRect clip = Rect(14, 9, 29, 22);
    for (TKeying keying : {TKeying::Opaque, TKeying::Magenta}) {
        for (TNineGridFit fit : {CentreFit(TFit::Tile), TNineGridFit{}}) {
            Canvas40x30 whole, clipped;
            DrawNineGrid(whole.dc(), dest, image, {3, 2}, kMargins, fit, keying);
            {
                ClipScope scope(clipped.dc());
                scope.Intersect(clip);
                DrawNineGrid(clipped.dc(), dest, image, {3, 2}, kMargins, fit, keying);
            }
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x) {
                    const bool inside = x >= clip.left && x < clip.right && y >= clip.top &&
                                        y < clip.bottom;
                    ASSERT_EQ(PixelOf(clipped.b, x, y), inside ? PixelOf(whole.b, x, y) : kBackground)
                        << x << "," << y << " keyed " << (keying == TKeying::Magenta);
                }
        }
    }
}

TEST(NineGrid, IntoANewBitmapAsOntoADC)
{
    TBitmap image;
    MakeCoded(image, 3 * kCellW, kCellH);
    std::unique_ptr<TBitmap> made =
        NineGridBitmap(image, {3, 3}, kMargins, CentreFit(TFit::Tile), 23, 17);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Width(), 23);
    EXPECT_EQ(made->Height(), 17);
    EXPECT_EQ(made->PixelFormat(), pf24bit);
    TBitmap drawn;
    FillBitmap(drawn, 23, 17, kBackground);
    DrawNineGrid(drawn.Canvas().Handle(), Rect(0, 0, 23, 17), image, {3, 3}, kMargins,
                 CentreFit(TFit::Tile));
    EXPECT_EQ(AllPixels(*made), AllPixels(drawn));

    EXPECT_FALSE(NineGridBitmap(image, {3, 3}, kMargins, {}, 0, 17));
    EXPECT_FALSE(NineGridBitmap(image, {3, 3}, kMargins, {}, 23, -1));
    EXPECT_FALSE(NineGridBitmap(image, {3, 5}, kMargins, {}, 23, 17));
}

TEST(Tiling, RepeatsTheSourcePartFromTheTopLeftCorner)
{
    TBitmap image;
    MakeCoded(image, 8, 6);
    Canvas40x30 c;
    ASSERT_TRUE(DrawTiled(c.dc(), Bounds(1, 1, 8, 5), image, Rect(2, 1, 5, 3)));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(PixelOf(c.b, 1 + x, 1 + y), Coded(2 + x % 3, 1 + y % 2)) << x << "," << y;
    EXPECT_EQ(PixelOf(c.b, 9, 1), kBackground);
    EXPECT_EQ(PixelOf(c.b, 1, 6), kBackground);

    // A source reaching past the image is cut to it; an empty one draws nothing.
    Canvas40x30 cut;
    ASSERT_TRUE(DrawTiled(cut.dc(), Bounds(0, 0, 6, 2), image, Rect(6, 4, 12, 9)));
    EXPECT_EQ(PixelOf(cut.b, 0, 0), Coded(6, 4));
    EXPECT_EQ(PixelOf(cut.b, 2, 0), Coded(6, 4));
    EXPECT_EQ(PixelOf(cut.b, 3, 1), Coded(7, 5));
    const std::vector<TColor> before = AllPixels(cut.b);
    EXPECT_FALSE(DrawTiled(cut.dc(), Bounds(0, 0, 6, 2), image, Rect(3, 3, 3, 5)));
    EXPECT_FALSE(DrawTiled(cut.dc(), Bounds(0, 0, 6, 2), image, Rect(8, 0, 10, 2)));
    EXPECT_EQ(AllPixels(cut.b), before);
}

} // namespace
} // namespace tarnivo
