// TTabControl: tabs in the window, TabIndex at its edges, OnChanging
// refusing a change, positions that make a new window.

#include "framework/collection.h"
#include "framework/controls/tabcontrol.h"

#include "testform.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

class TabControl : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        tabs = new TTabControl(form.get());
        tabs->SetBounds(10, 10, 300, 200);
        tabs->SetParent(form.get());
        tabs->SetTabsText("One\r\nTwo\r\nThree\r\n");
        tabs->OnChange = [this](TObject*) { ++changes; };
    }
    // A click on a tab, as the user makes it.
    void ClickTab(int index)
    {
        RECT r = tabs->TabRect(index);
        LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMessageA(tabs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tabs->Handle(), WM_LBUTTONUP, 0, at);
    }
    TTabControl* tabs = nullptr;
    int changes = 0;
};

TEST_F(TabControl, TabIndexOutsideTheTabsSelectsNone)
{
    EXPECT_EQ(tabs->TabIndex(), 0);
    tabs->SetTabIndex(2);
    EXPECT_EQ(tabs->TabIndex(), 2);
    tabs->SetTabIndex(3);
    EXPECT_EQ(tabs->TabIndex(), -1);
    tabs->SetTabIndex(-4);
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_EQ(changes, 0);   // the program's changes raise nothing
    EXPECT_THROW(tabs->Tabs().Strings(3), EListError);
}

TEST_F(TabControl, TheUsersClickChangesTheTabUnlessOnChangingRefuses)
{
    ShowForm();
    ClickTab(1);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(changes, 1);
    tabs->OnChanging = [](TObject*, bool& allow) { allow = false; };
    ClickTab(2);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(tabs->IndexOfTabAt(-5, -5), -1);
}

TEST_F(TabControl, TabsAtTheSideAreMultiLineAndOutliveTheNewWindow)
{
    tabs->SetTabIndex(2);
    RECT top = tabs->DisplayRect();
    tabs->SetTabPosition(tpLeft);
    DWORD style = static_cast<DWORD>(GetWindowLongA(tabs->Handle(), GWL_STYLE));
    EXPECT_TRUE(style & TCS_VERTICAL);
    EXPECT_TRUE(style & TCS_MULTILINE);
    EXPECT_EQ(tabs->Tabs().Text(), "One\r\nTwo\r\nThree\r\n");
    EXPECT_EQ(tabs->TabIndex(), 2);
    RECT left = tabs->DisplayRect();
    EXPECT_GT(left.left, top.left);   // the tabs take room on the left now
    tabs->SetTabPosition(tpBottom);
    RECT bottom = tabs->DisplayRect();
    EXPECT_LT(bottom.top, top.top);
    EXPECT_TRUE(GetWindowLongA(tabs->Handle(), GWL_STYLE) & TCS_BOTTOM);
    tabs->SetStyle(tsFlatButtons);
    style = static_cast<DWORD>(GetWindowLongA(tabs->Handle(), GWL_STYLE));
    EXPECT_EQ(style & (TCS_BUTTONS | TCS_FLATBUTTONS), static_cast<DWORD>(TCS_BUTTONS | TCS_FLATBUTTONS));
}

} // namespace
} // namespace tarnivo
