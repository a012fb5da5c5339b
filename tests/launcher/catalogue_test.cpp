// The catalogue scan against real shortcut files in the test prefix.

#include "shortcutfiles.h"

#include "launcher/iconreader.h"
#include "launcher/shortcutfile.h"
#include "launcher/shortcutscan.h"

#include "framework/unicodetext.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/icon.h"
#include "framework/imagelist.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

// Records the bar values a scan shows.
class RecordedProgress : public TScanProgress {
public:
    void ScanStarting() override { Started = true; }
    void SetBars(int value) override { Values.push_back(Bar = value); }
    void StepBars() override
    {
        Bar = std::min(Bar + 1, 100);
        ++Steps;
    }
    void RepaintStartup() override { ++Repaints; }
    void ScanFinished() override { Finished = true; }

    bool Started = false;
    bool Finished = false;
    int Bar = 0;
    int Steps = 0;
    int Repaints = 0;
    std::vector<int> Values;
};

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearAllShortcuts();
        m_icons = std::make_unique<TImageList>(nullptr);
        m_icons->SetSize(32, 32);
        m_program = MakeFile("Tool.exe", ThisProgram());
    }
    void TearDown() override { ClearAllShortcuts(); }

    void Scan(int workers = TShortcutScanner::DefaultWorkers())
    {
        m_catalogue = std::make_unique<TCatalogue>();
        m_progress = RecordedProgress{};
        TShortcutScanner scanner(*m_catalogue, *m_icons, m_progress, workers);
        scanner.ScanShortcuts();
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < m_catalogue->ShortcutCount; ++i)
            names.push_back(m_catalogue->Shortcuts[static_cast<std::size_t>(i)].Name);
        return names;
    }

    std::unique_ptr<TImageList> m_icons;
    std::unique_ptr<TCatalogue> m_catalogue;
    RecordedProgress m_progress;
    std::string m_program;
};

} // namespace

TEST_F(Catalogue, NoShortcutsGiveAnEmptyCatalogue)
{
    Scan();
    EXPECT_EQ(m_catalogue->ShortcutCount, 0);
    EXPECT_EQ(m_icons->Count(), 0);
    EXPECT_TRUE(m_progress.Started);
    EXPECT_TRUE(m_progress.Finished);
    // Folder steps, then 100 at the end; fewer than 40 entries never step.
    EXPECT_EQ(m_progress.Values, (std::vector<int>{0, 15, 30, 45, 60, 100}));
    EXPECT_EQ(m_progress.Steps, 0);
    EXPECT_EQ(m_progress.Repaints, 3);
}

TEST_F(Catalogue, OnlyProgramShortcutsWithExactLowerCaseExtensions)
{
    std::string upperExe = MakeFile("LOUD.EXE", ThisProgram());
    std::string document = MakeFile("notes.txt");
    MakeLink({CSIDL_COMMON_STARTMENU, "Tool.lnk", m_program});
    MakeLink({CSIDL_COMMON_STARTMENU, "Loud.lnk", upperExe});
    MakeLink({CSIDL_COMMON_STARTMENU, "Notes.lnk", document});
    MakeLink({CSIDL_COMMON_STARTMENU, "Folder.lnk", ScratchFolder()});
    // Saved under a lower-case name, then renamed: the shell would not write
    // "X.LNK" itself.
    std::string lower = MakeLink({CSIDL_COMMON_STARTMENU, "Other.lnk", m_program});
    std::string upper = lower.substr(0, lower.size() - 9) + "SHOUT.LNK";
    ASSERT_TRUE(MoveFileA(lower.c_str(), upper.c_str()));
    Scan();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Tool"}));
}

