// The skinned frame's costs under the default skin, printed (medians),
// asserted nowhere:
//   - one full non-client paint (UpdateNc) of a 580 x 276 window at 96 DPI
//     and of the same window at 192 DPI (1160 x 552, drawn from the doubled
//     skin), side by side, with the one-time cost of doubling the skin;
//   - skinning one window, from CN_SkinActive to its frame painted;
//   - re-skinning 50 open windows when the skin changes.
// Run by hand: tools/wine-run.sh build/win32/bench/windows/skinform_bench.exe

#include "skin/forms/skinmanager.h"
#include "skin/forms/skinmessages.h"
#include "skin/forms/winskinform.h"
#include "skin/resources/skindata.h"

#include "framework/application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace tarnivo;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000)
            return false;
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

bool LoadSkinFile(TSkinData& data, const std::string& name)
{
    const std::string path = std::string(TARNIVO_HOST_BUILD_DIR) + "/skins/" + name;
    TMemoryStream skin;
    try {
        skin.LoadFromFile(path);
    } catch (const Exception&) {
        std::printf("no skin at %s; build the native tree first\n", path.c_str());
        return false;
    }
    data.LoadFromStream(skin);
    return !data.Empty();
}

HWND MakeWindow(int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = "TarnivoBenchWindow";
        RegisterClassA(&wc);
        registered = true;
    }
    HWND window = CreateWindowExA(0, "TarnivoBenchWindow", "Tarnivo benchmark window",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 30, 30,
                                  width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

TWinSkinForm* Skinned(HWND window)
{
    TWinSkinForm* form = nullptr;
    PumpUntil([&] {
        form = FindSkinForm(window);
        return form && form->SkinState == skinstate::Active;
    });
    return form;
}

// Median and minimum of 200 full frame paints.
std::pair<double, double> PaintCost(TWinSkinForm& form)
{
    std::vector<double> paint;
    for (int i = 0; i < 200; ++i) {
        const auto start = Clock::now();
        form.UpdateNc(nullptr);
        GdiFlush();
        paint.push_back(Ms(start));
    }
    return {Median(paint), *std::min_element(paint.begin(), paint.end())};
}

// The window told its DPI as the system tells a per-monitor aware program,
// then given the size it has at that DPI.
double MoveToDpi(HWND window, int dpi, int width, int height)
{
    RECT suggested{30, 30, 30 + width, 30 + height};
    const auto start = Clock::now();
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    const double took = Ms(start);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    return took;
}

} // namespace

int main()
{
    RegisterSkinEngine();
    Application->Initialize();
    TSkinData data(nullptr);
    if (!LoadSkinFile(data, "slate.skn"))
        return 1;
    data.SetActive(true);
    TSkinManage* manager = SkinManage();

    // One full frame paint.
    HWND window = MakeWindow(580, 276);
    SetActiveWindow(window);
    TWinSkinForm* form = Skinned(window);
    if (!form) {
        std::printf("the window was not skinned\n");
        return 1;
    }
    const auto [median96, min96] = PaintCost(*form);
    const double firstMove = MoveToDpi(window, 192, 1160, 552);
    const auto [median192, min192] = PaintCost(*form);
    std::printf("UpdateNc, 200 runs each:   96 DPI (580 x 276)   192 DPI (1160 x 552)\n");
    std::printf("  median                    %8.3f ms         %8.3f ms\n", median96, median192);
    std::printf("  min                       %8.3f ms         %8.3f ms\n", min96, min192);
    std::printf("WM_DPICHANGED to 192 the first time (the skin doubled, frame re-bound): %.2f ms\n",
                firstMove);
    std::printf("decoded pictures of the skin: %zu KB at 96 DPI, %zu KB in the 192 DPI set\n",
                ElementPixelBytes(data.Elements()) / 1024, ElementPixelBytes(data.ElementsAt(192)) / 1024);
    std::printf("  again (the doubled skin kept): %.2f ms\n", (MoveToDpi(window, 96, 580, 276),
                                                           MoveToDpi(window, 192, 1160, 552)));
    DestroyWindow(window);

    // Skinning one window: the start-up sequence and the first frame paint.
    std::vector<double> start;
    for (int i = 0; i < 30; ++i) {
        manager->SetEnabled(false);
        HWND w = MakeWindow(580, 276);
        Pump();
        manager->SetEnabled(true);
        manager->AddForm(w);
        MSG posted;
        while (PeekMessageA(&posted, w, CN_SkinActive, CN_SkinActive, PM_REMOVE)) {
        }
        const auto t = Clock::now();
        SendMessageA(w, CN_SkinActive, 0, 1000);
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        GdiFlush();
        start.push_back(Ms(t));
        DestroyWindow(w);
    }
    std::printf("skinning one window (CN_SkinActive to painted), 30 runs: median %.3f ms\n",
                Median(start));

    // Re-skinning 50 open windows.
    std::vector<HWND> windows;
    for (int i = 0; i < 50; ++i) {
        windows.push_back(MakeWindow(300 + i, 200));
        SetActiveWindow(windows.back());
        if (!Skinned(windows.back())) {
            std::printf("window %d was not skinned\n", i);
            return 1;
        }
    }
    std::vector<double> reskin;
    for (int round = 0; round < 6; ++round) {
        if (!LoadSkinFile(data, round % 2 ? "slate.skn" : "paper.skn"))
            return 1;
        const auto t = Clock::now();
        manager->OnTimer();
        GdiFlush();
        reskin.push_back(Ms(t));
        Pump();
    }
    std::printf("re-skinning 50 open windows, 6 switches: median %.2f ms (skin load not counted)\n",
                Median(reskin));
    for (HWND w : windows)
        DestroyWindow(w);
    FreeSkinManager();
    return 0;
}
