#include "framework/streams.h"
#include "skin/resources/skinreader.h"
#include "testarchive.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

std::string Bytes(TMemoryStream& stream)
{
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

bool LoadArchive(TSkinReader& reader, const std::string& archive)
{
    TMemoryStream file;
    SkinFile(archive, file);
    return reader.Loadfromstream(file);
}

std::string Entry(const TSkinReader& reader, const std::string& name)
{
    TMemoryStream out;
    reader.readfile(name, out);
    EXPECT_EQ(out.Position(), 0);
    return Bytes(out);
}

// Records the older-skin message instead of showing it.
struct MessageSpy {
    std::vector<std::string> shown;
    MessageSpy()
    {
        TSkinReader::ShowMessage = [this](const std::string& text) { shown.push_back(text); };
    }
    ~MessageSpy() { TSkinReader::ShowMessage = nullptr; }
};

const std::vector<std::pair<std::string, std::string>> Sample = {
    {"Skin.INI", "[Buttons]\r\nBitmap=Button.bmp\r\n"},
    {"Button.BMP", "BM-button"},
    {"empty.bmp", ""},
    {"top.bmp", "BM-top"},
    {"top.bmp", "BM-second top"},
};

} // namespace

TEST(SkinReader, ReadsEntriesByLowerCasedName)
{
    TSkinReader reader;
    ASSERT_TRUE(LoadArchive(reader, ArchiveBytes(Entries(Sample))));
    EXPECT_EQ(reader.EntryCount(), 5);  // the final line end makes no extra entry
    EXPECT_EQ(reader.EntryNames()[1], "button.bmp");
    EXPECT_EQ(reader.Header()[0], 20000);
    EXPECT_EQ(reader.Header()[2], 0x12345678);
    EXPECT_EQ(Entry(reader, "BUTTON.bmp"), "BM-button");
    EXPECT_EQ(Entry(reader, "top.bmp"), "BM-top");  // the first of two wins
    EXPECT_EQ(Entry(reader, "empty.bmp"), "");
    EXPECT_EQ(Entry(reader, "absent.bmp"), "");

    TMemoryStream ini;
    ini.WriteBuffer("stale", 5);
    EXPECT_EQ(reader.readIni(".ini", ini), "skin.ini");
    EXPECT_EQ(Bytes(ini), Sample[0].second);
    EXPECT_EQ(reader.readIni(".cfg", ini), "");
    EXPECT_EQ(ini.Size(), 0);
}

TEST(SkinReader, NameListLineEndsOfAnyKind)
{
    ArchiveParts parts = Entries({{"a.ini", "1"}, {"b.bmp", "22"}, {"c.bmp", "333"}});
    parts.nameList = "a.ini\rb.bmp\nc.bmp";  // mixed ends, none after the last
    TSkinReader reader;
    ASSERT_TRUE(LoadArchive(reader, ArchiveBytes(parts)));
    EXPECT_EQ(reader.EntryCount(), 3);
    EXPECT_EQ(Entry(reader, "c.bmp"), "333");

    parts = Entries({});
    TSkinReader empty;
    ASSERT_TRUE(LoadArchive(empty, ArchiveBytes(parts)));
    EXPECT_EQ(empty.EntryCount(), 0);
    TMemoryStream ini;
    EXPECT_EQ(empty.readIni(".ini", ini), "");
}

