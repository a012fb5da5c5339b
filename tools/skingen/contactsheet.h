#pragma once
// Contact sheets: every bitmap of a skin folder on one neutral page with its
// name and size under it, so the artwork can be reviewed at a glance.

#include "raster.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarnivo::skingen {

struct SheetEntry {
    std::string label;
    Bitmap image;
};

// Reads every ".bmp" file of the folder in name order. A file that is not a
// readable BMP is reported through `refusals` ("name: reason") and left out.
// Throws tarnivo::Exception for a folder of more than 1001 bitmaps.
std::vector<SheetEntry> load_sheet_entries(const std::filesystem::path& folder, std::vector<std::string>& refusals);

// Lays the entries out left to right in rows; small images are shown at twice
// their size and magenta (transparent) pixels as a checkerboard. The page is
// 1024 pixels wide, or as wide as the widest image needs; throws
// tarnivo::Exception when it would exceed max_pixels.
inline constexpr std::int64_t kMaxSheetPixels = 64ll * 1024 * 1024;
Bitmap make_contact_sheet(const std::vector<SheetEntry>& entries, std::int64_t max_pixels = kMaxSheetPixels);

} // namespace tarnivo::skingen
