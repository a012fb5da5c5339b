#pragma once
// Skins with caption buttons for the caption-button and non-client mouse
// tests: the frame skin of formtestkit.h plus buttons whose frames are each
// one colour, a window class that answers the caption-button messages, and
// reading back what the window itself shows.

#include "formtestkit.h"

#include <vector>

namespace tarnivo::test {

struct ButtonSpec {
    const char* name;       // section "BUTTON.<name>"
    int action = 0;
    int align = 1;
    int x = 20;
    int y = 4;
    int visibility = 0;
    int visibility1 = 0;
    int frames = 4;
    int width = 12;         // one frame
    int height = 14;
};

// The colour of frame `frame` (from 1) of button `index` of the skin: never
// magenta, distinct for every button and frame.
TColor ButtonColour(int index, int frame);

// Loads the frame skin with these buttons (in this order) into `data`.
bool LoadCaptionSkin(TSkinData& data, const std::vector<ButtonSpec>& buttons);

// A top-level window of a class that records WM_SKINBUTTONCLICK and answers
// WM_SKINBUTTONQUERY with QueryAnswer, shown and activated (so skinned).
extern LRESULT QueryAnswer;
struct ButtonMessages {
    int clicks = 0;
    WPARAM clickAction = 0;
    int queries = 0;
    WPARAM queryCode = 0;
    LPARAM queryAction = 0;
    int closes = 0;         // WM_CLOSE
};
ButtonMessages& Recorded();
HWND MakeButtonWindow(DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX |
                                    WS_MINIMIZEBOX,
                      int width = 300, HMENU menu = nullptr);

// Screen point of a point in window coordinates, packed as the non-client
// mouse messages carry it.
LPARAM ScreenLParam(HWND window, POINT inWindow);
POINT Centre(const TRect& rect);

// What the window shows: its window DC copied into a 32-bit bitmap.
std::unique_ptr<TBitmap> WindowPixels(HWND window);

} // namespace tarnivo::test
