#include "icofile.h"
#include "bytes.h"

#include <cassert>

namespace tarnivo::skingen {

namespace {

constexpr std::uint32_t kDirHeaderSize = 6;
constexpr std::uint32_t kDirEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t mask_stride(int size) { return ((static_cast<std::uint32_t>(size) + 31) / 32) * 4; }

std::vector<std::uint8_t> encode_image(const IconImage& image)
{
    const int n = image.size;
    assert(image.rgba.size() == static_cast<std::size_t>(n) * n * 4);
    const std::uint32_t colour_bytes = static_cast<std::uint32_t>(n) * n * 4;
    const std::uint32_t mask_bytes = mask_stride(n) * n;
    ByteWriter out;
    out.u32(kInfoHeaderSize);
    out.i32(n);
    out.i32(n * 2); // an icon DIB counts the colour and mask halves together
    out.u16(1);
    out.u16(32);
    out.u32(0);
    out.u32(colour_bytes + mask_bytes);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    for (int y = n - 1; y >= 0; --y) {
        for (int x = 0; x < n; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * n + x) * 4;
            out.u8(image.rgba[at + 2]);
            out.u8(image.rgba[at + 1]);
            out.u8(image.rgba[at]);
            out.u8(image.rgba[at + 3]);
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(mask_stride(n), 0);
        for (int x = 0; x < n; ++x) {
            if (image.rgba[(static_cast<std::size_t>(y) * n + x) * 4 + 3] == 0)
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        for (std::uint8_t b : row)
            out.u8(b);
    }
    return out.take();
}

} // namespace

std::vector<std::uint8_t> encode_ico(const std::vector<IconImage>& images)
{
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const IconImage& image : images)
        bodies.push_back(encode_image(image));

    ByteWriter out;
    out.u16(0);
    out.u16(1); // type 1: icon
    out.u16(static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = kDirHeaderSize + kDirEntrySize * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int n = images[i].size;
        out.u8(static_cast<std::uint8_t>(n >= 256 ? 0 : n)); // 0 means 256
        out.u8(static_cast<std::uint8_t>(n >= 256 ? 0 : n));
        out.u8(0); // no palette
        out.u8(0);
        out.u16(1);
        out.u16(32);
        out.u32(static_cast<std::uint32_t>(bodies[i].size()));
        out.u32(offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies)
        out.append(body);
    return out.take();
}

} // namespace tarnivo::skingen
