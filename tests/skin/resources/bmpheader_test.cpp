#include "skin/resources/bmpheader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace tarnivo;

namespace {

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A BITMAPINFOHEADER file with a full colour table for <= 8 bits.
std::vector<std::uint8_t> Bmp(std::int32_t width, std::int32_t height, int bits)
{
    const std::size_t palette = bits <= 8 ? (std::size_t{1} << bits) * 4 : 0;
    const std::size_t offset = 14 + 40 + palette;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> b(offset + stride * static_cast<std::size_t>(height < 0 ? -height : height));
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(bits));
    return b;
}

bool Parse(const std::vector<std::uint8_t>& b, TBmpInfo& info)
{
    std::string error;
    const bool ok = ParseBmpHeader(b.data(), b.size(), info, error);
    EXPECT_EQ(ok, error.empty());
    EXPECT_TRUE(ok) << error;
    return ok;
}

} // namespace

TEST(BmpHeader, AcceptsWellFormedBitmaps)
{
    TBmpInfo info;
    ASSERT_TRUE(Parse(Bmp(60, 20, 24), info));
    EXPECT_EQ(info.Width, 60);
    EXPECT_EQ(info.Height, 20);
    EXPECT_EQ(info.PixelBytes, 180 * 20);
    ASSERT_TRUE(Parse(Bmp(3, -5, 8), info));
    EXPECT_TRUE(info.TopDown);
    EXPECT_EQ(info.Height, 5);
    EXPECT_TRUE(Parse(Bmp(1, 1, 1), info));
    EXPECT_TRUE(Parse(Bmp(16384, 1, 32), info));

    // OS/2 core header: 16-bit sizes, 3-byte colour table entries.
    std::vector<std::uint8_t> core(14 + 12 + 2 * 3 + 4);
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 14 + 12 + 6);
    Put32(core, 14, 12);
    Put16(core, 18, 8);
    Put16(core, 20, 1);
    Put16(core, 22, 1);
    Put16(core, 24, 1);
    ASSERT_TRUE(Parse(core, info));
    EXPECT_EQ(info.Width, 8);
}

TEST(BmpHeader, RefusesEntriesThatLieAboutTheirSize)
{
    std::vector<std::vector<std::uint8_t>> bad;
    auto b = Bmp(10, 10, 24);
    b.pop_back();  // one byte of pixel rows missing
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put32(b, 22, 1000);  // claims 1000 rows
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put32(b, 10, 0xFFFFFFF0);  // pixels beyond the entry
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put32(b, 10, 20);  // pixels inside the header
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put32(b, 18, 16385);  // wider than the cap
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put32(b, 22, 0x80000000u);  // most negative height
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put32(b, 18, 0);
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put16(b, 26, 2);  // planes
    bad.push_back(b);
    b = Bmp(10, 10, 24);
    Put16(b, 28, 7);  // bit count
    bad.push_back(b);
    b = Bmp(4, 4, 8);
    Put32(b, 46, 257);  // colour table larger than 8 bits allow
    bad.push_back(b);
    b = Bmp(4, 4, 24);
    Put32(b, 14, 0x7FFFFFFF);  // header size
    bad.push_back(b);
    b = Bmp(4, 4, 24);
    Put32(b, 14, 0xFFFFFFF5u);  // 14 + size wraps a 32-bit size_t to 3
    b.resize(18);               // and nothing of the header is present
    bad.push_back(b);
    b = Bmp(4, 4, 24);
    b[1] = 'A';
    bad.push_back(b);
    bad.push_back(std::vector<std::uint8_t>{'B', 'M', 0, 0});

    for (std::size_t i = 0; i < bad.size(); ++i) {
        TBmpInfo info;
        std::string error;
        EXPECT_FALSE(ParseBmpHeader(bad[i].data(), bad[i].size(), info, error)) << "case " << i;
        EXPECT_FALSE(error.empty()) << "case " << i;
    }
}
