#include "formtestkit.h"
#include "skinfolder.h"

#include "skin/forms/skinmessages.h"

#include "framework/application.h"
#include "framework/canvas.h"

#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace tarnivo::test {

namespace {

const char* const TestClass = "TarnivoFormTestWindow";

std::map<std::pair<HWND, UINT>, int>& Received()
{
    static std::map<std::pair<HWND, UINT>, int> received;
    return received;
}

LRESULT CALLBACK TestWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ++Received()[{window, msg}];
    return DefWindowProcA(window, msg, wParam, lParam);
}

void RegisterTestClass(const char* name)
{
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing))
        return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

// Two frames of one colour each, side by side or stacked.
std::string TwoFrames(int frameW, int frameH, bool stacked, TColor first, TColor second)
{
    if (stacked)
        return Bmp(frameW, frameH * 2, [=](int, int y) { return y < frameH ? first : second; });
    return Bmp(frameW * 2, frameH, [=](int x, int) { return x < frameW ? first : second; });
}

} // namespace

std::string FrameSkinIni(const FrameSkinOptions& o)
{
    std::ostringstream ini;
    ini << "[TitlebarSkin]\nSkinName=" << o.name << "\n"
        << "[Personality]\n"
        << "Left=left.bmp\nLeftFrame=2\nLeftTrans=" << o.trans[0] << "\n"
        << "Right=right.bmp\nRightFrame=2\nRightTrans=" << o.trans[1] << "\n"
        << "Top=top.bmp\nTopFrame=2\nTopTrans=" << o.trans[2] << "\n"
        << "TopTopHeight=" << o.topCaps << "\nTopBotHeight=" << o.topCaps << "\n"
        << "Bottom=bottom.bmp\nBottomFrame=2\nBottomTrans=" << o.trans[3] << "\n"
        << "TextAlignment=" << o.textAlignment << "\nTextShift=" << o.textShift << "\n"
        << "TextRightClip=" << o.textRightClip << "\n" << o.personality
        << "[Colours]\nTitleTextActive=255 255 255\nTitleTextNoActive=0 255 255\n"
        << "ButtonFace=192 192 192\n" << o.extraIni;
    return ini.str();
}

Files FrameSkinFiles(const FrameSkinOptions& o)
{
    const int caps = o.topCaps;
    const int topW = o.topImageWidth;
    const int topH = o.borderTop;
    std::string top = Bmp(topW, topH * 2, [=](int x, int y) {
        if (y >= topH)
            return kTopInactive;
        if (x < caps)
            return kTopLeftCap;
        if (x >= topW - caps)
            return kTopRightCap;
        return kTopActive;
    });
    std::string bottom = o.bottomPixel
                             ? Bmp(40, kBottom * 2, [&](int x, int y) {
                                   return y < kBottom ? o.bottomPixel(x, y) : kBottomInactive;
                               })
                             : TwoFrames(40, kBottom, true, kBottomActive, kBottomInactive);
    return {{"left.bmp", TwoFrames(kLeft, 40, false, kLeftActive, kLeftInactive)},
            {"right.bmp", TwoFrames(kRight, 40, false, kRightActive, kRightInactive)},
            {"top.bmp", top},
            {"bottom.bmp", bottom}};
}

bool LoadFrameSkin(TSkinData& data, const FrameSkinOptions& options)
{
    return LoadSkin(data, FrameSkinIni(options), FrameSkinFiles(options));
}

bool LoadShippedSkin(TSkinData& data, const std::string& name)
{
    TMemoryStream skin;
    if (!PackSkinFolder(HostBuildFile("skins/" + name), skin))
        return false;
    data.LoadFromStream(skin);
    return !data.Empty();
}

void SkinEngineTest::SetUpTestSuite()
{
    Application->Initialize();
}

