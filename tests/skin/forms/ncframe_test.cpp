// The skinned frame as painted (WM_SKINPAINTNC into a memory bitmap) and the
// window region cut from the border images.

#include "formtestkit.h"

#include "skin/forms/skinmessages.h"

#include "framework/regions.h"

#include <gtest/gtest.h>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

class FrameTest : public SkinEngineTest {
protected:
    // Loads another frame skin into the test's skin data and applies it.
    void UseSkin(const FrameSkinOptions& options)
    {
        ASSERT_TRUE(LoadFrameSkin(Data(), options));
        PumpUntil([&] { return !Manager().ActionPending(); });
    }

    // A skinned window of exactly `width` x 200 pixels. (Skinning keeps the
    // client size, so the window's size changes with the frame; without a
    // thick frame the system accepts any size.)
    HWND Skinned(const char* caption = "Test window", int width = 300, DWORD exStyle = 0,
                 DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU)
    {
        HWND window = MakeWindow(caption, style, exStyle, width, 200);
        EXPECT_NE(WaitSkinned(window), nullptr);
        SetWindowPos(window, nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(WindowSize(window).cx, width);
        return window;
    }

    // x range of the title-bar pixels in row y that differ from `background`
    // between `from` and `to`: {first, last}, or {-1, -1} when none does.
    static std::pair<int, int> Ink(const TBitmap& image, int y, int from, int to, TColor background)
    {
        int first = -1, last = -1;
        for (int x = from; x < to; ++x)
            if (Pixel(image, x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
            }
        return {first, last};
    }
    // The ink over every row of the title bar, between the side borders.
    static std::pair<int, int> TitleInk(const TBitmap& image)
    {
        const int from = kLeft;
        const int to = image.Width() - kRight;
        std::pair<int, int> all{-1, -1};
        for (int y = 2; y < kTop - 2; ++y) {
            auto row = Ink(image, y, from, to, kTopActive);
            if (row.first < 0)
                continue;
            if (all.first < 0 || row.first < all.first)
                all.first = row.first;
            all.second = std::max(all.second, row.second);
        }
        return all;
    }
};

} // namespace

TEST_F(FrameTest, BordersAndTitleComeFromTheSkinAndTheInactiveFrameIsFrameTwo)
{
    HWND window = Skinned("");
    const TSize size = WindowSize(window);
    auto frame = PaintFrame(window);
    const int midY = size.cy / 2;
    EXPECT_EQ(Pixel(*frame, 0, midY), kLeftActive);
    EXPECT_EQ(Pixel(*frame, kLeft - 1, midY), kLeftActive);
    EXPECT_EQ(Pixel(*frame, size.cx - kRight, midY), kRightActive);
    EXPECT_EQ(Pixel(*frame, size.cx - 1, midY), kRightActive);
    EXPECT_EQ(Pixel(*frame, size.cx / 2, size.cy - 1), kBottomActive);
    EXPECT_EQ(Pixel(*frame, size.cx / 2, size.cy - kBottom), kBottomActive);
    EXPECT_EQ(Pixel(*frame, size.cx / 2, 1), kTopActive);
    EXPECT_EQ(Pixel(*frame, kLeft, kTop - 1), kTopActive);
    // The side strips run the full height, under the title's ends.
    EXPECT_EQ(Pixel(*frame, 1, 1), kLeftActive);
    EXPECT_EQ(Pixel(*frame, size.cx - 1, 1), kRightActive);
    // The client area is not painted.
    EXPECT_EQ(Pixel(*frame, size.cx / 2, midY), kMagenta);

    SendMessageA(window, WM_NCACTIVATE, FALSE, 0);
    frame = PaintFrame(window);
    EXPECT_EQ(Pixel(*frame, 0, midY), kLeftInactive);
    EXPECT_EQ(Pixel(*frame, size.cx - 1, midY), kRightInactive);
    EXPECT_EQ(Pixel(*frame, size.cx / 2, size.cy - 1), kBottomInactive);
    EXPECT_EQ(Pixel(*frame, size.cx / 2, 1), kTopInactive);

    SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
    frame = PaintFrame(window);
    EXPECT_EQ(Pixel(*frame, size.cx / 2, 1), kTopActive);
    DestroyWindow(window);
}

TEST_F(FrameTest, TitleCapsKeepTheirWidthUntilTheTitleIsNarrowerThanBoth)
{
    // A 240-pixel top image: 80 pixels of left cap, 80 of middle, 80 of right cap.
    FrameSkinOptions options;
    options.topCaps = 80;
    options.topImageWidth = 240;
    UseSkin(options);
    // Wide: the caps are copied 1:1 at both ends of the title.
    HWND wide = Skinned("", 400);
    auto frame = PaintFrame(wide);
    EXPECT_EQ(Pixel(*frame, kLeft, 5), kTopLeftCap);
    EXPECT_EQ(Pixel(*frame, kLeft + 79, 5), kTopLeftCap);
    EXPECT_EQ(Pixel(*frame, kLeft + 80, 5), kTopActive);
    EXPECT_EQ(Pixel(*frame, 400 - kRight - 80, 5), kTopRightCap);
    EXPECT_EQ(Pixel(*frame, 400 - kRight - 81, 5), kTopActive);

    // Exactly both caps wide: still kept, no middle left.
    SetWindowPos(wide, nullptr, 0, 0, 160 + kLeft + kRight, 200, SWP_NOMOVE | SWP_NOZORDER);
    frame = PaintFrame(wide);
    EXPECT_EQ(Pixel(*frame, kLeft + 79, 5), kTopLeftCap);
    EXPECT_EQ(Pixel(*frame, kLeft + 80, 5), kTopRightCap);

    // A title of 150 pixels (less than 80 + 80): no caps, the whole frame is
    // stretched edge to edge, so the caps shrink with it.
    SetWindowPos(wide, nullptr, 0, 0, 150 + kLeft + kRight, 200, SWP_NOMOVE | SWP_NOZORDER);
    frame = PaintFrame(wide);
    EXPECT_EQ(Pixel(*frame, kLeft, 5), kTopLeftCap);
    EXPECT_EQ(Pixel(*frame, kLeft + 60, 5), kTopActive);
    EXPECT_EQ(Pixel(*frame, kLeft + 90, 5), kTopActive);
    EXPECT_EQ(Pixel(*frame, kLeft + 149, 5), kTopRightCap);
    DestroyWindow(wide);
}

TEST_F(FrameTest, CaptionTextFollowsTheAlignmentShiftAndClip)
{
    const int titleLeft = kLeft;
    auto inkFor = [&](int alignment, int shift, int clip, DWORD exStyle = 0) {
        FrameSkinOptions options;
        options.textAlignment = alignment;
        options.textShift = shift;
        options.textRightClip = clip;
        UseSkin(options);
        HWND window = Skinned("Caption", 300, exStyle);
        auto frame = PaintFrame(window);
        auto ink = TitleInk(*frame);
        DestroyWindow(window);
        return ink;
    };
    const int titleRight = 300 - kRight;
    const int titleCentre = (titleLeft + titleRight) / 2;

    // Left: TextShift moves the text by exactly its value.
    const auto left10 = inkFor(0, 10, 0);
    const auto left40 = inkFor(0, 40, 0);
    ASSERT_GE(left10.first, titleLeft + 10);
    EXPECT_EQ(left40.first - left10.first, 30);
    EXPECT_EQ(left40.second - left10.second, 30);
    const int inkWidth = left10.second - left10.first;

    // Centred: the middle of the ink is near the middle of the title (the
    // caption's leading space and trailing two spaces shift it a little).
    const auto centred = inkFor(1, 0, 0);
    EXPECT_NEAR((centred.first + centred.second) / 2, titleCentre, 12);
    EXPECT_EQ(centred.second - centred.first, inkWidth);

    // Right: TextRightClip moves it left by exactly its value.
    const auto right0 = inkFor(2, 0, 0);
    const auto right30 = inkFor(2, 0, 30);
    EXPECT_GT(right0.first, titleCentre);
    EXPECT_LE(right0.second, titleRight);
    EXPECT_EQ(right0.first - right30.first, 30);

    // An unknown alignment puts the text at the title's left edge.
    const auto other = inkFor(7, 40, 0);
    EXPECT_EQ(other.first, left10.first - 10);

    // Right to left: right-aligned at TextRightClip whatever the alignment.
    const auto rtl = inkFor(0, 40, 30, WS_EX_LEFTSCROLLBAR);
    EXPECT_EQ(rtl.first, right30.first);
    EXPECT_EQ(rtl.second, right30.second);
}

TEST_F(FrameTest, LongCaptionsEndInAnEllipsisAtTheClip)
{
    FrameSkinOptions options;
    options.textRightClip = 50;
    UseSkin(options);
    const std::string longText(200, 'W');
    const DWORD overlapped = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const int limit = 300 - kRight - 50;
    for (DWORD exStyle : {DWORD{0}, DWORD{WS_EX_LEFTSCROLLBAR}}) {
        HWND window = Skinned(longText.c_str(), 300, exStyle, overlapped);
        auto frame = PaintFrame(window);
        const auto ink = TitleInk(*frame);
        EXPECT_LE(ink.second, limit) << exStyle;
        EXPECT_GT(ink.second, limit - 20) << "the text stops well before the clip";
        // The last glyphs are dots on the base line: their ink starts well
        // below the top of the W's before them.
        auto inkTop = [&](int from, int to) {
            for (int y = 0; y < kTop; ++y)
                for (int x = from; x < to; ++x)
                    if (Pixel(*frame, x, y) != kTopActive)
                        return y;
            return kTop;
        };
        EXPECT_GT(inkTop(ink.second - 3, ink.second + 1), inkTop(ink.second - 60, ink.second - 20) + 4)
            << "no ellipsis at the end";
        DestroyWindow(window);
    }
    // A popup window's caption is cut only at the caption buttons on its right.
    HWND popup = Skinned(longText.c_str(), 300);
    auto frame = PaintFrame(popup);
    EXPECT_GT(TitleInk(*frame).second, limit);
    DestroyWindow(popup);
}

TEST_F(FrameTest, OpaqueBordersGiveTheWholeWindowAsRegion)
{
    HWND window = Skinned();
    const TSize size = WindowSize(window);
    GdiRegion region = WindowRegion(window);
    ASSERT_TRUE(region);
    GdiRegion whole = RectRegion(TRect{0, 0, size.cx, size.cy});
    EXPECT_TRUE(RegionsEqual(region.Get(), whole.Get()));
    DestroyWindow(window);
}

TEST_F(FrameTest, TransparentBottomAloneCutsTheRegionWithTheMagentaTolerance)
{
    FrameSkinOptions options;
    options.trans[3] = 1;
    // Columns 0-9 of the bottom image: pure magenta; 10-19: green 1, still
    // transparent; 20-29: green 2, opaque; 30-39: red 254, opaque. The image
    // is stretched over the bottom strip, so each band covers a quarter.
    options.bottomPixel = [](int x, int) {
        if (x < 10)
            return RGBColor(255, 0, 255);
        if (x < 20)
            return RGBColor(255, 1, 255);
        if (x < 30)
            return RGBColor(255, 2, 255);
        return RGBColor(254, 0, 255);
    };
    UseSkin(options);
    HWND window = Skinned("", 400 + kLeft + kRight);
    const TSize size = WindowSize(window);
    GdiRegion region = WindowRegion(window);
    ASSERT_TRUE(region);
    const int y = size.cy - 2;
    EXPECT_FALSE(RegionContains(region.Get(), kLeft + 50, y));
    EXPECT_FALSE(RegionContains(region.Get(), kLeft + 150, y));
    EXPECT_TRUE(RegionContains(region.Get(), kLeft + 250, y));
    EXPECT_TRUE(RegionContains(region.Get(), kLeft + 350, y));
    // The opaque borders and the client area stay whole.
    EXPECT_TRUE(RegionContains(region.Get(), 0, y));
    EXPECT_TRUE(RegionContains(region.Get(), size.cx - 1, y));
    EXPECT_TRUE(RegionContains(region.Get(), 0, 0));
    EXPECT_TRUE(RegionContains(region.Get(), size.cx / 2, size.cy / 2));
    EXPECT_TRUE(RegionContains(region.Get(), kLeft + 50, size.cy - kBottom - 1));
    DestroyWindow(window);
}

namespace {

// How many title-bar pixels have exactly `color`.
int TitleCount(const TBitmap& image, TColor color)
{
    int n = 0;
    for (int y = 0; y < kTop; ++y)
        for (int x = kLeft; x < image.Width() - kRight; ++x)
            n += Pixel(image, x, y) == color;
    return n;
}

// First and last title row holding a pixel other than the title's own.
std::pair<int, int> InkRows(const TBitmap& image)
{
    std::pair<int, int> rows{-1, -1};
    for (int y = 0; y < kTop; ++y)
        for (int x = kLeft; x < image.Width() - kRight; ++x)
            if (Pixel(image, x, y) != kTopActive) {
                if (rows.first < 0)
                    rows.first = y;
                rows.second = y;
                break;
            }
    return rows;
}

constexpr TColor kWhite = RGBColor(255, 255, 255);
constexpr TColor kCyan = RGBColor(0, 255, 255);
constexpr TColor kOwnActive = RGBColor(200, 10, 10);
constexpr TColor kOwnInactive = RGBColor(10, 200, 10);

} // namespace

TEST_F(FrameTest, CaptionTakesTheTitlesOwnTextColoursOverTheSchemeColours)
{
    auto counts = [&](const std::string& personality) {
        FrameSkinOptions options;
        options.personality = personality;
        UseSkin(options);
        HWND window = Skinned("WWWW");
        std::array<int, 4> active{}, inactive{};
        auto frame = PaintFrame(window);
        active = {TitleCount(*frame, kWhite), TitleCount(*frame, kCyan),
                  TitleCount(*frame, kOwnActive), TitleCount(*frame, kOwnInactive)};
        SendMessageA(window, WM_NCACTIVATE, FALSE, 0);
        frame = PaintFrame(window);
        inactive = {TitleCount(*frame, kWhite), TitleCount(*frame, kCyan),
                    TitleCount(*frame, kOwnActive), TitleCount(*frame, kOwnInactive)};
        DestroyWindow(window);
        return std::make_pair(active, inactive);
    };
    // Without the title's colours: the scheme's TitleTextActive (white) and
    // TitleTextNoActive (cyan).
    const auto scheme = counts("");
    EXPECT_GT(scheme.first[0], 10);
    EXPECT_EQ(scheme.first[2], 0);
    EXPECT_GT(scheme.second[1], 10);
    EXPECT_EQ(scheme.second[3], 0);

    const auto own = counts("ActiveTextR=200\nActiveTextG=10\nActiveTextB=10\n"
                            "InActiveTextR=10\nInActiveTextG=200\nInActiveTextB=10\n");
    EXPECT_EQ(own.first[0], 0);
    EXPECT_EQ(own.first[2], scheme.first[0]) << "the same glyphs in the title's active colour";
    EXPECT_EQ(own.second[1], 0);
    EXPECT_EQ(own.second[3], scheme.second[1]) << "the same glyphs in the title's inactive colour";

    // A triple with a part missing is no colour: the scheme's stays.
    const auto partial = counts("ActiveTextR=200\nActiveTextG=10\n");
    EXPECT_EQ(partial.first[0], scheme.first[0]);
    EXPECT_EQ(partial.first[2], 0);
}

TEST_F(FrameTest, FontHeightSetsTheCaptionsCellHeight)
{
    auto rows = [&](const std::string& fonts) {
        FrameSkinOptions options;
        options.extraIni = fonts;
        UseSkin(options);
        HWND window = Skinned("WWWW");
        auto frame = PaintFrame(window);
        const auto ink = InkRows(*frame);
        DestroyWindow(window);
        return ink;
    };
    const auto small = rows("[Fonts]\nFontHeight=10\n");
    const auto large = rows("[Fonts]\nFontHeight=22\n");
    ASSERT_GE(small.first, 0);
    ASSERT_GE(large.first, 0);
    const int smallHeight = small.second - small.first + 1;
    const int largeHeight = large.second - large.first + 1;
    // A capital takes most of the cell: about 7 and 16 pixels.
    EXPECT_GE(largeHeight - smallHeight, 6);
    EXPECT_LE(largeHeight, 22);
    EXPECT_LE(smallHeight, 10);

    // Without the key the system's caption font stays.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));
    TFont system;
    system.AssignLogFont(metrics.lfCaptionFont);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, system.Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    const auto none = rows("");
    const auto same = rows("[Fonts]\nFontHeight=" + std::to_string(tm.tmHeight) + "\n");
    EXPECT_EQ(none, same);
}

TEST_F(FrameTest, TextbackgroundOneLaysAPlateOfTheCaptionColourBehindTheText)
{
    auto paint = [&](const std::string& personality) {
        FrameSkinOptions options;
        // Caps wider than a third of the image make the caption colour (read
        // there) the cap's, unlike the title's middle.
        options.topCaps = 25;
        options.textShift = 60;
        options.personality = personality;
        UseSkin(options);
        HWND window = Skinned("WWWW");
        auto frame = PaintFrame(window);
        DestroyWindow(window);
        return frame;
    };
    const auto plain = paint("");
    // The text's columns: the caps differ from the title's middle too.
    std::pair<int, int> ink{-1, -1};
    for (int x = kLeft; x < plain->Width() - kRight; ++x)
        for (int y = 0; y < kTop; ++y)
            if (Pixel(*plain, x, y) == kWhite) {
                if (ink.first < 0)
                    ink.first = x;
                ink.second = x;
            }
    ASSERT_GT(ink.first, kLeft + 25);
    const int middle = (ink.first + ink.second) / 2;
    EXPECT_EQ(Pixel(*plain, middle, 1), kTopActive);

    const auto plated = paint("Textbackground=1\n");
    const TColor plate = Data().Colors(csCaption);
    ASSERT_NE(plate, kTopActive);
    EXPECT_EQ(Pixel(*plated, middle, 1), plate);
    EXPECT_EQ(Pixel(*plated, middle, kTop - 1), plate);
    EXPECT_EQ(Pixel(*plated, ink.first - 1, kTop / 2), plate);
    // Not past the text box, nor over the rest of the title.
    EXPECT_EQ(Pixel(*plated, ink.first - 8, 1), kTopActive);
    EXPECT_EQ(Pixel(*plated, ink.second + 30, 1), kTopActive);
    // The text keeps its own colour over the plate.
    EXPECT_EQ(TitleCount(*plated, kWhite), TitleCount(*plain, kWhite));
}
