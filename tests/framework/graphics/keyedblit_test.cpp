#include "framework/bitmap.h"
#include "framework/dcscopes.h"
#include "framework/keyedblit.h"
#include "tests/framework/graphics/codedimage.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnivo {
namespace {

using namespace test;

// A destination whose every pixel differs, so a keyed pixel that was
// overwritten with anything, the background colour included, shows.
void FillPattern(TBitmap& b, int w, int h)
{
    b.SetPixelFormat(pf32bit);
    b.SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            SetPixelOf(b, x, y, RGBColor(x * 7, y * 7, 0xC0));
}
TColor Pattern(int x, int y) { return RGBColor(x * 7, y * 7, 0xC0); }

TFrameCell Cell(int count, int index, TFrameLayout layout)
{
    return TFrameCell{count, index, layout};
}

TEST(FrameCells, RectanglesOfSideBySideAndStackedStrips)
{
    struct Row {
        int w, h;
        TFrameCell cell;
        std::optional<TRect> rect;
    };
    const Row rows[] = {
        {30, 8, Cell(3, 1, TFrameLayout::SideBySide), Rect(0, 0, 10, 8)},
        {30, 8, Cell(3, 3, TFrameLayout::SideBySide), Rect(20, 0, 30, 8)},
        {31, 8, Cell(3, 3, TFrameLayout::SideBySide), Rect(20, 0, 30, 8)},   // remainder unused
        {10, 24, Cell(3, 2, TFrameLayout::Stacked), Rect(0, 8, 10, 16)},
        {30, 8, Cell(3, 0, TFrameLayout::SideBySide), std::nullopt},
        {30, 8, Cell(3, 4, TFrameLayout::SideBySide), std::nullopt},
        {30, 8, Cell(0, 1, TFrameLayout::SideBySide), std::nullopt},
        {10, 2, Cell(3, 1, TFrameLayout::Stacked), std::nullopt},            // under a pixel
    };
    for (const Row& r : rows) {
        const std::optional<TRect> got = FrameCellRect(r.w, r.h, r.cell);
        ASSERT_EQ(got.has_value(), r.rect.has_value()) << r.w << "x" << r.h << " #" << r.cell.index;
        if (got) {
            EXPECT_EQ(got->left, r.rect->left);
            EXPECT_EQ(got->top, r.rect->top);
            EXPECT_EQ(got->right, r.rect->right);
            EXPECT_EQ(got->bottom, r.rect->bottom);
        }
    }
    // Offsets of an item centred in an area round toward zero both ways.
    const TRect in = CentredIn(Rect(0, 0, 10, 10), 5, 14);
    EXPECT_EQ(in.left, 2);
    EXPECT_EQ(in.top, -2);
    EXPECT_EQ(in.right, 7);
}

TEST(KeyedBlit, CellOfASideBySideStripLeavesMagentaUntouched)
{
    // Frames of 4 x 3; every frame has magenta at its own column k - 1 of row 1.
    TBitmap image;
    MakeCoded(image, 12, 3);
    for (int k = 0; k < 3; ++k)
        SetPixelOf(image, 4 * k + k, 1, clFuchsia);
    for (int k = 1; k <= 3; ++k) {
        TBitmap dest;
        FillPattern(dest, 10, 8);
        ASSERT_TRUE(DrawCell(dest.Canvas().Handle(), Bounds(2, 3, 4, 3), image,
                             Cell(3, k, TFrameLayout::SideBySide), TKeying::Magenta));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 10; ++x) {
                const bool inside = x >= 2 && x < 6 && y >= 3 && y < 6;
                const bool keyed = inside && y - 3 == 1 && x - 2 == k - 1;
                const TColor expected = inside && !keyed ? Coded(4 * (k - 1) + x - 2, y - 3)
                                                         : Pattern(x, y);
                ASSERT_EQ(PixelOf(dest, x, y), expected) << "frame " << k << " at " << x << "," << y;
            }
    }
}

TEST(KeyedBlit, CellOfAStackedStripAndNearMagentaIsDrawn)
{
    // Three frames of 3 x 2 stacked, 32-bit, with the fourth byte set as
    // loaded 32-bit images may have it: the key ignores it.
    TBitmap image;
    MakeCoded(image, 3, 6, pf32bit);
    SetPixelOf(image, 0, 4, clFuchsia);
    SetPixelOf(image, 1, 4, RGBColor(255, 1, 255));
    SetPixelOf(image, 2, 5, RGBColor(254, 0, 255));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 3; ++x)
            image.ScanLine(y)[x * 4 + 3] = 0x80;
    TBitmap dest;
    FillPattern(dest, 6, 6);
    ASSERT_TRUE(DrawCell(dest.Canvas().Handle(), Bounds(1, 1, 3, 2), image,
                         Cell(3, 3, TFrameLayout::Stacked), TKeying::Magenta));
    EXPECT_EQ(PixelOf(dest, 1, 1), Pattern(1, 1));
    EXPECT_EQ(PixelOf(dest, 2, 1), RGBColor(255, 1, 255));
    EXPECT_EQ(PixelOf(dest, 3, 1), Coded(2, 4));
    EXPECT_EQ(PixelOf(dest, 1, 2), Coded(0, 5));
    EXPECT_EQ(PixelOf(dest, 3, 2), RGBColor(254, 0, 255));
    EXPECT_EQ(PixelOf(dest, 4, 1), Pattern(4, 1));

    // Opaque: magenta is drawn like any colour.
    ASSERT_TRUE(DrawCell(dest.Canvas().Handle(), Bounds(1, 1, 3, 2), image,
                         Cell(3, 3, TFrameLayout::Stacked), TKeying::Opaque));
    EXPECT_EQ(PixelOf(dest, 1, 1), clFuchsia);
}

