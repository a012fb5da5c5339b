#include "pngfile.h"
#include "bytes.h"

#include <algorithm>
#include <array>

namespace tarnivo::skingen {

namespace {

std::uint32_t crc32(const std::vector<std::uint8_t>& data, std::size_t from)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data)
{
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : data) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void put_chunk(ByteWriter& out, const char* type, const std::vector<std::uint8_t>& body)
{
    out.u32_big(static_cast<std::uint32_t>(body.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    out.append(typed);
    out.u32_big(crc32(typed, 0));
}

// zlib stream of stored deflate blocks (at most 65535 bytes each).
std::vector<std::uint8_t> zlib_stored(const std::vector<std::uint8_t>& raw)
{
    ByteWriter out;
    out.u8(0x78);
    out.u8(0x01);
    std::size_t at = 0;
    do {
        const std::size_t len = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + len == raw.size();
        out.u8(last ? 1 : 0);
        out.u16(static_cast<std::uint16_t>(len));
        out.u16(static_cast<std::uint16_t>(~len));
        out.append(std::vector<std::uint8_t>(raw.begin() + static_cast<std::ptrdiff_t>(at),
                                             raw.begin() + static_cast<std::ptrdiff_t>(at + len)));
        at += len;
    } while (at < raw.size());
    out.u32_big(adler32(raw));
    return out.take();
}

} // namespace

std::vector<std::uint8_t> encode_png(const Bitmap& image)
{
    ByteWriter header;
    header.u32_big(static_cast<std::uint32_t>(image.width()));
    header.u32_big(static_cast<std::uint32_t>(image.height()));
    header.u8(8); // bits per channel
    header.u8(2); // truecolour
    header.u8(0);
    header.u8(0);
    header.u8(0);

    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.height()) * (image.width() * 3 + 1));
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = image.at(x, y);
            raw.insert(raw.end(), {c.r, c.g, c.b});
        }
    }

    ByteWriter out;
    out.append({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    put_chunk(out, "IHDR", header.take());
    put_chunk(out, "IDAT", zlib_stored(raw));
    put_chunk(out, "IEND", {});
    return out.take();
}

} // namespace tarnivo::skingen
