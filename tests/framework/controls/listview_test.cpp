// The list view: items live in the window and are read back from it.

#include "framework/collection.h"
#include "framework/controls/listview.h"
#include "framework/imagelist.h"

#include "testform.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

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

    // The same through the wide message: the caption as the window holds it.
    std::wstring RawWideCaption(int index)
    {
        wchar_t text[128] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(list->Handle(), LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
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

// ------------------------------------------------------------- owner data

class OwnerDataList : public ListView {
protected:
    void SetUp() override
    {
        ListView::SetUp();
        icons = new TImageList(form.get());
        icons->SetSize(32, 32);
        list->SetLargeImages(icons);
        list->SetOwnerData(true);
        list->OnData = [this](TObject*, TListItemRequest& item) {
            requested.push_back(item.Index);
            item.Caption = "Item " + std::to_string(item.Index);
            item.ImageIndex = item.Index % 5;
        };
    }

    bool InView(int index)
    {
        RECT item{}, client{};
        item.left = LVIR_BOUNDS;
        SendMessageA(list->Handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        GetClientRect(list->Handle(), &client);
        return item.top >= client.top && item.bottom <= client.bottom;
    }
    int ScrollRange()
    {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        if (!GetScrollInfo(list->Handle(), SB_VERT, &info))
            return 0;
        return info.nMax + 1 - static_cast<int>(info.nPage);
    }

    TImageList* icons = nullptr;
    std::vector<int> requested;
};

TEST_F(OwnerDataList, ACountWhoseCaptionsAndImagesAreAskedForWhenDrawn)
{
    HWND window = list->Handle();
    list->Items().SetCount(1000);
    EXPECT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 1000);
    EXPECT_TRUE(requested.empty());   // nothing drawn, nothing asked

    ShowForm();
    requested.clear();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int visible = 0;
    while (visible < 1000 && InView(visible))
        ++visible;
    ASSERT_GT(visible, 0);
    ASSERT_FALSE(requested.empty());
    // Only what is on screen (a partly visible row too) is asked for.
    for (int index : requested)
        EXPECT_LT(index, visible + 10) << "item " << index << " is not on screen";

    // Read as another program reads them, and through the framework.
    EXPECT_EQ(RawCaption(999), "Item 999");
    EXPECT_EQ(list->Items()[7].ImageIndex(), 2);
    EXPECT_THROW(list->Items()[1000].Caption(), EListError);
    // The list keeps no items of its own, and only it takes a count.
    EXPECT_THROW(list->Items().Add("x"), EListError);
    EXPECT_THROW(list->Items()[0].SetCaption("x"), EListError);
    EXPECT_THROW(list->Items().SetCount(-1), EListError);
    list->SetOwnerData(false);
    EXPECT_EQ(list->Items().Count(), 0);
    EXPECT_THROW(list->Items().SetCount(3), EListError);
}

TEST_F(OwnerDataList, SelectionFocusAndViewFollowTheCount)
{
    list->Items().SetCount(200);
    ShowForm();
    list->SetItemFocused(150);
    list->SetSelected(150);
    list->Items()[150].MakeVisible();
    EXPECT_TRUE(InView(150));
    EXPECT_FALSE(InView(0));

    // Fewer items: the marks past the end go; the view stays until told.
    list->Items().SetCount(20);
    EXPECT_EQ(list->Selected(), -1);
    EXPECT_EQ(list->ItemFocused(), -1);
    list->SetItemFocused(0);
    list->SetSelected(0);
    list->Items()[0].MakeVisible();
    EXPECT_TRUE(InView(0));
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 1);
    // More items: the marks stay; a new window keeps count and marks.
    list->Items().SetCount(500);
    HWND before = list->Handle();
    form->SetBorderStyle(bsDialog);
    ASSERT_NE(list->Handle(), before);
    EXPECT_EQ(list->Items().Count(), 500);
    EXPECT_EQ(list->Selected(), 0);
    EXPECT_EQ(list->ItemFocused(), 0);
    EXPECT_EQ(RawCaption(499), "Item 499");
}

TEST_F(OwnerDataList, ScrollBarFollowsTheCountAndAnUpdateLeavesOnePaint)
{
    ShowForm();
    HWND window = list->Handle();
    TListItems& items = list->Items();
    items.SetCount(10);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
    const int few = ScrollRange();
    // Growing and shrinking: the bar covers the items (7 a row here, rows
    // more than 60 pixels high).
    items.SetCount(600);
    EXPECT_GT(ScrollRange(), few + 60 * (600 / 7 - 2));
    items.SetCount(10);
    EXPECT_EQ(ScrollRange(), few);

    {
        TListUpdate outer(items);
        TListUpdate inner(items);
        items.SetCount(600);
    }
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE));
    EXPECT_GT(ScrollRange(), few + 60 * (600 / 7 - 2));

    // An update left by an exception still ends; a hidden list stays hidden.
    try {
        TListUpdate update(items);
        list->SetSelected(600);   // past the end
    } catch (const EListError&) {
    }
    EXPECT_TRUE(IsWindowVisible(window));
    list->Hide();
    items.SetCount(3);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(OwnerDataList, TypeAheadAndSearchesAreTheOwners)
{
    list->Items().SetCount(50);
    ShowForm();
    list->SetFocus();
    list->SetItemFocused(0);
    list->SetSelected(0);
    // No handler: nothing is found, the selection stays.
    SendMessageA(list->Handle(), WM_CHAR, 'i', 1);
    EXPECT_EQ(list->Selected(), 0);

    std::vector<TListFind> asked;
    int answer = 7;
    list->OnDataFind = [&](TObject*, const TListFind& find) {
        asked.push_back(find);
        return answer;
    };
    Sleep(1100);   // past the type-ahead's pause: a new search
    SendMessageA(list->Handle(), WM_CHAR, 'x', 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, "x");
    EXPECT_TRUE(asked[0].Partial);
    EXPECT_EQ(list->Selected(), 7);

    // An answer past the end counts as none.
    LVFINDINFOA byCaption{};
    byCaption.flags = LVFI_STRING;
    byCaption.psz = "Item 3";
    answer = 50;
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_FINDITEMA, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&byCaption)), -1);
    EXPECT_EQ(asked.back().Text, "Item 3");
}

} // namespace
} // namespace tarnivo

