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
    // Targets compare exactly: another letter case is another target.
    Finder cased({{"A", "C:\\X.exe"}, {"AB", "c:\\x.exe"}});
    cased.Type("a");
    EXPECT_EQ(cased.Names().size(), 2u);
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
