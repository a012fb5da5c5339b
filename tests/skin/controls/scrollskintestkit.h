#pragma once
// A skin whose scroll-bar and header frames each have a colour of their own,
// so that a pixel tells which frame a painter chose.

#include "framework/graphics.h"

#include <string>

namespace tarnivo {
class TSkinData;
}

namespace tarnivo::test {

inline TColor StripColor(int frame) { return RGBColor(10 * frame, 0x40, 0x80); }
inline TColor TrackColor(int frame) { return RGBColor(0x30, 40 * frame, 0x10); }
inline TColor ThumbColor(int frame) { return RGBColor(0x90, 0xC0, 60 * frame); }
inline TColor HeaderColor(int frame) { return RGBColor(0xE0, 30 * frame, 0x20); }
constexpr TColor kScrollFace = RGBColor(10, 20, 30);
constexpr TColor kScrollShadow = RGBColor(70, 80, 90);

// Loads that skin; the strip is the system's arrow size high.
bool LoadScrollSkin(TSkinData& data);
// The screen's colour at a screen point.
TColor ScreenColor(POINT p);

} // namespace tarnivo::test
