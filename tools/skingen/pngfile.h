#pragma once
// A minimal PNG writer (stored, uncompressed deflate) so contact sheets can be
// looked at without an image converter.

#include "raster.h"

#include <cstdint>
#include <vector>

namespace tarnivo::skingen {

std::vector<std::uint8_t> encode_png(const Bitmap& image);

} // namespace tarnivo::skingen
