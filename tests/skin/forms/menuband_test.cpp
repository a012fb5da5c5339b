// The menu band: its layout in both reading orders, the frames it and its
// buttons draw, hit tests and the client area below it, accelerators,
// rebuilding on a new menu, the drop-down entries a window draws, and
// moving between drop-downs with the arrow keys.

#include "captiontestkit.h"
#include "menutestkit.h"

#include "skin/forms/discovery.h"
#include "skin/forms/menuband.h"
#include "skin/forms/menuitems.h"
#include "skin/forms/skinmessages.h"

#include "framework/messages.h"
#include "framework/ownmessages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

constexpr UINT kRefresh = 5001;   // engine-range identifiers: no framework item
constexpr UINT kExit = 5002;
constexpr UINT kAbout = 5003;

HMENU MakeMenu(bool withDisabled)
{
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, kRefresh, "&Refresh");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, kExit, "E&xit");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, kAbout, "&About");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    if (withDisabled) {
        HMENU more = CreatePopupMenu();
        AppendMenuA(more, MF_STRING, 5004, "Nothing");
        AppendMenuA(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(more), "&Disabled");
    }
    return bar;
}

int TextWidth(const std::wstring& text, int dpi = 0)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const LOGFONTW logFont = SystemMenuFont(dpi);
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return r.right - r.left;
}

class MenuBandTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        ASSERT_TRUE(LoadMenuSkin(Data()));
        Data().SetMenuUpdate(true);
        PumpUntil([&] { return !Manager().ActionPending(); });
    }
    HWND MakeMenuWindow(DWORD exStyle = 0, bool withDisabled = false)
    {
        HWND window = MakeButtonWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 300,
                                       MakeMenu(withDisabled));
        if (exStyle) {
            SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(exStyle));
            SkinFormOf(window).RightToLeft = 1;
        }
        SkinFormOf(window).UpdateNc(nullptr);
        return window;
    }
    static TWinSkinMenu& Band(HWND window)
    {
        TWinSkinMenu* band = SkinFormOf(window).MenuBar;
        if (!band)
            throw std::runtime_error("the window has no menu band");
        return *band;
    }
    // Button `index` of the band; a band with fewer throws (see SkinFormOf).
    static TMenuBtn& BandButton(HWND window, int index)
    {
        TMenuBtn* button = Band(window).Button(index);
        if (!button)
            throw std::runtime_error("the band has no button " + std::to_string(index));
        return *button;
    }
};

struct TLayoutRow {
    std::vector<int> widths;
    bool rightToLeft;
    std::vector<TRect> expected;
};

} // namespace

TEST(MenuBandLayout, ButtonsRunFromTheStartInBothReadingOrders)
{
    const TLayoutRow rows[] = {
        {{20, 30}, false, {{7, 0, 37, 19}, {37, 0, 77, 19}}},
        {{20, 30}, true, {{163, 0, 193, 19}, {123, 0, 163, 19}}},
        // An empty caption takes no room; a hidden button has no rectangle.
        {{20, 0, -1, 5}, false, {{7, 0, 37, 19}, {37, 0, 37, 19}, {}, {37, 0, 52, 19}}},
        {{}, false, {}},
    };
    for (const auto& row : rows) {
        const auto rects = LayoutBand(row.widths, 200, 20, TBandStart{7, row.rightToLeft});
        ASSERT_EQ(rects.size(), row.expected.size());
        for (std::size_t i = 0; i < rects.size(); ++i)
            EXPECT_TRUE(EqualRect(&rects[i], &row.expected[i]))
                << i << ": " << rects[i].left << "," << rects[i].right;
    }
}

TEST_F(MenuBandTest, BandStartFollowsTheElementsMarginsOrSixWithoutIt)
{
    EXPECT_EQ(BandStart(Data().Elements(), 300, false, 96).X, kBarLeftMargin + 4);
    EXPECT_EQ(BandStart(Data().Elements(), 300, true, 96).X, kBarRightMargin + 8);
    EXPECT_EQ(BandStart(Data().Elements(), 300, false, 96).Padding, 10);
    EXPECT_EQ(BandStart(Data().Elements(), 5, false, 96).X, 12) << "a band narrower than the start";
    TSkinData plain(nullptr);
    ASSERT_TRUE(LoadMenuSkin(plain, false, true));
    EXPECT_EQ(BandStart(plain.Elements(), 300, false, 96).X, 6);
}

