#include "skin/resources/textutil.h"

#include "framework/bitmap.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

TEST(TextConversion, RoundTripsThroughTheAnsiCodePage)
{
    EXPECT_EQ(StrToWideStr("Tarnivo 1.0"), L"Tarnivo 1.0");
    EXPECT_EQ(WideStringToStringEx(L"Skin"), "Skin");
    EXPECT_EQ(StrToWideStr(""), L"");
    EXPECT_EQ(WideStringToStringEx(L""), "");
    // Every byte of the code page that maps to a character comes back.
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    std::wstring wide = StrToWideStr(all);
    ASSERT_FALSE(wide.empty());
    if (GetACP() == 1252) {
        EXPECT_EQ(wide[0xE9 - 1], L'\u00E9');
    }
    EXPECT_EQ(StrToWideStr(WideStringToStringEx(wide)), wide);
}

TEST(TntDrawText, DrawsTheConvertedTextWithTheAnsiCall)
{
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(200, 40);
    HDC dc = b.Canvas().Handle();
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));

    RECT wide{0, 0, 0, 0};
    int h = Tnt_DrawTextW(dc, L"Caption text", wide, DT_CALCRECT | DT_SINGLELINE);
    RECT ansi{0, 0, 0, 0};
    int expected = DrawTextA(dc, "Caption text", -1, &ansi, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, expected);
    EXPECT_GT(h, 0);
    EXPECT_EQ(wide.right, ansi.right);

    // An ellipsis that DT_MODIFYSTRING would write back is not written anywhere.
    RECT narrow{0, 0, 20, 20};
    EXPECT_GT(Tnt_DrawTextW(dc, L"A rather long caption", narrow,
                            DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING),
              0);
}

} // namespace
} // namespace tarnivo
