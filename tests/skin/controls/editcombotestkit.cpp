#include "editcombotestkit.h"

#include "skintestkit.h"

#include "skin/forms/skinmessages.h"

#include "framework/application.h"

#include "tests/framework/graphics/bitmappixels.h"

namespace tarnivo::test {

TColor SunkColor(int frame)
{
    return RGBColor(20 * frame, 100, 40);
}

TColor ButtonColor(int frame)
{
    return RGBColor(40, 30 * frame, 220);
}

std::string ComboSkinIni()
{
    return "[TitlebarSkin]\nSkinName=EditCombo\n"
           "[Colours]\nButtonFace=10 20 30\nButtonShadow=200 0 100\n"
           "[SunkEdge]\nImage=sunk.bmp\nFrame=4\nLeftWidth=2\nTopHeight=2\nRightWidth=2\n"
           "BottomHeight=2\nTrans=1\n"
           "[ComboButton]\nImage=button.bmp\nFrame=4\nTrans=1\n";
}

Files ComboSkinFiles()
{
    return {{"sunk.bmp", Bmp(40, 12, [](int x, int) { return SunkColor(x / 10 + 1); })},
            {"button.bmp", Bmp(40, 12, [](int x, int) { return ButtonColor(x / 10 + 1); })}};
}

void EditComboTest::SetUp()
{
    Application->Initialize();
    m_data = std::make_unique<TSkinData>(nullptr);
    UseSkin(ComboSkinIni(), ComboSkinFiles());
    m_host = std::make_unique<TWinSkinForm>();
    m_form.reset(MakeForm<TForm>(nullptr));
    m_form->SetBounds(60, 60, 420, 300);
    m_form->Show();
    m_host->Handle = m_form->Handle();
    Pump();
}

void EditComboTest::TearDown()
{
    for (HWND w : m_raw)
        if (IsWindow(w))
            DestroyWindow(w);
    m_form.reset();
    m_host.reset();
    m_data.reset();
    Pump();
}

void EditComboTest::UseSkin(const std::string& ini, const Files& files)
{
    ASSERT_TRUE(LoadSkin(*m_data, ini, files));
}

HWND EditComboTest::Raw(const wchar_t* cls, DWORD style, DWORD exStyle, int x, int y, int w,
                        int h)
{
    HWND window = CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                  m_form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    m_raw.push_back(window);
    return window;
}

void EditComboTest::FocusForm()
{
    SetForegroundWindow(m_form->Handle());
    SetActiveWindow(m_form->Handle());
    Pump();
}

void PaintInto(TSkinControl& skin, HWND window, TBitmap& target)
{
    RECT r{};
    GetWindowRect(window, &r);
    FillBitmap(target, r.right - r.left, r.bottom - r.top, kUnpainted);
    skin.PaintControl(target.Canvas().Handle());
}

void SkinPaintClient(HWND window, TBitmap& target)
{
    RECT r{};
    GetWindowRect(window, &r);
    FillBitmap(target, r.right - r.left, r.bottom - r.top, kUnpainted);
    SendMessageW(window, WM_SKINPAINTCLIENT, reinterpret_cast<WPARAM>(target.Canvas().Handle()),
                 SkinMagic);
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace tarnivo::test
