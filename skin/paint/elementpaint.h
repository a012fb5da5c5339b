#pragma once
// Drawing a skin element (TDataSkinObject) with its own settings: its frame
// count, margins, Tile and Trans switches. Painters pick the element and the
// frame for the state they draw; these helpers do the rest.
//
// An element may be absent (null): every helper then draws nothing and
// answers false, so the painter can leave that part to the system look. An
// element whose image is empty also answers false.

#include "drawroutines.h"

#include "skin/resources/skinelements.h"

namespace tarnivo {

// The frame for an active or inactive window: 1 when active, else 2; always 1
// for an element with a single frame.
int ActiveFrame(const TDataSkinObject& element, bool active);

// Whether the element exists and has something to draw.
bool HasImage(const TDataSkinObject* element);

// The element's keying: Transparent when its Trans is 1.
Keying ElementKeying(const TDataSkinObject& element);
// The element's centre fill: Tile when its Tile is 1.
CenterFill ElementCenterFill(const TDataSkinObject& element);
// A window border's centre fill. The border reader keeps the skin's
// "<side>Stretch" value in Tile, so it reads the other way round: 1 stretches,
// any other value tiles.
CenterFill BorderCenterFill(const TDataSkinObject& border);

// Frame `frame` of the element drawn over `rect` with the nine-grid rule,
// its margins and Tile, magenta keyed when its Trans is 1.
bool DrawElementFrame(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame,
                      FrameLayout layout = FrameLayout::SideBySide);

// Frame `frame` of the element stretched over `rect` (no margins), magenta
// keyed when its Trans is 1.
bool DrawElementStretched(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame);

// Frame `frame` of the element at its natural size, centred in `rect`,
// magenta keyed when its Trans is 1.
bool DrawElementCentred(HDC dc, const TRect& rect, const TDataSkinObject* element, int frame);

// A bitmap of `size` with frame `frame` of the element drawn with the
// nine-grid rule (the element's margins and Tile), for callers that compose
// or build a region from it. Null for an absent element or an empty image.
std::unique_ptr<TBitmap> ElementBitmap(const TDataSkinObject* element, TSize size, int frame,
                                       FrameLayout layout = FrameLayout::SideBySide);

} // namespace tarnivo
