#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/icon.h"
#include "framework/imagelist.h"
#include "tests/framework/graphics/bitmappixels.h"

#include "iconmaker.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

using test::FillBitmap;
using test::PixelOf;

TEST(ImageList, AddIconGetIconCount)
{
    TImageList list(nullptr);
    list.SetSize(32, 32);
    int changes = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    EXPECT_EQ(list.Count(), 0);

    TIcon red, green;
    red.SetHandle(test::MakeIcon(32, clRed));
    green.SetHandle(test::MakeIcon(32, clGreen));
    EXPECT_EQ(list.AddIcon(red), 0);
    EXPECT_EQ(list.AddIcon(green), 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(changes, 2);

    TIcon empty;
    EXPECT_EQ(list.AddIcon(empty), -1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(changes, 2);

    TIcon out;
    ASSERT_TRUE(list.GetIcon(1, out));
    EXPECT_EQ(out.Width(), 32);
    EXPECT_NE(out.Handle(), green.Handle());
    // The icon handed out shows the image that went in.
    TBitmap canvas;
    FillBitmap(canvas, 40, 40, clWhite);
    canvas.Canvas().Draw(0, 0, out);
    EXPECT_EQ(PixelOf(canvas, 16, 16), clGreen);

    HICON before = out.Handle();
    EXPECT_FALSE(list.GetIcon(2, out));
    EXPECT_FALSE(list.GetIcon(-1, out));
    EXPECT_EQ(out.Handle(), before);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(changes, 3);
    list.Clear();
    EXPECT_EQ(changes, 3);
}

TEST(ImageList, IconsAreScaledToTheListSize)
{
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    TIcon big;
    big.SetHandle(test::MakeIcon(32, clBlue));
    EXPECT_EQ(list.AddIcon(big), 0);
    TIcon out;
    ASSERT_TRUE(list.GetIcon(0, out));
    EXPECT_EQ(out.Width(), 16);

    // A new size empties the list.
    list.SetSize(24, 24);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.SetSize(0, 24), EInvalidGraphic);
}

TEST(ImageList, AddBitmapsStripAndMasked)
{
    TImageList list(nullptr);
    list.SetSize(4, 4);
    // A strip of two images side by side.
    TBitmap strip;
    FillBitmap(strip, 8, 4, clRed);
    strip.Canvas().Brush().SetColor(clBlue);
    strip.Canvas().FillRect(Rect(4, 0, 8, 4));
    EXPECT_EQ(list.Add(strip, nullptr), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap keyed;
    FillBitmap(keyed, 4, 4, clFuchsia);
    keyed.Canvas().SetPixels(1, 1, clLime);
    EXPECT_EQ(list.AddMasked(keyed, clFuchsia), 2);
    // The source keeps its magenta (the system call would have blacked it).
    EXPECT_EQ(PixelOf(keyed, 0, 0), clFuchsia);

    TBitmap dst;
    FillBitmap(dst, 12, 4, clWhite);
    list.Draw(dst.Canvas(), 0, 0, 1);
    list.Draw(dst.Canvas(), 4, 0, 2);
    EXPECT_EQ(PixelOf(dst, 2, 2), clBlue);
    EXPECT_EQ(PixelOf(dst, 5, 1), clLime);
    EXPECT_EQ(PixelOf(dst, 4, 0), clWhite);   // masked out
    list.Draw(dst.Canvas(), 8, 0, 7);          // no such image: nothing
    EXPECT_EQ(PixelOf(dst, 9, 1), clWhite);

    TBitmap empty;
    EXPECT_EQ(list.Add(empty, nullptr), -1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
}

TEST(ImageList, DisabledDrawDiffersFromEnabled)
{
    TImageList list(nullptr);
    list.SetSize(8, 8);
    TIcon icon;
    icon.SetHandle(test::MakeIcon(8, clRed));
    list.AddIcon(icon);
    TBitmap dst;
    FillBitmap(dst, 16, 8, clWhite);
    list.Draw(dst.Canvas(), 0, 0, 0, ImageState::Enabled);
    list.Draw(dst.Canvas(), 8, 0, 0, ImageState::Disabled);
    TBitmap keyed;
    FillBitmap(keyed, 8, 8, clFuchsia);
    keyed.Canvas().SetPixels(0, 0, clRed);
    list.AddMasked(keyed, clFuchsia);
    list.Draw(dst.Canvas(), 8, 0, 1, ImageState::Disabled);
    EXPECT_EQ(PixelOf(dst, 8, 0), PixelOf(dst, 12, 4));   // its one red pixel, disabled
    EXPECT_EQ(PixelOf(dst, 9, 1), PixelOf(dst, 13, 5));   // transparent: unchanged
    EXPECT_EQ(PixelOf(dst, 4, 4), clRed);
    // Red (255, 0, 0) turns grey 85, mixed half and half with the face colour.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelOf(dst, 12, 4),
              RGBColor((85 + GetRValue(face)) / 2, (85 + GetGValue(face)) / 2,
                       (85 + GetBValue(face)) / 2));
}

} // namespace
} // namespace tarnivo
