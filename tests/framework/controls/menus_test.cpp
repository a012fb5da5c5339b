// Menus: the Windows menus built from the item tree, commands, image items
// measured and drawn through the owner-draw callback, popup menus, and
// owner-drawn entries of main menus, drop-downs, sub-menus and popup menus.

#include "framework/bitmap.h"
#include "framework/imagelist.h"
#include "framework/menus.h"
#include "tests/framework/graphics/bitmappixels.h"

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
    EXPECT_EQ(menu->FindItemByHandle(popup), file);
    EXPECT_EQ(menu->FindItemByHandle(bar), nullptr);   // the top level is the menu's own
    EXPECT_EQ(menu->FindItemByHandle(nullptr), nullptr);
    EXPECT_EQ(TMenuItem::FromCommand(exit->Command()), exit);

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

// ------------------------------------------------------------ owner-drawn

MENUITEMINFOA EntryInfo(HMENU menu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_DATA | MIIM_SUBMENU;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}

// Every entry of a menu and its sub-menus.
void ForEachEntry(HMENU menu, const std::function<void(HMENU, int)>& visit)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        visit(menu, i);
        if (HMENU sub = GetSubMenu(menu, i))
            ForEachEntry(sub, visit);
    }
}

TEST_F(Menus, OwnerDrawSwitchesEveryEntryAtEveryLevelAndBack)
{
    auto* recent = Item("Recent");
    auto* one = Item("One", 2);
    recent->Add(one);
    file->Add(recent);   // a third level
    HMENU bar = menu->Handle();
    int entries = 0;
    ForEachEntry(bar, [&](HMENU, int) { ++entries; });
    ASSERT_EQ(entries, 7);

    menu->SetOwnerDraw(true);
    ForEachEntry(bar, [&](HMENU m, int i) {
        MENUITEMINFOA info = EntryInfo(m, i);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << EntryText(m, i);
        EXPECT_EQ(info.hbmpItem, nullptr) << EntryText(m, i);   // the item draws its image
    });
    EXPECT_TRUE(EntryInfo(file->Handle(), 1).fType & MFT_SEPARATOR);   // still a line
    EXPECT_EQ(EntryText(file->Handle(), 2), "Exit");   // others still read the caption
    auto* later = Item("Later");
    help->Add(later);   // added while on
    EXPECT_TRUE(EntryInfo(help->Handle(), 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(std::get<bool>(GetPropValue(*menu, "OwnerDraw")), true);

    SetPropValue(*menu, "OwnerDraw", TPropValue{false});
    ForEachEntry(bar, [&](HMENU m, int i) {
        MENUITEMINFOA info = EntryInfo(m, i);
        EXPECT_FALSE(info.fType & MFT_OWNERDRAW) << EntryText(m, i);
        TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(info.dwItemData));
        ASSERT_NE(item, nullptr);
        bool image = item->ImageIndex() >= 0 && !item->IsLine();
        EXPECT_EQ(info.hbmpItem == HBMMENU_CALLBACK, image) << EntryText(m, i);
    });
}

TEST_F(Menus, OnlyOwnerDrawnEntriesAndImagesOfFrameworkMenusAreHandled)
{
    menu->SetOwnerDraw(true);
    auto* loose = Item("Not in a menu");
    TPopupMenu other(nullptr);   // not owner-drawn, no images
    auto* plain = Item("Plain");
    other.Items()->Add(plain);
    struct Case {
        UINT type;
        ULONG_PTR data;
        bool handled;
    };
    for (Case c : {Case{ODT_MENU, refresh->Command(), true}, Case{ODT_MENU, line->Command(), true},
                   Case{ODT_MENU, file->Command(), true}, Case{ODT_BUTTON, refresh->Command(), false},
                   Case{ODT_MENU, 0, false}, Case{ODT_MENU, 0xDEADBEEF, false},
                   Case{ODT_MENU, loose->Command(), false}, Case{ODT_MENU, plain->Command(), false},
                   Case{ODT_MENU, menu->Items()->Command(), false}}) {
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = c.type;
        measure.itemID = static_cast<UINT>(c.data);
        measure.itemData = c.data;
        TMessage m{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), 0};
        EXPECT_EQ(HandleMenuItemMessage(m), c.handled) << c.data;
        EXPECT_EQ(m.Result, c.handled ? TRUE : 0) << c.data;
        if (c.handled) {
            EXPECT_GT(measure.itemHeight, 0u);
        }
    }
    TMessage none{WM_COMMAND, 0, 0, 0};
    EXPECT_FALSE(HandleMenuItemMessage(none));
}

