// Element loading from small hand-written skins: which elements exist, what
// each reader takes from the INI, and the frame-count rules.

#include "skintestkit.h"

#include "skin/resources/imgutil.h"
#include "skin/resources/skindata.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

const TDataSkinSysButton* FindButton(const TSkinElements& e, const std::string& name)
{
    for (const auto& b : e.SysButtons)
        if (b->Name == name)
            return b.get();
    return nullptr;
}

void ExpectMargins(const TSkinMargins& m, int left, int top, int right, int bottom)
{
    EXPECT_EQ(m.Left, left);
    EXPECT_EQ(m.Top, top);
    EXPECT_EQ(m.Right, right);
    EXPECT_EQ(m.Bottom, bottom);
}

// Twelve frames of 10 x 8, frame i filled with grey level 10 * i.
TColor MdiFrameColor(int frame) { return RGBColor(10 * frame, 10 * frame, 10 * frame); }

// A BMP whose header claims 40000 x 1 pixels: beyond the 16384 a side that
// any bitmap may have.
std::string HugeBmp()
{
    std::string file = Bmp(1, 1, clRed);
    const std::int32_t width = 40000;
    std::memcpy(&file[18], &width, 4);
    return file;
}

} // namespace

TEST(SkinLoader, CaptionButtonsAreKeptOrDroppedAndGetTheirFrameCounts)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[BUTTON.CLOSE]\nAction=0\nButtonImage=narrow.bmp\n"
                         "[Button.Wide]\nAction=1\nButtonImage=wide.bmp\n"
                         "[Button.Hidden]\nAction=-1\nButtonImage=narrow.bmp\n"
                         "[Button.OnRequest]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
                         "[Button.Framed]\nAction=2\nframe=4\nButtonImage=wide.bmp\n"
                         "[Button.Icon]\nAction=3\nButtonImage=narrow.bmp\n"
                         "[Buttons]\n[BUTTON]\nAction=1\n[Button.Radio]\n[Button.CheckBox]\n"
                         "[Buttonx]\nAction=5\nXcoord=7\nYcoord=8\nAlign=2\n",
                         {{"narrow.bmp", Bmp(60, 20, clRed)}, {"wide.bmp", Bmp(120, 20, clBlue)}}));
    const TSkinElements& e = data.Elements();

    // Six kept sections in file order, then the three MDI child buttons.
    ASSERT_EQ(e.SysButtons.size(), 6u + 3u);
    const char* order[] = {"BUTTON.CLOSE", "BUTTON.WIDE", "BUTTON.ONREQUEST",
                           "BUTTON.FRAMED", "BUTTON.ICON", "BUTTONX"};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(e.SysButtons[i]->Name, order[i]);
    EXPECT_EQ(FindButton(e, "BUTTON.HIDDEN"), nullptr);

    const struct {
        const char* name;
        int frames;
    } counted[] = {
        {"BUTTON.CLOSE", 3},    // 60 / 20 = 3 <= 3.8
        {"BUTTON.WIDE", 6},     // 120 / 20 = 6 > 3.8
        {"BUTTON.FRAMED", 4},   // "frame" given: kept
    };
    for (const auto& c : counted) {
        const TDataSkinSysButton* button = FindButton(e, c.name);
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->FrameCount, c.frames) << c.name;
    }

    const TDataSkinSysButton* onRequest = FindButton(e, "BUTTON.ONREQUEST");
    ASSERT_NE(onRequest, nullptr);
    EXPECT_EQ(onRequest->FrameCount, 6);    // a negative action always gets 6
    EXPECT_EQ(onRequest->Visibility1, -1);  // default follows Action -1
    EXPECT_FALSE(onRequest->Image.Empty());

    const TDataSkinSysButton* icon = FindButton(e, "BUTTON.ICON");
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->Image.Empty());       // action 3 draws the window icon instead
    EXPECT_EQ(icon->FrameCount, 3);

    const TDataSkinSysButton* x = FindButton(e, "BUTTONX");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->Action, 5);
    EXPECT_EQ(x->Align, 2);
    EXPECT_EQ(x->X, 7);
    EXPECT_EQ(x->Y, 8);
    EXPECT_EQ(x->CombineOp, -1);
    EXPECT_EQ(x->Visibility1, 0);
    EXPECT_EQ(x->FrameCount, 6);  // no image: 6

    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& mdi = *e.SysButtons[6 + static_cast<std::size_t>(i)];
        EXPECT_EQ(mdi.Action, 7 + i);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.FrameCount, 4);
        EXPECT_TRUE(mdi.Image.Empty());  // no [MDICONTROLS] image
    }
}

