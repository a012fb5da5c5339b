// TImage: where the picture lands and which pixels are keyed out.

#include "framework/controls/image.h"
#include "tests/framework/graphics/bitmappixels.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FillBitmap;
using test::PixelOf;

class Image : public ::testing::Test {
protected:
    void SetUp() override
    {
        image.SetBounds(0, 0, 20, 20);
        // 4 x 4: blue, with a magenta top-left pixel and a lime bottom-left one.
        FillBitmap(image.Picture(), 4, 4, clBlue);
        image.Picture().Canvas().SetPixels(0, 0, clFuchsia);
        image.Picture().Canvas().SetPixels(0, 3, clLime);
    }
    TColor Paint(int x, int y)
    {
        FillBitmap(target, 20, 20, clWhite);
        image.Paint(target.Canvas());
        return PixelOf(target, x, y);
    }
    TImage image{nullptr};
    TBitmap target;
};

TEST_F(Image, OpaqueAtTheTopLeftCorner)
{
    EXPECT_EQ(Paint(0, 0), clFuchsia);
    EXPECT_EQ(Paint(3, 3), clBlue);
    EXPECT_EQ(Paint(4, 4), clWhite);
}

TEST_F(Image, TransparentKeysMagentaUnlessTheBitmapNamesItsOwnColour)
{
    image.SetTransparent(true);
    EXPECT_EQ(Paint(0, 0), clWhite);
    EXPECT_EQ(Paint(0, 3), clLime);
    EXPECT_EQ(Paint(1, 1), clBlue);

    // A transparent bitmap's own key: its bottom-left pixel by default.
    image.Picture().SetTransparent(true);
    EXPECT_EQ(Paint(0, 3), clWhite);
    EXPECT_EQ(Paint(0, 0), clFuchsia);
    image.Picture().SetTransparentColor(clBlue);
    EXPECT_EQ(Paint(1, 1), clWhite);
    EXPECT_EQ(Paint(0, 3), clLime);
}

TEST_F(Image, CenterAndStretch)
{
    image.SetCenter(true);
    EXPECT_EQ(image.DestRect().left, 8);
    EXPECT_EQ(Paint(8, 8), clFuchsia);
    EXPECT_EQ(Paint(7, 7), clWhite);
    EXPECT_EQ(Paint(11, 11), clBlue);

    image.SetStretch(true);   // wins over Center
    EXPECT_EQ(Paint(0, 0), clFuchsia);
    EXPECT_EQ(Paint(4, 4), clFuchsia);   // one source pixel is 5 x 5 now
    EXPECT_EQ(Paint(19, 19), clBlue);
    EXPECT_EQ(Paint(2, 19), clLime);
}

} // namespace
} // namespace tarnivo
