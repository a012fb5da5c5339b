#pragma once
// Shared pieces of the tray icon tests: solid-colour icons whose colour tells
// which icon the component shows, a subclass that records the virtual calls,
// and the message pump.

#include "tray/trayicon.h"

#include "framework/application.h"
#include "framework/icon.h"
#include "framework/imagelist.h"

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tarnivo::test {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
// The application's icon in every test (see the environment in the tests).
constexpr COLORREF AppColour = RGB(255, 255, 0);

// A 16 x 16 opaque icon of one colour.
inline HICON MakeSolidIcon(COLORREF colour)
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

    // An all-zero AND mask: every pixel is opaque.
    BYTE zeros[16 * 2] = {};
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, zeros);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

// The colour in the middle of the icon, drawn over white.
inline COLORREF IconColour(HICON icon)
{
    if (!icon)
        return CLR_INVALID;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
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

// An image list with one solid icon per colour.
inline void FillImageList(TImageList& list, std::initializer_list<COLORREF> colours)
{
    for (COLORREF c : colours) {
        TIcon icon;
        icon.SetHandle(MakeSolidIcon(c));
        list.AddIcon(icon);
    }
}

// Processes messages (timers included) until `done` or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    }
    return true;
}

inline std::string ButtonName(TMouseButton button)
{
    switch (button) {
    case mbLeft: return "left";
    case mbRight: return "right";
    case mbMiddle: return "middle";
    }
    return "?";
}

// Records the virtual calls the message window makes. Restore and ShowMenu
// only record, so walking the message table leaves the windows alone.
class RecordingTray : public TTrayIcon {
public:
    using TTrayIcon::TTrayIcon;

    std::vector<std::string> Calls;
    TShiftState LastShift;
    POINT LastPos{-1, -1};
    int Updates = 0;
    std::vector<int> AnimatedIndexes;

    void Restore() override { Calls.push_back("Restore"); }
    void ShowMenu() override { Calls.push_back("ShowMenu"); }
    void Update() override
    {
        ++Updates;
        TTrayIcon::Update();
    }
    void DoOnAnimate() override
    {
        TTrayIcon::DoOnAnimate();
        AnimatedIndexes.push_back(IconIndex());
    }

protected:
    void DoClick() override
    {
        Calls.push_back("DoClick");
        TTrayIcon::DoClick();
    }
    void DoDblClick() override
    {
        Calls.push_back("DoDblClick");
        TTrayIcon::DoDblClick();
    }
    void DoMouseMove(TShiftState shift, int x, int y) override
    {
        Calls.push_back("DoMouseMove");
        Remember(shift, x, y);
        TTrayIcon::DoMouseMove(shift, x, y);
    }
    void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) override
    {
        Calls.push_back("DoMouseDown " + ButtonName(button));
        Remember(shift, x, y);
        TTrayIcon::DoMouseDown(button, shift, x, y);
    }
    void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) override
    {
        Calls.push_back("DoMouseUp " + ButtonName(button));
        Remember(shift, x, y);
        TTrayIcon::DoMouseUp(button, shift, x, y);
    }

private:
    void Remember(TShiftState shift, int x, int y)
    {
        LastShift = shift;
        LastPos = {x, y};
    }
};

// Sends the callback exactly as the shell does: wParam the icon's id,
// lParam the mouse message.
inline LRESULT SendTrayCallback(const TTrayIcon& tray, UINT mouseMessage)
{
    return SendMessageA(tray.Handle(), TTrayIcon::CallbackMessage, tray.IconData().uID,
                        mouseMessage);
}

// Asks the shell directly whether it knows an icon with this record.
inline bool ShellKnows(TNotifyIconData record)
{
    return Shell_NotifyIconA(NIM_MODIFY, reinterpret_cast<NOTIFYICONDATAA*>(&record)) != FALSE;
}

// Holds keys down in this thread's keyboard state (what GetKeyState reads)
// and releases them on destruction.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<BYTE> keys)
    {
        GetKeyboardState(m_saved);
        BYTE state[256];
        GetKeyboardState(state);
        for (BYTE k : keys)
            state[k] |= 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};

} // namespace tarnivo::test
