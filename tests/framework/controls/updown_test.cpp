// TUpDown: range, clamping and wrapping by the control, the buddy's text,
// OnChanging refusing a step.

#include "framework/controls/edit.h"
#include "framework/controls/updown.h"

#include "testform.h"

namespace tarnivo {
namespace {

class UpDown : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
        updown = new TUpDown(form.get());
        updown->SetParent(form.get());
        updown->OnClick = [this](TObject*, TUDBtnType b) { clicks.push_back(b); };
        form->HandleNeeded();   // the windows of both
    }
    // The arrow keys step an up-down with ArrowKeys through its buddy.
    void Arrow(WORD vk)
    {
        SendMessageA(edit->Handle(), WM_KEYDOWN, vk, 1);
        SendMessageA(edit->Handle(), WM_KEYUP, vk, 0xC0000001);
    }
    TEdit* edit = nullptr;
    TUpDown* updown = nullptr;
    std::vector<TUDBtnType> clicks;
};

TEST_F(UpDown, StepsStopAtTheEndsOrWrapAndTheBuddyShowsThePosition)
{
    updown->SetMin(0);
    updown->SetMax(3);
    updown->SetPosition(2);
    updown->SetAssociate(edit);
    EXPECT_EQ(edit->Text(), "2");
    Arrow(VK_UP);
    Arrow(VK_UP);
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->Text(), "3");
    Arrow(VK_DOWN);
    EXPECT_EQ(updown->Position(), 2);
    ASSERT_GE(clicks.size(), 2u);
    EXPECT_EQ(clicks.front(), btNext);
    EXPECT_EQ(clicks.back(), btPrev);

    updown->SetWrap(true);   // a new window, associated again
    updown->SetPosition(3);
    Arrow(VK_UP);
    EXPECT_EQ(updown->Position(), 0);
    EXPECT_EQ(edit->Text(), "0");
}

TEST_F(UpDown, OnChangingCanRefuseAStep)
{
    updown->SetAssociate(edit);
    updown->SetPosition(5);
    updown->OnChanging = [](TObject*, bool& allow) { allow = false; };
    Arrow(VK_UP);
    EXPECT_EQ(updown->Position(), 5);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(UpDown, PositionOutsideTheRangeIsClampedAndTheIncrementIsKept)
{
    updown->SetMin(-10);
    updown->SetMax(10);
    updown->SetPosition(50);
    EXPECT_EQ(updown->Position(), 10);
    updown->SetIncrement(4);
    updown->SetAssociate(edit);
    updown->SetPosition(0);
    Arrow(VK_UP);
    EXPECT_EQ(updown->Position(), 4);
    updown->SetOrientation(udHorizontal);   // a new window
    EXPECT_TRUE(GetWindowLongA(updown->Handle(), GWL_STYLE) & UDS_HORZ);
    EXPECT_EQ(updown->Increment(), 4);
    EXPECT_EQ(updown->Min(), -10);
    EXPECT_EQ(updown->Position(), 4);
}

TEST_F(UpDown, AFreedAssociateIsForgotten)
{
    updown->SetAssociate(edit);
    delete edit;
    edit = nullptr;
    EXPECT_EQ(updown->Associate(), nullptr);
    EXPECT_EQ(SendMessageA(updown->Handle(), UDM_GETBUDDY, 0, 0), 0);
    EXPECT_THROW(updown->SetAssociate(updown), EPropertyError);
}

} // namespace
} // namespace tarnivo
