// A skin at other DPIs: the scaled element sets a window draws from, their
// lengths and pictures, their life across reloads and their budget.

#include "skintestkit.h"

#include "skin/resources/skindata.h"
#include "skin/resources/skinscale.h"

#include <gtest/gtest.h>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

constexpr TColor kKey = RGBColor(255, 0, 255);

// Borders with caps and two frames, a title with text placement, a caption
// button at an offset, a group box with label shifts and a check image.
std::string ScaleIni(const char* name = "Scaled")
{
    return std::string("[TitlebarSkin]\nSkinName=") + name + "\n" +
           "[Personality]\nLeft=left.bmp\nLeftFrame=2\nLeftTopHeight=6\nLeftBotHeight=4\n"
           "Right=left.bmp\nRightFrame=2\nTop=top.bmp\nTopFrame=2\nTopTopHeight=5\n"
           "TopBotHeight=7\nBottom=top.bmp\nBottomFrame=2\nTextShift=9\nTextShiftVert=3\n"
           "TextRightClip=11\nTXTBackleft=2\nTXTBackRight=5\nTextBack=top.bmp\n"
           "[Fonts]\nFontHeight=13\n"
           "[Button.Close]\nAction=0\nAlign=2\nXcoord=21\nYcoord=-3\nButtonImage=close.bmp\n"
           "frame=3\n"
           "[GroupBox]\nImage=left.bmp\nBackgroundLeftShift=3\nBackgroundRightShift=-4\n"
           "[Buttons]\nBitmap=top.bmp\nLeftWidth=3\nTopHeight=1\nRightWidth=4\nBottomHeight=2\n"
           "CheckButton=close.bmp\nCheckButtonFrame=3\n";
}

// The left border: 2 frames of 4 x 30 side by side, with keyed pixels in a
// pattern; the top: 40 x 2 stacked frames of 24; a 3-frame close button.
Files ScaleFiles(TColor topColor = RGBColor(0, 0, 200))
{
    auto left = [](int x, int y) {
        return (x * 7 + y * 3) % 5 == 0 ? kKey : RGBColor(40 * (x % 4), 8 * y, x < 4 ? 200 : 100);
    };
    auto close = [](int x, int y) { return x % 16 == 0 || y == 0 ? kKey : RGBColor(16 * (x / 16) + x, y, 50); };
    return {{"left.bmp", Bmp(8, 30, left)},
            {"top.bmp", Bmp(40, 48, topColor)},
            {"close.bmp", Bmp(48, 14, close)}};
}

class SkinScaleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadSkin(m_data, ScaleIni(), ScaleFiles())); }
    TSkinData m_data{nullptr};
};

} // namespace

TEST_F(SkinScaleTest, At96TheSkinItselfIsDrawnAndEachOtherDpiHasOneSet)
{
    EXPECT_EQ(&m_data.ElementsAt(96), &m_data.Elements());
    EXPECT_EQ(&m_data.ElementsAt(20), &m_data.Elements()) << "below 96 counts as 96";
    const TSkinElements& doubled = m_data.ElementsAt(192);
    EXPECT_NE(&doubled, &m_data.Elements());
    EXPECT_EQ(&m_data.ElementsAt(192), &doubled);
    EXPECT_NE(&m_data.ElementsAt(144), &doubled);
    EXPECT_EQ(&m_data.ElementsAt(100000), &m_data.ElementsAt(MaxSkinDpi)) << "clamped";
}