TEST_F(Menus, DefaultLookOfOwnerDrawnEntries)
{
    menu->SetOwnerDraw(true);
    TBitmap red;
    test::FillBitmap(red, 16, 16, clRed);
    images->Add(red, nullptr);   // image 0
    auto* checked = Item("Checked");
    checked->SetChecked(true);
    auto* withImage = Item("Image", 0);
    auto* disabled = Item("Disabled");
    disabled->SetEnabled(false);
    for (TMenuItem* i : {checked, withImage, disabled})
        file->Add(i);

    TBitmap target;
    target.Canvas().Font().AssignLogFont([] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return metrics.lfMenuFont;
    }());
    const int w = 160, h = 24;
    auto draw = [&](TMenuItem* item, bool selected) {
        test::FillBitmap(target, w, h, clFuchsia);
        item->DefaultDrawItem(target.Canvas(), Rect(0, 0, w, h), selected);
    };
    // Pixels in a column range that are neither of the two colours.
    auto others = [&](int x0, int x1, TColor a, TColor b) {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = x0; x < x1; ++x) {
                TColor c = test::PixelOf(target, x, y);
                n += c != a && c != b;
            }
        return n;
    };
    TColor menuBack = static_cast<TColor>(ColorToRGB(clMenu));
    TColor highlight = static_cast<TColor>(ColorToRGB(clHighlight));
    int column = GetSystemMetrics(SM_CXMENUCHECK);

    draw(refresh, false);   // image 3 is not in a list of one: text only
    EXPECT_EQ(test::PixelOf(target, 0, 0), menuBack);
    EXPECT_EQ(test::PixelOf(target, w - 1, h - 1), menuBack);
    EXPECT_EQ(others(0, column, menuBack, menuBack), 0);
    EXPECT_GT(others(column, w, menuBack, menuBack), 10);
    draw(refresh, true);
    EXPECT_EQ(test::PixelOf(target, 0, 0), highlight);
    EXPECT_GT(others(column, w, highlight, highlight), 10);

    draw(withImage, false);
    EXPECT_EQ(test::PixelOf(target, 4 + column / 2, h / 2), clRed);
    draw(checked, false);
    EXPECT_GT(others(0, column + 8, menuBack, menuBack), 4);   // the check mark
    draw(disabled, false);
    TColor gray = static_cast<TColor>(ColorToRGB(clGrayText));
    int grayText = 0;
    for (int y = 0; y < h; ++y)
        for (int x = column; x < w; ++x)
            grayText += test::PixelOf(target, x, y) == gray;
    EXPECT_GT(grayText, 0);

    draw(line, false);   // an etched line across the middle, nothing else
    EXPECT_NE(test::PixelOf(target, w / 2, h / 2 - 1), menuBack);
    EXPECT_EQ(test::PixelOf(target, w / 2, 1), menuBack);
    EXPECT_EQ(test::PixelOf(target, w / 2, h - 2), menuBack);

    // Measures: a line is lower than text, an image taller than the text
    // sets the height, a bar entry has no check column.
    auto measure = [&](TMenuItem* item) {
        int mw = 0, mh = 0;
        item->DefaultMeasureItem(target.Canvas(), mw, mh);
        return std::pair{mw, mh};
    };
    EXPECT_LT(measure(line).second, measure(checked).second);
    images->SetSize(16, 40);
    EXPECT_GE(measure(withImage).second, 40);
    EXPECT_LT(measure(checked).second, 40);
    auto* bar = Item("Checked");   // same caption as the drop-down's entry
    menu->Items()->Add(bar);
    EXPECT_LT(measure(bar).first, measure(checked).first);
}

