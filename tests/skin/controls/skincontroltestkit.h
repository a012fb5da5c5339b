#pragma once
// What the control-skin tests share: a skin object that paints its whole
// window in one colour per state frame, a form with a framework panel and a
// raw child window on it, and reading back what the screen shows.

#include "skin/controls/skincontrol.h"
#include "skin/forms/winskinform.h"
#include "skin/resources/skindata.h"

#include "framework/controls/panel.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace tarnivo::test {

// The colour TFrameSkin paints for frames 1 to 5.
constexpr std::array<TColor, 6> kFrameColor = {
    0, RGBColor(10, 200, 10), RGBColor(200, 10, 10), RGBColor(90, 90, 90),
    RGBColor(250, 200, 0), RGBColor(0, 120, 250)};
// The skin's ButtonFace.
constexpr TColor kButtonFace = RGBColor(10, 20, 30);
// The panel's and the raw window's own look.
constexpr TColor kPanelColor = RGBColor(255, 0, 0);

// Fills its window with the colour of the frame its state selects.
class TFrameSkin : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TFrameSkin"; }
    void DrawControl(HDC dc, const TRect& rect) override
    {
        ++Draws;
        FillColor(dc, rect, kFrameColor[FrameNumber()]);
    }
    int Draws = 0;
};

class ControlSkinTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The form object as a host, without a skin manager: it only keeps the
    // list of control skins here.
    std::unique_ptr<TWinSkinForm> m_host;
    std::unique_ptr<TSkinData> m_data;
    std::unique_ptr<TForm> m_form;
    TPanel* m_panel = nullptr;   // owned by the form
    HWND m_raw = nullptr;        // a plain child window painted kPanelColor
};

// Colour of a pixel as the screen shows it, in window coordinates.
TColor ScreenPixel(HWND window, int x, int y);
// Repaints the window (erase and paint) at once.
void Repaint(HWND window);
// Dispatches what is queued; after kPumpLimit messages in one call it
// reports a failure and returns.
constexpr int kPumpLimit = 10000;
void Pump();
// The procedure that is the window's own now.
LONG_PTR WindowProcOf(HWND window);

} // namespace tarnivo::test
