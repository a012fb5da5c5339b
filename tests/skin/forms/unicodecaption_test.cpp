// A caption in another script is painted in the skinned title with its own
// glyphs: the title's ink is that of the same text drawn by DrawTextW in the
// caption font, and not that of question marks.

#include "formtestkit.h"

#include "skin/forms/winskinform.h"

#include "framework/bitmap.h"
#include "framework/dcscopes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

const wchar_t* const UnicodeClass = L"TarnivoUnicodeCaptionTest";

// A Unicode top-level window (wide class and procedure): its text is kept
// as UTF-16, whatever the ANSI code page holds.
HWND MakeUnicodeWindow(const wchar_t* caption)
{
    WNDCLASSW existing{};
    if (!GetClassInfoW(GetModuleHandleW(nullptr), UnicodeClass, &existing)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = UnicodeClass;
        RegisterClassW(&wc);
    }
    HWND window = CreateWindowExW(0, UnicodeClass, caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  40, 40, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    return window;
}

// Ink pixels per column, from the first column with ink on: the shape of a
// line of text wherever it stands and whatever its colour.
std::vector<int> InkProfile(const TBitmap& image, int top, int bottom, TColor background)
{
    std::vector<int> columns;
    for (int x = 0; x < image.Width(); ++x) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            ink += Pixel(image, x, y) != background;
        if (ink > 0 || !columns.empty())
            columns.push_back(ink);
    }
    while (!columns.empty() && columns.back() == 0)
        columns.pop_back();
    return columns;
}

// The title bar's ink between the side borders.
std::vector<int> TitleProfile(HWND window)
{
    auto frame = PaintFrame(window);
    TBitmap title;
    title.SetPixelFormat(pf32bit);
    title.SetSize(frame->Width() - kLeft - kRight, kTop);
    BitBlt(title.Canvas().Handle(), 0, 0, title.Width(), kTop, frame->Canvas().Handle(), kLeft, 0,
           SRCCOPY);
    // The title's own colour (active or not, as the test left the window):
    // the commonest one in the strip.
    std::map<TColor, int> counts;
    for (int y = 0; y < kTop; ++y)
        for (int x = 0; x < title.Width(); ++x)
            ++counts[Pixel(title, x, y)];
    const auto commonest = std::max_element(
        counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return InkProfile(title, 0, kTop, commonest->first);
}

// The text drawn by DrawTextW in `font`, dark on white.
std::vector<int> ReferenceProfile(const TFont& font, const wchar_t* text)
{
    TBitmap image;
    image.SetPixelFormat(pf32bit);
    image.SetSize(300, kTop);
    HDC dc = image.Canvas().Handle();
    RECT all{0, 0, 300, kTop};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectedObject selected(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, -1, &all, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    return InkProfile(image, 0, kTop, clWhite);
}

// Columns in which two profiles differ (a missing column counts as 0 ink).
int DifferingColumns(const std::vector<int>& a, const std::vector<int>& b)
{
    int differing = 0;
    for (std::size_t x = 0; x < std::max(a.size(), b.size()); ++x)
        differing += (x < a.size() ? a[x] : 0) != (x < b.size() ? b[x] : 0);
    return differing;
}

} // namespace

TEST_F(SkinEngineTest, AGreekCaptionIsPaintedWithItsOwnGlyphs)
{
    const wchar_t* const greek = L"\u0396\u03c9\u03ae";   // Ζωή
    HWND greekWindow = MakeUnicodeWindow(greek);
    HWND marksWindow = MakeUnicodeWindow(L"???");
    ASSERT_NE(WaitSkinned(greekWindow), nullptr);
    ASSERT_NE(WaitSkinned(marksWindow), nullptr);
    const TFont& font = SkinFormOf(greekWindow).CaptionFont;

    const std::vector<int> painted = TitleProfile(greekWindow);
    const std::vector<int> marks = TitleProfile(marksWindow);
    const std::vector<int> reference = ReferenceProfile(font, greek);
    ASSERT_FALSE(painted.empty()) << "no caption ink";
    ASSERT_FALSE(reference.empty());
    // The same glyphs: the same width, and (colours and smoothing aside) the
    // same ink in each column.
    EXPECT_NEAR(static_cast<int>(painted.size()), static_cast<int>(reference.size()), 1);
    EXPECT_LE(DifferingColumns(painted, reference), 2);
    // And not what the ANSI calls would have made of it.
    EXPECT_GT(DifferingColumns(painted, marks), 4);
    EXPECT_LE(DifferingColumns(marks, ReferenceProfile(font, L"???")), 2)
        << "the comparison itself tells glyphs apart";

    DestroyWindow(greekWindow);
    DestroyWindow(marksWindow);
}