TEST_F(Catalogue, FindsHiddenSystemAndDeeplyNestedShortcutsInFolderOrder)
{
    MakeLink({CSIDL_STARTMENU, "Z User Menu.lnk", m_program});
    MakeLink({CSIDL_DESKTOPDIRECTORY, "Y User Desktop.lnk", m_program});
    MakeLink({CSIDL_COMMON_DESKTOPDIRECTORY, "X Common Desktop.lnk", m_program});
    MakeLink({CSIDL_COMMON_STARTMENU, "W Common Menu.lnk", m_program});
    MakeLink({CSIDL_COMMON_STARTMENU, "Programs\\A\\B\\C\\D\\E\\Deep.lnk", m_program});
    std::string hidden = MakeLink({CSIDL_DESKTOPDIRECTORY, "Hidden.lnk", m_program});
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    Scan();
    std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), 6u);
    auto at = [&](const char* n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
    // All of the common start menu first (its sub-folders included), then the
    // common desktop, the user's desktop, the user's start menu.
    EXPECT_LT(at("W Common Menu"), at("X Common Desktop"));
    EXPECT_LT(at("Deep"), at("X Common Desktop"));
    EXPECT_LT(at("X Common Desktop"), at("Y User Desktop"));
    EXPECT_LT(at("X Common Desktop"), at("Hidden"));
    EXPECT_LT(at("Y User Desktop"), at("Z User Menu"));
    EXPECT_LT(at("Hidden"), at("Z User Menu"));
}

// Removes the folder links a test made, whatever way the test ends: a walk
// that follows them would never end.
class FolderLinks {
public:
    FolderLinks() = default;
    FolderLinks(const FolderLinks&) = delete;
    FolderLinks& operator=(const FolderLinks&) = delete;
    ~FolderLinks()
    {
        for (const std::string& link : m_links)
            RemoveFolderLink(link);
    }
    bool Make(const std::string& link, const std::string& target)
    {
        m_links.push_back(link);
        return MakeFolderLink(link, target);
    }

private:
    std::vector<std::string> m_links;
};

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(Catalogue, LinksToFoldersAreNotFollowedSoLoopsEndAndNoShortcutComesTwice)
{
    MakeLink({CSIDL_COMMON_STARTMENU, "Programs\\Loops\\Looped.lnk", m_program});
    MakeLink({CSIDL_COMMON_STARTMENU, "Programs\\Loops\\Inner\\Deeper.lnk", m_program});
    MakeLink({CSIDL_STARTMENU, "Mine.lnk", m_program});
    const std::string loops = SpecialFolder(CSIDL_COMMON_STARTMENU) + "\\Programs\\Loops";
    FolderLinks links;
    // One link to its own folder: a walk that follows it goes down until
    // the path is too long, and finds the shortcut beside it at every level.
    const bool underWine = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (!links.Make(loops + "\\Self", ".")) {
        ASSERT_FALSE(underWine) << "Wine makes them from the Unix side";
        GTEST_SKIP() << "symbolic links to folders cannot be made here";
    }
    for (int workers : {0, TShortcutScanner::DefaultWorkers()}) {
        Scan(workers);
        EXPECT_EQ(Sorted(Names()), (std::vector<std::string>{"Deeper", "Looped", "Mine"}))
            << workers << " workers";
    }

    // Two more: to the parent, and from a sub-folder back up two levels.
    // Followed, every level would double the walk.
    ASSERT_TRUE(links.Make(loops + "\\Up", ".."));
    ASSERT_TRUE(links.Make(loops + "\\Inner\\Back", "../.."));
    Scan();
    EXPECT_EQ(Sorted(Names()), (std::vector<std::string>{"Deeper", "Looped", "Mine"}));
    EXPECT_EQ(m_progress.Values.back(), 100);
}

TEST_F(Catalogue, FindsShortcutsSixtyFourFoldersDeepAndNoDeeper)
{
    std::string path;
    for (int depth = 1; depth <= 65; ++depth) {
        path += "d\\";
        if (depth == 64)
            MakeLink({CSIDL_DESKTOPDIRECTORY, path + "At64.lnk", m_program});
    }
    MakeLink({CSIDL_DESKTOPDIRECTORY, path + "At65.lnk", m_program});
    Scan();
    EXPECT_EQ(Names(), (std::vector<std::string>{"At64"}));
}

