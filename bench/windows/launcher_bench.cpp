// Launcher timings under Wine, printed (median of several runs):
//  - the full catalogue scan (folders, shortcut reading, icons) of 300 and
//    1000 shortcuts to as many programs, and of 1000 shortcuts to 100
//    programs, with worker threads and on one thread;
//  - one key press with 1000 entries: the filter alone, and the result list's
//    rebuild, over the characters of an 8-letter word;
//  - Tarnivo.exe itself with 1000 shortcuts to 1000 programs, timed from this
//    process: start-up until the main window is shown, memory after the scan,
//    a key sent to the result list until the list is rebuilt and repainted,
//    F11 from the tray until the window is shown with the list focused.
//
//   tools/wine-run.sh build/win32/bench/windows/launcher_bench.exe [--typing] [EXE...]

#include "programrun.h"
#include "shortcutfiles.h"

#include "launcher/mainform.h"
#include "launcher/shortcutscan.h"
#include "launcher/typetofind.h"

#include "framework/application.h"
#include "framework/controls/listview.h"
#include "framework/form.h"
#include "framework/imagelist.h"

#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;
using Clock = std::chrono::steady_clock;

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Millis(const std::function<void()>& work)
{
    auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

const char* const Words[] = {"Studio", "Editor", "Manager", "Player", "Viewer", "Tools",
                             "Office", "Mail",   "Browser", "Paint",  "Notes",  "Backup"};

std::string NameOf(int i)
{
    return std::string(Words[i % 12]) + " " + Words[(i / 12) % 12] + " " + std::to_string(i);
}

// The programs the shortcuts point at: copies of a small program with a
// three-size icon (benchprogram.exe, built beside this benchmark), each copy
// a file of its own, as each program of a real start menu is.
std::string MakePrograms(int count)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string source(self);
    source = source.substr(0, source.find_last_of('\\')) + "\\benchprogram.exe";
    for (int p = 0; p < count; ++p)
        MakeFile("prog" + std::to_string(p) + ".exe", source);
    return ScratchFolder();
}

// `shortcuts` shortcuts to `programs` programs in one start-menu folder:
// shortcut i starts program i % programs (several shortcuts to one program,
// as versions or languages of one program have, when programs < shortcuts).
void MakeShortcuts(int shortcuts, int programs, const std::string& programFolder)
{
    ClearAllShortcuts();
    std::vector<std::string> links;
    for (int p = 0; p < std::min(programs, shortcuts); ++p)
        links.push_back(MakeLink({CSIDL_STARTMENU, "Bench\\" + NameOf(p) + ".lnk",
                                  programFolder + "\\prog" + std::to_string(p) + ".exe"}));
    std::string folder = links[0].substr(0, links[0].find_last_of('\\'));
    for (int i = programs; i < shortcuts; ++i)
        CopyFileA(links[static_cast<std::size_t>(i % programs)].c_str(),
                  (folder + "\\" + NameOf(i) + ".lnk").c_str(), FALSE);
}

// Times the parts of a scan from its progress reports: the shortcuts are
// read by the time the bars reach 60, the icons are in the list at 100.
class PhaseClock : public TScanProgress {
public:
    void ScanStarting() override { m_start = Clock::now(); }
    void SetBars(int value) override
    {
        if (value == 60)
            m_read = Clock::now();
        if (value == 100)
            m_done = Clock::now();
    }
    void StepBars() override {}
    void RepaintStartup() override {}
    void ScanFinished() override {}
    double Reading() const { return Span(m_start, m_read); }
    double Icons() const { return Span(m_read, m_done); }

private:
    static double Span(Clock::time_point a, Clock::time_point b)
    {
        return std::chrono::duration<double, std::milli>(b - a).count();
    }
    Clock::time_point m_start, m_read, m_done;
};

struct ScanFigures {
    std::vector<double> Full, Reading, Icons;
    void Print(const char* how) const
    {
        std::printf("  %-26s %5.0f ms (reading shortcuts %4.0f ms, icons %4.0f ms)\n", how,
                    Median(Full), Median(Reading), Median(Icons));
    }
};

