#pragma once
// Progress bars, track bars (channels and thumbs) and up-down buttons.

#include "palette.h"
#include "skinoutput.h"

namespace tarnivo::skingen {

void add_ranges(SkinOutput& out, const SkinPalette& p);

// The track-bar channels, also built into the program as the resources
// "TRACK" (16 x 4) and "TRACKVERT" (4 x 16) for skins without them.
// Drawn at `k` times the size for the 200 % pictures.
Bitmap track_channel(Rgb fill, Rgb border, Rgb backdrop, int k = 1);
Bitmap track_channel_vertical(Rgb fill, Rgb border, Rgb backdrop, int k = 1);

} // namespace tarnivo::skingen
