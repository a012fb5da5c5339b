#pragma once
// [Buttons]: push-button faces, check boxes and radio buttons.

#include "palette.h"
#include "skinoutput.h"

namespace tarnivo::skingen {

void add_buttons(SkinOutput& out, const SkinPalette& p);

} // namespace tarnivo::skingen