TEST_F(Catalogue, RecordHoldsTheLinkFieldsAndDuplicatesAreKept)
{
    std::string link = MakeLink({CSIDL_DESKTOPDIRECTORY, "First.lnk", m_program, "-a \"b c\"",
                                 "", 0, ScratchFolder()});
    MakeLink({CSIDL_DESKTOPDIRECTORY, "Second.lnk", m_program});
    Scan();
    ASSERT_EQ(m_catalogue->ShortcutCount, 2);
    const TShortcutCfg& e = m_catalogue->Shortcuts[0];
    const TShortcutCfg& f = m_catalogue->Shortcuts[1];
    EXPECT_EQ(e.TargetPath, f.TargetPath) << "two shortcuts to one program are both catalogued";
    EXPECT_EQ(_stricmp(e.TargetPath.c_str(), m_program.c_str()), 0);
    EXPECT_EQ(e.Arguments, "-a \"b c\"");
    EXPECT_EQ(_stricmp(e.WorkDir.c_str(), ScratchFolder().c_str()), 0);
    EXPECT_EQ(_stricmp(e.LinkPath.c_str(), link.c_str()), 0);
    EXPECT_EQ(e.Spare1, "");
    EXPECT_EQ(e.SpareWord, 0);
    EXPECT_EQ(e.SpareInt, 1);
    EXPECT_EQ(e.Matched, 0);
    EXPECT_EQ(m_catalogue->LastMatchPos[0], 0);
}

namespace {

// The pixels of an icon drawn on white, to tell two icons apart.
std::vector<std::uint32_t> Pixels(HICON icon)
{
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(32, 32);
    HDC dc = b.Canvas().Handle();
    RECT r{0, 0, 32, 32};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 32; ++y) {
        auto* row = reinterpret_cast<const std::uint32_t*>(b.ScanLine(y));
        pixels.insert(pixels.end(), row, row + 32);
    }
    return pixels;
}

std::vector<std::uint32_t> ListIcon(TImageList& list, int index)
{
    TIcon icon;
    EXPECT_TRUE(list.GetIcon(index, icon));
    return Pixels(icon.Handle());
}

std::vector<std::uint32_t> FileIcon(const char* file, int index)
{
    TIcon icon;
    icon.SetHandle(ExtractIconA(GetModuleHandleA(nullptr), file, static_cast<UINT>(index)));
    return Pixels(icon.Handle());
}

} // namespace

TEST_F(Catalogue, IconsFollowIconLocationThenTargetThenFallbacks)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string shell32 = std::string(system) + "\\shell32.dll";
    std::string notepad = std::string(system) + "\\notepad.exe";
    MakeLink({CSIDL_DESKTOPDIRECTORY, "A.lnk", notepad, "", shell32, 3});
    MakeLink({CSIDL_DESKTOPDIRECTORY, "B.lnk", notepad});
    // Neither the target nor the program's own ".\Tarnivo.exe" has an icon:
    // the entry still gets an image, so image i stays entry i's icon.
    MakeLink({CSIDL_DESKTOPDIRECTORY, "C.lnk", m_program});
    MakeLink({CSIDL_DESKTOPDIRECTORY, "D.lnk", notepad});
    Scan();
    ASSERT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D"}));
    ASSERT_EQ(m_icons->Count(), 4);
    EXPECT_EQ(ListIcon(*m_icons, 0), FileIcon(shell32.c_str(), 3));
    EXPECT_NE(ListIcon(*m_icons, 0), FileIcon(notepad.c_str(), 0));
    EXPECT_EQ(ListIcon(*m_icons, 1), FileIcon(notepad.c_str(), 0));
    EXPECT_EQ(ListIcon(*m_icons, 3), FileIcon(notepad.c_str(), 0));
}


namespace {

std::string SystemFile(const char* name)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\" + name;
}

// The names of the shortcut files directly in `folder`, in the order the
// file system lists them: the order the catalogue must keep.
std::vector<std::string> ListedLinkNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*.lnk").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = data.cFileName;
        names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// `count` shortcuts in `relativeFolder` of a special folder, copies of one
// made through the shell (a thousand saves would take long); their names in
// the file system's order.
std::vector<std::string> CopiedLinks(int csidl, const std::string& relativeFolder, int count,
                                     const std::string& target, const char* prefix)
{
    if (count == 0)
        return {};
    std::string first =
        MakeLink({csidl, relativeFolder + "\\" + prefix + "0000.lnk", target});
    std::string folder = first.substr(0, first.find_last_of('\\'));
    for (int i = 1; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "\\%s%04d.lnk", prefix, i);
        CopyFileA(first.c_str(), (folder + name).c_str(), FALSE);
    }
    return ListedLinkNames(folder);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

} // namespace

