#pragma once
// Finding other programs' top-level windows by class, caption and process,
// for the end-to-end probe.

#include <windows.h>

#include <string>
#include <vector>

namespace tarnivo {

struct WindowQuery {
    std::string ClassName;    // empty: any class
    std::string Caption;      // exact caption
    DWORD ProcessId = 0;      // 0: any process
    bool AnyCaption = false;  // match on class (and process) alone
};

// Every top-level window, shown or hidden, that matches, in z-order.
std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);

// The first descendant of `parent` of the given window class, or null.
HWND FindDescendant(HWND parent, const char* className);

std::string WindowClass(HWND window);
std::string WindowCaption(HWND window);
DWORD WindowProcess(HWND window);

// The X11 window that Wine's display driver made for a top-level window
// (it records the id in a window property), or 0 outside Wine.
unsigned long X11WindowId(HWND window);

} // namespace tarnivo
