#include "commandline.h"
#include "commands.h"
#include "framework/streams.h"
#include "skin/resources/lzh.h"
#include "skinarchive.h"
#include "skincheck.h"
#include "tests/skin/resources/hostileskin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace tarnivo;
using namespace tarnivo::skintool;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class SkinToolTest : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() /
                (std::string("tarnivo_skintool_") + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "in");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path In(const std::string& name) const { return root_ / "in" / name; }
    fs::path At(const std::string& name) const { return root_ / name; }

    static void WriteText(const fs::path& file, const std::string& text)
    {
        WriteWholeFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    // A 24-bit bottom-up BMP of the given size.
    static std::vector<std::uint8_t> Bmp(int width, int height)
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
        s.SetSize(54 + stride * height);
        return std::vector<std::uint8_t>(s.Memory(), s.Memory() + s.Size());
    }

    void WriteBmp(const std::string& name, int width, int height) const { WriteWholeFile(In(name), Bmp(width, height)); }

    // Packs the given entries (any names, any bytes) straight into a skin file.
    void PackEntries(const std::vector<ArchiveEntry>& entries, const fs::path& file) const
    {
        const std::vector<std::uint8_t> archive = BuildSkinArchive(entries);
        TMemoryStream source, block;
        source.WriteBuffer(archive.data(), static_cast<std::int64_t>(archive.size()));
        PackLzhBlock(source, block);
        block.SaveToFile(file.string());
    }

    std::vector<std::string> Texts(const std::vector<Finding>& findings, Severity severity) const
    {
        std::vector<std::string> texts;
        for (const Finding& f : findings)
            if (f.severity == severity)
                texts.push_back(f.text);
        return texts;
    }

    fs::path root_;
};

bool Mentions(const std::vector<std::string>& texts, const std::string& part)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

const char* const GoodIni =
    "[TitlebarSkin]\r\nSkinName=Test\r\n"
    "[Personality]\r\nTop=Images\\top.bmp\r\nTopFrame=2\r\n"
    "[Buttons]\r\nBitmap=button.bmp\r\n"
    "[ButtonClose]\r\nAction=0\r\nButtonImage=close.bmp\r\n"  // frames from the image's shape
    "[Scrollbar]\r\nImage=scroll.bmp\r\n";

} // namespace

TEST_F(SkinToolTest, PackListUnpackRoundTrip)
{
    WriteText(In("Skin.ini"), GoodIni);
    WriteBmp("top.bmp", 30, 40);
    WriteBmp("Button.BMP", 50, 9);
    WriteBmp("close.bmp", 61, 20);
    WriteBmp("scroll.bmp", 23 * 4, 4);
    PackSkinFolder(root_ / "in", At("a.skn"));

    const std::vector<ListedEntry> listed = ListSkinFile(At("a.skn"));
    std::vector<std::string> names;
    for (const ListedEntry& entry : listed)
        names.push_back(entry.name);
    // Sorted by the names as the files are named; the reader lower-cases.
    EXPECT_EQ(names, (std::vector<std::string>{"button.bmp", "skin.ini", "close.bmp", "scroll.bmp", "top.bmp"}));
    EXPECT_EQ(listed[0].size, static_cast<std::int32_t>(Bmp(50, 9).size()));

    EXPECT_EQ(UnpackSkinFile(At("a.skn"), At("out")), 5);
    EXPECT_EQ(ReadWholeFile(At("out") / "button.bmp"), Bmp(50, 9));
    EXPECT_EQ(ReadWholeFile(At("out") / "skin.ini"), ReadWholeFile(In("Skin.ini")));

    // Same folder, same bytes.
    PackSkinFolder(root_ / "in", At("b.skn"));
    EXPECT_EQ(ReadWholeFile(At("a.skn")), ReadWholeFile(At("b.skn")));

    const std::vector<Finding> findings = CheckSkinFile(At("a.skn"));
    EXPECT_FALSE(HasErrors(findings));
    EXPECT_TRUE(Texts(findings, Severity::Warning).empty());
}

