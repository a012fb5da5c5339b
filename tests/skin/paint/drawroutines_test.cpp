// Pixel tests of the shared drawing routines: every routine draws into a
// 32-bit memory DC from strips whose regions and frames have their own
// colours, and the tests read back which frame and region each pixel shows.

#include "skin/paint/drawroutines.h"
#include "tests/skin/paint/paintpixels.h"

#include "framework/regions.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnivo {
namespace {

using test::AllPixels;
using test::kBackground;
using test::PaintImage;
using test::PixelOf;
using test::RegionColor;
using test::RegionStrip;
using test::SetPixelOf;
using test::Target;
using test::Third;

constexpr TSkinMargins kThree{3, 3, 3, 3};

// Every pixel of `map` (drawn from RegionStrip with margins m) shows the
// region a nine-grid puts there, from frame `frame`.
void ExpectNineGrid(const TBitmap& map, int frame, const TSkinMargins& m, int ox = 0, int oy = 0,
                    int w = -1, int h = -1)
{
    if (w < 0)
        w = map.Width();
    if (h < 0)
        h = map.Height();
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const TColor want = RegionColor(frame, Third(x, m.Left, m.Right, w),
                                            Third(y, m.Top, m.Bottom, h));
            if (PixelOf(map, ox + x, oy + y) != want && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                              << PixelOf(map, ox + x, oy + y) << ", want " << want;
        }
    }
    EXPECT_EQ(wrong, 0);
}

// GetHMap -------------------------------------------------------------------

TEST(GetHMap, NineGridOfTheChosenFrameSideBySideAndStacked)
{
    struct Case {
        TFrameLayout layout;
        int count, frame, w, h;
    } cases[] = {
        {TFrameLayout::SideBySide, 3, 1, 20, 15},
        {TFrameLayout::SideBySide, 3, 2, 20, 15},
        {TFrameLayout::SideBySide, 3, 3, 9, 9},    // the cell's own size: a plain copy
        {TFrameLayout::Stacked, 2, 1, 31, 7},      // exactly top + bottom + 1 high
        {TFrameLayout::Stacked, 2, 2, 6, 40},      // exactly left + right wide: no middle column
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("frame " + std::to_string(c.frame) + " of " + std::to_string(c.count) +
                     (c.layout == TFrameLayout::Stacked ? " stacked" : " side by side"));
        TBitmap image;
        RegionStrip(image, c.count, 9, 9, 3, 3, 3, 3, c.layout);
        auto map = GetHMap(Rect(5, 5, 5 + c.w, 5 + c.h), image, kThree, c.layout,
                           CenterFill::Stretch, c.count, c.frame);
        ASSERT_TRUE(map);
        ASSERT_EQ(map->Width(), c.w);
        ASSERT_EQ(map->Height(), c.h);
        ExpectNineGrid(*map, c.frame, kThree);
    }
}

TEST(GetHMap, MarginsThatDoNotFitAreDroppedPerAxis)
{
    TBitmap image;
    RegionStrip(image, 1, 9, 9, 3, 3, 3, 3, TFrameLayout::SideBySide);
    // 5 wide < 3 + 3: no horizontal margins, the vertical ones stay.
    auto narrow = GetHMap(Rect(0, 0, 5, 12), image, kThree, TFrameLayout::SideBySide,
                          CenterFill::Stretch, 1, 1);
    for (int y : {0, 2, 3, 8, 9, 11}) {
        const int row = Third(y, 3, 3, 12);
        EXPECT_EQ(PixelOf(*narrow, 0, y), RegionColor(1, 0, row)) << y;
        EXPECT_EQ(PixelOf(*narrow, 4, y), RegionColor(1, 2, row)) << y;
    }
    // The whole cell squeezed across: column 2 of 5 shows the cell's middle
    // (which source column lands where in between is GDI's business).
    EXPECT_EQ(PixelOf(*narrow, 2, 0), RegionColor(1, 1, 0));

    // 4 high < 3 + 3: no vertical margins, the horizontal ones stay.
    auto low = GetHMap(Rect(0, 0, 14, 4), image, kThree, TFrameLayout::SideBySide,
                       CenterFill::Stretch, 1, 1);
    for (int x : {0, 2, 3, 10, 11, 13}) {
        const int column = Third(x, 3, 3, 14);
        EXPECT_EQ(PixelOf(*low, x, 0), RegionColor(1, column, 0)) << x;
        EXPECT_EQ(PixelOf(*low, x, 3), RegionColor(1, column, 2)) << x;
    }
}

