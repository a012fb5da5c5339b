#pragma once
// Popup menus: the item frames and the popup window's background.

#include "palette.h"
#include "skinoutput.h"

namespace tarnivo::skingen {

void add_menus(SkinOutput& out, const SkinPalette& p);

} // namespace tarnivo::skingen
