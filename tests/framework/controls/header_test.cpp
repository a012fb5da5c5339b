// THeaderControl: sections in the window, their events.

#include "framework/collection.h"
#include "framework/controls/header.h"

#include "testform.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

class Header : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        header = new THeaderControl(form.get());
        header->SetBounds(0, 0, 400, 20);
        header->SetParent(form.get());
        header->Sections().Add("Name", 150);
        header->Sections().Add("Size", 80, taRightJustify);
        header->Sections().Add("Kind", 100, taCenter);
    }
    THeaderControl* header = nullptr;
};

TEST_F(Header, SectionsFollowEachOtherAndAnswerFromTheWindow)
{
    const THeaderSections& s = header->Sections();
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s[1].Left(), 150);
    EXPECT_EQ(s[1].Right(), 230);
    EXPECT_EQ(s[2].Alignment(), taCenter);
    EXPECT_EQ(s[1].Alignment(), taRightJustify);
    header->Sections()[0].SetWidth(-20);   // no negative widths
    EXPECT_EQ(s[0].Width(), 0);
    EXPECT_EQ(s[1].Left(), 0);
    header->Sections()[2].SetText("Type");
    header->Sections().Delete(1);
    EXPECT_EQ(s[1].Text(), "Type");
    EXPECT_THROW(s[2], EListError);
    EXPECT_THROW(header->Sections().Delete(-1), EListError);
}

TEST_F(Header, ClicksAndWidthChangesReachTheEvents)
{
    std::vector<int> clicked, resized;
    header->OnSectionClick = [&](THeaderControl*, int i) { clicked.push_back(i); };
    header->OnSectionResize = [&](THeaderControl*, int i) { resized.push_back(i); };
    ShowForm();
    // A click in the middle of the second section.
    LPARAM at = MAKELPARAM(190, 10);
    SendMessageA(header->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicked, std::vector<int>{1});
    header->Sections()[2].SetWidth(40);
    EXPECT_EQ(resized, std::vector<int>{2});
    header->SetStyle(hsFlat);   // a flat header's sections are no buttons
    SendMessageA(header->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicked.size(), 1u);
}

} // namespace
} // namespace tarnivo
