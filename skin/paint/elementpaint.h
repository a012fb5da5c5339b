#pragma once
// Drawing a skin element (TDataSkinObject) with its own settings: its frame
// count, margins, Tile and Trans switches. Painters pick the element and the
// frame for the state they draw; these helpers do the rest.
//
// An element may be absent (null) or have an empty image (ElementPresent is
// false): every helper then draws nothing and answers false, so the painter
// can leave that part to the system look.

#include "drawroutines.h"

#include "skin/resources/skinelements.h"

namespace tarnivo {

// The frame for an active or inactive window: 1 when active, else 2; always 1
// for an element with a single frame.
int ActiveFrame(const TDataSkinObject& element, bool active);

// The element's keying: Transparent when its Trans is 1.
Keying ElementKeying(const TDataSkinObject& element);
// The element's centre fill: Tile when its Tile is 1 (for the window
// borders too: the loader has turned their "Stretch" into Tile).
CenterFill ElementCenterFill(const TDataSkinObject& element);

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
