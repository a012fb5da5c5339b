// TSpeedButton: the group's down logic through mouse presses, and where the
// glyph lands for each layout (pixels on a memory canvas).

#include "framework/canvas.h"
#include "framework/controls/speedbutton.h"

#include "testform.h"

namespace tarnivo {
namespace {

class SpeedButton : public test::FormTest {
protected:
    TSpeedButton* Make(int group)
    {
        auto* b = new TSpeedButton(form.get());
        b->SetGroupIndex(group);
        b->SetParent(form.get());
        b->OnClick = [this, b](TObject*) { clicked.push_back(b); };
        return b;
    }
    // A press and release at a point of the button, as its parent passes
    // mouse messages to a graphic control.
    static void Press(TSpeedButton* b, int x = 5, int y = 5)
    {
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        b->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    std::vector<TSpeedButton*> clicked;
};

TEST_F(SpeedButton, OneButtonOfAGroupIsDownAndStaysDownWithoutAllowAllUp)
{
    TSpeedButton* a = Make(1);
    TSpeedButton* b = Make(1);
    TSpeedButton* other = Make(2);
    other->SetDown(true);
    Press(a);
    EXPECT_TRUE(a->Down());
    Press(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(other->Down());   // another group
    Press(b);
    EXPECT_TRUE(b->Down());
    b->SetDown(false);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicked, (std::vector<TSpeedButton*>{a, b, b}));

    a->SetAllowAllUp(true);   // the whole group shares it
    EXPECT_TRUE(b->AllowAllUp());
    Press(b);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST_F(SpeedButton, NoGroupNoDownAndAReleaseOutsideIsNoClick)
{
    TSpeedButton* plain = Make(0);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
    TSpeedButton* grouped = Make(3);
    Press(grouped, 100, 100);
    EXPECT_FALSE(grouped->Down());
    EXPECT_FALSE(grouped->Pressed());
    EXPECT_TRUE(clicked.empty());
    grouped->SetEnabled(false);
    Press(grouped);
    EXPECT_FALSE(grouped->Down());
    EXPECT_TRUE(clicked.empty());
    // A down button joining a group that has one down already comes up.
    TSpeedButton* first = Make(4);
    first->SetDown(true);
    TSpeedButton* late = Make(5);
    late->SetDown(true);
    late->SetGroupIndex(4);
    EXPECT_FALSE(late->Down());
    EXPECT_TRUE(first->Down());
}

// The red glyph's box on a white button face painted into a bitmap.
RECT GlyphBox(TSpeedButton& button)
{
    TBitmap target;
    target.SetSize(button.Width(), button.Height());
    button.Paint(target.Canvas());
    RECT box{INT_MAX, INT_MAX, -1, -1};
    for (int y = 0; y < target.Height(); ++y) {
        const std::uint8_t* p = target.ScanLine(y);
        for (int x = 0; x < target.Width(); ++x, p += target.BytesPerPixel())
            if (p[2] > 200 && p[1] < 60 && p[0] < 60) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    }
    return box;
}

TEST_F(SpeedButton, TheGlyphGoesWhereLayoutMarginAndSpacingSay)
{
    // An 8 x 8 red square whose bottom-left pixel, the transparent key, is
    // white: the box found is 8 x 8 less that corner's row and column.
    TBitmap glyph;
    glyph.SetSize(8, 8);
    glyph.Canvas().Brush().SetColor(clRed);
    RECT all{0, 0, 8, 8};
    FillRect(glyph.Canvas().Handle(), &all, glyph.Canvas().Brush().Handle());
    SetPixel(glyph.Canvas().Handle(), 0, 7, RGB(255, 255, 255));
    TSpeedButton* b = Make(0);
    b->SetBounds(0, 0, 64, 32);
    b->SetGlyph(glyph);
    EXPECT_EQ(b->NumGlyphs(), 1);
    struct Case {
        TButtonLayout layout;
        int margin;
        LONG left, top;
    } cases[] = {
        // Content area: 2 pixels in, 60 x 28. No caption: Spacing counts
        // 0, so an automatic Margin centres the glyph alone.
        {blGlyphLeft, -1, 2 + 26, 2 + 10},
        {blGlyphLeft, 5, 2 + 5, 2 + 10},
        {blGlyphRight, 5, 2 + 60 - 5 - 8, 2 + 10},
        {blGlyphTop, 0, 2 + 26, 2},
        {blGlyphBottom, 3, 2 + 26, 2 + 28 - 3 - 8},
    };
    for (const Case& c : cases) {
        b->SetLayout(c.layout);
        b->SetMargin(c.margin);
        RECT box = GlyphBox(*b);
        EXPECT_EQ(box.left, c.left) << c.layout << " " << c.margin;
        EXPECT_EQ(box.top, c.top) << c.layout << " " << c.margin;
        EXPECT_EQ(box.right - box.left, 8);
    }
    // With a caption both automatic gaps are a third of the free width:
    // the glyph moves left of the centre.
    b->SetLayout(blGlyphLeft);
    b->SetCaption("Go");
    b->SetSpacing(-1);
    b->SetMargin(-1);
    EXPECT_LT(GlyphBox(*b).left, 2 + 26);
    EXPECT_GT(GlyphBox(*b).left, 2);
    b->SetCaption("");
    // Pressed, the content moves one pixel right and down.
    b->SetLayout(blGlyphLeft);
    b->SetMargin(5);
    b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GlyphBox(*b).left, 2 + 5 + 1);
}

} // namespace
} // namespace tarnivo