TEST(GetHMap, TiledCentreRepeatsFromItsTopLeftWhileEdgesStretch)
{
    // A 7 x 7 cell, margins 2, centre 3 x 3 with nine distinct colours.
    const auto centre = [](int i, int j) { return RGBColor(100 + i * 30, 20 + j * 30, 5); };
    TBitmap image;
    PaintImage(image, 7, 7, [&](int x, int y) {
        if (x >= 2 && x < 5 && y >= 2 && y < 5)
            return centre(x - 2, y - 2);
        return RGBColor(Third(x, 2, 2, 7) * 50, Third(y, 2, 2, 7) * 50, 200);
    });
    const TSkinMargins m{2, 2, 2, 2};
    auto tiled = GetHMap(Rect(0, 0, 15, 12), image, m, TFrameLayout::SideBySide, CenterFill::Tile,
                         1, 1);
    for (int y = 2; y < 10; ++y)
        for (int x = 2; x < 13; ++x)
            ASSERT_EQ(PixelOf(*tiled, x, y), centre((x - 2) % 3, (y - 2) % 3)) << x << "," << y;
    // The top edge is stretched, not tiled: one colour along its length.
    for (int x = 2; x < 13; ++x)
        EXPECT_EQ(PixelOf(*tiled, x, 0), RGBColor(50, 0, 200)) << x;

    // Stretched, the centre's first colour covers more than one pixel.
    auto stretched = GetHMap(Rect(0, 0, 15, 12), image, m, TFrameLayout::SideBySide,
                             CenterFill::Stretch, 1, 1);
    EXPECT_EQ(PixelOf(*stretched, 2, 2), centre(0, 0));
    EXPECT_EQ(PixelOf(*stretched, 3, 2), centre(0, 0));
    EXPECT_NE(PixelOf(*tiled, 3, 2), centre(0, 0));
}

TEST(GetHMap, NothingToDrawGivesAnEmptyOrAllKeyBitmap)
{
    TBitmap image;
    RegionStrip(image, 2, 9, 9, 3, 3, 3, 3, TFrameLayout::SideBySide);
    // Inverted and empty destinations: an empty bitmap, never null.
    for (TRect r : {Rect(10, 10, 5, 20), Rect(10, 10, 20, 5), Rect(3, 3, 3, 9)}) {
        auto map = GetHMap(r, image, kThree, TFrameLayout::SideBySide, CenterFill::Stretch, 2, 1);
        ASSERT_TRUE(map);
        EXPECT_TRUE(map->Empty());
    }
    // A frame outside 1..count, or an empty image: the destination's size,
    // all magenta.
    TBitmap empty;
    struct Case {
        const TBitmap* image;
        int count, frame;
    } nothing[] = {{&image, 2, 3}, {&image, 2, 0}, {&image, 2, -1}, {&empty, 1, 1},
                   {&image, 40, 1} /* cells narrower than a pixel */};
    for (const Case& c : nothing) {
        auto map = GetHMap(Rect(0, 0, 6, 4), *c.image, kThree, TFrameLayout::SideBySide,
                           CenterFill::Stretch, c.count, c.frame);
        ASSERT_TRUE(map);
        EXPECT_EQ(map->Width(), 6);
        EXPECT_EQ(map->Height(), 4);
        EXPECT_TRUE(AllPixels(*map, clFuchsia)) << c.count << "/" << c.frame;
    }
    // A frame count of 0 (a skin's "Frame=0") is one frame.
    auto zero = GetHMap(Rect(0, 0, 18, 9), image, kThree, TFrameLayout::SideBySide,
                        CenterFill::Stretch, 0, 1);
    EXPECT_EQ(PixelOf(*zero, 0, 0), RegionColor(1, 0, 0));
    EXPECT_EQ(PixelOf(*zero, 17, 8), RegionColor(2, 2, 2));
}