// What the owner-draw events saw.
struct DrawRecord {
    std::string caption;
    bool selected;
    RECT rect;
};
std::vector<std::string> Measured;
std::vector<DrawRecord> Drawn;

void Record(TMenuItem* item)
{
    item->OnMeasureItem = [](TObject* sender, TCanvas& canvas, int& width, int& height) {
        auto* i = static_cast<TMenuItem*>(sender);
        Measured.push_back(i->Caption());
        EXPECT_EQ(width > 0, !i->IsLine());   // the framework's measure comes in
        EXPECT_NE(canvas.Handle(), nullptr);
        if (i->Caption() == "Tall")
            height = 40;
    };
    // Fills the entry: lime when selected, blue otherwise, red for a line.
    item->OnDrawItem = [](TObject* sender, TCanvas& canvas, const TRect& rect, bool selected) {
        auto* i = static_cast<TMenuItem*>(sender);
        Drawn.push_back({i->Caption(), selected, rect});
        canvas.Brush().SetColor(i->IsLine() ? clRed : selected ? clLime : clBlue);
        canvas.FillRect(rect);
    };
    for (int k = 0; k < item->Count(); ++k)
        Record(item->Items(k));
}

bool WasMeasured(const std::string& caption)
{
    return std::find(Measured.begin(), Measured.end(), caption) != Measured.end();
}

// The last state an entry was drawn in among the first `count` draws:
// -1 never, 0 normal, 1 selected.
int LastDrawn(const std::string& caption, std::size_t count = SIZE_MAX)
{
    count = std::min(count, Drawn.size());
    for (std::size_t k = count; k-- > 0;)
        if (Drawn[k].caption == caption)
            return Drawn[k].selected;
    return -1;
}

// Colour on screen at the middle of an open drop-down's entry.
COLORREF EntryPixel(HMENU open, int position)
{
    RECT r{};
    if (!GetMenuItemRect(nullptr, open, static_cast<UINT>(position), &r))
        return CLR_INVALID;
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    HWND popup = WindowFromPoint(p);
    ScreenToClient(popup, &p);
    HDC dc = GetDC(popup);
    COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(popup, dc);
    return c;
}

HMENU Tracked = nullptr;
HMENU TrackedSub = nullptr;
std::vector<std::pair<int, COLORREF>> Seen;   // (position, colour) in Tracked, then TrackedSub
int TallHeight = 0;
std::size_t DrawnWhenSeen = 0;   // closing the menus draws again

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    DrawnWhenSeen = Drawn.size();
    for (int i = 0; i < GetMenuItemCount(Tracked); ++i)
        Seen.push_back({i, EntryPixel(Tracked, i)});
    for (int i = 0; TrackedSub && i < GetMenuItemCount(TrackedSub); ++i) {
        Seen.push_back({100 + i, EntryPixel(TrackedSub, i)});
        RECT r{};
        if (GetMenuItemRect(nullptr, TrackedSub, static_cast<UINT>(i), &r) && i == 1)
            TallHeight = r.bottom - r.top;
    }
    EndMenu();
}

// Selects the first entry and opens its sub-menu, then looks.
void CALLBACK SelectAndOpen(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    HWND popup = FindWindowA("#32768", nullptr);
    PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(popup, WM_KEYDOWN, VK_RIGHT, 0);
    SetTimer(nullptr, 0, 300, LookAndClose);
}

