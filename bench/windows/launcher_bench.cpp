// Launcher timings under Wine, printed (median of several runs):
//  - the full catalogue scan (folders, shortcut reading, icons) of 300 and
//    1000 shortcuts to as many programs, and of 1000 shortcuts to 100
//    programs, with worker threads and on one thread;
//  - one key press with 1000 entries: the filter alone, and the result list's
//    rebuild, over the characters of an 8-letter word.

#include "shortcutfiles.h"

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

void BenchTyping(TImageList& icons, TCatalogue& catalogue)
{
    TForm form(nullptr);
    form.SetClientSize(580, 276);
    auto* list = new TListView(&form);
    list->SetBounds(8, 56, 561, 150);
    list->SetViewStyle(vsIcon);
    list->SetLargeImages(&icons);
    list->SetParent(&form);
    form.Show();

    // Distinct targets, or the one-entry-per-program rule would list one item.
    for (int i = 0; i < catalogue.ShortcutCount; ++i)
        catalogue.Shortcuts[static_cast<std::size_t>(i)].TargetPath =
            "C:\\Bench\\" + std::to_string(i) + ".exe";
    TTypeToFind finder(catalogue);
    const std::string word = "stdioedt";   // 8 characters, in order in many names
    std::vector<double> filter, fill, redraw;
    std::vector<std::size_t> sizes;
    for (int run = 0; run < 5; ++run) {
        finder.ResetTypedText();
        for (char c : word) {
            ++finder.KeyPressCount;
            finder.TypedText += c;
            filter.push_back(Millis([&] { finder.FilterList(); }));
            sizes.push_back(finder.Result().size());
            TListItems& items = list->Items();
            fill.push_back(Millis([&] {
                items.BeginUpdate();
                items.Clear();
                for (int i : finder.Result())
                    items.Add(catalogue.Shortcuts[static_cast<std::size_t>(i)].Name, i,
                              &catalogue.Shortcuts[static_cast<std::size_t>(i)]);
            }));
            // Drawing switched back on: the list view lays out and repaints.
            redraw.push_back(Millis([&] {
                items.EndUpdate();
            }));
            Application->ProcessMessages();
            if (run == 0)   // one word's keys in detail: the cost follows the item count
                std::printf("  key %c: %zu items, filter %.3f, fill %.3f, redraw %.3f ms\n", c,
                            sizes.back(), filter.back(), fill.back(), redraw.back());
        }
    }
    std::printf("key press with %d entries (median over an 8-letter word, 5 runs): "
                "filter %.3f ms, list fill %.3f ms, redraw and repaint %.3f ms "
                "(results per key: first %zu, last %zu)\n",
                catalogue.ShortcutCount, Median(filter), Median(fill), Median(redraw),
                sizes.front(), sizes.back());
}

} // namespace

int main()
{
    Application->Initialize();
    auto icons = std::make_unique<TImageList>(nullptr);
    icons->SetSize(32, 32);
    auto catalogue = std::make_unique<TCatalogue>();
    std::string programs = MakePrograms(1000);
    MakeShortcuts(300, 300, programs);
    BenchScan(*icons, *catalogue, 300, 300);
    MakeShortcuts(1000, 100, programs);
    BenchScan(*icons, *catalogue, 1000, 100);
    MakeShortcuts(1000, 1000, programs);
    BenchScan(*icons, *catalogue, 1000, 1000);
    BenchTyping(*icons, *catalogue);
    ClearAllShortcuts();
    return 0;
}
