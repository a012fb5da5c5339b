#pragma once
// Builds skin archives byte by byte for the reader tests, including broken ones.

#include "framework/streams.h"
#include "skin/resources/lzh.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnivo::test {

struct ArchiveParts {
    std::int32_t version = 20000;
    std::string nameList;               // as stored, line ends included
    std::vector<std::int32_t> sizes;    // the size table as stored
    std::string data;                   // the entry data area
    std::optional<std::int32_t> listLength;  // unset: the real length of nameList
};

inline ArchiveParts Entries(const std::vector<std::pair<std::string, std::string>>& entries)
{
    ArchiveParts parts;
    for (const auto& [name, bytes] : entries) {
        parts.nameList += name + "\r\n";
        parts.sizes.push_back(static_cast<std::int32_t>(bytes.size()));
        parts.data += bytes;
    }
    return parts;
}

inline std::string ArchiveBytes(const ArchiveParts& parts)
{
    TMemoryStream stream;
    stream.WriteInt32(parts.version);
    stream.WriteInt32(parts.listLength.value_or(static_cast<std::int32_t>(parts.nameList.size())));
    stream.WriteInt32(0x12345678);  // reserved: any value
    stream.WriteInt32(-1);
    stream.WriteBuffer(parts.nameList.data(), static_cast<std::int64_t>(parts.nameList.size()));
    for (const std::int32_t size : parts.sizes)
        stream.WriteInt32(size);
    stream.WriteBuffer(parts.data.data(), static_cast<std::int64_t>(parts.data.size()));
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

// The skin file: an LZH block around the archive bytes.
inline void SkinFile(const std::string& archive, TMemoryStream& file)
{
    TMemoryStream source;
    source.WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    file.Clear();
    PackLzhBlock(source, file);
    file.SetPosition(0);
}

} // namespace tarnivo::test
