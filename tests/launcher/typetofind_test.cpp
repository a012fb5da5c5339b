// Type-to-find against a model of the intended result, and the cases of the
// incremental second tier that ordinary typing does not show.

#include "launcher/typetofind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace tarnivo;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

class Finder {
public:
    explicit Finder(const std::vector<std::pair<std::string, std::string>>& entries)
        : m_catalogue(std::make_unique<TCatalogue>()), m_finder(*m_catalogue)
    {
        for (const auto& [name, target] : entries) {
            TShortcutCfg e;
            e.Name = name;
            e.TargetPath = target;
            m_catalogue->Append(e);
        }
    }

    // A character typed in the result list (Enter and Esc excluded).
    void Type(char c)
    {
        ++m_finder.KeyPressCount;
        m_finder.TypedText += c;
        m_finder.FilterList();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            Type(c);
    }
    // UTF-8 text typed one character (code point) a key, as WM_CHAR brings
    // it to the form.
    void TypeLetters(const std::string& text)
    {
        for (std::size_t at = 0; at < text.size();) {
            std::size_t next = at + 1;
            while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
                ++next;
            ++m_finder.KeyPressCount;
            m_finder.TypedText += text.substr(at, next - at);
            m_finder.FilterList();
            at = next;
        }
    }
    void Escape()
    {
        ++m_finder.KeyPressCount;
        m_finder.ResetTypedText();
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i : m_finder.Result())
            names.push_back(m_catalogue->Shortcuts[static_cast<std::size_t>(i)].Name);
        return names;
    }

    std::unique_ptr<TCatalogue> m_catalogue;
    TTypeToFind m_finder;
};

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool InOrder(const std::string& name, const std::string& typed)
{
    std::size_t at = 0;
    for (char c : typed) {
        at = name.find(c, at);
        if (at == std::string::npos)
            return false;
        ++at;
    }
    return true;
}

// What the list should show after `typed` was typed character by character:
// names holding the text as one run, then names holding its characters in
// order, each in catalogue order, one entry per target.
std::vector<int> Model(const std::vector<std::pair<std::string, std::string>>& entries,
                       const std::string& typed)
{
    std::string t = Upper(typed);
    std::vector<int> result;
    std::set<std::string> targets;
    auto add = [&](int i) {
        if (targets.insert(entries[static_cast<std::size_t>(i)].second).second)
            result.push_back(i);
    };
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        if (Upper(entries[static_cast<std::size_t>(i)].first).find(t) != std::string::npos)
            add(i);
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        if (InOrder(Upper(entries[static_cast<std::size_t>(i)].first), t))
            add(i);
    return result;
}

} // namespace

TEST(TypeToFind, MatchesTheModelOnGeneratedCataloguesAndTyping)
{
    std::mt19937 random(20261207);
    const std::string letters = "abcdeABCDE x";
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::pair<std::string, std::string>> entries;
        int count = 1 + pick(40);
        for (int i = 0; i < count; ++i) {
            std::string name;
            for (int k = 1 + pick(10); k > 0; --k)
                name += letters[static_cast<std::size_t>(pick(static_cast<int>(letters.size())))];
            // A few shared targets, so that duplicates are collapsed.
            entries.emplace_back(name, "C:\\p\\" + std::to_string(pick(count + 5)) + ".exe");
        }
        Finder finder(entries);
        // Several searches in a row, separated by Esc, as a user types them.
        for (int search = 0; search < 3; ++search) {
            std::string typed;
            for (int k = 1 + pick(5); k > 0; --k) {
                char c = "abcdeABCDx"[pick(10)];
                typed += c;
                finder.Type(c);
                std::vector<int> expected = Model(entries, typed);
                ASSERT_EQ(finder.m_finder.Result(), expected)
                    << "round " << round << " search " << search << " typed '" << typed << "'";
            }
            finder.Escape();
        }
    }
}

TEST(TypeToFind, OneRunComesBeforeLettersInOrderWhateverTheCatalogueOrder)
{
    Finder finder({{"Explorer", "C:\\explorer.exe"}, {"Excel", "C:\\excel.exe"}});
    finder.Type("e");
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"Explorer", "Excel"}));
    finder.Type("l");
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"Excel", "Explorer"}));
}