TEST(SkinLoader, MdiButtonsAreCutFromTwelveFrames)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, "[MDICONTROLS]\nImage=mdi.bmp\n",
                         {{"mdi.bmp", Bmp(120, 8, [](int x, int) { return MdiFrameColor(x / 10); })}}));
    const auto& buttons = data.Elements().SysButtons;
    ASSERT_EQ(buttons.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& b = *buttons[static_cast<std::size_t>(i)];
        ASSERT_EQ(b.Image.Width(), 40);
        EXPECT_EQ(b.Image.Height(), 8);
        EXPECT_EQ(Pixel(b.Image, 0, 0), MdiFrameColor(4 * i));
        EXPECT_EQ(Pixel(b.Image, 39, 7), MdiFrameColor(4 * i + 3));
        EXPECT_EQ(b.X, (10 + 4) * (3 - i));
    }
}

TEST(SkinLoader, BordersReadPersonalityMarginsPerSide)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Personality]\nTop=top.bmp\nTopTopHeight=30\nTopBotHeight=40\nTopFrame=2\n"
                         "TopStretch=5\nTopTrans=0\nLeft=side.bmp\nLeftTopHeight=5\nLeftBotHeight=6\n"
                         "RightStretch=0\nBottomStretch=-3\n",
                         {{"top.bmp", Bmp(90, 60, clGreen)}, {"side.bmp", Bmp(8, 40, clGreen)}}));
    const TSkinElements& e = data.Elements();
    // A horizontal border's TopHeight and BotHeight are its left and right ends.
    ExpectMargins(e.Top->Margins, 30, 0, 40, 0);
    ExpectMargins(e.Left->Margins, 0, 5, 0, 6);
    EXPECT_EQ(e.Top->FrameCount, 2);
    EXPECT_EQ(e.Top->Trans, 0);
    EXPECT_EQ(e.Left->FrameCount, 1);  // defaults: one frame, stretched, transparent
    EXPECT_EQ(e.Left->Trans, 1);
    // "Stretch" 1 stretches the middle: Tile holds the usual sense.
    struct StretchCase {
        const TDataSkinBorder* border;
        std::int32_t stretch, tile;
    } stretches[] = {
        {e.Top.get(), 1, 0},       // above 1 reads as 1
        {e.Left.get(), 1, 0},      // the default
        {e.Right.get(), 0, 1},
        {e.Bottom.get(), -3, 1},
    };
    for (const StretchCase& c : stretches) {
        EXPECT_EQ(c.border->Stretch, c.stretch) << c.border->Name;
        EXPECT_EQ(c.border->Tile, c.tile) << c.border->Name;
    }
    EXPECT_EQ(e.Top->Name, "Top");
    EXPECT_TRUE(e.Right->Image.Empty());
}

TEST(SkinLoader, TabPaneMarginsAreLimitedToFour)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Tab.Pane]\nImage=pane.bmp\nLeftWidth=10\nTopHeight=3\nRightWidth=4\n"
                         "BottomHeight=5\nFrame=7\n",
                         {{"pane.bmp", Bmp(20, 20, clGray)}}));
    ASSERT_TRUE(data.Elements().TabPane);
    ExpectMargins(data.Elements().TabPane->Margins, 4, 3, 4, 4);
    EXPECT_EQ(data.Elements().TabPane->FrameCount, 1);
}

