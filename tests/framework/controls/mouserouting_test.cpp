// A windowed control passes mouse messages over a visible, enabled graphic
// child (no window of its own) to that child, in the child's coordinates,
// and keeps passing them to it from a press until the release.

#include "framework/controls/label.h"
#include "framework/controls/speedbutton.h"

#include "testform.h"

namespace tarnivo {
namespace {

class MouseRouting : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        button = new TSpeedButton(form.get());
        button->SetBounds(40, 30, 60, 30);
        button->SetParent(form.get());
        button->OnClick = [this](TObject*) { ++clicks; };
        button->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            downAt = {x, y};
        };
        form->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
            ++formPresses;
        };
        ShowForm();
    }

    // Mouse messages as the window gets them, at a point of the form's
    // client area.
    void Send(UINT msg, int x, int y, WPARAM keys = 0)
    {
        SendMessageA(form->Handle(), msg, keys, MAKELPARAM(x, y));
    }
    void Press(int x, int y) { Send(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    void Release(int x, int y) { Send(WM_LBUTTONUP, x, y); }

    TSpeedButton* button = nullptr;
    int clicks = 0;
    int formPresses = 0;
    POINT downAt{-1, -1};
};

TEST_F(MouseRouting, PressAndReleaseOnAGraphicChildClickItOnce)
{
    struct Case {
        const char* What;
        POINT Down, Up;
        int Clicks, FormPresses;
    } cases[] = {
        {"press and release inside", {50, 40}, {90, 55}, 1, 0},
        {"release outside the button", {50, 40}, {200, 200}, 0, 0},
        {"release outside the window", {50, 40}, {-30, -30}, 0, 0},
        {"press beside it, release on it", {20, 20}, {50, 40}, 0, 1},
        {"just outside the right edge", {100, 40}, {100, 40}, 0, 1},
    };
    for (const Case& c : cases) {
        clicks = formPresses = 0;
        Press(c.Down.x, c.Down.y);
        Release(c.Up.x, c.Up.y);
        EXPECT_EQ(clicks, c.Clicks) << c.What;
        EXPECT_EQ(formPresses, c.FormPresses) << c.What;
        EXPECT_FALSE(button->Pressed()) << c.What;
        EXPECT_EQ(GetCapture(), nullptr) << c.What;
    }
    // The child sees its own coordinates.
    Press(45, 37);
    EXPECT_EQ(downAt.x, 5);
    EXPECT_EQ(downAt.y, 7);
    EXPECT_TRUE(button->Pressed());
    Release(45, 37);
}

TEST_F(MouseRouting, HiddenOrDisabledChildrenLeaveThePressToTheWindow)
{
    for (int variant = 0; variant < 2; ++variant) {
        button->SetVisible(variant != 0);
        button->SetEnabled(variant == 0);
        clicks = formPresses = 0;
        Press(50, 40);
        Release(50, 40);
        EXPECT_EQ(clicks, 0) << variant;
        EXPECT_EQ(formPresses, 1) << variant;
    }
}

TEST_F(MouseRouting, TheTopmostOfOverlappingChildrenGetsIt)
{
    auto* label = new TLabel(form.get());
    label->SetAutoSize(false);
    label->SetBounds(70, 30, 60, 30);   // over the button's right half
    label->SetParent(form.get());
    int labelClicks = 0;
    label->OnClick = [&](TObject*) { ++labelClicks; };
    Press(80, 40);
    Release(80, 40);
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(clicks, 0);
    Press(50, 40);
    Release(50, 40);
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MouseRouting, MovesEnterAndLeaveTheChild)
{
    Send(WM_MOUSEMOVE, 10, 10);
    EXPECT_FALSE(button->MouseInside());
    Send(WM_MOUSEMOVE, 50, 40);
    EXPECT_TRUE(button->MouseInside());
    Send(WM_MOUSEMOVE, 60, 45);
    EXPECT_TRUE(button->MouseInside());
    Send(WM_MOUSEMOVE, 150, 45);
    EXPECT_FALSE(button->MouseInside());
    // Held down, the pointer leaving still takes the hover away, and the
    // release comes back to the button (no click outside).
    Press(50, 40);
    Send(WM_MOUSEMOVE, 150, 45, MK_LBUTTON);
    EXPECT_FALSE(button->MouseInside());
    EXPECT_TRUE(button->Pressed());
    Release(150, 45);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 0);
}

TEST_F(MouseRouting, AChildFreedWhilePressedTakesTheCaptureWithIt)
{
    Press(50, 40);
    delete button;
    button = nullptr;
    EXPECT_EQ(GetCapture(), nullptr);
    Release(50, 40);
    EXPECT_EQ(formPresses, 0);
    EXPECT_EQ(clicks, 0);
    // The next press is the window's own.
    Press(50, 40);
    EXPECT_EQ(formPresses, 1);
    Release(50, 40);
}

} // namespace
} // namespace tarnivo
