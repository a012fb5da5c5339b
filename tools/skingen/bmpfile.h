#pragma once
// Windows BMP files: writing the 24-bit images of a skin and the 1-bit glyph
// strip of the window menu; reading goes through the program's own decoder
// (framework/bmpfile.h), so skingen accepts exactly what the engine does.

#include "raster.h"

#include "framework/bmpfile.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tarnivo::skingen {

// Largest side accepted when reading, as in the skin engine.
inline constexpr int kMaxBitmapSide = bmp::kMaxSide;

// An uncompressed 24-bit bottom-up BMP (BITMAPINFOHEADER), rows padded to 4 bytes.
std::vector<std::uint8_t> encode_bmp24(const Bitmap& image);

// A 1-bit BMP with the palette black (index 0) and white (index 1); pixels
// lighter than mid grey become white.
std::vector<std::uint8_t> encode_bmp1(const Bitmap& image);

// Reads any BMP file the engine's decoder takes (every depth, run-length
// coding, bit fields, the OS/2 headers); the fourth byte of 32-bit pixels is
// dropped. Throws tarnivo::Exception with the decoder's reason for anything
// it refuses.
Bitmap decode_bmp(std::span<const std::uint8_t> bytes);

} // namespace tarnivo::skingen