TEST(SkinLoader, LengthsOffsetsAndFrameCountsAreHeldToWhatAWindowCouldShow)
{
    // Painters add margins, offsets and coordinates to each other; numbers
    // at the ends of the 32-bit range would wrap.
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Scrollbar]\nImage=s.bmp\nLeftWidth=2147483647\nRightWidth=2147483647\n"
                         "TopHeight=-2147483648\nBottomHeight=40000\n"
                         "[Personality]\nTop=s.bmp\nTopTopHeight=2147483647\nTopBotHeight=-2147483647\n"
                         "TopFrame=2147483647\nTextShift=2147483647\nTextShiftVert=-99999\n"
                         "TXTBackleft=2147483647\n"
                         "[Fonts]\nFontHeight=2147483647\n"
                         "[BUTTON.CLOSE]\nButtonImage=s.bmp\nXcoord=2147483647\nYcoord=-2147483648\n"
                         "frame=2147483647\n"
                         "[Buttons]\nBitmap=s.bmp\nLeftWidth=-2147483648\nRadioButtonFrame=2147483647\n",
                         {{"s.bmp", Bmp(46, 4, clRed)}}));
    const TSkinElements& e = data.Elements();
    ASSERT_TRUE(e.Scrollbar);
    ExpectMargins(e.Scrollbar->Margins, 32767, -32767, 32767, 32767);
    ExpectMargins(e.Top->Margins, 32767, 0, -32767, 0);
    EXPECT_EQ(e.Top->FrameCount, 32767);
    ExpectMargins(e.Title->Margins, 32767, -32767, 0, 0);
    EXPECT_EQ(e.Title->TextBackLeft, 32767);
    EXPECT_EQ(e.Title->FontHeight, 32767);
    const TDataSkinSysButton* close = FindButton(e, "BUTTON.CLOSE");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->X, 32767);
    EXPECT_EQ(close->Y, -32767);
    EXPECT_EQ(close->FrameCount, 32767);
    EXPECT_EQ(e.Buttons->Margins.Left, -32767);
    EXPECT_EQ(e.Buttons->RadioFrameCount, 32767);
    // An ordinary skin keeps its numbers exactly.
    ASSERT_TRUE(LoadSkin(data, "[Scrollbar]\nImage=s.bmp\nLeftWidth=3\nRightWidth=-2\nTopHeight=32767\n",
                         {{"s.bmp", Bmp(46, 4, clRed)}}));
    ExpectMargins(data.Elements().Scrollbar->Margins, 3, 32767, -2, 0);
}

TEST(SkinLoader, TileAboveOneIsClampedPerReader)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Scrollbar]\nImage=a.bmp\nTile=5\n"
                         "[HorzScroll]\nImage=a.bmp\nTile=1\n"
                         "[Progress]\nBitmap=a.bmp\nTile=5\nStyle=1\n"
                         "[Buttons]\nBitmap=a.bmp\nTile=3\n"
                         "[Tabs]\nImage=a.bmp\nTile=2\n"
                         "[GroupBox]\nImage=a.bmp\nTile=9\n"
                         "[Personality]\nmenuBar=a.bmp\nTileMenu=7\n",
                         {{"a.bmp", Bmp(23, 4, clWhite)}}));
    const TSkinElements& e = data.Elements();
    EXPECT_EQ(e.Scrollbar->Tile, 0);
    EXPECT_EQ(e.HorzScroll->Tile, 1);
    EXPECT_EQ(e.Progress->Tile, 1);   // the progress reader clamps to 1
    EXPECT_EQ(e.Progress->FrameCount, 1);  // Style 1
    EXPECT_EQ(e.Buttons->Tile, 0);
    EXPECT_EQ(e.Tabs->Tile, 0);
    EXPECT_EQ(e.GroupBox->Tile, 0);
    EXPECT_EQ(e.MenuBar->Tile, 0);   // "TileMenu" 7 reads as 1, which stretches the band
    ExpectMargins(e.MenuBar->Margins, 1, 0, 1, 0);  // TileLeftMenu/TileRightMenu default 1

    // "TileMenu" other than 1 tiles the band's middle.
    ASSERT_TRUE(LoadSkin(data, "[Personality]\nmenuBar=a.bmp\nTileMenu=0\n", {{"a.bmp", Bmp(23, 4, clWhite)}}));
    EXPECT_EQ(data.Elements().MenuBar->Tile, 1);
}

TEST(SkinLoader, CaptionButtonFramesFromTheImageShapeAroundTheBoundary)
{
    // Without a "frame" key: 3 frames up to width / height = 3.8, else 6.
    struct Case {
        int width, height, frames;
    } cases[] = {
        {76, 20, 3}, {78, 20, 6}, {19, 5, 3}, {20, 5, 6},
        {57, 15, 3}, {58, 15, 6}, {1, 1, 3}, {16384, 1, 6},
    };
    std::string ini;
    Files files;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string n = std::to_string(i);
        ini += "[Button" + n + "]\nAction=1\nButtonImage=b" + n + ".bmp\n";
        files.push_back({"b" + n + ".bmp", Bmp(cases[i].width, cases[i].height, clRed)});
    }
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, ini, files));
    const auto& buttons = data.Elements().SysButtons;
    ASSERT_EQ(buttons.size(), std::size(cases) + 3);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(buttons[i]->FrameCount, cases[i].frames) << cases[i].width << " x " << cases[i].height;
}

