#pragma once

// Finds icon resources in a PE file (an .exe or .dll) from its bytes alone:
// no Windows header, so the native tree can fuzz it. Every number comes from
// the file, so every offset and count is checked before it is followed.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tarnivo {

// Reads exactly `size` bytes at file offset `offset` into `buffer`; false
// when the file has no such bytes.
using PeReadBytes = std::function<bool(std::uint64_t offset, void* buffer, std::uint32_t size)>;

// A reader over bytes in memory; `bytes` must outlive it.
PeReadBytes PeMemoryReader(std::span<const std::uint8_t> bytes);

// Where a resource's data lies in the file.
struct PeResourceData {
    std::uint64_t Offset = 0;
    std::uint32_t Size = 0;
};

inline constexpr std::uint16_t PeResourceTypeIcon = 3;
inline constexpr std::uint16_t PeResourceTypeGroupIcon = 14;

// Bounds on what a file may make us read: a group directory holds at most a
// few dozen images; one image (a 256 x 256 PNG at most, in practice) stays
// far below its cap, and is at least a bitmap header.
inline constexpr std::uint32_t PeMinGroupBytes = 6;
inline constexpr std::uint32_t PeMaxGroupBytes = 6 + 14 * 1024;
inline constexpr std::uint32_t PeMinImageBytes = 40;
inline constexpr std::uint32_t PeMaxImageBytes = 4u << 20;
inline constexpr int PeMaxSections = 96;   // the PE format's own limit
inline constexpr int PeMaxEntries = 4096;  // per directory; real files have a few dozen

// The resource tree of one PE file, read on demand through the callback.
class PeResources {
public:
    // `fileSize` bounds every answer: no offset + size beyond it is given.
    PeResources(PeReadBytes read, std::uint64_t fileSize);

    // Reads the headers and section table; false for anything that is not a
    // 32- or 64-bit PE image with a resource tree.
    bool Load();

    // The data of the resource of `type` at position `index` among its names
    // when `index` >= 0, else the one with identifier -`index`; its first
    // language. INT_MIN has no identifier and finds nothing.
    std::optional<PeResourceData> Find(std::uint16_t type, int index) const;

    // The icon group at `index` (as Find), when its size is within the caps.
    std::optional<PeResourceData> IconGroup(int index) const;
    // The icon image with identifier `id` (1 to 0xFFFF), size within the caps.
    std::optional<PeResourceData> IconImage(int id) const;

private:
    struct Section {
        std::uint32_t VirtualAddress;
        std::uint32_t VirtualSize;
        std::uint32_t RawOffset;
        std::uint32_t RawSize;
    };

    std::optional<std::uint64_t> FileOffset(std::uint32_t rva, std::uint32_t size) const;
    template <typename Match>
    std::optional<std::uint64_t> Child(std::uint64_t directory, Match match, bool leaf) const;
    bool Read(std::uint64_t offset, void* buffer, std::uint32_t size) const;

    PeReadBytes m_read;
    std::uint64_t m_fileSize;
    std::vector<Section> m_sections;
    std::uint64_t m_root = 0;
};

// True when the group directory `bytes` (as read from IconGroup's data)
// holds at least one image and its count of images fits its size.
bool IconGroupFits(std::span<const std::uint8_t> bytes);

} // namespace tarnivo
