#include "bmpfile.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tarnivo::bmp {

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Room for gaps some writers leave between the headers and the pixels.
constexpr std::uint64_t kMaxTotalSize = kMaxDecodedBytes + (std::uint64_t{1} << 20);

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::optional<Layout> Refuse(std::string* why, const char* reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

bool KnownHeaderSize(std::uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// One colour channel of a 16 or 32-bit pixel, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    std::uint8_t Of(std::uint32_t pixel) const
    {
        if (max == 0)
            return 0;
        std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>(v * 255 / max);
    }
};

void DecodePaletteRow(const Layout& l, const std::uint8_t* src, const std::uint8_t (*palette)[3],
                      std::uint8_t* dst)
{
    const int perByte = 8 / l.bitCount;
    const unsigned mask = (1u << l.bitCount) - 1;
    for (int x = 0; x < l.width; ++x) {
        std::uint8_t byte = src[x / perByte];
        int shift = 8 - l.bitCount * (x % perByte + 1);
        unsigned index = (byte >> shift) & mask;
        std::memcpy(dst + 3 * x, palette[index], 3);
    }
}

void DecodeMaskedRow(const Layout& l, const std::uint8_t* src, std::uint8_t* dst)
{
    const Channel red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]), alpha(l.masks[3]);
    const int outBytes = l.outputBitCount / 8;
    for (int x = 0; x < l.width; ++x) {
        std::uint32_t pixel = l.bitCount == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
        std::uint8_t* p = dst + outBytes * x;
        p[0] = blue.Of(pixel);
        p[1] = green.Of(pixel);
        p[2] = red.Of(pixel);
        if (outBytes == 4)
            p[3] = alpha.Of(pixel);
    }
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

} // namespace

std::optional<Layout> ReadLayout(std::span<const std::uint8_t> data, Source source,
                                 std::string* why)
{
    const std::uint8_t* d = data.data();
    std::size_t base = 0;
    std::uint64_t fileBitsOffset = 0;
    if (source == Source::File) {
        if (data.size() < kFileHeaderSize + 4)
            return Refuse(why, "file shorter than a bitmap header");
        if (d[0] != 'B' || d[1] != 'M')
            return Refuse(why, "not a bitmap file");
        fileBitsOffset = U32(d + 10);
        base = kFileHeaderSize;
    } else if (data.size() < 4) {
        return Refuse(why, "data shorter than a bitmap header");
    }

    const std::uint32_t headerSize = U32(d + base);
    if (!KnownHeaderSize(headerSize))
        return Refuse(why, "unknown bitmap header size");
    if (data.size() < base + headerSize)
        return Refuse(why, "bitmap header cut short");

    Layout l;
    const std::uint8_t* h = d + base;
    std::int64_t width, height;
    std::uint32_t compression = kRgb, colorsUsed = 0;
    if (headerSize == 12) {
        width = U16(h + 4);
        height = U16(h + 6);
        l.bitCount = U16(h + 10);
        l.paletteEntrySize = 3;
    } else {
        width = static_cast<std::int32_t>(U32(h + 4));
        height = static_cast<std::int32_t>(U32(h + 8));
        l.bitCount = U16(h + 14);
        compression = U32(h + 16);
        colorsUsed = U32(h + 32);
    }

    if (width < 1 || width > kMaxSide)
        return Refuse(why, "bitmap width out of range");
    if (height == 0 || height > kMaxSide || height < -kMaxSide)
        return Refuse(why, "bitmap height out of range");
    l.width = static_cast<int>(width);
    l.topDown = height < 0;
    l.height = static_cast<int>(height < 0 ? -height : height);

    switch (l.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return Refuse(why, "unsupported bits per pixel");
    }
    if (compression == kBitFields) {
        if (l.bitCount != 16 && l.bitCount != 32)
            return Refuse(why, "bit fields on a depth other than 16 or 32 bits");
    } else if (compression != kRgb) {
        return Refuse(why, "compressed bitmaps are not supported");
    }

    // Masks: after a 40-byte header they follow it; longer headers hold them.
    std::uint64_t headerEnd = base + headerSize;
    if (compression == kBitFields) {
        l.bitFields = true;
        if (headerSize == kInfoHeaderSize) {
            headerEnd += 12;
            if (data.size() < headerEnd)
                return Refuse(why, "bitmap colour masks cut short");
        }
        for (int i = 0; i < 3; ++i)
            l.masks[i] = U32(h + 40 + 4 * i);
        if (headerSize >= 56)
            l.masks[3] = U32(h + 52);
    } else if (l.bitCount == 16) {
        l.bitFields = true;   // plain 16-bit pixels are 5-5-5
        l.masks[0] = 0x7C00;
        l.masks[1] = 0x03E0;
        l.masks[2] = 0x001F;
    }

    // The palette: every entry the header announces is stored, but pixels of
    // 1, 4 and 8 bits can only use the first 2^bits of them.
    const std::uint32_t maxEntries = l.bitCount <= 8 ? (1u << l.bitCount) : 256;
    if (colorsUsed > maxEntries)
        return Refuse(why, "bitmap palette larger than its depth allows");
    std::uint32_t stored = colorsUsed;
    if (stored == 0 && l.bitCount <= 8)
        stored = maxEntries;
    l.paletteOffset = static_cast<std::size_t>(headerEnd);
    l.paletteEntries = l.bitCount <= 8 ? static_cast<int>(stored) : 0;
    const std::uint64_t paletteEnd = headerEnd + std::uint64_t{stored} * l.paletteEntrySize;

    l.outputBitCount = l.bitCount == 32 ? 32 : 24;
    if (Stride(l.width, l.outputBitCount) * static_cast<std::uint64_t>(l.height) > kMaxDecodedBytes)
        return Refuse(why, "bitmap too large");

    const std::uint64_t bitsOffset = source == Source::File ? fileBitsOffset : paletteEnd;
    l.sourceStride = Stride(l.width, l.bitCount);
    const std::uint64_t bitsEnd = bitsOffset + std::uint64_t{l.sourceStride} * l.height;
    const std::uint64_t total = std::max({bitsEnd, paletteEnd, headerEnd});
    if (bitsOffset < headerEnd || total > kMaxTotalSize)
        return Refuse(why, "bitmap pixel data offset out of range");
    l.bitsOffset = static_cast<std::size_t>(bitsOffset);
    l.totalSize = static_cast<std::size_t>(total);
    return l;
}