TEST(SkinLoader, AbsentAndEmptyElementsDiffer)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Scrollbar]\nFrame=2\n"
                         "[HorzScroll]\nImage=missing.bmp\n"
                         "[VertScroll]\nImage=vert.BMP\n"
                         "[Headerbar]\nImage=Images\\Header.bmp\n"
                         "[MenuItem]\nImage=   \n"
                         "[ToolBars]\nImage=bad.bmp\n"
                         "[Tabs]\nImage=huge.bmp\nBorder=bad.bmp\n",
                         {{"vert.bmp", Bmp(8, 8, clRed)},
                          {"header.bmp", Bmp(50, 10, clRed)},
                          {"bad.bmp", "BMnot really a bitmap"},
                          {"huge.bmp", HugeBmp()}}));
    const TSkinElements& e = data.Elements();
    EXPECT_FALSE(e.Scrollbar);      // no image key: absent
    EXPECT_FALSE(e.MenuItem);       // blank image key: absent
    ASSERT_TRUE(e.HorzScroll);      // key present, entry missing: empty image
    EXPECT_TRUE(e.HorzScroll->Image.Empty());
    ASSERT_TRUE(e.VertScroll);      // ".BMP" is not ".bmp": cleared
    EXPECT_TRUE(e.VertScroll->Image.Empty());
    ASSERT_TRUE(e.Headerbar);       // the path part is ignored
    EXPECT_EQ(e.Headerbar->Image.Width(), 50);
    EXPECT_EQ(e.Headerbar->FrameCount, 5);  // Frame 0 becomes 5
    // Entries that are no readable BMP give empty images, not failures.
    ASSERT_TRUE(e.ToolBars);
    EXPECT_TRUE(e.ToolBars->Image.Empty());
    ASSERT_TRUE(e.Tabs);
    EXPECT_TRUE(e.Tabs->Image.Empty());
    EXPECT_TRUE(e.Tabs->Image2.Empty());
}

TEST(SkinLoader, SkinWithoutButtonsBordersOrTitleKeepsTheFixedElements)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, "[TitlebarSkin]\nSkinName=Bare\n"));
    const TSkinElements& e = data.Elements();
    EXPECT_EQ(data.SkinName(), "Bare");
    for (const auto* border : {e.Left.get(), e.Right.get(), e.Top.get(), e.Bottom.get()}) {
        ASSERT_NE(border, nullptr);
        EXPECT_TRUE(border->Image.Empty());
    }
    ASSERT_TRUE(e.Buttons);
    EXPECT_TRUE(e.Buttons->Image.Empty());
    EXPECT_EQ(e.Buttons->FrameCount, 5);
    EXPECT_EQ(e.Buttons->RadioFrameCount, 4);
    EXPECT_EQ(e.Buttons->NormalColor, clNotGiven);
    ASSERT_TRUE(e.Title);
    EXPECT_EQ(e.Title->FontHeight, 14);
    EXPECT_EQ(e.Title->ActiveTextColor, clNotGiven);
    EXPECT_EQ(e.SysButtons.size(), 3u);
    EXPECT_FALSE(e.Progress);
    EXPECT_FALSE(e.ComboButton);
    // Derived and built-in elements exist whatever the skin holds.
    ASSERT_TRUE(e.ComboxArrow);
    EXPECT_TRUE(e.ComboxArrow->Image.Empty());
    ASSERT_TRUE(e.Toolbar);
    EXPECT_EQ(e.Toolbar->Image.Width(), 10);
    EXPECT_EQ(e.Toolbar->Image.Height(), 40);
    ASSERT_TRUE(e.Track);
    ASSERT_TRUE(e.TrackVert);
    // The program's own channel images, from its resources.
    EXPECT_EQ(e.Track->Image.Width(), 16);
    EXPECT_EQ(e.Track->Image.Height(), 4);
    EXPECT_EQ(e.TrackVert->Image.Width(), 4);
    EXPECT_EQ(e.TrackVert->Image.Height(), 16);
    ExpectMargins(e.Track->Margins, 3, 3, 3, 3);
    EXPECT_EQ(e.Track->FrameCount, 1);
    // Colours keep their system colours; the caption colour is the button face.
    EXPECT_EQ(data.Colors(csButtonFace), SystemColor(COLOR_BTNFACE));
    EXPECT_EQ(data.Colors(csMenuBar), SystemColor(COLOR_BTNFACE));
    EXPECT_EQ(data.GetCaptionColor(), SystemColor(COLOR_BTNFACE));
    EXPECT_EQ(data.CustomColors(9), clWhite);
}