TEST(SkinReader, OtherVersionsShowTheOlderSkinMessageAndChangeNothing)
{
    MessageSpy spy;
    TSkinReader reader;
    ASSERT_TRUE(LoadArchive(reader, ArchiveBytes(Entries(Sample))));
    for (const std::int32_t version : {19999, 20001, 0, -20000}) {
        ArchiveParts parts = Entries({{"other.ini", "x"}});
        parts.version = version;
        EXPECT_FALSE(LoadArchive(reader, ArchiveBytes(parts)));
    }
    ASSERT_EQ(spy.shown.size(), 4u);
    EXPECT_EQ(spy.shown[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.EntryCount(), 5);
    EXPECT_EQ(Entry(reader, "button.bmp"), "BM-button");
}

TEST(SkinReader, MalformedArchivesAreRefusedAndKeepThePreviousSkin)
{
    MessageSpy spy;
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 1002; ++i) {
        std::string name = "e";
        name += std::to_string(i);
        many.push_back({name + ".bmp", "x"});
    }

    std::vector<std::pair<const char*, std::string>> bad;
    ArchiveParts parts = Entries(Sample);
    parts.listLength = -5;
    bad.push_back({"negative name list length", ArchiveBytes(parts)});
    parts.listLength = 0x7FFFFFF0;
    bad.push_back({"name list past the end", ArchiveBytes(parts)});
    parts = Entries(Sample);
    parts.sizes[1] = -1;
    bad.push_back({"negative entry size", ArchiveBytes(parts)});
    parts = Entries(Sample);
    parts.sizes[4] += 1;
    bad.push_back({"entries past the end", ArchiveBytes(parts)});
    parts = Entries(Sample);
    parts.sizes = {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    bad.push_back({"sizes that overflow 32 bits", ArchiveBytes(parts)});
    parts = Entries(Sample);
    parts.sizes.resize(2);
    parts.data.clear();
    bad.push_back({"size table cut short", ArchiveBytes(parts)});
    bad.push_back({"1002 entries", ArchiveBytes(Entries(many))});
    bad.push_back({"header cut short", ArchiveBytes(Entries(Sample)).substr(0, 15)});

    TSkinReader reader;
    ASSERT_TRUE(LoadArchive(reader, ArchiveBytes(Entries(Sample))));
    for (const auto& [what, archive] : bad) {
        EXPECT_FALSE(LoadArchive(reader, archive)) << what;
        EXPECT_FALSE(reader.LastError().empty()) << what;
        EXPECT_EQ(reader.EntryCount(), 5) << what;
        EXPECT_EQ(Entry(reader, "top.bmp"), "BM-top") << what;
    }
    EXPECT_TRUE(spy.shown.empty());

    many.pop_back();
    EXPECT_TRUE(LoadArchive(reader, ArchiveBytes(Entries(many))));
    EXPECT_EQ(reader.EntryCount(), 1001);
}

TEST(SkinReader, DamagedBlocksAreRefused)
{
    TSkinReader reader;
    ASSERT_TRUE(LoadArchive(reader, ArchiveBytes(Entries(Sample))));
    TMemoryStream file;
    SkinFile(ArchiveBytes(Entries(Sample)), file);
    const std::string whole = Bytes(file);
    for (const std::string& damaged :
         {whole.substr(0, whole.size() - 3), whole.substr(0, 3), std::string("\xff\xff\xff\x7f", 4) + whole.substr(4)}) {
        TMemoryStream source;
        source.WriteBuffer(damaged.data(), static_cast<std::int64_t>(damaged.size()));
        EXPECT_FALSE(reader.Loadfromstream(source));
        EXPECT_EQ(reader.EntryCount(), 5);
    }
}

TEST(SkinReader, LoadFromFile)
{
    MessageSpy spy;
    const std::string name = (std::filesystem::temp_directory_path() / "tarnivo_skinreader.skn").string();
    TMemoryStream file;
    SkinFile(ArchiveBytes(Entries(Sample)), file);
    file.SaveToFile(name);
    TSkinReader reader;
    EXPECT_TRUE(reader.loadfromfile(name));
    EXPECT_EQ(Entry(reader, "top.bmp"), "BM-top");
    std::filesystem::remove(name);
    EXPECT_FALSE(reader.loadfromfile(name));
    EXPECT_EQ(reader.EntryCount(), 5);
    EXPECT_TRUE(spy.shown.empty());
}

TEST(SkinReader, ImageValuesNameEntriesByTheirFileNamePart)
{
    struct Case {
        const char* value;
        const char* entry;
    };
    const Case cases[] = {
        {"top.bmp", "top.bmp"},         {"Images\\Top.bmp", "Top.bmp"}, {"c:top.bmp", "top.bmp"},
        {"skins/dark/a.bmp", "a.bmp"},  {"top.BMP", ""},                {"top.bmp.txt", ""},
        {"top", ""},                    {"", ""},                       {"dir\\", ""},
        {".bmp", ".bmp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SkinImageEntryName(c.value), c.entry) << c.value;

    TSkinReader reader;
    ASSERT_TRUE(LoadArchive(reader, ArchiveBytes(Entries(Sample))));
    EXPECT_EQ(Entry(reader, SkinImageEntryName("Images\\Top.bmp")), "BM-top");
}
