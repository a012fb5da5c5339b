#include "peresources.h"

#include "framework/bytereader.h"

#include <climits>
#include <cstring>
#include <utility>

namespace tarnivo {

namespace {

// PE fields are little-endian at fixed offsets.
using bytereader::U16;
using bytereader::U32;

constexpr std::uint16_t DosMagic = 0x5A4D;        // "MZ"
constexpr std::uint32_t PeSignature = 0x00004550; // "PE\0\0"
constexpr std::uint16_t Optional32Magic = 0x10B;
constexpr std::uint16_t Optional64Magic = 0x20B;
constexpr std::uint32_t ResourceDirectoryIndex = 2;

// Sizes and field offsets of the structures we read.
constexpr std::uint32_t FileHeaderSize = 20;
constexpr std::uint32_t FileHeaderSections = 2;
constexpr std::uint32_t FileHeaderOptionalSize = 16;
constexpr std::uint32_t DataDirectorySize = 8;
constexpr std::uint32_t SectionHeaderSize = 40;
constexpr std::uint32_t DirectorySize = 16;
constexpr std::uint32_t DirectoryEntrySize = 8;
constexpr std::uint32_t DataEntrySize = 16;

constexpr std::uint32_t HighBit = 0x80000000u;

} // namespace

PeReadBytes PeMemoryReader(std::span<const std::uint8_t> bytes)
{
    return [bytes](std::uint64_t offset, void* buffer, std::uint32_t size) {
        if (offset > bytes.size() || size > bytes.size() - offset)
            return false;
        if (size != 0)
            std::memcpy(buffer, bytes.data() + offset, size);
        return true;
    };
}

PeResources::PeResources(PeReadBytes read, std::uint64_t fileSize)
    : m_read(std::move(read)), m_fileSize(fileSize)
{
}

bool PeResources::Read(std::uint64_t offset, void* buffer, std::uint32_t size) const
{
    if (offset > m_fileSize || size > m_fileSize - offset)
        return false;
    return m_read(offset, buffer, size);
}

bool PeResources::Load()
{
    m_sections.clear();
    std::uint8_t dos[0x40];
    if (!Read(0, dos, sizeof dos) || U16(dos) != DosMagic)
        return false;
    const std::uint64_t peAt = U32(dos + 0x3C);
    std::uint8_t signature[4];
    std::uint8_t header[FileHeaderSize];
    if (!Read(peAt, signature, 4) || U32(signature) != PeSignature ||
        !Read(peAt + 4, header, sizeof header))
        return false;
    const std::uint32_t sectionCount = U16(header + FileHeaderSections);
    const std::uint32_t optionalSize = U16(header + FileHeaderOptionalSize);
    const std::uint64_t optional = peAt + 4 + FileHeaderSize;
    std::uint8_t magic[2];
    if (!Read(optional, magic, 2))
        return false;
    // The data directories follow the fixed part of the optional header,
    // whose size differs between 32-bit and 64-bit images; the count of
    // directories is its last field.
    std::uint32_t directories = 0;
    if (U16(magic) == Optional32Magic)
        directories = 96;
    else if (U16(magic) == Optional64Magic)
        directories = 112;
    else
        return false;
    std::uint8_t count[4];
    std::uint8_t resources[DataDirectorySize];
    if (!Read(optional + directories - 4, count, 4) || U32(count) <= ResourceDirectoryIndex ||
        directories + DataDirectorySize * (ResourceDirectoryIndex + 1) > optionalSize ||
        !Read(optional + directories + DataDirectorySize * ResourceDirectoryIndex, resources,
              sizeof resources))
        return false;
    const std::uint32_t resourceRva = U32(resources);
    if (resourceRva == 0 || sectionCount == 0 || sectionCount > PeMaxSections)
        return false;
    const std::uint64_t table = optional + optionalSize;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        std::uint8_t s[SectionHeaderSize];
        if (!Read(table + SectionHeaderSize * i, s, sizeof s)) {
            m_sections.clear();
            return false;
        }
        m_sections.push_back({U32(s + 12), U32(s + 8), U32(s + 20), U32(s + 16)});
    }
    auto root = FileOffset(resourceRva, DirectorySize);
    if (!root) {
        m_sections.clear();
        return false;
    }
    m_root = *root;
    return true;
}

