// Label sizing and painting.

#include "framework/bitmap.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/controls/scrollbox.h"
#include "tests/framework/graphics/bitmappixels.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;
using test::PixelOf;

SIZE TextSize(const TFont& font, const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

class Label : public FormTest {
protected:
    TLabel* MakeLabel()
    {
        auto* label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetBounds(120, 32, 10, 10);
        return label;
    }
};

TEST_F(Label, AutoSizeFitsTheTextInItsFont)
{
    TLabel* label = MakeLabel();
    label->SetCaption("Press HotKey(F11)");
    SIZE text = TextSize(label->Font(), "Press HotKey(F11)");
    EXPECT_EQ(label->Width(), text.cx);
    EXPECT_EQ(label->Height(), text.cy);
    EXPECT_EQ(label->Left(), 120);

    int small = label->Height();
    label->Font().SetHeight(-24);
    EXPECT_GT(label->Height(), small);
    EXPECT_EQ(label->Width(), TextSize(label->Font(), "Press HotKey(F11)").cx);

    // An empty caption keeps the height of a line.
    label->SetCaption("");
    EXPECT_EQ(label->Height(), TextSize(label->Font(), " ").cy);
}

TEST_F(Label, RightAlignedFixedAndWrappedLabels)
{
    TLabel* label = MakeLabel();
    label->SetAlignment(taRightJustify);
    label->SetCaption("short");
    int right = label->Left() + label->Width();
    label->SetCaption("a much longer caption");
    EXPECT_EQ(label->Left() + label->Width(), right);   // grows to the left

    label->SetAutoSize(false);
    label->SetBounds(83, 208, 414, 16);
    label->SetCaption("typed text that is much too long for nothing");
    EXPECT_EQ(label->Width(), 414);
    EXPECT_EQ(label->Height(), 16);

    label->SetWordWrap(true);
    label->SetWidth(60);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Width(), 60);
    EXPECT_GE(label->Height(), 3 * TextSize(label->Font(), "x").cy);
}

TEST_F(Label, SizesOnceTheLayoutIsLoaded)
{
    TLabel* label = nullptr;
    form->LoadLayout([&] {
        label = new TLabel(form.get());
        label->SetBounds(32, 232, 300, 40);
        label->SetCaption("There are 0 shortcuts");
        EXPECT_EQ(label->Width(), 300);   // caption and font still arriving
    });
    EXPECT_EQ(label->Width(), TextSize(label->Font(), "There are 0 shortcuts").cx);
}

TEST_F(Label, PaintsBackgroundUnlessTransparent)
{
    TLabel* label = MakeLabel();
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 120, 30);
    label->SetCaption("MMMM");
    label->SetColor(clYellow);
    label->Font().SetColor(clBlue);

    TBitmap target;
    target.SetPixelFormat(pf32bit);
    auto paint = [&] {
        target.SetSize(120, 30);
        target.Canvas().Brush().SetColor(clGreen);
        target.Canvas().FillRect(Rect(0, 0, 120, 30));
        label->Paint(target.Canvas());
    };
    // Text pixels: blue ones, or smoothed edges between blue and the background.
    auto countText = [&](TColor background) {
        int n = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                n += PixelOf(target, x, y) != background;
        return n;
    };
    paint();
    EXPECT_EQ(PixelOf(target, 119, 29), clYellow);
    EXPECT_GT(countText(clYellow), 20);
    EXPECT_GT(120 * 30 - countText(clBlue), 0);   // some pure blue, smoothed or not

    label->SetTransparent(true);
    paint();
    EXPECT_EQ(PixelOf(target, 119, 29), clGreen);
    EXPECT_GT(countText(clGreen), 20);
}

TEST_F(Label, FollowsItsParentsColourUntilGivenOneOfItsOwn)
{
    constexpr TColor red = clRed;
    constexpr TColor blue = clBlue;
    constexpr TColor green = clLime;
    auto* outer = new TPanel(form.get());
    outer->SetParent(form.get());
    outer->SetColor(red);
    auto* inner = new TPanel(form.get());
    inner->SetParent(outer);   // a panel has a colour of its own
    TLabel* label = MakeLabel();
    EXPECT_TRUE(label->ParentColor());
    EXPECT_EQ(label->Color(), form->Color());

    // Taken on parenting, and on every change of the parent's colour.
    label->SetParent(outer);
    EXPECT_EQ(label->Color(), red);
    outer->SetColor(blue);
    EXPECT_EQ(label->Color(), blue);
    EXPECT_NE(inner->Color(), blue);
    label->SetParent(inner);
    EXPECT_EQ(label->Color(), inner->Color());

    // An explicit colour ends it; switching it back on takes the parent's again.
    label->SetColor(green);
    EXPECT_FALSE(label->ParentColor());
    inner->SetColor(red);
    EXPECT_EQ(label->Color(), green);
    label->SetParentColor(true);
    EXPECT_EQ(label->Color(), red);

    // And the label's face is painted in it.
    label->SetCaption("");
    label->SetBounds(2, 2, 12, 12);
    TBitmap b;
    b.SetSize(20, 20);
    label->Paint(b.Canvas());
    EXPECT_EQ(PixelOf(b, 6, 6), red);
}

TEST_F(Label, FollowsItsParentsFontThroughContainersUntilGivenOneOfItsOwn)
{
    form->Font().SetName("Arial");
    form->Font().SetHeight(-15);
    auto* panel = new TPanel(form.get());   // a plain container follows too
    panel->SetParent(form.get());
    auto* box = new TScrollBox(form.get());  // one that keeps a font of its own
    box->SetParent(form.get());
    TLabel* label = MakeLabel();
    label->SetCaption("Follows");
    label->SetParent(panel);
    TLabel* boxed = MakeLabel();
    boxed->SetParent(box);
    EXPECT_TRUE(label->ParentFont());
    EXPECT_EQ(label->Font().Name(), "Arial");
    EXPECT_EQ(label->Height(), TextSize(form->Font(), "Follows").cy) << "sized in the font taken";
    EXPECT_NE(boxed->Font().Name(), "Arial");

    // A change of the form's font goes down through the panel, and taking it
    // does not end following.
    form->Font().SetColor(clRed);
    EXPECT_EQ(panel->Font().Color(), clRed);
    EXPECT_EQ(label->Font().Color(), clRed);
    EXPECT_NE(boxed->Font().Color(), clRed);
    EXPECT_TRUE(panel->ParentFont());
    EXPECT_TRUE(label->ParentFont());

    // A change of the panel's own font ends its following; its label follows it.
    panel->Font().SetColor(clLime);
    EXPECT_FALSE(panel->ParentFont());
    form->Font().SetColor(clBlue);
    EXPECT_EQ(panel->Font().Color(), clLime);
    EXPECT_EQ(label->Font().Color(), clLime);

    // So does the label's own; switching it back on takes the parent's again.
    label->Font().SetStyle({fsBold});
    EXPECT_FALSE(label->ParentFont());
    panel->Font().SetColor(clNavy);
    EXPECT_EQ(label->Font().Color(), clLime);
    label->SetParentFont(true);
    EXPECT_EQ(label->Font().Color(), clNavy);
    EXPECT_FALSE(label->Font().Style().Contains(fsBold));

    // A new parent's font is taken on parenting.
    label->SetParent(form.get());
    EXPECT_EQ(label->Font().Color(), clBlue);
}

} // namespace
} // namespace tarnivo
