#include "gallery/gallerycommandline.h"
#include "gallery/galleryshots.h"
#include "gallery/galleryskins.h"

#include "skin/resources/skinmanagerif.h"

#include "skinarchive.h"
#include "skincheck.h"
#include "starterskin.h"

#include "framework/streams.h"
#include "tests/skin/resources/hostileskin.h"
#include "tests/skin/resources/testarchive.h"

#include <gtest/gtest.h>

namespace tarnivo::gallery {
namespace {

TEST(GalleryArguments, AcceptedForms)
{
    struct Case {
        std::vector<std::string> args;
        std::string file, dir;
        bool all;
        bool menus = false;
    } cases[] = {
        {{}, "", "", false},
        {{"a.skn"}, "a.skn", "", false},
        {{"--screenshots", "C:\\shots"}, "", "C:\\shots", false},
        {{"--all-skins", "--screenshots", "d", "x.skn"}, "x.skn", "d", true},
        {{"x.skn", "--screenshots", "--all-skins"}, "x.skn", "--all-skins", false},
        {{"--menus", "x.skn"}, "x.skn", "", false, true},
    };
    for (const Case& c : cases) {
        TGalleryOptions options;
        std::string error;
        ASSERT_TRUE(ParseGalleryArguments(c.args, options, error)) << error;
        EXPECT_EQ(options.SkinFile, c.file);
        EXPECT_EQ(options.ScreenshotDir, c.dir);
        EXPECT_EQ(options.AllSkins, c.all);
        EXPECT_EQ(options.Menus, c.menus);
    }
}

TEST(GalleryArguments, RefusedFormsKeepTheOptions)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--screenshots"}, {"--screenshots", ""}, {"--shots", "d"}, {"a.skn", "b.skn"}, {""},
    };
    for (const auto& args : bad) {
        TGalleryOptions options;
        options.SkinFile = "kept.skn";
        std::string error;
        EXPECT_FALSE(ParseGalleryArguments(args, options, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(options.SkinFile, "kept.skn");
    }
}

TEST(GallerySkins, FileNamesNeverClashWithBuiltInSkins)
{
    TGallerySkins skins;
    ASSERT_EQ(skins.Count(), 2);
    EXPECT_EQ(skins.At(0).ShortName, "slate");
    EXPECT_EQ(skins.AddFile("C:\\skins\\Paper.SKN"), 2);
    EXPECT_EQ(skins.At(2).ShortName, "paper-file");
    EXPECT_EQ(skins.At(skins.AddFile("/tmp/dark.v2.skn")).ShortName, "dark.v2");
    EXPECT_EQ(skins.At(skins.AddFile("noext")).ShortName, "noext");
    EXPECT_EQ(skins.At(skins.AddFile("C:\\dir\\")).ShortName, "file");
}

TEST(GalleryPaths, OneSeparatorBetweenFolderAndName)
{
    EXPECT_EQ(JoinPath("C:\\shots", "a.bmp"), "C:\\shots\\a.bmp");
    EXPECT_EQ(JoinPath("C:\\shots\\", "a.bmp"), "C:\\shots\\a.bmp");
    EXPECT_EQ(JoinPath("Z:/tmp/", "a.bmp"), "Z:/tmp/a.bmp");
    EXPECT_EQ(JoinPath("", "a.bmp"), "a.bmp");
}

} // namespace
} // namespace tarnivo::gallery

namespace tarnivo::gallery {
namespace {

class GallerySkinLoading : public ::testing::Test {
protected:
    void SetUp() override { FreeSkinManager(); }
    void TearDown() override { FreeSkinManager(); }

