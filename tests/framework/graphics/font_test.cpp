#include "framework/brush.h"
#include "framework/font.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

TEST(Font, SizeAndHeightFollowEachOther)
{
    TFont f;
    const int ppi = TFont::PixelsPerInch();
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Height(), -MulDiv(8, ppi, 72));
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -MulDiv(12, ppi, 72));
    EXPECT_EQ(f.Size(), 12);
    f.SetHeight(-MulDiv(20, ppi, 72));
    EXPECT_EQ(f.Size(), 20);
}

TEST(Font, ChangesNotifyOnceAndRemakeTheHandle)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    HFONT first = f.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(f.Handle(), first);   // made once

    f.SetColor(clRed);   // text colour is no part of the GDI font
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.Handle(), first);

    f.SetStyle({fsBold, fsItalic});
    f.SetStyle({fsBold, fsItalic});
    EXPECT_EQ(changes, 2);
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(f.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_FALSE(lf.lfUnderline);
}

TEST(Font, HandleAskedForDuringOnChangeIsTheNewFont)
{
    // A control answers OnChange by sending itself WM_SETFONT with Handle().
    TFont f;
    HFONT old = f.Handle();
    HFONT seen = nullptr;
    f.OnChange = [&](TObject*) { seen = f.Handle(); };
    f.SetHeight(-23);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen, f.Handle());
    EXPECT_EQ(GetObjectType(old), 0u);   // the old one is gone...
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(seen, sizeof lf, &lf), 0);   // ...the one handed out is alive
    EXPECT_EQ(lf.lfHeight, -23);

    TBrush brush;
    HBRUSH seenBrush = nullptr;
    brush.OnChange = [&](TObject*) { seenBrush = brush.Handle(); };
    brush.SetColor(clRed);
    LOGBRUSH lb{};
    ASSERT_NE(GetObjectA(seenBrush, sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(255, 0, 0));
}

TEST(Font, AssignAndLogFont)
{
    TFont a;
    a.SetName("Courier New");
    a.SetHeight(-17);
    a.SetStyle({fsUnderline});
    a.SetColor(clBlue);
    a.SetCharset(ANSI_CHARSET);
    TFont b;
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(a);
    b.Assign(a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Name(), "Courier New");
    EXPECT_EQ(b.Height(), -17);
    EXPECT_TRUE(b.Style().Contains(fsUnderline));
    EXPECT_EQ(b.Color(), clBlue);
    EXPECT_EQ(b.Charset(), ANSI_CHARSET);

    LOGFONTW lf{};
    GetObjectW(a.Handle(), sizeof lf, &lf);
    TFont c;
    c.AssignLogFont(lf);
    EXPECT_EQ(c.Name(), "Courier New");
    EXPECT_EQ(c.Height(), -17);
    EXPECT_EQ(c.Style(), TFontStyles{fsUnderline});
}

TEST(Font, FaceNamesInOtherScriptsReachTheSystemAndComeBack)
{
    // "ＭＳ ゴシック" and a Greek name: UTF-8 in the font, UTF-16 in the
    // system's record of the font asked for.
    const struct {
        const char* utf8;
        std::wstring wide;
    } faces[] = {
        {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
         L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF"},
        {"\xCE\x96\xCF\x89\xCE\xAE Sans", L"\u0396\u03C9\u03AE Sans"},
        // Longer than a face name holds: cut at 31 UTF-16 units.
        {"\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9"
         "\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9"
         "\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9"
         "\xCE\xA9\xCE\xA9\xCE\xA9\xCE\xA9",
         std::wstring(31, L'\u03A9')},
    };
    for (const auto& face : faces) {
        SCOPED_TRACE(face.utf8);
        TFont f;
        f.SetName(face.utf8);
        LOGFONTW lf{};
        ASSERT_EQ(GetObjectW(f.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(std::wstring(lf.lfFaceName), face.wide);
        TFont back;
        back.AssignLogFont(lf);
        std::string expected = face.utf8;
        if (face.wide.size() == 31)
            expected.resize(31 * 2);   // 31 two-byte letters
        EXPECT_EQ(back.Name(), expected);
    }
}

TEST(BrushAndPen, HandlesFollowStyle)
{
    TBrush brush;
    HBRUSH solid = brush.Handle();
    LOGBRUSH lb{};
    GetObjectA(solid, sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
    brush.SetStyle(bsClear);
    EXPECT_EQ(brush.Handle(), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetObjectType(solid), 0u);   // the old brush was freed
    brush.SetStyle(bsCross);
    GetObjectA(brush.Handle(), sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));

    TPen pen;
    pen.SetWidth(3);
    pen.SetColor(clBtnShadow);
    LOGPEN lp{};
    GetObjectA(pen.Handle(), sizeof lp, &lp);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, GetSysColor(COLOR_BTNSHADOW));
    SetEnumProp(pen, "Style", "psClear");
    GetObjectA(pen.Handle(), sizeof lp, &lp);
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_NULL));
}

} // namespace
} // namespace tarnivo