TEST_F(SkinToolTest, PackRefusesFoldersThatAreNotOneIniAndBitmaps)
{
    WriteBmp("a.bmp", 2, 2);
    EXPECT_THROW(PackSkinFolder(root_ / "in", At("x.skn")), Exception);  // no INI
    WriteText(In("one.ini"), "[A]\r\n");
    WriteText(In("two.INI"), "[B]\r\n");
    EXPECT_THROW(PackSkinFolder(root_ / "in", At("x.skn")), Exception);  // two INIs
    fs::remove(In("two.INI"));
    WriteText(In("notes.txt"), "x");
    EXPECT_THROW(PackSkinFolder(root_ / "in", At("x.skn")), Exception);
    // The preview passes over what is not a skin file; the names stored stay the skin's.
    TMemoryStream skipped;
    EXPECT_NO_THROW(PackSkinFolder(root_ / "in", skipped, ForeignFiles::Skip));
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : ReadSkinFolder(root_ / "in", ForeignFiles::Skip))
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a.bmp", "one.ini"}));
    fs::remove(In("notes.txt"));
    EXPECT_NO_THROW(PackSkinFolder(root_ / "in", At("x.skn")));
    EXPECT_FALSE(fs::exists(At("missing.skn")));
    EXPECT_THROW(PackSkinFolder(root_ / "nothing", At("y.skn")), Exception);

    for (int i = 0; i < 999; ++i) {
        std::string name = "b";
        name += std::to_string(i);
        WriteText(In(name + ".bmp"), "");
    }
    EXPECT_THROW(PackSkinFolder(root_ / "in", At("x.skn")), Exception);  // 1001 files
    fs::remove(In("b0.bmp"));
    EXPECT_NO_THROW(PackSkinFolder(root_ / "in", At("x.skn")));  // exactly 1000
    EXPECT_EQ(ListSkinFile(At("x.skn")).size(), 1000u);
}

TEST_F(SkinToolTest, UnpackKeepsEntriesInsideTheFolder)
{
    PackEntries({{"skin.ini", {'x'}}, {"../evil.bmp", {'y'}}}, At("evil.skn"));
    EXPECT_THROW(UnpackSkinFile(At("evil.skn"), At("out")), Exception);
    EXPECT_FALSE(fs::exists(At("evil.bmp")));
    PackEntries({{"skin.ini", {'x'}}, {"c:\\evil.bmp", {'y'}}}, At("drive.skn"));
    EXPECT_THROW(UnpackSkinFile(At("drive.skn"), At("out")), Exception);

    PackEntries({{"skin.ini", {'1'}}, {"A.bmp", {'2'}}, {"a.bmp", {'3'}}}, At("dup.skn"));
    EXPECT_EQ(UnpackSkinFile(At("dup.skn"), At("out")), 2);
    EXPECT_EQ(ReadWholeFile(At("out") / "a.bmp"), std::vector<std::uint8_t>{'2'});
}

