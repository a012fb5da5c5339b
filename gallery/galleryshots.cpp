#include "galleryshots.h"

#include "framework/application.h"
#include "framework/gdiobjects.h"
#include "framework/streams.h"

namespace tarnivo::gallery {

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        // The deadline is checked per message: a stream of messages that
        // never runs dry (windows handing the focus to each other) must not
        // keep the caller here for ever.
        while (GetTickCount() - start < milliseconds && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Put back for the caller's loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            try {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            } catch (...) {
                Application->HandleException(std::current_exception());
            }
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

bool ActivateAndSettle(HWND window)
{
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    for (int i = 0; i < 20 && GetForegroundWindow() != window; ++i)
        PumpMessages(50);
    // Focus events of the change still arrive for a moment; they must be
    // handled before anything else is activated.
    PumpMessages(200);
    return GetForegroundWindow() == window;
}

bool CaptureWindow(HWND window, TBitmap& picture)
{
    if (!IsWindow(window))
        return false;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // Wine hands window contents to the X server from its own surfaces a
    // moment after painting; a short pump lets that happen before reading.
    PumpMessages(250);
    GdiFlush();

    RECT r{};
    if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top)
        return false;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(r.right - r.left, r.bottom - r.top);
    WindowDC screen(nullptr);
    if (!screen)
        return false;
    return BitBlt(picture.Canvas().Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen.Get(),
                  r.left, r.top, SRCCOPY | CAPTUREBLT) != FALSE;
}

bool SaveBitmapFile(const TBitmap& picture, const std::string& path, std::string& error)
{
    try {
        TFileStream file(path, TFileMode::fmCreate);
        picture.SaveToStream(file);
    } catch (const Exception& e) {
        error = "cannot write " + path + ": " + e.Message();
        return false;
    }
    return true;
}

std::string JoinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty())
        return name;
    const char last = dir.back();
    if (last == '\\' || last == '/')
        return dir + name;
    return dir + "\\" + name;
}

} // namespace tarnivo::gallery
