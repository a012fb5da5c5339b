#include "framework/bitmap.h"
#include "framework/bitmapregion.h"
#include "framework/regions.h"
#include "tests/framework/graphics/bitmappixels.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

using test::FillBitmap;
using test::SetPixelOf;

void MakeImage(TBitmap& b, int w, int h, TPixelFormat format, TColor fill)
{
    FillBitmap(b, w, h, fill);
    b.SetPixelFormat(format);
}

// Checks every pixel of the image's area (moved by dx, dy) against `inside`,
// and a ring around it against "not in the region".
template <typename F>
void ExpectRegion(HRGN region, int w, int h, int dx, int dy, F inside)
{
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) {
            const bool expected = x >= 0 && y >= 0 && x < w && y < h && inside(x, y);
            ASSERT_EQ(RegionContains(region, dx + x, dy + y), expected) << x << "," << y;
        }
}

TEST(RegionFromBitmap, OpaqueImageGivesItsRectangleAtTheOffset)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap b;
        MakeImage(b, 13, 7, format, clGreen);
        GdiRegion r = RegionFromBitmap(b, 100, -4);
        ASSERT_TRUE(r);
        GdiRegion full = RectRegion(Rect(100, -4, 113, 3));
        EXPECT_TRUE(RegionsEqual(r.Get(), full.Get()));
    }
}

TEST(RegionFromBitmap, MagentaCornersAreCutIn24And32Bits)
{
    // Rounded corners: a 3-pixel staircase of magenta in each corner.
    const int w = 20, h = 12;
    auto cut = [&](int x, int y) {
        const int cx = std::min(x, w - 1 - x), cy = std::min(y, h - 1 - y);
        return cx + cy < 3;
    };
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap b;
        MakeImage(b, w, h, format, clNavy);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (cut(x, y))
                    SetPixelOf(b, x, y, clFuchsia);
        if (format == pf32bit)
            b.ScanLine(0)[3] = 0xFF;   // the fourth byte plays no part
        GdiRegion r = RegionFromBitmap(b, 5, 6);
        ExpectRegion(r.Get(), w, h, 5, 6, [&](int x, int y) { return !cut(x, y); });
        EXPECT_EQ(RegionArea(r.Get()), w * h - 4 * 6);
    }
}

TEST(RegionFromBitmap, ToleranceRangeStartsAtTheKeyAndStopsAt255)
{
    struct Row {
        TColor key;
        TKeyTolerance tolerance;
        TColor pixel;
        bool keyed;
    };
    const Row rows[] = {
        {clFuchsia, {1, 1, 1}, RGBColor(255, 0, 255), true},
        {clFuchsia, {1, 1, 1}, RGBColor(255, 1, 255), true},
        {clFuchsia, {1, 1, 1}, RGBColor(255, 2, 255), false},
        {clFuchsia, {1, 1, 1}, RGBColor(254, 0, 255), false},   // below the key
        {clFuchsia, {0, 0, 0}, RGBColor(255, 1, 255), false},
        {clFuchsia, {-5, -5, -5}, RGBColor(255, 0, 255), true},  // negative: exact
        {RGBColor(250, 10, 250), {10, 0, 10}, RGBColor(255, 10, 255), true},   // capped at 255
        {RGBColor(250, 10, 250), {10, 0, 10}, RGBColor(255, 11, 255), false},
        {RGBColor(250, 10, 250), {3, 0, 10}, RGBColor(254, 10, 250), false},
        {RGBColor(0, 0, 0), {0, 0, 0}, RGBColor(0, 0, 0), true},
    };
    for (const Row& row : rows) {
        for (TPixelFormat format : {pf24bit, pf32bit}) {
            TBitmap b;
            MakeImage(b, 3, 1, format, clWhite);
            SetPixelOf(b, 1, 0, row.pixel);
            GdiRegion r = RegionFromBitmap(b, 0, 0, row.key, row.tolerance);
            EXPECT_EQ(RegionContains(r.Get(), 1, 0), !row.keyed)
                << std::hex << row.pixel << " against key " << row.key;
            EXPECT_TRUE(RegionContains(r.Get(), 0, 0));
            EXPECT_TRUE(RegionContains(r.Get(), 2, 0));
        }
    }
}

TEST(RegionFromBitmap, CheckerboardOfManyBatchesIsExact)
{
    // 1-pixel checkerboard, 150 x 60: 4500 runs, i.e. three batches.
    const int w = 150, h = 60;
    TBitmap b;
    MakeImage(b, w, h, pf32bit, clFuchsia);
    for (int y = 0; y < h; ++y)
        for (int x = (y & 1); x < w; x += 2)
            SetPixelOf(b, x, y, clBlack);
    GdiRegion r = RegionFromBitmap(b, 3, 2);
    ExpectRegion(r.Get(), w, h, 3, 2, [](int x, int y) { return ((x + y) & 1) == 0; });
    EXPECT_EQ(RegionArea(r.Get()), w * h / 2);
    EXPECT_EQ(RegionRects(r.Get()).size(), std::size_t(w * h / 2));
}

TEST(RegionFromBitmap, NothingOpaqueGivesNoRegion)
{
    TBitmap key;
    MakeImage(key, 5, 5, pf24bit, clFuchsia);
    EXPECT_FALSE(RegionFromBitmap(key, 0, 0));
    EXPECT_FALSE(RegionFromBitmap(TBitmap(), 0, 0));
    // Runs that end at the right edge and rows that are all key.
    TBitmap b;
    MakeImage(b, 5, 3, pf24bit, clFuchsia);
    SetPixelOf(b, 3, 1, clRed);
    SetPixelOf(b, 4, 1, clRed);
    GdiRegion r = RegionFromBitmap(b, 0, 0);
    GdiRegion expected = RectRegion(Rect(3, 1, 5, 2));
    EXPECT_TRUE(RegionsEqual(r.Get(), expected.Get()));
}

TEST(RegionBuilder, BatchesOf2000CombineIntoOneRegion)
{
    TRegionBuilder builder;
    // 4001 separate squares on a diagonal-ish grid.
    for (int i = 0; i < 4001; ++i)
        builder.Add(Bounds((i % 100) * 3, (i / 100) * 3, 2, 2));
    builder.Add(Rect(5, 5, 5, 9));   // empty: skipped
    EXPECT_EQ(builder.Flushes(), 2);
    GdiRegion r = builder.Finish();
    EXPECT_EQ(builder.Flushes(), 3);
    EXPECT_EQ(RegionArea(r.Get()), 4001 * 4);
    EXPECT_TRUE(RegionContains(r.Get(), 0, 0));
    EXPECT_TRUE(RegionContains(r.Get(), 3 * 99 + 1, 3 * 39 + 1));
    EXPECT_TRUE(RegionContains(r.Get(), 1, 3 * 40));   // the 4001st square
    EXPECT_FALSE(RegionContains(r.Get(), 2, 0));
    // The builder starts afresh.
    EXPECT_FALSE(builder.Finish());
}

} // namespace
} // namespace tarnivo