TEST_F(Catalogue, HoldsAtMostOneThousandEntriesTheFirstOnesInScanOrder)
{
    // The common start menu is scanned before the user's: with 999 there,
    // the user's first shortcut is the 1000th entry and the next is left out.
    // One layout, changed a file or two between the cases.
    // A target with an icon: each entry's image comes from the one extraction.
    const std::string notepad = SystemFile("notepad.exe");
    CopiedLinks(CSIDL_COMMON_STARTMENU, "Many", 1001, notepad, "A");
    const std::string many = SpecialFolder(CSIDL_COMMON_STARTMENU) + "\\Many";
    const std::string more = SpecialFolder(CSIDL_STARTMENU) + "\\More";
    struct Case {
        int commonMenu;
        int userMenu;
        int steps;   // one per ShortcutCount / 40 entries
    };
    for (Case c : {Case{1001, 0, 40}, Case{1000, 1, 40}, Case{999, 2, 40}, Case{999, 0, 41}}) {
        SCOPED_TRACE(testing::Message() << c.commonMenu << " + " << c.userMenu);
        std::vector<std::string> expected = ListedLinkNames(many);
        while (static_cast<int>(expected.size()) > c.commonMenu) {
            ASSERT_TRUE(DeleteFileA((many + "\\" + expected.back() + ".lnk").c_str()));
            expected.pop_back();
        }
        std::vector<std::string> user = ListedLinkNames(more);
        for (int i = static_cast<int>(user.size()); i < c.userMenu; ++i)
            MakeLink({CSIDL_STARTMENU, "More\\B" + std::to_string(i) + ".lnk", notepad});
        for (int i = static_cast<int>(user.size()); i > c.userMenu; --i)
            ASSERT_TRUE(DeleteFileA((more + "\\" + user[static_cast<std::size_t>(i - 1)] + ".lnk").c_str()));
        user = ListedLinkNames(more);
        ASSERT_EQ(static_cast<int>(expected.size()), c.commonMenu);
        ASSERT_EQ(static_cast<int>(user.size()), c.userMenu);
        expected.insert(expected.end(), user.begin(), user.end());
        if (expected.size() > TCatalogue::Capacity)
            expected.resize(TCatalogue::Capacity);

        Scan();
        EXPECT_EQ(Names(), expected);
        EXPECT_EQ(m_icons->Count(), static_cast<int>(expected.size()));
        EXPECT_EQ(m_progress.Steps, c.steps);
        for (std::size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(m_catalogue->LastMatchPos[i], 0) << i;
    }
}

TEST_F(Catalogue, UnreadableAndCorruptShortcutFilesAreSkippedAndTheScanGoesOn)
{
    std::string good = MakeLink({CSIDL_COMMON_STARTMENU, "Odd\\Good One.lnk", m_program});
    std::string folder = good.substr(0, good.find_last_of('\\'));
    const std::string real = ReadBytes(good);
    ASSERT_GT(real.size(), 76u);
    // The header is 76 bytes; the link flags are at offset 20.
    auto header = [&](std::uint32_t flags) {
        std::string bytes = real.substr(0, 76);
        std::memcpy(bytes.data() + 20, &flags, 4);
        return bytes;
    };
    std::string garbage(700, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919u + 13u) % 251u);
    WriteBytes(folder + "\\Empty.lnk", "");
    WriteBytes(folder + "\\Garbage.lnk", garbage);
    WriteBytes(folder + "\\Truncated.lnk", real.substr(0, 40));
    WriteBytes(folder + "\\Header only.lnk", real.substr(0, 76));
    // Item list, link info, arguments and Unicode announced, then an item
    // list size and a string length far past the end of the file.
    WriteBytes(folder + "\\Long list.lnk", header(0x01 | 0x02 | 0x20 | 0x80) + "\xff\xff" + "ab");
    WriteBytes(folder + "\\Long text.lnk", header(0x20 | 0x80) + "\xff\xff" + "abcd");
    // A folder named like a shortcut: its contents count, it does not.
    MakeLink({CSIDL_COMMON_STARTMENU, "Odd\\Folder.lnk\\Inside.lnk", m_program});
    // Held open by someone else without sharing.
    std::string locked = MakeLink({CSIDL_COMMON_STARTMENU, "Odd\\Locked.lnk", m_program});
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    MakeLink({CSIDL_STARTMENU, "Good Two.lnk", m_program});

    for (int workers : {0, TShortcutScanner::DefaultWorkers()}) {
        SCOPED_TRACE(testing::Message() << workers << " workers");
        Scan(workers);
        std::vector<std::string> names = Names();
        ASSERT_EQ(names.size(), 3u);
        EXPECT_EQ(names.back(), "Good Two") << "the folder after the bad files was scanned";
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Good One", "Good Two", "Inside"}));
        EXPECT_EQ(m_icons->Count(), 3);
        EXPECT_EQ(m_progress.Values.back(), 100);
    }
    CloseHandle(holder);
}

