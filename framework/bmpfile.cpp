#include "bmpfile.h"

#include "bytereader.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tarnivo::bmp {

namespace {

// biCompression values.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;   // OS/2 2.x: Huffman 1D
constexpr std::uint32_t kBiJpeg = 4;        // OS/2 2.x: RLE24
constexpr std::uint32_t kBiPng = 5;
constexpr std::uint32_t kBiAlphaBitFields = 6;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kOs2HeaderSize = 64;
constexpr std::uint32_t kMaxPaletteEntries = 256;
// Room for gaps some writers leave between the headers and the pixels.
constexpr std::uint64_t kMaxTotalSize = kMaxDecodedBytes + (std::uint64_t{1} << 20);

using bytereader::U16;
using bytereader::U32;

template <typename T>
std::optional<T> Refuse(std::string* why, std::string reason)
{
    if (why)
        *why = std::move(reason);
    return std::nullopt;
}

bool KnownHeaderSize(std::uint32_t size)
{
    switch (size) {
    case kCoreHeaderSize: case kInfoHeaderSize: case 52: case 56: case kOs2HeaderSize: case 108: case 124:
        return true;
    default:
        return false;
    }
}

// The header fields every later step needs, widened so no check overflows.
struct RawHeader {
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;         // negative: rows stored top first
    std::uint32_t planes = 0;
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
};

RawHeader ReadRawHeader(const std::uint8_t* h, std::uint32_t size)
{
    RawHeader r;
    r.size = size;
    if (size == kCoreHeaderSize) {
        // OS/2 1.x: unsigned 16-bit sides, always bottom-up, no compression.
        r.width = U16(h + 4);
        r.height = U16(h + 6);
        r.planes = U16(h + 8);
        r.bitCount = U16(h + 10);
        return r;
    }
    r.width = static_cast<std::int32_t>(U32(h + 4));
    r.height = static_cast<std::int32_t>(U32(h + 8));
    r.planes = U16(h + 12);
    r.bitCount = U16(h + 14);
    r.compression = U32(h + 16);
    r.sizeImage = U32(h + 20);
    r.colorsUsed = U32(h + 32);
    return r;
}

// Chooses the coding and checks it against the depth. Answers a reason on
// refusal, else nothing.
std::optional<std::string> ChooseCoding(const RawHeader& r, Layout& l)
{
    const bool os2 = r.size == kOs2HeaderSize;
    switch (r.compression) {
    case kBiRgb:
        l.coding = Coding::Rgb;
        return std::nullopt;
    case kBiRle8:
        if (r.bitCount != 8)
            return "RLE8 compression on a " + std::to_string(r.bitCount) + "-bit bitmap";
        l.coding = Coding::Rle8;
        return std::nullopt;
    case kBiRle4:
        if (r.bitCount != 4)
            return "RLE4 compression on a " + std::to_string(r.bitCount) + "-bit bitmap";
        l.coding = Coding::Rle4;
        return std::nullopt;
    case kBiBitFields:
        if (os2)
            return std::string("Huffman-coded OS/2 bitmaps are not supported");
        [[fallthrough]];
    case kBiAlphaBitFields:
        if (r.bitCount != 16 && r.bitCount != 32)
            return "bit fields on a " + std::to_string(r.bitCount) + "-bit bitmap";
        l.coding = Coding::BitFields;
        return std::nullopt;
    case kBiJpeg:
        if (os2)
            return std::string("24-bit run-length OS/2 bitmaps are not supported");
        return std::string("JPEG bitmaps are not supported");
    case kBiPng:
        return std::string("PNG bitmaps are not supported");
    default:
        return "unknown bitmap compression " + std::to_string(r.compression);
    }
}

// One colour channel of a 16 or 32-bit pixel, scaled to 8 bits. Masks need
// not be contiguous: the value is then still below the mask's own maximum.
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

using Palette = std::uint8_t[256][3];

void DecodePaletteRow(const Layout& l, const std::uint8_t* src, const Palette& palette, std::uint8_t* dst)
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

// Run-length decoding. Positions count from the bottom row, as the codes do;
// x and y are 64-bit because runs and deltas may carry them far outside the
// image, where pixels are dropped.
class RleDecoder {
public:
    RleDecoder(const Layout& l, const Palette& palette, Image& image)
        : m_l(l), m_palette(palette), m_image(image)
    {
    }

