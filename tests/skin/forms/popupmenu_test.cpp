// Popup-menu windows ("#32768") skinned from "MenuBackground": what shows on
// the screen and in WM_PRINT, the window's size, what reaches the system's
// procedure, the framework popup menus of a skinned form, and handles after
// many popups.

#include "formtestkit.h"
#include "skinfolder.h"

#include "skin/forms/menuitems.h"
#include "skin/forms/popupmenu.h"
#include "skin/forms/skinmessages.h"

#include "framework/form.h"
#include "framework/gdiobjects.h"
#include "framework/menus.h"
#include "framework/windowshook.h"

#include "tray/trayicon.h"

#include "tests/framework/graphics/screenread.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

constexpr TColor kMenuEdge = RGBColor(10, 120, 30);
constexpr TColor kMenuFill = RGBColor(240, 200, 40);
constexpr TColor kMenuCentre = RGBColor(40, 60, 220);

// A 16 x 16 background: a 1-pixel edge, a fill out to the 4-pixel margins and
// another colour in the middle, so the nine-grid's pieces can be told apart.
std::string MenuBackgroundBmp()
{
    return Bmp(16, 16, [](int x, int y) {
        if (x == 0 || y == 0 || x == 15 || y == 15)
            return kMenuEdge;
        if (x < 4 || y < 4 || x > 11 || y > 11)
            return kMenuFill;
        return kMenuCentre;
    });
}

// With `withItem` the skin also has a "MenuItem" whose normal frame is all
// magenta (transparent): normal entries show the popup's background.
bool LoadMenuSkin(TSkinData& data, bool withItem = false)
{
    std::string ini = FrameSkinIni({});
    ini += "[MenuBackground]\nImage=menubg.bmp\nLeftWidth=4\nTopHeight=4\nRightWidth=4\n"
           "BottomHeight=4\nTile=0\nTrans=0\n";
    Files files = FrameSkinFiles({});
    files.emplace_back("menubg.bmp", MenuBackgroundBmp());
    if (withItem) {
        ini += "[MenuItem]\nImage=menuitem.bmp\nLeftWidth=2\nTopHeight=2\nRightWidth=2\n"
               "BottomHeight=2\nTile=0\nTrans=1\n";
        files.emplace_back("menuitem.bmp", Bmp(50, 10, [](int x, int) {
                               return x < 10 ? clFuchsia : RGBColor(90, 90, 90);
                           }));
    }
    return LoadSkin(data, ini, files);
}

BOOL CALLBACK FindPopup(HWND window, LPARAM out)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32768" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

// The popup-menu window of this thread that is showing, or null.
HWND ShowingPopup()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs `inside` while a popup menu is open (from a timer of the menu's own
// modal loop), then closes the menu. `open` shows the menu and returns when
// it is closed.
std::function<void(HWND)>* g_inside = nullptr;

void CALLBACK InsideMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND popup = ShowingPopup();
    if (!popup)
        return;   // not shown yet: the timer comes again
    KillTimer(nullptr, id);
    UpdateWindow(popup);
    if (g_inside)
        (*g_inside)(popup);
    EndMenu();
}

void WhileOpen(const std::function<void()>& open, std::function<void(HWND)> inside)
{
    g_inside = &inside;
    SetTimer(nullptr, 0, 30, InsideMenu);
    open();
    g_inside = nullptr;
    PumpFor(0);
}

HMENU MakeMenu()
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "First item");
    AppendMenuA(menu, MF_STRING, 2, "Second item");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 3, "Last");
    return menu;
}

void TrackAt(HWND owner, HMENU menu)
{
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_RETURNCMD, 120, 120, 0, owner, nullptr);
}

// The screen under a window, as a 32-bit bitmap, once Wine has put what
// was drawn there on the screen.
std::unique_ptr<TBitmap> CaptureScreen(HWND window)
{
    PutDrawingOnScreen();
    RECT r{};
    GetWindowRect(window, &r);
    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf32bit);
    image->SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(image->Canvas().Handle(), 0, 0, image->Width(), image->Height(), screen, r.left, r.top,
           SRCCOPY);
    ReleaseDC(nullptr, screen);
    return image;
}

