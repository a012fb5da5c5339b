#pragma once
// Caption buttons (close, maximise, restore, minimise, help, window icon) and
// the three buttons of a maximised MDI child shown in the menu band.

#include "palette.h"
#include "skinoutput.h"

namespace tarnivo::skingen {

inline constexpr int kCaptionButtonSize = 18;
inline constexpr int kCaptionButtonTop = 4;
inline constexpr int kMdiButtonSize = 16;

void add_caption_buttons(SkinOutput& out, const SkinPalette& p);

} // namespace tarnivo::skingen
