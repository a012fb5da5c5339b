// The skinned frame at other DPIs. The prefix stays at 96 DPI: each window is
// told its DPI the way the system tells a per-monitor aware program, with
// WM_DPICHANGED, and the frame is measured (WM_NCCALCSIZE through the client
// rectangle, caption buttons as laid out) and painted (WM_SKINPAINTNC).

#include "formtestkit.h"

#include "skin/forms/ncobject.h"
#include "skin/forms/skinmessages.h"

#include "framework/imagescale.h"
#include "framework/regions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

// What the frame of one window measures at one DPI.
struct FrameSizes {
    int left = 0, top = 0, right = 0, bottom = 0;
    int buttonWidth = 0, buttonHeight = 0;   // the close button's
    int iconWidth = 0;                       // the window icon's button
    int closeFromRight = 0;   // the close button's left edge, from the window's right
    int buttons = 0;          // visible caption buttons
    int fontHeight = 0;       // the caption font's (negative: character height)
};

class DpiFrameTest : public SkinEngineTest {
protected:
    static void TellDpi(HWND window, int dpi, WPARAM raw = 0)
    {
        RECT suggested{};
        GetWindowRect(window, &suggested);
        SendMessageA(window, WM_DPICHANGED, raw ? raw : MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }

    static FrameSizes Measure(HWND window)
    {
        const TSize size = WindowSize(window);
        const TRect client = ClientInWindow(window);
        FrameSizes m{client.left, client.top, size.cx - client.right, size.cy - client.bottom};
        PaintFrame(window);   // lays the caption buttons out
        m.fontHeight = SkinFormOf(window).CaptionFont.Height();
        for (const auto& button : SkinFormOf(window).SysButtons) {
            if (!button->Visible || RectWidth(button->Rect) <= 0)
                continue;
            ++m.buttons;
            if (button->Element->Action == 3)
                m.iconWidth = RectWidth(button->Rect);
            if (button->Element->Action != 0)
                continue;
            m.buttonWidth = RectWidth(button->Rect);
            m.buttonHeight = RectHeight(button->Rect);
            m.closeFromRight = size.cx - button->Rect.left;
        }
        return m;
    }

    HWND SkinnedWindow(int width, int height, DWORD style)
    {
        HWND window = MakeWindow("Scaled", style, 0, width, height);
        m_windows.push_back(window);
        EXPECT_NE(WaitSkinned(window), nullptr);
        return window;
    }

    // Every window goes with its test, however the test ended: a window left
    // behind would be skinned by the next test's manager when it is activated.
    void TearDown() override
    {
        for (HWND window : m_windows)
            if (IsWindow(window))
                DestroyWindow(window);
        SkinEngineTest::TearDown();
    }

    std::vector<HWND> m_windows;
};

// a is b scaled by num / den, give or take a pixel of rounding.
::testing::AssertionResult Scaled(int a, int b, int num, int den)
{
    if (std::abs(a * den - b * num) <= den)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " is not " << b << " * " << num << " / " << den;
}

} // namespace

TEST_F(DpiFrameTest, TheShippedSkinsFrameIsTwiceAsLargeAt192AndHalfAgainAt144)
{
    for (const char* skin : {"slate", "paper"}) {
        SCOPED_TRACE(skin);
        ASSERT_TRUE(LoadShippedSkin(Data(), skin));
        PumpUntil([&] { return !Manager().ActionPending(); });
        HWND window = SkinnedWindow(400, 300, WS_OVERLAPPEDWINDOW);
        std::map<int, FrameSizes> at;
        for (int dpi : {96, 144, 192}) {
            TellDpi(window, dpi);
            EXPECT_EQ(SkinFormOf(window).Dpi, dpi);
            at[dpi] = Measure(window);
        }
        const FrameSizes& n = at[96];
        ASSERT_GT(n.top, 10);
        ASSERT_GE(n.buttons, 3);
        ASSERT_GT(n.buttonWidth, 8);
        for (auto [dpi, num, den] : {std::tuple{144, 3, 2}, std::tuple{192, 2, 1}}) {
            SCOPED_TRACE(dpi);
            const FrameSizes& s = at[dpi];
            EXPECT_TRUE(Scaled(s.top, n.top, num, den)) << "caption height";
            EXPECT_TRUE(Scaled(s.left, n.left, num, den)) << "left border";
            EXPECT_TRUE(Scaled(s.right, n.right, num, den)) << "right border";
            EXPECT_TRUE(Scaled(s.bottom, n.bottom, num, den)) << "bottom border";
            EXPECT_TRUE(Scaled(s.buttonWidth, n.buttonWidth, num, den)) << "button width";
            EXPECT_TRUE(Scaled(s.buttonHeight, n.buttonHeight, num, den)) << "button height";
            EXPECT_TRUE(Scaled(s.iconWidth, n.iconWidth, num, den)) << "icon width";
            EXPECT_TRUE(Scaled(s.closeFromRight, n.closeFromRight, num, den)) << "close button place";
            EXPECT_EQ(s.buttons, n.buttons);
            EXPECT_TRUE(Scaled(s.fontHeight, n.fontHeight, num, den)) << "caption font";
        }
        // The shipped skins carry their frame drawn for 200 %: a window at 192
        // shows that picture, not the 96-DPI one doubled.
        const TBitmap& small = Data().Elements().Top->Image;
        const TBitmap& large = Data().ElementsAt(192).Top->Image;
        ASSERT_EQ(large.Width(), 2 * small.Width());
        int drawn = 0;
        for (int y = 0; y < large.Height(); ++y)
            for (int x = 0; x < large.Width(); ++x)
                drawn += Pixel(large, x, y) != Pixel(small, x / 2, y / 2);
        EXPECT_GT(drawn, 0);
        // Back at 96 the frame is what it was.
        TellDpi(window, 96);
        const FrameSizes back = Measure(window);
        EXPECT_EQ(back.top, n.top);
        EXPECT_EQ(back.left, n.left);
        EXPECT_EQ(back.buttonWidth, n.buttonWidth);
        DestroyWindow(window);
    }
}