class OwnerDrawnMenus : public Menus {
protected:
    void SetUp() override
    {
        Menus::SetUp();
        Measured.clear();
        Drawn.clear();
        Seen.clear();
        TallHeight = 0;
        // File: Recent > (Short, Tall), Refresh, -, Exit
        recent = Item("Recent");
        for (const char* caption : {"Short", "Tall"})
            recent->Add(Item(caption));
        file->Remove(refresh);
        file->Remove(line);
        file->Remove(exit);
        for (TMenuItem* i : {recent, refresh, line, exit})
            file->Add(i);
    }
    // Runs `track` with a timer that opens the first sub-menu, looks at the
    // entries on screen and closes the menus; a second timer closes them
    // should the first never run.
    void Track(HMENU menu, const std::function<void()>& track)
    {
        Tracked = menu;
        TrackedSub = recent->Handle();
        UINT_PTR safety = SetTimer(nullptr, 0, 5000, CloseMenu);
        SetTimer(nullptr, 0, 300, SelectAndOpen);
        track();
        KillTimer(nullptr, safety);
        Pump();
    }
    void ExpectScreenMatchesEvents()
    {
        // Each entry shows the colour its event last drew it in.
        ASSERT_EQ(Seen.size(), 6u);
        const char* captions[] = {"Recent", "Refresh", "-", "Exit"};
        for (auto [position, colour] : Seen) {
            std::string caption = position >= 100 ? (position == 100 ? "Short" : "Tall")
                                                  : captions[position];
            int state = LastDrawn(caption, DrawnWhenSeen);
            ASSERT_GE(state, 0) << caption << " never drawn";
            COLORREF expected = caption == "-" ? RGB(255, 0, 0)
                                : state        ? RGB(0, 255, 0)
                                               : RGB(0, 0, 255);
            EXPECT_EQ(colour, expected) << caption;
        }
        EXPECT_EQ(LastDrawn("Recent", DrawnWhenSeen), 1);   // selected, its sub-menu open
        EXPECT_EQ(TallHeight, 40);           // the handler's height reached the menu
        for (const char* caption : {"Recent", "Refresh", "-", "Exit", "Short", "Tall"})
            EXPECT_TRUE(WasMeasured(caption)) << caption;
    }
    TMenuItem* recent = nullptr;
};

TEST_F(OwnerDrawnMenus, MainMenuBarDropDownAndSubMenuRaiseTheEventsOnTheForm)
{
    menu->SetOwnerDraw(true);
    Record(menu->Items());
    form->SetMenu(menu);
    ShowForm();
    HWND window = form->Handle();
    RECT r;
    GetMenuItemRect(window, menu->Handle(), 0, &r);   // lays the bar out
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(WasMeasured("File"));
    EXPECT_TRUE(WasMeasured("Help"));
    EXPECT_EQ(LastDrawn("File"), 0);
    EXPECT_EQ(LastDrawn("Help"), 0);

    // The drop-down of the bar, tracked with the form as the owner window.
    Track(file->Handle(), [&] {
        POINT p{r.left, r.bottom};
        TrackPopupMenu(file->Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, window,
                       nullptr);
    });
    ExpectScreenMatchesEvents();

    // Switched off, the events stay quiet.
    menu->SetOwnerDraw(false);
    Measured.clear();
    Drawn.clear();
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(Measured.empty());
    EXPECT_TRUE(Drawn.empty());
}

TEST_F(OwnerDrawnMenus, PopupMenuAndItsSubMenuRaiseTheEventsThroughThePopupWindow)
{
    // The same items moved into a popup menu.
    menu->Items()->Remove(file);
    TPopupMenu popup(nullptr);
    for (TMenuItem* i : {recent, refresh, line, exit}) {
        file->Remove(i);
        popup.Items()->Add(i);
    }
    popup.SetOwnerDraw(true);
    Record(popup.Items());
    ShowForm();
    Track(popup.Handle(), [&] { popup.Popup(120, 120); });
    ExpectScreenMatchesEvents();
}

} // namespace
} // namespace tarnivo