    // Answers a reason when the codes end in the middle of an escape.
    std::optional<std::string> Run(std::span<const std::uint8_t> codes)
    {
        const std::uint8_t* p = codes.data();
        const std::size_t n = codes.size();
        std::size_t i = 0;
        // Data that ends between two codes ends the image: what was not
        // written stays black. A lone trailing byte is padding.
        while (m_y < m_l.height && n - i >= 2) {
            const unsigned count = p[i], value = p[i + 1];
            i += 2;
            if (count > 0) {
                EncodedRun(count, value);
                continue;
            }
            switch (value) {
            case 0:   // end of line
                m_x = 0;
                ++m_y;
                break;
            case 1:   // end of bitmap
                return std::nullopt;
            case 2:   // delta: right and up
                if (n - i < 2)
                    return std::string("run-length delta cut short");
                m_x += p[i];
                m_y += p[i + 1];
                i += 2;
                break;
            default: {   // absolute run of `value` pixels, padded to 16 bits
                const std::size_t bytes = m_l.coding == Coding::Rle8 ? value : (value + 1) / 2;
                if (n - i < bytes)
                    return std::string("run-length absolute run cut short");
                AbsoluteRun(p + i, value);
                i += std::min(n - i, (bytes + 1) & ~std::size_t{1});
                break;
            }
            }
        }
        return std::nullopt;
    }

private:
    void Put(unsigned index)
    {
        if (m_x < m_l.width && m_y < m_l.height) {
            std::uint8_t* row = m_image.pixels.data() +
                                static_cast<std::size_t>(m_l.height - 1 - m_y) * m_image.stride;
            std::memcpy(row + 3 * m_x, m_palette[index], 3);
        }
        ++m_x;
    }

    void EncodedRun(unsigned count, unsigned value)
    {
        // Past the row's end nothing is drawn; skip the loop there.
        const std::int64_t drawn = std::min<std::int64_t>(count, std::max<std::int64_t>(m_l.width - m_x, 0));
        for (std::int64_t k = 0; k < drawn; ++k) {
            if (m_l.coding == Coding::Rle8)
                Put(value);
            else
                Put(k % 2 == 0 ? value >> 4 : value & 0x0F);
        }
        m_x += count - drawn;
    }

    void AbsoluteRun(const std::uint8_t* src, unsigned count)
    {
        const std::int64_t drawn = std::min<std::int64_t>(count, std::max<std::int64_t>(m_l.width - m_x, 0));
        for (std::int64_t k = 0; k < drawn; ++k) {
            if (m_l.coding == Coding::Rle8)
                Put(src[k]);
            else
                Put(k % 2 == 0 ? src[k / 2] >> 4 : src[k / 2] & 0x0F);
        }
        m_x += count - drawn;
    }