    std::string WriteFile(const std::string& name, const std::string& bytes)
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        const std::string path = std::string(dir) + name;
        TFileStream file(path, TFileMode::fmCreate);
        file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        return path;
    }
};

TEST_F(GallerySkinLoading, BuiltInSkinsLoadAndBadOnesLeaveTheSkinAlone)
{
    TGallerySkins skins;
    TSkinData data(nullptr);
    std::string error;
    ASSERT_TRUE(skins.Apply(1, data, error)) << error;
    const std::string paper = data.SkinName();
    ASSERT_TRUE(skins.Apply(0, data, error)) << error;
    const std::string slate = data.SkinName();
    EXPECT_FALSE(slate.empty());
    EXPECT_NE(slate, paper);

    const int missing = skins.AddFile("C:\\no\\such\\folder\\x.skn");
    const int bogus = skins.AddFile(WriteFile("gallery_bogus.skn", "not a skin file at all"));
    const int empty = skins.AddFile(WriteFile("gallery_empty.skn", ""));
    // A skin of a few hundred bytes whose picture announces 16384 x 5000
    // pixels: refused, with the reason, instead of taking gigabytes.
    TMemoryStream huge;
    test::SkinFile(test::ArchiveBytes(test::Entries({{"skin.ini", "[Personality]\nTop=big.bmp\n"},
                                                     {"big.bmp", test::HugePictureBmp()}})),
                   huge);
    const int hostile = skins.AddFile(WriteFile(
        "gallery_huge.skn", std::string(reinterpret_cast<const char*>(huge.Memory()),
                                        static_cast<std::size_t>(huge.Size()))));
    error.clear();
    EXPECT_FALSE(skins.Apply(hostile, data, error));
    EXPECT_NE(error.find("skin image \"big.bmp\" (16384 x 5000 pixels"), std::string::npos) << error;
    for (int index : {missing, bogus, empty, hostile, -1, skins.Count()}) {
        error.clear();
        EXPECT_FALSE(skins.Apply(index, data, error)) << index;
        EXPECT_FALSE(error.empty()) << index;
        EXPECT_EQ(data.SkinName(), slate) << index;
    }
}

// A skin folder is packed and checked on every Apply: the author's edits
// show on the next one, and a broken one leaves the skin that was loaded.
TEST_F(GallerySkinLoading, FoldersArePackedAtEachApplyAndBrokenOnesKeepTheLastGoodSkin)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / "gallery_starter";
    std::filesystem::remove_all(folder);
    skintool::WriteStarterSkin(folder);
    const std::filesystem::path ini = folder / skintool::StarterIniName;
    auto edit = [&](const std::string& from, const std::string& to) {
        const std::vector<std::uint8_t> bytes = skintool::ReadWholeFile(ini);
        std::string text(bytes.begin(), bytes.end());
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        skintool::WriteWholeFile(ini, std::vector<std::uint8_t>(text.begin(), text.end()));
    };

    TGallerySkins skins;
    // The trailing separator a shell's completion leaves is not part of the name.
    const int index = skins.AddFolder(folder.string() + "\\");
    EXPECT_EQ(skins.At(index).Label, "gallery_starter (folder)");
    TSkinData data(nullptr);
    std::string error;
    ASSERT_TRUE(skins.Apply(index, data, error)) << error;
    EXPECT_EQ(data.SkinName(), "Starter");

    edit("SkinName=Starter", "SkinName=Edited");
    ASSERT_TRUE(skins.Apply(index, data, error)) << error;
    EXPECT_EQ(data.SkinName(), "Edited");

    edit("Bitmap=buttons.bmp", "Bitmap=gone.bmp");
    edit("SkinName=Edited", "SkinName=Broken");
    error.clear();
    EXPECT_FALSE(skins.Apply(index, data, error));
    EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    EXPECT_NE(error.find("[Buttons] Bitmap=gone.bmp: no entry \"gone.bmp\""), std::string::npos) << error;
    EXPECT_EQ(data.SkinName(), "Edited");

    // An editor's swap and backup files beside the INI are passed over...
    edit("Bitmap=gone.bmp", "Bitmap=buttons.bmp");
    skintool::WriteWholeFile(folder / ".starter.ini.swp", {'x'});
    skintool::WriteWholeFile(folder / "starter.ini~", {'x'});
    ASSERT_TRUE(skins.Apply(index, data, error)) << error;
    EXPECT_EQ(data.SkinName(), "Broken");
    // ...but a second INI makes the folder ambiguous.
    skintool::WriteWholeFile(folder / "other.ini", {'x'});
    error.clear();
    EXPECT_FALSE(skins.Apply(index, data, error));
    EXPECT_NE(error.find("exactly one .ini file"), std::string::npos) << error;
    EXPECT_EQ(data.SkinName(), "Broken");
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace tarnivo::gallery
