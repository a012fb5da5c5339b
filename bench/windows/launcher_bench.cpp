// Launcher timings under Wine, printed (median of several runs):
//  - the full catalogue scan (folders, shortcut reading, icons) of 1000 shortcuts;
//  - one key press with 1000 entries: the filter alone, and the result list's
//    rebuild, over the characters of an 8-letter word.

#include "shortcutfiles.h"

#include "launcher/shortcutscan.h"
#include "launcher/typetofind.h"

#include "framework/application.h"
#include "framework/controls/listview.h"
#include "framework/form.h"
#include "framework/imagelist.h"

#include <objbase.h>
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

class NoProgress : public TScanProgress {
    void ScanStarting() override {}
    void SetBars(int) override {}
    void StepBars() override {}
    void RepaintStartup() override {}
    void ScanFinished() override {}
};

const char* const Words[] = {"Studio", "Editor", "Manager", "Player", "Viewer", "Tools",
                             "Office", "Mail",   "Browser", "Paint",  "Notes",  "Backup"};

std::string NameOf(int i)
{
    return std::string(Words[i % 12]) + " " + Words[(i / 12) % 12] + " " + std::to_string(i);
}

// 1000 shortcuts to 100 different programs (ten each, as several versions
// or languages of one program do), each program a file of its own.
constexpr int Programs = 100;

void MakeThousandShortcuts()
{
    ClearAllShortcuts();
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string notepad = std::string(system) + "\\notepad.exe";
    std::vector<std::string> links;
    for (int p = 0; p < Programs; ++p) {
        std::string program = MakeFile("prog" + std::to_string(p) + ".exe", notepad);
        links.push_back(MakeLink({CSIDL_STARTMENU, "Bench\\" + NameOf(p) + ".lnk", program}));
    }
    std::string folder = links[0].substr(0, links[0].find_last_of('\\'));
    for (int i = Programs; i < 1000; ++i)
        CopyFileA(links[static_cast<std::size_t>(i % Programs)].c_str(),
                  (folder + "\\" + NameOf(i) + ".lnk").c_str(), FALSE);
}

void BenchScan(TImageList& icons, TCatalogue& catalogue)
{
    NoProgress progress;
    std::vector<double> full, folders, iconPhase;
    for (int run = 0; run < 5; ++run) {
        TShortcutScanner scanner(catalogue, icons, progress);
        full.push_back(Millis([&] { scanner.ScanShortcuts(); }));
        // The two halves on their own, as the scan runs them (COM held open):
        // reading the shortcuts, and the icons with a cold icon cache.
        CoInitialize(nullptr);
        catalogue.ShortcutCount = 0;
        folders.push_back(Millis([&] {
            for (int csidl : {CSIDL_COMMON_STARTMENU, CSIDL_COMMON_DESKTOPDIRECTORY,
                              CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU})
                scanner.ScanFolder(TShortcutScanner::GetSpecialFolder(csidl));
        }));
        CoUninitialize();
        icons.Clear();
        TShortcutScanner cold(catalogue, icons, progress);
        iconPhase.push_back(Millis([&] {
            for (int i = 0; i < catalogue.ShortcutCount; ++i)
                cold.AddIcon(catalogue.Shortcuts[static_cast<std::size_t>(i)].TargetPath, 0);
        }));
    }
    std::printf("scan of %d shortcuts to %d programs: %.0f ms (median of 5); reading shortcuts "
                "%.0f ms, icons %.0f ms\n",
                catalogue.ShortcutCount, Programs, Median(full), Median(folders), Median(iconPhase));
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
    MakeThousandShortcuts();
    auto icons = std::make_unique<TImageList>(nullptr);
    icons->SetSize(32, 32);
    auto catalogue = std::make_unique<TCatalogue>();
    BenchScan(*icons, *catalogue);
    BenchTyping(*icons, *catalogue);
    ClearAllShortcuts();
    return 0;
}