// WM_PRINT of the window into a 32-bit bitmap first filled with `fill`.
std::unique_ptr<TBitmap> Print(HWND window, TColor fill = RGBColor(1, 2, 3))
{
    const TSize size = WindowSize(window);
    auto image = std::make_unique<TBitmap>();
    image->SetPixelFormat(pf32bit);
    image->SetSize(size.cx, size.cy);
    image->Canvas().Brush().SetColor(fill);
    image->Canvas().FillRect(Bounds(0, 0, size.cx, size.cy));
    SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(image->Canvas().Handle()),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    return image;
}

// The 3-pixel ring of the popup against the background image's margins,
// which the nine-grid copies 1:1 (every skin here has margins of 3 or more).
void ExpectSkinRing(const TBitmap& shown, const TDataSkinObject& element, const char* what)
{
    const TBitmap& image = element.Image;
    const int w = shown.Width(), h = shown.Height();
    const int iw = image.Width(), ih = image.Height();
    for (int d = 0; d < PopupBorder; ++d) {
        SCOPED_TRACE(std::string(what) + " ring pixel " + std::to_string(d));
        EXPECT_EQ(Pixel(shown, d, d), Pixel(image, d, d));
        EXPECT_EQ(Pixel(shown, w - 1 - d, h - 1 - d), Pixel(image, iw - 1 - d, ih - 1 - d));
        EXPECT_EQ(Pixel(shown, w - 1 - d, d), Pixel(image, iw - 1 - d, d));
        EXPECT_EQ(Pixel(shown, d, h - 1 - d), Pixel(image, d, ih - 1 - d));
    }
}

class PopupMenuTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        ASSERT_TRUE(LoadMenuSkin(Data()));
        m_owner = MakeWindow("Menu owner");
        ASSERT_NE(WaitSkinned(m_owner), nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_owner);
        SkinEngineTest::TearDown();
    }
    HWND m_owner = nullptr;
};

// Puts a recording procedure under the skin's: installed from a CBT hook that
// runs before the manager's (hooks run newest first), so the skin's Default
// lands here.
class UnderSkin {
public:
    UnderSkin()
    {
        m_hook.Install(
            WH_CBT,
            [this](int code, WPARAM wParam, LPARAM lParam) {
                if (code == HCBT_CREATEWND) {
                    char name[16] = {};
                    GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
                    if (std::string(name) == "#32768") {
                        auto& layer = m_layers.emplace_back(std::make_unique<TWindowSubclass>());
                        TWindowSubclass* raw = layer.get();
                        layer->Install(reinterpret_cast<HWND>(wParam), [this, raw](TMessage& m) {
                            Seen(m);
                            raw->CallPrevious(m);
                        });
                    }
                }
                return m_hook.CallNext(code, wParam, lParam);
            },
            GetCurrentThreadId());
    }
    int Count(UINT msg) const
    {
        int n = 0;
        for (UINT seen : m_messages)
            n += seen == msg;
        return n;
    }
    void Clear() { m_messages.clear(); }
    RECT PrintClip{};
    int PrintBkMode = 0;

private:
    void Seen(const TMessage& m)
    {
        m_messages.push_back(m.Msg);
        if (m.Msg == WM_PRINT) {
            const auto dc = reinterpret_cast<HDC>(m.WParam);
            GetClipBox(dc, &PrintClip);
            PrintBkMode = GetBkMode(dc);
        }
    }
    std::vector<UINT> m_messages;
    std::vector<std::unique_ptr<TWindowSubclass>> m_layers;
    TWindowsHook m_hook;
};

} // namespace

