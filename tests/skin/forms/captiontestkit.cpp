#include "captiontestkit.h"

#include "skin/forms/skinmessages.h"

#include <sstream>

namespace tarnivo::test {

LRESULT QueryAnswer = 0;

namespace {

const char* const ButtonWindowClass = "TarnivoCaptionTestWindow";

LRESULT CALLBACK ButtonWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SKINBUTTONCLICK:
        ++Recorded().clicks;
        Recorded().clickAction = wParam;
        return 0;
    case WM_SKINBUTTONQUERY:
        ++Recorded().queries;
        Recorded().queryCode = wParam;
        Recorded().queryAction = lParam;
        return QueryAnswer;
    case WM_CLOSE:
        ++Recorded().closes;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace

ButtonMessages& Recorded()
{
    static ButtonMessages recorded;
    return recorded;
}

TColor ButtonColour(int index, int frame)
{
    return RGBColor(30 + 40 * index, 20 * frame, 100 + 10 * frame);
}

bool LoadCaptionSkin(TSkinData& data, const std::vector<ButtonSpec>& buttons)
{
    FrameSkinOptions options;
    std::ostringstream ini;
    ini << FrameSkinIni(options);
    Files files = FrameSkinFiles(options);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ButtonSpec& b = buttons[i];
        const std::string file = std::string("btn") + std::to_string(i) + ".bmp";
        ini << "[BUTTON." << b.name << "]\nButtonImage=" << file << "\nframe=" << b.frames
            << "\nAction=" << b.action << "\nAlign=" << b.align << "\nXcoord=" << b.x
            << "\nYcoord=" << b.y << "\nVisibility=" << b.visibility
            << "\nVisibility1=" << b.visibility1 << "\n";
        const int index = static_cast<int>(i);
        const int w = b.width;
        files.emplace_back(file, Bmp(w * b.frames, b.height,
                                     [=](int x, int) { return ButtonColour(index, x / w + 1); }));
    }
    return LoadSkin(data, ini.str(), files);
}

HWND MakeButtonWindow(DWORD style, int width, HMENU menu)
{
    WNDCLASSA existing{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), ButtonWindowClass, &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ButtonWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = ButtonWindowClass;
        RegisterClassA(&wc);
    }
    Recorded() = {};
    HWND window = CreateWindowExA(0, ButtonWindowClass, "Buttons", style, 40, 40, width, 200,
                                  nullptr, menu, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    EXPECT_NE(WaitSkinned(window), nullptr);
    // Skinning keeps the client size; the tests want the window's width.
    SetWindowPos(window, nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return window;
}

LPARAM ScreenLParam(HWND window, POINT inWindow)
{
    RECT r{};
    GetWindowRect(window, &r);
    return MAKELPARAM(r.left + inWindow.x, r.top + inWindow.y);
}

POINT Centre(const TRect& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::unique_ptr<TBitmap> WindowPixels(HWND window)
{
    const TSize size = WindowSize(window);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(size.cx, size.cy);
    HDC dc = GetWindowDC(window);
    BitBlt(bitmap->Canvas().Handle(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return bitmap;
}

} // namespace tarnivo::test
