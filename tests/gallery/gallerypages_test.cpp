// The gallery's control pages and its dialog of raw control classes: every
// control kind the framework has is on a page, and every item the controls
// dialog's template names is a window of that class with its style.

#include "gallery/gallerycontrols.h"
#include "gallery/gallerydialogs.h"

#include "framework/application.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <sstream>

namespace tarnivo::gallery {
namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The control kinds as framework/controls/controls.cmake lists them.
std::vector<std::string> ControlKinds()
{
    std::vector<std::string> kinds;
    std::istringstream list(TARNIVO_CONTROL_KIND_LIST);
    for (std::string kind; std::getline(list, kind, ',');)
        kinds.push_back(kind);
    return kinds;
}

// The class names of every component a form owns, lower case, without the
// leading T: "checkbox", "headercontrol", ...
void CollectKinds(const TComponent& owner, std::set<std::string>& found)
{
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        const TComponent* c = owner.Components(i);
        found.insert(Lower(c->ClassName().substr(1)));
        CollectKinds(*c, found);
    }
}

TEST(GalleryControlPages, EveryFrameworkControlKindIsShown)
{
    Application->Initialize();
    std::set<std::string> found;
    std::vector<std::unique_ptr<TGalleryControlsForm>> pages;
    for (TControlPage page : {TControlPage::Basic, TControlPage::Common}) {
        pages.push_back(std::make_unique<TGalleryControlsForm>(nullptr, page,
                                                               TRect{0, 0, 700, 440}));
        pages.back()->AfterConstruction();
        CollectKinds(*pages.back(), found);
    }
    const std::vector<std::string> kinds = ControlKinds();
    ASSERT_GE(kinds.size(), 20u) << TARNIVO_CONTROL_KIND_LIST;
    for (const std::string& kind : kinds) {
        // A kind's file is named after the start of its class's name
        // (header: THeaderControl).
        const bool shown = std::any_of(found.begin(), found.end(), [&](const std::string& name) {
            return name.rfind(kind, 0) == 0;
        });
        EXPECT_TRUE(shown) << kind << " is on no control page";
    }
    EXPECT_NE(TGalleryControlsForm::ShotName(TControlPage::Basic),
              TGalleryControlsForm::ShotName(TControlPage::Common));
}

// Every control of a page lies inside its parent's client area, so that no
// picture cuts one off.
TEST(GalleryControlPages, ControlsFitTheirParents)
{
    Application->Initialize();
    for (TControlPage page : {TControlPage::Basic, TControlPage::Common}) {
        TGalleryControlsForm form(nullptr, page, TRect{0, 0, 700, 440});
        form.AfterConstruction();
        for (int i = 0; i < form.ComponentCount(); ++i) {
            auto* control = dynamic_cast<TControl*>(form.Components(i));
            if (!control || !control->Parent() || !control->Visible())
                continue;
            // The scroll box and page sheets show their content by scrolling
            // and paging.
            if (control->Parent()->ClassName() == "TScrollBox" ||
                control->Parent()->ClassName() == "TTabSheet")
                continue;
            RECT client{};
            GetClientRect(control->Parent()->Handle(), &client);
            EXPECT_GE(control->Left(), 0) << control->ClassName() << " " << control->Caption();
            EXPECT_GE(control->Top(), 0) << control->ClassName() << " " << control->Caption();
            EXPECT_LE(control->Left() + control->Width(), client.right)
                << control->ClassName() << " " << control->Caption();
            EXPECT_LE(control->Top() + control->Height(), client.bottom)
                << control->ClassName() << " " << control->Caption();
        }
    }
}

class GalleryControlsDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = CreateGalleryControlsDialog(nullptr, 0, 0);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override { DestroyWindow(dialog); }

    std::string ClassOf(WORD id) const
    {
        char name[64] = {};
        GetClassNameA(GetDlgItem(dialog, id), name, sizeof name);
        return Lower(name);
    }
    DWORD StyleOf(WORD id) const
    {
        return static_cast<DWORD>(GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE));
    }

    HWND dialog = nullptr;
};