TEST_F(DpiFrameTest, At192TheBordersArePaintedPixelForPixelTwiceOver)
{
    // A bottom border with a pattern, over a middle exactly as wide as its
    // picture (40 at 96 DPI, 80 at 192), so that no stretching comes in.
    FrameSkinOptions options;
    options.bottomPixel = [](int x, int y) { return RGBColor(x * 6, y * 30, (x + y) % 2 ? 255 : 0); };
    ASSERT_TRUE(LoadFrameSkin(Data(), options));
    PumpUntil([&] { return !Manager().ActionPending(); });
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    HWND window = SkinnedWindow(kLeft + 40 + kRight, 120, style);
    SetWindowPos(window, nullptr, 0, 0, kLeft + 40 + kRight, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto small = PaintFrame(window);

    TellDpi(window, 192);
    SetWindowPos(window, nullptr, 0, 0, 2 * (kLeft + 40 + kRight), 240,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(WindowSize(window).cx, 2 * (kLeft + 40 + kRight));
    auto large = PaintFrame(window);
    const int h = WindowSize(window).cy;
    for (int y = 0; y < 2 * kBottom; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(Pixel(*large, 2 * kLeft + x, h - 2 * kBottom + y),
                      Pixel(*small, kLeft + x / 2, 120 - kBottom + y / 2))
                << x << "," << y;
    // The side borders and the title band, at twice their widths.
    EXPECT_EQ(Pixel(*large, 2 * kLeft - 1, h / 2), kLeftActive);
    EXPECT_EQ(Pixel(*large, 2 * (kLeft + 40 + kRight) - 2 * kRight, h / 2), kRightActive);
    EXPECT_EQ(ClientInWindow(window).top, 2 * kTop);
}

TEST_F(DpiFrameTest, TheRegionIsCutFromTheScaledPictures)
{
    // A keyed bottom border: its magenta pixels (every fourth column of the
    // top row) are cut out of the window, doubled at 192 and picked nearest
    // at 144, where no keyed pixel may turn into a drawn one or back.
    FrameSkinOptions options;
    options.trans[3] = 1;
    options.bottomPixel = [](int x, int y) { return y == 0 && x % 4 == 0 ? kMagenta : kBottomActive; };
    ASSERT_TRUE(LoadFrameSkin(Data(), options));
    PumpUntil([&] { return !Manager().ActionPending(); });
    HWND window = SkinnedWindow(kLeft + 40 + kRight, 120, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    for (int dpi : {144, 192}) {
        SCOPED_TRACE(dpi);
        const TScaleFactor f = TScaleFactor::FromDpi(dpi);
        const int left = f.Apply(kLeft), middle = f.Apply(40), bottom = f.Apply(kBottom);
        TellDpi(window, dpi);
        SetWindowPos(window, nullptr, 0, 0, left + middle + f.Apply(kRight), 240,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpFor(50);
        GdiRegion region = RectRegion(TRect{0, 0, 0, 0});
        ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
        for (int y = 240 - bottom; y < 240 - bottom + 3; ++y) {
            const int sourceRow = (2 * (y - 240 + bottom) + 1) * kBottom / (2 * bottom);
            for (int x = 0; x < middle; ++x) {
                const int sourceColumn = (2 * x + 1) * 40 / (2 * middle);
                const bool keyed = sourceRow == 0 && sourceColumn % 4 == 0;
                ASSERT_EQ(PtInRegion(region.Get(), left + x, y) == FALSE, keyed) << x << "," << y;
            }
        }
    }
}

TEST_F(DpiFrameTest, ADpiFromAStrangerIsHeldToWhatWindowsUses)
{
    HWND window = SkinnedWindow(300, 200, WS_OVERLAPPEDWINDOW);
    const FrameSizes plain = Measure(window);
    TellDpi(window, 0, MAKEWPARAM(0, 0));
    EXPECT_EQ(SkinFormOf(window).Dpi, 96);
    EXPECT_EQ(Measure(window).top, plain.top);
    TellDpi(window, 0, MAKEWPARAM(0xFFFF, 0xFFFF));
    EXPECT_EQ(SkinFormOf(window).Dpi, 480);
    EXPECT_TRUE(Scaled(Measure(window).top, plain.top, 5, 1));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(DpiFrameTest, APopupsLongCaptionStopsShortOfItsButtonsByTheScaledGap)
{
    // A popup's caption is cut before its right-hand buttons; the gap left
    // there is a length on screen and doubles with the DPI as the buttons do.
    for (const char* skin : {"slate", "paper"}) {
        SCOPED_TRACE(skin);
        ASSERT_TRUE(LoadShippedSkin(Data(), skin));
        PumpUntil([&] { return !Manager().ActionPending(); });
        HWND window = SkinnedWindow(300, 200, WS_POPUP | WS_CAPTION | WS_SYSMENU);
        SetWindowTextW(window, std::wstring(120, L'W').c_str());
        for (int dpi : {96, 192}) {
            TellDpi(window, dpi);
            SetWindowPos(window, nullptr, 0, 0, 300 * dpi / 96, 200 * dpi / 96,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            PaintFrame(window);
            const TWinSkinForm& form = SkinFormOf(window);
            ASSERT_GT(form.RightButtonsLeft, 0);
            EXPECT_EQ(form.CaptionTextRect.right, form.RightButtonsLeft - 5 * dpi / 96) << dpi;
        }
        DestroyWindow(window);
    }
}
