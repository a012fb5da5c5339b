#include "windowdpi.h"

#include "imagescale.h"

namespace tarnivo {

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int ScaleFromSystemDpi(int value, int dpi)
{
    return MulDiv(value, dpi, SystemDpi());
}

int DpiLength(int length, int dpi)
{
    return dpi > 96 ? TScaleFactor::FromDpi(dpi).Apply(length) : length;
}

} // namespace tarnivo