TEST_F(Catalogue, FieldsOfOneShortcutDoNotCarryOverToTheNext)
{
    std::string shell32 = SystemFile("shell32.dll");
    MakeLink({CSIDL_DESKTOPDIRECTORY, "Full.lnk", m_program, "-x", shell32, 4, ScratchFolder()});
    MakeLink({CSIDL_STARTMENU, "Bare.lnk", m_program});
    Scan(0);   // one thread: both files go through the same reader
    ASSERT_EQ(Names(), (std::vector<std::string>{"Full", "Bare"}));
    const TShortcutCfg& bare = m_catalogue->Shortcuts[1];
    EXPECT_EQ(bare.Arguments, "");
    EXPECT_EQ(bare.IconPath, "");
    EXPECT_EQ(bare.IconIndex, 0);
    EXPECT_EQ(bare.WorkDir, "");
    EXPECT_EQ(_stricmp(m_catalogue->Shortcuts[0].IconPath.c_str(), shell32.c_str()), 0);
}

TEST_F(Catalogue, EachImageIsItsOwnEntrysIconWhateverTheNumberOfWorkers)
{
    const std::string shell32 = SystemFile("shell32.dll");
    const std::string notepad = SystemFile("notepad.exe");
    const std::string regedit = MakeFile("regedit.exe", SystemFile("..\\regedit.exe"));
    // ".\Tarnivo.exe" stands in for a missing icon: here a copy of a program
    // whose first icon no shortcut below uses.
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    const std::string ownFolder = ScratchFolder() + "\\own";
    CreateDirectoryA(ownFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(SystemFile("winemine.exe").c_str(), (ownFolder + "\\Tarnivo.exe").c_str(),
                          FALSE));

    struct Expected {
        std::string file;   // empty: the fallback
        int index;
    };
    std::map<std::string, Expected> expected;
    auto link = [&](const std::string& name, const std::string& target, const std::string& icon,
                    int index, Expected result) {
        MakeLink({CSIDL_DESKTOPDIRECTORY, name + ".lnk", target, "", icon, index});
        expected[name] = result;
    };
    link("Notepad", notepad, "", 0, {notepad, 0});
    link("Regedit", regedit, "", 0, {regedit, 0});
    link("No icon", m_program, "", 0, {"", 0});
    link("Missing icon file", notepad, "C:\\nowhere\\none.dll", 0, {"", 0});
    link("Index past the end", notepad, shell32, 99999, {"", 0});
    link("Second regedit icon", notepad, regedit, 1, {regedit, 1});
    for (int i = 1; i <= 24; ++i)   // enough entries for the workers to overtake each other
        link("Shell " + std::to_string(i), notepad, shell32, i, {shell32, i});

    const std::vector<std::uint32_t> generic = Pixels(LoadIcon(nullptr, IDI_APPLICATION));
    for (bool ownIcon : {true, false}) {
        SetCurrentDirectoryA(ownIcon ? ownFolder.c_str() : previous);
        const std::vector<std::uint32_t> fallback =
            ownIcon ? FileIcon((ownFolder + "\\Tarnivo.exe").c_str(), 0) : generic;
        for (int workers : {0, 1, TShortcutScanner::DefaultWorkers()}) {
            SCOPED_TRACE(testing::Message() << workers << " workers, own icon " << ownIcon);
            Scan(workers);
            ASSERT_EQ(m_catalogue->ShortcutCount, static_cast<int>(expected.size()));
            ASSERT_EQ(m_icons->Count(), m_catalogue->ShortcutCount);
            for (int i = 0; i < m_catalogue->ShortcutCount; ++i) {
                const std::string& name = m_catalogue->Shortcuts[static_cast<std::size_t>(i)].Name;
                const Expected& want = expected.at(name);
                EXPECT_EQ(ListIcon(*m_icons, i),
                          want.file.empty() ? fallback : FileIcon(want.file.c_str(), want.index))
                    << "image " << i << " of " << name;
            }
        }
    }
    SetCurrentDirectoryA(previous);
    EXPECT_NE(FileIcon(shell32.c_str(), 3), FileIcon(shell32.c_str(), 4)) << "icons told apart";
}

