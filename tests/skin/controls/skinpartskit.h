#pragma once
// A skin whose tab, progress, track-bar and up-down images hold one flat
// colour per frame (tab frames two: an outer and an inner half), so that a
// pixel read back from the screen tells which frame, which half and which
// image a painter drew.

#include "skincontroltestkit.h"
#include "skintestkit.h"

#include <string>

namespace tarnivo::test {

// Tab frame f (1..5): rows 0-4 TabOuter(f), rows 5-9 TabInner(f).
TColor TabOuter(int frame);
TColor TabInner(int frame);
constexpr TColor kPane = RGBColor(30, 160, 160);
constexpr TColor kProgressEmpty = RGBColor(40, 40, 200);
constexpr TColor kProgressFull = RGBColor(240, 140, 20);
constexpr TColor kTrack = RGBColor(120, 60, 10);
// Push-button face f (1..5).
TColor ButtonColor(int frame);
// Thumb frame f (1..5).
TColor ThumbColor(int frame);
// Up-down frame f (1..8) of the vertical and horizontal elements, and the
// glyph's colour (its frames are all one colour on magenta).
TColor UpDownVert(int frame);
TColor UpDownHorz(int frame);
constexpr TColor kGlyph = RGBColor(255, 255, 0);

// Hides the base fixture's panel and raw window and makes the form large
// enough for the controls under test.
void ClearStage(TForm& form, TPanel& panel, HWND raw);

// The INI text and files of that skin; `extraIni` is appended and
// `extraFiles` join the archive.
bool LoadPartsSkin(TSkinData& data, const std::string& extraIni = {},
                   const Files& extraFiles = {});

} // namespace tarnivo::test