// The file offset of `size` bytes at `rva`, inside one section's raw data
// and inside the file.
std::optional<std::uint64_t> PeResources::FileOffset(std::uint32_t rva, std::uint32_t size) const
{
    for (const Section& s : m_sections) {
        // Raw data beyond the virtual size is padding, not part of the image.
        const std::uint32_t span =
            s.RawSize < s.VirtualSize || s.VirtualSize == 0 ? s.RawSize : s.VirtualSize;
        if (rva < s.VirtualAddress || rva - s.VirtualAddress > span ||
            size > span - (rva - s.VirtualAddress))
            continue;
        const std::uint64_t at = static_cast<std::uint64_t>(s.RawOffset) + (rva - s.VirtualAddress);
        if (at > m_fileSize || size > m_fileSize - at)
            return std::nullopt;
        return at;
    }
    return std::nullopt;
}

// The entry of the directory at `directory` (a file offset) that `match`
// picks, given its position and name; the file offset of what it points to:
// a sub-directory, or a data entry when `leaf`.
template <typename Match>
std::optional<std::uint64_t> PeResources::Child(std::uint64_t directory, Match match, bool leaf) const
{
    std::uint8_t dir[DirectorySize];
    if (!Read(directory, dir, sizeof dir))
        return std::nullopt;
    const int entries = U16(dir + 12) + U16(dir + 14);
    if (entries > PeMaxEntries)
        return std::nullopt;
    for (int i = 0; i < entries; ++i) {
        std::uint8_t entry[DirectoryEntrySize];
        if (!Read(directory + DirectorySize + DirectoryEntrySize * static_cast<unsigned>(i), entry,
                  sizeof entry))
            return std::nullopt;
        if (!match(i, U32(entry)))
            continue;
        const std::uint32_t target = U32(entry + 4);
        const bool isDirectory = (target & HighBit) != 0;
        if (isDirectory == leaf)
            return std::nullopt;
        // Offsets inside the tree count from its root.
        return m_root + (target & ~HighBit);
    }
    return std::nullopt;
}

std::optional<PeResourceData> PeResources::Find(std::uint16_t type, int index) const
{
    if (m_sections.empty() || index == INT_MIN)   // not loaded; no identifier to negate
        return std::nullopt;
    auto types = Child(m_root, [&](int, std::uint32_t name) { return name == type; }, false);
    if (!types)
        return std::nullopt;
    // A name with the high bit set is a string, never an identifier.
    auto names = Child(*types, [&](int position, std::uint32_t name) {
        return index >= 0 ? position == index
                          : (name & HighBit) == 0 && name == static_cast<std::uint32_t>(-index);
    }, false);
    if (!names)
        return std::nullopt;
    auto language = Child(*names, [](int position, std::uint32_t) { return position == 0; }, true);
    if (!language)
        return std::nullopt;
    std::uint8_t data[DataEntrySize];
    if (!Read(*language, data, sizeof data))
        return std::nullopt;
    const std::uint32_t size = U32(data + 4);
    auto at = FileOffset(U32(data), size);
    if (!at)
        return std::nullopt;
    return PeResourceData{*at, size};
}

std::optional<PeResourceData> PeResources::IconGroup(int index) const
{
    auto group = Find(PeResourceTypeGroupIcon, index);
    if (!group || group->Size < PeMinGroupBytes || group->Size > PeMaxGroupBytes)
        return std::nullopt;
    return group;
}

std::optional<PeResourceData> PeResources::IconImage(int id) const
{
    if (id <= 0 || id > 0xFFFF)
        return std::nullopt;
    auto image = Find(PeResourceTypeIcon, -id);
    if (!image || image->Size < PeMinImageBytes || image->Size > PeMaxImageBytes)
        return std::nullopt;
    return image;
}

bool IconGroupFits(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < PeMinGroupBytes)
        return false;
    const std::uint32_t images = U16(bytes.data() + 4);
    return images != 0 && 6u + 14u * images <= bytes.size();
}

} // namespace tarnivo
