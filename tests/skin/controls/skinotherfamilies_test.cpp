// Controls of other families that take their look from the skin's images:
// image check boxes and radio buttons, tab-bitmap page controls, and the
// media player's face window.

#include "skincontroltestkit.h"
#include "skintestkit.h"

#include "skin/controls/skinmediaplayer.h"
#include "skin/controls/skinobjimage.h"

#include "tests/framework/controls/otherfamilies.h"
#include "tests/framework/graphics/bitmappixels.h"

namespace tarnivo {
namespace {

using namespace test;
using namespace test::otherfamilies;

// Check frames 4 (one colour each, 13 wide), radio frames 5.
const TColor kCheck[] = {RGBColor(10, 0, 0), RGBColor(20, 0, 0), RGBColor(30, 0, 0), RGBColor(40, 0, 0)};
const TColor kRadio[] = {RGBColor(0, 10, 0), RGBColor(0, 20, 0), RGBColor(0, 30, 0),
                         RGBColor(0, 40, 0), RGBColor(0, 50, 0)};

bool LoadImageSkin(TSkinData& data, TColor tint = 0)
{
    const std::string check = Bmp(52, 13, [tint](int x, int) { return kCheck[x / 13] + tint; });
    const std::string radio = Bmp(65, 13, [](int x, int) { return kRadio[x / 13]; });
    const std::string tabs = Bmp(50, 10, [](int x, int) {
        return x < 10 ? RGBColor(1, 100, 1) : x < 20 ? RGBColor(2, 200, 2) : RGBColor(3, 3, 3);
    });
    return LoadSkin(data,
                    "[TitlebarSkin]\nSkinName=Img\n[Colours]\nButtonFace=10 20 30\n"
                    "[Buttons]\nCheckButton=check.bmp\nRadioButton=radio.bmp\n"
                    "CheckButtonFrame=4\nRadioButtonFrame=5\n[Tabs]\nImage=tabs.bmp\n",
                    {{"check.bmp", check}, {"radio.bmp", radio}, {"tabs.bmp", tabs}});
}

using OtherFamilySkin = ControlSkinTest;

TEST_F(OtherFamilySkin, GlyphStripHoldsTheFirstFramesAndMagentaAfter)
{
    ASSERT_TRUE(LoadImageSkin(*m_data));
    for (bool radio : {false, true}) {
        SCOPED_TRACE(radio ? "radio" : "check");
        TBitmap strip;
        BuildGlyphStrip(m_data->Elements(), radio, strip);
        ASSERT_EQ(strip.Width(), 13 * TSkinObjImage::StripCells);
        ASSERT_EQ(strip.Height(), 13);
        const int copied = radio ? 5 : 4;
        for (int cell = 0; cell < TSkinObjImage::StripCells; ++cell) {
            const TColor want = cell < copied ? (radio ? kRadio[cell] : kCheck[cell]) : clFuchsia;
            EXPECT_EQ(PixelOf(strip, cell * 13, 0), want) << cell;
            EXPECT_EQ(PixelOf(strip, cell * 13 + 12, 12), want) << cell;
        }
    }
}

TEST_F(OtherFamilySkin, ImageCheckBoxesGetTheStripReloadAndGiveItBack)
{
    ASSERT_TRUE(LoadImageSkin(*m_data));
    auto* check = new TRzCheckBox(m_form.get());
    check->SetParent(m_form.get());
    auto* radio = new TRzRadioButton(m_form.get());
    radio->SetParent(m_form.get());
    auto* cx = new TcxCheckBox(m_form.get());
    cx->SetParent(m_form.get());

    auto* checkSkin = new TSkinObjImage(check);
    checkSkin->SetKind(1);
    checkSkin->Init(m_host.get(), m_data.get(), nullptr, true);
    auto* radioSkin = new TSkinObjImage(radio);
    radioSkin->SetKind(2);
    radioSkin->Init(m_host.get(), m_data.get(), nullptr, true);
    auto* cxSkin = new TSkinObjImage(cx);
    cxSkin->SetKind(3);
    cxSkin->Init(m_host.get(), m_data.get(), nullptr, true);

    EXPECT_TRUE(check->UseCustomGlyphs());
    EXPECT_EQ(check->reloads, 1);
    EXPECT_EQ(check->TransparentColor(), 16711935);
    EXPECT_EQ(PixelOf(*check->CustomGlyphs(), 13, 0), kCheck[1]);
    EXPECT_EQ(PixelOf(*radio->CustomGlyphs(), 4 * 13, 0), kRadio[4]);
    ASSERT_EQ(cx->Props()->Glyph()->Width(), 13 * 9);
    EXPECT_EQ(PixelOf(*cx->Props()->Glyph(), 26, 5), kCheck[2]);

    // A new skin is pushed again, and the control reloads.
    ASSERT_TRUE(LoadImageSkin(*m_data, RGBColor(0, 0, 7)));
    checkSkin->SkinChange();
    EXPECT_EQ(check->reloads, 2);
    EXPECT_EQ(PixelOf(*check->CustomGlyphs(), 0, 0), kCheck[0] + RGBColor(0, 0, 7));

    checkSkin->Unsubclass();
    cxSkin->Unsubclass();
    EXPECT_FALSE(check->UseCustomGlyphs());
    EXPECT_TRUE(cx->Props()->Glyph()->Empty());
}

TEST_F(OtherFamilySkin, TabBitmapPageGetsBothFacesAndEmptyOnesBack)
{
    ASSERT_TRUE(LoadImageSkin(*m_data));
    auto* pages = new TAdvPageControl(m_form.get());
    pages->SetParent(m_form.get());
    pages->SetBounds(10, 60, 200, 100);
    auto* skin = new TSkinAdvPage(pages);
    skin->SetKind(TSkinAdvPage::PageKindTabBitmaps);
    skin->Init(m_host.get(), m_data.get(), nullptr, true);
    ASSERT_EQ(pages->TabBackGround()->Width(), 100);
    ASSERT_EQ(pages->TabBackGround()->Height(), 21);
    EXPECT_EQ(PixelOf(*pages->TabBackGround(), 50, 10), RGBColor(1, 100, 1));
    EXPECT_EQ(PixelOf(*pages->TabBackGroundActive(), 50, 10), RGBColor(2, 200, 2));
    skin->Unsubclass();
    EXPECT_TRUE(pages->TabBackGround()->Empty());
    EXPECT_TRUE(pages->TabBackGroundActive()->Empty());
}

TEST(MediaPlayerSets, ButtonsAreFoundByIdentifierInTheText)
{
    const TButtonSet set = ParseButtonSet("[btPlay,btStop,btEject]");
    EXPECT_TRUE(set.Contains(btPlay));
    EXPECT_TRUE(set.Contains(btStop));
    EXPECT_TRUE(set.Contains(btEject));
    EXPECT_FALSE(set.Contains(btPause));
    EXPECT_FALSE(ParseButtonSet("[]").Contains(btPlay));
}

class MediaPlayerSkin : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        m_player = new TMediaPlayer(m_form.get());
        m_player->SetParent(m_form.get());
        m_player->SetBounds(10, 100, 90, 30);
        m_player->SetVisibleButtons("[btPlay,btStop,btEject]");
        m_player->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int) {
            downs.push_back(x);
        };
        m_player->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int) {
            ups.push_back(x);
        };
        m_skin = new TSkinMP(m_player);
        m_skin->Init(m_host.get(), m_data.get(), nullptr, false);
    }
    TMediaPlayer* m_player = nullptr;
    TSkinMP* m_skin = nullptr;
    std::vector<int> downs, ups;
};

