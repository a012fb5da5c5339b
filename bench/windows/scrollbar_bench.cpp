// Scrolling a list view of 1000 large-icon items by one page, with and
// without the skinned scroll bars (border and overlays), and the overlay's
// repaint alone; medians of 100 runs under Wine, printed.

#include "skin/controls/skinlistview.h"
#include "skin/resources/skindata.h"

#include "framework/application.h"
#include "framework/controls/listview.h"
#include "framework/form.h"
#include "framework/imagelist.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace tarnivo;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRuns = 100;
constexpr int kItems = 1000;

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double MedianMicros(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One page down and the repaint it causes (back to the top at the end).
double PageScroll(HWND list)
{
    return MedianMicros([list] {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(list, SB_VERT, &si);
        const bool atEnd = si.nPos >= si.nMax - static_cast<int>(si.nPage) + 1;
        SendMessageA(list, WM_VSCROLL, atEnd ? SB_TOP : SB_PAGEDOWN, 0);
        UpdateWindow(list);
        Pump();
    });
}

} // namespace

int main()
{
    Application->Initialize();
    TSkinData skin(nullptr);
    if (!skin.ReadSkinStreamResource(Application->Instance(), "GALLERY_SKIN_SLATE")) {
        std::printf("the default skin is not linked in\n");
        return 1;
    }
    std::unique_ptr<TForm> form(MakeForm<TForm>(nullptr));
    form->SetBounds(50, 50, 640, 480);
    auto* images = new TImageList(form.get());
    images->SetSize(32, 32);
    images->AddIcon(LoadIcon(nullptr, IDI_APPLICATION));
    auto* list = new TListView(form.get());
    list->SetBounds(10, 10, 600, 420);
    list->SetViewStyle(vsIcon);
    list->SetLargeImages(images);
    list->SetParent(form.get());
    {
        TListUpdate update(list->Items());
        for (int i = 0; i < kItems; ++i)
            list->Items().Add("Program " + std::to_string(i), 0);
    }
    form->Show();
    Pump();
    HWND window = list->Handle();

    const double plain = PageScroll(window);
    auto* skinned = new TSkinListView(list);
    skinned->InitScrollbar(list, &skin, nullptr, nullptr);
    Pump();
    const double withSkin = PageScroll(window);
    TWScrollbar* bar = skinned->VertBar();
    const double overlay = bar && bar->Shown() ? MedianMicros([bar] { bar->Repaint(); }) : -1;

    std::printf("list view, %d large-icon items, one page scroll (median of %d):\n", kItems, kRuns);
    std::printf("  without skin   %8.1f us\n", plain);
    std::printf("  with skin      %8.1f us  (overhead %+.1f us, %+.0f%%)\n", withSkin,
                withSkin - plain, plain > 0 ? 100.0 * (withSkin - plain) / plain : 0.0);
    std::printf("  overlay repaint alone %8.1f us\n", overlay);
    delete skinned;
    return 0;
}