TEST_F(PopupMenuTest, PopupShowsTheSkinsBorderOnScreenAndInPrint)
{
    struct Case {
        const char* skin;   // null: the test's own menu skin
    };
    for (const Case& c : {Case{nullptr}, Case{"slate"}, Case{"paper"}}) {
        SCOPED_TRACE(c.skin ? c.skin : "test skin");
        if (c.skin) {
            ASSERT_TRUE(LoadShippedSkin(Data(), c.skin));
        }
        const TDataSkinObject* element = Data().Elements().MenuBackground.get();
        ASSERT_TRUE(ElementPresent(element));
        HMENU menu = MakeMenu();
        bool ran = false;
        WhileOpen([&] { TrackAt(m_owner, menu); }, [&](HWND popup) {
            ran = true;
            TWinSkinPopMenu* object = Manager().FindSkinMenu(popup);
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(SendMessageA(popup, WM_ISSKINNED, 0, 0), 1);
            ExpectSkinRing(*CaptureScreen(popup), *element, "screen");
            ExpectSkinRing(*Print(popup), *element, "print");
            const TSize size = WindowSize(popup);
            EXPECT_EQ(object->Background.Width(), size.cx);
            EXPECT_EQ(object->Background.Height(), size.cy);
        });
        EXPECT_TRUE(ran);
        DestroyMenu(menu);
        EXPECT_EQ(Manager().MenuCount(), 0) << "the popup's object goes with its window";
    }
}

// What a window drew a moment ago is what the screen capture reads, with no
// message processed in between (as inside a menu's loop).
TEST_F(PopupMenuTest, TheScreenCaptureSeesWhatWasJustDrawn)
{
    PumpFor(100);
    for (TColor colour : {RGBColor(200, 30, 40), RGBColor(20, 180, 60), RGBColor(30, 40, 210)}) {
        HDC dc = GetWindowDC(m_owner);
        GdiBrush brush(CreateSolidBrush(ColorToRGB(colour)));
        const RECT all{0, 0, 40, 30};
        FillRect(dc, &all, brush.Get());
        ReleaseDC(m_owner, dc);
        EXPECT_EQ(Pixel(*CaptureScreen(m_owner), 20, 15), colour);
    }
}

TEST_F(PopupMenuTest, BackgroundIsTheNineGridOfTheWholeWindow)
{
    HMENU menu = MakeMenu();
    WhileOpen([&] { TrackAt(m_owner, menu); }, [&](HWND popup) {
        TWinSkinPopMenu* object = Manager().FindSkinMenu(popup);
        ASSERT_NE(object, nullptr);
        ASSERT_TRUE(object->ComposeBackground());
        const TBitmap& bg = object->Background;
        const int w = bg.Width(), h = bg.Height();
        EXPECT_EQ(Pixel(bg, 0, h / 2), kMenuEdge);        // left edge stretched along
        EXPECT_EQ(Pixel(bg, w / 2, h - 1), kMenuEdge);    // bottom edge
        EXPECT_EQ(Pixel(bg, 3, 3), kMenuFill);            // inside the corner margin
        EXPECT_EQ(Pixel(bg, w / 2, h / 2), kMenuCentre);  // the stretched centre
        EXPECT_EQ(Pixel(bg, 4, h / 2), kMenuCentre);
        // The item painters find it by the menu the window shows.
        EXPECT_EQ(Manager().GetMenuBg(menu), nullptr);
        Manager().SetHMenu(menu);
        EXPECT_EQ(object->MenuHandle, menu);
        EXPECT_EQ(Manager().GetMenuBg(menu), &object->Background);
        EXPECT_EQ(NewSkinMenu(), object) << "composed before its menu was known";
    });
    DestroyMenu(menu);
    EXPECT_EQ(NewSkinMenu(), nullptr) << "the unit's reference goes with the object";
}

TEST_F(PopupMenuTest, WindowKeepsTheSystemsSizeAndNoRegion)
{
    HMENU menu = MakeMenu();
    auto measure = [&](bool skinned) {
        TSize size{};
        RECT first{};
        RECT window{};
        int regionKind = -1;
        WhileOpen([&] { TrackAt(m_owner, menu); }, [&](HWND popup) {
            EXPECT_EQ(Manager().FindSkinMenu(popup) != nullptr, skinned);
            size = WindowSize(popup);
            GetWindowRect(popup, &window);
            GetMenuItemRect(nullptr, menu, 0, &first);
            GdiRegion region(CreateRectRgn(0, 0, 1, 1));
            regionKind = GetWindowRgn(popup, region.Get());
        });
        EXPECT_EQ(first.left - window.left, PopupBorder) << "items start inside the border";
        EXPECT_EQ(first.top - window.top, PopupBorder);
        EXPECT_EQ(regionKind, ERROR) << "the popup stays a plain rectangle";
        return size;
    };
    const TSize skinned = measure(true);
    TSkinControlTypes controls = Data().SkinControls();
    controls.Exclude(xcPopupMenu);
    Data().SetSkinControls(controls);
    const TSize plain = measure(false);
    EXPECT_EQ(skinned.cx, plain.cx);
    EXPECT_EQ(skinned.cy, plain.cy);
    DestroyMenu(menu);
}

