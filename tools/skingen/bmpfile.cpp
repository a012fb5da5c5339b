#include "bmpfile.h"
#include "bytes.h"

#include "framework/object.h"

#include <optional>
#include <string>

namespace tarnivo::skingen {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835; // 72 dpi, what paint programs write

std::uint32_t row_stride(int width, int bits) { return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4; }

void put_headers(ByteWriter& out, const Bitmap& image, int bits, std::uint32_t palette_bytes)
{
    const std::uint32_t image_bytes = row_stride(image.width(), bits) * static_cast<std::uint32_t>(image.height());
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + palette_bytes;
    out.u8('B');
    out.u8('M');
    out.u32(offset + image_bytes);
    out.u32(0); // two reserved words
    out.u32(offset);
    out.u32(kInfoHeaderSize);
    out.i32(image.width());
    out.i32(image.height()); // positive: rows are stored bottom-up
    out.u16(1);              // planes
    out.u16(static_cast<std::uint16_t>(bits));
    out.u32(0); // BI_RGB
    out.u32(image_bytes);
    out.i32(kPixelsPerMetre);
    out.i32(kPixelsPerMetre);
    out.u32(bits == 1 ? 2 : 0); // colours used
    out.u32(0);                 // colours important
}

} // namespace

std::vector<std::uint8_t> encode_bmp24(const Bitmap& image)
{
    ByteWriter out;
    put_headers(out, image, 24, 0);
    const std::uint32_t padding = row_stride(image.width(), 24) - static_cast<std::uint32_t>(image.width()) * 3;
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            out.u8(c.b);
            out.u8(c.g);
            out.u8(c.r);
        }
        for (std::uint32_t i = 0; i < padding; ++i)
            out.u8(0);
    }
    return out.take();
}

std::vector<std::uint8_t> encode_bmp1(const Bitmap& image)
{
    ByteWriter out;
    put_headers(out, image, 1, 8);
    out.u32(0x000000); // index 0: black (BGRA)
    out.u32(0xFFFFFF); // index 1: white
    const std::uint32_t stride = row_stride(image.width(), 1);
    for (int y = image.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < image.width(); ++x) {
            if (luminance(image.at(x, y)) > 0.5)
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        for (std::uint8_t b : row)
            out.u8(b);
    }
    return out.take();
}

Bitmap decode_bmp(std::span<const std::uint8_t> bytes)
{
    std::string why;
    const std::optional<bmp::Image> image = bmp::Decode(bytes, bmp::Source::File, &why);
    if (!image)
        throw Exception("BMP refused: " + why);
    const int step = image->bitCount / 8;
    Bitmap out(image->width, image->height);
    for (int y = 0; y < image->height; ++y) {
        const std::uint8_t* row = image->pixels.data() + static_cast<std::size_t>(y) * image->stride;
        for (int x = 0; x < image->width; ++x) {
            const std::uint8_t* p = row + static_cast<std::size_t>(x) * step;
            out.set(x, y, Rgb{p[2], p[1], p[0]});
        }
    }
    return out;
}

} // namespace tarnivo::skingen
