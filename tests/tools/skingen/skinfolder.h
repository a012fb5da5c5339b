#pragma once
// Test helper: both skins written once to a temporary folder and read back the
// way the skin engine reads them (case-insensitive INI, bitmaps by file name).

#include "raster.h"

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tarnivo::skingen::test {

struct IniFile {
    // Section names upper-cased, key names lower-cased, as the engine compares them.
    std::vector<std::string> order;
    std::map<std::string, std::map<std::string, std::string>> sections;

    bool has(const std::string& section) const;
    std::string get(const std::string& section, const std::string& key) const;
    int get_int(const std::string& section, const std::string& key, int fallback) const;
};

IniFile parse_ini(const std::string& text);

struct SkinFolder {
    std::filesystem::path path;
    IniFile ini;
    std::set<std::string> bitmaps; // file names ending in ".bmp"
    Bitmap image(const std::string& name) const;
};

const SkinFolder& slate_folder();
const SkinFolder& paper_folder();

} // namespace tarnivo::skingen::test
