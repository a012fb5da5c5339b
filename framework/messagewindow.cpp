#include "messagewindow.h"

#include <memory>

namespace tarnivo {

namespace {

const char* const UtilWindowClass = "TarnivoUtilWindow";

LRESULT CALLBACK UtilWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!method)
        return DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        (*method)(message);
    } catch (...) {
        // No exception may cross the window procedure.
        return DefWindowProcA(window, msg, wParam, lParam);
    }
    return message.Result;
}

void RegisterUtilClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = UtilWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = UtilWindowClass;
    RegisterClassA(&wc);
    registered = true;
}

} // namespace

HWND AllocateHWnd(TWndMethod method)
{
    RegisterUtilClass();
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, UtilWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window && method)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new TWndMethod(std::move(method))));
    return window;
}

void DeallocateHWnd(HWND window)
{
    if (!window)
        return;
    std::unique_ptr<TWndMethod> method(
        reinterpret_cast<TWndMethod*>(SetWindowLongPtrA(window, GWLP_USERDATA, 0)));
    DestroyWindow(window);
}

void DefaultHandler(HWND window, TMessage& message)
{
    message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

} // namespace tarnivo
