#pragma once
// Windows icon files (.ico) holding several sizes of 32-bit images with alpha.

#include <cstdint>
#include <vector>

namespace tarnivo::skingen {

struct IconImage {
    int size = 0;                   // width and height, 1..256
    std::vector<std::uint8_t> rgba; // straight RGBA, rows top to bottom
};

// Each image is stored as a 32-bit BGRA DIB with its AND mask (set where the
// pixel is fully transparent), so both alpha-aware and older code draw it.
std::vector<std::uint8_t> encode_ico(const std::vector<IconImage>& images);

} // namespace tarnivo::skingen
