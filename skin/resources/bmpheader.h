#pragma once
// Checks the headers of a BMP file held in memory (a skin archive entry)
// against the bytes actually present, before anything trusts its sizes.
// Platform-free: no Windows header.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnivo {

inline constexpr std::int32_t MaxBitmapSide = 16384;

struct TBmpInfo {
    std::int32_t Width = 0;
    std::int32_t Height = 0;         // always positive; see TopDown
    bool TopDown = false;
    int BitCount = 0;
    std::uint32_t Compression = 0;   // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    std::int64_t PixelOffset = 0;    // from the start of the file
    std::int64_t PixelBytes = 0;     // uncompressed: stride * height
};

// Fills info and answers true when the bytes are a BMP whose header, colour
// table and pixel rows all lie within size; otherwise answers false with a
// one-line reason in error.
bool ParseBmpHeader(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string& error);

} // namespace tarnivo
