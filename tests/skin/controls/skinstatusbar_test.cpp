// The skinned status bar drawn into a bitmap: panel faces by bevel, the
// simple mode, the size grip, owner-drawn panels and the plain bevels of a
// skin without edge images.

#include "skincontroltestkit.h"
#include "skintestkit.h"

#include "skin/controls/skinstatusbar.h"
#include "skin/forms/skinmessages.h"

#include "framework/controls/statusbar.h"

#include "tests/framework/graphics/bitmappixels.h"

namespace tarnivo {
namespace {

using namespace test;

constexpr TColor kLowered = RGBColor(255, 0, 0);
constexpr TColor kRaised = RGBColor(0, 255, 0);
constexpr TColor kNoBevel = RGBColor(0, 0, 255);
constexpr TColor kGrip = RGBColor(255, 128, 0);
constexpr TColor kText = RGBColor(255, 255, 0);

class StatusBarSkin : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        m_bar = new TStatusBar(m_form.get());
        m_bar->SetParent(m_form.get());
        m_bar->SetBounds(0, 150, 300, 24);
        for (TStatusPanelBevel bevel : {pbLowered, pbRaised, pbNone}) {
            TStatusPanel* panel = m_bar->Panels().Add();
            panel->SetWidth(80);
            panel->SetBevel(bevel);
            panel->SetText("WWWW");
        }
    }
    bool LoadEdges()
    {
        const std::string ini = "[TitlebarSkin]\nSkinName=Bar\n[Colours]\nButtonFace=10 20 30\n"
                                "[StatusBarEdges]\nImage=edges.bmp\nNormalColour2=255 255 0\n"
                                "[ExtraImages]\nImage=extra.bmp\n";
        const std::string edges = Bmp(30, 10, [](int x, int) {
            return x < 10 ? kLowered : x < 20 ? kRaised : kNoBevel;
        });
        const std::string extra = Bmp(60, 14, [](int x, int) {
            return x >= 48 ? kGrip : RGBColor(9, 9, 9);
        });
        return LoadSkin(*m_data, ini, {{"edges.bmp", edges}, {"extra.bmp", extra}});
    }
    void Painted(TBitmap& b)
    {
        FillBitmap(b, m_bar->Width(), m_bar->Height(), RGBColor(1, 2, 3));
        SendMessageW(m_bar->Handle(), WM_SKINPAINTCLIENT,
                     reinterpret_cast<WPARAM>(b.Canvas().Handle()), SkinMagic);
    }
    TSkinStatusBar* Attach()
    {
        auto* skin = new TSkinStatusBar(m_bar);
        skin->Init(m_host.get(), m_data.get(), nullptr, false);
        return skin;
    }
    bool Has(const TBitmap& b, TColor color, const TRect& r)
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (PixelOf(b, x, y) == color)
                    return true;
        return false;
    }

    TStatusBar* m_bar = nullptr;
};

TEST_F(StatusBarSkin, PanelsTakeTheEdgeFrameOfTheirBevelAndTheSkinTextColour)
{
    ASSERT_TRUE(LoadEdges());
    Attach();
    TBitmap b;
    Painted(b);
    const TColor expected[] = {kLowered, kRaised, kNoBevel};
    for (int i = 0; i < 3; ++i) {
        const RECT r = m_bar->PanelRect(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(PixelOf(b, r.left, r.top), expected[i]);
        EXPECT_EQ(PixelOf(b, r.right - 1, r.bottom - 1 - (i == 2 ? 16 : 0)), expected[i]);
        EXPECT_TRUE(Has(b, kText, r));
    }
    // The last panel reaches the right edge, under the grip.
    EXPECT_EQ(PixelOf(b, 200, 2), kNoBevel);
    EXPECT_EQ(PixelOf(b, 299, 2), kNoBevel);
}

TEST_F(StatusBarSkin, SizeGripIsFrameFiveAtTheBottomRight)
{
    ASSERT_TRUE(LoadEdges());
    Attach();
    TBitmap b;
    Painted(b);
    EXPECT_EQ(PixelOf(b, 299, 23), kGrip);
    EXPECT_EQ(PixelOf(b, 300 - 12, 24 - 14), kGrip);
    EXPECT_NE(PixelOf(b, 300 - 13, 23), kGrip);
    EXPECT_NE(PixelOf(b, 299, 24 - 15), kGrip);

    m_bar->SetSizeGrip(false);
    m_bar->RecreateWnd();
    Pump();
    auto* skin = new TSkinStatusBar(m_bar);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    Painted(b);
    EXPECT_FALSE(Has(b, kGrip, Rect(0, 0, 300, 24)));
}

TEST_F(StatusBarSkin, SimpleModeShowsOnlyTheSimpleText)
{
    ASSERT_TRUE(LoadEdges());
    m_bar->SetSimplePanel(true);
    m_bar->SetSimpleText("Simple");
    Attach();
    TBitmap b;
    Painted(b);
    EXPECT_FALSE(Has(b, kLowered, Rect(0, 0, 300, 24)));
    EXPECT_FALSE(Has(b, kRaised, Rect(0, 0, 300, 24)));
    EXPECT_EQ(PixelOf(b, 150, 1), kButtonFace);
    EXPECT_TRUE(Has(b, kText, Rect(2, 0, 60, 24)));
    EXPECT_FALSE(Has(b, kText, Rect(0, 0, 2, 24)));
    EXPECT_FALSE(Has(b, kText, Rect(100, 0, 280, 24)));
}

TEST_F(StatusBarSkin, OwnerDrawnPanelsGoToTheEventShrunkByTwo)
{
    ASSERT_TRUE(LoadEdges());
    m_bar->Panels()[1]->SetStyle(psOwnerDraw);
    std::vector<RECT> drawn;
    m_bar->OnDrawPanel = [&](TCustomStatusBar*, TStatusPanel* panel, TCanvas&, const RECT& r) {
        EXPECT_EQ(panel, m_bar->Panels()[1]);
        drawn.push_back(r);
    };
    Attach();
    TBitmap b;
    Painted(b);
    ASSERT_EQ(drawn.size(), 1u);
    const RECT r = m_bar->PanelRect(1);
    EXPECT_EQ(drawn[0].left, r.left + 2);
    EXPECT_EQ(drawn[0].bottom, r.bottom - 2);
    // The face is drawn, the text is not.
    EXPECT_EQ(PixelOf(b, r.left, r.top), kRaised);
    EXPECT_FALSE(Has(b, kText, r));
}

TEST_F(StatusBarSkin, WithoutEdgeImagesPanelsGetPlainBevels)
{
    Attach();
    TBitmap b;
    Painted(b);
    const RECT lowered = m_bar->PanelRect(0);
    const RECT raised = m_bar->PanelRect(1);
    const RECT none = m_bar->PanelRect(2);
    const TColor light = ColorToRGB(clBtnHighlight);
    const TColor dark = ColorToRGB(clBtnShadow);
    EXPECT_EQ(PixelOf(b, lowered.left, lowered.top + 5), dark);
    EXPECT_EQ(PixelOf(b, lowered.right - 1, lowered.top + 5), light);
    EXPECT_EQ(PixelOf(b, raised.left, raised.top + 5), light);
    EXPECT_EQ(PixelOf(b, raised.right - 1, raised.top + 5), dark);
    EXPECT_EQ(PixelOf(b, none.left, none.top + 5), kButtonFace);
}

} // namespace
} // namespace tarnivo
