#pragma once
// Containers: tabs and their pane, group boxes, status-bar panels and tool
// buttons.

#include "palette.h"
#include "skinoutput.h"

namespace tarnivo::skingen {

void add_containers(SkinOutput& out, const SkinPalette& p);

} // namespace tarnivo::skingen
