#pragma once
// How the skin's title element styles the caption text: its font height,
// its own active and inactive text colours, and the plain plate behind the
// text that "Textbackground" asks for. Each falls back to the caption's look
// without the skin (the system caption font, the scheme's title colours, no
// plate) where the skin gives nothing.

#include "skin/resources/skinelements.h"

#include "framework/font.h"

namespace tarnivo {

// `font` becomes `systemFont` (face, style, charset kept) at the title's
// FontHeight, a cell height in pixels, when the skin gives one; otherwise a
// copy of `systemFont`.
void MakeTitleFont(const TDataSkinTitle& title, const TFont& systemFont, TFont& font);

// The caption text colour: the title's own ActiveText or InActiveText when
// the skin gives it, else the scheme colour csTitleTextActive or
// csTitleTextNoActive of `colors`.
TColor TitleTextColor(const TDataSkinTitle& title, const TSchemeColors& colors, bool active);

// Whether the caption text gets a plain plate in the caption colour behind
// it: "Textbackground" is 1 and the skin has no TextBack image (which is the
// plate then).
bool TitleWantsPlate(const TDataSkinTitle& title);

} // namespace tarnivo
