#include "framework/bmpfile.h"

#include "bmpbuilder.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>

namespace tarnivo {
namespace {

using test::BmpSpec;
using test::BuildBmp;

// 0xRRGGBB of decoded pixel (x, y), with the fourth byte at 32 bits as 0xAA000000.
std::uint32_t PixelAt(const bmp::Image& img, int x, int y)
{
    const std::uint8_t* p = img.pixels.data() + y * img.stride + x * (img.bitCount / 8);
    std::uint32_t v = (std::uint32_t(p[2]) << 16) | (p[1] << 8) | p[0];
    if (img.bitCount == 32)
        v |= std::uint32_t(p[3]) << 24;
    return v;
}

std::optional<bmp::Image> Decode(const std::vector<std::uint8_t>& file, std::string* why = nullptr)
{
    return bmp::Decode(file, bmp::Source::File, why);
}

TEST(BmpDecode, TwentyFourBitBottomUpWithRowPadding)
{
    // Width 3 at 24 bits: 9 bytes of pixels, 3 bytes of padding per row.
    auto spec = BmpSpec().Size(3, 2);
    auto img = Decode(BuildBmp(spec, {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->bitCount, 24);
    EXPECT_EQ(img->stride, 12u);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x112233u);
    EXPECT_EQ(PixelAt(*img, 2, 0), 0x778899u);
    EXPECT_EQ(PixelAt(*img, 0, 1), 0xAABBCCu);
    EXPECT_EQ(PixelAt(*img, 2, 1), 0x010203u);
}

TEST(BmpDecode, ThirtyTwoBitTopDownKeepsFourthByte)
{
    auto spec = BmpSpec().Size(2, 2).Bits(32).TopDown();
    auto img = Decode(BuildBmp(spec, {0x80FF0000, 0x0000FF00, 0x000000FF, 0xFF123456}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->bitCount, 32);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x80FF0000u);
    EXPECT_EQ(PixelAt(*img, 1, 0), 0x0000FF00u);
    EXPECT_EQ(PixelAt(*img, 1, 1), 0xFF123456u);
}

TEST(BmpDecode, PaletteDepthsBecomeTwentyFourBits)
{
    {
        auto spec = BmpSpec().Size(3, 1).Bits(8).Palette({0xFF0000, 0x00FF00, 0x0000FF}).ColorsUsed(3);
        auto img = Decode(BuildBmp(spec, {2, 0, 1}));
        ASSERT_TRUE(img);
        EXPECT_EQ(img->bitCount, 24);
        EXPECT_EQ(PixelAt(*img, 0, 0), 0x0000FFu);
        EXPECT_EQ(PixelAt(*img, 1, 0), 0xFF0000u);
        EXPECT_EQ(PixelAt(*img, 2, 0), 0x00FF00u);
    }
    {
        // Odd width at 4 bits: the last pixel is the high nibble of its byte.
        std::vector<std::uint32_t> palette(16);
        for (int i = 0; i < 16; ++i)
            palette[i] = 0x010101u * (i * 16);
        auto spec = BmpSpec().Size(3, 2).Bits(4).Palette(palette);
        auto img = Decode(BuildBmp(spec, {1, 15, 7, 0, 2, 3}));
        ASSERT_TRUE(img);
        EXPECT_EQ(PixelAt(*img, 0, 0), 0x101010u);
        EXPECT_EQ(PixelAt(*img, 1, 0), 0xF0F0F0u);
        EXPECT_EQ(PixelAt(*img, 2, 0), 0x707070u);
        EXPECT_EQ(PixelAt(*img, 2, 1), 0x303030u);
    }
    {
        // Nine pixels at 1 bit span two bytes.
        auto spec = BmpSpec().Size(9, 1).Bits(1).Palette({0x000000, 0xFFFFFF});
        auto img = Decode(BuildBmp(spec, {1, 0, 0, 0, 0, 0, 0, 1, 1}));
        ASSERT_TRUE(img);
        EXPECT_EQ(PixelAt(*img, 0, 0), 0xFFFFFFu);
        EXPECT_EQ(PixelAt(*img, 1, 0), 0u);
        EXPECT_EQ(PixelAt(*img, 7, 0), 0xFFFFFFu);
        EXPECT_EQ(PixelAt(*img, 8, 0), 0xFFFFFFu);
    }
}

TEST(BmpDecode, IndexPastAShortPaletteIsBlack)
{
    auto spec = BmpSpec().Size(2, 1).Bits(8).Palette({0xABCDEF}).ColorsUsed(1);
    auto img = Decode(BuildBmp(spec, {0, 200}));
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0xABCDEFu);
    EXPECT_EQ(PixelAt(*img, 1, 0), 0u);
}

TEST(BmpDecode, SixteenBitPlainAndBitFields)
{
    // Plain 16-bit pixels are 5-5-5: full red, full green, full blue, white.
    auto plain = BmpSpec().Size(4, 1).Bits(16);
    auto img = Decode(BuildBmp(plain, {0x7C00, 0x03E0, 0x001F, 0x7FFF}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->bitCount, 24);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(*img, 1, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(*img, 2, 0), 0x0000FFu);
    EXPECT_EQ(PixelAt(*img, 3, 0), 0xFFFFFFu);

    auto rgb565 = BmpSpec().Size(2, 1).Bits(16).Compression(3).Masks(0xF800, 0x07E0, 0x001F);
    img = Decode(BuildBmp(rgb565, {0x07E0, 0x8410}));
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(*img, 1, 0), 0x838183u);   // 16/31, 32/63, 16/31 of 255, truncated
}

TEST(BmpDecode, ThirtyTwoBitFieldsAndLongHeaders)
{
    auto spec = BmpSpec().Size(1, 1).Bits(32).Header(108).Compression(3).Masks(0x000000FF, 0x0000FF00, 0x00FF0000);
    auto img = Decode(BuildBmp(spec, {0x00332211}));   // red 0x11 in the low byte
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 0) & 0xFFFFFFu, 0x112233u);
}

