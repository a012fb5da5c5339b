#pragma once
// One state frame of a control face over a rectangle: the two ways every
// control painter draws a face, from a skin element (nine-grid, with the
// element's margins, Tile and Trans) or from a plain strip of frames
// (stretched whole, magenta keyed).
//
// Unlike the element helpers of elementpaint.h, the frame count is the
// painter's: a painter knows how many faces its image holds (a check box
// image of 4 or 12 frames) even where the skin's own count says otherwise.

#include "drawroutines.h"

#include "skin/resources/skinelements.h"

namespace tarnivo {

// Frame `frame` of `frameCount` side-by-side frames of the element's image,
// drawn with the nine-grid rule over `rect` (a rectangle narrower than the
// two side margins drops them, and likewise vertically), magenta keyed when
// the element's Trans is 1, else opaque. An inverted or empty rectangle, an
// absent element or a frame that cannot be cut draws nothing; answers
// whether the element was there to draw from.
bool DrawSkinMap(HDC dc, const TRect& rect, int frameCount, int frame,
                 const TDataSkinObject* element);

// Frame `frame` of `frameCount` side-by-side frames of a plain bitmap,
// stretched onto `rect` and magenta keyed. Nothing for an inverted or empty
// rectangle or an empty bitmap.
void DrawSkinMapStretched(HDC dc, const TRect& rect, int frameCount, int frame,
                          const TBitmap& bitmap);

} // namespace tarnivo