TEST_F(SkinScaleTest, PixelLengthsScaleAndCountsSwitchesAndColoursDoNot)
{
    const TSkinElements& base = m_data.Elements();
    for (int dpi : {144, 192, 288}) {
        SCOPED_TRACE(dpi);
        const TScaleFactor f = TScaleFactor::FromDpi(dpi);
        const TSkinElements& s = m_data.ElementsAt(dpi);
        EXPECT_EQ(s.Left->Margins.Top, f.Apply(6));
        EXPECT_EQ(s.Left->Margins.Bottom, f.Apply(4));
        EXPECT_EQ(s.Top->Margins.Left, f.Apply(5));
        EXPECT_EQ(s.Top->Margins.Right, f.Apply(7));
        EXPECT_EQ(s.Buttons->Margins.Right, f.Apply(4));
        EXPECT_EQ(s.Title->Margins.Left, f.Apply(9));
        EXPECT_EQ(s.Title->Margins.Top, f.Apply(3));
        EXPECT_EQ(s.Title->Margins.Right, f.Apply(11));
        EXPECT_EQ(s.Title->TextBackLeft, f.Apply(2));
        EXPECT_EQ(s.Title->TextBackRight, f.Apply(5));
        EXPECT_EQ(s.Title->FontHeight, f.Apply(13));
        EXPECT_EQ(s.Title->FontHeightGiven, base.Title->FontHeightGiven);
        EXPECT_TRUE(s.Title->FontHeightGiven);
        ASSERT_TRUE(s.GroupBox);
        EXPECT_EQ(s.GroupBox->BackgroundLeftShift, f.Apply(3));
        EXPECT_EQ(s.GroupBox->BackgroundRightShift, f.Apply(-4));
        ASSERT_EQ(s.SysButtons.size(), base.SysButtons.size());
        const TDataSkinSysButton& close = *s.SysButtons[0];
        EXPECT_EQ(close.X, f.Apply(21));
        EXPECT_EQ(close.Y, f.Apply(-3));
        EXPECT_EQ(close.Action, 0);
        EXPECT_EQ(close.Align, 2);
        EXPECT_EQ(close.FrameCount, 3);
        EXPECT_EQ(s.Left->FrameCount, base.Left->FrameCount);
        EXPECT_EQ(s.Left->Trans, base.Left->Trans);
        EXPECT_EQ(s.Left->Tile, base.Left->Tile);
        EXPECT_EQ(s.Buttons->CheckFrameCount, 3);
        EXPECT_EQ(s.Colors, base.Colors);
        EXPECT_EQ(s.SkinName, "Scaled");
        // Pictures: every frame scaled, so the frames still divide them.
        EXPECT_EQ(s.Left->Image.Width(), 2 * f.Apply(4));
        EXPECT_EQ(s.Left->Image.Height(), f.Apply(30));
        EXPECT_EQ(s.Top->Image.Height(), 2 * f.Apply(24));
        EXPECT_EQ(close.Image.Width(), 3 * f.Apply(16));
        EXPECT_EQ(s.Buttons->CheckImage.Width(), 3 * f.Apply(16));
    }
}

TEST_F(SkinScaleTest, DoubledPicturesAreThePixelsTwiceOverAndKeyedPixelsStayKeyed)
{
    const TBitmap& source = m_data.Elements().Left->Image;
    const TBitmap& doubled = m_data.ElementsAt(192).Left->Image;
    for (int y = 0; y < doubled.Height(); ++y)
        for (int x = 0; x < doubled.Width(); ++x)
            ASSERT_EQ(Pixel(doubled, x, y), Pixel(source, x / 2, y / 2)) << x << "," << y;

    const TBitmap& half = m_data.ElementsAt(144).Left->Image;
    ASSERT_EQ(half.Width(), 12);
    for (int y = 0; y < half.Height(); ++y)
        for (int x = 0; x < half.Width(); ++x) {
            // Frame by frame: frame x / 6, pixel (x % 6) of it.
            const int sx = (x / 6) * 4 + (2 * (x % 6) + 1) * 4 / 12;
            const int sy = (2 * y + 1) * 30 / 90;
            ASSERT_EQ(Pixel(half, x, y) == kKey, Pixel(source, sx, sy) == kKey) << x << "," << y;
        }
}

TEST_F(SkinScaleTest, AReloadGivesEveryScaledSetTheNewSkinAtTheSameAddresses)
{
    const TSkinElements& before = m_data.ElementsAt(192);
    const TDataSkinBorder* top = before.Top.get();
    const TDataSkinTitle* title = before.Title.get();
    ASSERT_EQ(Pixel(top->Image, 3, 3), RGBColor(0, 0, 200));
    ASSERT_TRUE(LoadSkin(m_data, ScaleIni("Again"), ScaleFiles(RGBColor(0, 150, 0))));
    const TSkinElements& after = m_data.ElementsAt(192);
    EXPECT_EQ(&after, &before);
    EXPECT_EQ(after.Top.get(), top);
    EXPECT_EQ(after.Title.get(), title);
    EXPECT_EQ(after.SkinName, "Again");
    EXPECT_EQ(Pixel(top->Image, 3, 3), RGBColor(0, 150, 0));
    EXPECT_EQ(top->Image.Height(), 96);
}

