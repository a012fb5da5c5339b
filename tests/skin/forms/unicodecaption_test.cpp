// A caption in another script is painted in the skinned title with its own
// glyphs: the title's ink is that of the same text drawn by DrawTextW in the
// caption font, and not that of question marks.

#include "formtestkit.h"
#include "glyphcheck.h"

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
    // Three code points no font has: the caption font's missing-glyph marks.
    HWND boxesWindow = MakeUnicodeWindow(L"\uffff\uffff\uffff");
    ASSERT_NE(WaitSkinned(greekWindow), nullptr);
    ASSERT_NE(WaitSkinned(marksWindow), nullptr);
    ASSERT_NE(WaitSkinned(boxesWindow), nullptr);
    const TFont& font = SkinFormOf(greekWindow).CaptionFont;

    const std::vector<int> painted = TitleProfile(greekWindow);
    const std::vector<int> marks = TitleProfile(marksWindow);
    const std::vector<int> boxes = TitleProfile(boxesWindow);
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
    // Nor boxes: the caption font has these letters, or links to a face
    // that has them.
    EXPECT_GT(DifferingColumns(painted, boxes), 4);
    EXPECT_EQ(CharactersWithoutGlyphs(font.Handle(), greek), L"");

    DestroyWindow(greekWindow);
    DestroyWindow(marksWindow);
    DestroyWindow(boxesWindow);
}

// The system's caption font is what the engine writes every skinned title
// in: a title in Japanese, Cyrillic or with accents needs its glyphs too.
TEST_F(SkinEngineTest, TheCaptionFontDrawsEveryScriptOfTheNames)
{
    HWND window = MakeUnicodeWindow(L"Tarnivo");
    ASSERT_NE(WaitSkinned(window), nullptr);
    const TFont& font = SkinFormOf(window).CaptionFont;
    EXPECT_EQ(CharactersWithoutGlyphs(font.Handle(),
                                      L"\u0396\u03c9\u03ae \u65e5\u672c\u8a9e\u30e1\u30e2 "
                                      L"\u041f\u0440\u0438\u0432\u0435\u0442 Caf\u00e9"),
              L"");
    // The check itself: a code point that no font has is found out.
    EXPECT_EQ(CharactersWithoutGlyphs(font.Handle(), L"A\u0378"), L"\u0378");
    DestroyWindow(window);
}
