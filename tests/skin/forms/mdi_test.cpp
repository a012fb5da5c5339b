// MDI frames under the skin: the maximized child's buttons in the frame's
// menu band, the process-wide maximized mode entered and left, the band
// buttons acting on the active child, the band given back when the last
// child goes, the client's skinned scroll bars, and many children opened
// and closed.

#include "formtestkit.h"

#include "skin/forms/captionbuttons.h"
#include "skin/forms/mdiclient.h"
#include "skin/forms/menuband.h"
#include "skin/forms/skinmessages.h"
#include "skin/controls/skinscrollbar.h"

#include "framework/form.h"
#include "framework/menus.h"

#include "tests/framework/graphics/screenread.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

constexpr TColor kBand = RGBColor(40, 90, 40);
constexpr int kStripFrame = 12;   // one frame of the MDICONTROLS strip, square
constexpr TColor kScrollStrip = RGBColor(200, 30, 160);   // every scroll-bar arrow frame

// Frame k (0 to 11) of the strip: button k / 4, its state k % 4 + 1.
TColor StripColour(int k) { return RGBColor(20 + 15 * k, 200 - 10 * k, 60); }

// The frame skin (its title `borderTop` high) with a one-colour menu band and the MDI buttons' strip.
bool LoadMdiSkin(TSkinData& data, int borderTop = kTop)
{
    FrameSkinOptions options;
    options.borderTop = borderTop;
    std::string ini = FrameSkinIni(options);
    Files files = FrameSkinFiles(options);
    const std::string personality = "[Personality]\n";
    ini.insert(ini.find(personality) + personality.size(), "menuBar=menubar.bmp\nTileMenu=1\n");
    files.push_back({"menubar.bmp", Bmp(30, 40, kBand)});
    ini += "[MDICONTROLS]\nImage=mdi.bmp\n";
    files.push_back({"mdi.bmp", Bmp(12 * kStripFrame, kStripFrame,
                                    [](int x, int) { return StripColour(x / kStripFrame); })});
    // Scroll bars: arrows in one colour, tracks and thumbs in others.
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    ini += "[Scrollbar]\nImage=strip.bmp\n[HorzScroll]\nImage=htrack.bmp\n"
           "[VertScroll]\nImage=vtrack.bmp\n[HorzScrollThumb]\nImage=hthumb.bmp\n"
           "[VertScrollThumb]\nImage=vthumb.bmp\n";
    files.push_back({"strip.bmp", Bmp(23 * a, a, kScrollStrip)});
    files.push_back({"htrack.bmp", Bmp(4 * 8, a, RGBColor(30, 120, 30))});
    files.push_back({"vtrack.bmp", Bmp(4 * a, 8, RGBColor(30, 120, 30))});
    files.push_back({"hthumb.bmp", Bmp(3 * 8, a, RGBColor(150, 190, 60))});
    files.push_back({"vthumb.bmp", Bmp(3 * a, 8, RGBColor(150, 190, 60))});
    return LoadSkin(data, ini, files);
}

// Ends a press held in the system's scroll loop.
HWND g_releaseTarget = nullptr;
void CALLBACK ReleaseButton(HWND, UINT, UINT_PTR, DWORD)
{
    PostMessageA(g_releaseTarget, WM_LBUTTONUP, 0, 0);
}

TColor ScreenColor(POINT p)
{
    PutDrawingOnScreen();
    HDC dc = GetDC(nullptr);
    const COLORREF color = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(color);
}

// A window class for children made through WM_MDICREATE.
LRESULT CALLBACK RawChildProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(window, msg, wParam, lParam);
}

const char* RawChildClass()
{
    static const char* const name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RawChildProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = "TarnivoMdiTestChild";
        RegisterClassA(&wc);
        return "TarnivoMdiTestChild";
    }();
    return name;
}

TColor Pixel(TBitmap& bitmap, POINT p) { return bitmap.Canvas().Pixels(p.x, p.y); }