TEST(BmpDecode, CoreHeaderWithThreeBytePalette)
{
    auto spec = BmpSpec().Size(2, 1).Bits(8).Header(12).Palette(std::vector<std::uint32_t>(256, 0x123456));
    spec.palette[5] = 0xFEDCBA;
    auto img = Decode(BuildBmp(spec, {5, 0}));
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0xFEDCBAu);
    EXPECT_EQ(PixelAt(*img, 1, 0), 0x123456u);
}

TEST(BmpDecode, PackedDibAsResourcesHoldIt)
{
    auto spec = BmpSpec().Size(1, 1).Bits(8).Palette({0, 0x00FF00}).ColorsUsed(2);
    std::vector<std::uint8_t> file = BuildBmp(spec, {1});
    std::vector<std::uint8_t> dib(file.begin() + 14, file.end());
    auto img = bmp::Decode(dib, bmp::Source::Resource);
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x00FF00u);
}

TEST(BmpDecode, RefusesSizesOutOfRange)
{
    const std::vector<std::uint8_t> valid = BuildBmp(BmpSpec(), {0});
    ASSERT_TRUE(Decode(valid));
    const std::pair<std::int32_t, std::int32_t> sizes[] = {
        {0, 1}, {-4, 1}, {16385, 1}, {1, 0}, {1, 16385}, {1, -16385}, {1, INT32_MIN},
    };
    for (auto [w, h] : sizes) {
        std::vector<std::uint8_t> file = valid;
        for (int b = 0; b < 4; ++b) {
            file[18 + b] = std::uint8_t(std::uint32_t(w) >> (8 * b));
            file[22 + b] = std::uint8_t(std::uint32_t(h) >> (8 * b));
        }
        std::string why;
        EXPECT_FALSE(Decode(file, &why)) << w << " x " << h;
        EXPECT_FALSE(why.empty());
    }
}

