#pragma once
// The scheme colours of a skin and the text forms colours take in skin INI
// files.

#include "framework/graphics.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tarnivo {

class TQuickIni;

// The one marker for "the skin gives no colour here", in every colour field
// of the elements and in the answers of TSkinData::Colors/CustomColors for an
// index outside the tables. Its value can be confused with nothing a painter
// might draw or pass on: the top bit is clear, so it is no system colour
// (IsSystemColor is false); bits 24-30 are set, so it is no plain colour; and
// it is neither of the framework's own markers clNone (which a framework
// control reads as "transparent") and clDefault. Skins cannot produce it:
// colour texts and triples give plain colours only, and a colour number that
// is not a drawable colour reads as not given (ColorFromNumber).
// Test with ColorGiven; never draw it.
constexpr TColor clNotGiven = 0x7FFFFFFF;
constexpr bool ColorGiven(TColor color) { return color != clNotGiven; }

// A colour number from a skin ("NormalColour" and its kin): a plain colour
// (0 to 0xFFFFFF) or a system colour (top bit and a COLOR_* index in the low
// byte) is kept; -1, which skins write for "none", and every other value that
// names no colour become clNotGiven.
constexpr TColor ColorFromNumber(std::int32_t number)
{
    const auto bits = static_cast<std::uint32_t>(number);
    const bool plain = (bits & 0xFF000000u) == 0;
    const bool system = (bits & 0xFFFFFF00u) == 0x80000000u;
    return plain || system ? number : clNotGiven;
}

// Scheme colour table index; member n is entry n.
enum TShemeColor {
    csText,
    csTitleTextActive,
    csTitleTextNoActive,
    csButtonFace,
    csButtonText,
    csButtonHilight,
    csButtonlight,
    csButtonShadow,
    csButtonDkshadow,
    csSelectText,
    csSelectBg,
    csHilightText,
    csHilight,
    csMenuBar,
    csMenuBarText,
    csMenuText,
    csMenubg,
    csCaption,
    csScrollbar,
    csTextDisable,
};
constexpr int SchemeColorCount = csTextDisable + 1;

using TSchemeColors = std::array<TColor, SchemeColorCount>;
constexpr int CustomColorCount = 10;
using TCustomColors = std::array<TColor, CustomColorCount>;

// One colour of the [Colours] section and the system colour it keeps when the
// skin leaves the key out.
struct TSchemeColorKey {
    TShemeColor Member;
    const char* Key;
    TColor Missing;
};

// The keys read from [Colours], in table order. csMenuBar is not among them:
// its fallback is the button face just read (see LoadSchemeColors).
std::span<const TSchemeColorKey> SchemeColorKeys();

// The table before any skin is loaded: every entry its system colour.
TSchemeColors DefaultSchemeColors();

// A colour written as three decimal numbers (red, green, blue) separated by
// anything that is not a digit, such as "222 222 222" or "255,0,0". Digit runs
// that a non-digit ends are the numbers; a run at the very end counts only as
// the third number after exactly two. Numbers are taken modulo 256, missing
// ones are 0, numbers after the third are ignored. Nothing for empty text.
std::optional<TColor> ParseColorText(std::string_view text);

// The colour text of section/key, or `fallback` when the key is missing or empty.
TColor ReadColorText(const TQuickIni& ini, std::string_view section, std::string_view key,
                     TColor fallback);

// Three integer keys key+"R", key+"G", key+"B"; used only when all three are
// there and none is negative, each then taken modulo 256; otherwise
// `fallback` (the loader passes clNotGiven).
TColor ReadColorTriple(const TQuickIni& ini, std::string_view section, std::string_view key,
                       TColor fallback);

// Reads [Colours] into the table (csCaption, csSelectText, csSelectBg and
// csTextDisable are left as they are) and the ten [Customcolors] entries.
void LoadSchemeColors(const TQuickIni& ini, TSchemeColors& colors);
void LoadCustomColors(const TQuickIni& ini, TCustomColors& colors);

} // namespace tarnivo
