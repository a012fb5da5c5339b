// Scrolling a list view of 1000 large-icon items by one page, with and
// without the skinned scroll bars (border and overlays): two such lists on
// one form, stepped in turn; then the overlay's repaints. Medians of 100
// runs under Wine, printed.

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

// Where a list's page steps go next: down to the end, then up to the top,
// so that every step really moves the list (a list view in icon mode
// ignores SB_TOP, so a step "back to the top" would leave it at the end and
// time a step that does nothing).
struct TStepper {
    HWND List = nullptr;
    bool Down = true;
};

SCROLLINFO ScrollInfo(HWND list)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &si);
    return si;
}

// One page and the repaint it causes.
void PageStep(TStepper& stepper)
{
    const SCROLLINFO si = ScrollInfo(stepper.List);
    if (si.nPos >= si.nMax - static_cast<int>(si.nPage) + 1)
        stepper.Down = false;
    else if (si.nPos <= si.nMin)
        stepper.Down = true;
    SendMessageA(stepper.List, WM_VSCROLL, stepper.Down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    UpdateWindow(stepper.List);
    Pump();
}

// A scroll message that the list view ignores (Wine's list view in icon
// mode does nothing on SB_TOP): what the skin adds to a message and the
// repaint check after it, with no drawing by the list.
void IgnoredStep(HWND list)
{
    SendMessageA(list, WM_VSCROLL, SB_TOP, 0);
    UpdateWindow(list);
    Pump();
}

double Median(std::vector<double>& times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The two lists step in turn, so that both see the same load on a shared
// machine; medians of each.
void InTurn(const std::function<void(HWND)>& step, HWND plain, HWND skinned,
            double& plainMedian, double& skinnedMedian)
{
    std::vector<double> a, b;
    for (int i = 0; i < kRuns; ++i) {
        auto start = Clock::now();
        step(plain);
        a.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        start = Clock::now();
        step(skinned);
        b.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    plainMedian = Median(a);
    skinnedMedian = Median(b);
}

void PrintPair(const char* what, double plain, double skinned)
{
    std::printf("%s\n", what);
    std::printf("  without skin   %8.1f us\n", plain);
    std::printf("  with skin      %8.1f us  (overhead %+.1f us, %+.1f%%)\n", skinned,
                skinned - plain, plain > 0 ? 100.0 * (skinned - plain) / plain : 0.0);
}

TListView* MakeList(TForm* form, TImageList* images, int left)
{
    auto* list = new TListView(form);
    list->SetBounds(left, 10, 600, 420);
    list->SetViewStyle(vsIcon);
    list->SetLargeImages(images);
    list->SetParent(form);
    TListUpdate update(list->Items());
    for (int i = 0; i < kItems; ++i)
        list->Items().Add("Program " + std::to_string(i), 0);
    return list;
}

struct TOverlayCosts {
    double Info = -1;
    double WindowDc = -1;
    double Compose = -1;
    double Copy = -1;
};

// The steps of one overlay repaint timed apart: reading the bar from the
// system, getting the overlay's DC, drawing the bar off-screen, and the one
// transfer to the window.
TOverlayCosts MeasureOverlay(TWScrollbar& bar)
{
    TOverlayCosts costs;
    costs.Info = MedianMicros([&bar] {
        SCROLLBARINFO info{};
        bar.ReadBarInfo(info);
    });
    HWND window = bar.Handle();
    costs.WindowDc = MedianMicros([window] { ReleaseDC(window, GetDC(window)); });
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    costs.Compose = MedianMicros([&bar, memory] { bar.PaintBar(memory); });
    costs.Copy = MedianMicros([&] {
        BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        GdiFlush();
    });
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return costs;
}

// The painter alone on a memory DC: a thumb that moves by 15 pixels at
// every paint (what a page step does to this bar), only the changes copied.
double MeasureThumbStep(TWScrollbar& bar, TSkinData& skin)
{
    TScrollBarLook look;
    look.Vertical = true;
    look.Width = bar.Width();
    look.Height = bar.Height();
    look.ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    look.ThumbStart = 40;
    look.ThumbEnd = 55;
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(look.Width, look.Height);
    HDC dc = target.Canvas().Handle();
    TScrollBarPainter painter;
    const TColor face = skin.Colors(csButtonFace);
    painter.Paint(dc, POINT{0, 0}, skin.Elements(), face, look, TBarRefresh::Whole);
    int step = 15;
    return MedianMicros([&] {
        look.ThumbStart += step;
        look.ThumbEnd += step;
        if (look.ThumbEnd > look.Height - 40 || look.ThumbStart < 40)
            step = -step;
        painter.Paint(dc, POINT{0, 0}, skin.Elements(), face, look, TBarRefresh::Changes);
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
    form->SetBounds(20, 20, 1240, 480);
    auto* images = new TImageList(form.get());
    images->SetSize(32, 32);
    images->AddIcon(LoadIcon(nullptr, IDI_APPLICATION));
    TListView* plainList = MakeList(form.get(), images, 10);
    TListView* skinnedList = MakeList(form.get(), images, 620);
    form->Show();
    Pump();
    auto* skinned = new TSkinListView(skinnedList);
    skinned->InitScrollbar(skinnedList, &skin, nullptr, nullptr);
    Pump();
    double plain = 0, withSkin = 0;
    TStepper plainStepper{plainList->Handle()};
    TStepper skinnedStepper{skinnedList->Handle()};
    InTurn([&](HWND list) { PageStep(list == plainStepper.List ? plainStepper : skinnedStepper); },
           plainList->Handle(), skinnedList->Handle(), plain, withSkin);
    // Both lists to their end; then messages that move nothing.
    for (HWND list : {plainList->Handle(), skinnedList->Handle()}) {
        const SCROLLINFO si = ScrollInfo(list);
        SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, si.nMax), 0);
        UpdateWindow(list);
    }
    Pump();
    double plainStill = 0, skinnedStill = 0;
    InTurn(IgnoredStep, plainList->Handle(), skinnedList->Handle(), plainStill, skinnedStill);
    TWScrollbar* bar = skinned->VertBar();
    const bool shown = bar && bar->Shown();
    const double unchanged = shown ? MedianMicros([bar] { bar->Repaint(); }) : -1;
    const double whole = shown ? MedianMicros([bar] {
        RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }) : -1;
    const TOverlayCosts costs = shown ? MeasureOverlay(*bar) : TOverlayCosts{};
    const double thumbStep = shown ? MeasureThumbStep(*bar, skin) : -1;

    std::printf("list view, %d large-icon items (medians of %d, the two lists in turn)\n", kItems,
                kRuns);
    PrintPair("one page scroll and its repaint:", plain, withSkin);
    PrintPair("a scroll message the list ignores (SB_TOP at the end):", plainStill, skinnedStill);
    std::printf("overlay repaint, bar unchanged   %8.1f us\n", unchanged);
    std::printf("painter, thumb moved (memory DC) %8.1f us\n", thumbStep);
    std::printf("overlay's own WM_PAINT           %8.1f us\n", whole);
    std::printf("a whole bar's steps: bar info %.1f us, window DC %.1f us,\n"
                "    compose into memory %.1f us, copy to the window %.1f us\n",
                costs.Info, costs.WindowDc, costs.Compose, costs.Copy);
    delete skinned;
    return 0;
}
