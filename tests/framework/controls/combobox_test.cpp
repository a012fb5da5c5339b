// TComboBox: items and ItemIndex at the edges, the three styles, text and
// events of a choice from the list.

#include "framework/collection.h"
#include "framework/controls/combobox.h"

#include "testform.h"

namespace tarnivo {
namespace {

class ComboBox : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        combo = new TComboBox(form.get());
        combo->SetParent(form.get());
        combo->SetItemsText("red\r\ngreen\r\nblue\r\n");
        combo->OnChange = [this](TObject*) { events.push_back("change:" + combo->Text()); };
        combo->OnSelect = [this](TObject*) { events.push_back("select"); };
    }
    // A choice from the list as the combo box reports it.
    void Choose(int index)
    {
        SendMessageA(combo->Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo->Handle()));
    }
    TComboBox* combo = nullptr;
    std::vector<std::string> events;
};

TEST_F(ComboBox, ItemIndexEdgesAndTheEditPart)
{
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->Text(), "blue");
    combo->SetItemIndex(3);   // one past the end
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    combo->SetItemIndex(0);
    combo->SetItemIndex(-5);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->Items().Clear();
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(events.empty());   // the program's changes raise nothing
}

TEST_F(ComboBox, AChoiceFromTheListShowsItsTextToTheHandlers)
{
    Choose(1);
    EXPECT_EQ(events, (std::vector<std::string>{"select", "change:green"}));
    // Typing in the edit part: OnChange alone.
    events.clear();
    SetWindowTextA(combo->Handle(), "teal");
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"change:teal"}));
}

TEST_F(ComboBox, ADropDownListsTextIsItsChoice)
{
    combo->SetItemIndex(1);
    combo->SetStyle(csDropDownList);   // a new window with the same items and choice
    EXPECT_EQ(GetWindowLongA(combo->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(combo->Items().Count(), 3);
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetText("BLUE");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetText("purple");   // no such item: no choice
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
}

TEST_F(ComboBox, TypedTextAndLimitOutliveANewWindow)
{
    combo->SetMaxLength(4);
    SetWindowTextA(combo->Handle(), "typed");
    combo->SetSorted(true);
    EXPECT_EQ(combo->Text(), "typed");   // what was there stays, the limit is for typing
    EXPECT_EQ(combo->ItemsText(), "blue\r\ngreen\r\nred\r\n");
    combo->SetStyle(csSimple);
    EXPECT_EQ(combo->Text(), "typed");
    EXPECT_EQ(GetWindowLongA(combo->Handle(), GWL_STYLE) & 3, CBS_SIMPLE);
}

TEST_F(ComboBox, TheOpenListHasRoomForDropDownCountRows)
{
    ShowForm();
    combo->SetDropDownCount(3);
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    RECT list;
    GetWindowRect(info.hwndList, &list);
    int rowHeight = static_cast<int>(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(list.bottom - list.top, 3 * rowHeight);
    EXPECT_LT(list.bottom - list.top, 5 * rowHeight);
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->DroppedDown());
}

} // namespace
} // namespace tarnivo
