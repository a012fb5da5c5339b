// TListBox: items in the window, ItemIndex at its edges, multi-select,
// sorting, a new window keeping items and selection.

#include "framework/collection.h"
#include "framework/controls/listbox.h"

#include "testform.h"

namespace tarnivo {
namespace {

class ListBox : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        list = new TListBox(form.get());
        list->SetParent(form.get());
        list->SetItemsText("pear\r\napple\r\nfig\r\nplum\r\n");
    }
    TListBox* list = nullptr;
};

TEST_F(ListBox, ItemIndexOutsideTheItemsSelectsNone)
{
    list->SetItemIndex(3);
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(list->SelCount(), 1);
    for (int bad : {4, -2, 1000}) {
        list->SetItemIndex(1);
        list->SetItemIndex(bad);
        EXPECT_EQ(list->ItemIndex(), -1) << bad;
        EXPECT_EQ(list->SelCount(), 0) << bad;
    }
    EXPECT_THROW(list->Selected(4), EListError);
    EXPECT_THROW(list->Items().Strings(-1), EListError);
    EXPECT_THROW(list->Items().Insert(5, "x"), EListError);
    list->Items().Insert(4, "end");   // the end is a place too
    EXPECT_EQ(list->Items()[4], "end");
}

TEST_F(ListBox, MultiSelectKeepsSeveralAndSingleSelectKeepsTheFirst)
{
    list->SetMultiSelect(true);
    EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_STYLE) & LBS_EXTENDEDSEL);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    list->SetSelected(3, true);
    list->SetSelected(3, false);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(2));

    list->SetExtendedSelect(false);   // a new window, the same selection
    EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_STYLE) & LBS_MULTIPLESEL);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(0));
    EXPECT_TRUE(list->Selected(2));

    list->SetMultiSelect(false);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(list->Items().Count(), 4);
}

TEST_F(ListBox, SortingSortsWhatIsThereAndWhatComes)
{
    list->Items().SetObject(1, 42);   // "apple"
    list->SetSorted(true);
    EXPECT_EQ(list->ItemsText(), "apple\r\nfig\r\npear\r\nplum\r\n");
    EXPECT_EQ(list->Items().Objects(0), 42);
    EXPECT_EQ(list->Items().Add("banana"), 1);
    EXPECT_EQ(list->Items().IndexOf("BANANA"), 1);   // letter case ignored
    EXPECT_EQ(list->Items().IndexOf("kiwi"), -1);
    list->SetSorted(false);   // the order stays as it is
    EXPECT_EQ(list->Items()[0], "apple");
    EXPECT_EQ(list->Items().Add("aardvark"), 5);
}

TEST_F(ListBox, TheUsersSelectionRaisesOnClickOnce)
{
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();
    // A click on the second row: the list box reports LBN_SELCHANGE.
    RECT row;
    SendMessageA(list->Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    LPARAM at = MAKELPARAM(row.left + 4, row.top + 2);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    // The program's selection is not the user's: no event.
    list->SetItemIndex(2);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ListBox, ItemsBeforeAParentAreRefusedClearly)
{
    auto* orphan = new TListBox(form.get());
    EXPECT_EQ(orphan->Items().Count(), 0);
    EXPECT_EQ(orphan->ItemIndex(), -1);
    EXPECT_THROW(orphan->Items().Add("x"), Exception);
}

} // namespace
} // namespace tarnivo