TEST(ScaledSkins, ACopyPastTheBudgetIsNotMadeAndTheBaseIsDrawnInstead)
{
    TSkinElements base;
    base.Left->Image.SetSize(1500, 1500);   // 9 MB of pixels at 96 DPI
    base.Left->FrameCount = 1;
    TScaledSkins scaled;
    // At 480 DPI it would take 25 times that: past the budget.
    EXPECT_EQ(&scaled.At(base, 480), &base);
    EXPECT_EQ(scaled.Count(), 0);
    // Twice the size fits, and is charged.
    const TSkinElements& doubled = scaled.At(base, 192);
    EXPECT_NE(&doubled, &base);
    EXPECT_EQ(doubled.Left->Image.Width(), 3000);
    EXPECT_EQ(scaled.Bytes(), std::size_t{3000} * 3000 * 4);
    EXPECT_LE(scaled.Bytes(), ScaledSkinBudgetBytes);
}

TEST(Drawn200, PicturesDrawnForTwiceTheSizeAreUsedAt200AndAbove150)
{
    // left@200.bmp is drawn, not doubled: another colour, so its use shows.
    // top@200.bmp has the wrong size and is not taken.
    const TColor drawn = RGBColor(1, 2, 3);
    Files files = ScaleFiles();
    files.push_back({"left@200.bmp", Bmp(16, 60, drawn)});
    files.push_back({"top@200.bmp", Bmp(80, 95, RGBColor(9, 9, 9))});
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, ScaleIni(), files));
    // 96 DPI never sees the larger pictures.
    EXPECT_EQ(data.Elements().Left->Image.Width(), 8);
    EXPECT_NE(Pixel(data.Elements().Left->Image, 1, 1), drawn);

    const TSkinElements& at200 = data.ElementsAt(192);
    ASSERT_EQ(at200.Left->Image.Width(), 16);
    ASSERT_EQ(at200.Left->Image.Height(), 60);
    EXPECT_EQ(Pixel(at200.Left->Image, 0, 0), drawn);
    EXPECT_EQ(Pixel(at200.Left->Image, 15, 59), drawn);
    // Lengths are the skin's doubled either way.
    EXPECT_EQ(at200.Left->Margins.Top, 12);
    EXPECT_EQ(at200.Title->FontHeight, 26);
    // The top's wrong-sized entry is left out: the 96-DPI picture doubled.
    EXPECT_EQ(at200.Top->Image.Height(), 96);
    EXPECT_EQ(Pixel(at200.Top->Image, 3, 3), RGBColor(0, 0, 200));

    // 300 % is scaled from the 200 % pictures, 150 % from the 96-DPI ones.
    const TSkinElements& at300 = data.ElementsAt(288);
    EXPECT_EQ(at300.Left->Image.Width(), 24);
    EXPECT_EQ(Pixel(at300.Left->Image, 5, 40), drawn);
    EXPECT_EQ(at300.Left->Margins.Top, 18);
    const TSkinElements& at150 = data.ElementsAt(144);
    EXPECT_NE(Pixel(at150.Left->Image, 1, 1), drawn);
}

TEST(Drawn200, ASkinWithoutThemIsScaledFromItsOwnPicturesAndAReloadDropsThem)
{
    TSkinData data(nullptr);
    Files files = ScaleFiles();
    files.push_back({"left@200.bmp", Bmp(16, 60, RGBColor(1, 2, 3))});
    ASSERT_TRUE(LoadSkin(data, ScaleIni(), files));
    const TSkinElements& at200 = data.ElementsAt(192);
    ASSERT_EQ(Pixel(at200.Left->Image, 0, 0), RGBColor(1, 2, 3));
    // The same skin without the entry: the window at 200 % shows the doubled
    // 96-DPI picture from the same set.
    ASSERT_TRUE(LoadSkin(data, ScaleIni(), ScaleFiles()));
    EXPECT_EQ(&data.ElementsAt(192), &at200);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(Pixel(at200.Left->Image, x, y), Pixel(data.Elements().Left->Image, x / 2, y / 2));
    // And back: the reload reads the new skin's pictures, not the old one's.
    files.back().second = Bmp(16, 60, RGBColor(4, 5, 6));
    ASSERT_TRUE(LoadSkin(data, ScaleIni(), files));
    EXPECT_EQ(Pixel(at200.Left->Image, 7, 7), RGBColor(4, 5, 6));
}
