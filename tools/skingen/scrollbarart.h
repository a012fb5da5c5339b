#pragma once
// Scroll bars: the 23-frame arrow and grip strip, the tracks and the thumbs.

#include "palette.h"
#include "skinoutput.h"

namespace tarnivo::skingen {

// The painter takes the bar's thickness from the "Scrollbar" image height
// (unless it differs from SM_CXHSCROLL by more than 2 pixels).
inline constexpr int kScrollThickness = 17;

void add_scrollbars(SkinOutput& out, const SkinPalette& p);

} // namespace tarnivo::skingen
