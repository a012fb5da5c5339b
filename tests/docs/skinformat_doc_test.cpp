// docs/skin-format.md against the skin loader: every key the loader reads is
// described there, and every key described there is read.
//
// The loader reads its keys through a handful of calls; this test finds them
// in the source (skin/resources/skinloader*.cpp and skincolors*.cpp, the only
// files that read a skin's INI) rather than keeping a second list that could
// drift from both. The forms it understands:
//   Int/Str/Length/ReadInteger/ReadString(section, "Key", ...)
//   ReadColorText(ini, section, "Key", ...)
//   ReadColorTriple(ini, section, "Base", ...)   -> BaseR, BaseG, BaseB
//   ReadFace<T>(section, "Key") and ReadTwoImages("Section", "Key")
//   {csMember, "Key", ...}                       (the scheme colour table)
//   Int/Str/Length(section, side + "Suffix", ...) -> <border>Suffix, for
//       every border the elements make (TDataSkinBorder("Left") ...), whose
//       own names are the image keys of [Personality]
//   "Prefix" + std::to_string(...)               -> Prefix0, Prefix1, ...
// A key read any other way fails the first test below until this scan (or
// the loader) is taught the form.
//

#include "skinformatkeys.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using namespace tarnivo::test;

namespace {

const fs::path Root = TARNIVO_SOURCE_DIR;


std::vector<std::string> Captures(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].str());
    return found;
}

struct LoaderKeys {
    std::set<std::string> exact;
    std::set<std::string> borderSuffixes;   // read as <border name> + suffix
    std::set<std::string> numberedPrefixes; // read as prefix + a number
    std::set<std::string> borders;
    std::vector<std::string> files;
};

LoaderKeys ScanLoader()
{
    LoaderKeys keys;
    std::string source;
    for (const auto& entry : fs::directory_iterator(Root / "skin" / "resources")) {
        const std::string name = entry.path().filename().string();
        const bool reader = name.rfind("skinloader", 0) == 0 || name.rfind("skincolors", 0) == 0;
        if (reader && entry.path().extension() == ".cpp") {
            source += ReadText(entry.path());
            keys.files.push_back(name);
        }
    }
    const std::string arg = R"(\s*[^,()]+,\s*)";
    for (const std::string& k :
         Captures(source, R"(\b(?:Int|Str|Length|ReadInteger|ReadString)\()" + arg + R"#("([A-Za-z][\w.]*)"(?=\s*[,)]))#"))
        keys.exact.insert(k);
    for (const std::string& k : Captures(source, R"(\bReadColorText\()" + arg + arg + R"#("(\w+)"(?=\s*[,)]))#"))
        keys.exact.insert(k);
    for (const std::string& base : Captures(source, R"(\bReadColorTriple\()" + arg + arg + R"#("(\w+)")#"))
        for (const char* channel : {"R", "G", "B"})
            keys.exact.insert(base + channel);
    for (const std::string& k : Captures(source, R"#(\bReadFace<\w+>\()#" + arg + R"#("(\w+)")#"))
        keys.exact.insert(k);
    for (const std::string& k : Captures(source, R"#(\bReadTwoImages\(\s*"[^"]+",\s*"(\w+)")#"))
        keys.exact.insert(k);
    for (const std::string& k : Captures(source, R"#(\{\s*cs\w+,\s*"(\w+)")#"))
        keys.exact.insert(k);
    for (const std::string& s : Captures(source, R"(\b(?:Int|Str|Length)\()" + arg + R"#(\w+\s*\+\s*"(\w+)")#"))
        keys.borderSuffixes.insert(s);
    for (const std::string& p : Captures(source, R"#("(\w+)"\s*\+\s*std::to_string)#"))
        keys.numberedPrefixes.insert(p);
    const std::string elements = ReadText(Root / "skin" / "resources" / "skinelements.cpp");
    for (const std::string& b : Captures(elements, R"#(TDataSkinBorder>\("(\w+)"\))#"))
        keys.borders.insert(b);
    return keys;
}

bool IsNumber(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

class SkinFormatReference : public testing::Test {
protected:
    void SetUp() override
    {
        loader_ = ScanLoader();
        const std::vector<std::string> documented = DocumentedKeys(ReadText(Root / "docs" / "skin-format.md"));
        doc_.insert(documented.begin(), documented.end());
    }

    bool Read(const std::string& key) const
    {
        if (loader_.exact.count(key) || loader_.borders.count(key))
            return true;
        for (const std::string& border : loader_.borders)
            if (key.rfind(border, 0) == 0 && loader_.borderSuffixes.count(key.substr(border.size())))
                return true;
        for (const std::string& prefix : loader_.numberedPrefixes)
            if (key.rfind(prefix, 0) == 0 && IsNumber(key.substr(prefix.size())))
                return true;
        return false;
    }

    LoaderKeys loader_;
    std::set<std::string> doc_;
};

TEST_F(SkinFormatReference, TheScanFindsTheLoadersKeys)
{
    // A scan that silently found nothing would pass the tests below.
    EXPECT_EQ(loader_.files.size() >= 2, true);
    EXPECT_GT(loader_.exact.size(), 60u);
    for (const char* key : {"LeftWidth", "ButtonImage", "Visibility1", "ActiveTextG", "ButtonDkShadow", "menuBar",
                            "GlyphImage", "Bitmap", "Border", "FontHeight", "BackgroundRightShift", "FrameCount"})
        EXPECT_TRUE(loader_.exact.count(key)) << key;
    EXPECT_EQ(loader_.borders, (std::set<std::string>{"Left", "Right", "Top", "Bottom"}));
    EXPECT_TRUE(loader_.borderSuffixes.count("TopHeight"));
    EXPECT_TRUE(loader_.numberedPrefixes.count("Color"));
    EXPECT_GT(doc_.size(), 100u);
}

TEST_F(SkinFormatReference, EveryKeyTheLoaderReadsIsDescribed)
{
    for (const std::string& key : loader_.exact)
        EXPECT_TRUE(doc_.count(key)) << key << " is read but not in docs/skin-format.md";
    for (const std::string& border : loader_.borders) {
        EXPECT_TRUE(doc_.count(border)) << border;
        for (const std::string& suffix : loader_.borderSuffixes)
            EXPECT_TRUE(doc_.count(border + suffix)) << border + suffix << " is read but not described";
    }
    for (const std::string& prefix : loader_.numberedPrefixes)
        EXPECT_TRUE(doc_.count(prefix + "0")) << prefix << "<n> is read but not described";
}

TEST_F(SkinFormatReference, EveryDescribedKeyIsRead)
{
    for (const std::string& key : doc_)
        EXPECT_TRUE(Read(key)) << key << " is described but the loader never reads it";
}

TEST(SkinFormatReferenceParsing, OnlyKeyTablesCountAndTheirFirstCellsInBackticks)
{
    const std::string markdown = "| key | meaning |\n|---|---|\n| `One` | a |\n| `Two` | `Three` |\n\n"
                                 "| option | meaning |\n|---|---|\n| `xoNot` | b |\n\n"
                                 "text `Neither`\n| key | x |\n|---|---|\n| Plain | c |\n";
    EXPECT_EQ(DocumentedKeys(markdown), (std::vector<std::string>{"One", "Two", "(not in backticks) Plain"}));
}

} // namespace