TEST(TypeToFind, LetterCaseOfTypingDoesNotMatterAndTextIsKeptInCapitals)
{
    Finder lower({{"Calculator", "a.exe"}, {"calc tool", "b.exe"}, {"Clock", "c.exe"}});
    lower.Type("calc");
    Finder upper({{"Calculator", "a.exe"}, {"calc tool", "b.exe"}, {"Clock", "c.exe"}});
    upper.Type("CALC");
    EXPECT_EQ(lower.Names(), upper.Names());
    EXPECT_EQ(lower.Names(), (std::vector<std::string>{"Calculator", "calc tool"}));
    EXPECT_EQ(lower.m_finder.TypedText, "CALC");
}

TEST(TypeToFind, AnUnknownCharacterEmptiesTheListUntilTheNextSearch)
{
    Finder finder({{"Paint", "p.exe"}, {"Notepad", "n.exe"}});
    finder.Type("pa");
    EXPECT_EQ(finder.Names().size(), 2u);
    finder.Type("z");
    EXPECT_TRUE(finder.Names().empty());
    // Characters that would match again do not bring entries back...
    finder.Type("i");
    EXPECT_TRUE(finder.Names().empty());
    // ...until Esc starts a new search.
    finder.Escape();
    finder.Type("n");
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"Paint", "Notepad"}));
}

TEST(TypeToFind, BackspaceIsAppendedNotApplied)
{
    Finder finder(Entries{{"Word", "w.exe"}});
    finder.Type("wo");
    finder.Type('\b');
    EXPECT_EQ(finder.m_finder.TypedText, "WO\b");
    EXPECT_TRUE(finder.Names().empty());
    finder.Type("r");
    EXPECT_TRUE(finder.Names().empty());
}

TEST(TypeToFind, EscapeKeepsTheListAndResetsTheSearch)
{
    Finder finder({{"Word", "w.exe"}, {"WordPad", "wp.exe"}});
    finder.Type("wp");
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"WordPad"}));
    finder.Escape();
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"WordPad"}));
    EXPECT_EQ(finder.m_finder.TypedText, "");
    EXPECT_EQ(finder.m_finder.KeyPressCount, 0);
    EXPECT_EQ(finder.m_catalogue->LastMatchPos[1], 0);
    finder.Type("o");
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"Word", "WordPad"}));
}

TEST(TypeToFind, TwoShortcutsToOneProgramShowOnceTheFirstMet)
{
    Finder finder({{"Editor (old)", "C:\\ed.exe"}, {"Ed", "C:\\ed.exe"}, {"Edge", "C:\\edge.exe"}});
    finder.Type("ed");
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"Editor (old)", "Edge"}));
    // Targets compare as Windows compares paths: letter case aside, in any
    // script; a path that differs in one letter names another program.
    Finder cased({{"A", "C:\\X.exe"}, {"AB", "c:\\x.exe"}});
    cased.Type("a");
    EXPECT_EQ(cased.Names(), (std::vector<std::string>{"A"}));
    Finder greek({{"A1", "C:\\\xce\x96\xcf\x89\xce\xae\\x.exe"},     // C:\Ζωή\x.exe
                  {"A2", "c:\\\xce\x96\xce\xa9\xce\x89\\X.EXE"},     // c:\ΖΩΉ\X.EXE
                  {"A3", "C:\\\xce\x9e\xcf\x89\xce\xae\\x.exe"}});   // C:\Ξωή\x.exe
    greek.Type("a");
    EXPECT_EQ(greek.Names(), (std::vector<std::string>{"A1", "A3"}));
}

TEST(TypeToFind, CharactersTypedOnTheFormAreMatchedByTheNextRun)
{
    // Two characters arrive while the form itself has the focus (no
    // filtering, no count), then one in the list: the run covers all three.
    Finder finder({{"Tool", "t.exe"}, {"Notepad", "n.exe"}, {"Nodes", "d.exe"}, {"Paint", "p.exe"}});
    finder.m_finder.TypedText += "n";
    finder.m_finder.TypedText += "o";
    finder.Type("t");
    EXPECT_EQ(finder.m_finder.TypedText, "NOT");
    // KeyPressCount is 1, so positions 1..3 are all matched in this run:
    // "Tool" fails at N. "Nodes" and "Paint" were listed at N (and O) before
    // failing at a later character of the same run, and stay listed.
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"Notepad", "Nodes", "Paint"}));
}