TEST_F(PopupMenuTest, EraseAndPrintReachTheSystemAsTheOptionsSay)
{
    UnderSkin under;
    HMENU menu = MakeMenu();
    for (bool menuBG : {false, true}) {
        SCOPED_TRACE(menuBG ? "xoMenuBG" : "no xoMenuBG");
        TSkinOptions options = Data().Options();
        if (menuBG)
            options.Include(xoMenuBG);
        else
            options.Exclude(xoMenuBG);
        Data().SetOptions(options);
        WhileOpen([&] { TrackAt(m_owner, menu); }, [&](HWND popup) {
            under.Clear();
            TBitmap dcImage;
            dcImage.SetSize(8, 8);
            const LRESULT answer = SendMessageA(popup, WM_ERASEBKGND,
                                                reinterpret_cast<WPARAM>(dcImage.Canvas().Handle()), 0);
            EXPECT_EQ(answer, 1);
            EXPECT_EQ(under.Count(WM_ERASEBKGND), menuBG ? 0 : 1);

            // The items print inside the border, transparently.
            under.Clear();
            const TSize size = WindowSize(popup);
            Print(popup);
            ASSERT_EQ(under.Count(WM_PRINT), 1);
            EXPECT_EQ(under.PrintClip.left, PopupBorder);
            EXPECT_EQ(under.PrintClip.top, PopupBorder);
            EXPECT_EQ(under.PrintClip.right, size.cx - PopupBorder);
            EXPECT_EQ(under.PrintClip.bottom, size.cy - PopupBorder);
            EXPECT_EQ(under.PrintBkMode, TRANSPARENT);
        });
    }

    // Skinning switched off while a popup is open: everything passes through.
    WhileOpen([&] { TrackAt(m_owner, menu); }, [&](HWND popup) {
        Manager().SetEnabled(false);
        under.Clear();
        const std::unique_ptr<TBitmap> printed = Print(popup);
        EXPECT_EQ(under.Count(WM_PRINT), 1);
        EXPECT_EQ(under.PrintClip.left, 0) << "not clipped";
        EXPECT_NE(Pixel(*printed, 1, 1), kMenuFill) << "the system's own edge";
        EXPECT_EQ(SendMessageA(popup, WM_ISSKINNED, 0, 0), 1);
        Manager().SetEnabled(true);
    });
    DestroyMenu(menu);
}

TEST_F(PopupMenuTest, PopupKindsFollowTheSkinsControlTypes)
{
    struct Case {
        int kind;
        TSkinControlType allowing;
    };
    // An owner the engine does not skin: its WM_INITMENUPOPUP tells no kind.
    HWND owner = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HMENU menu = MakeMenu();
    for (const Case& c : {Case{popupkind::Unknown, xcPopupMenu}, Case{popupkind::WindowMenu, xcMainMenu},
                          Case{popupkind::WindowMenu, xcMenuItem},
                          Case{popupkind::SystemMenu, xcSystemMenu}}) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + " member " + std::to_string(c.allowing));
        for (bool allowed : {false, true}) {
            TSkinControlTypes controls = Data().SkinControls();
            controls.Exclude(xcPopupMenu);
            controls.Exclude(xcMainMenu);
            controls.Exclude(xcMenuItem);
            controls.Exclude(xcSystemMenu);
            if (allowed)
                controls.Include(c.allowing);
            Data().SetSkinControls(controls);
            WhileOpen(
                [&] {
                    Manager().PopupKind = c.kind;
                    Manager().FrameworkMenu = 1;
                    TrackAt(owner, menu);
                },
                [&](HWND popup) {
                    TWinSkinPopMenu* object = Manager().FindSkinMenu(popup);
                    EXPECT_EQ(object != nullptr, allowed);
                    if (allowed && object) {
                        EXPECT_EQ(object->FrameworkMenu, 1) << "the mark told before it opened";
                    }
                    // A popup left plain forgets at once what was told for it.
                    EXPECT_EQ(Manager().PopupKind, allowed ? c.kind : popupkind::Unknown);
                    EXPECT_EQ(Manager().FrameworkMenu, allowed ? 1 : 0);
                });
            EXPECT_EQ(Manager().MenuCount(), 0);
            EXPECT_EQ(Manager().PopupKind, popupkind::Unknown) << "forgotten once the popup closed";
            EXPECT_EQ(Manager().FrameworkMenu, 0);
        }
    }
    DestroyMenu(menu);
    DestroyWindow(owner);
}