// DrawRect2 -----------------------------------------------------------------

TEST(DrawRect2, DrawsAtTheRectangleAndKeysMagentaOnlyWhenTransparent)
{
    TBitmap image;
    RegionStrip(image, 2, 9, 9, 3, 3, 3, 3, TFrameLayout::Stacked);
    // Frame 2's top-left corner pixel becomes the key colour.
    SetPixelOf(image, 0, 9, clFuchsia);

    for (Keying keying : {Keying::Opaque, Keying::Transparent}) {
        TBitmap target;
        Target(target, 40, 30);
        const TRect r = Rect(4, 6, 24, 21);
        DrawRect2(target.Canvas().Handle(), r, image, TFrameLayout::Stacked, CenterFill::Stretch,
                  keying, 2, 2, kThree);
        // Untouched around the rectangle.
        EXPECT_EQ(PixelOf(target, 3, 6), kBackground);
        EXPECT_EQ(PixelOf(target, 24, 20), kBackground);
        EXPECT_EQ(PixelOf(target, 4, 21), kBackground);
        EXPECT_EQ(PixelOf(target, 4, 5), kBackground);
        EXPECT_EQ(PixelOf(target, 4, 6),
                  keying == Keying::Transparent ? kBackground : clFuchsia);
        // The rest of the corner, 1:1, from frame 2.
        EXPECT_EQ(PixelOf(target, 5, 6), RegionColor(2, 0, 0));
        EXPECT_EQ(PixelOf(target, 23, 20), RegionColor(2, 2, 2));
        EXPECT_EQ(PixelOf(target, 14, 13), RegionColor(2, 1, 1));
    }
}

TEST(DrawRect2, InvertedOrEmptySourceDrawsNothing)
{
    TBitmap image;
    RegionStrip(image, 1, 9, 9, 3, 3, 3, 3, TFrameLayout::SideBySide);
    TBitmap empty;
    TBitmap target;
    Target(target, 20, 20);
    HDC dc = target.Canvas().Handle();
    DrawRect2(dc, Rect(15, 2, 5, 12), image, TFrameLayout::SideBySide, CenterFill::Stretch,
              Keying::Opaque, 1, 1, kThree);
    DrawRect2(dc, Rect(2, 15, 12, 5), image, TFrameLayout::SideBySide, CenterFill::Tile,
              Keying::Transparent, 1, 1, kThree);
    DrawRect2(dc, Rect(0, 0, 20, 20), empty, TFrameLayout::SideBySide, CenterFill::Stretch,
              Keying::Opaque, 1, 1, kThree);
    DrawRect2(dc, Rect(0, 0, 20, 20), image, TFrameLayout::SideBySide, CenterFill::Stretch,
              Keying::Opaque, 1, 2, kThree);
    EXPECT_TRUE(AllPixels(target, kBackground));
}

// DrawRect1 and DrawRect3 -----------------------------------------------------

