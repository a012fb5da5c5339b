#pragma once
// One line of caption text for the painters of caption buttons, menu-band
// items and controls: drawn in the canvas's font with its style made plain,
// on a transparent background, centred in the rectangle.

#include "framework/canvas.h"
#include "framework/controls/label.h"
#include "framework/graphics.h"

#include <string_view>

namespace tarnivo {

// The text is measured with the alignment's flag (DT_LEFT, DT_RIGHT or
// DT_CENTER) plus DT_SINGLELINE and DT_EXPANDTABS, then its measured box is
// centred in `rect` both ways (halves rounded toward zero) and the text drawn
// there. A disabled caption is drawn in clBtnShadow, an enabled one in the
// canvas font's colour. The canvas's font colour, style and background mode
// are as before afterwards. Nothing for an inverted rectangle or no text.
void MyDrawCaption(TCanvas& canvas, const TRect& rect, std::wstring_view text,
                   TAlignment alignment, bool enabled);

} // namespace tarnivo