TEST_F(GalleryControlsDialog, EveryItemIsAWindowOfItsClassAndStyle)
{
    struct Item {
        WORD Id;
        const char* Class;
        DWORD Mask;   // style bits compared
        DWORD Style;
    } items[] = {
        {cdPush, "button", BS_TYPEMASK, BS_PUSHBUTTON},
        {cdDefault, "button", BS_TYPEMASK, BS_DEFPUSHBUTTON},
        {cdDisabled, "button", WS_DISABLED, WS_DISABLED},
        {cdOwnerDraw, "button", BS_TYPEMASK, BS_OWNERDRAW},
        {cdCheck, "button", BS_TYPEMASK, BS_AUTOCHECKBOX},
        {cdThreeState, "button", BS_TYPEMASK, BS_3STATE},
        {cdAutoThreeState, "button", BS_TYPEMASK, BS_AUTO3STATE},
        {cdGroup, "button", BS_TYPEMASK, BS_GROUPBOX},
        {cdRadioOne, "button", BS_TYPEMASK, BS_AUTORADIOBUTTON},
        {cdRadioTwo, "button", BS_TYPEMASK, BS_AUTORADIOBUTTON},
        {cdStatic, "static", 0, 0},
        {cdEdit, "edit", 0, 0},
        {cdDropDown, "combobox", 3, CBS_DROPDOWN},
        {cdSimpleCombo, "combobox", 3, CBS_SIMPLE},
        {cdList, "listbox", WS_VSCROLL, WS_VSCROLL},
        {cdHorzBar, "scrollbar", SBS_VERT | SBS_SIZEGRIP, SBS_HORZ},
        {cdVertBar, "scrollbar", SBS_VERT, SBS_VERT},
        {cdSizeGrip, "scrollbar", SBS_SIZEGRIP, SBS_SIZEGRIP},
        {cdProgress, "msctls_progress32", 0, 0},
        {cdTrack, "msctls_trackbar32", 0, 0},
        {cdUpDown, "msctls_updown32", UDS_AUTOBUDDY, 0},
        {cdBuddy, "edit", ES_NUMBER, ES_NUMBER},
        {cdBuddyUpDown, "msctls_updown32", UDS_AUTOBUDDY, UDS_AUTOBUDDY},
        {cdComboEx, "comboboxex32", 0, 0},
        {cdTabs, "systabcontrol32", 0, 0},
        {cdHeader, "sysheader32", 0, 0},
        {cdListView, "syslistview32", LVS_TYPEMASK, LVS_REPORT},
        {cdTree, "systreeview32", TVS_HASBUTTONS, TVS_HASBUTTONS},
        {cdDate, "sysdatetimepick32", DTS_TIMEFORMAT, 0},
        {cdTime, "sysdatetimepick32", DTS_TIMEFORMAT, DTS_TIMEFORMAT},
        {cdToolBar, "toolbarwindow32", 0, 0},
        {cdStatusBar, "msctls_statusbar32", 0, 0},
    };
    for (const Item& item : items) {
        EXPECT_EQ(ClassOf(item.Id), item.Class) << item.Id;
        EXPECT_EQ(StyleOf(item.Id) & item.Mask, item.Style) << item.Id << " " << item.Class;
        EXPECT_TRUE(StyleOf(item.Id) & WS_VISIBLE) << item.Id;
    }
}

TEST_F(GalleryControlsDialog, ItemsHoldTheStatesAndContentShown)
{
    EXPECT_EQ(IsDlgButtonChecked(dialog, cdCheck), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, cdThreeState), BST_INDETERMINATE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, cdAutoThreeState), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, cdRadioOne), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, cdRadioTwo), BST_UNCHECKED);
    // Enough items to need the scroll bars.
    HWND list = GetDlgItem(dialog, cdList);
    RECT r{};
    GetClientRect(list, &r);
    const LRESULT itemHeight = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(itemHeight, 0);
    EXPECT_GT(SendMessageA(list, LB_GETCOUNT, 0, 0) * itemHeight, r.bottom);
    HWND view = GetDlgItem(dialog, cdListView);
    EXPECT_GT(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0),
              SendMessageA(view, LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, cdHeader), HDM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, cdTabs), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_GT(SendMessageA(GetDlgItem(dialog, cdTree), TVM_GETCOUNT, 0, 0), 3);
    EXPECT_GT(SendMessageA(GetDlgItem(dialog, cdToolBar), TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, cdComboEx), CB_GETCOUNT, 0, 0), 3);
    // Part filled, within its range.
    const LRESULT pos = SendMessageA(GetDlgItem(dialog, cdProgress), PBM_GETPOS, 0, 0);
    EXPECT_GT(pos, 0);
    EXPECT_LT(pos, 100);
    // The attached up-down writes its position into its buddy.
    char text[16] = {};
    GetDlgItemTextA(dialog, cdBuddy, text, sizeof text);
    EXPECT_STREQ(text, "42");
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(GetDlgItem(dialog, cdBuddyUpDown), UDM_GETBUDDY,
                                                  0, 0)),
              GetDlgItem(dialog, cdBuddy));
    // Shown, it stays shown: nothing it does at start closes it.
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    MSG msg;
    for (int n = 0; n < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n)
        DispatchMessageA(&msg);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A template's items after one named by a class string stay aligned: the
// dialog manager reads each of them back with its id and text.
TEST(GalleryDialogTemplate, ItemsAfterClassNamesOfEveryLengthStayAligned)
{
    for (std::wstring_view cls : {L"edit", L"static", L"button", L"listbox"}) {
        TDialogTemplate t(WS_POPUP, 100, 60, L"T");
        for (WORD id = 1; id <= 5; ++id) {
            const std::wstring text(id, L'x');
            if (id % 2 == 1)
                t.Item(cls, 0, 0, 10 * id, 40, 8, id, text);
            else
                t.Item(kStaticAtom, 0, 0, 10 * id, 40, 8, id, text);
        }
        EXPECT_EQ(t.Count(), 5);
        HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Get(), nullptr,
                                                 IgnoreAll, 0);
        ASSERT_NE(dialog, nullptr);
        for (WORD id = 1; id <= 5; ++id) {
            char text[16] = {};
            GetDlgItemTextA(dialog, id, text, sizeof text);
            EXPECT_EQ(std::string(text), std::string(id, 'x')) << id;
        }
        DestroyWindow(dialog);
    }
}

} // namespace
} // namespace tarnivo::gallery