POINT Middle(const TRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class MdiTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        ASSERT_TRUE(LoadMdiSkin(Data()));
        Data().SetMenuUpdate(true);
        PumpUntil([&] { return !Manager().ActionPending(); });

        frame.reset(MakeForm<TForm>(nullptr));
        frame->SetBounds(40, 40, 520, 400);
        frame->SetCaption("Frame");
        auto* menu = new TMainMenu(frame.get());
        auto* window = new TMenuItem(frame.get());
        window->SetCaption("&Window");
        menu->Items()->Add(window);
        auto* tile = new TMenuItem(frame.get());
        tile->SetCaption("&Tile");
        window->Add(tile);
        frame->SetMenu(menu);
        frame->SetFormStyle(fsMDIForm);
        frame->Show();
        SetActiveWindow(frame->Handle());
        object = WaitSkinned(frame->Handle());
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(object->FormStyle, sfsMDIform);
        ASSERT_NE(object->MenuBar, nullptr);
        client = frame->ClientHandle();
    }
    void TearDown() override
    {
        frame.reset();
        PumpFor(0);
        SkinEngineTest::TearDown();
    }

    TForm* Child(int left = 10, int top = 10)
    {
        TForm* child = MakeForm<TForm>(frame.get());
        child->SetBounds(left, top, 200, 150);
        child->SetCaption("Child");
        child->SetFormStyle(fsMDIChild);
        child->Show();
        PumpUntil([&] { return FindSkinForm(child->Handle()) != nullptr; }, 2000);
        PumpFor(50);
        return child;
    }
    void Maximize(TForm* child)
    {
        SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        PumpUntil([&] { return Manager().MDIMaximized != 0; }, 2000);
    }
    // The frame's caption buttons that belong to the band, in skin order
    // (minimize, restore, close).
    std::vector<TWinSysButton*> BandButtons() const
    {
        std::vector<TWinSysButton*> found;
        for (const auto& button : object->SysButtons)
            if (IsMDIBandButton(*button->Element))
                found.push_back(button.get());
        return found;
    }
    // Repaints the frame and answers its picture.
    std::unique_ptr<TBitmap> Frame() const
    {
        RedrawWindow(frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        return PaintFrame(frame->Handle());
    }
    // Whether the band shows the three buttons, each in its own first frame.
    ::testing::AssertionResult ShowsBandButtons(bool expected) const
    {
        const auto picture = Frame();
        const auto buttons = BandButtons();
        if (buttons.size() != 3)
            return ::testing::AssertionFailure() << buttons.size() << " band buttons";
        for (int i = 0; i < 3; ++i) {
            const TWinSysButton& b = *buttons[static_cast<std::size_t>(i)];
            const bool shown = b.Visible && Pixel(*picture, Middle(b.Rect)) == StripColour(4 * i);
            if (shown != expected)
                return ::testing::AssertionFailure() << "button " << i << " shown " << shown;
        }
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<TForm> frame;
    TWinSkinForm* object = nullptr;
    HWND client = nullptr;
};

TEST_F(MdiTest, AMaximizedChildPutsItsButtonsAtTheBandsRightEnd)
{
    ASSERT_TRUE(object->MDISubclassed());
    Child(10, 10);
    TForm* b = Child(40, 40);
    EXPECT_TRUE(ShowsBandButtons(false));
    EXPECT_EQ(Manager().MDIMaximized, 0);

    Maximize(b);
    EXPECT_EQ(Manager().MDIMaximized, 1);
    ASSERT_TRUE(ShowsBandButtons(true));
    // Inside the band, in a row ending at the band's right end.
    const auto buttons = BandButtons();
    const TRect band = object->MenuBar->BandRect;
    for (TWinSysButton* button : buttons) {
        EXPECT_GE(button->Rect.top, band.top);
        EXPECT_LE(button->Rect.bottom, band.bottom);
    }
    EXPECT_LT(buttons[0]->Rect.right, buttons[1]->Rect.left);
    EXPECT_LT(buttons[1]->Rect.right, buttons[2]->Rect.left);
    EXPECT_GT(buttons[2]->Rect.right, band.right - 2 * kStripFrame);
    EXPECT_LE(buttons[2]->Rect.right, band.right);
    // The menu's own button stays at the left end.
    ASSERT_EQ(object->MenuBar->Count(), 1);
    EXPECT_LT(object->MenuBar->Button(0)->Rect.right, buttons[0]->Rect.left);
    // Every child gives up its region while the children are maximized.
    for (int i = 0; i < frame->MDIChildCount(); ++i) {
        const TWinSkinForm* child = FindSkinForm(frame->MDIChildren(i)->Handle());
        ASSERT_NE(child, nullptr) << i;
        EXPECT_EQ(child->RegionOwned, 0) << i;
    }
}

TEST_F(MdiTest, RestoreTileAndCascadeLeaveTheMaximizedMode)
{
    Child(10, 10);
    TForm* b = Child(40, 40);
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"restore", [&] { SendMessageA(b->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0); }},
        {"tile", [&] { frame->Tile(); }},
        {"cascade", [&] { frame->Cascade(); }},
    };
    for (const auto& [name, leave] : ways) {
        Maximize(b);
        ASSERT_EQ(Manager().MDIMaximized, 1) << name;
        leave();
        PumpFor(50);
        EXPECT_EQ(Manager().MDIMaximized, 0) << name;
        EXPECT_FALSE(IsZoomed(b->Handle())) << name;
        EXPECT_TRUE(ShowsBandButtons(false)) << name;
        // The restored children have their skinned outline back.
        const TWinSkinForm* restored = FindSkinForm(b->Handle());
        ASSERT_NE(restored, nullptr) << name;
        EXPECT_EQ(restored->RegionOwned, 1) << name;
    }
}

