// What the launcher's result list costs per typed character: filling a large
// icon list view with up to 1000 items and emptying it again, and reading the
// items back (the duplicate check reads every item's data); plus a folder
// search of 1000 files. Prints the median of 7 runs; asserts nothing.
//
//   tools/wine-run.sh build/win32/tests/framework/controls/controls_bench.exe

#include "framework/application.h"
#include "framework/controls/listview.h"
#include "framework/filesearch.h"
#include "framework/form.h"
#include "framework/imagelist.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace tarnivo;

namespace {

double MedianMs(const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < 7; ++i) {
        auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                         .count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void ListView(TForm& form)
{
    auto* images = new TImageList(&form);
    images->SetSize(32, 32);
    auto* list = new TListView(&form);
    list->SetBounds(8, 56, 561, 150);
    list->SetLargeImages(images);
    list->SetParent(&form);
    form.Show();
    Application->ProcessMessages();

    for (int count : {10, 100, 1000}) {
        auto fill = [&](bool bracket) {
            if (bracket)
                list->Items().BeginUpdate();
            list->Items().Clear();
            for (int i = 0; i < count; ++i)
                list->Items().Add("Shortcut " + std::to_string(i), i, nullptr);
            if (bracket)
                list->Items().EndUpdate();
            UpdateWindow(list->Handle());
        };
        double plain = MedianMs([&] { fill(false); });
        double bracketed = MedianMs([&] { fill(true); });
        double readData = MedianMs([&] {
            for (int i = 0; i < count; ++i)
                (void)list->Items()[i].Data();
        });
        double readCaption = MedianMs([&] {
            for (int i = 0; i < count; ++i)
                (void)list->Items()[i].Caption();
        });
        // The floor: one message per item through the control's procedure chain.
        double countOnly = MedianMs([&] {
            for (int i = 0; i < count; ++i)
                SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0);
        });
        std::printf("list view, %4d items: clear+fill %8.2f ms, with Begin/EndUpdate %8.2f ms, "
                    "read all data %7.2f ms, read all captions %7.2f ms, %d bare messages %6.2f ms\n",
                    count, plain, bracketed, readData, readCaption, count, countOnly);
    }
}

void FolderSearch()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "tarnivo_bench_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    for (int i = 0; i < 1000; ++i) {
        std::string path = dir + "\\file" + std::to_string(i) + ".lnk";
        CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    int found = 0;
    double ms = MedianMs([&] {
        found = 0;
        TSearchRec rec;
        for (int r = FindFirst(dir + "\\*.*", faAnyFile, rec); r == 0; r = FindNext(rec))
            ++found;
        FindClose(rec);
    });
    std::printf("file search, folder of 1000 files: %8.2f ms (%d entries)\n", ms, found);
    for (int i = 0; i < 1000; ++i)
        DeleteFileA((dir + "\\file" + std::to_string(i) + ".lnk").c_str());
    RemoveDirectoryA(dir.c_str());
}

} // namespace

int main()
{
    Application->Initialize();
    std::unique_ptr<TForm> form(MakeForm<TForm>(nullptr));
    form->SetBounds(40, 40, 600, 320);
    ListView(*form);
    FolderSearch();
    return 0;
}
