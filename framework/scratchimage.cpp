#include "scratchimage.h"

#include <algorithm>
#include <array>

namespace tarnivo {

namespace {

// Above this many pixels (4 MB at 32 bits) a scratch is not kept.
constexpr long long kKeptPixels = 1 << 20;

TBitmap& Kept(TScratchSlot slot)
{
    thread_local std::array<TBitmap, 4> kept;
    return kept[static_cast<std::size_t>(slot)];
}

} // namespace

ScratchImage::ScratchImage(TScratchSlot slot, int width, int height)
    : m_width(width), m_height(height)
{
    if (static_cast<long long>(width) * height > kKeptPixels) {
        m_own = std::make_unique<TBitmap>();
        m_bitmap = m_own.get();
    } else {
        m_bitmap = &Kept(slot);
    }
    TBitmap& b = *m_bitmap;
    if (b.PixelFormat() != pf32bit)
        b.SetPixelFormat(pf32bit);
    if (b.Width() < width || b.Height() < height)
        b.SetSize(std::max(b.Width(), width), std::max(b.Height(), height));
    HDC dc = DC();
    SelectClipRgn(dc, nullptr);
    IntersectClipRect(dc, 0, 0, width, height);
}

} // namespace tarnivo
