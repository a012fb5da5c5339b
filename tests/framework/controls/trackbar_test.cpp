// TTrackBar: range and position clamping, the user's moves, a new window.

#include "framework/controls/trackbar.h"

#include "testform.h"

namespace tarnivo {
namespace {

class TrackBar : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        bar = new TTrackBar(form.get());
        bar->SetParent(form.get());
        bar->OnChange = [this](TObject*) { ++changes; };
    }
    TTrackBar* bar = nullptr;
    int changes = 0;
};

TEST_F(TrackBar, PositionStaysInTheRangeAndTheRangeCannotBeEmpty)
{
    bar->SetParams(5, 0, 10);
    bar->SetPosition(11);
    EXPECT_EQ(bar->Position(), 10);
    bar->SetPosition(-3);
    EXPECT_EQ(bar->Position(), 0);
    bar->SetMin(4);   // pulls the position up
    EXPECT_EQ(bar->Position(), 4);
    EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETPOS, 0, 0), 4);
    EXPECT_THROW(bar->SetMax(3), EPropertyError);
    EXPECT_EQ(bar->Max(), 10);
    EXPECT_EQ(changes, 4);   // 0 to 5, to 10, to 0, to 4
}

TEST_F(TrackBar, KeysMoveByLineAndPageAndRaiseOnChange)
{
    ShowForm();
    bar->SetParams(0, 0, 100);
    bar->SetLineSize(3);
    bar->SetPageSize(20);
    bar->SetFocus();
    auto key = [this](WORD vk) {
        SendMessageA(bar->Handle(), WM_KEYDOWN, vk, 1);
        SendMessageA(bar->Handle(), WM_KEYUP, vk, 0xC0000001);
    };
    changes = 0;
    key(VK_RIGHT);
    EXPECT_EQ(bar->Position(), 3);
    key(VK_NEXT);
    EXPECT_EQ(bar->Position(), 23);
    key(VK_END);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(changes, 3);   // one per move, none for the end of a move
}

TEST_F(TrackBar, StyleChangesMakeANewWindowWithTheSameValues)
{
    bar->SetParams(7, 2, 30);
    bar->SetSelStart(5);
    bar->SetSelEnd(9);
    bar->SetBounds(0, 0, 150, 40);
    HWND first = bar->Handle();
    bar->SetOrientation(trVertical);
    EXPECT_NE(bar->Handle(), first);
    EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBS_VERT);
    EXPECT_EQ(bar->Width(), 40);
    EXPECT_EQ(bar->Height(), 150);
    bar->SetTickStyle(tsNone);
    EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBS_NOTICKS);
    EXPECT_EQ(bar->Position(), 7);
    EXPECT_EQ(bar->Min(), 2);
    EXPECT_EQ(bar->Max(), 30);
    EXPECT_EQ(bar->SelStart(), 5);
    EXPECT_EQ(bar->SelEnd(), 9);
}

} // namespace
} // namespace tarnivo