TEST(BmpDecode, RefusesUnsupportedFormats)
{
    struct Case {
        const char* what;
        BmpSpec spec;
    } cases[] = {
        {"bit count 7", BmpSpec().Bits(7)},
        {"run-length", BmpSpec().Bits(8).Compression(1)},
        {"bit fields on 24 bits", BmpSpec().Bits(24).Compression(3)},
        {"palette too large", BmpSpec().Bits(4).ColorsUsed(17)},
        {"unknown header size", BmpSpec().Header(44)},
        {"pixels inside the header", BmpSpec().BitsOffset(20)},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_FALSE(Decode(BuildBmp(c.spec, {0}), &why)) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
    }
}

TEST(BmpDecode, RefusesOtherMagicAndHugeOffsets)
{
    auto spec = BmpSpec().Size(2, 2);
    std::vector<std::uint8_t> file = BuildBmp(spec, {1, 2, 3, 4});
    std::vector<std::uint8_t> bad = file;
    bad[1] = 'A';
    EXPECT_FALSE(Decode(bad));
    bad = file;
    bad[10] = bad[11] = bad[12] = bad[13] = 0xFF;   // pixels 4 GiB on
    EXPECT_FALSE(Decode(bad));
    auto layout = bmp::ReadLayout(bad, bmp::Source::File);
    EXPECT_FALSE(layout);
}

TEST(BmpDecode, EveryTruncationIsRefusedWithoutReadingPastTheEnd)
{
    // Under the sanitizers this also proves no read beyond the data.
    auto spec = BmpSpec().Size(5, 3).Bits(8).Palette({1, 2, 3, 4}).ColorsUsed(4);
    std::vector<std::uint8_t> file = BuildBmp(spec, std::vector<std::uint32_t>(15, 3));
    ASSERT_TRUE(Decode(file));
    for (std::size_t n = 0; n < file.size(); ++n) {
        std::vector<std::uint8_t> cut(file.begin(), file.begin() + n);
        EXPECT_FALSE(Decode(cut)) << "length " << n;
    }
}

TEST(BmpDecode, LayoutReportsTheBytesTheImageNeeds)
{
    auto spec = BmpSpec().Size(3, 2);
    std::vector<std::uint8_t> file = BuildBmp(spec, std::vector<std::uint32_t>(6, 0));
    file.resize(file.size() + 10, 0xEE);   // trailing bytes are not part of it
    auto layout = bmp::ReadLayout(std::span(file).first(54), bmp::Source::File);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->totalSize, 54u + 12u * 2u);
}

TEST(BmpDecode, DecodedSizeIsCapped)
{
    // 16384 x 16384 at 32 bits is 1 GiB: refused from the header alone.
    auto spec = BmpSpec().Size(1, 1).Bits(32);
    std::vector<std::uint8_t> file = BuildBmp(spec, {0});
    file[18] = 0x00; file[19] = 0x40;   // width 16384
    file[22] = 0x00; file[23] = 0x40;   // height 16384
    std::string why;
    EXPECT_FALSE(bmp::ReadLayout(file, bmp::Source::File, &why));
    EXPECT_EQ(why, "bitmap too large");
}

TEST(BmpEncode, RoundTripsBothDepths)
{
    for (int bits : {24, 32}) {
        const int w = 3, h = 2;
        const std::size_t stride = bmp::Stride(w, bits);
        std::vector<std::uint8_t> rows(stride * h);
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i] = std::uint8_t(i * 7 + 1);
        std::vector<std::uint8_t> file = bmp::Encode(w, h, bits, rows.data(), stride);
        auto img = Decode(file);
        ASSERT_TRUE(img);
        EXPECT_EQ(img->bitCount, bits);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w * bits / 8; ++x)
                EXPECT_EQ(img->pixels[y * img->stride + x], rows[y * stride + x]) << bits << " " << x << "," << y;
    }
}

} // namespace
} // namespace tarnivo
