// Every bitmap the skin engine can meet, decoded three ways that must agree:
// the decoder itself, `skintool check` on a skin holding it, and (in the
// Windows tree) TBitmap::LoadFromStream as the skin loader calls it. For each
// file the table says whether it is refused and, if not, every pixel.

#include "framework/bmpfile.h"
#include "framework/streams.h"
#include "skin/resources/lzh.h"
#include "skinarchive.h"
#include "skincheck.h"
#include "tests/framework/graphics/bmpbuilder.h"

#ifdef _WIN32
#include "framework/bitmap.h"
#endif

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::skintool;
using test::BmpSpec;
using test::BuildBmp;
namespace fs = std::filesystem;

namespace {

// Eight colours, the first not black, so a pixel that no code wrote (black)
// differs from index 0.
const std::vector<std::uint32_t> Pal = {0x808080, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
constexpr int Skipped = -1;   // an index meaning "never written": black

std::vector<std::uint32_t> Colours(const std::vector<int>& indexes)
{
    std::vector<std::uint32_t> out;
    for (int i : indexes)
        out.push_back(i == Skipped ? 0u : Pal.at(static_cast<std::size_t>(i)));
    return out;
}

struct Case {
    std::string what;
    std::vector<std::uint8_t> file;
    int width = 0;
    int height = 0;
    std::optional<std::vector<std::uint32_t>> expected;   // 0xRRGGBB, top row first; none: refused
};

Case Accepts(std::string what, std::vector<std::uint8_t> file, int w, int h, std::vector<std::uint32_t> expected)
{
    return Case{std::move(what), std::move(file), w, h, std::move(expected)};
}

Case Refuses(std::string what, std::vector<std::uint8_t> file)
{
    return Case{std::move(what), std::move(file), 0, 0, std::nullopt};
}

std::vector<std::uint8_t> WithU32(std::vector<std::uint8_t> file, std::size_t at, std::uint32_t value)
{
    test::PutAt(file, at, value);
    return file;
}

BmpSpec Rle8(int w, int h, std::vector<std::uint8_t> codes)
{
    return BmpSpec().Size(w, h).Bits(8).Compression(1).Palette(Pal).ColorsUsed(8).Raw(std::move(codes));
}

BmpSpec Rle4(int w, int h, std::vector<std::uint8_t> codes)
{
    return BmpSpec().Size(w, h).Bits(4).Compression(2).Palette(Pal).ColorsUsed(8).Raw(std::move(codes));
}

std::vector<Case> Cases()
{
    const std::vector<std::uint32_t> rgb6 = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
    std::vector<Case> c;

    // Uncompressed depths and row orders.
    c.push_back(Accepts("24-bit bottom-up, padded rows", BuildBmp(BmpSpec().Size(3, 2), rgb6), 3, 2, rgb6));
    c.push_back(Accepts("24-bit top-down", BuildBmp(BmpSpec().Size(3, 2).TopDown(), rgb6), 3, 2, rgb6));
    c.push_back(Accepts("32-bit, fourth byte ignored for colour",
                        BuildBmp(BmpSpec().Size(2, 1).Bits(32), {0x7F123456, 0xFFABCDEF}), 2, 1,
                        {0x123456, 0xABCDEF}));
    c.push_back(Accepts("1-bit, 9 pixels over two bytes",
                        BuildBmp(BmpSpec().Size(9, 1).Bits(1).Palette({0x000000, 0xFFFFFF}),
                                 {1, 0, 0, 0, 0, 0, 0, 1, 1}),
                        9, 1, {0xFFFFFF, 0, 0, 0, 0, 0, 0, 0xFFFFFF, 0xFFFFFF}));
    c.push_back(Accepts("4-bit with a three-entry palette",
                        BuildBmp(BmpSpec().Size(3, 2).Bits(4).Palette({Pal[0], Pal[1], Pal[2]}).ColorsUsed(3),
                                 {0, 1, 2, 2, 1, 0}),
                        3, 2, Colours({0, 1, 2, 2, 1, 0})));
    c.push_back(Accepts("8-bit index past a two-entry palette reads black",
                        BuildBmp(BmpSpec().Size(3, 1).Bits(8).Palette({Pal[4], Pal[5]}).ColorsUsed(2), {1, 0, 9}),
                        3, 1, {Pal[5], Pal[4], 0}));
    c.push_back(Accepts("1-bit with a 20-entry palette uses the first two",
                        BuildBmp(BmpSpec().Size(2, 1).Bits(1).Palette(std::vector<std::uint32_t>(20, 0x0000FF))
                                     .ColorsUsed(20), {1, 0}),
                        2, 1, {0x0000FF, 0x0000FF}));
    {
        std::vector<std::uint32_t> palette(256, 0x123456);
        palette[5] = 0xFEDCBA;
        c.push_back(Accepts("OS/2 core header, 8-bit, three-byte palette",
                            BuildBmp(BmpSpec().Size(2, 1).Bits(8).Header(12).Palette(palette), {5, 0}), 2, 1,
                            {0xFEDCBA, 0x123456}));
    }
    c.push_back(Accepts("OS/2 core header, 1-bit",
                        BuildBmp(BmpSpec().Size(3, 1).Bits(1).Header(12).Palette({0x00FF00, 0xFF00FF}), {1, 0, 1}),
                        3, 1, {0xFF00FF, 0x00FF00, 0xFF00FF}));
    c.push_back(Accepts("OS/2 core header, 24-bit", BuildBmp(BmpSpec().Size(3, 2).Header(12), rgb6), 3, 2, rgb6));
    c.push_back(Accepts("OS/2 2.x header, 8-bit, four-byte palette",
                        BuildBmp(BmpSpec().Size(3, 1).Bits(8).Header(64).Palette(Pal).ColorsUsed(8), {7, 3, 1}),
                        3, 1, Colours({7, 3, 1})));
    c.push_back(Accepts("124-byte header, 24-bit", BuildBmp(BmpSpec().Size(3, 2).Header(124), rgb6), 3, 2, rgb6));

    // Sixteen and 32 bits through masks.
    c.push_back(Accepts("16-bit plain is 5-5-5",
                        BuildBmp(BmpSpec().Size(4, 1).Bits(16), {0x7C00, 0x03E0, 0x001F, 0x7FFF}), 4, 1,
                        {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
    c.push_back(Accepts("16-bit 5-6-5 masks after a 40-byte header",
                        BuildBmp(BmpSpec().Size(2, 1).Bits(16).Compression(3).Masks(0xF800, 0x07E0, 0x001F),
                                 {0x07E0, 0x8410}),
                        2, 1, {0x00FF00, 0x838183}));   // 16/31, 32/63, 16/31 of 255, truncated
    c.push_back(Accepts("16-bit masks inside a 52-byte header",
                        BuildBmp(BmpSpec().Size(2, 1).Bits(16).Header(52).Compression(3).Masks(0xF800, 0x07E0, 0x001F),
                                 {0xF800, 0x001F}),
                        2, 1, {0xFF0000, 0x0000FF}));
    c.push_back(Accepts("32-bit masks inside a 56-byte header, channels swapped",
                        BuildBmp(BmpSpec().Size(1, 1).Bits(32).Header(56).Compression(3)
                                     .Masks(0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000), {0x00332211}),
                        1, 1, {0x112233}));
    c.push_back(Accepts("32-bit masks inside a 108-byte header",
                        BuildBmp(BmpSpec().Size(1, 1).Bits(32).Header(108).Compression(3)
                                     .Masks(0x000000FF, 0x0000FF00, 0x00FF0000), {0x00332211}),
                        1, 1, {0x112233}));
    c.push_back(Accepts("32-bit alpha bit fields after a 40-byte header",
                        BuildBmp(BmpSpec().Size(2, 1).Bits(32).Compression(6)
                                     .Masks(0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF), {0x11223344, 0xAABBCCDD}),
                        2, 1, {0x112233, 0xAABBCC}));

    // Run-length, eight bits. Codes run from the bottom row up.
    c.push_back(Accepts("RLE8 runs, absolute runs with padding, end of line and of bitmap",
                        BuildBmp(Rle8(4, 3, {0x03, 1, 0x01, 2, 0, 0,               // bottom: 1 1 1 2
                                             0, 4, 3, 2, 1, 0, 0, 0,               // middle: 3 2 1 0
                                             0, 3, 4, 1, 2, 0xEE, 0x01, 0, 0, 1})),  // top: 4 1 2, pad, 0
                        4, 3, Colours({4, 1, 2, 0, 3, 2, 1, 0, 1, 1, 1, 2})));
    c.push_back(Accepts("RLE8 delta skips pixels, which stay black",
                        BuildBmp(Rle8(4, 3, {0x01, 1, 0, 2, 2, 1, 0x01, 3, 0, 1})),
                        4, 3, Colours({Skipped, Skipped, Skipped, Skipped, Skipped, Skipped, Skipped, 3,
                                       1, Skipped, Skipped, Skipped})));
    c.push_back(Accepts("RLE8 run past the row end is cut, not wrapped",
                        BuildBmp(Rle8(3, 2, {0x05, 2, 0, 0, 0x01, 1, 0, 1})), 3, 2,
                        Colours({1, Skipped, Skipped, 2, 2, 2})));
    c.push_back(Accepts("RLE8 codes ending without end of bitmap",
                        BuildBmp(Rle8(2, 2, {0x02, 6})), 2, 2, Colours({Skipped, Skipped, 6, 6})));
    c.push_back(Accepts("RLE8 in an OS/2 2.x header",
                        BuildBmp(Rle8(2, 1, {0x02, 5, 0, 1}).Header(64)), 2, 1, Colours({5, 5})));
    c.push_back(Accepts("RLE8 without biSizeImage takes the file size",
                        WithU32(BuildBmp(Rle8(2, 1, {0x02, 3, 0, 1})), 34, 0), 2, 1, Colours({3, 3})));

    // Run-length, four bits: runs alternate the two nibbles.
    c.push_back(Accepts("RLE4 alternating run, odd absolute run padded to 16 bits",
                        BuildBmp(Rle4(5, 2, {0x05, 0x12, 0, 0,                     // bottom: 1 2 1 2 1
                                             0, 5, 0x34, 0x51, 0x20, 0xEE, 0, 1})),  // top: 3 4 5 1 2
                        5, 2, Colours({3, 4, 5, 1, 2, 1, 2, 1, 2, 1})));
    c.push_back(Accepts("RLE4 delta and early end of line",
                        BuildBmp(Rle4(4, 2, {0x01, 0x70, 0, 0, 0, 2, 2, 0, 0x02, 0x56, 0, 1})),
                        4, 2, Colours({Skipped, Skipped, 5, 6, 7, Skipped, Skipped, Skipped})));

    // Refused, each with a reason.
    const std::vector<std::uint8_t> one = BuildBmp(BmpSpec().Size(2, 2), {1, 2, 3, 4});
    c.push_back(Refuses("not BM", WithU32(one, 0, 0x4141)));
    c.push_back(Refuses("width 0", WithU32(one, 18, 0)));
    c.push_back(Refuses("width 16385", WithU32(one, 18, 16385)));
    c.push_back(Refuses("height 0", WithU32(one, 22, 0)));
    c.push_back(Refuses("height -16385", WithU32(one, 22, static_cast<std::uint32_t>(-16385))));
    c.push_back(Refuses("most negative height", WithU32(one, 22, 0x80000000u)));
    c.push_back(Refuses("16384 x 16384 at 32 bits is over the decoded-bytes cap",
                        WithU32(WithU32(BuildBmp(BmpSpec().Bits(32), {0}), 18, 16384), 22, 16384)));
    c.push_back(Refuses("last pixel row cut", std::vector<std::uint8_t>(one.begin(), one.end() - 1)));
    c.push_back(Refuses("pixel offset inside the header", BuildBmp(BmpSpec().BitsOffset(20), {0})));
    c.push_back(Refuses("pixel offset 4 GiB on", WithU32(one, 10, 0xFFFFFFF0u)));
    c.push_back(Refuses("unknown header size 44", BuildBmp(BmpSpec().Header(44), {0})));
    c.push_back(Refuses("two planes", BuildBmp(BmpSpec().Planes(2), {0})));
    c.push_back(Refuses("7 bits per pixel", BuildBmp(BmpSpec().Bits(7), {0})));
    c.push_back(Refuses("16 bits in a core header", BuildBmp(BmpSpec().Bits(16).Header(12), {0})));
    c.push_back(Refuses("bit fields on 24 bits", BuildBmp(BmpSpec().Compression(3), {0})));
    c.push_back(Refuses("JPEG payload", BuildBmp(BmpSpec().Compression(4), {0})));
    c.push_back(Refuses("PNG payload", BuildBmp(BmpSpec().Compression(5), {0})));
    c.push_back(Refuses("OS/2 Huffman coding", BuildBmp(BmpSpec().Bits(1).Header(64).Compression(3)
                                                           .Palette({0, 0xFFFFFF}), {0})));
    c.push_back(Refuses("OS/2 24-bit run-length", BuildBmp(BmpSpec().Header(64).Compression(4), {0})));
    c.push_back(Refuses("compression 9", BuildBmp(BmpSpec().Compression(9), {0})));
    c.push_back(Refuses("257 palette entries", BuildBmp(BmpSpec().Bits(8).ColorsUsed(257)
                                                            .Palette(std::vector<std::uint32_t>(257, 0)), {0})));
    c.push_back(Refuses("palette cut short", BuildBmp(BmpSpec().Size(4, 1).Bits(8).Palette({1, 2}), {0, 0, 0, 0})));
    c.push_back(Refuses("RLE8 on 4 bits", BuildBmp(Rle8(2, 1, {0x02, 1, 0, 1}).Bits(4))));
    c.push_back(Refuses("RLE4 on 8 bits", BuildBmp(Rle4(2, 1, {0x02, 1, 0, 1}).Bits(8))));
    c.push_back(Refuses("RLE8 top-down", BuildBmp(Rle8(2, 1, {0x02, 1, 0, 1}).TopDown())));
    c.push_back(Refuses("RLE8 absolute run cut short", BuildBmp(Rle8(8, 1, {0, 6, 1, 2, 3}))));
    c.push_back(Refuses("RLE8 delta cut short", BuildBmp(Rle8(8, 1, {0x01, 1, 0, 2, 1}))));
    c.push_back(Refuses("RLE8 without any data size",
                        WithU32(WithU32(BuildBmp(Rle8(2, 1, {0x02, 3, 0, 1})), 34, 0), 2, 0)));
    c.push_back(Refuses("RLE8 data size past the end", BuildBmp(Rle8(2, 1, {0x02, 3, 0, 1}).SizeImage(400))));
    c.push_back(Refuses("RLE8 codes that cannot cover the pixels announced",
                        BuildBmp(Rle8(16384, 5461, {0xFF, 1, 0, 1}))));
    c.push_back(Refuses("RLE4 codes that cannot cover the pixels announced",
                        BuildBmp(Rle4(255, 4, {0xFF, 0x12, 0, 0, 0xFF, 0x12}))));
    return c;
}

std::string EntryName(std::size_t i)
{
    return "case" + std::to_string(i) + ".bmp";
}

// The colour of pixel (x, y) of a decoded image, 0xRRGGBB.
std::uint32_t RgbAt(const std::uint8_t* row, int x, int bytesPerPixel)
{
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * bytesPerPixel;
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

// The error skintool check reported for an entry, or nothing.
std::optional<std::string> CheckError(const std::vector<Finding>& findings, const std::string& entry)
{
    const std::string prefix = "entry \"" + entry + "\": ";
    for (const Finding& f : findings)
        if (f.severity == Severity::Error && f.text.rfind(prefix, 0) == 0)
            return f.text.substr(prefix.size());
    return std::nullopt;
}

std::vector<Finding> CheckAll(const std::vector<Case>& cases)
{
    std::vector<ArchiveEntry> entries;
    const std::string ini = "[TitlebarSkin]\r\nSkinName=Bitmaps\r\n";
    entries.push_back({"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    for (std::size_t i = 0; i < cases.size(); ++i)
        entries.push_back({EntryName(i), cases[i].file});
    const std::vector<std::uint8_t> archive = BuildSkinArchive(entries);
    TMemoryStream source, block;
    source.WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
    PackLzhBlock(source, block);
    const fs::path file = fs::temp_directory_path() / "tarnivo_bmp_agreement.skn";
    block.SaveToFile(file.string());
    std::vector<Finding> findings = CheckSkinFile(file);
    fs::remove(file);
    return findings;
}

TEST(BmpAgreement, DecoderSkintoolCheckAndEngineAgreeOnEveryFile)
{
    const std::vector<Case> cases = Cases();
    const std::vector<Finding> findings = CheckAll(cases);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        std::string why;
        const std::optional<bmp::Image> image = bmp::Decode(c.file, bmp::Source::File, &why);
        const std::optional<std::string> checkError = CheckError(findings, EntryName(i));
        if (!c.expected) {
            EXPECT_FALSE(image);
            EXPECT_FALSE(why.empty());
            ASSERT_TRUE(checkError);
            EXPECT_EQ(*checkError, why);
        } else {
            EXPECT_FALSE(checkError) << *checkError;
            ASSERT_TRUE(image) << why;
            ASSERT_EQ(image->width, c.width);
            ASSERT_EQ(image->height, c.height);
            for (int y = 0; y < c.height; ++y)
                for (int x = 0; x < c.width; ++x)
                    EXPECT_EQ(RgbAt(image->pixels.data() + y * image->stride, x, image->bitCount / 8),
                              (*c.expected)[static_cast<std::size_t>(y * c.width + x)])
                        << "decoder at " << x << "," << y;
        }
#ifdef _WIN32
        // The skin loader reads each bitmap entry through a stream.
        TMemoryStream stream;
        stream.WriteBuffer(c.file.data(), static_cast<std::int64_t>(c.file.size()));
        stream.SetPosition(0);
        TBitmap bitmap;
        const bool loaded = bitmap.LoadFromStream(stream);
        ASSERT_EQ(loaded, c.expected.has_value());
        if (!loaded)
            continue;
        EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(c.file.size()));
        ASSERT_EQ(bitmap.Width(), c.width);
        ASSERT_EQ(bitmap.Height(), c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(RgbAt(bitmap.ScanLine(y), x, bitmap.BytesPerPixel()),
                          (*c.expected)[static_cast<std::size_t>(y * c.width + x)])
                    << "engine at " << x << "," << y;
#endif
    }
}

} // namespace
