// TGroupBox: the system group box erases nothing; the wrapper fills the
// area inside the frame with Color, and ContentRect lies below the caption.

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/controls/groupbox.h"

#include "testform.h"

namespace tarnivo {
namespace {

class GroupBox : public test::FormTest {};

TEST_F(GroupBox, TheAreaInsideTheFrameTakesTheColour)
{
    auto* group = new TGroupBox(form.get());
    group->SetBounds(0, 0, 120, 80);
    group->SetCaption("Options");
    group->SetColor(clRed);
    group->SetParent(form.get());
    TBitmap target;
    target.SetSize(120, 80);
    HDC dc = target.Canvas().Handle();
    RECT all{0, 0, 120, 80};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(SendMessageA(group->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    EXPECT_EQ(GetPixel(dc, 60, 40), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 119, 79), RGB(255, 0, 0));

    RECT content = group->ContentRect();
    EXPECT_GT(content.top, 8);   // below the caption line
    EXPECT_LT(content.top, 40);
    EXPECT_GT(content.left, 0);
    EXPECT_LT(content.right, 120);
    // A box lower than its caption has an empty content area, not an inverted one.
    group->SetBounds(0, 0, 120, 6);
    content = group->ContentRect();
    EXPECT_EQ(content.bottom, content.top);
}

} // namespace
} // namespace tarnivo
