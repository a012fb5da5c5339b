#pragma once
// The flat border that skinned edits, date-time pickers and combo boxes share:
// a 1-pixel outline in the skin's shadow colour with white lines inside it,
// drawn over the system's 2-pixel sunken edge.

#include "framework/graphics.h"

#include <windows.h>

namespace tarnivo {

// Frames `rect` with a 1-pixel `outline`, then `whiteLines` 1-pixel white
// frames inside it, each 1 pixel further in. A rectangle too small for a line
// gets no more lines; nothing else is touched.
void DrawEditBorder(HDC dc, const TRect& rect, TColor outline, int whiteLines);

// Frames `rect` with a 1-pixel line of `color` (system colours resolved).
void FrameLine(HDC dc, const TRect& rect, TColor color);

} // namespace tarnivo