TEST(DrawRect1, StretchesTheWholeFrameIgnoringMargins)
{
    // Three 4 x 2 frames; frame k is one colour with a magenta right column.
    TBitmap image;
    PaintImage(image, 12, 2, [](int x, int) {
        return x % 4 == 3 ? clFuchsia : RegionColor(x / 4 + 1, 1, 1);
    });
    for (Keying keying : {Keying::Opaque, Keying::Transparent}) {
        TBitmap target;
        Target(target, 20, 10);
        DrawRect1(target.Canvas().Handle(), Rect(2, 1, 18, 9), image, keying, 3, 2);
        EXPECT_EQ(PixelOf(target, 2, 1), RegionColor(2, 1, 1));
        EXPECT_EQ(PixelOf(target, 13, 8), RegionColor(2, 1, 1));
        // The last source column covers the last quarter of the width.
        EXPECT_EQ(PixelOf(target, 17, 4), keying == Keying::Transparent ? kBackground : clFuchsia);
        EXPECT_EQ(PixelOf(target, 1, 1), kBackground);
        EXPECT_EQ(PixelOf(target, 18, 1), kBackground);
        EXPECT_EQ(PixelOf(target, 2, 9), kBackground);
    }
}

TEST(DrawRect3, CentresTheFrameWithOffsetsRoundedTowardZero)
{
    // Two frames of 6 x 4; frame 2 has distinct pixels so its placement shows.
    const auto pixel = [](int x, int y) { return RGBColor(60 + x * 20, 60 + y * 20, 1); };
    TBitmap image;
    PaintImage(image, 12, 4, [&](int x, int y) {
        return x < 6 ? RGBColor(1, 1, 1) : pixel(x - 6, y);
    });
    struct Case {
        TRect rect;
        int left, top;   // where the frame's top-left pixel lands
    } cases[] = {
        {Rect(10, 10, 20, 20), 12, 13},   // (10 - 6) / 2 = 2, (10 - 4) / 2 = 3
        {Rect(10, 10, 17, 15), 10, 10},   // 1 / 2 = 0, 1 / 2 = 0
        {Rect(10, 10, 13, 11), 9, 9},     // -3 / 2 = -1 (not -2), -3 / 2 = -1
        {Rect(10, 10, 15, 13), 10, 10},   // -1 / 2 = 0 (not -1), -1 / 2 = 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(RectWidth(c.rect)) + " x " + std::to_string(RectHeight(c.rect)));
        TBitmap target;
        Target(target, 30, 30);
        DrawRect3(target.Canvas().Handle(), c.rect, image, Keying::Opaque, 2, 2);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(PixelOf(target, c.left + x, c.top + y), pixel(x, y)) << x << "," << y;
        EXPECT_EQ(PixelOf(target, c.left - 1, c.top), kBackground);
        EXPECT_EQ(PixelOf(target, c.left + 6, c.top), kBackground);
        EXPECT_EQ(PixelOf(target, c.left, c.top + 4), kBackground);
    }
}

TEST(DrawRect3, KeysMagentaWhenTransparent)
{
    TBitmap image;
    PaintImage(image, 3, 3, [](int x, int y) { return x == 1 && y == 1 ? clFuchsia : clBlue; });
    TBitmap target;
    Target(target, 9, 9);
    DrawRect3(target.Canvas().Handle(), Rect(0, 0, 9, 9), image, Keying::Transparent, 1, 1);
    EXPECT_EQ(PixelOf(target, 3, 3), clBlue);
    EXPECT_EQ(PixelOf(target, 4, 4), kBackground);
    EXPECT_EQ(PixelOf(target, 5, 5), clBlue);
}

// DrawRectH ----------------------------------------------------------------

TEST(DrawRectH, CapsKeepTheirWidthMiddleStretchesAllStretchToTheHeight)
{
    // Two stacked 9 x 4 frames: left cap 2, right cap 3, middle 4.
    TBitmap image;
    RegionStrip(image, 2, 9, 4, 2, 0, 3, 0, TFrameLayout::Stacked);
    const TSkinMargins m{2, 0, 3, 0};
    TBitmap target;
    Target(target, 30, 20);
    DrawRectH(target.Canvas().Handle(), Rect(3, 2, 23, 14), image, TFrameLayout::Stacked, 2, 2, m);
    for (int y = 2; y < 14; ++y) {
        for (int x = 3; x < 23; ++x) {
            const int column = Third(x - 3, 2, 3, 20);
            ASSERT_EQ(PixelOf(target, x, y), RegionColor(2, column, 1)) << x << "," << y;
        }
    }
    EXPECT_EQ(PixelOf(target, 2, 2), kBackground);
    EXPECT_EQ(PixelOf(target, 23, 2), kBackground);
    EXPECT_EQ(PixelOf(target, 3, 14), kBackground);
}

