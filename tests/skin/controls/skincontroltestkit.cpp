#include "skincontroltestkit.h"

#include "skintestkit.h"

#include "framework/application.h"

namespace tarnivo::test {

namespace {

// A plain window class that paints itself kPanelColor, as a raw control of
// another module would paint its own look.
LRESULT CALLBACK RawProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        HBRUSH brush = CreateSolidBrush(kPanelColor);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        if (!wParam)
            EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

const wchar_t* RawClass()
{
    static const wchar_t* name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RawProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TarnivoRawControl";
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        return L"TarnivoRawControl";
    }();
    return name;
}

} // namespace

void ControlSkinTest::SetUp()
{
    Application->Initialize();
    m_data = std::make_unique<TSkinData>(nullptr);
    ASSERT_TRUE(LoadSkin(*m_data, "[TitlebarSkin]\nSkinName=Controls\n[Colours]\nButtonFace=10 20 30\n"));
    ASSERT_EQ(m_data->Colors(csButtonFace), kButtonFace);
    m_host = std::make_unique<TWinSkinForm>();
    m_form.reset(MakeForm<TForm>(nullptr));
    m_form->SetBounds(60, 60, 300, 200);
    m_form->SetColor(RGBColor(0, 0, 255));
    m_panel = new TPanel(m_form.get());
    m_panel->SetBounds(10, 10, 80, 40);
    m_panel->SetColor(kPanelColor);
    m_panel->SetParent(m_form.get());
    m_form->Show();
    m_host->Handle = m_form->Handle();
    m_raw = CreateWindowExW(0, RawClass(), L"raw", WS_CHILD | WS_VISIBLE, 120, 10, 80, 40,
                            m_form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(m_raw, nullptr);
    Pump();
}

void ControlSkinTest::TearDown()
{
    if (m_raw && IsWindow(m_raw))
        DestroyWindow(m_raw);
    m_form.reset();
    m_host.reset();
    m_data.reset();
    Pump();
}

TColor ScreenPixel(HWND window, int x, int y)
{
    HDC dc = GetWindowDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return static_cast<TColor>(color);
}

void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Pump()
{
    // Bounded: a queue that never empties (Wine passing the activation back
    // and forth between two windows, a window that answers each message
    // with another) fails the test instead of hanging the program.
    MSG msg;
    for (int n = 0; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (n == kPumpLimit) {
            ADD_FAILURE() << "the message queue never empties: last message 0x" << std::hex
                          << msg.message;
            return;
        }
    }
}

LONG_PTR WindowProcOf(HWND window)
{
    return IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                   : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

} // namespace tarnivo::test
