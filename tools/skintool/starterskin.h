#pragma once
// `skintool new`: a complete starting skin for an author to edit. The
// artwork is the default skin's, with every frame of every image outlined
// and numbered so the author sees which state lives where; the INI names
// every key the loader reads, each with a comment, the values the default
// skin uses or else the loader's default.

#include <filesystem>
#include <string>

namespace tarnivo::skintool {

// The INI's file name inside the folder.
inline constexpr const char* StarterIniName = "starter.ini";

// Writes the INI and its bitmaps into folder (created when missing). Refuses
// (raises Exception) a folder that already holds files, so no work is
// overwritten. Answers the number of files written.
int WriteStarterSkin(const std::filesystem::path& folder);

// The INI text alone (what WriteStarterSkin writes as StarterIniName).
std::string StarterIniText();

} // namespace tarnivo::skintool
