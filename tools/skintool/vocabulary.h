#pragma once
// The skin INI vocabulary as the skin loader reads it: which sections it
// knows, which keys name images, and how many state frames each image holds.

#include "skin/resources/quickini.h"

#include <optional>
#include <string>
#include <vector>

namespace tarnivo::skintool {

struct ImageUse {
    std::string section;  // as the loader spells it
    std::string key;
    // Frames the image must hold when the INI or the element fixes it;
    // empty when the loader works it out from the image itself.
    std::optional<int> frames;
};

// Every image key of the loaded INI that the skin loader reads, with its
// frame count. Keys absent from the INI are left out.
std::vector<ImageUse> ImageUses(const TQuickIni& ini);

// True for a section the skin loader reads ([Buttons], [Personality], the
// caption-button sections, ...), compared without regard to case.
bool IsKnownSection(const std::string& section);

// A section the caption-button reader takes: upper-cased name starting
// with "BUTTON", other than BUTTONS, BUTTON.RADIO, BUTTON.CHECKBOX, BUTTON.
bool IsCaptionButtonSection(const std::string& section);

} // namespace tarnivo::skintool
