// TStatusBar: panels as parts of the window, simple mode over them.

#include "framework/controls/statusbar.h"

#include "testform.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

class StatusBar : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        bar = new TStatusBar(form.get());
        bar->SetBounds(0, 300, 400, 20);
        bar->SetParent(form.get());
    }
    std::vector<int> Edges()
    {
        int edges[32];
        auto n = SendMessageA(bar->Handle(), SB_GETPARTS, 32, reinterpret_cast<LPARAM>(edges));
        return std::vector<int>(edges, edges + n);
    }
    std::string PartText(int index)
    {
        char text[256] = {};
        SendMessageA(bar->Handle(), SB_GETTEXTA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
    TStatusBar* bar = nullptr;
};

TEST_F(StatusBar, PanelsBecomePartsTheLastReachingTheRightEdge)
{
    EXPECT_EQ(Edges(), std::vector<int>{-1});   // no panels: one empty part
    bar->Panels().Add()->SetWidth(100);
    bar->Panels().Add()->SetWidth(60);
    bar->Panels().Add()->SetWidth(10);
    EXPECT_EQ(Edges(), (std::vector<int>{100, 160, -1}));
    bar->Panels()[0]->SetWidth(120);
    EXPECT_EQ(Edges(), (std::vector<int>{120, 180, -1}));
    bar->Panels().Delete(2);
    EXPECT_EQ(Edges(), (std::vector<int>{120, -1}));
    RECT last = bar->PanelRect(1);
    RECT client;
    GetClientRect(bar->Handle(), &client);
    EXPECT_GE(last.right, client.right - 20);   // up to the size grip
    bar->Panels().Clear();
    EXPECT_EQ(Edges(), std::vector<int>{-1});
}

TEST_F(StatusBar, PanelTextAlignmentAndBevelReachTheWindow)
{
    TStatusPanel* left = bar->Panels().Add();
    TStatusPanel* right = bar->Panels().Add();
    left->SetText("Ready");
    right->SetText("12 items");
    right->SetAlignment(taRightJustify);
    right->SetBevel(pbRaised);
    EXPECT_EQ(PartText(0), "Ready");
    EXPECT_EQ(PartText(1), "\t\t12 items");   // two tabs align to the right
    LRESULT info = SendMessageA(bar->Handle(), SB_GETTEXTLENGTHA, 1, 0);
    EXPECT_EQ(HIWORD(info) & SBT_POPOUT, SBT_POPOUT);
    right->SetAlignment(taCenter);
    EXPECT_EQ(PartText(1), "\t12 items");
}

TEST_F(StatusBar, SimpleModeShowsOnlyItsTextAndGivesThePanelsBack)
{
    bar->Panels().Add()->SetText("one");
    bar->Panels().Add()->SetText("two");
    bar->SetSimpleText("Working...");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(bar->SimplePanel());
    EXPECT_NE(SendMessageA(bar->Handle(), SB_ISSIMPLE, 0, 0), 0);
    EXPECT_EQ(PartText(0), "Working...");
    bar->Panels()[1]->SetText("changed while simple");
    bar->SetSimplePanel(false);
    EXPECT_EQ(PartText(0), "one");
    EXPECT_EQ(PartText(1), "changed while simple");
    EXPECT_EQ(bar->SimpleText(), "Working...");
}

TEST_F(StatusBar, OwnerDrawnPanelsGoToOnDrawPanelWithTheirRectangle)
{
    bar->Panels().Add()->SetWidth(80);
    TStatusPanel* drawn = bar->Panels().Add();
    drawn->SetStyle(psOwnerDraw);
    std::vector<TStatusPanel*> seen;
    RECT where{};
    bar->OnDrawPanel = [&](TCustomStatusBar*, TStatusPanel* panel, TCanvas&, const RECT& r) {
        seen.push_back(panel);
        where = r;
    };
    ShowForm();
    UpdateWindow(bar->Handle());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), drawn);
    EXPECT_GE(where.left, 80);
}

TEST_F(StatusBar, SimpleModeAndPanelsOutliveANewWindow)
{
    bar->Panels().Add()->SetText("kept");
    bar->SetSimplePanel(true);
    bar->SetSizeGrip(false);
    EXPECT_FALSE(GetWindowLongA(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_TRUE(bar->SimplePanel());
    bar->SetSimplePanel(false);
    EXPECT_EQ(PartText(0), "kept");
}

} // namespace
} // namespace tarnivo
