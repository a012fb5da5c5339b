// TScrollBar: what the user's scrolling does to the position, at the ends
// of the range and with a page.

#include "framework/controls/scrollbar.h"

#include "testform.h"

namespace tarnivo {
namespace {

class ScrollBar : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        bar = new TScrollBar(form.get());
        bar->SetParent(form.get());
        bar->SetSmallChange(3);
        bar->SetLargeChange(25);
        bar->OnChange = [this](TObject*) { ++changes; };
    }
    // The bar's report to its parent, as the system scroll bar sends it.
    void UserScrolls(int code, int thumb = 0)
    {
        UINT msg = bar->Kind() == sbVertical ? WM_VSCROLL : WM_HSCROLL;
        if (code == SB_THUMBTRACK) {
            // The tracked place is what the window answers while dragging;
            // outside a drag it is the position, so set that first.
            SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, thumb, 0};
            SetScrollInfo(bar->Handle(), SB_CTL, &si, FALSE);
        }
        SendMessageA(form->Handle(), msg, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar->Handle()));
    }
    TScrollBar* bar = nullptr;
    int changes = 0;
};

TEST_F(ScrollBar, ArrowsAndPagesStopAtTheEnds)
{
    bar->SetParams(2, 0, 100);
    UserScrolls(SB_LINEUP);
    EXPECT_EQ(bar->Position(), 0);
    UserScrolls(SB_LINEUP);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, 2);   // the second press moved nothing
    UserScrolls(SB_PAGEDOWN);
    UserScrolls(SB_LINEDOWN);
    EXPECT_EQ(bar->Position(), 28);
    for (int i = 0; i < 5; ++i)
        UserScrolls(SB_PAGEDOWN);
    EXPECT_EQ(bar->Position(), 100);
    UserScrolls(SB_TOP);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 0);
}

TEST_F(ScrollBar, APageEndsTheRangeEarlierAndPullsThePositionBack)
{
    bar->SetParams(95, 0, 100);
    bar->SetPageSize(10);
    EXPECT_EQ(bar->Position(), 91);   // Max - PageSize + 1
    UserScrolls(SB_BOTTOM);
    EXPECT_EQ(bar->Position(), 91);
    bar->SetPageSize(500);   // no larger than the range
    EXPECT_EQ(bar->PageSize(), 101);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBar, DraggingTheThumbFollowsTheTrackedPlaceAndOnScrollMayChangeIt)
{
    bar->SetParams(0, -50, 200000);   // beyond the 16 bits of wParam
    UserScrolls(SB_THUMBTRACK, 150000);
    EXPECT_EQ(bar->Position(), 150000);
    bar->OnScroll = [](TObject*, TScrollCode code, int& position) {
        if (code == scLineDown)
            position = -1000;   // kept within the range afterwards
    };
    UserScrolls(SB_LINEDOWN);
    EXPECT_EQ(bar->Position(), -50);
}

TEST_F(ScrollBar, AnEmptyRangeIsRefusedAndTheOldOneStays)
{
    bar->SetParams(10, 5, 20);
    EXPECT_THROW(bar->SetMin(21), EPropertyError);
    EXPECT_THROW(bar->SetMax(4), EPropertyError);
    EXPECT_EQ(bar->Min(), 5);
    EXPECT_EQ(bar->Max(), 20);
    bar->SetMin(20);   // a range of one value is a range
    EXPECT_EQ(bar->Position(), 20);
}

TEST_F(ScrollBar, KindTurnsTheBarAndKeepsItsValues)
{
    bar->SetBounds(0, 0, 200, 17);
    bar->SetParams(40, 10, 90);
    bar->SetKind(sbVertical);
    EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(bar->Width(), 17);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_EQ(bar->Position(), 40);
    EXPECT_EQ(bar->Min(), 10);
    UserScrolls(SB_LINEDOWN);   // now reported as WM_VSCROLL
    EXPECT_EQ(bar->Position(), 43);
}

} // namespace
} // namespace tarnivo
