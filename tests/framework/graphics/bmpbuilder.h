#pragma once
// Builds BMP files byte by byte for the reader tests, independently of the
// decoder under test.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tarnivo::test {

struct BmpSpec {
    int width = 1;
    int height = 1;
    int bitCount = 24;
    bool topDown = false;
    std::uint32_t headerSize = 40;    // 12 writes the OS/2 core header
    std::uint32_t compression = 0;
    std::uint16_t planes = 1;
    std::vector<std::uint32_t> palette;   // 0xRRGGBB
    std::uint32_t colorsUsed = 0;
    // Red, green, blue, alpha. After a 40-byte header: three for
    // compression 3, four for 6; longer headers hold them at offset 40
    // (alpha at 52, from 56 bytes on) whatever the compression.
    std::uint32_t masks[4] = {};
    std::optional<std::uint32_t> bitsOffset;
    std::optional<std::uint32_t> sizeImage;   // default 0
    std::optional<std::vector<std::uint8_t>> rawBits;   // pixel bytes as stored (run-length codes)

    BmpSpec& Size(int w, int h) { width = w; height = h; return *this; }
    BmpSpec& Bits(int n) { bitCount = n; return *this; }
    BmpSpec& TopDown() { topDown = true; return *this; }
    BmpSpec& Header(std::uint32_t size) { headerSize = size; return *this; }
    BmpSpec& Compression(std::uint32_t c) { compression = c; return *this; }
    BmpSpec& Planes(std::uint16_t n) { planes = n; return *this; }
    BmpSpec& Palette(std::vector<std::uint32_t> p) { palette = std::move(p); return *this; }
    BmpSpec& ColorsUsed(std::uint32_t n) { colorsUsed = n; return *this; }
    BmpSpec& Masks(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a = 0)
    {
        masks[0] = r; masks[1] = g; masks[2] = b; masks[3] = a;
        return *this;
    }
    BmpSpec& BitsOffset(std::uint32_t offset) { bitsOffset = offset; return *this; }
    BmpSpec& SizeImage(std::uint32_t size) { sizeImage = size; return *this; }
    // Run-length codes: the size is written to biSizeImage unless given.
    BmpSpec& Raw(std::vector<std::uint8_t> bytes) { rawBits = std::move(bytes); return *this; }
};

inline void Put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void PutAt(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    for (int b = 0; b < 4; ++b)
        out[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

// Pixel rows as stored: `pixels` are given top row first: palette indexes
// up to 8 bits, raw 16-bit values, 0xRRGGBB at 24 bits and 0xAARRGGBB at 32.
inline std::vector<std::uint8_t> StoredRows(const BmpSpec& s, const std::vector<std::uint32_t>& pixels)
{
    const std::size_t stride = ((std::size_t(s.width) * s.bitCount + 31) / 32) * 4;
    std::vector<std::uint8_t> bits(stride * s.height, 0);
    for (int y = 0; y < s.height; ++y) {
        int stored = s.topDown ? y : s.height - 1 - y;
        std::uint8_t* row = bits.data() + stored * stride;
        for (int x = 0; x < s.width; ++x) {
            std::uint32_t v = pixels.at(std::size_t(y) * s.width + x);
            if (s.bitCount < 8) {
                int perByte = 8 / s.bitCount;
                int shift = 8 - s.bitCount * (x % perByte + 1);
                row[x / perByte] |= static_cast<std::uint8_t>(v << shift);
            } else {
                for (int b = 0; b < s.bitCount / 8; ++b)
                    row[x * (s.bitCount / 8) + b] = static_cast<std::uint8_t>(v >> (8 * b));
            }
        }
    }
    return bits;
}

inline std::vector<std::uint8_t> BuildBmp(const BmpSpec& s, const std::vector<std::uint32_t>& pixels = {})
{
    const std::vector<std::uint8_t> bits = s.rawBits ? *s.rawBits : StoredRows(s, pixels);
    std::vector<std::uint8_t> header;
    const bool core = s.headerSize == 12;
    Put(header, s.headerSize, 4);
    if (core) {
        Put(header, s.width, 2);
        Put(header, s.height, 2);
        Put(header, s.planes, 2);
        Put(header, s.bitCount, 2);
    } else {
        Put(header, static_cast<std::uint32_t>(s.width), 4);
        Put(header, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height), 4);
        Put(header, s.planes, 2);
        Put(header, s.bitCount, 2);
        Put(header, s.compression, 4);
        Put(header, s.sizeImage.value_or(s.rawBits ? bits.size() : 0), 4);
        Put(header, 0, 8);   // resolution
        Put(header, s.colorsUsed, 4);
        Put(header, 0, 4);
        header.resize(s.headerSize, 0);
        if (s.headerSize == 40 && (s.compression == 3 || s.compression == 6)) {
            for (int i = 0; i < (s.compression == 6 ? 4 : 3); ++i)
                Put(header, s.masks[i], 4);
        } else if (s.headerSize >= 52 && s.headerSize != 64) {
            for (int i = 0; i < (s.headerSize >= 56 ? 4 : 3); ++i)
                PutAt(header, 40 + 4 * i, s.masks[i]);
        }
    }
    for (auto c : s.palette) {
        Put(header, c & 0xFF, 1);           // blue
        Put(header, (c >> 8) & 0xFF, 1);    // green
        Put(header, (c >> 16) & 0xFF, 1);   // red
        if (!core)
            Put(header, 0, 1);
    }

    std::vector<std::uint8_t> file;
    const std::uint32_t offset = s.bitsOffset.value_or(14 + static_cast<std::uint32_t>(header.size()));
    file.push_back('B');
    file.push_back('M');
    Put(file, 14 + header.size() + bits.size(), 4);
    Put(file, 0, 4);
    Put(file, offset, 4);
    file.insert(file.end(), header.begin(), header.end());
    file.resize(offset > file.size() ? offset : file.size(), 0);
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

} // namespace tarnivo::test