TEST_F(MenuBandTest, BandStartAndPaddingAtTwiceTheDpiAreTwiceThoseAt96)
{
    // The scaled set's margins are doubled; the gaps after them must be too,
    // or the first button sits closer to the band's edge than at 96 DPI.
    const TSkinElements& at192 = Data().ElementsAt(192);
    EXPECT_EQ(BandStart(at192, 600, false, 192).X, 2 * (kBarLeftMargin + 4));
    EXPECT_EQ(BandStart(at192, 600, true, 192).X, 2 * (kBarRightMargin + 8));
    EXPECT_EQ(BandStart(at192, 600, false, 192).Padding, 20);
    EXPECT_EQ(BandStart(at192, 5, false, 192).X, 24);
    EXPECT_EQ(BandStart(Data().ElementsAt(144), 600, false, 144).X,
              (3 * (kBarLeftMargin + 4) + 1) / 2);
    TSkinData plain(nullptr);
    ASSERT_TRUE(LoadMenuSkin(plain, false, true));
    EXPECT_EQ(BandStart(plain.ElementsAt(192), 600, false, 192).X, 12);
    // Buttons laid out from that start are twice as wide as at 96.
    const auto rects = LayoutBand({20, 30}, 600, 40, BandStart(at192, 600, false, 192));
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(RectWidth(rects[0]), 20 + 20);
    EXPECT_EQ(rects[1].left, rects[0].right);
}

TEST_F(MenuBandTest, TheNativeMenuIsDetachedAndTheBandSitsBetweenTitleAndClient)
{
    HWND window = MakeMenuWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form->MenuBar, nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(form->MenuBarHeight, GetSystemMetrics(SM_CYMENU));
    ASSERT_EQ(Band(window).Count(), 2);
    EXPECT_EQ(BandButton(window, 0).Caption, L"&File");
    EXPECT_NE(BandButton(window, 0).SubMenu, nullptr);

    // WM_NCCALCSIZE leaves the band's height above the client area.
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.y - windowRect.top, kTop + form->MenuBarHeight);
    EXPECT_EQ(origin.x - windowRect.left, kLeft);

    const TRect file = BandButton(window, 0).Rect;
    const TRect help = BandButton(window, 1).Rect;
    EXPECT_EQ(file.left, kLeft + kBarLeftMargin + 4);
    EXPECT_EQ(RectWidth(file), TextWidth(L"&File") + 10);
    EXPECT_EQ(help.left, file.right);
    EXPECT_EQ(RectWidth(help), TextWidth(L"&Help") + 10);
    EXPECT_EQ(file.top, kTop);
    EXPECT_EQ(file.bottom, kTop + form->MenuBarHeight - 1);

    // Giving the window back puts its menu back.
    HMENU native = Band(window).NativeMenu;
    form->UnSubclass();
    EXPECT_EQ(GetMenu(window), native);
    DestroyWindow(window);
}

// At 192 DPI the band is twice as high, starts after the doubled border,
// bar margin and gap, and its buttons fit the menu font at twice its height.
TEST_F(MenuBandTest, AtTwiceTheDpiTheBandAndItsButtonsAreTwiceAsLarge)
{
    HWND window = MakeMenuWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form->MenuBar, nullptr);
    const int height = form->MenuBarHeight;
    PaintFrame(window);
    const int fileText = RectWidth(BandButton(window, 0).Rect) - 10;

    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form->MenuBarHeight, 2 * height);
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.y - windowRect.top, 2 * kTop + 2 * height);

    PaintFrame(window);
    const TRect file = BandButton(window, 0).Rect;
    // The gap after the bar's margin and the button's padding double too.
    EXPECT_EQ(file.left, 2 * kLeft + 2 * (kBarLeftMargin + 4));
    // Text widths do not scale exactly with the font height: near twice.
    EXPECT_NEAR(RectWidth(file) - 20, 2 * fileText, 1 + fileText / 4);
    EXPECT_GT(RectWidth(file) - 20, fileText * 3 / 2);
    DestroyWindow(window);
}

TEST_F(MenuBandTest, ARightToLeftBandRunsFromTheRightEnd)
{
    HWND window = MakeMenuWindow(WS_EX_LEFTSCROLLBAR);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    const int bandRight = form->PaintWidth - kRight;
    const TRect file = BandButton(window, 0).Rect;
    const TRect help = BandButton(window, 1).Rect;
    EXPECT_EQ(file.right, bandRight - kBarRightMargin - 8);
    EXPECT_EQ(help.right, file.left);
    EXPECT_LT(help.left, help.right);
    DestroyWindow(window);
}