TEST(DrawRectH, NarrowerThanTheFrameStretchesTheWholeFrame)
{
    TBitmap image;
    RegionStrip(image, 1, 9, 4, 2, 0, 3, 0, TFrameLayout::SideBySide);
    const TSkinMargins m{2, 0, 3, 0};
    TBitmap target;
    Target(target, 10, 6);
    // 7 wide: room for both caps (5), yet narrower than the 9-pixel frame.
    DrawRectH(target.Canvas().Handle(), Rect(0, 0, 7, 6), image, TFrameLayout::SideBySide, 1, 1, m);
    EXPECT_EQ(PixelOf(target, 0, 0), RegionColor(1, 0, 1));
    EXPECT_EQ(PixelOf(target, 6, 5), RegionColor(1, 2, 1));
    // Three-slice would put the right cap at x = 4; the squeezed frame still
    // shows its middle there (source column 5 of 9).
    EXPECT_EQ(PixelOf(target, 4, 3), RegionColor(1, 1, 1));
    EXPECT_EQ(PixelOf(target, 7, 0), kBackground);

    // The frame's own width: the caps stay exactly.
    TBitmap exact;
    Target(exact, 10, 6);
    DrawRectH(exact.Canvas().Handle(), Rect(0, 0, 9, 6), image, TFrameLayout::SideBySide, 1, 1, m);
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(PixelOf(exact, x, 2), RegionColor(1, Third(x, 2, 3, 9), 1)) << x;
}

// DrawRectTile --------------------------------------------------------------

// One 8 x 2 frame: left cap 2 wide (colour L), middle 3 wide with three
// colours, right cap 3 wide whose first column is magenta, then colour R.
constexpr TColor kLeftCap = 0x0000C0;
constexpr TColor kRightCap = 0x00C000;
constexpr TColor kMiddle[3] = {0x400000, 0x800000, 0xC00000};

void TileStrip(TBitmap& image, int frames)
{
    PaintImage(image, 8 * frames, 2, [](int x, int) {
        const int cx = x % 8;
        if (cx < 2)
            return kLeftCap;
        if (cx < 5)
            return kMiddle[cx - 2];
        return cx == 5 ? clFuchsia : kRightCap;
    });
}

TEST(DrawRectTile, MiddleRepeatsFromTheLeftMarginAndRunsUnderTheRightCap)
{
    TBitmap image;
    TileStrip(image, 1);
    const TSkinMargins m{2, 0, 3, 0};
    for (Keying keying : {Keying::Opaque, Keying::Transparent}) {
        TBitmap target;
        Target(target, 20, 8);
        DrawRectTile(target.Canvas(), Rect(1, 1, 16, 7), image, TFrameLayout::SideBySide, keying,
                     1, 1, m);
        // 15 wide: middle copies at 2, 5, 8, 11 (11 < 15 - 3); the last one
        // covers 11..13, the right cap 12..14.
        const TColor want[15] = {kLeftCap,  kLeftCap,  kMiddle[0], kMiddle[1], kMiddle[2],
                                 kMiddle[0], kMiddle[1], kMiddle[2], kMiddle[0], kMiddle[1],
                                 kMiddle[2], kMiddle[0],
                                 // under the cap's magenta column: the overrun shows when keyed
                                 keying == Keying::Transparent ? kMiddle[1] : clFuchsia,
                                 kRightCap, kRightCap};
        for (int y = 1; y < 7; ++y)
            for (int x = 0; x < 15; ++x)
                ASSERT_EQ(PixelOf(target, 1 + x, y), want[x]) << x << "," << y;
        EXPECT_EQ(PixelOf(target, 16, 1), kBackground);
        EXPECT_EQ(PixelOf(target, 1, 7), kBackground);
    }
}

