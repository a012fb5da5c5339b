// The catalogue scan against real shortcut files in the test prefix.

#include "shortcutfiles.h"

#include "launcher/shortcutscan.h"

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/icon.h"
#include "framework/imagelist.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
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

    void Scan()
    {
        m_catalogue = std::make_unique<TCatalogue>();
        TShortcutScanner scanner(*m_catalogue, *m_icons, m_progress);
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

TEST_F(Catalogue, StopsAtOneThousandEntriesAndStepsTheBars)
{
    // Links made by copying one file: 1005 saves through the shell would be slow.
    std::string first = MakeLink({CSIDL_STARTMENU, "Many\\Link0000.lnk", m_program});
    std::string folder = first.substr(0, first.find_last_of('\\'));
    for (int i = 1; i < 1005; ++i) {
        char name[32];
        snprintf(name, sizeof name, "\\Link%04d.lnk", i);
        ASSERT_TRUE(CopyFileA(first.c_str(), (folder + name).c_str(), FALSE));
    }
    Scan();
    EXPECT_EQ(m_catalogue->ShortcutCount, TCatalogue::Capacity);
    EXPECT_EQ(m_icons->Count(), TCatalogue::Capacity);
    // 1000 / 40 = 25 entries per step: 40 steps, the bars reach 100 exactly.
    EXPECT_EQ(m_progress.Steps, 40);
    EXPECT_EQ(m_progress.Bar, 100);
}
