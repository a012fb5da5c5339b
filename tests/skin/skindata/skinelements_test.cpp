// What painters rely on in the skin data: fixed elements that survive every
// load at the same address, the generation number, "present", frame
// rectangles, the colour-not-given marker and lookups that never throw.

#include "skintestkit.h"

#include "skin/resources/skindata.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

bool SameRect(const TRect& a, const TRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

const std::string SkinOne =
    "[TitlebarSkin]\nSkinName=One\n"
    "[Personality]\nTop=top1.bmp\nTopFrame=2\nLeft=side.bmp\nTextShift=3\n"
    "[Fonts]\nFontHeight=11\n"
    "[Buttons]\nBitmap=face.bmp\nLeftWidth=2\n"
    "[Scrollbar]\nImage=side.bmp\n";
const Files SkinOneFiles = {{"top1.bmp", Bmp(30, 20, clRed)},
                            {"side.bmp", Bmp(4, 10, clGreen)},
                            {"face.bmp", Bmp(50, 10, clBlue)}};
const std::string SkinTwo =
    "[TitlebarSkin]\nSkinName=Two\n"
    "[Personality]\nTop=top2.bmp\nTopFrame=1\nTextShift=9\n"
    "[Buttons]\nLeftWidth=7\n"
    "[Track]\nImage=top2.bmp\n";
const Files SkinTwoFiles = {{"top2.bmp", Bmp(12, 6, clYellow)}};

} // namespace

TEST(SkinElements, FixedElementsKeepTheirAddressAndShowEachNewSkin)
{
    TSkinData data(nullptr);
    const TSkinElements& e = data.Elements();
    EXPECT_EQ(data.Generation(), 0u);
    // The fixed elements exist, empty, before any skin.
    const TDataSkinBorder* left = e.Left.get();
    const TDataSkinBorder* right = e.Right.get();
    const TDataSkinBorder* top = e.Top.get();
    const TDataSkinBorder* bottom = e.Bottom.get();
    const TDataSkinButton* buttons = e.Buttons.get();
    const TDataSkinTitle* title = e.Title.get();
    for (const TDataSkinObject* fixed : {static_cast<const TDataSkinObject*>(left), static_cast<const TDataSkinObject*>(right),
                                         static_cast<const TDataSkinObject*>(top), static_cast<const TDataSkinObject*>(bottom),
                                         static_cast<const TDataSkinObject*>(buttons), static_cast<const TDataSkinObject*>(title)}) {
        ASSERT_NE(fixed, nullptr);
        EXPECT_FALSE(ElementPresent(fixed));
    }

    ASSERT_TRUE(LoadSkin(data, SkinOne, SkinOneFiles));
    EXPECT_EQ(data.Generation(), 1u);
    EXPECT_EQ(&data.Elements(), &e);
    EXPECT_EQ(e.Top.get(), top);
    EXPECT_EQ(top->Image.Width(), 30);
    EXPECT_EQ(Pixel(top->Image, 0, 0), clRed);
    EXPECT_EQ(top->FrameCount, 2);
    EXPECT_EQ(left->Image.Width(), 4);
    EXPECT_EQ(buttons->Margins.Left, 2);
    EXPECT_EQ(title->Margins.Left, 3);
    EXPECT_EQ(title->FontHeight, 11);
    // Elements that exist from the first load on keep their address too.
    const TDataSkinObject* track = e.Track.get();
    const TDataSkinObject* arrow = e.ComboxArrow.get();
    const TDataSkinObject* toolbar = e.Toolbar.get();
    ASSERT_TRUE(track && arrow && toolbar);
    EXPECT_EQ(track->Image.Width(), 16);   // the program's own channel image
    ASSERT_TRUE(e.Scrollbar);

    ASSERT_TRUE(LoadSkin(data, SkinTwo, SkinTwoFiles));
    EXPECT_EQ(data.Generation(), 2u);
    EXPECT_EQ(e.Left.get(), left);
    EXPECT_EQ(e.Right.get(), right);
    EXPECT_EQ(e.Top.get(), top);
    EXPECT_EQ(e.Bottom.get(), bottom);
    EXPECT_EQ(e.Buttons.get(), buttons);
    EXPECT_EQ(e.Title.get(), title);
    EXPECT_EQ(e.Track.get(), track);
    EXPECT_EQ(e.ComboxArrow.get(), arrow);
    EXPECT_EQ(e.Toolbar.get(), toolbar);
    // ... and show the second skin, all of it: what it leaves out is gone.
    EXPECT_EQ(data.SkinName(), "Two");
    EXPECT_EQ(top->Image.Width(), 12);
    EXPECT_EQ(Pixel(top->Image, 0, 0), clYellow);
    EXPECT_EQ(top->FrameCount, 1);
    EXPECT_EQ(top->Name, "Top");
    EXPECT_FALSE(ElementPresent(left));
    EXPECT_FALSE(ElementPresent(buttons));
    EXPECT_EQ(buttons->Margins.Left, 7);
    EXPECT_EQ(title->Margins.Left, 9);
    EXPECT_EQ(title->FontHeight, 14);
    EXPECT_EQ(track->Image.Width(), 12);   // the skin's own image now
    EXPECT_EQ(track->Name, "Track");
    EXPECT_FALSE(e.Scrollbar);

    // A load that fails changes neither the content nor the generation.
    TMemoryStream older;
    SkinFileOf(SkinOne, SkinOneFiles, older, 19999);
    data.LoadFromStream(older);
    EXPECT_EQ(data.Generation(), 2u);
    EXPECT_EQ(top->Image.Width(), 12);
    // Loading the same skin again is a new generation all the same.
    ASSERT_TRUE(data.LoadSkin());
    EXPECT_EQ(data.Generation(), 3u);
    EXPECT_EQ(e.Top.get(), top);
}

