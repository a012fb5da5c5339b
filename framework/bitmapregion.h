#pragma once
// The region of a bitmap's pixels that are not the key colour: how a window
// with transparent parts in its skin images gets its outline.

#include "gdiobjects.h"
#include "graphics.h"

namespace tarnivo {

class TBitmap;

// How far above the key each channel may lie and still count as key.
struct TKeyTolerance {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// Every pixel whose channels are not all within [key, key + tolerance] (the
// top capped at 255; a negative tolerance counts as 0) is in the region,
// moved by (x, y). Each row's runs of such pixels become one-pixel-high
// rectangles, turned into the region in batches of TRegionBuilder::kBatch.
// 24- and 32-bit images (the fourth byte is ignored). Null when no pixel is
// in the region, the image empty included.
GdiRegion RegionFromBitmap(const TBitmap& image, int x, int y, TColor key = clFuchsia,
                           TKeyTolerance tolerance = {});

} // namespace tarnivo
