#pragma once
// Pixels per inch of the screen and of a window, and the scaling of a
// control tree laid out in 96-DPI units.
//
// A form's layout (positions, sizes, font heights in pixels) is written for
// 96 pixels per inch. Once the layout is read, TForm scales it to the DPI its
// window gets, and again by new/old when the window moves to a screen of
// another DPI (WM_DPICHANGED). The program must declare itself DPI aware in
// its manifest: an unaware program is told 96 everywhere and stretched by
// the system, so nothing here changes for it.

#include <windows.h>

namespace tarnivo {

class TControl;

// The DPI a layout is written for.
constexpr int DesignPixelsPerInch = 96;

// WM_DPICHANGED and the DPIs it is believed for: a value outside this range
// did not come from the system.
constexpr UINT WMDpiChanged = 0x02E0;
constexpr int MinPixelsPerInch = 48;
constexpr int MaxPixelsPerInch = 960;

// The DPI of the system (the primary screen), as new top-level windows of a
// DPI-aware program get it.
int SystemPixelsPerInch();
// The DPI of a window: GetDpiForWindow where the system has it (Windows 10
// 1607 and later, Wine), the system's otherwise.
int WindowPixelsPerInch(HWND window);

// `value` at `num`/`den`, rounded to the nearest pixel.
int ScaleValue(int value, int num, int den);

// Scales the control's position and size, its own font (one that follows its
// parent's comes along with the parent's) and, for a windowed control, those
// of all its children, by num/den. Edges are scaled, not sizes, so controls
// that touch at 96 DPI still touch.
void ScaleControlTree(TControl& control, int num, int den);

} // namespace tarnivo