namespace tarnivo {
namespace {

// Captions in other scripts reach the window as themselves and come back
// as the same UTF-8, for items the window keeps and for owner data alike.
TEST_F(ListView, CaptionsInAnyScriptGoInAndComeBackExactly)
{
    const struct {
        const char* utf8;
        std::wstring wide;
    } names[] = {
        {"\xCE\x96\xCF\x89\xCE\xAE Xylo", L"\u0396\u03C9\u03AE Xylo"},
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\xA1\xE3\x83\xA2",
         L"\u65E5\u672C\u8A9E\u30E1\u30E2"},
        {"Caf\xC3\xA9 Noir", L"Caf\u00E9 Noir"},
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
    };
    for (const auto& name : names)
        list->Items().Add(name.utf8);
    for (int i = 0; i < static_cast<int>(std::size(names)); ++i) {
        SCOPED_TRACE(names[i].utf8);
        EXPECT_EQ(RawWideCaption(i), names[i].wide);
        EXPECT_EQ(list->Items()[i].Caption(), names[i].utf8);
    }
    list->Items()[0].SetCaption("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
    EXPECT_EQ(RawWideCaption(0), L"\u041F\u0440\u0438\u0432\u0435\u0442");

    // Owner data: the wide notification the control sends our (Unicode)
    // parent carries the caption as itself.
    list->Items().Clear();
    list->SetOwnerData(true);
    list->OnData = [&](TObject*, TListItemRequest& item) {
        item.Caption = names[item.Index % 4].utf8;
    };
    list->Items().SetCount(4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(RawWideCaption(i), names[i].wide);
}

} // namespace
} // namespace tarnivo
