#pragma once
// Reading back what the screen shows, for the tests that check pixels on the
// screen rather than in a bitmap they painted themselves.

#include <windows.h>

namespace tarnivo::test {

// Wine draws every window into an off-screen surface of its own and copies
// it to the X server later: whenever the thread finds no message waiting,
// and in between at most every 50 ms. A test that reads the screen right
// after a window drew (inside a menu's loop, say) can read what was there
// before. A look for a message that nobody posts finds none, and Wine then
// copies every surface of the thread to the screen before it returns.
inline void PutDrawingOnScreen()
{
    constexpr UINT kNeverPosted = WM_APP + 0x3FF7;
    MSG msg;
    PeekMessageW(&msg, reinterpret_cast<HWND>(-1), kNeverPosted, kNeverPosted, PM_NOREMOVE);
}

} // namespace tarnivo::test