TEST_F(MdiTest, TheBandButtonsActOnTheActiveChildOnly)
{
    TForm* a = Child(10, 10);
    TForm* b = Child(40, 40);
    TForm* c = Child(70, 70);
    const HWND ha = a->Handle(), hb = b->Handle(), hc = c->Handle();
    Maximize(c);
    ASSERT_TRUE(ShowsBandButtons(true));
    auto click = [&](int index) {
        const auto buttons = BandButtons();
        ASSERT_EQ(buttons.size(), 3u);
        const TRect r = buttons[static_cast<std::size_t>(index)]->Rect;
        RECT window{};
        GetWindowRect(frame->Handle(), &window);
        const LPARAM at = MAKELPARAM(window.left + Middle(r).x, window.top + Middle(r).y);
        SendMessageA(frame->Handle(), WM_NCLBUTTONDOWN, HTMENU, at);
        SendMessageA(frame->Handle(), WM_NCLBUTTONUP, HTMENU, at);
        PumpFor(100);
    };

    click(2);   // close: c goes, the next child comes up maximized
    EXPECT_FALSE(IsWindow(hc));
    ASSERT_TRUE(IsWindow(ha) && IsWindow(hb));
    EXPECT_EQ(frame->MDIChildCount(), 2);
    const HWND next = frame->ActiveMDIChildHandle();
    EXPECT_TRUE(IsZoomed(next));
    EXPECT_EQ(Manager().MDIMaximized, 1);

    click(1);   // restore: only the active child changes
    EXPECT_FALSE(IsZoomed(next));
    EXPECT_EQ(Manager().MDIMaximized, 0);
    EXPECT_TRUE(ShowsBandButtons(false));
    const HWND other = next == ha ? hb : ha;
    const TWinSkinForm* nextSkin = FindSkinForm(next);
    ASSERT_NE(nextSkin, nullptr);
    ASSERT_NE(nextSkin->Form, nullptr);
    Maximize(nextSkin->Form);
    click(0);   // minimize
    EXPECT_TRUE(IsIconic(next));
    EXPECT_FALSE(IsIconic(other));
    EXPECT_EQ(frame->MDIChildCount(), 2);
}

TEST_F(MdiTest, TheLastChildGoneGivesTheBandTheFramesMenuBack)
{
    TForm* a = Child(10, 10);
    // A child made through the client turns the band's menu updates off ...
    MDICREATESTRUCTA create{};
    create.szClass = RawChildClass();
    create.szTitle = "Raw";
    create.hOwner = GetModuleHandleA(nullptr);
    create.cx = 150;
    create.cy = 100;
    const auto raw = reinterpret_cast<HWND>(
        SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    ASSERT_NE(raw, nullptr);
    EXPECT_FALSE(Data().MenuUpdate());
    // ... so a change of the frame's menu meanwhile stays out of the band.
    AppendMenuA(object->MenuBar->NativeMenu, MF_STRING, 7001, "&Later");
    ASSERT_EQ(object->MenuBar->Count(), 1);
    Maximize(a);

    a->Close();
    PumpFor(100);
    EXPECT_TRUE(IsZoomed(raw)) << "the next child comes up maximized";
    EXPECT_EQ(Manager().MDIMaximized, 1);
    EXPECT_EQ(object->MenuBar->Count(), 1) << "a child remains";
    SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(raw), 0);
    PumpFor(50);
    EXPECT_EQ(Manager().MDIMaximized, 0);
    EXPECT_TRUE(Data().MenuUpdate());
    ASSERT_EQ(object->MenuBar->Count(), 2);
    ASSERT_NE(object->MenuBar->Button(1), nullptr);
    EXPECT_EQ(object->MenuBar->Button(1)->Caption, L"&Later");
    EXPECT_EQ(GetMenu(frame->Handle()), nullptr) << "the band keeps the menu detached";
    EXPECT_TRUE(ShowsBandButtons(false));
}

