#pragma once
// Building skin files from a folder, and taking them apart again.

#include "skin/resources/lzh.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarnivo {
class TMemoryStream;
}

namespace tarnivo::skintool {

struct ArchiveEntry {
    std::string name;  // as stored in the name list
    std::vector<std::uint8_t> bytes;
};

// The most files a skin folder may hold: one INI and 999 bitmaps leave the
// archive within the reader's 1001 entries.
inline constexpr std::size_t MaxFolderFiles = 1000;

// The archive bytes (version 20000) for the entries, in the order given.
std::vector<std::uint8_t> BuildSkinArchive(const std::vector<ArchiveEntry>& entries);

// What to do with a file that is neither ".ini" nor ".bmp".
enum class ForeignFiles {
    Refuse,   // `skintool pack`: a skin folder holds nothing else
    Skip,     // the live preview: editors keep swap and backup files beside the INI
};

// Reads a skin folder: exactly one ".ini" file and any ".bmp" files
// (extensions in any case), nothing else unless skipped, at most
// MaxFolderFiles, names unique without regard to case. Sorted by name so the
// output is the same on every machine. Raises Exception with the reason
// otherwise.
std::vector<ArchiveEntry> ReadSkinFolder(const std::filesystem::path& folder,
                                         ForeignFiles foreign = ForeignFiles::Refuse);

// pack: folder -> skin file (an LZH block around the archive), into memory
// (positioned at 0, ready for the skin data to load) or into a file. The
// live preview packs with the quick search: its block is never kept.
void PackSkinFolder(const std::filesystem::path& folder, TMemoryStream& skin,
                    ForeignFiles foreign = ForeignFiles::Refuse,
                    LzhSearch search = LzhSearch::Thorough);
void PackSkinFolder(const std::filesystem::path& folder, const std::filesystem::path& skinFile);

// unpack: every entry into folder (created if missing), under its stored
// (lower-case) name. Names that are not plain file names are refused; a
// later duplicate of a name is skipped, as the reader never finds it.
// Answers the number of files written.
int UnpackSkinFile(const std::filesystem::path& skinFile, const std::filesystem::path& folder);

struct ListedEntry {
    std::string name;
    std::int32_t size;
};
std::vector<ListedEntry> ListSkinFile(const std::filesystem::path& skinFile);

// Helpers shared by the commands.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& file);
void WriteWholeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);

} // namespace tarnivo::skintool
