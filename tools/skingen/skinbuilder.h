#pragma once
// Puts a whole skin together from its palette and writes it as a folder:
// one INI description and the bitmaps it names.

#include "palette.h"
#include "skinoutput.h"

#include <filesystem>

namespace tarnivo::skingen {

SkinOutput build_skin(const SkinPalette& p);

// Writes `<folder>/<p.folder>.ini` and every bitmap into folder.
void write_skin(const SkinOutput& skin, const SkinPalette& p, const std::filesystem::path& folder);

} // namespace tarnivo::skingen