TEST(SkinElements, FrameRectanglesSideBySideAndStacked)
{
    TBitmap image;
    image.SetSize(50, 12);   // 5 frames of 10 side by side; 3 of 4 stacked
    struct Case {
        int count, frame;
        TFrameLayout layout;
        TRect expected;
    };
    const TRect none{};
    const Case cases[] = {
        {5, 1, TFrameLayout::SideBySide, Rect(0, 0, 10, 12)},
        {5, 5, TFrameLayout::SideBySide, Rect(40, 0, 50, 12)},
        {3, 2, TFrameLayout::Stacked, Rect(0, 4, 50, 8)},
        {3, 3, TFrameLayout::Stacked, Rect(0, 8, 50, 12)},
        {4, 4, TFrameLayout::SideBySide, Rect(36, 0, 48, 12)},   // 50 / 4 = 12: two pixels in no frame
        {5, 0, TFrameLayout::SideBySide, none},
        {5, 6, TFrameLayout::SideBySide, none},
        {5, -1, TFrameLayout::Stacked, none},
        {0, 1, TFrameLayout::SideBySide, none},
        {-2, 1, TFrameLayout::SideBySide, none},
        {13, 1, TFrameLayout::Stacked, none},                    // frames under a pixel high
        {51, 51, TFrameLayout::SideBySide, none},
        {1, 1, TFrameLayout::Stacked, Rect(0, 0, 50, 12)},
    };
    for (const Case& c : cases) {
        const TRect r = FrameRect(image, c.count, c.frame, c.layout);
        EXPECT_TRUE(SameRect(r, c.expected)) << c.count << " frames, frame " << c.frame << ": " << r.left << ","
                                             << r.top << "-" << r.right << "," << r.bottom;
    }
    TBitmap empty;
    EXPECT_TRUE(SameRect(FrameRect(empty, 1, 1, TFrameLayout::SideBySide), none));

    // The element form uses the element's image and frame count.
    TDataSkinObject element("Tabs");
    element.Image.SetSize(50, 12);
    element.FrameCount = 5;
    EXPECT_TRUE(SameRect(element.FrameRect(2), Rect(10, 0, 20, 12)));
    EXPECT_TRUE(SameRect(element.FrameRect(2, TFrameLayout::Stacked), Rect(0, 2, 50, 4)));
}