TEST(SkinLoader, ColourTextsAndTriples)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Colours]\nButtonText=1 2 3\nButtonFace=255\nMenubar=\n"
                         "[Customcolors]\nColor3=9,8,7\n"
                         "[Buttons]\nNormalColour2=255,0,0\nPressedColour2=  \nNormalColour=$FF\n"
                         "[Personality]\nActiveTextR=300\nActiveTextG=2\nActiveTextB=0x10\n"
                         "InActiveTextR=1\nInActiveTextG=-1\nInActiveTextB=1\n"));
    const TDataSkinButton& b = *data.Elements().Buttons;
    EXPECT_EQ(b.NormalTextColor, clRed);
    EXPECT_TRUE(b.HasNormalTextColor);
    EXPECT_EQ(b.PressedTextColor, RGBColor(1, 2, 3));  // blank: the button text colour
    EXPECT_FALSE(b.HasPressedTextColor);
    EXPECT_EQ(b.MouseOverTextColor, RGBColor(1, 2, 3));
    EXPECT_EQ(b.NormalColor, 0xFF);
    EXPECT_EQ(b.MouseOverColor, clNotGiven);
    EXPECT_EQ(data.Colors(csButtonFace), clBlack);     // one number alone: black
    EXPECT_EQ(data.Colors(csMenuBar), clBlack);        // empty: the face just read
    EXPECT_EQ(data.CustomColors(3), RGBColor(9, 8, 7));
    EXPECT_EQ(data.CustomColors(2), clWhite);
    EXPECT_EQ(data.Elements().Title->ActiveTextColor, RGBColor(300 % 256, 2, 16));
    EXPECT_EQ(data.Elements().Title->InactiveTextColor, clNotGiven);  // a negative part: not given
}

