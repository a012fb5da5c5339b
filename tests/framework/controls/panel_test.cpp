// TPanel: its bevels, and the notifications of the controls on it.

#include "framework/controls/button.h"
#include "framework/controls/panel.h"

#include "testform.h"

namespace tarnivo {
namespace {

class Panel : public test::FormTest {
protected:
    TColor WindowPixel(HWND window, int x, int y)
    {
        HDC dc = GetDC(window);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return static_cast<TColor>(c);
    }
};

TEST_F(Panel, BevelsAroundTheColourAndReflection)
{
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 100, 50);
    panel->SetColor(clYellow);
    panel->SetBevelWidth(2);
    ShowForm();
    HWND window = panel->Handle();
    UpdateWindow(window);
    EXPECT_EQ(WindowPixel(window, 0, 0), static_cast<TColor>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(WindowPixel(window, 1, 1), static_cast<TColor>(ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(WindowPixel(window, 99, 49), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    EXPECT_EQ(WindowPixel(window, 2, 2), clYellow);

    SetEnumProp(*panel, "BevelOuter", "bvLowered");
    UpdateWindow(window);
    EXPECT_EQ(WindowPixel(window, 0, 0), static_cast<TColor>(ColorToRGB(clBtnShadow)));
    SetEnumProp(*panel, "BevelOuter", "bvNone");
    UpdateWindow(window);
    EXPECT_EQ(WindowPixel(window, 0, 0), clYellow);

    // A control on the panel gets its notifications reflected by the panel.
    auto* button = new TButton(form.get());
    button->SetParent(panel);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace tarnivo
