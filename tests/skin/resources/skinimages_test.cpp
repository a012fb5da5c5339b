// TSkinImages: each entry decoded once per load, every use charged to one
// budget of decoded bytes before anything is decoded, and a skin beyond the
// budget refused with the entry and the reason.

#include "framework/streams.h"
#include "hostileskin.h"
#include "skin/resources/skinimages.h"
#include "skin/resources/skinreader.h"
#include "testarchive.h"

#include <gtest/gtest.h>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

// A 24-bit BMP file of width x height, every pixel `blue`.
std::string Bmp24(int width, int height, std::uint8_t blue = 0x40)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    TMemoryStream s;
    s.WriteBuffer("BM", 2);
    s.WriteInt32(54 + stride * height);
    s.WriteInt32(0);
    s.WriteInt32(54);
    for (const std::int32_t v : {40, width, height})
        s.WriteInt32(v);
    const std::uint8_t planesAndBits[4] = {1, 0, 24, 0};
    s.WriteBuffer(planesAndBits, 4);
    for (int i = 0; i < 6; ++i)
        s.WriteInt32(0);
    std::string file(reinterpret_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < stride; ++x)
            file.push_back(x < width * 3 && x % 3 == 0 ? static_cast<char>(blue) : '\0');
    return file;
}

class SkinImagesTest : public ::testing::Test {
protected:
    void Open(const std::vector<std::pair<std::string, std::string>>& entries)
    {
        TMemoryStream file;
        SkinFile(ArchiveBytes(Entries(entries)), file);
        ASSERT_TRUE(reader.Loadfromstream(file)) << reader.LastError();
    }

    TSkinReader reader;
};

} // namespace

TEST_F(SkinImagesTest, AnEntryIsDecodedOnceAndChargedForEveryUse)
{
    Open({{"skin.ini", "[A]\n"}, {"face.bmp", Bmp24(10, 4)}, {"other.bmp", Bmp24(3, 3)}});
    TSkinImages images(reader);
    const bmp::Image* first = images.Use("face.bmp");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->width, 10);
    EXPECT_EQ(first->pixels[0], 0x40);
    // Any case, any number of keys: the same image, decoded once.
    EXPECT_EQ(images.Use("FACE.BMP"), first);
    EXPECT_EQ(images.Use("face.bmp"), first);
    EXPECT_EQ(images.Decoded(), 1);
    const std::size_t faceBytes = 32 * 4;   // 10 pixels: 30 bytes, padded to 32
    EXPECT_EQ(images.Charged(), 3 * faceBytes);
    ASSERT_NE(images.Use("other.bmp"), nullptr);
    EXPECT_EQ(images.Decoded(), 2);
    EXPECT_EQ(images.Charged(), 3 * faceBytes + 12 * 3);
}

TEST_F(SkinImagesTest, MissingAndUnreadableEntriesGiveNoImageAndCostNothing)
{
    std::string cut = Bmp24(4, 4);
    cut.resize(cut.size() - 5);
    const std::string shortCodes = RunLengthBmp(8, 1, std::string("\x00\x06\x01\x02\x03", 5));
    Open({{"skin.ini", "[A]\n"}, {"cut.bmp", cut}, {"codes.bmp", shortCodes},
          {"hostile.bmp", TinyEntryAnnouncingHugePicture()}});
    TSkinImages images(reader);
    EXPECT_EQ(images.Use("gone.bmp"), nullptr);
    EXPECT_EQ(images.Problem("gone.bmp"), "no entry \"gone.bmp\" in the archive");
    EXPECT_EQ(images.Use("cut.bmp"), nullptr);
    EXPECT_EQ(images.Problem("cut.bmp"),
              "entry \"cut.bmp\": bitmap data shorter than its header says (97 of 102 bytes)");
    // Refused by the decoder past its headers: the charge is given back.
    EXPECT_EQ(images.Use("codes.bmp"), nullptr);
    EXPECT_EQ(images.Problem("codes.bmp"), "entry \"codes.bmp\": run-length absolute run cut short");
    EXPECT_EQ(images.Use("hostile.bmp"), nullptr);
    EXPECT_EQ(images.Problem("hostile.bmp"),
              "entry \"hostile.bmp\": run-length data of 4 bytes cannot fill 16384 x 5461 pixels");
    EXPECT_EQ(images.Use("hostile.bmp"), nullptr);
    EXPECT_EQ(images.Charged(), 0u);
    EXPECT_EQ(images.Decoded(), 1);   // only codes.bmp got past its headers
    EXPECT_EQ(images.Problem("never.bmp"), "");
}

