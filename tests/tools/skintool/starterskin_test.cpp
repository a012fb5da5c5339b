#include "skinarchive.h"
#include "skincheck.h"
#include "starterskin.h"
#include "vocabulary.h"

#include "framework/bmpfile.h"
#include "framework/streams.h"
#include "skin/resources/quickini.h"
#include "tests/docs/skinformatkeys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

using namespace tarnivo;
using namespace tarnivo::skintool;
namespace fs = std::filesystem;

namespace {

class StarterSkinTest : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() /
                (std::string("tarnivo_starter_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path root_;
};

// 0xRRGGBB of one pixel of a decoded image.
std::uint32_t Rgb(const bmp::Image& image, int x, int y)
{
    const std::size_t bytes = static_cast<std::size_t>(image.bitCount / 8);
    const std::uint8_t* p = image.pixels.data() + static_cast<std::size_t>(y) * image.stride + x * bytes;
    return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

constexpr std::uint32_t Mark = 0xFFE600;   // the frame outline's yellow

std::vector<std::string> Texts(const std::vector<Finding>& findings, Severity severity)
{
    std::vector<std::string> texts;
    for (const Finding& f : findings)
        if (f.severity == severity)
            texts.push_back(f.text);
    return texts;
}

TEST_F(StarterSkinTest, NewSkinPacksAndChecksWithoutAnyFinding)
{
    const fs::path folder = root_ / "mine";
    const int written = WriteStarterSkin(folder);
    EXPECT_GT(written, 40);
    PackSkinFolder(folder, root_ / "mine.skn");
    const std::vector<Finding> findings = CheckSkinFile(root_ / "mine.skn");
    EXPECT_TRUE(Texts(findings, Severity::Error).empty()) << Texts(findings, Severity::Error).front();
    EXPECT_TRUE(Texts(findings, Severity::Warning).empty()) << Texts(findings, Severity::Warning).front();

    // Every image the loader would look for is there and given a frame
    // count where the element has one.
    TQuickIni ini;
    ini.LoadFromFile((folder / StarterIniName).string());
    const std::vector<ImageUse> uses = ImageUses(ini);
    EXPECT_GT(uses.size(), 40u);
    for (const ImageUse& use : uses)
        EXPECT_TRUE(fs::exists(folder / ini.ReadString(use.section, use.key, ""))) << use.section << " " << use.key;
}

TEST_F(StarterSkinTest, EveryKeyHasACommentAndEveryImageSectionItsMarginsAndKeying)
{
    const std::string text = StarterIniText();
    std::istringstream lines(text);
    std::string line, previous;
    int keys = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != ';' && line[0] != '[') {
            ++keys;
            EXPECT_EQ(previous.rfind("; ", 0), 0u) << "no comment above " << line;
        }
        previous = line;
    }
    EXPECT_GT(keys, 300);

    TQuickIni ini;
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    stream.SetPosition(0);
    ini.LoadFromStream(&stream);
    for (const char* section : {"Buttons", "Tabs", "Scrollbar", "Trackbar.ThumbLeft", "Progress"}) {
        TStringList values;
        ini.ReadSectionValues(section, values);
        for (const char* key : {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight", "Trans", "Tile"})
            EXPECT_GE(values.IndexOfName(key), 0) << section << " " << key;
    }
    // The default skin's values win over the loader's defaults.
    EXPECT_EQ(ini.ReadInteger("Personality", "LeftTopHeight", 0), 26);
    EXPECT_EQ(ini.ReadString("TitlebarSkin", "SkinName", ""), "Starter");
    EXPECT_EQ(ini.ReadInteger("BUTTON.CLOSE", "Action", -5), 0);
}

// The starting skin is the reference in INI form: it names every key the
// reference describes and none that it does not (and the reference is held
// to the loader by its own test).
TEST(StarterSkinKeys, TheIniNamesExactlyTheKeysOfTheReference)
{
    const std::vector<std::string> documented = test::ReferenceKeys();
    const std::set<std::string> reference(documented.begin(), documented.end());
    ASSERT_GT(reference.size(), 100u);
    std::set<std::string> written;
    std::istringstream lines(StarterIniText());
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != ';' && line[0] != '[')
            written.insert(line.substr(0, line.find('=')));
    }
    for (const std::string& key : reference)
        EXPECT_TRUE(written.count(key)) << key << " is described but the starting skin does not name it";
    for (const std::string& key : written)
        EXPECT_TRUE(reference.count(key)) << key << " is in the starting skin but not described";
}

TEST_F(StarterSkinTest, FramesAreOutlinedAndTheirCornersMarked)
{
    const fs::path folder = root_ / "mine";
    WriteStarterSkin(folder);
    const std::vector<std::uint8_t> bytes = ReadWholeFile(folder / "buttons.bmp");
    const std::optional<bmp::Image> image = bmp::Decode(bytes, bmp::Source::File, nullptr);
    ASSERT_TRUE(image);
    const int cell = image->width / 5;
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_EQ(Rgb(*image, frame * cell, 0), Mark) << "frame " << frame + 1;
        EXPECT_EQ(Rgb(*image, frame * cell + cell - 1, image->height - 1), Mark) << "frame " << frame + 1;
        // Inside the outline the default skin's face shows.
        EXPECT_NE(Rgb(*image, frame * cell + cell / 2, image->height / 2), Mark) << "frame " << frame + 1;
    }
    // Stacked images are cut across their height.
    const std::optional<bmp::Image> top =
        bmp::Decode(ReadWholeFile(folder / "top.bmp"), bmp::Source::File, nullptr);
    ASSERT_TRUE(top);
    EXPECT_EQ(Rgb(*top, 0, top->height / 2), Mark);
    EXPECT_EQ(Rgb(*top, 0, top->height / 2 - 1), Mark);
}

