#pragma once

// Builds small PE images with a resource section holding icon groups and
// icon images, and records where the fields that tests corrupt lie.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnivo::test {

struct PeEntry {
    std::uint32_t Id;
    std::vector<std::uint8_t> Data;
};

struct PeImage {
    std::vector<std::uint8_t> Bytes;
    std::size_t FileHeaderAt = 0;      // the COFF file header
    std::size_t ResourceRvaAt = 0;     // the resource data directory's address
    std::size_t SectionAt = 0;         // the one section header
    std::size_t RootAt = 0;            // the resource tree's root directory
    std::size_t TypeEntryAt = 0;       // the root's first entry (icons)
};

inline void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// The resource tree: type 3 (icons) then type 14 (groups), each name with
// one language. Data is given relative to a section at rva `base`.
inline std::vector<std::uint8_t> BuildResourceTree(const std::vector<PeEntry>& icons,
                                                   const std::vector<PeEntry>& groups,
                                                   std::uint32_t base)
{
    constexpr std::uint32_t High = 0x80000000u;
    std::vector<std::uint8_t> t;
    auto directory = [&t](std::size_t ids) {
        const std::size_t at = t.size();
        t.resize(at + 16 + 8 * ids);
        Put16(t, at + 14, static_cast<std::uint32_t>(ids));
        return at;
    };
    struct Leaf {
        std::size_t Ref;
        const std::vector<std::uint8_t>* Data;
    };
    std::vector<Leaf> leaves;
    const std::vector<std::pair<std::uint32_t, const std::vector<PeEntry>*>> types = {
        {3, &icons}, {14, &groups}};
    const std::size_t root = directory(types.size());
    for (std::size_t i = 0; i < types.size(); ++i) {
        const std::size_t typeDir = directory(types[i].second->size());
        Put32(t, root + 16 + 8 * i, types[i].first);
        Put32(t, root + 16 + 8 * i + 4, static_cast<std::uint32_t>(typeDir) | High);
        for (std::size_t n = 0; n < types[i].second->size(); ++n) {
            const PeEntry& entry = (*types[i].second)[n];
            const std::size_t nameDir = directory(1);
            Put32(t, typeDir + 16 + 8 * n, entry.Id);
            Put32(t, typeDir + 16 + 8 * n + 4, static_cast<std::uint32_t>(nameDir) | High);
            Put32(t, nameDir + 16, 0x409);
            leaves.push_back({nameDir + 20, &entry.Data});
        }
    }
    std::vector<std::size_t> dataEntries;
    for (const Leaf& leaf : leaves) {
        dataEntries.push_back(t.size());
        Put32(t, leaf.Ref, static_cast<std::uint32_t>(t.size()));
        t.resize(t.size() + 16);
    }
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        t.resize((t.size() + 3) & ~std::size_t{3});
        Put32(t, dataEntries[i], base + static_cast<std::uint32_t>(t.size()));
        Put32(t, dataEntries[i] + 4, static_cast<std::uint32_t>(leaves[i].Data->size()));
        t.insert(t.end(), leaves[i].Data->begin(), leaves[i].Data->end());
    }
    return t;
}

// A PE image whose one section, at rva 0x1000 and file offset 0x200, holds
// the resource tree.
inline PeImage BuildPe(const std::vector<PeEntry>& icons, const std::vector<PeEntry>& groups,
                       bool is64 = false)
{
    constexpr std::uint32_t Rva = 0x1000;
    constexpr std::uint32_t Raw = 0x200;
    const std::vector<std::uint8_t> tree = BuildResourceTree(icons, groups, Rva);
    PeImage pe;
    auto& b = pe.Bytes;
    b.resize(Raw);
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, 0x40);
    b[0x40] = 'P';
    b[0x41] = 'E';
    pe.FileHeaderAt = 0x44;
    const std::uint32_t directories = is64 ? 112 : 96;
    const std::uint32_t optionalSize = directories + 16 * 8;
    Put16(b, 0x44, is64 ? 0x8664 : 0x14C);
    Put16(b, 0x44 + 2, 1);
    Put16(b, 0x44 + 16, optionalSize);
    const std::size_t optional = 0x44 + 20;
    Put16(b, optional, is64 ? 0x20B : 0x10B);
    Put32(b, optional + directories - 4, 16);
    pe.ResourceRvaAt = optional + directories + 2 * 8;
    Put32(b, pe.ResourceRvaAt, Rva);
    Put32(b, pe.ResourceRvaAt + 4, static_cast<std::uint32_t>(tree.size()));
    pe.SectionAt = optional + optionalSize;
    const char name[] = ".rsrc";
    for (std::size_t i = 0; i < 5; ++i)
        b[pe.SectionAt + i] = static_cast<std::uint8_t>(name[i]);
    const std::uint32_t rawSize = (static_cast<std::uint32_t>(tree.size()) + 0x1FF) & ~0x1FFu;
    Put32(b, pe.SectionAt + 8, static_cast<std::uint32_t>(tree.size()));
    Put32(b, pe.SectionAt + 12, Rva);
    Put32(b, pe.SectionAt + 16, rawSize);
    Put32(b, pe.SectionAt + 20, Raw);
    pe.RootAt = Raw;
    pe.TypeEntryAt = Raw + 16;
    b.insert(b.end(), tree.begin(), tree.end());
    b.resize(Raw + rawSize);
    return pe;
}

// A group directory naming icon images `ids`, each 32 x 32 in 32 bits of
// `imageBytes` bytes.
inline std::vector<std::uint8_t> IconGroupBytes(const std::vector<std::uint16_t>& ids,
                                                std::uint32_t imageBytes)
{
    std::vector<std::uint8_t> g(6 + 14 * ids.size());
    Put16(g, 2, 1);
    Put16(g, 4, static_cast<std::uint32_t>(ids.size()));
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const std::size_t at = 6 + 14 * i;
        g[at] = 32;
        g[at + 1] = 32;
        Put16(g, at + 4, 1);
        Put16(g, at + 6, 32);
        Put32(g, at + 8, imageBytes);
        Put16(g, at + 12, ids[i]);
    }
    return g;
}

// A 32 x 32, 32-bit icon image (header, colours, mask) filled with `fill`.
inline std::vector<std::uint8_t> IconImageBytes(std::uint8_t fill)
{
    std::vector<std::uint8_t> image(40 + 32 * 32 * 4 + 32 * 4, 0);
    Put32(image, 0, 40);
    Put32(image, 4, 32);
    Put32(image, 8, 64);   // colour and mask, stacked
    Put16(image, 12, 1);
    Put16(image, 14, 32);
    for (std::size_t i = 40; i < 40 + 32 * 32 * 4; ++i)
        image[i] = fill;
    return image;
}

} // namespace tarnivo::test
