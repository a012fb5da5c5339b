// WM_PAINT with a DC in wParam paints the control, graphic children
// included, into that DC and leaves the window's own update region alone,
// as a parent drawing a child's image into a bitmap relies on.

#include "framework/bitmap.h"
#include "framework/canvas.h"

#include "testform.h"

namespace tarnivo {
namespace {

// Fills its whole area with one colour.
template <typename Base>
class Filled : public Base {
public:
    Filled(TComponent* owner, TColor colour) : Base(owner), m_colour(colour) {}
    void Paint(TCanvas& canvas) override
    {
        canvas.Brush().SetColor(m_colour);
        canvas.FillRect(TRect{0, 0, this->Width(), this->Height()});
    }

private:
    TColor m_colour;
};

class PaintIntoGivenDC : public test::FormTest {};

TEST_F(PaintIntoGivenDC, TheControlAndItsGraphicChildrenLandInTheDC)
{
    auto* control = new Filled<TCustomControl>(form.get(), clRed);
    control->SetBounds(10, 10, 60, 40);
    control->SetParent(form.get());
    auto* child = new Filled<TGraphicControl>(form.get(), clBlue);
    child->SetBounds(30, 10, 20, 20);
    child->SetParent(control);
    ShowForm();
    UpdateWindow(control->Handle());

    TBitmap image;
    image.SetPixelFormat(pf32bit);
    image.SetSize(60, 40);
    HDC dc = image.Canvas().Handle();
    PatBlt(dc, 0, 0, 60, 40, WHITENESS);
    InvalidateRect(control->Handle(), nullptr, FALSE);
    SendMessageA(control->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);

    const struct {
        POINT At;
        COLORREF Colour;
    } pixels[] = {
        {{0, 0}, RGB(255, 0, 0)},    {{59, 39}, RGB(255, 0, 0)},   {{29, 15}, RGB(255, 0, 0)},
        {{30, 10}, RGB(0, 0, 255)},  {{49, 29}, RGB(0, 0, 255)},   {{50, 30}, RGB(255, 0, 0)},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(GetPixel(dc, p.At.x, p.At.y), p.Colour) << p.At.x << "," << p.At.y;

    // The window still has its own painting due; WM_PAINT without a DC does it.
    RECT due{};
    EXPECT_TRUE(GetUpdateRect(control->Handle(), &due, FALSE));
    UpdateWindow(control->Handle());
    EXPECT_FALSE(GetUpdateRect(control->Handle(), &due, FALSE));
}

} // namespace
} // namespace tarnivo