TEST(ColorText, ParsesDigitRunsModulo256)
{
    struct Case {
        const char* text;
        TColor expected;
    };
    const Case cases[] = {
        {"255,0,0", clRed},
        {"255 0 0", clRed},
        {" 255 0 0 ", clRed},
        {"255", clBlack},                        // a run the text ends counts only as third
        {"255,", clRed},
        {"255 128", RGBColor(255, 0, 0)},        // second number ends the text: dropped
        {"0 0 255", clBlue},
        {"256 257 258", RGBColor(0, 1, 2)},
        {"1 2 3 4 5", RGBColor(1, 2, 3)},        // further numbers ignored
        {"r=10;g=20;b=30", RGBColor(10, 20, 30)},
        {"-5 x", RGBColor(5, 0, 0)},             // a sign is just a separator
        {"abc", clBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseColorText(c.text), c.expected) << c.text;
    // A run far beyond 32 bits wraps modulo 256 without overflowing:
    // 10^22 - 1 = ...999 and 10^22 is divisible by 256, so the value is 255.
    EXPECT_EQ(ParseColorText("9999999999999999999999 0 0"), RGBColor(255, 0, 0));
    EXPECT_FALSE(ParseColorText("").has_value());
    EXPECT_FALSE(ParseColorText("  \t ").has_value());
}

TEST(SkinLoader, FrameCountsFollowThePaintersLayouts)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data,
                         "[Scrollbar]\nImage=a.bmp\nFrame=2\n"
                         "[HorzScrollThumb]\nImage=a.bmp\nFrame=9\n"
                         "[VertScrollThumb]\nImage=a.bmp\nFrameCount=2\n"
                         "[Trackbar.ThumbUp]\nImage=a.bmp\n"
                         "[UpDown.Horz]\nImage=a.bmp\nGlyphImage=b.bmp\n"
                         "[Progress.Chunk]\nImage=a.bmp\nFrame=3\n"
                         "[Buttons]\nRadioButton=radio.bmp\nCheckButton=check.bmp\nCheckButtonFrame=12\n"
                         "[Personality]\nTop=a.bmp\nTopFrame=0\nBottom=a.bmp\nBottomFrame=-2\n",
                         {{"a.bmp", Bmp(46, 10, clRed)},
                          {"b.bmp", Bmp(5, 5, clRed)},
                          {"radio.bmp", Bmp(128, 16, clRed)},
                          {"check.bmp", Bmp(20, 12, clRed)}}));
    const TSkinElements& e = data.Elements();
    EXPECT_EQ(e.Scrollbar->FrameCount, 23);
    EXPECT_EQ(e.HorzScrollThumb->FrameCount, 3);  // FrameCount default, not Frame
    EXPECT_EQ(e.VertScrollThumb->FrameCount, 2);
    EXPECT_EQ(e.TrackThumbs[ttUp]->FrameCount, 5);
    EXPECT_FALSE(e.TrackThumbs[ttDown]);
    EXPECT_EQ(e.UpDownHorz->FrameCount, 8);
    EXPECT_EQ(e.UpDownHorz->Image2.Width(), 5);
    EXPECT_EQ(e.ProgressChunk->FrameCount, 3);
    EXPECT_EQ(e.Buttons->RadioFrameCount, 8);     // 128 / 16
    EXPECT_EQ(e.Buttons->CheckFrameCount, 12);    // given
    EXPECT_EQ(e.Title->FrameCount, 2);
    // A frame count of 0 or below from the INI would divide painters by zero.
    EXPECT_EQ(e.Top->FrameCount, 1);
    EXPECT_EQ(e.Bottom->FrameCount, 1);
    // The caption colour is read a third into the Top image.
    EXPECT_EQ(data.GetCaptionColor(), clRed);
}

TEST(SkinLoader, ComboImagesAreComposedFromSunkEdgeButtonAndArrow)
{
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    // SunkEdge: 4 frames of 10 x 10 in green shades; the combo button: 4 frames
    // of 12 x 12 in blue shades; the arrow glyph 5 frames of 5 x 5 in yellow
    // with a magenta corner.
    auto frameShade = [](int base, int width) {
        return [base, width](int x, int) { return RGBColor(x / width * 30, base, 0); };
    };
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(
        data,
        "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\nTopHeight=2\nRightWidth=2\nBottomHeight=3\nTrans=1\n"
        "[ComboButton]\nImage=button.bmp\nLeftWidth=3\nRightWidth=3\nTrans=1\n"
        "[ExtraImages]\nImage=arrow.bmp\n",
        {{"sunk.bmp", Bmp(40, 10, frameShade(0x80, 10))},
         {"button.bmp", Bmp(48, 12, [](int x, int) { return RGBColor(0, 0, 100 + x / 12 * 40); })},
         {"arrow.bmp", Bmp(25, 5, [](int x, int y) { return x % 5 == 0 && y == 0 ? clFuchsia : clYellow; })}}));
    const TSkinElements& e = data.Elements();
    ASSERT_TRUE(e.ComboButton && e.SunkEdge);
    const TDataSkinBorder& button = *e.ComboButton;
    EXPECT_EQ(button.Style, 2);
    ASSERT_EQ(button.Image.Width(), 200);
    ASSERT_EQ(button.Image.Height(), 21);
    ExpectMargins(button.Margins, 2, 2, b + 2, 3);
    ExpectMargins(e.SunkEdge->Margins, b + 2, 2, 2, 3);
    for (int k = 0; k < 4; ++k) {
        const int x0 = 50 * k;
        // The edit area is see-through, the button side drawn, the arrow centred in it.
        EXPECT_EQ(Pixel(button.Image, x0 + 10, 10), clFuchsia);
        EXPECT_EQ(Pixel(button.Image, x0 + 50 - b / 2, 1), RGBColor(0, 0, 100 + k * 40));
        EXPECT_EQ(Pixel(button.Image, x0 + 50 - b + (b - 5) / 2 + 2, 10), clYellow);
        // Left edge: SunkEdge's own frame k.
        EXPECT_EQ(Pixel(button.Image, x0, 10), frameShade(0x80, 10)(10 * k, 0));
        // The mirrored SunkEdge keeps each frame in place, mirrored within it.
        for (int x : {0, 7, 30, 49})
            EXPECT_EQ(Pixel(e.SunkEdge->Image, x0 + x, 5), Pixel(button.Image, x0 + 49 - x, 5));
    }
    // The combo arrow: 17 x 17 squares cut next to each face's right edge.
    ASSERT_TRUE(e.ComboxArrow);
    EXPECT_EQ(e.ComboxArrow->FrameCount, 4);
    ASSERT_EQ(e.ComboxArrow->Image.Width(), 68);
    ASSERT_EQ(e.ComboxArrow->Image.Height(), 17);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(Pixel(e.ComboxArrow->Image, 17 * (k - 1), 0), Pixel(button.Image, 50 * k - 19, 2));
}

