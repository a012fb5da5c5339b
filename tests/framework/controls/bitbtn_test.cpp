// TBitBtn: glyph strips, the owner-drawn face (pixels on a memory canvas),
// Kind's standard settings.

#include "framework/canvas.h"
#include "framework/controls/bitbtn.h"

#include "testform.h"

namespace tarnivo {
namespace {

// A strip of `cells` square cells of `size` pixels, cell i filled with
// colours[i]; each cell's bottom-left pixel is white (the transparent key).
void MakeStrip(TBitmap& strip, int size, std::initializer_list<COLORREF> colours)
{
    strip.SetSize(size * static_cast<int>(colours.size()), size);
    HDC dc = strip.Canvas().Handle();
    int i = 0;
    for (COLORREF c : colours) {
        RECT cell{i * size, 0, (i + 1) * size, size};
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc, &cell, brush);
        DeleteObject(brush);
        SetPixel(dc, i * size, size - 1, RGB(255, 255, 255));
        ++i;
    }
}

struct Box {
    RECT r{INT_MAX, INT_MAX, -1, -1};
    void Add(int x, int y)
    {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
    }
    bool Empty() const { return r.right < 0; }
};

// Boxes of the pixels matching `test` inside `area` of the painted button.
template <typename F>
Box Find(TBitmap& painted, RECT area, F test)
{
    Box box;
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint8_t* p = painted.ScanLine(y) + area.left * painted.BytesPerPixel();
        for (int x = area.left; x < area.right; ++x, p += painted.BytesPerPixel())
            if (test(p[2], p[1], p[0]))
                box.Add(x, y);
    }
    return box;
}

bool IsRed(int r, int g, int b) { return r > 200 && g < 60 && b < 60; }
bool IsBlue(int r, int g, int b) { return b > 200 && r < 60 && g < 60; }
bool IsInk(int r, int g, int b) { return r < 90 && g < 90 && b < 90; }

class BitBtn : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        button = new TBitBtn(form.get());
        button->SetBounds(0, 0, 120, 30);
        button->SetParent(form.get());
    }
    void Paint(TBitmap& target, bool enabled = true)
    {
        target.SetSize(button->Width(), button->Height());
        RECT r{0, 0, button->Width(), button->Height()};
        button->DrawButton(target.Canvas().Handle(), r, false, false, enabled);
    }
    TBitBtn* button = nullptr;
};

TEST_F(BitBtn, AStripOfSquareCellsSetsNumGlyphs)
{
    struct Case {
        int width, height, cells;
    } cases[] = {{8, 8, 1}, {16, 8, 2}, {32, 8, 4}, {40, 8, 1}, {20, 8, 1}, {8, 16, 1}};
    for (const Case& c : cases) {
        TBitmap strip;
        strip.SetSize(c.width, c.height);
        button->SetGlyph(strip);
        EXPECT_EQ(button->NumGlyphs(), c.cells) << c.width << "x" << c.height;
    }
    button->SetNumGlyphs(9);
    EXPECT_EQ(button->NumGlyphs(), 4);
}

TEST_F(BitBtn, GlyphRightWithAutomaticGapsSharesTheFreeWidthInThirds)
{
    TBitmap strip;
    MakeStrip(strip, 8, {RGB(255, 0, 0)});
    button->SetGlyph(strip);
    button->SetCaption("WWW");
    button->SetLayout(blGlyphRight);
    button->SetMargin(-1);
    button->SetSpacing(-1);
    TBitmap painted;
    Paint(painted);
    // The content area: 3 pixels inside the face.
    RECT content{3, 3, 117, 27};
    Box glyph = Find(painted, content, IsRed);
    Box text = Find(painted, content, IsInk);
    ASSERT_FALSE(glyph.Empty());
    ASSERT_FALSE(text.Empty());
    EXPECT_EQ(glyph.r.right - glyph.r.left, 8);
    EXPECT_GT(glyph.r.left, text.r.right);   // the glyph right of the text
    // The gap right of the glyph and the gap between text and glyph match
    // (the text's ink may start a pixel into its measured box).
    int right = content.right - glyph.r.right;
    int between = glyph.r.left - text.r.right;
    EXPECT_NEAR(right, between, 2);
    int left = text.r.left - content.left;
    EXPECT_NEAR(left, right, 3);
    // Vertically each is centred on its own.
    EXPECT_EQ(glyph.r.top - content.top, (24 - 8 + 1) / 2);
}

TEST_F(BitBtn, ADisabledButtonUsesItsDisabledCellOrGreysTheFirst)
{
    TBitmap two;
    MakeStrip(two, 8, {RGB(255, 0, 0), RGB(0, 0, 255)});
    button->SetGlyph(two);
    TBitmap painted;
    Paint(painted, false);
    RECT all{0, 0, 120, 30};
    EXPECT_FALSE(Find(painted, all, IsBlue).Empty());
    EXPECT_TRUE(Find(painted, all, IsRed).Empty());

    TBitmap one;
    MakeStrip(one, 8, {RGB(255, 0, 0)});
    button->SetGlyph(one);
    Paint(painted, false);
    EXPECT_TRUE(Find(painted, all, IsRed).Empty());
    Paint(painted, true);
    EXPECT_FALSE(Find(painted, all, IsRed).Empty());
}

TEST_F(BitBtn, KindGivesCaptionResultAndRoleAndStaysOwnerDrawn)
{
    button->SetKind(bkOK);
    EXPECT_EQ(button->Caption(), "OK");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_TRUE(button->Default());
    EXPECT_EQ(GetWindowLongA(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    button->SetKind(bkNo);
    EXPECT_EQ(button->ModalResult(), IDNO);
    EXPECT_FALSE(button->Default());
    EXPECT_TRUE(button->Cancel());
    button->SetCaption("Own");
    button->SetKind(bkCustom);   // custom keeps what the button has
    EXPECT_EQ(button->Caption(), "Own");
    EXPECT_EQ(button->ModalResult(), IDNO);
}

TEST_F(BitBtn, ACloseButtonClosesItsForm)
{
    ShowForm();
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        closed = true;
        action = caHide;
    };
    button->SetKind(bkClose);
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(closed);
}

} // namespace
} // namespace tarnivo