void SkinEngineTest::SetUp()
{
    RegisterSkinEngine();
    FreeSkinManager();
    ClearReceived();
    m_data = std::make_unique<TSkinData>(nullptr);
    ASSERT_TRUE(LoadFrameSkin(*m_data));
    ASSERT_NE(SkinManage(), nullptr);
    // Switched on before any window was activated: enables the manager.
    m_data->SetActive(true);
    ASSERT_TRUE(Manager().Enabled());
}

void SkinEngineTest::TearDown()
{
    m_data.reset();
    FreeSkinManager();
    PumpFor(0);
}

TSkinManage& SkinEngineTest::Manager() const
{
    return *SkinManage();
}

HWND MakeWindow(const char* caption, DWORD style, DWORD exStyle, int width, int height,
                const char* className)
{
    const char* cls = className ? className : TestClass;
    RegisterTestClass(cls);
    HWND window = CreateWindowExA(exStyle, cls, caption, style, 40, 40, width, height, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    return window;
}

int ReceivedCount(HWND window, UINT msg)
{
    auto it = Received().find({window, msg});
    return it == Received().end() ? 0 : it->second;
}

void ClearReceived()
{
    Received().clear();
}

bool PumpUntil(const std::function<bool()>& done, int limitMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        // At most a round of messages between looks at the clock: a queue
        // that never empties still ends at the limit.
        MSG msg;
        for (int n = 0; n < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (static_cast<int>(GetTickCount() - start) > limitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(int ms)
{
    PumpUntil([] { return false; }, ms);
}

TWinSkinForm* WaitSkinned(HWND window, int limitMs)
{
    TWinSkinForm* form = nullptr;
    PumpUntil(
        [&] {
            form = FindSkinForm(window);
            return form && form->SkinStarted && form->SkinState == skinstate::Active;
        },
        limitMs);
    return form && form->SkinState == skinstate::Active ? form : nullptr;
}

TWinSkinForm& SkinFormOf(HWND window)
{
    TWinSkinForm* form = FindSkinForm(window);
    if (!form)
        throw std::runtime_error("the window has no skinning object");
    return *form;
}

TSize WindowSize(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return TSize{r.right - r.left, r.bottom - r.top};
}

TRect ClientInWindow(HWND window)
{
    RECT client{}, frame{};
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -frame.left, -frame.top);
    return client;
}

std::unique_ptr<TBitmap> PaintFrame(HWND window)
{
    const TSize size = WindowSize(window);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(size.cx, size.cy);
    bitmap->Canvas().Brush().SetColor(kMagenta);
    bitmap->Canvas().FillRect(TRect{0, 0, size.cx, size.cy});
    const LRESULT answer = SendMessageA(window, WM_SKINPAINTNC,
                                        reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()),
                                        SkinMagic);
    EXPECT_EQ(answer, SkinMagic);
    return bitmap;
}

namespace {

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

} // namespace

// GDI and USER objects of the process. Windows counts them itself; Wine's
// GetGuiResources answers 0, but Wine finds a GDI object, a menu or an icon
// by the table index in the low word of its handle alone, so there every
// index is asked, and the thread's windows are counted as they are found.
GuiCounts Counts()
{
    GuiCounts counts{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                     GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
    if (counts.gdi == 0)
        for (ULONG_PTR index = 1; index < 0x10000; ++index)
            if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)))
                ++counts.gdi;
    if (counts.user == 0) {
        EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&counts.user));
        for (ULONG_PTR index = 0x20; index < 0x10000; index += 2) {
            if (IsMenu(reinterpret_cast<HMENU>(index))) {
                ++counts.user;
                continue;
            }
            ICONINFO icon{};
            if (GetIconInfo(reinterpret_cast<HICON>(index), &icon)) {
                ++counts.user;
                DeleteObject(icon.hbmMask);
                if (icon.hbmColor)
                    DeleteObject(icon.hbmColor);
            }
        }
    }
    return counts;
}

} // namespace tarnivo::test
