#pragma once
// Scratch images for the image operations: 32-bit DIB sections with their
// memory DC, kept from one call to the next.
//
// Making a DIB section and a memory DC costs far more than the drawing a
// title bar or a button needs (about 0.35 ms under Wine against 0.07 ms for a
// whole nine-grid), so each kind of scratch is made once per thread and only
// grown. A borrowed scratch is at least the size asked for; its DC is clipped
// to exactly that size, so GDI draws no more into it than into one of the
// exact size. Very large requests get a scratch of their own that is freed
// afterwards, which bounds what stays allocated.

#include "bitmap.h"

#include <memory>

namespace tarnivo {

// One slot per role, so an operation can hold several at once (the
// nine-grid composes in Image while a tiled piece uses Piece and Tiles, and
// the keyed copy needs Mask).
enum class TScratchSlot { Image, Piece, Tiles, Mask };

class ScratchImage {
public:
    // Contents undefined; valid until the holder goes.
    ScratchImage(TScratchSlot slot, int width, int height);
    ScratchImage(const ScratchImage&) = delete;
    ScratchImage& operator=(const ScratchImage&) = delete;

    TBitmap& Bitmap() { return *m_bitmap; }
    HDC DC() { return m_bitmap->Canvas().Handle(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Row y as 32-bit pixels (blue in the low byte).
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(m_bitmap->ScanLine(y)); }

private:
    std::unique_ptr<TBitmap> m_own;   // a one-off scratch for a large request
    TBitmap* m_bitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tarnivo
