#include "bitmapregion.h"

#include "bitmap.h"
#include "regions.h"

#include <algorithm>
#include <cstdint>

namespace tarnivo {

namespace {

struct ChannelRange {
    int low;
    int high;

    ChannelRange(int key, int tolerance)
        : low(key), high(std::min(key + std::max(tolerance, 0), 255))
    {
    }
    bool Holds(int value) const { return value >= low && value <= high; }
};

} // namespace

GdiRegion RegionFromBitmap(const TBitmap& image, int x, int y, TColor key, TKeyTolerance tolerance)
{
    if (image.Empty())
        return GdiRegion();
    const COLORREF k = ColorToRGB(key);
    const ChannelRange red(GetRValue(k), tolerance.red);
    const ChannelRange green(GetGValue(k), tolerance.green);
    const ChannelRange blue(GetBValue(k), tolerance.blue);
    const int width = image.Width();
    const int bpp = image.BytesPerPixel();
    TRegionBuilder builder;
    for (int row = 0; row < image.Height(); ++row) {
        const std::uint8_t* p = image.ScanLine(row);
        int runStart = -1;
        for (int col = 0; col < width; ++col, p += bpp) {
            const bool keyed = blue.Holds(p[0]) && green.Holds(p[1]) && red.Holds(p[2]);
            if (!keyed && runStart < 0) {
                runStart = col;
            } else if (keyed && runStart >= 0) {
                builder.Add(Rect(x + runStart, y + row, x + col, y + row + 1));
                runStart = -1;
            }
        }
        if (runStart >= 0)
            builder.Add(Rect(x + runStart, y + row, x + width, y + row + 1));
    }
    return builder.Finish();
}

} // namespace tarnivo