TEST_F(SkinToolTest, CheckReportsWhatTheLoaderWouldGetWrong)
{
    const std::string ini = std::string(GoodIni) +
                            "[Personality]\r\nLeft=missing.bmp\r\n"  // second copy: never read, no finding
                            "[GroupBoxEdge]\r\nImage=edge.bmp\r\n"    // 2 frames: 61 x 21 fits neither way
                            "[Tabs]\r\nImage=liar.bmp\r\n"
                            "[MenuItem]\r\nImage=Menu.BMP\r\n"
                            "[Headerbar]\r\nImage=gone.bmp\r\n"
                            "[Extra]\r\nPicture=stray.bmp\r\n";
    PackEntries({{"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())},
                 {"top.bmp", Bmp(30, 40)},
                 {"button.bmp", Bmp(50, 9)},
                 {"close.bmp", Bmp(61, 20)},
                 {"scroll.bmp", Bmp(23 * 4, 4)},
                 {"edge.bmp", Bmp(61, 21)},
                 {"liar.bmp", [&] { auto b = Bmp(10, 10); b.resize(b.size() - 10); return b; }()},
                 {"menu.bmp", Bmp(5, 5)}},
                At("bad.skn"));
    const std::vector<Finding> findings = CheckSkinFile(At("bad.skn"));
    const auto errors = Texts(findings, Severity::Error);
    const auto warnings = Texts(findings, Severity::Warning);
    EXPECT_TRUE(Mentions(errors, "edge.bmp: 61 x 21 pixels cannot hold 2 equal frames"));
    EXPECT_TRUE(Mentions(errors, "entry \"liar.bmp\": bitmap data shorter than its header says"));
    EXPECT_TRUE(Mentions(errors, "no entry \"gone.bmp\""));
    EXPECT_TRUE(Mentions(errors, "no entry \"stray.bmp\""));
    EXPECT_FALSE(Mentions(errors, "missing.bmp"));
    EXPECT_EQ(errors.size(), 4u);
    EXPECT_TRUE(Mentions(warnings, "unknown section [Extra]"));
    EXPECT_TRUE(Mentions(warnings, "[MenuItem] Image=Menu.BMP: not a \".bmp\" name"));

    std::ostringstream out;
    EXPECT_EQ(RunCommand(ParseCommandLine({"check", At("bad.skn").string()}), out), 1);
    EXPECT_NE(out.str().find("4 errors"), std::string::npos);
}

TEST_F(SkinToolTest, CheckWarnsOfPicturesFor200PercentTheEngineWouldNotUse)
{
    const std::string ini = std::string(GoodIni);
    PackEntries({{"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())},
                 {"top.bmp", Bmp(30, 40)},
                 {"top@200.bmp", Bmp(60, 80)},      // twice the size: used, no finding
                 {"button.bmp", Bmp(50, 9)},
                 {"button@200.bmp", Bmp(100, 19)},  // one row short
                 {"close.bmp", Bmp(61, 20)},
                 {"scroll.bmp", Bmp(23 * 4, 4)},
                 {"orphan@200.bmp", Bmp(4, 4)}},
                At("large.skn"));
    const std::vector<Finding> findings = CheckSkinFile(At("large.skn"));
    EXPECT_FALSE(HasErrors(findings));
    const auto warnings = Texts(findings, Severity::Warning);
    EXPECT_TRUE(Mentions(warnings, "\"button@200.bmp\": 100 x 19 pixels, not twice \"button.bmp\" (50 x 9)"));
    EXPECT_TRUE(Mentions(warnings, "\"orphan@200.bmp\": no readable \"orphan.bmp\" beside it"));
    EXPECT_FALSE(Mentions(warnings, "top@200.bmp"));
    EXPECT_EQ(warnings.size(), 2u);
}

TEST_F(SkinToolTest, CheckRefusesUnreadableSkins)
{
    PackEntries({{"a.bmp", Bmp(2, 2)}}, At("noini.skn"));
    EXPECT_TRUE(Mentions(Texts(CheckSkinFile(At("noini.skn")), Severity::Error), "no INI entry"));

    WriteText(At("junk.skn"), "not a skin");
    EXPECT_TRUE(HasErrors(CheckSkinFile(At("junk.skn"))));
    EXPECT_TRUE(HasErrors(CheckSkinFile(At("absent.skn"))));

    TMemoryStream archive, block;
    archive.WriteInt32(19999);
    archive.SetSize(16);
    PackLzhBlock(archive, block);
    block.SaveToFile(At("old.skn").string());
    EXPECT_TRUE(Mentions(Texts(CheckSkinFile(At("old.skn")), Severity::Error), "version 19999"));
}

// Skins the engine refuses for their images' size are errors, found from
// the headers without decoding hundreds of megabytes.
TEST_F(SkinToolTest, CheckReportsSkinsWhoseImagesExceedTheBudget)
{
    auto bytes = [](const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); };
    const std::string huge = test::HugePictureBmp();
    PackEntries({{"skin.ini", bytes("[Personality]\r\nTop=top.bmp\r\n[Scrollbar]\r\nImage=bar.bmp\r\n")},
                 {"top.bmp", bytes(huge)}, {"bar.bmp", bytes(huge)}},
                At("huge.skn"));
    const auto errors = Texts(CheckSkinFile(At("huge.skn")), Severity::Error);
    EXPECT_TRUE(Mentions(errors, "entry \"top.bmp\": 16384 x 5000 pixels are more than a skin's images may take"));
    EXPECT_TRUE(Mentions(errors, "entry \"bar.bmp\": 16384 x 5000 pixels"));
    EXPECT_TRUE(Mentions(errors, "the engine refuses this skin: skin image \"top.bmp\""));

    // Each picture fits, six uses of one do not.
    std::string ini;
    for (int i = 0; i < 6; ++i)
        ini += "[BUTTON.B" + std::to_string(i) + "]\r\nButtonImage=pic.bmp\r\n";
    PackEntries({{"skin.ini", bytes(ini)},
                 {"pic.bmp", bytes(test::RunLengthBmp(2048, 2048, test::EndOfLineCodes(2048)))}},
                At("many.skn"));
    const auto refused = Texts(CheckSkinFile(At("many.skn")), Severity::Error);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_TRUE(Mentions(refused, "skin image \"pic.bmp\" (2048 x 2048 pixels, 12.0 MB decoded) does not fit"));
    std::ostringstream out;
    EXPECT_EQ(RunCommand(ParseCommandLine({"check", At("many.skn").string()}), out), 1);
}

TEST_F(SkinToolTest, BlockAndIniCommands)
{
    WriteText(In("plain.ini"), "; comment\r\n[A]\r\nk = v\r\n");
    std::ostringstream out;
    RunCommand(ParseCommandLine({"ini-pack", In("plain.ini").string(), At("c.lzh").string()}), out);
    RunCommand(ParseCommandLine({"ini-unpack", At("c.lzh").string(), At("back.ini").string()}), out);
    const std::vector<std::uint8_t> back = ReadWholeFile(At("back.ini"));
    EXPECT_EQ(std::string(back.begin(), back.end()), "[A]\r\nk = v\r\n");

    RunCommand(ParseCommandLine({"lzh-pack", In("plain.ini").string(), At("p.lzh").string()}), out);
    RunCommand(ParseCommandLine({"lzh-unpack", At("p.lzh").string(), At("p.txt").string()}), out);
    EXPECT_EQ(ReadWholeFile(At("p.txt")), ReadWholeFile(In("plain.ini")));

    WriteText(At("short.lzh"), std::string("\x10\0\0\0\x01", 5));
    EXPECT_THROW(RunCommand(ParseCommandLine({"lzh-unpack", At("short.lzh").string(), At("s").string()}), out),
                 Exception);
    EXPECT_FALSE(fs::exists(At("s")));
}

TEST(SkinToolCommandLine, RefusesUnknownCommandsAndWrongArgumentCounts)
{
    EXPECT_THROW(ParseCommandLine({}), UsageError);
    EXPECT_THROW(ParseCommandLine({"frobnicate"}), UsageError);
    EXPECT_THROW(ParseCommandLine({"pack", "dir"}), UsageError);
    EXPECT_THROW(ParseCommandLine({"list", "a", "b"}), UsageError);
    EXPECT_EQ(ParseCommandLine({"bench-unpack", "f", "5"}).arguments.size(), 2u);
    EXPECT_EQ(ParseCommandLine({"check", "s.skn"}).command, "check");
}
