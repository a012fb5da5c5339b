// Caption text: centred both ways whatever the alignment, transparent
// background, disabled colour, and the canvas left as it was.

#include "skin/paint/captiontext.h"
#include "tests/skin/paint/paintpixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace tarnivo {
namespace {

using test::AllPixels;
using test::kBackground;
using test::PixelOf;
using test::Target;

struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    std::set<TColor> colors;
};

Ink InkOf(const TBitmap& b)
{
    Ink ink;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = PixelOf(b, x, y);
            if (c == kBackground)
                continue;
            ink.colors.insert(c);
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

void Caption(TBitmap& target, const TRect& rect, TAlignment alignment, bool enabled,
             std::wstring_view text = L"HHHH")
{
    Target(target, 140, 60);
    TCanvas& canvas = target.Canvas();
    canvas.Font().SetName("Tahoma");
    canvas.Font().SetHeight(-12);
    canvas.Font().SetColor(clBlack);
    // An opaque background would show as white around the letters.
    canvas.Brush().SetColor(clWhite);
    MyDrawCaption(canvas, rect, text, alignment, enabled);
}

TEST(MyDrawCaption, CentredBothWaysForEveryAlignment)
{
    const TRect rect = Rect(10, 8, 130, 52);
    TBitmap first;
    Caption(first, rect, taLeftJustify, true);
    const Ink ink = InkOf(first);
    ASSERT_GE(ink.right, ink.left) << "nothing drawn";
    // "HHHH" sits on the baseline with no descender: the ink is centred
    // across within a pixel or two of side bearing, and lies in the middle
    // third of the height.
    EXPECT_LE(std::abs((ink.left - rect.left) - (rect.right - 1 - ink.right)), 2);
    EXPECT_GT(ink.top, rect.top + RectHeight(rect) / 4);
    EXPECT_LT(ink.bottom, rect.bottom - RectHeight(rect) / 4);
    for (TAlignment alignment : {taRightJustify, taCenter}) {
        TBitmap other;
        Caption(other, rect, alignment, true);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 140; ++x)
                ASSERT_EQ(PixelOf(other, x, y), PixelOf(first, x, y)) << alignment;
    }
}

TEST(MyDrawCaption, TransparentBackgroundAndDisabledColour)
{
    TBitmap enabled, disabled;
    Caption(enabled, Rect(0, 0, 140, 60), taCenter, true);
    Caption(disabled, Rect(0, 0, 140, 60), taCenter, false);
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    const TColor shadowColor = RGBColor(GetRValue(shadow), GetGValue(shadow), GetBValue(shadow));
    // No fill behind the letters: nothing but ink and the old background.
    EXPECT_FALSE(InkOf(enabled).colors.count(clWhite));
    EXPECT_TRUE(InkOf(enabled).colors.count(clBlack));
    EXPECT_TRUE(InkOf(disabled).colors.count(shadowColor));
    EXPECT_FALSE(InkOf(disabled).colors.count(clBlack));
}

TEST(MyDrawCaption, LeavesTheCanvasAsItWas)
{
    TBitmap target;
    Target(target, 20, 20);
    TCanvas& canvas = target.Canvas();
    canvas.Font().SetColor(clRed);
    canvas.Font().SetStyle({fsBold, fsItalic});
    canvas.SetBackgroundMode(TBackgroundMode::Opaque);
    MyDrawCaption(canvas, Rect(0, 0, 20, 20), L"x", taCenter, false);
    EXPECT_EQ(canvas.Font().Color(), clRed);
    EXPECT_TRUE(canvas.Font().Style() == (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(canvas.BackgroundMode(), TBackgroundMode::Opaque);
}

TEST(MyDrawCaption, NothingForNoTextOrAnInvertedRectangle)
{
    TBitmap a, b;
    Caption(a, Rect(0, 0, 140, 60), taCenter, true, L"");
    Caption(b, Rect(100, 40, 10, 10), taCenter, true);
    EXPECT_TRUE(AllPixels(a, kBackground));
    EXPECT_TRUE(AllPixels(b, kBackground));
}

} // namespace
} // namespace tarnivo