// The full scan, with the default worker threads and with everything on the
// calling thread, alternately, so that both see the same machine.
void BenchScan(TImageList& icons, TCatalogue& catalogue, int shortcuts, int programs)
{
    const int threads = TShortcutScanner::DefaultWorkers();
    ScanFigures parallel, serial;
    for (int run = 0; run < 5; ++run) {
        for (int workers : {threads, 0}) {
            PhaseClock clock;
            TShortcutScanner scanner(catalogue, icons, clock, workers);
            double ms = Millis([&] { scanner.ScanShortcuts(); });
            ScanFigures& figures = workers ? parallel : serial;
            figures.Full.push_back(ms);
            figures.Reading.push_back(clock.Reading());
            figures.Icons.push_back(clock.Icons());
        }
    }
    std::printf("scan of %d shortcuts to %d programs (%d catalogued, %d images; median of 5):\n",
                shortcuts, programs, catalogue.ShortcutCount, icons.Count());
    char how[64];
    std::snprintf(how, sizeof how, "%d worker threads:", threads);
    parallel.Print(how);
    serial.Print("all on the window's thread:");
}

// Paints whatever a key press left to repaint: the list and the form's labels.
void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

const std::string BenchWord = "stdioedt";   // 8 characters, in order in many names

// The result list as it was filled before it had owner data: every result an
// item of its own, inserted on each key. Kept to compare with.
void BenchTypingItemList(TImageList& icons, TCatalogue& catalogue)
{
    TForm form(nullptr);
    form.SetClientSize(580, 276);
    auto* list = new TListView(&form);
    list->SetBounds(8, 56, 561, 150);
    list->SetViewStyle(vsIcon);
    list->SetLargeImages(&icons);
    list->SetParent(&form);
    form.Show();

    TTypeToFind finder(catalogue);
    std::vector<double> filter, fill, redraw, paint, total;
    std::vector<std::size_t> sizes;
    for (int run = 0; run < 5; ++run) {
        finder.ResetTypedText();
        for (char c : BenchWord) {
            ++finder.KeyPressCount;
            finder.TypedText += c;
            filter.push_back(Millis([&] { finder.FilterList(); }));
            sizes.push_back(finder.Result().size());
            TListItems& items = list->Items();
            HWND window = list->Handle();
            // Drawing switched off and on as the list view's update bracket
            // did then (it now also keeps the scroll bar from being drawn).
            fill.push_back(Millis([&] {
                SendMessageA(window, WM_SETREDRAW, FALSE, 0);
                items.Clear();
                for (int i : finder.Result())
                    items.Add(catalogue.Shortcuts[static_cast<std::size_t>(i)].Name, i,
                              &catalogue.Shortcuts[static_cast<std::size_t>(i)]);
            }));
            // Drawing switched back on: the list view lays out and invalidates.
            redraw.push_back(Millis([&] {
                SendMessageA(window, WM_SETREDRAW, TRUE, 0);
                InvalidateRect(window, nullptr, TRUE);
            }));
            paint.push_back(Millis([&] { Repaint(form.Handle()); }));
            total.push_back(filter.back() + fill.back() + redraw.back() + paint.back());
            if (run == 0)   // one word's keys in detail: the cost follows the item count
                std::printf("  key %c: %zu items, filter %.3f, fill %.3f, redraw %.3f, paint %.3f ms\n",
                            c, sizes.back(), filter.back(), fill.back(), redraw.back(), paint.back());
            Application->ProcessMessages();
        }
    }
    std::printf("item list (as before), key press with %d entries (median over an 8-letter word, "
                "5 runs): filter %.3f ms, list fill %.3f ms, redraw %.3f ms, paint %.3f ms; "
                "all of it %.3f ms, slowest key %.3f ms (results per key: first %zu, last %zu)\n",
                catalogue.ShortcutCount, Median(filter), Median(fill), Median(redraw),
                Median(paint), Median(total), *std::max_element(total.begin(), total.end()),
                sizes.front(), sizes.back());
}

