#pragma once
// The DPI a window is drawn at. Windows 10 (1607) and later answer per window
// (GetDpiForWindow: the monitor's DPI for a per-monitor aware program, the
// system DPI otherwise); older systems have only the system DPI, which the
// screen DC reports. GetDpiForWindow is looked up at run time so that the
// program still starts on systems without it.

#include <windows.h>

namespace tarnivo {

// The system DPI (96 when the screen DC gives none).
int SystemDpi();
// The window's DPI, or the system DPI where the system cannot tell.
int WindowDpi(HWND window);
// A system metric or font height (made for the system DPI) at `dpi`.
int ScaleFromSystemDpi(int value, int dpi);
// A length on screen given in 96-DPI pixels (a painter's padding or gap) at
// `dpi`, rounded half away from zero; 96 and below leave it as it is.
int DpiLength(int length, int dpi);

} // namespace tarnivo
