#pragma once
// LoadFromIni: reads a skin's INI description and the bitmaps it names from
// the skin archive into a set of element objects, then derives the images a
// skin does not carry itself (combo faces, the combo arrow, the tool-bar
// gradient, the MDI child buttons, the default track images).

#include <windows.h>

#include <cstdint>

namespace tarnivo {

class TQuickIni;
class TSkinImages;
class TSkinElements;

// Lengths, offsets and frame counts read from a skin are held to
// -MaxSkinLength..MaxSkinLength pixels.
constexpr std::int32_t MaxSkinLength = 32767;

// What the loader takes from the running system.
struct TSkinLoadEnvironment {
    // Module holding the "TRACK" and "TRACKVERT" bitmaps used when a skin
    // has no track images of its own; null leaves those images empty.
    HINSTANCE Resources = nullptr;
    // SM_CXHSCROLL at 96 DPI: the combo faces keep a button of this width + 2.
    int ScrollArrowWidth = 16;
};

// The environment of this process: the module the skin engine is linked
// into, and the system's scroll arrow width.
TSkinLoadEnvironment CurrentSkinLoadEnvironment();

// Fills a fresh `elements` from `ini` (the skin description) and `images`
// (the bitmaps of the unpacked archive). Missing sections and keys give
// absent elements or defaults; an image that is missing or not a readable
// BMP gives an empty image. Raises ESkinRefused when the skin's images
// exceed their budget, and otherwise only what the system raises when it
// cannot make a bitmap.
void LoadFromIni(const TQuickIni& ini, TSkinImages& images, TSkinElements& elements,
                 const TSkinLoadEnvironment& environment);

} // namespace tarnivo