// The launcher's own main window with its owner-data result list: the key
// goes to the list as the keyboard gives it (handler: filter, new count,
// top result selected), then everything it left is painted.
void BenchTypingLauncher(TImageList& icons, const TCatalogue& scanned)
{
    Catalogue() = scanned;
    // As FormCreate leaves it, without its scan: the catalogue is given.
    auto form = std::make_unique<TForm1>(nullptr, nullptr);
    form->ListView2->SetLargeImages(&icons);
    form->PrepareFirstKey();
    form->Show();
    Application->ProcessMessages();

    std::vector<double> handler, paint, total, first;
    for (int run = 0; run < 5; ++run) {
        form->ListView2->Perform(WM_CHAR, 27, 1);   // Esc: a fresh search
        Repaint(form->Handle());
        for (std::size_t k = 0; k < BenchWord.size(); ++k) {
            char c = BenchWord[k];
            handler.push_back(Millis([&] {
                form->ListView2->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
            }));
            paint.push_back(Millis([&] { Repaint(form->Handle()); }));
            total.push_back(handler.back() + paint.back());
            if (k == 0)
                first.push_back(total.back());
            if (run == 0)
                std::printf("  key %c: %d items, key handler %.3f, paint %.3f ms\n", c,
                            form->ListView2->Items().Count(), handler.back(), paint.back());
            Application->ProcessMessages();
        }
    }
    std::printf("owner-data list (the launcher's), key press with %d entries (median over an "
                "8-letter word, 5 runs): key handler (filter and list) %.3f ms, paint %.3f ms; "
                "all of it %.3f ms, first key %.3f ms, slowest key %.3f ms   target: under 5 ms "
                "for every key\n",
                scanned.ShortcutCount, Median(handler), Median(paint), Median(total),
                Median(first), *std::max_element(total.begin(), total.end()));
}

void BenchTyping(TImageList& icons, TCatalogue& catalogue)
{
    // Distinct targets, or the one-entry-per-program rule would list one item.
    for (int i = 0; i < catalogue.ShortcutCount; ++i)
        catalogue.Shortcuts[static_cast<std::size_t>(i)].TargetPath =
            "C:\\Bench\\" + std::to_string(i) + ".exe";
    // Both ways in the same run, in turn, so that they meet the same load.
    BenchTypingItemList(icons, catalogue);
    BenchTypingLauncher(icons, catalogue);
}

std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

void PrintFigure(const char* what, const std::vector<double>& ms, const char* target)
{
    if (ms.empty()) {
        std::printf("%s: not measured\n", what);
        return;
    }
    std::printf("%s: %.2f ms median of %zu (min %.2f, max %.2f)   target: %s\n", what, Median(ms),
                ms.size(), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), target);
}

struct ProgramFigures {
    std::string Exe;
    std::vector<double> Startup, FirstKey, LaterKeys, AllKeys, HotKey;
    std::vector<std::string> Details;   // the first run's keys
    bench::MemoryFigures Memory;
    bool Keyboard = true;
};