TEST(DrawRectTile, NoRoomForTheMiddleDrawsOnlyTheCaps)
{
    TBitmap image;
    TileStrip(image, 2);
    const TSkinMargins m{2, 0, 3, 0};
    TBitmap target;
    Target(target, 10, 4);
    // 5 wide: left cap 0..1, no middle (2 < 5 - 3 is false), right cap 2..4.
    DrawRectTile(target.Canvas(), Rect(0, 0, 5, 4), image, TFrameLayout::SideBySide,
                 Keying::Transparent, 2, 2, m);
    EXPECT_EQ(PixelOf(target, 1, 0), kLeftCap);
    EXPECT_EQ(PixelOf(target, 2, 0), kBackground);   // the cap's magenta column
    EXPECT_EQ(PixelOf(target, 3, 3), kRightCap);
    EXPECT_EQ(PixelOf(target, 5, 0), kBackground);

    // Inverted: nothing at all.
    TBitmap untouched;
    Target(untouched, 10, 4);
    DrawRectTile(untouched.Canvas(), Rect(8, 0, 2, 4), image, TFrameLayout::SideBySide,
                 Keying::Opaque, 2, 1, m);
    EXPECT_TRUE(AllPixels(untouched, kBackground));
}

TEST(DrawRectTile, ABandFarWiderThanTheTargetKeepsItsGrid)
{
    TBitmap image;
    TileStrip(image, 1);
    const TSkinMargins m{2, 0, 3, 0};
    for (Keying keying : {Keying::Opaque, Keying::Transparent}) {
        TBitmap target;
        Target(target, 30, 4);
        // 3 000 001 pixels wide, starting 1 000 000 pixels left of the
        // target: copies every 3 pixels from x = 2 of the band.
        const int left = -1000000;
        DrawRectTile(target.Canvas(), Rect(left, 0, left + 3000001, 4), image,
                     TFrameLayout::SideBySide, keying, 1, 1, m);
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(PixelOf(target, x, 2), kMiddle[(x - left - 2) % 3]) << x;
    }
}

// DrawBGbmp and DrawTranmap ---------------------------------------------------

TEST(DrawBGbmp, TilesTheSourcePartFromTheTopLeftAndCutsAtTheEdges)
{
    const auto pixel = [](int x, int y) { return RGBColor(x * 30, y * 30, 99); };
    TBitmap image;
    PaintImage(image, 6, 5, pixel);
    TBitmap target;
    Target(target, 20, 20);
    // Source (1, 1)-(4, 3): 3 x 2; destination 7 x 5 at (5, 4).
    DrawBGbmp(target.Canvas(), Rect(5, 4, 12, 9), image, Rect(1, 1, 4, 3));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(PixelOf(target, 5 + x, 4 + y), pixel(1 + x % 3, 1 + y % 2)) << x << "," << y;
    EXPECT_EQ(PixelOf(target, 12, 4), kBackground);
    EXPECT_EQ(PixelOf(target, 5, 9), kBackground);

    TBitmap untouched;
    Target(untouched, 10, 10);
    DrawBGbmp(untouched.Canvas(), Rect(0, 0, 10, 10), image, Rect(2, 2, 2, 4));
    DrawBGbmp(untouched.Canvas(), Rect(0, 0, 10, 10), image, Rect(3, 3, 1, 1));
    DrawBGbmp(untouched.Canvas(), Rect(5, 5, 0, 0), image, Rect(0, 0, 3, 3));
    EXPECT_TRUE(AllPixels(untouched, kBackground));
}

