#pragma once
// Little-endian fields of file formats (BMP headers, PE headers), read from
// bytes so that neither the host's byte order nor its struct layout matters.
// The caller has checked that the bytes are there. Platform-free.

#include <cstdint>

namespace tarnivo::bytereader {

constexpr std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

constexpr std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace tarnivo::bytereader
