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

// The formats themselves (every depth, header and coding, with their pixels,
// and what is refused) are walked in tests/tools/skintool/bmpagreement_test,
// which checks the decoder, skintool check and the engine against one table.
// Here: what only the decoder's interface shows.

TEST(BmpDecode, ThirtyTwoBitsKeepTheFourthByteOrTheAlphaMask)
{
    auto plain = BmpSpec().Size(2, 1).Bits(32);
    auto img = Decode(BuildBmp(plain, {0x80FF0000, 0x01020304}));
    ASSERT_TRUE(img);
    EXPECT_EQ(img->bitCount, 32);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x80FF0000u);
    EXPECT_EQ(PixelAt(*img, 1, 0), 0x01020304u);

    // Alpha in the low byte, by the fourth mask; no alpha mask gives 0.
    auto alpha = BmpSpec().Size(1, 1).Bits(32).Compression(6).Masks(0xFF000000, 0xFF0000, 0xFF00, 0xFF);
    img = Decode(BuildBmp(alpha, {0x11223344}));
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x44112233u);
    auto noAlpha = BmpSpec().Size(1, 1).Bits(32).Compression(3).Masks(0xFF0000, 0xFF00, 0xFF);
    img = Decode(BuildBmp(noAlpha, {0xEE112233}));
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x00112233u);
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

TEST(BmpDecode, EveryTruncationIsRefusedWithoutReadingPastTheEnd)
{
    // Under the sanitizers this also proves no read beyond the data.
    const std::vector<std::uint8_t> files[] = {
        BuildBmp(BmpSpec().Size(5, 3).Bits(8).Palette({1, 2, 3, 4}).ColorsUsed(4), std::vector<std::uint32_t>(15, 3)),
        BuildBmp(BmpSpec().Size(5, 2).Bits(4).Compression(2).Palette({1, 2, 3}).ColorsUsed(3)
                     .Raw({0x05, 0x12, 0, 0, 0, 5, 0x34, 0x51, 0x20, 0, 0, 1})),
        BuildBmp(BmpSpec().Size(2, 1).Bits(16).Header(56).Compression(3).Masks(0xF800, 0x7E0, 0x1F), {1, 2}),
    };
    for (const auto& file : files) {
        ASSERT_TRUE(Decode(file));
        for (std::size_t n = 0; n < file.size(); ++n) {
            std::vector<std::uint8_t> cut(file.begin(), file.begin() + n);
            std::string why;
            EXPECT_FALSE(Decode(cut, &why)) << "length " << n;
            EXPECT_FALSE(why.empty());
        }
    }
}

TEST(BmpDecode, RunLengthCodesFarOutsideTheImageCostNothing)
{
    // Maximal runs and deltas carry the position far beyond the 16384-pixel
    // row; nothing is written there, nothing overflows, and the end of line
    // still brings the next run back to the row above.
    std::vector<std::uint8_t> codes = {0xFF, 1};
    for (int i = 0; i < 64; ++i)
        codes.insert(codes.end(), {0, 2, 0xFF, 0});
    for (int i = 0; i < 20000; ++i)
        codes.insert(codes.end(), {0xFF, 1, 0, 2, 0xFF, 0});
    codes.insert(codes.end(), {0, 0, 0xFF, 2, 0, 1});
    auto spec = BmpSpec().Size(16384, 2).Bits(8).Compression(1).Palette({0x111111, 0x222222, 0x333333})
                    .ColorsUsed(3).Raw(codes);
    auto img = Decode(BuildBmp(spec));
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 0, 1), 0x222222u);     // the first run, bottom row
    EXPECT_EQ(PixelAt(*img, 254, 1), 0x222222u);
    EXPECT_EQ(PixelAt(*img, 255, 1), 0u);          // skipped by the deltas
    EXPECT_EQ(PixelAt(*img, 16383, 1), 0u);
    EXPECT_EQ(PixelAt(*img, 0, 0), 0x333333u);     // after the end of line
    EXPECT_EQ(PixelAt(*img, 255, 0), 0u);
}

