// The list view: items live in the window and are read back from it.

#include "framework/collection.h"
#include "framework/controls/listview.h"
#include "framework/imagelist.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;
using test::MessageLog;
using test::Pump;

class ListView : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        list = new TListView(form.get());
        list->SetName("ListView2");
        list->SetBounds(8, 56, 440, 150);
        list->SetParent(form.get());
    }

    // Item text as another program would read it: straight from the window.
    std::string RawCaption(int index)
    {
        char text[128] = {};
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(list->Handle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    LPARAM Center(int index)
    {
        RECT r{};
        r.left = LVIR_ICON;
        SendMessageA(list->Handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    TListView* list = nullptr;
};

TEST_F(ListView, ItemsAreReadBackFromTheWindow)
{
    int first = 1, second = 2;
    EXPECT_EQ(list->Items().Add("Calculator", 3, &first), 0);
    EXPECT_EQ(list->Items().Add("Notepad", 7, &second), 1);
    EXPECT_EQ(list->Items().Add("", -1), 2);

    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(list->Items().Count(), 3);
    EXPECT_EQ(RawCaption(1), "Notepad");
    EXPECT_EQ(list->Items()[0].Caption(), "Calculator");
    EXPECT_EQ(list->Items()[0].ImageIndex(), 3);
    EXPECT_EQ(list->Items()[1].ImageIndex(), 7);
    EXPECT_EQ(list->Items()[0].Data(), &first);
    EXPECT_EQ(list->Items()[1].Data(), &second);
    EXPECT_EQ(list->Items()[2].Caption(), "");
    EXPECT_EQ(list->Items()[2].Data(), nullptr);

    // A change made behind the framework's back is what it reads.
    LVITEMA item{};
    item.pszText = const_cast<char*>("Paint");
    SendMessageA(list->Handle(), LVM_SETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(list->Items()[1].Caption(), "Paint");

    list->Items()[1].SetCaption("Wordpad");
    list->Items()[1].SetImageIndex(9);
    EXPECT_EQ(RawCaption(1), "Wordpad");
    EXPECT_EQ(list->Items()[1].ImageIndex(), 9);

    list->Items().Delete(0);
    EXPECT_EQ(list->Items()[0].Caption(), "Wordpad");
    list->Items().Clear();
    EXPECT_EQ(list->Items().Count(), 0);
}

TEST_F(ListView, CaptionsLongerThanTheFirstBufferComeBackWhole)
{
    for (std::size_t length : {254u, 255u, 256u, 257u, 1000u}) {
        std::string caption(length, 'x');
        caption.back() = 'y';
        int index = list->Items().Add(caption);
        EXPECT_EQ(list->Items()[index].Caption(), caption) << length;
    }
}

TEST_F(ListView, IndexOutsideTheListOrNoParentIsRefused)
{
    list->Items().Add("only");
    EXPECT_THROW(list->Items()[1].Caption(), EListError);
    EXPECT_THROW(list->Items()[-1].ImageIndex(), EListError);
    EXPECT_THROW(list->Items().Delete(1), EListError);
    EXPECT_THROW(list->SetSelected(1), EListError);
    EXPECT_EQ(list->Items().Count(), 1);

    TListView orphan(nullptr);   // a child window needs a parent
    EXPECT_EQ(orphan.Items().Count(), 0);
    EXPECT_THROW(orphan.Items().Add("x"), Exception);
}

TEST_F(ListView, SelectionAndFocus)
{
    for (const char* name : {"Excel", "Explorer", "Paint"})
        list->Items().Add(name);
    EXPECT_EQ(list->Selected(), -1);
    EXPECT_EQ(list->ItemFocused(), -1);

    list->SetSelected(0);
    list->SetItemFocused(0);
    EXPECT_EQ(list->Selected(), 0);
    EXPECT_EQ(list->ItemFocused(), 0);

    // One selected item at a time; the focus rectangle moves, not copies.
    list->SetSelected(2);
    list->SetItemFocused(2);
    EXPECT_EQ(list->Selected(), 2);
    EXPECT_FALSE(list->Items()[0].Selected());
    EXPECT_FALSE(list->Items()[0].Focused());
    EXPECT_TRUE(list->Items()[2].Focused());
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 1);

    list->SetSelected(-1);
    list->SetItemFocused(-1);
    EXPECT_EQ(list->Selected(), -1);
    EXPECT_EQ(list->ItemFocused(), -1);
}

TEST_F(ListView, DoubleClickOnAnItemSelectsItAndRaisesOnDblClickOnce)
{
    auto* icons = new TImageList(form.get());   // the icon cell is what the click hits
    icons->SetSize(32, 32);
    list->SetLargeImages(icons);
    list->SetReadOnly(true);
    for (const char* name : {"Excel", "Explorer"})
        list->Items().Add(name);
    int doubleClicks = 0;
    int selectedThen = -2;
    list->OnDblClick = [&](TObject* sender) {
        EXPECT_EQ(sender, list);
        ++doubleClicks;
        selectedThen = list->Selected();
    };
    ShowForm();
    MessageLog log(*list);
    HWND window = list->Handle();
    LPARAM at = Center(1);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(window, WM_LBUTTONUP, 0, at);
    Pump();

    EXPECT_EQ(log.Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_GE(log.Count(CN_NOTIFY), 1);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(selectedThen, 1);
}

TEST_F(ListView, ItemsSurviveARecreatedWindow)
{
    int data = 5;
    list->Items().Add("Calculator", 2, &data);
    list->Items().Add("Notepad", 4);
    list->SetSelected(1);
    HWND before = list->Handle();

    // Changing the form's border recreates its window and its controls'.
    form->SetBorderStyle(bsDialog);
    HWND after = list->Handle();
    ASSERT_NE(before, after);
    EXPECT_FALSE(IsWindow(before));
    ASSERT_EQ(list->Items().Count(), 2);
    EXPECT_EQ(list->Items()[0].Caption(), "Calculator");
    EXPECT_EQ(list->Items()[0].ImageIndex(), 2);
    EXPECT_EQ(list->Items()[0].Data(), &data);
    EXPECT_EQ(list->Items()[1].Caption(), "Notepad");
    EXPECT_EQ(list->Selected(), 1);
}

TEST_F(ListView, RemadeImageListIsHandedToTheWindowBeforeItPaints)
{
    TImageList images(nullptr);
    list->SetLargeImages(&images);
    HWND window = list->Handle();
    HIMAGELIST first = images.Handle();
    EXPECT_EQ(SendMessageA(window, LVM_GETIMAGELIST, LVSIL_NORMAL, 0),
              reinterpret_cast<LRESULT>(first));

    images.SetSize(32, 32);   // the image list makes a new system list
    ShowForm();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(SendMessageA(window, LVM_GETIMAGELIST, LVSIL_NORMAL, 0),
              reinterpret_cast<LRESULT>(images.Handle()));
    list->SetLargeImages(nullptr);
}

} // namespace
} // namespace tarnivo