TEST(KeyedBlit, StretchedCellKeysTheStretchedPixels)
{
    // A 2 x 2 cell with magenta top left, stretched to 6 x 6: the top-left
    // 3 x 3 block keeps the destination, the rest is drawn.
    TBitmap image;
    MakeCoded(image, 4, 2);
    SetPixelOf(image, 2, 0, clFuchsia);
    TBitmap dest;
    FillPattern(dest, 8, 8);
    ASSERT_TRUE(DrawCell(dest.Canvas().Handle(), Bounds(1, 1, 6, 6), image,
                         Cell(2, 2, TFrameLayout::SideBySide), TKeying::Magenta));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const TColor expected =
                x < 3 && y < 3 ? Pattern(1 + x, 1 + y) : Coded(2 + x / 3, y / 3);
            ASSERT_EQ(PixelOf(dest, 1 + x, 1 + y), expected) << x << "," << y;
        }
    EXPECT_EQ(PixelOf(dest, 7, 7), Pattern(7, 7));
}

TEST(KeyedBlit, ClippedStretchedDrawGivesTheSamePixels)
{
    TBitmap image;
    MakeCoded(image, 7, 5);
    SetPixelOf(image, 3, 2, clFuchsia);
    SetPixelOf(image, 6, 4, clFuchsia);
    const TRect dest = Bounds(1, 2, 17, 13);
    const TRect clip = Rect(6, 5, 15, 11);
    TBitmap whole, clipped;
    FillPattern(whole, 20, 16);
    FillPattern(clipped, 20, 16);
    DrawKeyed(whole.Canvas().Handle(), dest, image, Rect(0, 0, 7, 5));
    {
        ClipScope scope(clipped.Canvas().Handle());
        scope.Intersect(clip);
        DrawKeyed(clipped.Canvas().Handle(), dest, image, Rect(0, 0, 7, 5));
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            ASSERT_EQ(PixelOf(clipped, x, y), inside ? PixelOf(whole, x, y) : Pattern(x, y))
                << x << "," << y;
        }
}

TEST(KeyedBlit, EdgesOfTheInput)
{
    TBitmap image;
    MakeCoded(image, 4, 4);
    TBitmap dest;
    FillPattern(dest, 8, 8);
    HDC dc = dest.Canvas().Handle();
    const std::vector<TColor> before = AllPixels(dest);

    // Nothing drawn for empty, inverted, or invalid input.
    EXPECT_FALSE(DrawKeyed(dc, Rect(2, 2, 2, 6), image, Rect(0, 0, 0, 4)));
    EXPECT_FALSE(DrawKeyed(dc, Rect(6, 6, 2, 2), image, Rect(0, 0, 4, 4)));
    EXPECT_FALSE(DrawKeyed(dc, Bounds(0, 0, 4, 4), image, Rect(4, 0, 8, 4)));
    EXPECT_FALSE(DrawKeyed(dc, Bounds(0, 0, 4, 4), TBitmap(), Rect(0, 0, 4, 4)));
    EXPECT_FALSE(DrawCell(dc, Bounds(0, 0, 4, 4), image, Cell(2, 3, TFrameLayout::SideBySide),
                          TKeying::Magenta));
    EXPECT_EQ(AllPixels(dest), before);

    // All magenta: drawn, and nothing changes.
    TBitmap allKey;
    FillBitmap(allKey, 3, 3, clFuchsia);
    EXPECT_TRUE(DrawKeyed(dc, Bounds(1, 1, 3, 3), allKey, Rect(0, 0, 3, 3)));
    EXPECT_EQ(AllPixels(dest), before);

    // A 1:1 source reaching past the image draws only the image's part, in
    // place (how a bitmap smaller than the rectangle is drawn at its corner).
    EXPECT_TRUE(DrawKeyed(dc, Bounds(2, 2, 6, 6), image, Rect(1, 1, 7, 7)));
    EXPECT_EQ(PixelOf(dest, 2, 2), Coded(1, 1));
    EXPECT_EQ(PixelOf(dest, 4, 4), Coded(3, 3));
    EXPECT_EQ(PixelOf(dest, 5, 4), Pattern(5, 4));
    EXPECT_EQ(PixelOf(dest, 4, 5), Pattern(4, 5));

    // Any key colour, not only magenta.
    TBitmap greenKey;
    MakeCoded(greenKey, 2, 1);
    SetPixelOf(greenKey, 1, 0, clLime);
    EXPECT_TRUE(DrawKeyed(dc, Bounds(6, 7, 2, 1), greenKey, Rect(0, 0, 2, 1), clLime));
    EXPECT_EQ(PixelOf(dest, 6, 7), Coded(0, 0));
    EXPECT_EQ(PixelOf(dest, 7, 7), Pattern(7, 7));
}

TEST(KeyedBlit, CentredCellRoundsItsOffsetsTowardZero)
{
    TBitmap image;
    MakeCoded(image, 6, 3);
    TBitmap dest;
    FillPattern(dest, 10, 10);
    // A 3 x 3 cell in a 8 x 6 area at (1, 1): offsets (8 - 3) / 2 = 2, (6 - 3) / 2 = 1.
    ASSERT_TRUE(DrawCellCentred(dest.Canvas().Handle(), Bounds(1, 1, 8, 6), image,
                                Cell(2, 2, TFrameLayout::SideBySide), TKeying::Opaque));
    EXPECT_EQ(PixelOf(dest, 3, 2), Coded(3, 0));
    EXPECT_EQ(PixelOf(dest, 5, 4), Coded(5, 2));
    EXPECT_EQ(PixelOf(dest, 2, 2), Pattern(2, 2));
    EXPECT_EQ(PixelOf(dest, 6, 4), Pattern(6, 4));
}

} // namespace
} // namespace tarnivo
