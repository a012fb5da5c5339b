#pragma once
// Drawing one skinned scroll bar: arrows, track, thumb body and grip from the
// skin's "Scrollbar" strip (23 frames) and the track and thumb elements.
// The overlay windows and the combo box's drop-down list both draw with it.

#include "framework/graphics.h"

#include <windows.h>

namespace tarnivo {

class TSkinElements;

// Scroll-bar part codes as the system's notifications name them; the overlay
// keeps one of them as the part shown hot or pressed.
namespace sbpart {
constexpr int None = -1;
constexpr int FirstArrow = SB_LINEUP;     // 0
constexpr int SecondArrow = SB_LINEDOWN;  // 1
constexpr int PageBefore = SB_PAGEUP;     // 2
constexpr int PageAfter = SB_PAGEDOWN;    // 3
constexpr int Thumb = SB_THUMBTRACK;      // 5
} // namespace sbpart

// Frames of the "Scrollbar" strip.
namespace sbframe {
constexpr int Count = 23;
constexpr int LeftArrow = 1;
constexpr int RightArrow = 5;
constexpr int UpArrow = 9;
constexpr int DownArrow = 13;
constexpr int HorzGrip = 17;
constexpr int VertGrip = 20;
constexpr int TrackCount = 4;
constexpr int TrackEnabled = 1;
constexpr int TrackDisabled = 3;
} // namespace sbframe

struct TScrollBarLook {
    bool Vertical = true;
    int Width = 0;          // the bar as the system reports it
    int Height = 0;
    int ThumbStart = 0;     // along the axis, from the bar's start
    int ThumbEnd = 0;
    bool Enabled = true;
    int ArrowSize = 0;      // SM_CXHSCROLL
    int Part = sbpart::None;
    bool Pressed = false;
};

// Whether the skin draws scroll bars at all: a "Scrollbar" strip with pixels.
bool SkinHasScrollBars(const TSkinElements& elements);
// The bar's thickness: the strip's height, or the system's arrow size when
// the two differ by more than 2 pixels.
int ScrollBarThickness(const TSkinElements& elements, int arrowSize);
// The arrow length: the system's, or half a bar too short for two.
int ScrollArrowLength(int length, int arrowSize);
// Draws the bar at (0, 0) of `dc`, `look.Width` x `look.Height`, the face
// colour under everything. Nothing without a "Scrollbar" strip.
void DrawScrollBar(HDC dc, const TSkinElements& elements, TColor face,
                   const TScrollBarLook& look);
// The same, composed off-screen and copied to `at` in one transfer.
void DrawScrollBarBuffered(HDC dc, POINT at, const TSkinElements& elements, TColor face,
                           const TScrollBarLook& look);

} // namespace tarnivo