// One run of the program: start-up, the benchmark word typed into the list,
// three trips to the tray and back with F11.
void RunProgramOnce(ProgramFigures& f, int run)
{
    const std::string word = "stdioedt";
    bench::RunningProgram program(f.Exe, "");
    double shown = program.WaitShown(180000);
    if (shown < 0) {
        std::printf("  %s run %d: the main window did not appear\n", f.Exe.c_str(), run);
        return;
    }
    f.Startup.push_back(shown);
    bench::MemoryFigures m = program.Memory();
    if (m.Known && m.PeakWorkingSetMB > f.Memory.PeakWorkingSetMB)
        f.Memory = m;
    program.TypeKey(27);   // Esc: a fresh search
    for (std::size_t k = 0; k < word.size(); ++k) {
        double ms = program.TypeKey(word[k]);
        if (ms < 0) {
            std::printf("  %s run %d: key %c not answered\n", f.Exe.c_str(), run, word[k]);
            continue;
        }
        (k == 0 ? f.FirstKey : f.LaterKeys).push_back(ms);
        f.AllKeys.push_back(ms);
        if (run == 0) {
            DWORD_PTR count = 0;
            SendMessageTimeoutA(program.List(), LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
            char line[96];
            std::snprintf(line, sizeof line, "  key %c: %lu items, %.2f ms from outside", word[k],
                          static_cast<unsigned long>(count), ms);
            f.Details.push_back(line);
        }
    }
    program.TypeKey(27);
    for (int cycle = 0; cycle < 3; ++cycle) {
        if (!program.ToTray(5000)) {
            std::printf("  %s run %d: the window did not go to the tray\n", f.Exe.c_str(), run);
            break;
        }
        Sleep(100);
        double ms = program.PressHotKey(5000, f.Keyboard);
        if (ms >= 0)
            f.HotKey.push_back(ms);
        else
            std::printf("  %s run %d: F11 did not bring the window back\n", f.Exe.c_str(), run);
    }
}

void PrintProgram(const ProgramFigures& f)
{
    std::printf("%s:\n", f.Exe.c_str());
    for (const std::string& line : f.Details)
        std::printf("%s\n", line.c_str());
    PrintFigure("  start-up until the main window is shown and painted", f.Startup, "none set");
    PrintFigure("  key sent to the list until rebuilt and repainted, every key", f.AllKeys,
                "under 5 ms for every key");
    PrintFigure("    the first key of the word", f.FirstKey, "under 5 ms");
    PrintFigure("    the later keys", f.LaterKeys, "under 5 ms");
    if (!f.AllKeys.empty())
        std::printf("    slowest key of all runs: %.2f ms   target: under 5 ms\n",
                    *std::max_element(f.AllKeys.begin(), f.AllKeys.end()));
    PrintFigure(f.Keyboard ? "  F11 (key press) from the tray until shown, list focused, painted"
                           : "  F11 (WM_HOTKEY posted: the synthesised key did not reach the "
                             "hot key) from the tray until shown, list focused, painted",
                f.HotKey, "none set");
    if (f.Memory.Known)
        std::printf("  memory after the scan (run with the largest peak): peak working set %.1f MB, "
                    "working set %.1f MB, private bytes %.1f MB (peak %.1f MB)   target: under "
                    "40 MB\n",
                    f.Memory.PeakWorkingSetMB, f.Memory.WorkingSetMB, f.Memory.PrivateMB,
                    f.Memory.PeakPrivateMB);
    else
        std::printf("  memory after the scan: not available\n");
}

// Every program given is run in turn, five times each, interleaved, so that
// a before/after pair meets the same machine load.
void BenchPrograms(const std::vector<std::string>& exes, const std::string& programFolder)
{
    // What the process costs with nothing to catalogue, for comparison.
    ClearAllShortcuts();
    for (const std::string& exe : exes) {
        bench::RunningProgram program(exe, "");
        if (program.WaitShown(60000) < 0)
            continue;
        bench::MemoryFigures m = program.Memory();
        if (m.Known)
            std::printf("%s with no shortcuts: peak working set %.1f MB, working set %.1f MB, "
                        "private bytes %.1f MB\n",
                        exe.c_str(), m.PeakWorkingSetMB, m.WorkingSetMB, m.PrivateMB);
    }
    MakeShortcuts(1000, 1000, programFolder);
    std::printf("Tarnivo.exe with 1000 shortcuts to 1000 programs, timed from outside "
                "(5 runs each):\n");
    std::vector<ProgramFigures> figures;
    for (const std::string& exe : exes) {
        figures.emplace_back();
        figures.back().Exe = exe;
    }
    for (int run = 0; run < 5; ++run)
        for (ProgramFigures& f : figures)
            RunProgramOnce(f, run);
    for (const ProgramFigures& f : figures)
        PrintProgram(f);
}

} // namespace

// launcher_bench.exe [--typing] [TARNIVO.EXE [OTHER.EXE...]]: the programs to
// time from outside (default: the Tarnivo.exe of this build); more than one
// are compared in the same run. --typing: only the key presses inside this
// process (one scan, no program runs).
int main(int argc, char** argv)
{
    Application->Initialize();
    std::vector<std::string> exes;
    bool typingOnly = false;   // --typing: the key presses inside this process only
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--typing")
            typingOnly = true;
        else
            exes.push_back(WindowsPath(argv[i]));
    }
    if (exes.empty())
        exes.push_back(WindowsPath(TARNIVO_EXE_PATH));
    auto icons = std::make_unique<TImageList>(nullptr);
    icons->SetSize(32, 32);
    auto catalogue = std::make_unique<TCatalogue>();
    std::string programs = MakePrograms(1000);
    if (typingOnly) {
        MakeShortcuts(1000, 1000, programs);
        PhaseClock progress;
        TShortcutScanner(*catalogue, *icons, progress).ScanShortcuts();
    } else {
        MakeShortcuts(300, 300, programs);
        BenchScan(*icons, *catalogue, 300, 300);
        MakeShortcuts(1000, 100, programs);
        BenchScan(*icons, *catalogue, 1000, 100);
        MakeShortcuts(1000, 1000, programs);
        BenchScan(*icons, *catalogue, 1000, 1000);
    }
    BenchTyping(*icons, *catalogue);
    if (!typingOnly)
        BenchPrograms(exes, programs);
    ClearAllShortcuts();
    return 0;
}
