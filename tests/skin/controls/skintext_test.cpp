// Caption helpers: the "||" line break, captions drawn on a memory bitmap,
// icon and caption placement, and the bitmap copy.

#include "skin/controls/skintext.h"

#include "tests/framework/graphics/bitmappixels.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tarnivo {
namespace {

using test::FillBitmap;
using test::PixelOf;
using test::SetPixelOf;

TEST(StringReplaceW, ReplacesTheFirstOccurrenceOnly)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* old;
        const wchar_t* replacement;
        const wchar_t* result;
    } cases[] = {
        {L"One||Two||Three", L"||", L"\r\n", L"One\r\nTwo||Three"},
        {L"||lead", L"||", L"-", L"-lead"},
        {L"trail||", L"||", L"", L"trail"},
        {L"none", L"||", L"\r\n", L"none"},
        {L"a|b", L"||", L"\r\n", L"a|b"},
        {L"|||", L"||", L"X", L"X|"},
        {L"text", L"", L"X", L"text"},
        {L"", L"||", L"X", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StringReplaceW(c.text, c.old, c.replacement), c.result) << c.text;
    EXPECT_EQ(ButtonCaption(L"Save||and close||now"), L"Save\r\nand close||now");
}

// Rows of the bitmap holding a pixel other than `background`, grouped into
// bands of consecutive rows; each band as (first row, last row, leftmost ink,
// rightmost ink).
struct Band {
    int top, bottom, left, right;
};
std::vector<Band> InkBands(const TBitmap& b, TColor background)
{
    std::vector<Band> bands;
    bool inBand = false;
    for (int y = 0; y < b.Height(); ++y) {
        int left = -1, right = -1;
        for (int x = 0; x < b.Width(); ++x)
            if (PixelOf(b, x, y) != background) {
                if (left < 0)
                    left = x;
                right = x;
            }
        if (left < 0) {
            inBand = false;
            continue;
        }
        if (!inBand)
            bands.push_back({y, y, left, right});
        Band& band = bands.back();
        band.bottom = y;
        band.left = std::min(band.left, left);
        band.right = std::max(band.right, right);
        inBand = true;
    }
    return bands;
}

// The ink of `text` drawn alone at (0, 0) with the canvas's font: fonts
// leave blank columns inside their advance width, so placements are
// compared ink to ink.
Band ReferenceInk(std::wstring_view text)
{
    TBitmap b;
    FillBitmap(b, 300, 80, clWhite);
    b.Canvas().Font().SetColor(clBlack);
    b.Canvas().SetBackgroundMode(TBackgroundMode::Transparent);
    b.Canvas().DrawText(Rect(0, 0, 300, 80), text, DT_LEFT | DT_SINGLELINE);
    const std::vector<Band> bands = InkBands(b, clWhite);
    return bands.empty() ? Band{-1, -1, -1, -1} : bands.front();
}

TEST(DrawCaption, DoubleBarCaptionIsTwoLines)
{
    TBitmap target;
    FillBitmap(target, 300, 80, clWhite);
    TCanvas& canvas = target.Canvas();
    canvas.Font().SetColor(clBlack);
    DrawCaption(canvas, Rect(0, 0, 300, 80), ButtonCaption(L"One||Two||Three"), true, DT_CENTER);

    const std::vector<Band> bands = InkBands(target, clWhite);
    ASSERT_EQ(bands.size(), 2u);
    const Band one = ReferenceInk(L"One");
    const Band rest = ReferenceInk(L"Two||Three");
    // The second line keeps its "||": the ink of "Two||Three", not of "Two".
    EXPECT_EQ(bands[0].right - bands[0].left, one.right - one.left);
    EXPECT_EQ(bands[1].right - bands[1].left, rest.right - rest.left);
    EXPECT_NE(bands[1].right - bands[1].left, ReferenceInk(L"Two").right - ReferenceInk(L"Two").left);
    // The two-line block (two line heights, as wide as its wider line) is
    // centred across, and down by half the free height less one pixel.
    const int width = canvas.TextWidth(std::wstring_view(L"Two||Three"));
    const int lineHeight = canvas.TextHeight(std::wstring_view(L"One"));
    EXPECT_EQ(bands[1].left - rest.left, (300 - width) / 2);
    EXPECT_EQ(bands[0].top - one.top, (80 - 2 * lineHeight) / 2 - 1);
    EXPECT_EQ(bands[1].top - rest.top, (80 - 2 * lineHeight) / 2 - 1 + lineHeight);
    // The canvas is as it was.
    EXPECT_EQ(canvas.Font().Color(), clBlack);
    EXPECT_EQ(canvas.BackgroundMode(), TBackgroundMode::Opaque);
}

