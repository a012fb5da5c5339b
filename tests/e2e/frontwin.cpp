// frontwin.exe: "another program" for the hot-key tests. Wine delivers a
// registered hot key only while one of its own windows has the X focus, so a
// test puts this plain window (an edit box inside) in front and presses the key.
//
//   frontwin.exe [CAPTION [LIFETIME_MS]]
//
// It closes on WM_CLOSE or by itself after LIFETIME_MS (default 120000), so a
// test that dies early leaves nothing running for long.

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

const UINT_PTR LifetimeTimer = 1;

LRESULT CALLBACK FrontWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 8,
                        8, 200, 24, window, nullptr, GetModuleHandleA(nullptr), nullptr);
        return 0;
    case WM_SETFOCUS: {
        // Keep the keyboard focus in the edit box, as a real program would.
        if (HWND edit = GetWindow(window, GW_CHILD))
            SetFocus(edit);
        return 0;
    }
    case WM_TIMER:
        if (wParam == LifetimeTimer)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    std::string caption = argc > 1 ? argv[1] : "E2E Front";
    UINT lifetime = argc > 2 ? static_cast<UINT>(std::strtoul(argv[2], nullptr, 10)) : 120000;

    WNDCLASSA wc{};
    wc.lpfnWndProc = FrontWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TarnivoE2EFront";
    if (!RegisterClassA(&wc))
        return 1;
    HWND window = CreateWindowExA(0, wc.lpszClassName, caption.c_str(),
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 100, 240, 90, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    if (!window)
        return 1;
    SetTimer(window, LifetimeTimer, lifetime ? lifetime : 120000, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
