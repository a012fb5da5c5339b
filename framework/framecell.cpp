#include "framecell.h"

#include "bitmap.h"

#include <algorithm>

namespace tarnivo {

std::optional<TRect> FrameCellRect(int imageWidth, int imageHeight, const TFrameCell& cell)
{
    if (imageWidth <= 0 || imageHeight <= 0 || cell.count < 1 || cell.index < 1 ||
        cell.index > cell.count)
        return std::nullopt;
    if (cell.layout == TFrameLayout::Stacked) {
        const int height = imageHeight / cell.count;
        if (height <= 0)
            return std::nullopt;
        return Bounds(0, height * (cell.index - 1), imageWidth, height);
    }
    const int width = imageWidth / cell.count;
    if (width <= 0)
        return std::nullopt;
    return Bounds(width * (cell.index - 1), 0, width, imageHeight);
}

std::optional<TRect> FrameCellRect(const TBitmap& image, const TFrameCell& cell)
{
    return FrameCellRect(image.Width(), image.Height(), cell);
}

TRect Intersection(const TRect& a, const TRect& b)
{
    const TRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
    return HasArea(r) ? r : TRect{};
}

} // namespace tarnivo
