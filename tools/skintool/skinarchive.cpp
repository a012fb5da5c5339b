#include "skinarchive.h"

#include "framework/streams.h"
#include "framework/stringlist.h"
#include "skin/resources/lzh.h"
#include "skin/resources/skinreader.h"

#include <algorithm>
#include <set>

namespace tarnivo::skintool {

namespace fs = std::filesystem;

namespace {

std::string Extension(const fs::path& file)
{
    return LowerCase(file.extension().string());
}

// A name that cannot leave the target folder or collide with its layout.
bool IsPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos &&
           name.find('\0') == std::string::npos;
}

void LoadSkin(const fs::path& skinFile, TSkinReader& reader)
{
    if (!reader.loadfromfile(skinFile.string()))
        throw Exception(skinFile.string() + ": " + reader.LastError());
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const fs::path& file)
{
    TMemoryStream stream;
    stream.LoadFromFile(file.string());
    return std::vector<std::uint8_t>(stream.Memory(), stream.Memory() + stream.Size());
}

void WriteWholeFile(const fs::path& file, const std::vector<std::uint8_t>& bytes)
{
    TFileStream stream(file.string(), TFileMode::fmCreate);
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

std::vector<std::uint8_t> BuildSkinArchive(const std::vector<ArchiveEntry>& entries)
{
    std::string names;
    std::int64_t total = TSkinReader::HeaderBytes;
    for (const ArchiveEntry& entry : entries) {
        names += entry.name + "\r\n";
        total += 4 + static_cast<std::int64_t>(entry.bytes.size()) + static_cast<std::int64_t>(entry.name.size()) + 2;
    }
    if (total > MaxUnpackedBytes)
        throw Exception("skin would unpack to " + std::to_string(total) + " bytes, more than 64 MiB");
    TMemoryStream archive;
    archive.WriteInt32(TSkinReader::SkinVersion);
    archive.WriteInt32(static_cast<std::int32_t>(names.size()));
    archive.WriteInt32(0);
    archive.WriteInt32(0);
    archive.WriteBuffer(names.data(), static_cast<std::int64_t>(names.size()));
    for (const ArchiveEntry& entry : entries)
        archive.WriteInt32(static_cast<std::int32_t>(entry.bytes.size()));
    for (const ArchiveEntry& entry : entries)
        archive.WriteBuffer(entry.bytes.data(), static_cast<std::int64_t>(entry.bytes.size()));
    return std::vector<std::uint8_t>(archive.Memory(), archive.Memory() + archive.Size());
}

std::vector<ArchiveEntry> ReadSkinFolder(const fs::path& folder, ForeignFiles foreign)
{
    if (!fs::is_directory(folder))
        throw Exception(folder.string() + ": not a folder");
    std::vector<fs::path> files;
    for (const fs::directory_entry& item : fs::directory_iterator(folder)) {
        if (!item.is_regular_file())
            continue;
        const std::string extension = Extension(item.path());
        if (extension != ".ini" && extension != ".bmp" && foreign == ForeignFiles::Skip)
            continue;
        if (extension != ".ini" && extension != ".bmp")
            throw Exception(item.path().string() + ": only one .ini file and .bmp files can be packed");
        files.push_back(item.path());
        if (files.size() > MaxFolderFiles)
            throw Exception(folder.string() + ": more than 1000 files");
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });

    std::vector<ArchiveEntry> entries;
    std::set<std::string> seen;
    int inis = 0;
    std::uintmax_t total = 0;
    for (const fs::path& file : files) {
        // Sizes first, so an oversized folder is refused before it is read.
        total += fs::file_size(file);
        if (total > static_cast<std::uintmax_t>(MaxUnpackedBytes))
            throw Exception(folder.string() + ": the files add up to more than 64 MiB");
        const std::string name = file.filename().string();
        if (name.find_first_of("\r\n") != std::string::npos)
            throw Exception(file.string() + ": a line end in a file name cannot be stored");
        if (!seen.insert(LowerCase(name)).second)
            throw Exception(file.string() + ": another file has the same name in another letter case");
        inis += Extension(file) == ".ini";
        entries.push_back({name, ReadWholeFile(file)});
    }
    if (inis != 1)
        throw Exception(folder.string() + ": needs exactly one .ini file, found " + std::to_string(inis));
    return entries;
}

void PackSkinFolder(const fs::path& folder, TMemoryStream& skin, ForeignFiles foreign,
                    LzhSearch search)
{
    const std::vector<std::uint8_t> archive = BuildSkinArchive(ReadSkinFolder(folder, foreign));
    TMemoryStream source;
    source.WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    skin.Clear();
    PackLzhBlock(source, skin, search);
    skin.SetPosition(0);
}

void PackSkinFolder(const fs::path& folder, const fs::path& skinFile)
{
    TMemoryStream block;
    PackSkinFolder(folder, block);
    block.SaveToFile(skinFile.string());
}

int UnpackSkinFile(const fs::path& skinFile, const fs::path& folder)
{
    TSkinReader reader;
    LoadSkin(skinFile, reader);
    for (int i = 0; i < reader.EntryCount(); ++i)
        if (!IsPlainFileName(reader.EntryNames()[i]))
            throw Exception(skinFile.string() + ": entry name \"" + reader.EntryNames()[i] +
                            "\" is not a plain file name");
    fs::create_directories(folder);
    std::set<std::string> written;
    TMemoryStream entry;
    for (int i = 0; i < reader.EntryCount(); ++i) {
        const std::string& name = reader.EntryNames()[i];
        if (!written.insert(name).second)
            continue;
        reader.readfile(name, entry);
        entry.SaveToFile((folder / name).string());
    }
    return static_cast<int>(written.size());
}

std::vector<ListedEntry> ListSkinFile(const fs::path& skinFile)
{
    TSkinReader reader;
    LoadSkin(skinFile, reader);
    std::vector<ListedEntry> entries;
    for (int i = 0; i < reader.EntryCount(); ++i)
        entries.push_back({reader.EntryNames()[i], reader.EntrySize(i)});
    return entries;
}

} // namespace tarnivo::skintool
