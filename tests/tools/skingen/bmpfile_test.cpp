#include "bmpfile.h"

#include "framework/object.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarnivo::skingen {
namespace {

std::uint32_t u32_at(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t u16_at(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A bitmap whose every pixel is different, so any row or column mix-up shows.
Bitmap numbered(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.set(x, y, Rgb{static_cast<std::uint8_t>(x * 10 + 1), static_cast<std::uint8_t>(y * 10 + 2),
                            static_cast<std::uint8_t>(x + y + 3)});
    return b;
}

TEST(Bmp24, HeaderDescribesAnUncompressedBottomUpImage)
{
    const auto bytes = encode_bmp24(numbered(5, 3));
    const std::uint32_t stride = 16; // 5 * 3 = 15 bytes, padded to 16
    ASSERT_EQ(bytes.size(), 54u + stride * 3);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32_at(bytes, 2), bytes.size());
    EXPECT_EQ(u32_at(bytes, 10), 54u);
    EXPECT_EQ(u32_at(bytes, 14), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(u32_at(bytes, 18)), 5);
    EXPECT_EQ(static_cast<std::int32_t>(u32_at(bytes, 22)), 3); // positive: bottom-up
    EXPECT_EQ(u16_at(bytes, 26), 1);
    EXPECT_EQ(u16_at(bytes, 28), 24);
    EXPECT_EQ(u32_at(bytes, 30), 0u);
    EXPECT_EQ(u32_at(bytes, 34), stride * 3);
}

TEST(Bmp24, OddWidthsArePaddedWithZerosAndStoredBottomRowFirst)
{
    for (int w : {1, 2, 3, 5, 7}) {
        SCOPED_TRACE(w);
        const int h = 2;
        const Bitmap image = numbered(w, h);
        const auto bytes = encode_bmp24(image);
        const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + stride * h);
        for (int stored = 0; stored < h; ++stored) {
            const std::size_t row = 54 + stride * stored;
            const int y = h - 1 - stored;
            for (int x = 0; x < w; ++x) {
                const Rgb c = image.at(x, y);
                EXPECT_EQ(bytes[row + x * 3], c.b);
                EXPECT_EQ(bytes[row + x * 3 + 1], c.g);
                EXPECT_EQ(bytes[row + x * 3 + 2], c.r);
            }
            for (std::size_t pad = static_cast<std::size_t>(w) * 3; pad < stride; ++pad)
                EXPECT_EQ(bytes[row + pad], 0);
        }
    }
}

TEST(Bmp24, ReadsBackWhatItWrote)
{
    for (auto [w, h] : {std::pair{1, 1}, {3, 5}, {17, 2}, {391, 17}}) {
        const Bitmap image = numbered(w, h);
        EXPECT_EQ(decode_bmp(encode_bmp24(image)), image) << w << "x" << h;
    }
}

TEST(Bmp1, WhiteIsIndexOneAndBitsRunFromTheHighBit)
{
    Bitmap image(10, 2, hex(0x000000));
    image.set(0, 0, hex(0xffffff)); // top row, first pixel
    image.set(9, 1, hex(0xffffff)); // bottom row, last pixel
    const auto bytes = encode_bmp1(image);
    ASSERT_EQ(u32_at(bytes, 10), 62u); // 54 + two palette entries
    EXPECT_EQ(u16_at(bytes, 28), 1);
    EXPECT_EQ(u32_at(bytes, 54), 0x000000u);
    EXPECT_EQ(u32_at(bytes, 58), 0xFFFFFFu);
    ASSERT_EQ(bytes.size(), 62u + 4 * 2); // 10 bits pad to 4 bytes a row
    // Stored bottom row first: pixel 9 is bit 6 of its second byte.
    EXPECT_EQ(bytes[62], 0x00);
    EXPECT_EQ(bytes[63], 0x40);
    EXPECT_EQ(bytes[66], 0x80);
    EXPECT_EQ(bytes[67], 0x00);
    const Bitmap back = decode_bmp(bytes);
    EXPECT_EQ(back, image);
}

std::vector<std::uint8_t> valid_file() { return encode_bmp24(numbered(4, 4)); }

void put_u32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(BmpReader, RefusesDamagedOrOversizedFiles)
{
    auto refuses = [](std::vector<std::uint8_t> bytes, const char* why) {
        EXPECT_THROW(decode_bmp(bytes), Exception) << why;
    };
    refuses({}, "empty");
    refuses({'B', 'M', 0, 0}, "header cut short");
    auto b = valid_file();
    b[0] = 'X';
    refuses(b, "signature");
    b = valid_file();
    b.resize(b.size() - 1);
    refuses(b, "last pixel row cut");
    b = valid_file();
    put_u32(b, 10, 0xFFFFFFF0u);
    refuses(b, "pixel offset past the end");
    b = valid_file();
    put_u32(b, 18, kMaxBitmapSide + 1);
    refuses(b, "too wide");
    b = valid_file();
    put_u32(b, 22, static_cast<std::uint32_t>(-(kMaxBitmapSide + 1)));
    refuses(b, "too high, top-down");
    b = valid_file();
    put_u32(b, 22, 0x80000000u);
    refuses(b, "most negative height");
    b = valid_file();
    put_u32(b, 30, 1);
    refuses(b, "RLE compression");
    b = valid_file();
    b[28] = 7;
    refuses(b, "7 bits per pixel");
}

TEST(BmpReader, ReadsTopDownFilesAndPaletteImages)
{
    // A 2 x 2 top-down 8-bit image with a three-colour palette.
    std::vector<std::uint8_t> b(54 + 12 + 8, 0);
    b[0] = 'B';
    b[1] = 'M';
    put_u32(b, 10, 54 + 12);
    put_u32(b, 14, 40);
    put_u32(b, 18, 2);
    put_u32(b, 22, static_cast<std::uint32_t>(-2));
    b[26] = 1;
    b[28] = 8;
    put_u32(b, 46, 3);
    const std::uint8_t palette[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}; // red, green, blue (BGRA)
    std::memcpy(&b[54], palette, sizeof palette);
    b[66] = 0; // top row: red, green
    b[67] = 1;
    b[70] = 2; // bottom row: blue, red
    b[71] = 0;
    const Bitmap image = decode_bmp(b);
    EXPECT_EQ(image.at(0, 0), hex(0xff0000));
    EXPECT_EQ(image.at(1, 0), hex(0x00ff00));
    EXPECT_EQ(image.at(0, 1), hex(0x0000ff));
    b[71] = 7; // an index past the palette reads black, as in the engine
    EXPECT_EQ(decode_bmp(b).at(1, 1), hex(0x000000));
}

} // namespace
} // namespace tarnivo::skingen
