#include "framework/streams.h"
#include "skin/resources/quickini.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

using namespace tarnivo;

namespace {

void Load(TQuickIni& ini, const std::string& text)
{
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    stream.SetPosition(0);
    ini.LoadFromStream(&stream);
}

std::vector<std::string> Items(const TStringList& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i]);
    return items;
}

// Every index entry must name the line that holds its header.
void ExpectIndexConsistent(const TQuickIni& ini)
{
    for (int i = 0; i < ini.Sections().Count(); ++i) {
        const auto line = ini.Sections().Objects(i);
        ASSERT_GE(line, 0);
        ASSERT_LT(line, ini.Lines().Count());
        EXPECT_EQ(ini.Lines()[static_cast<int>(line)], ini.Sections()[i]) << "entry " << i;
    }
}

std::string Saved(const TQuickIni& ini)
{
    TMemoryStream stream;
    ini.SaveToStream(stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

using V = std::vector<std::string>;

const char* const SkinText =
    "; a skin\r\n"
    "[Buttons]\r\n"
    "  LeftWidth = 4 \r\n"
    "key=Value\r\n"
    "Key=second copy\r\n"
    "Empty=   \r\n"
    "a=b=c\r\n"
    "Note=text ; not a comment\r\n"
    "   ; indented comment\r\n"
    "\r\n"
    "[ Spaced ]\r\n"
    "x=1\r\n"
    "[buttons]\n"
    "LeftWidth=99\n"
    "[Numbers]\r"
    "hex=0x1F\r"
    "dollar=$1F\r"
    "plain=12\r"
    "negative=-3\r"
    "word=abc\r"
    "mixed=12abc\r"
    "big=0xFFFFFFFF\r"
    "overflow=2147483648\r"
    "lone=0x\r"
    "two=2\r"
    "zero=0\r"
    "yes=yes\r";

} // namespace

TEST(QuickIni, ParsingKeepsOnlySignificantTrimmedLines)
{
    TQuickIni ini;
    Load(ini, SkinText);
    EXPECT_EQ(ini.Lines()[0], "[Buttons]");
    EXPECT_EQ(ini.Lines()[1], "LeftWidth = 4");
    EXPECT_EQ(ini.Lines().IndexOf("; indented comment"), -1);
    EXPECT_EQ(ini.Lines().IndexOf(""), -1);
    ExpectIndexConsistent(ini);
    EXPECT_EQ(ini.Sections().Count(), 4);

    // LF CR ends two lines; a NUL ends the whole text.
    Load(ini, std::string("[A]\n\rk=v\r\n\0[B]\r\nz=1", 20));
    EXPECT_EQ(Items(ini.Lines()), (V{"[A]", "k=v"}));
}

TEST(QuickIni, ReadStringFollowsTheLookupRules)
{
    TQuickIni ini;
    Load(ini, SkinText);
    EXPECT_EQ(ini.ReadString("Buttons", "leftwidth", "d"), "4");
    EXPECT_EQ(ini.ReadString("BUTTONS", "KEY", "d"), "Value");      // first occurrence wins
    EXPECT_EQ(ini.ReadString("Buttons", "Empty", "d"), "d");         // blank value gives the default
    EXPECT_EQ(ini.ReadString("Buttons", "A", "d"), "b=c");
    EXPECT_EQ(ini.ReadString("Buttons", "Note", "d"), "text ; not a comment");
    EXPECT_EQ(ini.ReadString("Buttons", "x", "d"), "d");             // belongs to the next section
    EXPECT_EQ(ini.ReadString("Spaced", "x", "d"), "d");              // blanks inside brackets must match
    EXPECT_EQ(ini.ReadString(" Spaced ", "x", "d"), "1");
    EXPECT_EQ(ini.ReadString("Missing", "x", "d"), "d");

    TQuickIni empty;
    EXPECT_EQ(empty.ReadString("Buttons", "LeftWidth", "d"), "d");
}

TEST(QuickIni, ReadIntegerAndReadBoolConvertLikeStrToIntDef)
{
    TQuickIni ini;
    Load(ini, SkinText);
    struct Case {
        const char* key;
        std::int32_t expected;
    };
    const Case cases[] = {{"hex", 31},        {"dollar", 31},      {"plain", 12}, {"negative", -3},
                          {"word", -7},       {"mixed", -7},       {"big", -1},   {"overflow", -7},
                          {"lone", -7},       {"missing", -7}};
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadInteger("Numbers", c.key, -7), c.expected) << c.key;
    EXPECT_TRUE(ini.ReadBool("Numbers", "two", false));
    EXPECT_FALSE(ini.ReadBool("Numbers", "zero", true));
    EXPECT_TRUE(ini.ReadBool("Numbers", "yes", true));
    EXPECT_FALSE(ini.ReadBool("Numbers", "yes", false));

    std::int32_t value = 0;
    EXPECT_TRUE(TryStrToInt("-2147483648", value));
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_FALSE(TryStrToInt("$100000000", value));
    EXPECT_FALSE(TryStrToInt("-", value));
    EXPECT_FALSE(TryStrToInt("", value));
    EXPECT_TRUE(TryStrToInt("+$ff", value));
    EXPECT_EQ(value, 255);
}