TEST_F(StarterSkinTest, NewLeavesAFolderWithFilesAlone)
{
    fs::create_directories(root_ / "busy");
    WriteWholeFile(root_ / "busy" / "keep.txt", {'x'});
    EXPECT_THROW(WriteStarterSkin(root_ / "busy"), Exception);
    EXPECT_EQ(ReadWholeFile(root_ / "busy" / "keep.txt"), std::vector<std::uint8_t>{'x'});
    EXPECT_FALSE(fs::exists(root_ / "busy" / StarterIniName));
    // An empty folder is fine.
    fs::create_directories(root_ / "empty");
    EXPECT_GT(WriteStarterSkin(root_ / "empty"), 0);
}

TEST(IniLineOf, CountsEveryLineEndTheStoreKnowsAndFindsTheFirstSection)
{
    const std::string text = "; comment\r\n[Buttons]\r\n\r\nbitmap = a.bmp\n[tabs]\rImage=t.bmp\r\n"
                             "[Buttons]\r\nTrans=1\r\n";
    EXPECT_EQ(IniLineOf(text, "Buttons", ""), 2);
    EXPECT_EQ(IniLineOf(text, "BUTTONS", "Bitmap"), 4);
    EXPECT_EQ(IniLineOf(text, "Tabs", "image"), 6);
    // The store reads only the first [Buttons]: a key in the second is not found there.
    EXPECT_EQ(IniLineOf(text, "Buttons", "Trans"), -1);
    EXPECT_EQ(IniLineOf(text, "Missing", ""), -1);
    EXPECT_EQ(IniLineOf(text, "Tabs", "Missing"), -1);
    // A key of the same name in a comment or before any section does not count.
    EXPECT_EQ(IniLineOf("Image=x\r\n; Image=y\r\n[A]\r\nImage=z", "A", "Image"), 4);
    // Text after a NUL is not read.
    EXPECT_EQ(IniLineOf(std::string("[A]\r\n\0Image=z", 13), "A", "Image"), -1);
}

TEST_F(StarterSkinTest, CheckNamesTheLineOfEachProblem)
{
    const fs::path folder = root_ / "mine";
    WriteStarterSkin(folder);
    std::string ini;
    {
        const std::vector<std::uint8_t> bytes = ReadWholeFile(folder / StarterIniName);
        ini.assign(bytes.begin(), bytes.end());
    }
    const std::size_t at = ini.find("Bitmap=buttons.bmp");
    ASSERT_NE(at, std::string::npos);
    ini.replace(at, 18, "Bitmap=nothere.bmp");
    ini += "[Strange]\r\n";
    WriteWholeFile(folder / StarterIniName, std::vector<std::uint8_t>(ini.begin(), ini.end()));
    const int expected = IniLineOf(ini, "Buttons", "Bitmap");
    ASSERT_GT(expected, 0);

    TMemoryStream packed;
    PackSkinFolder(folder, packed);
    const std::vector<Finding> findings = CheckSkinStream(packed);
    const auto errors = Texts(findings, Severity::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "line " + std::to_string(expected) +
                             ": [Buttons] Bitmap=nothere.bmp: no entry \"nothere.bmp\" in the archive");
    const auto warnings = Texts(findings, Severity::Warning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "line " + std::to_string(IniLineOf(ini, "Strange", "")) + ": unknown section [Strange]");
}

} // namespace