TEST_F(MdiTest, ANewFrameMenuFromTheClientRebuildsTheBand)
{
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 7101, "&One");
    AppendMenuA(bar, MF_STRING, 7102, "&Two");
    AppendMenuA(bar, MF_STRING, 7103, "T&hree");
    SendMessageA(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), 0);
    EXPECT_EQ(GetMenu(frame->Handle()), nullptr);
    ASSERT_EQ(object->MenuBar->Count(), 3);
    ASSERT_NE(object->MenuBar->Button(2), nullptr);
    EXPECT_EQ(object->MenuBar->Button(2)->Caption, L"T&hree");
    EXPECT_GT(RectWidth(object->MenuBar->Button(2)->Rect), 0);
    // The framework's menu goes back for the frame to free.
    SendMessageA(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(frame->Menu()->Handle()), 0);
    DestroyMenu(bar);
}

TEST_F(MdiTest, AChildPastTheClientsEdgeIsReachedThroughTheSkinnedBar)
{
    TForm* child = Child(10, 10);
    RECT area{};
    GetClientRect(client, &area);
    child->SetTop(area.bottom - 40);   // dragged most of the way out of sight
    PumpFor(50);
    // Wine's client, once every child fitted, has hidden both bars by taking
    // their style bits off, and its range computation (CalcChildScroll) only
    // runs for a client with a bar bit on: give them back as Windows' client
    // keeps them, then let the client compute its range.
    ShowScrollBar(client, SB_BOTH, TRUE);
    using TCalcChildScroll = void(WINAPI*)(HWND, int);
    const auto calc = reinterpret_cast<TCalcChildScroll>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "CalcChildScroll")));
    ASSERT_NE(calc, nullptr);
    calc(client, SB_BOTH);
    PumpFor(50);
    ASSERT_TRUE(GetWindowLongPtrA(client, GWL_STYLE) & WS_VSCROLL) << "the client keeps its bar";
    auto* skin = dynamic_cast<TSkinScrollbarH*>(object->MDIClientSkin());
    ASSERT_NE(skin, nullptr);
    TWScrollbar* bar = skin->VertBar();
    ASSERT_TRUE(bar && bar->Shown());
    EXPECT_TRUE(IsWindowVisible(bar->Handle()));
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(client, OBJID_VSCROLL, &info));
    RECT overlay{};
    GetWindowRect(bar->Handle(), &overlay);
    EXPECT_TRUE(EqualRect(&overlay, &info.rcScrollBar)) << "the overlay lies on the bar";
    // The skin's down arrow is what the screen shows there.
    const POINT down{(overlay.left + overlay.right) / 2, overlay.bottom - 3};
    UpdateWindow(bar->Handle());
    EXPECT_EQ(ScreenColor(down), kScrollStrip);

    // A click on that arrow runs the system's scroll loop on the client;
    // the release comes from a timer that fires inside that loop.
    auto childTop = [&] {
        RECT r{};
        GetWindowRect(child->Handle(), &r);
        MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
        return r.top;
    };
    const int before = childTop();
    g_releaseTarget = client;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, ReleaseButton);
    SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(down.x - overlay.left, down.y - overlay.top));
    KillTimer(nullptr, timer);
    PumpFor(50);
    // (The client scrolls its children, not its origin: the position stays 0.)
    EXPECT_LT(childTop(), before) << "the children moved up";
    EXPECT_FALSE(bar->Pressed());

    // With xoMDIScrollbar the client keeps the system's bars, unskinned.
    TSkinOptions options = Data().Options();
    options.Include(xoMDIScrollbar);
    Data().SetOptions(options);
    SendMessageA(frame->Handle(), WM_SKINCHANGE, 0, 0);
    PumpFor(50);
    EXPECT_EQ(object->MDIClientSkin(), nullptr);
    EXPECT_TRUE(GetWindowLongPtrA(client, GWL_STYLE) & WS_VSCROLL);
    RedrawWindow(client, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(ScreenColor(down), kScrollStrip) << "the system draws its own arrow";
    // ... and the skin's look comes back with the option gone.
    options.Exclude(xoMDIScrollbar);
    Data().SetOptions(options);
    SendMessageA(frame->Handle(), WM_SKINCHANGE, 0, 0);
    PumpFor(50);
    auto* again = dynamic_cast<TSkinScrollbarH*>(object->MDIClientSkin());
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again->VertBar(), nullptr);
    EXPECT_TRUE(again->VertBar()->Shown());
}