TEST(TypeToFind, EntryListedByAnEarlierCharacterOfTheSameRunStaysListed)
{
    // With several characters in one run, an entry listed at the first and
    // failing at a later one is not taken back out.
    Finder finder(Entries{{"Ab", "a.exe"}});
    finder.m_finder.TypedText = "a";
    finder.Type("z");   // run over "AZ": A lists, Z fails
    EXPECT_EQ(finder.Names(), (std::vector<std::string>{"Ab"}));
    EXPECT_EQ(finder.m_catalogue->Shortcuts[0].Matched, 0);
}

// Names in other scripts, typed with their own letters in either case. Each
// row types into a fresh finder; the expected names are in list order.
TEST(TypeToFind, NamesInAnyScriptAreFoundByTheirOwnLettersInEitherCase)
{
    const Entries catalogue = {
        {"\xce\x96\xcf\x89\xce\xae Xylo", "C:\\zoi.exe"},                // Ζωή Xylo
        {"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x83\xa1\xe3\x83\xa2", "C:\\memo.exe"},  // 日本語メモ
        {"Caf\xc3\xa9 Noir", "C:\\cafe.exe"},                                // Café Noir
        {"\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82", "C:\\privet.exe"},  // Привет
        {"Cafe Latte", "C:\\latte.exe"},
        {"\xce\x96\xce\xa9\xce\x89 Upper", "C:\\upper.exe"},             // ΖΩΉ Upper
        {"\xd0\x9f\xd0\xa0\xd0\x98\xd0\x92\xd0\x95\xd0\xa2 \xd0\xbc\xd0\xb8\xd1\x80", "C:\\mir.exe"},  // ПРИВЕТ мир
        {"Notepad", "C:\\notepad.exe"},
    };
    const std::string zoi = "\xce\x96\xcf\x89\xce\xae Xylo";
    const std::string upper = "\xce\x96\xce\xa9\xce\x89 Upper";
    const std::string memo = catalogue[1].first;
    const std::string privet = catalogue[3].first;
    const std::string mir = catalogue[6].first;
    const struct {
        const char* typed;
        std::vector<std::string> names;
    } rows[] = {
        {"\xce\xb6\xcf\x89\xce\xae", {zoi, upper}},              // ζωή
        {"\xce\x96\xce\xa9\xce\x89", {zoi, upper}},              // ΖΩΉ
        {"\xce\x96\xcf\x89\xce\xae", {zoi, upper}},              // Ζωή
        {"\xcf\x89x", {zoi}},                                     // ωx: letters in order
        {"caf\xc3\xa9", {"Caf\xc3\xa9 Noir"}},                      // café
        {"CAF\xc3\x89", {"Caf\xc3\xa9 Noir"}},                      // CAFÉ
        {"cafe", {"Cafe Latte"}},                                  // e is not é
        {"\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82", {privet, mir}},  // привет
        {"\xd0\x9c\xd0\x98\xd0\xa0", {mir}},                        // МИР
        {"\xe6\x97\xa5\xe6\x9c\xac", {memo}},                       // 日本
        {"\xe3\x83\xa1\xe3\x83\xa2", {memo}},                       // メモ
        {"\xe6\x97\xa5\xe3\x83\xa2", {memo}},                       // 日モ: in order
        {"\xe3\x83\xa2\xe6\x97\xa5", {}},                           // モ日: wrong order
        {"\xce\xb6\xd0\xbf", {}},                                   // ζп: two scripts
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Finder finder(catalogue);
        finder.TypeLetters(row.typed);
        EXPECT_EQ(finder.Names(), row.names);
    }
}

TEST(TypeToFind, TypedTextIsKeptInCapitalsOfItsOwnScript)
{
    Finder finder(Entries{{"\xce\x96\xcf\x89\xce\xae Xylo", "C:\\zoi.exe"}});
    finder.TypeLetters("\xce\xb6\xcf\x89\xce\xae");                 // ζωή
    EXPECT_EQ(finder.m_finder.TypedText, "\xce\x96\xce\xa9\xce\x89");   // ΖΩΉ
    EXPECT_EQ(finder.m_finder.KeyPressCount, 3);
    // A character outside the BMP is one typed character, matched whole.
    Finder emoji(Entries{{"Smile \xf0\x9f\x98\x80", "C:\\s.exe"}, {"Sad \xf0\x9f\x98\xa2", "C:\\t.exe"}});
    emoji.TypeLetters("\xf0\x9f\x98\x80");
    EXPECT_EQ(emoji.Names(), (std::vector<std::string>{"Smile \xf0\x9f\x98\x80"}));
}