TEST(QuickIni, SignedHexadecimalAndTheEdgesOf32Bits)
{
    struct Case {
        const char* text;
        std::int32_t expected;   // -7: the default, the text does not convert
    } cases[] = {
        {"-$10", -16},           {"+$1F", 31},           {"$ff", 255},
        {"0XfF", 255},           {"-$1", -1},            {"$7FFFFFFF", INT32_MAX},
        {"$80000000", INT32_MIN}, {"-$80000000", INT32_MIN}, {"$FFFFFFFF", -1},
        {"-$FFFFFFFF", 1},       // hexadecimal wraps to 32 bits before the sign
        {"$100000000", -7},      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"2147483648", -7},      {"-2147483649", -7},    {"+0", 0},
        {"-0x10", -7},           // only a leading "0x" becomes "$"; a sign before it stays
        {"0x-10", -7},           {"$-10", -7},           {"--1", -7},
        {"+-1", -7},             {"-$", -7},             {"$", -7},
        {"$ 10", -7},            {"1 0", -7},
    };
    std::string text = "[N]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        text.append("k").append(std::to_string(i)).append("=").append(cases[i].text).append("\r\n");
    TQuickIni ini;
    Load(ini, text);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ini.ReadInteger("N", "k" + std::to_string(i), -7), cases[i].expected) << cases[i].text;
}

TEST(QuickIni, ListReaders)
{
    TQuickIni ini;
    Load(ini, "[One]\r\nA=1\r\nno equals\r\nB = 2\r\n[ Two ]\r\n[One]\r\nC=3\r\n");
    TStringList list;
    list.Add("stale");
    ini.ReadSections(list);
    EXPECT_EQ(Items(list), (V{"One", "Two", "One"}));
    ini.ReadSection("one", list);
    EXPECT_EQ(Items(list), (V{"a", "b"}));
    ini.ReadSectionValues("ONE", list);
    EXPECT_EQ(Items(list), (V{"A=1", "no equals", "B = 2"}));
    ini.ReadSection("nothing", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(QuickIni, WritesKeepTheIndexConsistent)
{
    TQuickIni ini;
    Load(ini, "[A]\r\na=1\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n");
    ini.WriteString("A", "New", "x");          // inserted before [B]
    ini.WriteString("a", "A", "changed");      // replaced in place, key written as given
    ini.WriteInteger("C", "n", -5);            // last section: appended
    ini.WriteBool("D", "flag", true);          // new section at the end
    ini.WriteString("E", "", "ignored");       // header only
    ini.WriteString("B", "", "ignored");       // nothing
    ExpectIndexConsistent(ini);
    EXPECT_EQ(Saved(ini), "[A]\r\nA=changed\r\nNew=x\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\nn=-5\r\n"
                          "[D]\r\nflag=1\r\n[E]\r\n");
    EXPECT_EQ(ini.ReadString("b", "b", ""), "2");

    ini.DeleteKey("A", "new");
    ini.DeleteKey("A", "absent");
    ExpectIndexConsistent(ini);
    EXPECT_EQ(ini.ReadString("C", "c", ""), "3");

    ini.EraseSection("B");                     // not first: one blank line stays
    ExpectIndexConsistent(ini);
    EXPECT_EQ(Saved(ini), "[A]\r\nA=changed\r\n\r\n[C]\r\nc=3\r\nn=-5\r\n[D]\r\nflag=1\r\n[E]\r\n");
    ini.EraseSection("A");                     // first line: no blank line left
    ExpectIndexConsistent(ini);
    EXPECT_EQ(ini.Lines()[0], "[C]");
    EXPECT_EQ(ini.ReadInteger("C", "n", 0), -5);
    EXPECT_TRUE(ini.ReadBool("D", "flag", false));
    ini.WriteString("C", "extra", "e");
    ExpectIndexConsistent(ini);
    EXPECT_EQ(ini.ReadString("D", "flag", ""), "1");
}

TEST(QuickIni, SetIniFileKeepsLinesAsGiven)
{
    TStringList lines;
    lines.Add("; comment");
    lines.Add("[S]");
    lines.Add("  k = v  ");
    lines.Add(" [not a header]");
    TQuickIni ini;
    ini.SetIniFile(lines);
    EXPECT_EQ(ini.Lines().Count(), 4);
    EXPECT_EQ(ini.Sections().Count(), 1);
    EXPECT_EQ(ini.GetSectionIndex("s"), 1);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "v");
}

TEST(QuickIni, CompressedFilesRoundTripAndBadOnesLeaveTheStoreAlone)
{
    const auto dir = std::filesystem::temp_directory_path();
    const std::string zip = (dir / "tarnivo_quickini.lzh").string();
    const std::string plain = (dir / "tarnivo_quickini.ini").string();
    TQuickIni ini;
    Load(ini, SkinText);
    ini.SavetoZip(zip);
    ini.SaveToFile(plain);

    TQuickIni back;
    back.LoadFromZip(zip);
    EXPECT_EQ(Items(back.Lines()), Items(ini.Lines()));
    back.LoadFromFile(plain);
    EXPECT_EQ(Items(back.Lines()), Items(ini.Lines()));

    TMemoryStream junk;
    junk.WriteInt32(-1);
    junk.SaveToFile(zip);
    EXPECT_THROW(back.LoadFromZip(zip), EStreamError);
    EXPECT_EQ(back.ReadInteger("Numbers", "hex", 0), 31);
    std::filesystem::remove(zip);
    std::filesystem::remove(plain);
    EXPECT_THROW(back.LoadFromZip(zip), EFOpenError);
    EXPECT_THROW(back.LoadFromFile(plain), EFOpenError);
    EXPECT_EQ(back.ReadInteger("Numbers", "hex", 0), 31);

    back.LoadFromStream(nullptr);
    EXPECT_EQ(back.ReadInteger("Numbers", "hex", 0), 31);
}
