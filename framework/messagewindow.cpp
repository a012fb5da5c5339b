#include "messagewindow.h"

#include <mutex>
#include <unordered_map>

namespace tarnivo {

namespace {

const wchar_t* const UtilWindowClass = L"TarnivoUtilWindow";

// The subclass of each window AllocateHWnd made; it holds the callable.
struct UtilWindows {
    std::mutex lock;
    std::unordered_map<HWND, TWindowSubclass> subclasses;
};

UtilWindows& TheUtilWindows()
{
    static UtilWindows* windows = new UtilWindows;   // see subclass.cpp: never freed
    return *windows;
}

// Takes the window's subclass out of the table; the caller lets it go.
TWindowSubclass Forget(HWND window)
{
    UtilWindows& u = TheUtilWindows();
    std::lock_guard guard(u.lock);
    auto it = u.subclasses.find(window);
    if (it == u.subclasses.end())
        return {};
    TWindowSubclass subclass = std::move(it->second);
    u.subclasses.erase(it);
    return subclass;
}

void RegisterUtilClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = UtilWindowClass;
    RegisterClassW(&wc);
    registered = true;
}

} // namespace

HWND AllocateHWnd(TWndMethod method)
{
    RegisterUtilClass();
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, UtilWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window || !method)
        return window;
    TWindowSubclass subclass;
    bool installed = subclass.Install(window, [window, method = std::move(method)](TMessage& m) {
        // The callable (this lambda) is freed once the window is gone,
        // whoever destroyed it.
        struct Last {
            HWND window;
            bool last;
            ~Last()
            {
                if (last)
                    Forget(window);
            }
        } last{window, m.Msg == WM_NCDESTROY};
        method(m);
    });
    if (!installed) {
        DestroyWindow(window);
        return nullptr;
    }
    UtilWindows& u = TheUtilWindows();
    std::lock_guard guard(u.lock);
    u.subclasses[window] = std::move(subclass);
    return window;
}

void DeallocateHWnd(HWND window)
{
    if (!window)
        return;
    Forget(window);   // removed and released here, before the window goes
    DestroyWindow(window);
}

void DefaultHandler(HWND window, TMessage& message)
{
    message.Result = DefWindowProcW(window, message.Msg, message.WParam, message.LParam);
}

} // namespace tarnivo