TEST_F(Catalogue, NamesOfAnyScriptAreCataloguedExactly)
{
    // Made under plain names, then renamed by the wide call.
    std::wstring desktop = ToWide(SpecialFolder(CSIDL_DESKTOPDIRECTORY));
    std::wstring greek = desktop + L"\\\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 Maps.lnk";
    std::wstring macron = desktop + L"\\\u0100 Tool.lnk";
    std::wstring greekFolder = desktop + L"\\\u03a0\u03c1\u03bf\u03b3\u03c1\u03ac\u03bc\u03bc\u03b1\u03c4\u03b1";
    ASSERT_TRUE(MoveFileW(ToWide(MakeLink({CSIDL_DESKTOPDIRECTORY, "G.lnk", m_program})).c_str(),
                          greek.c_str()));
    ASSERT_TRUE(MoveFileW(ToWide(MakeLink({CSIDL_DESKTOPDIRECTORY, "M.lnk", m_program})).c_str(),
                          macron.c_str()));
    ASSERT_TRUE(CreateDirectoryW(greekFolder.c_str(), nullptr));
    ASSERT_TRUE(MoveFileW(ToWide(MakeLink({CSIDL_DESKTOPDIRECTORY, "Deep.lnk", m_program})).c_str(),
                          (greekFolder + L"\\Deep.lnk").c_str()));
    MakeLink({CSIDL_DESKTOPDIRECTORY, "Caf\xc3\xa9.lnk", m_program});

    Scan();
    std::vector<std::string> names = Names();
    std::sort(names.begin(), names.end());
    // Exactly the file system's names, UTF-8; sorted by bytes.
    EXPECT_EQ(names, (std::vector<std::string>{"Caf\xc3\xa9", "Deep", "\xc4\x80 Tool",
                                               "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1 Maps"}));
    EXPECT_EQ(m_icons->Count(), 4);
    for (int i = 0; i < m_catalogue->ShortcutCount; ++i) {
        const TShortcutCfg& entry = m_catalogue->Shortcuts[static_cast<std::size_t>(i)];
        SCOPED_TRACE(entry.Name);
        // The kept path opens the file itself; the shown one is its UTF-8 form.
        EXPECT_NE(GetFileAttributesW(entry.WideLinkPath.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(entry.LinkPath, ShownText(entry.WideLinkPath));
        if (entry.Name == "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1 Maps") {
            EXPECT_EQ(entry.WideLinkPath, greek);
        }
        if (entry.Name == "Deep") {
            EXPECT_EQ(entry.WideLinkPath, greekFolder + L"\\Deep.lnk");
        }
    }
}

TEST(ShownText, EveryCharacterIsKeptWhateverTheCodePage)
{
    const struct {
        const wchar_t* wide;
        const char* shown;
    } cases[] = {
        {L"", ""},
        {L"Notepad", "Notepad"},
        {L"Caf\u00e9 \u00c0 la carte", "Caf\xc3\xa9 \xc3\x80 la carte"},
        {L"\u20ac 5", "\xe2\x82\xac 5"},
        {L"\u0100\u0101", "\xc4\x80\xc4\x81"},              // not the best fit "Aa"
        {L"\u0395\u03bb\u03bb\u03ac\u03b4\u03b1", "\xce\x95\xce\xbb\xce\xbb\xce\xac\xce\xb4\xce\xb1"},
        {L"\u4e2d\u6587.exe", "\xe4\xb8\xad\xe6\x96\x87.exe"},
        {L"C:\\\u0391\\b.exe", "C:\\\xce\x91\\b.exe"},
        {L"a\xd800" L"b", "a\xef\xbf\xbd" "b"},                    // a lone surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownText(c.wide), c.shown);
}

// The direct reader of program icons against the system's ExtractIcon:
// the same image wherever it answers, and no crash on damaged files.
TEST(ProgramIcon, SameImageAsExtractIconForEveryIconOfRealPrograms)
{
    const std::string shell32 = SystemFile("shell32.dll");
    const std::string regedit = SystemFile("..\\regedit.exe");
    struct Source {
        std::string file;
        int first, last;   // indices; negative ones name resource identifiers
                           // (-1 is left out: with it ExtractIcon counts the icons)
    };
    const Source sources[] = {
        {SystemFile("notepad.exe"), 0, 1},  {regedit, 0, 7},
        {SystemFile("winemine.exe"), 0, 1}, {SystemFile("taskmgr.exe"), 0, 3},
        {SystemFile("winecfg.exe"), 0, 2},  {shell32, 0, 60},
        {shell32, -45, -2},                 {ThisProgram(), 0, 0},
    };
    int read = 0;
    for (const Source& source : sources) {
        for (int index = source.first; index <= source.last; ++index) {
            SCOPED_TRACE(testing::Message() << source.file << " " << index);
            const std::wstring file = ToWide(source.file);
            TIcon system;
            HICON extracted = ExtractIconW(GetModuleHandleW(nullptr), file.c_str(),
                                           static_cast<UINT>(index));
            if (reinterpret_cast<UINT_PTR>(extracted) > 1)
                system.SetHandle(extracted);
            IconHandle direct = ReadProgramIcon(file, index);
            // These are well-formed programs: where the system finds an icon,
            // so does the reader, and it is the same image.
            ASSERT_EQ(static_cast<bool>(direct), !system.Empty());
            if (direct) {
                EXPECT_EQ(Pixels(direct.Get()), Pixels(system.Handle()));
                ++read;
            }
        }
    }
    EXPECT_GT(read, 40);
}

TEST(ProgramIcon, DamagedProgramFilesAreRefusedWithoutHarm)
{
    const std::string copy = MakeFile("damaged.exe", SystemFile("winemine.exe"));
    const std::wstring file = ToWide(copy);
    const std::string original = ReadBytes(copy);
    ASSERT_TRUE(ReadProgramIcon(file, 0)) << "the undamaged copy is read";
    // Where the resource tree starts: the raw-data offset of the ".rsrc"
    // section header.
    const std::size_t header = original.find(std::string(".rsrc\0\0\0", 8));
    ASSERT_NE(header, std::string::npos);
    std::uint32_t tree = 0;
    std::memcpy(&tree, original.data() + header + 20, 4);
    ASSERT_LT(tree, original.size());

    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    auto put = [&](std::size_t offset, const void* bytes, DWORD size) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        DWORD written = 0;
        SetFilePointerEx(handle, at, nullptr, FILE_BEGIN);
        WriteFile(handle, bytes, size, &written, nullptr);
    };
    // Every header field and the first directories of the tree, set to
    // values that point past anything.
    std::vector<std::size_t> offsets;
    for (std::size_t at = 0; at < 1024; at += 4)
        offsets.push_back(at);
    for (std::size_t at = tree; at < tree + 512 && at + 4 <= original.size(); at += 2)
        offsets.push_back(at);
    int answered = 0;
    for (std::uint32_t value : {0xFFFFFFFFu, 0x7FFFFFF0u, 0x00000000u, 0x00010001u}) {
        for (std::size_t at : offsets) {
            put(at, &value, 4);
            if (ReadProgramIcon(file, 0))
                ++answered;
            put(at, original.data() + at, 4);
        }
    }
    // Cut short anywhere in the tree.
    for (std::size_t length = tree; length < tree + 600 && length < original.size(); length += 37) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(length);
        SetFilePointerEx(handle, at, nullptr, FILE_BEGIN);
        SetEndOfFile(handle);
        EXPECT_FALSE(ReadProgramIcon(file, 0)) << length;
    }
    CloseHandle(handle);
    // Most single damages leave the icon readable; what counts is that none
    // of them crashed or hung the reader.
    EXPECT_GT(answered, 0);
}
