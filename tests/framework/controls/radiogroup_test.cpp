// TRadioGroup: items as buttons, ItemIndex at its edges, OnClick once per change.

#include "framework/collection.h"
#include "framework/controls/radiobutton.h"
#include "framework/controls/radiogroup.h"

#include "testform.h"

namespace tarnivo {
namespace {

class RadioGroup : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        group = new TRadioGroup(form.get());
        group->SetBounds(10, 10, 300, 120);
        group->SetCaption("Size");
        group->SetParent(form.get());
        group->SetItemsText("Small\r\nMedium\r\nLarge\r\nHuge\r\n");
        group->OnClick = [this](TObject*) { ++clicks; };
    }
    TRadioGroup* group = nullptr;
    int clicks = 0;
};

TEST_F(RadioGroup, ItemIndexOutsideTheItemsChecksNone)
{
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(3);
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_TRUE(group->Button(3)->Checked());
    for (int bad : {4, 99, -7}) {
        group->SetItemIndex(2);
        group->SetItemIndex(bad);
        EXPECT_EQ(group->ItemIndex(), -1) << bad;
        for (int i = 0; i < group->ItemCount(); ++i)
            EXPECT_FALSE(group->Button(i)->Checked());
    }
}

TEST_F(RadioGroup, OneClickEventPerChangeFromProgramOrUser)
{
    group->SetItemIndex(1);
    group->SetItemIndex(1);
    EXPECT_EQ(clicks, 1);
    SendMessageA(group->Button(2)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_FALSE(group->Button(1)->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(RadioGroup, ColumnsLayTheButtonsOutTopToBottomThenAcross)
{
    group->SetColumns(2);
    // Four items in two columns: two rows.
    EXPECT_EQ(group->Button(0)->Left(), group->Button(1)->Left());
    EXPECT_LT(group->Button(0)->Top(), group->Button(1)->Top());
    EXPECT_GT(group->Button(2)->Left(), group->Button(0)->Left());
    EXPECT_EQ(group->Button(2)->Top(), group->Button(0)->Top());
    RECT area = group->ContentRect();
    for (int i = 0; i < group->ItemCount(); ++i) {
        EXPECT_GE(group->Button(i)->Top(), area.top);
        EXPECT_LE(group->Button(i)->Top() + group->Button(i)->Height(), area.bottom + 1);
    }
    group->SetColumns(0);   // at least one
    EXPECT_EQ(group->Columns(), 1);
}

TEST_F(RadioGroup, ReplacingTheItemsKeepsTheCheckedPlaceWhenItStillExists)
{
    group->SetItemIndex(1);
    group->SetItemsText("A\r\nB\r\n");
    EXPECT_EQ(group->ItemCount(), 2);
    EXPECT_EQ(group->Item(1), "B");
    EXPECT_EQ(group->ItemIndex(), 1);
    group->SetItemsText("Only\r\n");
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_THROW(group->Item(1), EListError);
    group->DeleteItem(0);
    EXPECT_EQ(group->ItemCount(), 0);
    EXPECT_EQ(group->ControlCount(), 0);
    EXPECT_EQ(group->ItemsText(), "");
}

} // namespace
} // namespace tarnivo
