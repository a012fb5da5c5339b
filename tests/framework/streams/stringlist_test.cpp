#include "framework/streams.h"
#include "framework/stringlist.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace tarnivo;

namespace {

std::vector<std::string> Lines(const TStringList& list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

using V = std::vector<std::string>;

} // namespace

TEST(StringList, SetTextSplitsOnCrLfAndCrLf)
{
    struct Case {
        std::string text;
        V lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},          // a final line end makes no empty line
        {"a\n\n", {"a", ""}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},  // LF CR ends two lines
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << "text: " << c.text;
        EXPECT_EQ(TStringList::LineCount(c.text), c.lines.size()) << "text: " << c.text;
    }
}

TEST(StringList, TextEndsEveryLineWithCrLf)
{
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("one");
    list.Add("");
    list.Add("three");
    EXPECT_EQ(list.Text(), "one\r\n\r\nthree\r\n");
    TStringList again;
    again.SetText(list.Text());
    EXPECT_EQ(Lines(again), Lines(list));
}

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive)
{
    TStringList list;
    list.Add("[Buttons]");
    list.Add("[BUTTONS]");
    EXPECT_EQ(list.IndexOf("[buttons]"), 0);
    EXPECT_EQ(list.IndexOf("[Button]"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("[BUTTONS]"), 1);
    EXPECT_EQ(list.IndexOf("[buttons]"), -1);
}

TEST(StringList, ObjectsTravelWithTheirLines)
{
    TStringList list;
    list.AddObject("a", 10);
    list.AddObject("c", 30);
    list.InsertObject(1, "b", 20);
    list.Insert(0, "first");
    EXPECT_EQ(Lines(list), (V{"first", "a", "b", "c"}));
    EXPECT_EQ(list.Objects(0), 0);
    EXPECT_EQ(list.Objects(2), 20);
    list.Delete(1);
    EXPECT_EQ(list.Objects(1), 20);
    EXPECT_EQ(list.Objects(2), 30);

    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy.Objects(2), 30);
    list.Clear();
    EXPECT_EQ(copy.Count(), 3);
}

TEST(StringList, IndexesOutsideTheListRaise)
{
    TStringList list;
    list.Add("only");
    EXPECT_THROW(list.Strings(1), EStringListError);
    EXPECT_THROW(list.Strings(-1), EStringListError);
    EXPECT_THROW(list.Delete(1), EStringListError);
    EXPECT_THROW(list.Insert(2, "x"), EStringListError);
    EXPECT_NO_THROW(list.Insert(1, "end"));
    EXPECT_THROW(list.SetObject(5, 1), EStringListError);
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    list.Add("Width=10");
    list.Add("no equals sign");
    list.Add("Path=a=b");
    EXPECT_EQ(list.Names(0), "Width");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("width"), "10");
    EXPECT_EQ(list.Values("path"), "a=b");
    EXPECT_EQ(list.Values("missing"), "");

    list.SetValue("WIDTH", "12");
    EXPECT_EQ(list[0], "WIDTH=12");
    list.SetValue("Height", "5");
    EXPECT_EQ(list[3], "Height=5");
    list.SetValue("Path", "");
    EXPECT_EQ(list.IndexOfName("path"), -1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, FileRoundTripAndOversizedText)
{
    const std::string name = (std::filesystem::temp_directory_path() / "tarnivo_stringlist.txt").string();
    TStringList list;
    list.Add("alpha");
    list.Add("beta");
    list.SaveToFile(name);
    TStringList back;
    back.LoadFromFile(name);
    EXPECT_EQ(Lines(back), (V{"alpha", "beta"}));
    std::filesystem::remove(name);
    EXPECT_THROW(back.LoadFromFile(name), EFOpenError);
    EXPECT_EQ(back.Count(), 2);

    // A stream claiming more text than the cap is refused before reading.
    TMemoryStream big;
    big.SetSize(TStringList::MaxTextBytes + 1);
    big.SetPosition(0);
    EXPECT_THROW(back.LoadFromStream(big), EStreamError);
    EXPECT_EQ(back.Count(), 2);
}

TEST(StringList, CaseIsIgnoredForAsciiLettersOnlyAndUtf8IsComparedWhole)
{
    TStringList list;
    list.Add("Caf\xC3\xA9 Noir");                      // Café Noir
    list.Add("\xCE\x96\xCF\x89\xCE\xAE");              // Ζωή
    EXPECT_EQ(list.IndexOf("CAF\xC3\xA9 noir"), 0);    // ASCII letters folded, é kept
    EXPECT_EQ(list.IndexOf("CAF\xC3\x89 NOIR"), -1);   // É is another character here
    EXPECT_EQ(list.IndexOf("\xCE\x96\xCF\x89\xCE\xAE"), 1);
    EXPECT_EQ(list.IndexOf("\xCE\xB6\xCF\x89\xCE\xAE"), -1);   // ζωή
    // Folding never touches a byte of a multi-byte character: the letter
    // "Z" and the second byte of "Ц" (0xD0 0xA6) stay apart.
    EXPECT_EQ(LowerCase("Z\xD0\xA6"), "z\xD0\xA6");
    EXPECT_EQ(UpperCase("z\xD1\x86"), "Z\xD1\x86");
    EXPECT_FALSE(SameText("\xD0\xA6", "\xD1\x86"));
}
