#pragma once
// Windows BMP files: the 24-bit images of a skin, the 1-bit glyph strip of the
// window menu, and reading BMPs back for contact sheets.

#include "raster.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tarnivo::skingen {

// Largest side accepted when reading; the skin engine refuses larger bitmaps too.
inline constexpr int kMaxBitmapSide = 16384;

// An uncompressed 24-bit bottom-up BMP (BITMAPINFOHEADER), rows padded to 4 bytes.
std::vector<std::uint8_t> encode_bmp24(const Bitmap& image);

// A 1-bit BMP with the palette black (index 0) and white (index 1); pixels
// lighter than mid grey become white.
std::vector<std::uint8_t> encode_bmp1(const Bitmap& image);

// Reads an uncompressed BMP of 1, 4, 8, 24 or 32 bits per pixel. Throws
// tarnivo::Exception with a reason for anything else: truncated data, sizes
// past the file, compression, or a side above kMaxBitmapSide.
Bitmap decode_bmp(std::span<const std::uint8_t> bytes);

} // namespace tarnivo::skingen
