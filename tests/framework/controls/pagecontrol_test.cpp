// TPageControl with TTabSheet: tabs from the sheets, the active page on
// adding, removing, hiding a tab and the user's choice.

#include "framework/collection.h"
#include "framework/controls/pagecontrol.h"

#include "testform.h"

namespace tarnivo {
namespace {

class PageControl : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        pages = new TPageControl(form.get());
        pages->SetBounds(10, 10, 300, 200);
        pages->SetParent(form.get());
    }
    TTabSheet* Sheet(const std::string& caption)
    {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetName(caption);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
        return sheet;
    }
    std::string TabTexts()
    {
        std::string all;
        char text[64];
        int count = static_cast<int>(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(pages->Handle(), TCM_GETITEMA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
            all += std::string(text) + ";";
        }
        return all;
    }
    TPageControl* pages = nullptr;
};

TEST_F(PageControl, TheFirstSheetIsActiveAndOnlyTheActiveOneIsShown)
{
    TTabSheet* a = Sheet("A");
    TTabSheet* b = Sheet("B");
    EXPECT_EQ(TabTexts(), "A;B;");
    EXPECT_EQ(pages->ActivePage(), a);
    EXPECT_TRUE(a->Visible());
    EXPECT_FALSE(b->Visible());
    RECT display = pages->DisplayRect();
    EXPECT_EQ(a->Left(), display.left);
    EXPECT_EQ(a->Width(), display.right - display.left);
    pages->SetActivePage(b);
    EXPECT_FALSE(a->Visible());
    EXPECT_TRUE(IsWindowVisible(b->Handle()) || !IsWindowVisible(form->Handle()));
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
}

TEST_F(PageControl, FreeingTheActivePageShowsTheNextOrThePreviousOne)
{
    TTabSheet* a = Sheet("A");
    TTabSheet* b = Sheet("B");
    TTabSheet* c = Sheet("C");
    pages->SetActivePage(b);
    delete b;
    EXPECT_EQ(pages->ActivePage(), c);
    EXPECT_EQ(TabTexts(), "A;C;");
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    delete c;   // the last one: the one before it
    EXPECT_EQ(pages->ActivePage(), a);
    delete a;
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_EQ(pages->PageCount(), 0);
    EXPECT_EQ(TabTexts(), "");
}

TEST_F(PageControl, AHiddenTabKeepsItsPageButCannotBeActive)
{
    TTabSheet* a = Sheet("A");
    TTabSheet* b = Sheet("B");
    TTabSheet* c = Sheet("C");
    pages->SetActivePage(b);
    b->SetTabVisible(false);
    EXPECT_EQ(TabTexts(), "A;C;");
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), c);
    EXPECT_EQ(b->TabIndex(), -1);
    EXPECT_EQ(c->TabIndex(), 1);
    EXPECT_THROW(pages->SetActivePage(b), EPropertyError);
    // The user's click on the second tab is sheet C, not B.
    pages->SetActivePage(a);
    SendMessageA(pages->Handle(), TCM_SETCURSEL, 1, 0);
    NMHDR change{pages->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(pages->ActivePage(), c);
    EXPECT_EQ(pages->FindNextPage(c, true), a);   // wraps round, skipping B
    EXPECT_EQ(pages->FindNextPage(a, false), c);
}

TEST_F(PageControl, CaptionsAndOrderReachTheTabsAndSurviveANewWindow)
{
    TTabSheet* a = Sheet("A");
    Sheet("B");
    TTabSheet* c = Sheet("C");
    c->SetPageIndex(0);
    a->SetCaption("Alpha");
    EXPECT_EQ(TabTexts(), "C;Alpha;B;");
    pages->SetActivePage(a);
    pages->SetTabPosition(tpBottom);   // a new window
    EXPECT_EQ(TabTexts(), "C;Alpha;B;");
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(a->Parent(), pages);
    EXPECT_TRUE(IsChild(pages->Handle(), a->Handle()));
    pages->SetActivePageIndex(7);
    EXPECT_EQ(pages->ActivePage(), nullptr);
}

TEST_F(PageControl, FreeingThePageControlFirstLeavesTheSheetsUsable)
{
    TTabSheet* a = Sheet("A");
    delete pages;
    pages = nullptr;
    EXPECT_EQ(a->PageControl(), nullptr);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(a->PageIndex(), -1);
}

} // namespace
} // namespace tarnivo