namespace {

// A framework form with popup menus: one skinned, one with the skin's
// DisableTag, one on a nested form; items two levels deep.
class MenuForm : public TForm {
public:
    explicit MenuForm(TComponent* owner) : TForm(owner)
    {
        Popup = MakePopup(this, 0);
        Disabled = MakePopup(this, TSkinData::DefaultDisableTag);
        Nested = new TForm(this);
        NestedPopup = MakePopup(Nested, 0);
        Popup->Items()->Items(1)->OnMeasureItem = [this](TObject*, TCanvas&, int&, int& h) {
            h = OwnMeasuredHeight;
        };
    }
    static TPopupMenu* MakePopup(TComponent* owner, int tag)
    {
        auto* popup = new TPopupMenu(owner);
        popup->SetTag(tag);
        auto* top = new TMenuItem(owner);
        top->SetCaption("Top");
        popup->Items()->Add(top);
        auto* sub = new TMenuItem(owner);
        sub->SetCaption("Sub");
        popup->Items()->Add(sub);
        auto* deep = new TMenuItem(owner);
        deep->SetCaption("Deep");
        sub->Add(deep);
        return popup;
    }
    TPopupMenu* Popup;
    TPopupMenu* Disabled;
    TForm* Nested;
    TPopupMenu* NestedPopup;
    int OwnMeasuredHeight = 31;
};

bool HasHandlers(TPopupMenu& popup)
{
    const TMenuItem* deep = popup.Items()->Items(1)->Items(0);
    return popup.Items()->Items(0)->OnDrawItem && deep->OnDrawItem && deep->OnMeasureItem;
}

} // namespace

TEST_F(PopupMenuTest, FormsPopupMenusAreOwnerDrawnExceptTheDisabledTag)
{
    int drawn = 0;
    TWinSkinForm* painterForm = nullptr;
    SetPopupItemHandlers([&](TWinSkinForm& form) {
        painterForm = &form;
        return TPopupItemHandlers{
            [&](TObject*, TCanvas&, const TRect&, bool) { ++drawn; },
            [](TObject*, TCanvas&, int&, int& h) { h = 20; }};
    });
    auto* form = MakeForm<MenuForm>(nullptr);
    form->SetBounds(60, 60, 320, 220);
    form->Show();
    SetActiveWindow(form->Handle());
    TWinSkinForm* object = WaitSkinned(form->Handle());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(painterForm, object);

    EXPECT_TRUE(form->Popup->OwnerDraw());
    EXPECT_TRUE(HasHandlers(*form->Popup));
    EXPECT_TRUE(form->NestedPopup->OwnerDraw()) << "menus of owned forms too";
    EXPECT_TRUE(HasHandlers(*form->NestedPopup));
    EXPECT_FALSE(form->Disabled->OwnerDraw());
    EXPECT_FALSE(form->Disabled->Items()->Items(0)->OnDrawItem);

    // An item that measures itself keeps its own measure.
    int width = 0, height = 0;
    TBitmap scratch;
    scratch.SetSize(4, 4);
    form->Popup->Items()->Items(1)->OnMeasureItem(nullptr, scratch.Canvas(), width, height);
    EXPECT_EQ(height, form->OwnMeasuredHeight);

    // The painters really draw the items of the popup when it shows.
    WhileOpen([&] { form->Popup->Popup(100, 100); }, [&](HWND popup) {
        EXPECT_NE(Manager().FindSkinMenu(popup), nullptr);
    });
    EXPECT_GE(drawn, 2);
    drawn = 0;
    WhileOpen([&] { form->Disabled->Popup(100, 100); }, [](HWND) {});
    EXPECT_EQ(drawn, 0) << "the disabled menu keeps the framework's drawing";

    // Unskinned: the menus are given back.
    Manager().SetCurrentSkin(&Data());
    Manager().PendingAction = saUnskinAll;
    Manager().OnTimer();
    EXPECT_FALSE(form->Popup->OwnerDraw());
    EXPECT_FALSE(form->Popup->Items()->Items(1)->Items(0)->OnDrawItem);
    EXPECT_FALSE(form->NestedPopup->OwnerDraw());
    SetPopupItemHandlers(nullptr);
    delete form;
}

