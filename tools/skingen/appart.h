#pragma once
// The program's own artwork, for the Windows resource compiler: icons, menu
// images, the main window's decorations, the About picture, the built-in
// track-bar channels and the window-menu glyph strip.

#include <filesystem>

namespace tarnivo::skingen {

void write_app_artwork(const std::filesystem::path& folder);

} // namespace tarnivo::skingen
