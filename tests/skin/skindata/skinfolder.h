#pragma once
// Packs a skin folder (one INI text and its BMP files) into a skin file, as
// skintool does, for tests and benchmarks that load the generated skins.

#include "../resources/testarchive.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace tarnivo::test {

inline std::string ReadWholeFile(const std::string& path)
{
    TMemoryStream bytes;
    bytes.LoadFromFile(path);
    return std::string(reinterpret_cast<const char*>(bytes.Memory()), static_cast<std::size_t>(bytes.Size()));
}

// The INI first, then the bitmaps in directory order. False when the folder
// has no INI.
inline bool PackSkinFolder(const std::string& folder, TMemoryStream& skinFile)
{
    std::vector<std::pair<std::string, std::string>> entries(1);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "/*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        const std::string name = found.cFileName;
        const std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : "";
        if (extension == ".ini")
            entries[0] = {name, ReadWholeFile(folder + "/" + name)};
        else if (extension == ".bmp")
            entries.emplace_back(name, ReadWholeFile(folder + "/" + name));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    if (entries[0].first.empty())
        return false;
    SkinFile(ArchiveBytes(Entries(entries)), skinFile);
    return true;
}

// Paths of the native build's generated artwork, as Wine sees them.
inline std::string HostBuildFile(const std::string& relative)
{
    // Wine shows the Linux root as drive Z:.
    return std::string("Z:") + TARNIVO_HOST_BUILD_DIR + "/" + relative;
}

} // namespace tarnivo::test
