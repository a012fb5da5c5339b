// The application the tray tests run in (a yellow icon, a shown main form,
// exceptions collected instead of shown in a message box), and the helpers.

#include "trayhelpers.h"

#include "framework/application.h"
#include "framework/form.h"

#include <gtest/gtest.h>

namespace tarnivo::test {

namespace {
TForm* TheMainForm = nullptr;

class TrayEnvironment : public ::testing::Environment {
    void SetUp() override
    {
        Application->Initialize();
        Application->Icon().SetHandle(MakeSolidIcon(AppColour));
        Application->OnShowException = [](const std::string& text) {
            ShownExceptions().push_back(text);
        };
        TheMainForm = Application->CreateForm<TForm>();
        TheMainForm->SetBounds(100, 100, 300, 200);
        ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
        TheMainForm->Show();
    }
};
[[maybe_unused]] auto* const Registered =
    ::testing::AddGlobalTestEnvironment(new TrayEnvironment);
} // namespace

TForm* MainForm() { return TheMainForm; }

std::vector<std::string>& ShownExceptions()
{
    static std::vector<std::string> shown;
    return shown;
}

HICON MakeSolidIcon(COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, image);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    BYTE opaque[32] = {};   // an all-zero AND mask
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, opaque);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

COLORREF IconColour(HICON icon)
{
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(bi.bmiHeader), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
    GdiFlush();
    DWORD pixel = static_cast<const DWORD*>(bits)[8 * 16 + 8];
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

void FillImageList(TImageList& list, std::initializer_list<COLORREF> colours)
{
    for (COLORREF c : colours) {
        TIcon icon;
        icon.SetHandle(MakeSolidIcon(c));
        list.AddIcon(icon);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        // At most a round of messages between looks at the clock.
        MSG msg;
        for (int n = 0; n < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n)
            DispatchMessageA(&msg);
        Sleep(1);
    }
    return true;
}

} // namespace tarnivo::test
