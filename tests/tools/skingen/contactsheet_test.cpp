#include "bmpfile.h"
#include "contactsheet.h"
#include "fileio.h"

#include "framework/object.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarnivo::skingen {
namespace {

std::filesystem::path fresh_folder(const std::string& name)
{
    const auto path = std::filesystem::path(::testing::TempDir()) / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

TEST(ContactSheet, SkipsUnreadableFilesAndKeepsTheRest)
{
    const auto folder = fresh_folder("skingen_sheet");
    write_file(folder / "b_good.bmp", encode_bmp24(Bitmap(30, 10, hex(0x336699))));
    write_file(folder / "a_broken.bmp", std::string_view("BM not really a bitmap"));
    write_file(folder / "c_notes.txt", std::string_view("ignored"));
    std::vector<std::string> refusals;
    const auto entries = load_sheet_entries(folder, refusals);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].label, "b_good.bmp");
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].rfind("a_broken.bmp: ", 0), 0u) << refusals[0];
}

TEST(ContactSheet, ShowsSmallImagesDoubledAndTransparencyAsACheckerboard)
{
    Bitmap small(8, 8, kMagenta);
    small.set(0, 0, hex(0x112233));
    const Bitmap sheet = make_contact_sheet({{"small.bmp", small}});
    // Framed at the margin; the first image pixel is doubled inside the frame.
    int found = 0;
    bool magenta = false;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            if (sheet.at(x, y) == hex(0x112233))
                ++found;
            magenta = magenta || is_key_colour(sheet.at(x, y));
        }
    }
    EXPECT_EQ(found, 4);
    EXPECT_FALSE(magenta);
}

TEST(ContactSheet, WidensThePageForAWideImageAndRefusesAHugeOne)
{
    const Bitmap sheet = make_contact_sheet({{"wide.bmp", Bitmap(1500, 10, hex(0x445566))}});
    EXPECT_GE(sheet.width(), 1502);
    // A page beyond the cap is refused before it is allocated.
    const std::vector<SheetEntry> many(40, SheetEntry{"tile.bmp", Bitmap(100, 100, hex(0x445566))});
    EXPECT_NO_THROW(make_contact_sheet(many, 4'000'000));
    EXPECT_THROW(make_contact_sheet(many, 200'000), Exception);
}

} // namespace
} // namespace tarnivo::skingen
