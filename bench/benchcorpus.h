#pragma once
// A deterministic mixed corpus for the codec benchmarks: skin-like INI and
// prose text, 24-bit bitmaps of the kinds skins hold, and binary records.

#include <cstdint>
#include <string>
#include <vector>

namespace tarnivo::bench {

struct CorpusPart {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

std::vector<CorpusPart> MixedCorpus();

} // namespace tarnivo::bench
