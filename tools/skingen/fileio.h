#pragma once
// Whole-file reads and writes for the generator.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace tarnivo::skingen {

// Input files larger than this are refused (the engine's cap on an unpacked skin).
inline constexpr std::uintmax_t kMaxInputFileBytes = 64u * 1024 * 1024;

// Throws tarnivo::EFOpenError when the file cannot be opened and
// tarnivo::EStreamError when it is larger than `limit` or cannot be read.
std::vector<std::uint8_t> read_file(const std::filesystem::path& path, std::uintmax_t limit);

// Creates missing parent folders; throws tarnivo::EFOpenError on failure.
void write_file(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void write_file(const std::filesystem::path& path, std::string_view text);

} // namespace tarnivo::skingen
