// The menu band's keyboard path under the default skin, printed (median),
// asserted nowhere: from the Alt+F system command (SC_KEYMENU 'f') reaching
// the window to the last entry of File's drop-down painted. X input latency
// is not included: the command is sent to the window directly.
// Run by hand: tools/wine-run.sh build/win32/bench/windows/menuband_bench.exe

#include "skin/forms/menuband.h"
#include "skin/forms/skinmanager.h"
#include "skin/forms/winskinform.h"
#include "skin/resources/skindata.h"

#include "framework/application.h"
#include "framework/windowshook.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace tarnivo;

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kExit = 5002;

Clock::time_point g_painted;
bool g_seen = false;

bool PumpUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 10000)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

HWND MakeMenuWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "TarnivoMenuBenchWindow";
    RegisterClassA(&wc);
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 5001, "&Refresh");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, kExit, "E&xit");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, 5003, "&About");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Tarnivo menu benchmark",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 30, 30, 580, 300,
                                  nullptr, bar, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    return window;
}

// Sees each WM_DRAWITEM return: the last entry of File drawn ends a run.
LRESULT AfterCall(TWindowsHook& hook, int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (call->message == WM_DRAWITEM &&
        reinterpret_cast<const DRAWITEMSTRUCT*>(call->lParam)->itemID == kExit && !g_seen) {
        g_painted = Clock::now();
        g_seen = true;
        EndMenu();
    }
    return hook.CallNext(code, wParam, lParam);
}

} // namespace

int main()
{
    RegisterSkinEngine();
    Application->Initialize();
    TSkinData data(nullptr);
    const std::string path = std::string(TARNIVO_HOST_BUILD_DIR) + "/skins/slate.skn";
    TMemoryStream skin;
    try {
        skin.LoadFromFile(path);
    } catch (const Exception&) {
        std::printf("no skin at %s; build the native tree first\n", path.c_str());
        return 1;
    }
    data.LoadFromStream(skin);
    data.SetActive(true);
    HWND window = MakeMenuWindow();
    TWinSkinForm* form = nullptr;
    PumpUntil([&] {
        form = FindSkinForm(window);
        return form && form->SkinState == skinstate::Active && form->MenuBar;
    });
    if (!form || !form->MenuBar) {
        std::printf("the window has no skinned menu band\n");
        return 1;
    }
    TWindowsHook hook;
    hook.Install(WH_CALLWNDPROCRET,
                 [&](int code, WPARAM w, LPARAM l) { return AfterCall(hook, code, w, l); });
    std::vector<double> runs;
    for (int i = 0; i < 25; ++i) {
        g_seen = false;
        const auto start = Clock::now();
        SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
        if (g_seen)
            runs.push_back(std::chrono::duration<double, std::milli>(g_painted - start).count());
        PumpUntil([] { return true; });
    }
    hook.Remove();
    if (runs.empty()) {
        std::printf("the drop-down never drew its entries\n");
        return 1;
    }
    std::sort(runs.begin(), runs.end());
    std::printf("Alt+F to File's drop-down painted, %zu runs: median %.2f ms, min %.2f ms, "
                "max %.2f ms\n",
                runs.size(), runs[runs.size() / 2], runs.front(), runs.back());
    DestroyWindow(window);
    FreeSkinManager();
    return 0;
}
