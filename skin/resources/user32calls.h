#pragma once
// User32 functions that older systems lack, looked up by name once. Each is
// null when the system does not have it; callers then go without.

#include <windows.h>

namespace tarnivo {

struct TUser32Calls {
    using GetScrollBarInfoProc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
    using TrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
    using GetComboBoxInfoProc = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
    using DisableProcessWindowsGhostingProc = void(WINAPI*)();

    GetScrollBarInfoProc GetScrollBarInfo = nullptr;
    TrackMouseEventProc TrackMouseEvent = nullptr;
    GetComboBoxInfoProc GetComboBoxInfo = nullptr;
    DisableProcessWindowsGhostingProc DisableProcessWindowsGhosting = nullptr;
};

// The looked-up functions; the first call loads "user32.dll" (released at
// program end).
const TUser32Calls& User32Calls();

// Asks for WM_MOUSELEAVE when the mouse leaves `window`; false when the
// system cannot track the mouse.
bool RequestMouseLeave(HWND window);

} // namespace tarnivo