TEST_F(MediaPlayerSkin, FaceLiesOverThePlayerAndIsNeverSkinnedItself)
{
    TWMediaPlayer* face = m_skin->Player();
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->Tag(), m_data->DisableTag());
    EXPECT_EQ(face->Parent(), m_form.get());
    EXPECT_EQ(face->Left(), 10);
    EXPECT_EQ(face->Width(), 90);
    m_player->SetBounds(20, 110, 120, 30);
    Pump();
    EXPECT_EQ(face->Left(), 20);
    EXPECT_EQ(face->Width(), 120);
    m_player->SetVisible(false);
    EXPECT_FALSE(face->Visible());
}

TEST_F(MediaPlayerSkin, FindButtonWalksTheVisibleButtonsBothEndsIncluded)
{
    TWMediaPlayer* face = m_skin->Player();
    face->CheckButtons();
    ASSERT_EQ(face->VisibleCount(), 3);
    EXPECT_EQ(face->FindButton(0), btPlay);
    EXPECT_EQ(face->FindButton(30), btPlay);
    EXPECT_EQ(face->FindButton(31), btStop);
    EXPECT_EQ(face->FindButton(61), btEject);
    EXPECT_EQ(face->FindButton(90), btEject);
    EXPECT_EQ(face->FindButton(91), MPNoButton);
    EXPECT_EQ(face->FindButton(-1), MPNoButton);
}

TEST_F(MediaPlayerSkin, PressGoesToThePlayerReleaseOnlyOnTheSameButton)
{
    HWND face = m_skin->Player()->Handle();
    SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    EXPECT_EQ(m_skin->Player()->Pressed(), btStop);
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(face, WM_LBUTTONUP, 0, MAKELPARAM(80, 10));
    EXPECT_EQ(m_skin->Player()->Pressed(), MPNoButton);
    SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    SendMessageW(face, WM_LBUTTONUP, 0, MAKELPARAM(45, 10));
    EXPECT_EQ(downs, (std::vector<int>{40, 40}));
    EXPECT_EQ(ups, (std::vector<int>{45}));
}

TEST_F(MediaPlayerSkin, FaceIsFreedOnUnsubclass)
{
    ASSERT_NE(m_skin->Player(), nullptr);
    const HWND face = m_skin->Player()->Handle();
    m_skin->Unsubclass();
    EXPECT_EQ(m_skin->Player(), nullptr);
    EXPECT_FALSE(IsWindow(face));
}

} // namespace
} // namespace tarnivo
