#pragma once
// Combo boxes (SunkEdge, ComboButton, ExtraImages) and list headers.

#include "palette.h"
#include "skinoutput.h"

namespace tarnivo::skingen {

void add_fields(SkinOutput& out, const SkinPalette& p);

} // namespace tarnivo::skingen