TEST_F(MenuBandTest, HitTestAnswersMenuOverTheBandAndCaptionAboveIt)
{
    HWND window = MakeMenuWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    const TRect file = BandButton(window, 0).Rect;
    const int bandY = kTop + form->MenuBarHeight / 2;
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, ScreenLParam(window, Centre(file))), HTMENU);
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, ScreenLParam(window, POINT{250, bandY})),
              HTMENU);
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, ScreenLParam(window, POINT{100, 10})),
              HTCAPTION);
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0,
                           ScreenLParam(window, POINT{100, kTop + form->MenuBarHeight + 5})),
              HTCLIENT);
    DestroyWindow(window);
}

TEST_F(MenuBandTest, BandFramesAndEachButtonStateAreDrawn)
{
    HWND window = MakeMenuWindow(0, true);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    auto frame = PaintFrame(window);
    const int y = kTop + 2;
    const TRect file = BandButton(window, 0).Rect;
    const TRect disabled = BandButton(window, 2).Rect;
    EXPECT_EQ(Pixel(*frame, 280, y), kBarActive);
    EXPECT_EQ(Pixel(*frame, file.left, file.top), kBarActive);

    auto count = [](TBitmap& b, const TRect& r, TColor c) {
        int n = 0;
        for (int yy = r.top; yy < r.bottom; ++yy)
            for (int xx = r.left; xx < r.right; ++xx)
                n += Pixel(b, xx, yy) == c;
        return n;
    };
    EXPECT_GT(count(*frame, file, kBarText), 5);
    EXPECT_EQ(count(*frame, file, kShadow), 0);
    EXPECT_GT(count(*frame, disabled, kShadow), 5) << "a disabled button's caption";
    EXPECT_EQ(count(*frame, disabled, kBarText), 0);

    SendMessageA(window, WM_NCACTIVATE, FALSE, 0);
    frame = PaintFrame(window);
    EXPECT_EQ(Pixel(*frame, 280, y), kBarInactive);
    SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    form->UpdateNc(nullptr);

    // Hot and pressed frame the button in the highlight colour; normal
    // puts the band back.
    TMenuBtn& button = BandButton(window, 0);
    for (int state : {3, 2, 1}) {
        button.State = state;
        button.Draw();
        auto shown = WindowPixels(window);
        const TColor edge = state == 1 ? kBarActive : kHotFrame;
        EXPECT_EQ(Pixel(*shown, file.left, file.top), edge) << state;
        EXPECT_EQ(Pixel(*shown, file.right - 1, file.bottom - 1), edge) << state;
        EXPECT_EQ(Pixel(*shown, file.right, file.top + 3), kBarActive) << state;
        EXPECT_GT(count(*shown, file, kBarText), 5) << state;
    }
    DestroyWindow(window);
}

TEST_F(MenuBandTest, AcceleratorsFindEnabledButtonsOnly)
{
    HWND window = MakeMenuWindow(0, true);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->FindButtonFromAccel(L'h'), Band(window).Button(1));
    EXPECT_EQ(form->FindButtonFromAccel(L'F'), Band(window).Button(0));
    EXPECT_EQ(form->FindButtonFromAccel(L'd'), nullptr) << "disabled";
    EXPECT_EQ(form->FindButtonFromAccel(L'q'), nullptr);
    DestroyWindow(window);
}

TEST_F(MenuBandTest, ANewMenuRebuildsTheBandAndIsDetachedAgain)
{
    HWND window = MakeMenuWindow();
    HMENU tools = CreatePopupMenu();
    AppendMenuA(tools, MF_STRING, 6001, "Options");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), "&Tools");
    AppendMenuA(bar, MF_STRING, 6002, "&Go");
    HMENU old = GetMenu(window);
    ASSERT_EQ(old, nullptr);
    SetMenu(window, bar);
    SendOwnMessage(window, CM_MENUCHANGED, 0, 0);
    EXPECT_EQ(GetMenu(window), nullptr);
    ASSERT_EQ(Band(window).Count(), 2);
    EXPECT_EQ(BandButton(window, 0).Caption, L"&Tools");
    EXPECT_EQ(BandButton(window, 1).SubMenu, nullptr);
    EXPECT_EQ(BandButton(window, 1).Command, 6002u);
    EXPECT_EQ(BandButton(window, 1).Rect.left, BandButton(window, 0).Rect.right);
    DestroyWindow(window);
}