std::optional<Image> Decode(std::span<const std::uint8_t> data, Source source, std::string* why)
{
    std::optional<Layout> layout = ReadLayout(data, source, why);
    if (!layout)
        return std::nullopt;
    const Layout& l = *layout;
    if (data.size() < l.totalSize) {
        if (why)
            *why = "bitmap data shorter than its header says";
        return std::nullopt;
    }

    // Indexes past the stored palette read as black.
    std::uint8_t palette[256][3] = {};
    for (int i = 0; i < l.paletteEntries && i < 256; ++i)
        std::memcpy(palette[i], data.data() + l.paletteOffset + std::size_t(i) * l.paletteEntrySize, 3);

    Image image;
    image.width = l.width;
    image.height = l.height;
    image.bitCount = l.outputBitCount;
    image.stride = Stride(l.width, l.outputBitCount);
    image.pixels.assign(image.stride * l.height, 0);
    for (int y = 0; y < l.height; ++y) {
        int stored = l.topDown ? y : l.height - 1 - y;
        const std::uint8_t* src = data.data() + l.bitsOffset + std::size_t(stored) * l.sourceStride;
        std::uint8_t* dst = image.pixels.data() + std::size_t(y) * image.stride;
        if (l.bitCount <= 8)
            DecodePaletteRow(l, src, palette, dst);
        else if (l.bitFields)
            DecodeMaskedRow(l, src, dst);
        else
            std::memcpy(dst, src, std::size_t(l.width) * (l.bitCount / 8));
    }
    return image;
}

std::vector<std::uint8_t> Encode(int width, int height, int bitCount, const std::uint8_t* topRow,
                                 std::size_t stride)
{
    const std::size_t outStride = Stride(width, bitCount);
    const std::size_t imageSize = outStride * height;
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, static_cast<std::uint32_t>(offset + imageSize));
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(offset));
    PutU32(out, kInfoHeaderSize);
    PutU32(out, static_cast<std::uint32_t>(width));
    PutU32(out, static_cast<std::uint32_t>(height));   // positive: bottom row first
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(bitCount));
    PutU32(out, kRgb);
    PutU32(out, static_cast<std::uint32_t>(imageSize));
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    PutU32(out, 0);
    const std::size_t rowBytes = std::size_t(width) * (bitCount / 8);
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* row = topRow + std::size_t(y) * stride;
        out.insert(out.end(), row, row + rowBytes);
        out.insert(out.end(), outStride - rowBytes, 0);
    }
    return out;
}

} // namespace tarnivo::bmp