TEST(SkinElements, PresentMeansAnImageWithPixels)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Scrollbar]\nImage=s.bmp\n[HorzScroll]\nImage=missing.bmp\n"
                         "[VertScroll]\nImage=bad.bmp\n",
                         {{"s.bmp", Bmp(23, 2, clRed)}, {"bad.bmp", "BM and nothing"}}));
    const TSkinElements& e = data.Elements();
    EXPECT_TRUE(ElementPresent(e.Scrollbar));
    EXPECT_FALSE(ElementPresent(e.HorzScroll));   // exists, image missing
    EXPECT_FALSE(ElementPresent(e.VertScroll));   // exists, image unreadable
    EXPECT_FALSE(ElementPresent(e.MenuItem));     // absent
    EXPECT_FALSE(ElementPresent(static_cast<const TDataSkinObject*>(nullptr)));
    EXPECT_FALSE(ElementPresent(e.Left));         // fixed, but the skin has none
}

TEST(SkinElements, ColourNotGivenIsOneMarkerNoPainterCanDraw)
{
    // The marker is no plain colour, no system colour, and none of the
    // framework's own markers.
    EXPECT_FALSE(IsSystemColor(clNotGiven));
    EXPECT_NE(static_cast<std::uint32_t>(clNotGiven) & 0xFF000000u, 0u);
    EXPECT_NE(clNotGiven, clNone);
    EXPECT_NE(clNotGiven, clDefault);
    EXPECT_FALSE(ColorGiven(clNotGiven));

    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Scrollbar]\nImage=s.bmp\nNormalColour=-1\nMouseOverColour=$1FFFFFFF\n"
                         "PressedColour=-2147483633\n"
                         "[HorzScroll]\nImage=s.bmp\nNormalColour=0xFFFFFF\nMouseOverColour=0\n"
                         "PressedColour=$80000100\n"
                         "[Progress]\nBitmap=s.bmp\n",
                         {{"s.bmp", Bmp(23, 2, clRed)}}));
    const TSkinElements& e = data.Elements();
    EXPECT_EQ(e.Scrollbar->NormalColor, clNotGiven);           // the skin's "none"
    EXPECT_EQ(e.Scrollbar->MouseOverColor, clNotGiven);        // no colour at all
    EXPECT_EQ(e.Scrollbar->PressedColor, clBtnFace);           // a system colour, kept
    EXPECT_EQ(e.HorzScroll->NormalColor, clWhite);
    EXPECT_EQ(e.HorzScroll->MouseOverColor, clBlack);          // black is a colour
    EXPECT_EQ(e.HorzScroll->PressedColor, clNotGiven);         // system flag with junk above the index
    EXPECT_TRUE(ColorGiven(e.HorzScroll->MouseOverColor));
    // The progress reader reads no colours: none given, not black.
    EXPECT_EQ(e.Progress->NormalColor, clNotGiven);
    EXPECT_EQ(e.Progress->NormalTextColor, clNotGiven);
    EXPECT_EQ(e.Title->ActiveTextColor, clNotGiven);

    // Lookups outside the tables answer the marker instead of throwing.
    for (int index : {-1, CustomColorCount, INT_MAX, INT_MIN})
        EXPECT_EQ(data.CustomColors(index), clNotGiven) << index;
    EXPECT_EQ(data.CustomColors(0), clWhite);
    EXPECT_EQ(data.Colors(static_cast<TShemeColor>(SchemeColorCount)), clNotGiven);
    EXPECT_EQ(data.Colors(static_cast<TShemeColor>(-1)), clNotGiven);
}
