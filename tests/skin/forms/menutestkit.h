#pragma once
// A skin with a menu band and menu entries for the menu tests: the frame
// skin of formtestkit.h plus a two-frame "menuBar" and a five-frame
// "MenuItem" whose frames are each one colour, and menu colours that are
// all distinct.

#include "formtestkit.h"

namespace tarnivo::test {

constexpr TColor kBarActive = RGBColor(40, 90, 40);
constexpr TColor kBarInactive = RGBColor(90, 40, 40);
constexpr TColor kBarText = RGBColor(250, 250, 0);
constexpr TColor kHotFrame = RGBColor(0, 250, 250);      // ButtonHilight
constexpr TColor kShadow = RGBColor(120, 0, 120);        // ButtonShadow
constexpr TColor kMenuText = RGBColor(10, 20, 200);
constexpr TColor kMenuBg = RGBColor(230, 230, 210);
constexpr TColor kHilightText = RGBColor(255, 128, 0);
constexpr TColor kHilight = RGBColor(0, 0, 90);
// "MenuItem" frames 1 to 5; frame 2 is the separator: its upper half magenta.
constexpr TColor kItemFrame[6] = {0, RGBColor(200, 210, 220), RGBColor(20, 160, 20),
                                  RGBColor(70, 70, 70), RGBColor(160, 200, 250),
                                  RGBColor(80, 80, 80)};
constexpr int kItemMargin = 2;          // LeftWidth and RightWidth of "MenuItem"
constexpr int kBarLeftMargin = 3;       // TileLeftMenu
constexpr int kBarRightMargin = 5;      // TileRightMenu

// Loads the frame skin plus the menu elements (either may be left out).
bool LoadMenuSkin(TSkinData& data, bool withBar = true, bool withItem = true);

} // namespace tarnivo::test
