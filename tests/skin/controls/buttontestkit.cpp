#include "buttontestkit.h"

#include "skintestkit.h"

#include "skin/forms/skinmessages.h"

#include "framework/application.h"

#include <cstring>

#include "tests/framework/graphics/bitmappixels.h"

namespace tarnivo::test {

namespace {

// A strip of `frames` frames of `w` x `h`, frame k filled with color(k).
std::string Strip(int frames, int w, int h, TColor (*color)(int))
{
    return Bmp(frames * w, h, [=](int x, int) { return color(x / w + 1); });
}

std::string Triple(TColor c)
{
    const COLORREF rgb = ColorToRGB(c);
    return std::to_string(GetRValue(rgb)) + "," + std::to_string(GetGValue(rgb)) + "," +
           std::to_string(GetBValue(rgb));
}

} // namespace

TColor FaceColor(int frame)
{
    return RGBColor(40 * frame, 200 - 30 * frame, 60);
}

TColor CheckColor(int frame)
{
    return RGBColor(20 * frame, 250, 120);
}

TColor RadioColor(int frame)
{
    return RGBColor(250, 20 * frame, 180);
}

bool LoadButtonSkin(TSkinData& data, const ButtonSkinOptions& o)
{
    std::string ini = "[TitlebarSkin]\nSkinName=Buttons\n[Colours]\nButtonFace=10 20 30\nButtonText=200 100 50\n"
                      "[Buttons]\n";
    Files files;
    if (o.faces) {
        ini += "Bitmap=faces.bmp\nNormalColour2=" + Triple(kNormalText) +
               "\nMouseOverColour2=" + Triple(kHotText) + "\nPressedColour2=" + Triple(kPressedText) +
               "\n";
        if (o.faceHoles) {
            ini += "Trans=1\n";
            files.push_back({"faces.bmp", Bmp(100, 20, [](int x, int y) {
                                 return x % 20 < 3 && y < 3 ? RGBColor(255, 0, 255)
                                                            : FaceColor(x / 20 + 1);
                             })});
        } else {
            files.push_back({"faces.bmp", Strip(5, 20, 20, FaceColor)});
        }
    }
    if (o.checkFrames > 0) {
        ini += "CheckButton=check.bmp\n";
        if (o.checkFrameKey)
            ini += "CheckButtonFrame=" + std::to_string(o.checkFrames) + "\n";
        files.push_back({"check.bmp", Strip(o.checkFrames, kBoxSize, kBoxSize, CheckColor)});
    }
    if (o.radioFrames > 0) {
        ini += "RadioButton=radio.bmp\nRadioButtonFrame=" + std::to_string(o.radioFrames) + "\n";
        files.push_back({"radio.bmp", Strip(o.radioFrames, kBoxSize, kBoxSize, RadioColor)});
    }
    ini += o.extra;
    return LoadSkin(data, ini, files);
}

void ButtonSkinTest::SetUp()
{
    Application->Initialize();
    m_data = std::make_unique<TSkinData>(nullptr);
    ASSERT_TRUE(LoadButtonSkin(*m_data));
    m_host = std::make_unique<TWinSkinForm>();
    m_form.reset(MakeForm<TForm>(nullptr));
    m_form->SetBounds(60, 60, 400, 300);
    m_form->SetColor(RGBColor(0, 0, 255));
    m_form->Show();
    m_host->Handle = m_form->Handle();
    Pump();
}

void ButtonSkinTest::TearDown()
{
    m_form.reset();
    m_host.reset();
    m_data.reset();
    Pump();
}

void ButtonSkinTest::Reload(const ButtonSkinOptions& options)
{
    ASSERT_TRUE(LoadButtonSkin(*m_data, options));
}

Painted PaintedBySkin(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    Painted target;
    FillBitmap(*target.Image, r.right - r.left, r.bottom - r.top, clWhite);
    SendMessageW(window, WM_SKINPAINTCLIENT,
                 reinterpret_cast<WPARAM>(target.Image->Canvas().Handle()), SkinMagic);
    return target;
}

} // namespace tarnivo::test

namespace tarnivo::test {

DialogTemplate::DialogTemplate()
{
    DLGTEMPLATE header{};
    header.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT;
    header.x = 40;
    header.y = 40;
    header.cx = 200;
    header.cy = 120;
    Put(&header, sizeof header);
    Word(0);   // no menu
    Word(0);   // the dialog class
    String(L"Plain dialog");
    Word(8);
    String(L"MS Shell Dlg");
}

void DialogTemplate::Item(WORD id, const wchar_t* cls, DWORD style, short x, short y, short cx,
                          short cy, const wchar_t* text)
{
    while (m_data.size() % 4)
        m_data.push_back(0);
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Put(&item, sizeof item);
    String(cls);
    String(text);
    Word(0);   // no creation data
    ++m_count;
    reinterpret_cast<DLGTEMPLATE*>(m_data.data())->cdit = m_count;
}

void DialogTemplate::Put(const void* p, std::size_t n)
{
    const std::size_t old = m_data.size();
    m_data.resize(old + n);
    std::memcpy(m_data.data() + old, p, n);
}

void DialogTemplate::String(const wchar_t* s)
{
    Put(s, (wcslen(s) + 1) * sizeof(wchar_t));
}

std::vector<std::pair<WPARAM, LPARAM>>& DialogCommands()
{
    static std::vector<std::pair<WPARAM, LPARAM>> commands;
    return commands;
}

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND) {
        DialogCommands().push_back({wParam, lParam});
        return TRUE;
    }
    return msg == WM_INITDIALOG;
}

} // namespace tarnivo::test