TEST(DrawCaption, LeftCaptionSpansTheRectangleAndDisabledIsShadowed)
{
    TBitmap target;
    FillBitmap(target, 200, 40, clWhite);
    TCanvas& canvas = target.Canvas();
    canvas.Font().SetColor(clBlack);
    DrawCaption(canvas, Rect(10, 0, 200, 40), L"Left", false, DT_LEFT);
    const std::vector<Band> bands = InkBands(target, clWhite);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_GE(bands[0].left, 10);
    EXPECT_LE(bands[0].left, 13);
    bool shadow = false, black = false;
    for (int y = bands[0].top; y <= bands[0].bottom; ++y)
        for (int x = bands[0].left; x <= bands[0].right; ++x) {
            shadow = shadow || PixelOf(target, x, y) == static_cast<TColor>(ColorToRGB(clBtnShadow));
            black = black || PixelOf(target, x, y) == clBlack;
        }
    EXPECT_TRUE(shadow);
    EXPECT_FALSE(black);
    EXPECT_EQ(canvas.Font().Color(), clBlack);
}

TEST(DrawImgCaption, IconPlacementByAlignment)
{
    constexpr TColor kIcon = RGBColor(0, 160, 0);
    TImageList images(nullptr);
    images.SetSize(16, 16);
    TBitmap glyph;
    FillBitmap(glyph, 16, 16, kIcon);
    glyph.SetPixelFormat(pf24bit);
    ASSERT_EQ(images.Add(glyph, nullptr), 0);

    struct Case {
        TAlignment alignment;
        int width;
        int index;
        int iconLeft;   // -1: no icon drawn
    } cases[] = {
        {taLeftJustify, 100, 0, 3},
        {taCenter, 100, 0, (100 - 16) / 2},
        {taRightJustify, 100, 0, 100 - 16 - 2},
        {taCenter, 100, -1, -1},     // no image
        {taLeftJustify, 16, 0, -1},  // not narrower than the rectangle
        {taRightJustify, 17, 0, 1},  // the free width less 2 is -1: at least 1
    };
    for (const Case& c : cases) {
        TBitmap target;
        FillBitmap(target, 120, 30, clWhite);
        DrawImgCaption(target.Canvas(), Rect(0, 0, c.width, 30), c.alignment, L"", c.index,
                       &images, true);
        int left = -1;
        for (int x = 0; x < 120 && left < 0; ++x)
            if (PixelOf(target, x, 15) == kIcon)
                left = x;
        EXPECT_EQ(left, c.iconLeft) << c.alignment << " " << c.width << " " << c.index;
        if (left >= 0) {
            EXPECT_EQ(PixelOf(target, left, 7), kIcon);    // centred: rows 7..22
            EXPECT_EQ(PixelOf(target, left, 6), clWhite);
            EXPECT_EQ(PixelOf(target, left, 23), clWhite);
        }
    }
}

TEST(CopyBMP, TakesSizeFormatAndPixels)
{
    TBitmap source;
    source.SetPixelFormat(pf24bit);
    source.SetSize(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            SetPixelOf(source, x, y, RGBColor(x * 30, y * 40, 7));
    TBitmap target;
    FillBitmap(target, 20, 20, clWhite);   // 32 bits, larger
    CopyBMP(source, target);
    EXPECT_EQ(target.Width(), 7);
    EXPECT_EQ(target.Height(), 5);
    EXPECT_EQ(target.PixelFormat(), pf24bit);
    for (auto [x, y] : {std::pair{0, 0}, {6, 4}, {3, 2}})
        EXPECT_EQ(PixelOf(target, x, y), PixelOf(source, x, y));

    TBitmap empty, emptied;
    FillBitmap(emptied, 4, 4, clWhite);
    CopyBMP(empty, emptied);
    EXPECT_TRUE(emptied.Empty());
}

} // namespace
} // namespace tarnivo
