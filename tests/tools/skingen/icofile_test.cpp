#include "icofile.h"

#include <gtest/gtest.h>

namespace tarnivo::skingen {
namespace {

std::uint32_t u32_at(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

IconImage square(int n)
{
    IconImage image{n, std::vector<std::uint8_t>(static_cast<std::size_t>(n) * n * 4, 0)};
    // Top-left pixel opaque red, everything else fully transparent.
    image.rgba[0] = 255;
    image.rgba[3] = 255;
    return image;
}

TEST(Ico, DirectoryPointsAtEachImageInTurn)
{
    const auto bytes = encode_ico({square(16), square(32), square(48)});
    ASSERT_GE(bytes.size(), 6u + 3 * 16);
    EXPECT_EQ(bytes[2], 1); // icon, not cursor
    EXPECT_EQ(bytes[4], 3);
    std::uint32_t expected_offset = 6 + 3 * 16;
    for (int i = 0; i < 3; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int n = 16 * (i + 1);
        EXPECT_EQ(bytes[entry], n);
        EXPECT_EQ(bytes[entry + 1], n);
        EXPECT_EQ(bytes[entry + 6], 32); // bits per pixel
        const std::uint32_t size = u32_at(bytes, entry + 8);
        const std::uint32_t offset = u32_at(bytes, entry + 12);
        EXPECT_EQ(offset, expected_offset);
        // 40-byte header, BGRA pixels, then a mask of 4-byte-aligned rows.
        const std::uint32_t mask_stride = (n + 31) / 32 * 4;
        EXPECT_EQ(size, 40u + n * n * 4 + mask_stride * n);
        EXPECT_EQ(static_cast<std::int32_t>(u32_at(bytes, offset + 8)), 2 * n); // colour + mask halves
        expected_offset += size;
    }
    EXPECT_EQ(expected_offset, bytes.size());
}

TEST(Ico, PixelsAreBgraBottomUpAndTheMaskMarksTransparency)
{
    const int n = 16;
    const auto bytes = encode_ico({square(n)});
    const std::size_t pixels = 6 + 16 + 40;
    // The top-left pixel is stored in the last row.
    const std::size_t top_left = pixels + static_cast<std::size_t>(n - 1) * n * 4;
    EXPECT_EQ(bytes[top_left], 0);       // blue
    EXPECT_EQ(bytes[top_left + 2], 255); // red
    EXPECT_EQ(bytes[top_left + 3], 255); // alpha
    const std::size_t mask = pixels + static_cast<std::size_t>(n) * n * 4;
    const std::size_t top_mask_row = mask + (n - 1) * 4;
    EXPECT_EQ(bytes[top_mask_row], 0x7F); // first pixel opaque, the next seven transparent
    EXPECT_EQ(bytes[mask], 0xFF);         // bottom row all transparent
}

} // namespace
} // namespace tarnivo::skingen
