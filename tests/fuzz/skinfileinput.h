#pragma once
// The input framing shared by the skin fuzz targets. The first byte picks
// what the rest is: even, a skin file as stored (an LZH block); odd, the
// unpacked archive, packed first so that the parser sees arbitrary archives
// directly.

#include "framework/streams.h"
#include "skin/resources/lzh.h"

#include <cstdint>
#include <cstdlib>

namespace tarnivo::fuzz {

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The skin file the input stands for; false for inputs not worth a run.
inline bool SkinFileFromInput(const std::uint8_t* data, std::size_t size, TMemoryStream& file)
{
    if (size < 1)
        return false;
    TMemoryStream rest;
    rest.WriteBuffer(data + 1, static_cast<std::int64_t>(size - 1));
    if (data[0] & 1) {
        PackLzhBlock(rest, file);
        return true;
    }
    // A block announcing megabytes is unpacked whole before a cut-short one
    // is noticed: correct, but seconds per input under the fuzzer's
    // instrumentation. The unpacker has its own target; skip those.
    if (size >= 5 && (data[1] | data[2] << 8 | data[3] << 16 | data[4] << 24) > (1 << 20) && data[4] < 0x80)
        return false;
    file.Swap(rest);
    return true;
}

} // namespace tarnivo::fuzz