TEST_F(PopupMenuTest, TrayIconsPopupMenuIsSkinned)
{
    auto* owner = MakeForm<TForm>(nullptr);
    owner->SetBounds(60, 60, 200, 120);
    owner->Show();
    SetActiveWindow(owner->Handle());
    ASSERT_NE(WaitSkinned(owner->Handle()), nullptr);
    auto* popup = MenuForm::MakePopup(owner, 0);
    auto* tray = new TTrayIcon(owner);
    tray->SetPopupMenu(popup);
    tray->SetPopupMenuOn(imRightClickUp);
    const TDataSkinObject& element = *Data().Elements().MenuBackground;
    bool ran = false;
    // The shell's callback for a right click on the icon.
    WhileOpen([&] { SendMessageA(tray->Handle(), TTrayIcon::CallbackMessage, 0, WM_RBUTTONUP); }, [&](HWND shown) {
        ran = true;
        EXPECT_NE(Manager().FindSkinMenu(shown), nullptr);
        ExpectSkinRing(*CaptureScreen(shown), element, "tray menu");
    });
    EXPECT_TRUE(ran);
    delete owner;
}

TEST_F(PopupMenuTest, ManyPopupsLeaveNoHandlesBehind)
{
    HMENU menu = MakeMenu();
    auto cycle = [&](int times) {
        for (int i = 0; i < times; ++i)
            WhileOpen([&] { TrackAt(m_owner, menu); }, [](HWND popup) { Print(popup); });
    };
    cycle(3);   // first-use allocations (fonts, caches) happen here
    const GuiCounts before = Counts();
    cycle(40);
    const GuiCounts after = Counts();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_EQ(Manager().MenuCount(), 0);
    DestroyMenu(menu);
}

// Wine paints a popup's entries before anything composed its background:
// the first entry drawn names the popup's menu, marks it as showing the
// engine's entries and still sits on the skin's image, not the plain colour.
TEST_F(PopupMenuTest, TheFirstEntryDrawnFindsThePopupsBackgroundAndMarksThePopup)
{
    ASSERT_TRUE(LoadMenuSkin(Data(), true));
    HMENU menu = MakeMenu();
    WhileOpen([&] { TrackAt(m_owner, menu); }, [&](HWND popup) {
        TWinSkinPopMenu* object = Manager().FindSkinMenu(popup);
        ASSERT_NE(object, nullptr);
        object->Background.SetSize(0, 0);
        object->MenuHandle = nullptr;
        object->FrameworkMenu = 0;
        TMenuItem entry(nullptr);
        entry.SetCaption("E");
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(60, 16);
        TMenuItemPainter(Data()).DrawMenuItem(entry, bitmap.Canvas(), TRect{0, 0, 60, 16}, false,
                                              menu);
        EXPECT_EQ(object->MenuHandle, menu);
        EXPECT_EQ(object->FrameworkMenu, 1);
        ASSERT_FALSE(object->Background.Empty());
        // (50, 8) of the entry is (53, 11) of the popup: the image's centre.
        EXPECT_EQ(Pixel(bitmap, 50, 8), kMenuCentre);
    });
    DestroyMenu(menu);
}