// A window at 192 DPI measures its drop-down entries in the menu font and
// with the paddings of that DPI, and draws them from the scaled set.
TEST_F(MenuBandTest, DropDownEntriesOfAWindowAt192AreMeasuredAtItsScale)
{
    HWND window = MakeMenuWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(form->Dpi, 192);
    HMENU file = BandButton(window, 0).SubMenu;
    WMINITMENU(file);
    form->TrackedMenu = file;
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = kExit;
    EXPECT_TRUE(SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(static_cast<int>(measure.itemWidth), TextWidth(L"E&xit", 192) + 2 * (26 + kItemMargin));
    DestroyWindow(window);
}

TEST_F(MenuBandTest, DropDownEntriesOfAPlainWindowAreMeasuredAndDrawnFromTheSkin)
{
    HWND window = MakeMenuWindow();
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    HMENU file = BandButton(window, 0).SubMenu;
    WMINITMENU(file);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(file, kExit, FALSE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    GetMenuItemInfoA(file, 1, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "separators too";

    form->TrackedMenu = file;
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = kExit;
    EXPECT_TRUE(SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(static_cast<int>(measure.itemWidth), TextWidth(L"E&xit") + 26 + kItemMargin);

    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(120, 20);
    for (bool selected : {false, true}) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemID = kExit;
        draw.itemState = selected ? ODS_SELECTED : 0;
        draw.hwndItem = reinterpret_cast<HWND>(file);
        draw.hDC = bitmap.Canvas().Handle();
        draw.rcItem = RECT{0, 0, 120, 20};
        EXPECT_TRUE(SendMessageA(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
        EXPECT_EQ(Pixel(bitmap, 115, 2), kItemFrame[selected ? 4 : 1]) << selected;
    }
    DestroyWindow(window);
}

namespace {

// Read from inside the drop-down's loop by a thread timer: which band
// button is open, and the keys to send next.
std::vector<int> g_seen;
std::vector<WPARAM> g_keys;

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    g_seen.push_back(TrackedMenuIndex());
    const WPARAM key = g_keys.empty() ? VK_ESCAPE : g_keys.front();
    if (!g_keys.empty())
        g_keys.erase(g_keys.begin());
    PostMessageA(popup, WM_KEYDOWN, key, 0);
}

} // namespace

TEST_F(MenuBandTest, ArrowKeysMoveBetweenDropDownsAndWrapAtBothEnds)
{
    HWND window = MakeMenuWindow();
    const POINT help = Centre(BandButton(window, 1).Rect);
    const struct {
        std::vector<WPARAM> keys;
        std::vector<int> seen;
    } rows[] = {
        {{VK_RIGHT, VK_RIGHT}, {1, 0, 1}},   // Help → File (wraps) → Help
        {{VK_LEFT, VK_LEFT}, {1, 0, 1}},
        {{}, {1}},                           // Esc closes
    };
    for (const auto& row : rows) {
        g_seen.clear();
        g_keys = row.keys;
        const UINT_PTR timer = SetTimer(nullptr, 0, 150, WatchMenu);
        // Opened the way the skin manager asks for it.
        SendMessageA(window, WM_SKINMENUSELECT, 0, ScreenLParam(window, help));
        KillTimer(nullptr, timer);
        EXPECT_EQ(g_seen, row.seen);
        EXPECT_EQ(TrackedMenuIndex(), -1);
        EXPECT_EQ(SkinFormOf(window).MenuTracking, 0);
    }
    DestroyWindow(window);
}

namespace {

constexpr TColor kFace[6] = {0, RGBColor(1, 100, 1), RGBColor(2, 100, 2), RGBColor(3, 100, 3),
                             RGBColor(4, 100, 4), RGBColor(5, 100, 5)};

} // namespace

TEST_F(MenuBandTest, ToolButtonsTakeTheButtonFrameOfTheirStateAndBarsTheToolbarImage)
{
    Files files = FrameSkinFiles({});
    files.push_back({"buttons.bmp", Bmp(50, 10, [](int x, int) { return kFace[x / 10 + 1]; })});
    ASSERT_TRUE(LoadSkin(Data(), FrameSkinIni({}) + "[Buttons]\nBitmap=buttons.bmp\n", files));
    PumpUntil([&] { return !Manager().ActionPending(); });
    HWND window = MakeMenuWindow();
    ASSERT_EQ(SkinFormOf(window).SkinState, skinstate::Active);

    TToolBar bar(nullptr);
    TToolButton button(nullptr);
    button.SetBounds(10, 2, 40, 20);
    TBitmap canvas;
    canvas.SetPixelFormat(pf32bit);
    canvas.SetSize(60, 24);
    const struct {
        TCustomDrawState state;
        int frame;   // 0: nothing drawn
    } rows[] = {
        {{cdsSelected}, 2}, {{cdsSelected, cdsHot}, 2}, {{cdsHot}, 4},
        {{cdsFocused}, 4},  {{cdsDisabled}, 0},         {{cdsGrayed}, 0},
        {{cdsDefault}, 1},  {{}, 0},
    };
    for (const auto& row : rows) {
        canvas.Canvas().Brush().SetColor(clBlack);
        canvas.Canvas().FillRect(TRect{0, 0, 60, 24});
        bar.Canvas().SetHandle(canvas.Canvas().Handle());
        bool defaultDraw = true;
        ToolBarDrawButton(window, &bar, &button, row.state, defaultDraw);
        bar.Canvas().SetHandle(nullptr);
        EXPECT_TRUE(defaultDraw) << "the framework still draws glyph and text";
        const TColor inside = row.frame ? kFace[row.frame] : clBlack;
        EXPECT_EQ(Pixel(canvas, 30, 12), inside) << row.frame;
        EXPECT_EQ(Pixel(canvas, 11, 3), inside) << "shrunk by one pixel";
        EXPECT_EQ(Pixel(canvas, 10, 2), clBlack) << "the bounds' own edge";
    }

    DestroyWindow(window);
}

TEST_F(MenuBandTest, ToolButtonsWearTheToolBarFacesWhereTheSkinGivesThem)
{
    // Push-button faces and tool-bar faces side by side in one skin: the
    // tool button takes the latter, frame by frame, keyed where Trans asks.
    auto toolFace = [](int frame) { return RGBColor(200, 10 * frame, 100); };
    Files files = FrameSkinFiles({});
    files.push_back({"buttons.bmp", Bmp(50, 10, [](int x, int) { return kFace[x / 10 + 1]; })});
    files.push_back({"tools.bmp", Bmp(60, 12, [&](int x, int y) {
                         // A magenta hole in the middle of each face.
                         const int cx = x % 12;
                         if (cx >= 4 && cx < 8 && y >= 4 && y < 8)
                             return RGBColor(255, 0, 255);
                         return toolFace(x / 12 + 1);
                     })});
    ASSERT_TRUE(LoadSkin(Data(),
                         FrameSkinIni({}) + "[Buttons]\nBitmap=buttons.bmp\n"
                                            "[ToolBars]\nImage=tools.bmp\nTrans=1\n",
                         files));
    PumpUntil([&] { return !Manager().ActionPending(); });
    HWND window = MakeMenuWindow();
    ASSERT_EQ(SkinFormOf(window).SkinState, skinstate::Active);

    TToolBar bar(nullptr);
    TToolButton button(nullptr);
    button.SetBounds(10, 2, 40, 20);
    TBitmap canvas;
    canvas.SetPixelFormat(pf32bit);
    canvas.SetSize(60, 24);
    const struct {
        TCustomDrawState state;
        int frame;
    } rows[] = {{{cdsSelected}, 2}, {{cdsHot}, 4}, {{cdsDefault}, 1}};
    for (const auto& row : rows) {
        canvas.Canvas().Brush().SetColor(clBlack);
        canvas.Canvas().FillRect(TRect{0, 0, 60, 24});
        bar.Canvas().SetHandle(canvas.Canvas().Handle());
        bool defaultDraw = true;
        ToolBarDrawButton(window, &bar, &button, row.state, defaultDraw);
        bar.Canvas().SetHandle(nullptr);
        EXPECT_EQ(Pixel(canvas, 12, 4), toolFace(row.frame)) << row.frame;
        EXPECT_EQ(Pixel(canvas, 30, 12), clBlack) << "the keyed middle " << row.frame;
        EXPECT_EQ(Pixel(canvas, 10, 2), clBlack) << "the bounds' own edge";
    }
    DestroyWindow(window);
}

TEST_F(MenuBandTest, TheToolbarImageIsStretchedOverTheBarUnlessTheOptionKeepsTheFrameworkLook)
{
    HWND window = MakeMenuWindow();
    const TDataSkinObject* toolbar = Data().Elements().Toolbar.get();
    ASSERT_TRUE(ElementPresent(toolbar));
    const TColor top = Pixel(toolbar->Image, toolbar->Image.Width() / 2, 0);
    TToolBar bar(nullptr);
    TBitmap canvas;
    canvas.SetPixelFormat(pf32bit);
    canvas.SetSize(60, 24);
    for (bool keep : {true, false}) {
        TSkinOptions options = Data().Options();
        if (keep)
            options.Include(xoToolbarBK);
        else
            options.Exclude(xoToolbarBK);
        Data().SetOptions(options);
        canvas.Canvas().Brush().SetColor(clBlack);
        canvas.Canvas().FillRect(TRect{0, 0, 60, 24});
        bar.Canvas().SetHandle(canvas.Canvas().Handle());
        bool defaultDraw = true;
        ToolBarDrawBackground(window, &bar, RECT{0, 0, 60, 24}, defaultDraw);
        bar.Canvas().SetHandle(nullptr);
        EXPECT_EQ(Pixel(canvas, 30, 0), keep ? clBlack : top) << keep;
        EXPECT_NE(Pixel(canvas, 59, 23) == clBlack, !keep) << keep;
    }
    DestroyWindow(window);
}

namespace {

// The left edge of each drop-down seen by WatchMenu, in screen coordinates.
std::vector<int> g_lefts;

void CALLBACK WatchMenuPlace(HWND window, UINT message, UINT_PTR id, DWORD time)
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (popup && IsWindowVisible(popup)) {
        RECT r{};
        GetWindowRect(popup, &r);
        g_lefts.push_back(r.left);
    }
    WatchMenu(window, message, id, time);
}

HMENU MakeThreeMenus()
{
    HMENU bar = CreateMenu();
    const char* captions[] = {"&File", "&Edit", "&Help"};
    for (int i = 0; i < 3; ++i) {
        HMENU drop = CreatePopupMenu();
        AppendMenuA(drop, MF_STRING, kRefresh + static_cast<UINT>(i), "Entry");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), captions[i]);
    }
    return bar;
}

} // namespace

// A right-to-left window: Alt+F opens File, the band's rightmost button;
// ← goes on in reading order (leftwards on the screen) and → back, each
// wrapping at both ends; the drop-downs open where their buttons are.
TEST_F(MenuBandTest, ARightToLeftBandFollowsTheKeysInReadingOrder)
{
    HWND window = MakeButtonWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, MakeThreeMenus());
    SetWindowLongA(window, GWL_EXSTYLE, WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT | WS_EX_RTLREADING);
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    form->RightToLeft = 1;
    form->UpdateNc(nullptr);
    ASSERT_EQ(Band(window).Count(), 3);
    const TRect file = BandButton(window, 0).Rect;
    EXPECT_GT(file.left, BandButton(window, 1).Rect.left) << "File is the rightmost button";
    const struct {
        std::vector<WPARAM> keys;
        std::vector<int> seen;
    } rows[] = {
        {{VK_LEFT, VK_LEFT, VK_LEFT}, {0, 1, 2, 0}},     // File → Edit → Help → File
        {{VK_RIGHT, VK_RIGHT, VK_RIGHT}, {0, 2, 1, 0}},  // File → Help → Edit → File
    };
    for (const auto& row : rows) {
        g_seen.clear();
        g_lefts.clear();
        g_keys = row.keys;
        SetForegroundWindow(window);
        // Alt+F as the keyboard delivers it: the system turns it into
        // WM_SYSCHAR and then SC_KEYMENU with the letter.
        PostMessageA(window, WM_SYSKEYDOWN, 'F', 0x20000001);
        const UINT_PTR timer = SetTimer(nullptr, 0, 150, WatchMenuPlace);
        PumpUntil([] { return !g_seen.empty() && TrackedMenuIndex() == -1; });
        KillTimer(nullptr, timer);
        EXPECT_EQ(g_seen, row.seen);
        ASSERT_EQ(g_lefts.size(), row.seen.size());
        // Each drop-down hangs right-aligned under its button: reading order
        // runs leftwards on the screen.
        for (std::size_t i = 1; i < g_lefts.size(); ++i) {
            const bool onwards = row.seen[i] > row.seen[i - 1];
            EXPECT_EQ(g_lefts[i] < g_lefts[i - 1], onwards) << "step " << i;
        }
        EXPECT_EQ(TrackedMenuIndex(), -1);
        EXPECT_EQ(form->MenuTracking, 0);
    }
    DestroyWindow(window);
}