    const Layout& m_l;
    const Palette& m_palette;
    Image& m_image;
    std::int64_t m_x = 0;
    std::int64_t m_y = 0;
};

// Each two bytes of run-length codes cover at most 255 pixels (a run) or the
// rest of a row (an end of line). Images that announce more pixels than
// their codes could cover would be mostly pixels no code writes; Windows
// paints those black, but a few bytes announcing 16384 x 5461 pixels would
// cost hundreds of megabytes, so they are refused before anything is made.
// (A delta escape can skip more, but no encoder needs that to stay within
// this bound.)
std::optional<std::string> RunLengthCannotFill(const Layout& l, std::uint64_t codedBytes)
{
    const std::uint64_t codes = (codedBytes + 1) / 2;
    const std::uint64_t perCode = std::max<std::uint64_t>(255, static_cast<std::uint64_t>(l.width));
    const std::uint64_t pixels = static_cast<std::uint64_t>(l.width) * static_cast<std::uint64_t>(l.height);
    if (pixels <= codes * perCode)
        return std::nullopt;
    return "run-length data of " + std::to_string(codedBytes) + " bytes cannot fill " + std::to_string(l.width) +
           " x " + std::to_string(l.height) + " pixels";
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
    std::uint64_t fileBitsOffset = 0, fileSize = 0;
    if (source == Source::File) {
        if (data.size() < kFileHeaderSize + 4)
            return Refuse<Layout>(why, "file shorter than a bitmap header");
        if (d[0] != 'B' || d[1] != 'M')
            return Refuse<Layout>(why, "not a bitmap file (no \"BM\" signature)");
        fileSize = U32(d + 2);
        fileBitsOffset = U32(d + 10);
        base = kFileHeaderSize;
    } else if (data.size() < 4) {
        return Refuse<Layout>(why, "data shorter than a bitmap header");
    }

    const std::uint32_t headerSize = U32(d + base);
    if (!KnownHeaderSize(headerSize))
        return Refuse<Layout>(why, "unknown bitmap header size " + std::to_string(headerSize));
    if (data.size() < base + headerSize)
        return Refuse<Layout>(why, "bitmap header cut short");

    const std::uint8_t* h = d + base;
    const RawHeader r = ReadRawHeader(h, headerSize);
    const bool core = headerSize == kCoreHeaderSize;
    Layout l;
    l.bitCount = r.bitCount;
    if (r.planes != 1)
        return Refuse<Layout>(why, "bitmap has " + std::to_string(r.planes) + " planes, not 1");
    if (r.width < 1 || r.width > kMaxSide || r.height == 0 || r.height > kMaxSide || r.height < -kMaxSide)
        return Refuse<Layout>(why, "bitmap size " + std::to_string(r.width) + " x " + std::to_string(r.height) +
                                       " outside 1..16384 pixels a side");
    l.width = static_cast<int>(r.width);
    l.topDown = r.height < 0;
    l.height = static_cast<int>(r.height < 0 ? -r.height : r.height);

    switch (l.bitCount) {
    case 1: case 4: case 8: case 24: break;
    case 16: case 32:
        if (!core)
            break;
        [[fallthrough]];
    default:
        return Refuse<Layout>(why, "unsupported bitmap depth of " + std::to_string(l.bitCount) + " bits");
    }
    if (std::optional<std::string> reason = ChooseCoding(r, l))
        return Refuse<Layout>(why, std::move(*reason));
    const bool runLength = l.coding == Coding::Rle8 || l.coding == Coding::Rle4;
    if (runLength && l.topDown)
        return Refuse<Layout>(why, "run-length bitmaps cannot be stored top-down");

    // Masks sit at offset 40 of the header: inside a 52-byte or longer one,
    // right after a 40-byte one (which then grows by them).
    std::uint64_t headerEnd = base + headerSize;
    if (l.coding == Coding::BitFields) {
        const std::uint32_t count = r.compression == kBiAlphaBitFields || headerSize >= 56 ? 4 : 3;
        headerEnd = base + std::max<std::uint64_t>(headerSize, 40 + 4 * count);
        if (data.size() < headerEnd)
            return Refuse<Layout>(why, "bitmap colour masks cut short");
        for (std::uint32_t i = 0; i < count; ++i)
            l.masks[i] = U32(h + 40 + 4 * i);
    } else if (l.bitCount == 16) {
        l.masks[0] = 0x7C00;   // plain 16-bit pixels are 5-5-5
        l.masks[1] = 0x03E0;
        l.masks[2] = 0x001F;
    }

    // The colour table: biClrUsed entries are stored (all 2^bits when 0, and
    // always all of them after a core header); pixels of 1, 4 and 8 bits use
    // at most the first 2^bits. Deeper images may carry a table for palette
    // displays, which is skipped.
    if (r.colorsUsed > kMaxPaletteEntries)
        return Refuse<Layout>(why, "bitmap colour table of " + std::to_string(r.colorsUsed) +
                                       " entries (at most 256)");
    const std::uint32_t depthEntries = l.bitCount <= 8 ? (1u << l.bitCount) : 0;
    const std::uint32_t stored = r.colorsUsed != 0 ? r.colorsUsed : depthEntries;
    l.paletteEntrySize = core ? 3 : 4;
    l.paletteOffset = static_cast<std::size_t>(headerEnd);
    l.paletteEntries = static_cast<int>(std::min(stored, depthEntries));
    const std::uint64_t paletteEnd = headerEnd + std::uint64_t{stored} * l.paletteEntrySize;

    l.outputBitCount = l.bitCount == 32 ? 32 : 24;
    if (Stride(l.width, l.outputBitCount) * static_cast<std::uint64_t>(l.height) > kMaxDecodedBytes)
        return Refuse<Layout>(why, "bitmap too large");

    // A file names where its pixels start; some writers leave that 0.
    std::uint64_t bitsOffset = paletteEnd;
    if (source == Source::File && fileBitsOffset != 0)
        bitsOffset = fileBitsOffset;
    if (bitsOffset < headerEnd)
        return Refuse<Layout>(why, "bitmap pixel data starts inside its header");
    l.sourceStride = Stride(l.width, l.bitCount);
    std::uint64_t bitsSize = std::uint64_t{l.sourceStride} * l.height;
    if (runLength) {
        // The coded size must be known: biSizeImage, or what the file size
        // leaves after the pixel offset.
        bitsSize = r.sizeImage;
        if (bitsSize == 0 && source == Source::File && fileSize > bitsOffset)
            bitsSize = fileSize - bitsOffset;
        if (bitsSize == 0)
            return Refuse<Layout>(why, "run-length bitmap without the size of its data");
        if (std::optional<std::string> reason = RunLengthCannotFill(l, bitsSize))
            return Refuse<Layout>(why, std::move(*reason));
    }
    const std::uint64_t total = std::max(bitsOffset + bitsSize, paletteEnd);
    if (total > kMaxTotalSize)
        return Refuse<Layout>(why, "bitmap data larger than the cap");
    l.bitsOffset = static_cast<std::size_t>(bitsOffset);
    l.bitsSize = static_cast<std::size_t>(bitsSize);
    l.totalSize = static_cast<std::size_t>(total);
    return l;
}

std::optional<Image> Decode(std::span<const std::uint8_t> data, Source source, std::string* why)
{
    std::optional<Layout> layout = ReadLayout(data, source, why);
    if (!layout)
        return std::nullopt;
    const Layout& l = *layout;
    if (data.size() < l.totalSize)
        return Refuse<Image>(why, "bitmap data shorter than its header says (" + std::to_string(data.size()) +
                                      " of " + std::to_string(l.totalSize) + " bytes)");

    // Indexes past the stored table read as black.
    Palette palette = {};
    for (int i = 0; i < l.paletteEntries; ++i) {
        const std::uint8_t* entry = data.data() + l.paletteOffset + std::size_t(i) * l.paletteEntrySize;
        std::memcpy(palette[i], entry, 3);
    }

    Image image;
    image.width = l.width;
    image.height = l.height;
    image.bitCount = l.outputBitCount;
    image.stride = Stride(l.width, l.outputBitCount);
    image.pixels.assign(image.stride * l.height, 0);
    if (l.coding == Coding::Rle8 || l.coding == Coding::Rle4) {
        RleDecoder decoder(l, palette, image);
        if (std::optional<std::string> reason = decoder.Run(data.subspan(l.bitsOffset, l.bitsSize)))
            return Refuse<Image>(why, std::move(*reason));
        return image;
    }
    for (int y = 0; y < l.height; ++y) {
        int stored = l.topDown ? y : l.height - 1 - y;
        const std::uint8_t* src = data.data() + l.bitsOffset + std::size_t(stored) * l.sourceStride;
        std::uint8_t* dst = image.pixels.data() + std::size_t(y) * image.stride;
        if (l.bitCount <= 8)
            DecodePaletteRow(l, src, palette, dst);
        else if (l.bitCount == 16 || l.coding == Coding::BitFields)
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
    PutU32(out, kBiRgb);
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