TEST_F(MdiTest, UnskinningGivesTheClientItsProcedureBack)
{
    Child(10, 10);
    const LONG_PTR classProc = GetClassLongPtrA(client, GCLP_WNDPROC);
    EXPECT_NE(GetWindowLongPtrA(client, GWLP_WNDPROC), classProc);
    Manager().DeleteForm(frame->Handle());
    EXPECT_EQ(GetWindowLongPtrA(client, GWLP_WNDPROC), classProc);
    EXPECT_EQ(FindSkinForm(frame->Handle()), nullptr);
    EXPECT_EQ(Manager().MDIParent, nullptr);
    // The client still works on its own.
    TForm* late = Child(30, 30);
    EXPECT_EQ(frame->ActiveMDIChild(), late);
}

TEST_F(MdiTest, ThreeHundredChildrenLeaveNoObjectsBehind)
{
    // Every third child is maximized first, which brings the band's buttons.
    auto cycle = [&](int i) {
        TForm* child = Child(10 + i % 50, 10 + i % 50);
        if (i % 3 == 0)
            SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        PumpFor(0);
        delete child;
    };
    // The first rounds make what the frame keeps (band and caption images).
    for (int i = 0; i < 6; ++i)
        cycle(i);
    PumpFor(50);
    const GuiCounts before = Counts();
    for (int i = 0; i < 300; ++i)
        cycle(i);
    PumpFor(100);
    const GuiCounts after = Counts();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    int live = 0;
    for (int i = 0; i < Manager().FormCount(); ++i)
        live += Manager().Forms(i)->SkinState != skinstate::Destroyed;
    EXPECT_EQ(live, 1) << "the frame's";
    EXPECT_EQ(Manager().MDIMaximized, 0);
}

} // namespace

TEST_F(MdiTest, ChildBorderOptionLeavesNewChildrenTheSystemFrame)
{
    auto frameHeight = [](HWND w) {
        RECT window{}, client{};
        GetWindowRect(w, &window);
        GetClientRect(w, &client);
        return (window.bottom - window.top) - client.bottom;
    };
    TForm* skinned = Child();
    TWinSkinForm* first = FindSkinForm(skinned->Handle());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->SkinFrame, 1);
    EXPECT_EQ(frameHeight(skinned->Handle()), first->BorderTop + first->BorderBottom);

    TSkinOptions options = Data().Options();
    options.Include(xoMDIChildBorder);
    Data().SetOptions(options);
    TForm* plain = Child(40, 40);
    TWinSkinForm* second = FindSkinForm(plain->Handle());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->SkinFrame, 0);
    // The system's frame for the child's style, and no cut region.
    HWND w = plain->Handle();
    RECT adjusted{0, 0, 100, 100};
    AdjustWindowRectEx(&adjusted, static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(w, GWL_EXSTYLE)));
    EXPECT_EQ(frameHeight(w), (adjusted.bottom - adjusted.top) - 100);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(w, region), ERROR);
    DeleteObject(region);

    // Maximising: the manager leaves the children's regions to them.
    ASSERT_EQ(first->RegionOwned, 1);
    Maximize(skinned);
    EXPECT_EQ(first->RegionOwned, 1);
    options.Exclude(xoMDIChildBorder);
    Data().SetOptions(options);
}

TEST_F(MdiTest, MaximisingTakesTheSkinnedChildrensRegionsAway)
{
    TForm* child = Child();
    TWinSkinForm* form = FindSkinForm(child->Handle());
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(form->RegionOwned, 1);
    Maximize(child);
    EXPECT_EQ(form->RegionOwned, 0);
}

TEST_F(MdiTest, AChildThatANewSkinMakesSmallerLeavesNoneOfItsPixelsInTheClient)
{
    TForm* child = Child(10, 10);
    HWND window = child->Handle();
    RECT before{};
    GetWindowRect(window, &before);
    RECT clientRect{};
    GetClientRect(client, &clientRect);
    POINT away{clientRect.right - 5, clientRect.bottom - 5};
    ClientToScreen(client, &away);
    const TColor background = ScreenColor(away);
    ASSERT_NE(background, kBottomActive);
    ASSERT_NE(background, kBottomInactive);

    // A title 12 pixels lower: the child keeps its client area and ends 12
    // pixels higher up; the rows it left show the client's background.
    ASSERT_TRUE(LoadMdiSkin(Data(), kTop - 12));
    ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    RECT after{};
    GetWindowRect(window, &after);
    ASSERT_EQ(after.bottom, before.bottom - 12);
    for (int y = after.bottom; y < before.bottom; y += 3)
        for (LONG x : {before.left + 2, (before.left + before.right) / 2, before.right - 3})
            EXPECT_EQ(ScreenColor(POINT{x, y}), background) << x << "," << y;
    delete child;
}
