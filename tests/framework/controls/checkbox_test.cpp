// TCheckBox: the three states in the window, the click cycle with and
// without AllowGrayed, OnClick for every change.

#include "framework/controls/checkbox.h"

#include "testform.h"

namespace tarnivo {
namespace {

class CheckBox : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        box = new TCheckBox(form.get());
        box->SetCaption("Option");
        box->SetParent(form.get());
        box->OnClick = [this](TObject*) { ++clicks; };
    }
    // A click as the system button reports it: BN_CLICKED to the parent.
    void UserClick() { SendMessageA(box->Handle(), BM_CLICK, 0, 0); }
    LRESULT WindowCheck() { return SendMessageA(box->Handle(), BM_GETCHECK, 0, 0); }

    TCheckBox* box = nullptr;
    int clicks = 0;
};

TEST_F(CheckBox, ClicksStepThroughGrayedOnlyWithAllowGrayed)
{
    ShowForm();
    const TCheckBoxState twoState[] = {cbChecked, cbUnchecked, cbChecked};
    for (TCheckBoxState expected : twoState) {
        UserClick();
        EXPECT_EQ(box->State(), expected);
    }
    box->SetState(cbUnchecked);
    clicks = 0;
    box->SetAllowGrayed(true);
    const TCheckBoxState threeState[] = {cbGrayed, cbChecked, cbUnchecked, cbGrayed};
    for (TCheckBoxState expected : threeState) {
        UserClick();
        EXPECT_EQ(box->State(), expected);
        EXPECT_EQ(WindowCheck(), static_cast<LRESULT>(expected));
    }
    EXPECT_EQ(clicks, 4);
}

TEST_F(CheckBox, GrayedIsSettableWithoutAllowGrayedAndIsNotChecked)
{
    box->SetState(cbGrayed);
    EXPECT_EQ(WindowCheck(), BST_INDETERMINATE);
    EXPECT_FALSE(box->Checked());
    // From grayed a click checks, also without AllowGrayed.
    UserClick();
    EXPECT_EQ(box->State(), cbChecked);
    box->SetState(cbGrayed);
    box->SetChecked(false);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBox, OnClickFollowsChangesOnlyAndTheStateIsTheWindows)
{
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    // Someone else checks the window: that is the state we read, and
    // setting it again changes nothing.
    SendMessageA(box->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(false);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBox, StateAndAlignmentOutliveANewWindow)
{
    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);
    box->SetAlignment(taLeftJustify);
    HWND first = box->Handle();
    EXPECT_TRUE(GetWindowLongA(first, GWL_STYLE) & BS_LEFTTEXT);
    form->SetBorderStyle(bsSingle);   // recreates the windows
    ASSERT_NE(box->Handle(), first);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_TRUE(GetWindowLongA(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    box->SetAlignment(taRightJustify);
    EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & BS_LEFTTEXT);
}

} // namespace
} // namespace tarnivo
