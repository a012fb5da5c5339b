// Menus: the Windows menus built from the item tree, commands, image items
// measured and drawn through the owner-draw callback, popup menus.

#include "framework/imagelist.h"
#include "framework/menus.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;
using test::Pump;

std::string EntryText(HMENU menu, int position)
{
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return text;
}

class Menus : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        images = new TImageList(form.get());
        menu = new TMainMenu(form.get());
        file = Item("File");
        refresh = Item("Refresh", 3);
        line = Item("-");
        exit = Item("Exit", 4);
        help = Item("Help");
        for (TMenuItem* i : {refresh, line, exit})
            file->Add(i);
        menu->Items()->Add(file);
        menu->Items()->Add(help);
        menu->SetImages(images);
    }
    TMenuItem* Item(const char* caption, int image = -1)
    {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(caption);
        item->SetImageIndex(image);
        return item;
    }
    TImageList* images = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem *file, *refresh, *line, *exit, *help;
};

TEST_F(Menus, TreeBecomesWindowsMenus)
{
    HMENU bar = menu->Handle();
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(EntryText(bar, 0), "File");
    HMENU popup = GetSubMenu(bar, 0);
    EXPECT_EQ(popup, file->Handle());
    EXPECT_EQ(GetSubMenu(bar, 1), nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(EntryText(popup, 2), "Exit");
    EXPECT_EQ(GetMenuItemID(popup, 0), refresh->Command());
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
    EXPECT_NE(refresh->Command(), exit->Command());
    EXPECT_GE(refresh->Command(), 0x100u);   // never a dialog's IDOK or IDCANCEL

    // Changes reach the built menus in place.
    exit->SetEnabled(false);
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED);
    line->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(EntryText(popup, 1), "Exit");
    auto* about = Item("About", 1);
    help->Add(about);   // Help turns into a sub-menu
    EXPECT_EQ(GetSubMenu(bar, 1), help->Handle());
    delete about;
    EXPECT_EQ(GetMenuItemCount(help->Handle()), 0);
}

TEST_F(Menus, CommandFromTheWindowRunsTheItemsOnClick)
{
    form->SetMenu(menu);
    int refreshes = 0, exits = 0;
    refresh->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, refresh);
        ++refreshes;
    };
    exit->OnClick = [&](TObject*) { ++exits; };
    HWND window = form->Handle();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(refresh->Command(), 0), 0);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(exits, 0);

    exit->SetEnabled(false);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(exit->Command(), 0), 0);
    EXPECT_EQ(exits, 0);
}

TEST_F(Menus, ImageItemsAreMeasuredAtTheImageListSize)
{
    auto* top = Item("Tools", 0);   // an image item in the bar itself
    menu->Items()->Add(top);
    std::vector<MEASUREITEMSTRUCT> measured;
    TWindowProcHook hook;
    hook = TWindowProcHook(*form, [&](TMessage& m) {
        hook.CallNext(m);
        if (m.Msg == WM_MEASUREITEM)
            measured.push_back(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam));
    });
    form->SetMenu(menu);
    ShowForm();
    RECT r;
    GetMenuItemRect(form->Handle(), menu->Handle(), 2, &r);   // lays the bar out
    hook.Remove();

    bool found = false;
    for (const MEASUREITEMSTRUCT& m : measured) {
        EXPECT_EQ(m.CtlType, static_cast<UINT>(ODT_MENU));
        if (m.itemData == top->Command()) {
            found = true;
            EXPECT_EQ(m.itemWidth, 16u);
            EXPECT_EQ(m.itemHeight, 16u);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(Menus, MeasureIgnoresEntriesThatAreNotImageItemsOfThisMenu)
{
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    for (ULONG_PTR data : {ULONG_PTR{file->Command()}, ULONG_PTR{0xDEADBEEF}}) {
        m.itemData = data;
        EXPECT_FALSE(menu->MeasureItem(m)) << data;
    }
    m.itemData = exit->Command();
    images->SetSize(24, 20);
    EXPECT_TRUE(menu->MeasureItem(m));
    EXPECT_EQ(m.itemWidth, 24u);
    EXPECT_EQ(m.itemHeight, 20u);
}

TEST_F(Menus, MenuLeavesTheWindowWhenFreedFirst)
{
    form->SetMenu(menu);
    HWND window = form->Handle();
    ASSERT_EQ(GetMenu(window), menu->Handle());
    delete menu;
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(form->Menu(), nullptr);
    // The items outlive their menu.
    EXPECT_EQ(refresh->Menu(), nullptr);
    EXPECT_EQ(GetMenuItemCount(file->Handle()), 3);
}

TEST_F(Menus, MenuSurvivesARecreatedFormWindow)
{
    form->SetMenu(menu);
    HWND before = form->Handle();
    HMENU bar = menu->Handle();
    form->SetBorderStyle(bsSingle);   // destroys the window
    HWND after = form->Handle();
    ASSERT_NE(before, after);
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_TRUE(IsMenu(file->Handle()));
    EXPECT_EQ(GetMenu(after), bar);
    EXPECT_EQ(GetMenuItemCount(bar), 2);
}

// Popup menus run their own modal loop; these timers act inside it.
HMENU OpenMenu = nullptr;
int PopupItemHeight[2] = {};

void CALLBACK MeasureAndChooseSecond(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    for (int i = 0; i < 2; ++i) {
        RECT r{};
        GetMenuItemRect(nullptr, OpenMenu, static_cast<UINT>(i), &r);
        PopupItemHeight[i] = r.bottom - r.top;
    }
    HWND popup = FindWindowA("#32768", nullptr);
    PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(Menus, PopupMeasuresImagesAndRunsTheChosenItem)
{
    TPopupMenu popup(nullptr);
    TImageList tall(nullptr);
    tall.SetSize(16, 48);
    popup.SetImages(&tall);
    TMenuItem restore(nullptr), quit(nullptr);
    restore.SetCaption("Restore");
    quit.SetCaption("Quit");
    quit.SetImageIndex(0);
    popup.Items()->Add(&restore);
    popup.Items()->Add(&quit);
    int popups = 0, quits = 0;
    popup.OnPopup = [&](TObject*) { ++popups; };
    quit.OnClick = [&](TObject*) { ++quits; };

    OpenMenu = popup.Handle();
    UINT_PTR safety = SetTimer(nullptr, 0, 5000, CloseMenu);
    SetTimer(nullptr, 0, 200, MeasureAndChooseSecond);
    popup.Popup(100, 100);
    KillTimer(nullptr, safety);

    EXPECT_EQ(popups, 1);
    EXPECT_EQ(quits, 1);
    EXPECT_GE(PopupItemHeight[1], 48);   // the image's height, from WM_MEASUREITEM
    EXPECT_LT(PopupItemHeight[0], 48);
    Pump();
}

} // namespace
} // namespace tarnivo
