#include "skinreader.h"

#include <cstring>
#include <numeric>

namespace tarnivo {

namespace {

std::int32_t Int32At(const std::uint8_t* bytes)
{
    const std::uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

} // namespace

bool TSkinReader::Fail(std::string reason)
{
    lastError_ = std::move(reason);
    return false;
}

BlockStatus TSkinReader::Decompress(TStream& source, TStream& destination)
{
    return UnpackLzhBlock(source, destination);
}

bool TSkinReader::Loadfromstream(TMemoryStream& source)
{
    TMemoryStream archive;
    const BlockStatus status = Decompress(source, archive);
    if (status != BlockStatus::Ok)
        return Fail(BlockStatusText(status));
    return Parse(archive);
}

bool TSkinReader::loadfromfile(const std::string& fileName)
{
    TMemoryStream archive;
    BlockStatus status;
    try {
        TFileStream file(fileName, TFileMode::fmOpenRead);
        status = Decompress(file, archive);
    } catch (const EFOpenError&) {
        return Fail("Cannot open file \"" + fileName + "\"");
    }
    if (status != BlockStatus::Ok)
        return Fail(BlockStatusText(status));
    return Parse(archive);
}

// Every count and size comes from outside: each is checked against the
// bytes actually present before anything is allocated or copied.
bool TSkinReader::Parse(TMemoryStream& archive)
{
    const std::uint8_t* bytes = archive.Memory();
    const std::int64_t size = archive.Size();
    if (size < HeaderBytes)
        return Fail("skin archive shorter than its 16-byte header");
    std::array<std::int32_t, 4> header{};
    for (std::size_t i = 0; i < header.size(); ++i)
        header[i] = Int32At(bytes + 4 * i);
    if (header[0] != SkinVersion) {
        if (ShowMessage)
            ShowMessage(OlderSkinMessage);
        return Fail("skin format version " + std::to_string(header[0]) + ", expected 20000");
    }
    const std::int64_t listLength = header[1];
    if (listLength < 0 || HeaderBytes + listLength > size)
        return Fail("name list length " + std::to_string(listLength) + " runs past the end of the archive");
    const std::string list =
        LowerCase(std::string_view(reinterpret_cast<const char*>(bytes) + HeaderBytes, static_cast<std::size_t>(listLength)));
    const std::size_t count = TStringList::LineCount(list);
    if (count > static_cast<std::size_t>(MaxEntries))
        return Fail("skin archive lists " + std::to_string(count) + " entries, more than 1001");
    const std::int64_t tableStart = HeaderBytes + listLength;
    const std::int64_t dataStart = tableStart + 4 * static_cast<std::int64_t>(count);
    if (dataStart > size)
        return Fail("size table runs past the end of the archive");
    std::array<std::int32_t, MaxEntries> sizes{};
    std::int64_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sizes[i] = Int32At(bytes + tableStart + 4 * static_cast<std::int64_t>(i));
        if (sizes[i] < 0)
            return Fail("entry " + std::to_string(i) + " has a negative size");
        total += sizes[i];
    }
    if (total > size - dataStart)
        return Fail("entry sizes add up to " + std::to_string(total) + " bytes, the archive holds " +
                    std::to_string(size - dataStart));

    TStringList names;
    names.SetText(list);
    TMemoryStream data;
    data.WriteBuffer(bytes + dataStart, size - dataStart);
    data.SetPosition(0);

    names_.Assign(names);
    count_ = static_cast<int>(count);
    sizes_ = sizes;
    header_ = header;
    data_.Swap(data);
    lastError_.clear();
    return true;
}

void TSkinReader::readfile(std::string_view name, TMemoryStream& destination) const
{
    destination.Clear();
    const std::span<const std::uint8_t> bytes = EntryBytes(name);
    if (bytes.empty())
        return;
    destination.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    destination.SetPosition(0);
}

std::span<const std::uint8_t> TSkinReader::EntryBytes(std::string_view name) const
{
    const std::string wanted = LowerCase(name);
    std::int64_t offset = 0;
    for (int i = 0; i < count_; ++i) {
        const std::int32_t size = sizes_[static_cast<std::size_t>(i)];
        if (names_[i] == wanted)
            return {data_.Memory() + offset, static_cast<std::size_t>(size)};
        offset += size;
    }
    return {};
}

std::string TSkinReader::readIni(std::string_view pattern, TMemoryStream& destination) const
{
    destination.Clear();
    std::int64_t offset = 0;
    for (int i = 0; i < count_; ++i) {
        if (names_[i].find(pattern) != std::string::npos) {
            destination.WriteBuffer(data_.Memory() + offset, sizes_[static_cast<std::size_t>(i)]);
            destination.SetPosition(0);
            return names_[i];
        }
        offset += sizes_[static_cast<std::size_t>(i)];
    }
    return {};
}

std::string SkinImageEntryName(std::string_view value)
{
    const std::size_t separator = value.find_last_of("\\/:");
    const std::string_view fileName = separator == std::string_view::npos ? value : value.substr(separator + 1);
    const std::size_t dot = fileName.rfind('.');
    if (fileName.empty() || dot == std::string_view::npos || fileName.substr(dot) != ".bmp")
        return {};
    return std::string(fileName);
}

} // namespace tarnivo