TEST_F(SkinImagesTest, TheBudgetIsSpentUseByUseAndRefusesBeforeDecoding)
{
    Open({{"skin.ini", "[A]\n"}, {"face.bmp", Bmp24(10, 4)}, {"big.bmp", HugePictureBmp()}});
    // Room for exactly three uses of face.bmp (128 bytes each).
    TSkinImages images(reader, 3 * 128);
    for (int use = 0; use < 3; ++use)
        ASSERT_NE(images.Use("face.bmp"), nullptr) << use;
    EXPECT_EQ(images.Charged(), images.Budget());
    try {
        images.Use("face.bmp");
        FAIL() << "a fourth use fits no budget";
    } catch (const ESkinRefused& e) {
        EXPECT_EQ(std::string(e.what()),
                  "skin image \"face.bmp\" (10 x 4 pixels, 0.1 MB decoded) does not fit: the skin's images "
                  "may take 0.1 MB in all, 0.1 MB are taken");
    }
    EXPECT_EQ(images.Charged(), images.Budget());

    // The default budget: 16384 x 5000 pixels are refused from the headers,
    // before a byte of them is made.
    TSkinImages fresh(reader);
    EXPECT_THROW(fresh.Use("big.bmp"), ESkinRefused);
    EXPECT_EQ(fresh.Decoded(), 0);
    EXPECT_EQ(fresh.Charged(), 0u);
    try {
        fresh.Use("BIG.bmp");
    } catch (const ESkinRefused& e) {
        EXPECT_EQ(std::string(e.what()),
                  "skin image \"big.bmp\" (16384 x 5000 pixels, 234.4 MB decoded) does not fit: the skin's "
                  "images may take 64.0 MB in all, 0.0 MB are taken");
    }
    // What fitted still fits: the refusal charged nothing.
    EXPECT_NE(fresh.Use("face.bmp"), nullptr);
}

TEST_F(SkinImagesTest, EntryBytesAreTheEntryInPlace)
{
    Open({{"skin.ini", "[A]\n"}, {"a.bmp", "12345"}, {"empty.bmp", ""}, {"b.bmp", "678"}});
    const std::span<const std::uint8_t> b = reader.EntryBytes("B.BMP");
    EXPECT_EQ(std::string(b.begin(), b.end()), "678");
    EXPECT_TRUE(reader.EntryBytes("empty.bmp").empty());
    EXPECT_TRUE(reader.EntryBytes("c.bmp").empty());
}

// A skin's pictures drawn for a larger scale: "name@200.bmp" beside
// "name.bmp", handed out in its place once the variant is preferred.
TEST_F(SkinImagesTest, APreferredVariantStandsInForItsEntryWhereItIsReadable)
{
    std::string cut = Bmp24(8, 8);
    cut.resize(cut.size() - 5);
    Open({{"skin.ini", "[A]\n"}, {"face.bmp", Bmp24(10, 4)}, {"face@200.bmp", Bmp24(20, 8, 0x77)},
          {"plain.bmp", Bmp24(3, 3)}, {"cut.bmp", Bmp24(4, 4, 0x11)}, {"cut@200.bmp", cut}});
    TSkinImages plain(reader);
    EXPECT_EQ(plain.Use("face.bmp")->width, 10) << "without the preference nothing changes";
    EXPECT_EQ(plain.VariantsUsed(), 0);

    TSkinImages images(reader);
    images.PreferVariant("@200");
    const bmp::Image* face = images.Use("FACE.bmp");
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->width, 20);
    EXPECT_EQ(face->pixels[0], 0x77);
    EXPECT_EQ(images.Charged(), std::size_t{60} * 8);   // the variant's bytes are charged
    // No variant, or one that cannot be read: the entry itself.
    EXPECT_EQ(images.Use("plain.bmp")->width, 3);
    const bmp::Image* fallback = images.Use("cut.bmp");
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(fallback->width, 4);
    EXPECT_EQ(fallback->pixels[0], 0x11);
    EXPECT_EQ(images.VariantsUsed(), 1);
    // A name the variant cannot be placed in (no extension) stays as it is.
    EXPECT_EQ(images.Use("face"), nullptr);
}
