#pragma once
// Window frame and title bar: the four border images, the caption text
// background and the menu band, with their [Personality] keys.

#include "palette.h"
#include "skinoutput.h"

#include <functional>
#include <string>

namespace tarnivo::skingen {

// Geometry the frame painter reads back from the images: BorderTop is the top
// image's frame height, BorderLeft the left image's frame width, and so on.
inline constexpr int kTitleHeight = 26;
inline constexpr int kBorderWidth = 4;
inline constexpr int kCornerRadius = 6;
// Unscaled ends of the top border image (TopTopHeight, TopBotHeight): they
// carry the rest of the rounded corner that the 4 px side border cannot hold.
inline constexpr int kTopCap = 8;
inline constexpr int kMenuBandHeight = 20;

enum class WindowLook { Active, Inactive };

// Pictures drawn for 200 % go into the skin as "name@200.bmp" beside the
// "name.bmp" an INI key names, at exactly twice its size; the engine takes
// them for windows at 200 % and scales them for windows above 150 %.
inline constexpr const char* kDrawn200 = "@200";

// Adds the picture `draw(1)` under `name` and `draw(2)` beside it for 200 %;
// answers the name an INI key gives.
std::string add_both(SkinOutput& out, const std::string& name, const std::function<Bitmap(int k)>& draw);

// The title bar's colour at window row y (the same in every column), so caption
// buttons can be drawn over exactly what the frame painter puts under them.
// Drawn at k times the size for the 200 % pictures (k = 2).
Paint title_backdrop(const SkinPalette& p, WindowLook look, int k = 1);
// The menu band's colour (flat, so anything baked onto it matches).
Rgb menu_band_colour(const SkinPalette& p, WindowLook look);

void add_frame(SkinOutput& out, const SkinPalette& p);

} // namespace tarnivo::skingen