TEST(SkinLoader, ComboButtonWithoutSunkEdgeGetsMirrorAndArrowOnly)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, "[ComboButton]\nImage=button.bmp\n[Colours]\nButtonFace=1 2 3\n",
                         {{"button.bmp", Bmp(8, 4, [](int x, int) {
                               return x % 2 ? clFuchsia : RGBColor(x, 0, 0);
                           })}}));
    const TSkinElements& e = data.Elements();
    ASSERT_TRUE(e.ComboButton);
    EXPECT_EQ(e.ComboButton->Style, 0);
    EXPECT_EQ(e.ComboButton->Image.Width(), 8);
    // The second image mirrors each of the 4 frames (2 pixels wide) in place.
    EXPECT_EQ(Pixel(e.ComboButton->Image2, 0, 0), clFuchsia);
    EXPECT_EQ(Pixel(e.ComboButton->Image2, 1, 0), RGBColor(0, 0, 0));
    EXPECT_EQ(Pixel(e.ComboButton->Image2, 7, 0), RGBColor(6, 0, 0));
    // ComboxArrow: the button image with magenta turned to the button face.
    ASSERT_TRUE(e.ComboxArrow);
    EXPECT_EQ(e.ComboxArrow->FrameCount, 4);
    EXPECT_EQ(Pixel(e.ComboxArrow->Image, 1, 0), RGBColor(1, 2, 3));
    EXPECT_EQ(Pixel(e.ComboxArrow->Image, 2, 0), RGBColor(2, 0, 0));
}

TEST(SkinLoader, SunkEdgeWithoutComboButtonComposesNothing)
{
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadSkin(data, "[SunkEdge]\nImage=sunk.bmp\nLeftWidth=2\n",
                         {{"sunk.bmp", Bmp(40, 10, clGreen)}}));
    const TSkinElements& e = data.Elements();
    ASSERT_TRUE(e.SunkEdge);
    EXPECT_EQ(e.SunkEdge->Image.Width(), 40);
    EXPECT_EQ(e.SunkEdge->Margins.Left, 2);
    ASSERT_TRUE(e.ComboxArrow);
    EXPECT_TRUE(e.ComboxArrow->Image.Empty());
}

TEST(SkinLoader, ToolbarGradientRunsFromTheFaceToTheCaption)
{
    TSkinData data(nullptr);
    // Caption colour: a saturated red from the Top border (saturation 255).
    ASSERT_TRUE(LoadSkin(data, "[Colours]\nButtonFace=100 100 100\n[Personality]\nTop=top.bmp\n",
                         {{"top.bmp", Bmp(30, 9, clRed)}}));
    const TDataSkinObject& toolbar = *data.Elements().Toolbar;
    EXPECT_EQ(toolbar.FrameCount, 1);
    const TColor top = Blend(RGBColor(100, 100, 100), clWhite, 150);
    const TColor bottom = Blend(clRed, clWhite, (225 - 255) * 25 / 140 + 50);
    auto entry = [&](int i) {
        return static_cast<TColor>(GradientEntry(40, i, static_cast<COLORREF>(top), static_cast<COLORREF>(bottom)));
    };
    EXPECT_EQ(top, RGBColor(232, 232, 232));
    EXPECT_EQ(bottom, RGBColor(255, 140, 140));
    EXPECT_EQ(Pixel(toolbar.Image, 5, 0), entry(0));
    EXPECT_EQ(Pixel(toolbar.Image, 5, 39), entry(39));
}
