#include "bmpfile.h"

#include "framework/object.h"

#include <string>

namespace tarnivo::skingen {

namespace {

// Bounds-checked little-endian reads; every failure names the field.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint32_t u32(std::size_t at, const char* what) const
    {
        need(at, 4, what);
        return bytes_[at] | (bytes_[at + 1] << 8) | (bytes_[at + 2] << 16) |
               (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    }
    std::uint16_t u16(std::size_t at, const char* what) const
    {
        need(at, 2, what);
        return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
    }
    std::uint8_t u8(std::size_t at) const { return bytes_[at]; }
    void need(std::size_t at, std::size_t count, const char* what) const
    {
        if (at > bytes_.size() || count > bytes_.size() - at)
            throw Exception(std::string("BMP truncated: ") + what);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

struct Header {
    std::uint32_t pixel_offset = 0;
    std::uint32_t header_size = 0;
    int width = 0;
    int height = 0; // always positive here
    bool top_down = false;
    int bits = 0;
    std::uint32_t palette_count = 0;
};

Header read_header(const ByteReader& in)
{
    if (in.u16(0, "file header") != 0x4D42)
        throw Exception("not a BMP file (no \"BM\" signature)");
    Header h;
    h.pixel_offset = in.u32(10, "file header");
    h.header_size = in.u32(14, "info header");
    if (h.header_size < 40)
        throw Exception("BMP info header older than BITMAPINFOHEADER is not supported");
    const auto width = static_cast<std::int32_t>(in.u32(18, "info header"));
    const auto height = static_cast<std::int32_t>(in.u32(22, "info header"));
    h.bits = in.u16(28, "info header");
    const std::uint32_t compression = in.u32(30, "info header");
    h.palette_count = in.u32(46, "info header");
    if (compression != 0)
        throw Exception("compressed BMP is not supported");
    if (width <= 0 || height == 0 || height == INT32_MIN)
        throw Exception("BMP has no pixels");
    h.top_down = height < 0;
    h.width = width;
    h.height = h.top_down ? -height : height;
    if (h.width > kMaxBitmapSide || h.height > kMaxBitmapSide)
        throw Exception("BMP larger than 16384 pixels a side");
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24 && h.bits != 32)
        throw Exception("BMP bit depth " + std::to_string(h.bits) + " is not supported");
    if (h.bits <= 8) {
        const std::uint32_t full = 1u << h.bits;
        if (h.palette_count == 0 || h.palette_count > full)
            h.palette_count = full;
    }
    return h;
}

std::vector<Rgb> read_palette(const ByteReader& in, const Header& h)
{
    std::vector<Rgb> palette;
    const std::size_t start = 14 + static_cast<std::size_t>(h.header_size);
    in.need(start, static_cast<std::size_t>(h.palette_count) * 4, "palette");
    for (std::uint32_t i = 0; i < h.palette_count; ++i) {
        const std::size_t at = start + i * 4;
        palette.push_back(Rgb{in.u8(at + 2), in.u8(at + 1), in.u8(at)});
    }
    return palette;
}

Rgb read_pixel(const ByteReader& in, std::size_t row, int x, const Header& h, const std::vector<Rgb>& palette)
{
    if (h.bits >= 24) {
        const std::size_t at = row + static_cast<std::size_t>(x) * (h.bits / 8);
        return Rgb{in.u8(at + 2), in.u8(at + 1), in.u8(at)};
    }
    const std::size_t bit = static_cast<std::size_t>(x) * h.bits;
    const std::uint8_t byte = in.u8(row + bit / 8);
    const int shift = 8 - h.bits - static_cast<int>(bit % 8);
    const std::uint32_t index = (byte >> shift) & ((1u << h.bits) - 1);
    if (index >= palette.size())
        throw Exception("BMP pixel refers past its palette");
    return palette[index];
}

} // namespace

Bitmap decode_bmp(std::span<const std::uint8_t> bytes)
{
    const ByteReader in(bytes);
    const Header h = read_header(in);
    const std::vector<Rgb> palette = h.bits <= 8 ? read_palette(in, h) : std::vector<Rgb>{};
    const std::size_t stride = ((static_cast<std::size_t>(h.width) * h.bits + 31) / 32) * 4;
    in.need(h.pixel_offset, stride * h.height, "pixel data");

    Bitmap image(h.width, h.height);
    for (int y = 0; y < h.height; ++y) {
        const int stored = h.top_down ? y : h.height - 1 - y;
        const std::size_t row = h.pixel_offset + stride * stored;
        for (int x = 0; x < h.width; ++x)
            image.set(x, y, read_pixel(in, row, x, h, palette));
    }
    return image;
}

} // namespace tarnivo::skingen