TEST(BmpDecode, RunLengthImagesMayNotAnnounceMorePixelsThanTheirCodesCover)
{
    // Two bytes of codes cover a run of at most 255 pixels or, with an end of
    // line, the rest of a row: 4 bytes (two codes) cover 510 pixels of a
    // 10-pixel-wide image, and no more.
    auto narrow = [](int height) {
        return BmpSpec().Size(10, height).Bits(8).Compression(1).Palette({0, 0xFFFFFF}).ColorsUsed(2)
            .Raw({0xFF, 1, 0, 1});
    };
    std::string why;
    EXPECT_TRUE(bmp::ReadLayout(BuildBmp(narrow(51)), bmp::Source::File, &why)) << why;
    EXPECT_FALSE(bmp::ReadLayout(BuildBmp(narrow(52)), bmp::Source::File, &why));
    EXPECT_EQ(why, "run-length data of 4 bytes cannot fill 10 x 52 pixels");

    // One end of line per row covers a whole row, however wide: such an
    // image is all black, and taken.
    auto rows = BmpSpec().Size(1000, 3).Bits(4).Compression(2).Palette({0x123456}).ColorsUsed(1)
                    .Raw({0, 0, 0, 0, 0, 0});
    auto img = Decode(BuildBmp(rows), &why);
    ASSERT_TRUE(img) << why;
    EXPECT_EQ(PixelAt(*img, 999, 2), 0u);
    EXPECT_FALSE(Decode(BuildBmp(rows.Size(1000, 4)), &why));

    // The hostile entry: 60 bytes announcing 16384 x 5461 pixels, just under
    // the decoded-bytes cap, refused from its headers before any allocation.
    auto hostile = BmpSpec().Size(16384, 5461).Bits(8).Compression(1).Palette({0xFF0000}).ColorsUsed(1)
                       .Raw({0xFF, 0, 0, 1});
    const std::vector<std::uint8_t> file = BuildBmp(hostile);
    EXPECT_LE(file.size(), 62u);
    EXPECT_FALSE(Decode(file, &why));
    EXPECT_EQ(why, "run-length data of 4 bytes cannot fill 16384 x 5461 pixels");
}

TEST(BmpDecode, LayoutReportsTheBytesTheImageNeedsFromTheHeadersAlone)
{
    // What a stream reader relies on: the headers tell how much to read.
    auto spec = BmpSpec().Size(3, 2);
    std::vector<std::uint8_t> file = BuildBmp(spec, std::vector<std::uint32_t>(6, 0));
    file.resize(file.size() + 10, 0xEE);   // trailing bytes are not part of it
    auto layout = bmp::ReadLayout(std::span(file).first(54), bmp::Source::File);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->totalSize, 54u + 12u * 2u);

    // Run-length: the coded size, from biSizeImage or else the file size.
    const std::vector<std::uint8_t> codes = {0x02, 1, 0, 1};
    auto rle = BmpSpec().Size(2, 1).Bits(8).Compression(1).Palette({0, 0xFFFFFF}).ColorsUsed(2).Raw(codes);
    file = BuildBmp(rle);
    const std::size_t bitsAt = 14 + 40 + 8;
    layout = bmp::ReadLayout(std::span(file).first(bitsAt), bmp::Source::File);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->coding, bmp::Coding::Rle8);
    EXPECT_EQ(layout->totalSize, bitsAt + codes.size());
    test::PutAt(file, 34, 0);                 // no biSizeImage
    file.resize(file.size() + 6, 0);          // bfSize still says where it ends
    layout = bmp::ReadLayout(file, bmp::Source::File);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->totalSize, bitsAt + codes.size());

    // A packed DIB has no file size to fall back on.
    std::vector<std::uint8_t> dib(file.begin() + 14, file.end());
    std::string why;
    EXPECT_FALSE(bmp::Decode(dib, bmp::Source::Resource, &why));
    EXPECT_EQ(why, "run-length bitmap without the size of its data");
    test::PutAt(dib, 20, static_cast<std::uint32_t>(codes.size()));
    auto img = bmp::Decode(dib, bmp::Source::Resource);
    ASSERT_TRUE(img);
    EXPECT_EQ(PixelAt(*img, 1, 0), 0xFFFFFFu);
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
