#include "skinimages.h"

#include "skinreader.h"

#include "framework/stringlist.h"

#include <cstdint>
#include <span>

namespace tarnivo {

namespace {

std::string Megabytes(std::size_t bytes)
{
    // One decimal, rounded up, so that a charge above the budget never
    // prints as equal to it.
    const std::uint64_t tenths = (std::uint64_t{bytes} * 10 + (std::uint64_t{1} << 20) - 1) >> 20;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " MB";
}

} // namespace

TSkinImages::Entry& TSkinImages::Find(const std::string& name)
{
    auto found = m_entries.find(name);
    if (found != m_entries.end())
        return found->second;
    Entry& entry = m_entries[name];
    const std::span<const std::uint8_t> data = m_reader.EntryBytes(name);
    if (data.empty()) {
        entry.problem = "no entry \"" + name + "\" in the archive";
        return entry;
    }
    // The headers alone: nothing is decoded before the budget allows it.
    std::string why;
    entry.layout = bmp::ReadLayout(data, bmp::Source::File, &why);
    if (entry.layout && data.size() < entry.layout->totalSize) {
        why = "bitmap data shorter than its header says (" + std::to_string(data.size()) + " of " +
              std::to_string(entry.layout->totalSize) + " bytes)";
        entry.layout.reset();
    }
    if (!entry.layout)
        entry.problem = "entry \"" + name + "\": " + why;
    return entry;
}

void TSkinImages::Charge(const std::string& name, const bmp::Layout& layout)
{
    const std::size_t bytes = bmp::DecodedBytes(layout);
    if (bytes > m_budget - m_charged)
        throw ESkinRefused("skin image \"" + name + "\" (" + std::to_string(layout.width) + " x " +
                           std::to_string(layout.height) + " pixels, " + Megabytes(bytes) +
                           " decoded) does not fit: the skin's images may take " + Megabytes(m_budget) +
                           " in all, " + Megabytes(m_charged) + " are taken");
    m_charged += bytes;
}

std::string TSkinImages::LowerCaseAscii(std::string text)
{
    return LowerCase(text);
}

// "name.bmp" with the variant suffix before its extension, when the archive
// has that entry with readable headers; else the name itself.
std::string TSkinImages::VariantOf(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    if (m_variant.empty() || dot == std::string::npos)
        return name;
    const std::string variant = name.substr(0, dot) + m_variant + name.substr(dot);
    if (!Find(variant).layout)
        return name;
    ++m_variantsUsed;
    return variant;
}

const bmp::Image* TSkinImages::Use(std::string_view entryName)
{
    const std::string name = VariantOf(LowerCase(entryName));
    Entry& entry = Find(name);
    if (!entry.layout)
        return nullptr;
    Charge(name, *entry.layout);
    if (!entry.image) {
        std::string why;
        entry.image = bmp::Decode(m_reader.EntryBytes(name), bmp::Source::File, &why);
        ++m_decoded;
        if (!entry.image) {
            // Refused past the headers (codes cut short): no image, and the
            // bytes charged for it are given back.
            m_charged -= bmp::DecodedBytes(*entry.layout);
            entry.layout.reset();
            entry.problem = "entry \"" + name + "\": " + why;
            return nullptr;
        }
    }
    return &*entry.image;
}

std::string TSkinImages::Problem(std::string_view entryName) const
{
    const auto found = m_entries.find(LowerCase(entryName));
    return found == m_entries.end() ? std::string() : found->second.problem;
}

} // namespace tarnivo