TEST(DrawTranmap, CopiesOneToOneCutToTheRectangleLeavingTheKey)
{
    TBitmap image;
    PaintImage(image, 6, 4, [](int x, int y) {
        if (x == 1 && y == 1)
            return clFuchsia;
        if (x == 2 && y == 1)
            return clLime;
        return RGBColor(x * 40, y * 40, 77);
    });
    for (TColor key : {clFuchsia, clLime}) {
        TBitmap target;
        Target(target, 12, 12);
        DrawTranmap(target.Canvas().Handle(), Rect(3, 2, 7, 5), image, key);
        EXPECT_EQ(PixelOf(target, 3, 2), RGBColor(0, 0, 77));
        EXPECT_EQ(PixelOf(target, 6, 4), RGBColor(120, 80, 77));
        EXPECT_EQ(PixelOf(target, 4, 3), key == clFuchsia ? kBackground : clFuchsia);
        EXPECT_EQ(PixelOf(target, 5, 3), key == clLime ? kBackground : clLime);
        // Cut to 4 x 3: the image's columns 4, 5 and row 3 are not drawn.
        EXPECT_EQ(PixelOf(target, 7, 2), kBackground);
        EXPECT_EQ(PixelOf(target, 3, 5), kBackground);
    }
}

// FrameBitmapRegion -----------------------------------------------------------

TEST(FrameBitmapRegion, MagentaWithinOneStepOfGreenIsOutside)
{
    // Row 0: the four candidates of the tolerance; row 1 all magenta.
    const TColor row0[6] = {RGBColor(255, 0, 255), RGBColor(255, 1, 255), RGBColor(255, 2, 255),
                            RGBColor(254, 0, 255), RGBColor(255, 0, 254), RGBColor(10, 20, 30)};
    TBitmap image;
    PaintImage(image, 6, 2, [&](int x, int y) { return y == 0 ? row0[x] : clFuchsia; });
    GdiRegion region = FrameBitmapRegion(image, 100, 50);
    ASSERT_TRUE(region);
    const bool inside[6] = {false, false, true, true, true, true};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(RegionContains(region.Get(), 100 + x, 50), inside[x]) << x;
        EXPECT_FALSE(RegionContains(region.Get(), 100 + x, 51)) << x;
    }
    EXPECT_EQ(RegionArea(region.Get()), 4);

    TBitmap allKey;
    PaintImage(allKey, 5, 5, [](int, int) { return RGBColor(255, 1, 255); });
    EXPECT_FALSE(FrameBitmapRegion(allKey, 0, 0));
    TBitmap empty;
    EXPECT_FALSE(FrameBitmapRegion(empty, 0, 0));
}

TEST(FrameBitmapRegion, BorderMapOfARoundedCornerCutsTheCorner)
{
    // A top border whose first three pixels of row 0 and first pixel of row 1
    // are magenta, as the skins draw their rounded corners.
    TBitmap image;
    RegionStrip(image, 2, 12, 6, 4, 0, 4, 0, TFrameLayout::Stacked);
    for (int y = 0; y < 12; y += 6) {
        for (int x = 0; x < 3; ++x)
            SetPixelOf(image, x, y, clFuchsia);
        SetPixelOf(image, 0, y + 1, clFuchsia);
    }
    auto map = GetHMap(Rect(0, 0, 40, 6), image, TSkinMargins{4, 0, 4, 0}, TFrameLayout::Stacked,
                       CenterFill::Stretch, 2, 2);
    GdiRegion region = FrameBitmapRegion(*map, 4, 0);
    EXPECT_FALSE(RegionContains(region.Get(), 4, 0));
    EXPECT_FALSE(RegionContains(region.Get(), 6, 0));
    EXPECT_TRUE(RegionContains(region.Get(), 7, 0));
    EXPECT_FALSE(RegionContains(region.Get(), 4, 1));
    EXPECT_TRUE(RegionContains(region.Get(), 5, 1));
    EXPECT_TRUE(RegionContains(region.Get(), 43, 0));
    EXPECT_FALSE(RegionContains(region.Get(), 44, 0));
    EXPECT_EQ(RegionArea(region.Get()), 40 * 6 - 4);
}

} // namespace
} // namespace tarnivo
