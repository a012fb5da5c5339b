#pragma once
// What the button-family tests share: a skin whose five button faces and
// check-box and radio-button frames are each one solid colour, a form to put
// controls on, and painting a skinned control into a bitmap.

#include "skincontroltestkit.h"

#include "skin/controls/skincontrol.h"
#include "skin/forms/winskinform.h"
#include "skin/resources/skindata.h"

#include "framework/bitmap.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarnivo::test {

// Face frame 1..5 of the [Buttons] image.
TColor FaceColor(int frame);
// Frame 1..n of the CheckButton and RadioButton strips.
TColor CheckColor(int frame);
TColor RadioColor(int frame);
// The skin's caption colours of frames 1, 4 and 2.
constexpr TColor kNormalText = RGBColor(1, 2, 3);
constexpr TColor kHotText = RGBColor(4, 5, 6);
constexpr TColor kPressedText = RGBColor(7, 8, 9);
constexpr TColor kSkinFace = RGBColor(10, 20, 30);
constexpr TColor kSkinText = RGBColor(200, 100, 50);   // [Colours] ButtonText
// Side of one check-box / radio frame.
constexpr int kBoxSize = 13;

struct ButtonSkinOptions {
    int checkFrames = 4;      // frames in the CheckButton strip
    bool checkFrameKey = true;  // write CheckButtonFrame (else the engine counts)
    int radioFrames = 4;
    bool faces = true;        // a [Buttons] Bitmap at all
    bool faceHoles = false;   // each face's top-left 3 x 3 magenta, keyed (Trans=1)
    std::string extra = {};   // more INI text
};

// The INI and files of such a skin.
bool LoadButtonSkin(TSkinData& data, const ButtonSkinOptions& options = {});

class ButtonSkinTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Reload(const ButtonSkinOptions& options);

    // A framework control of type T on the form, shown.
    template <typename T>
    T* Add(int x, int y, int w, int h, const char* caption = "")
    {
        auto* c = new T(m_form.get());
        c->SetBounds(x, y, w, h);
        c->SetCaption(caption);
        c->SetParent(m_form.get());
        return c;
    }
    // Makes and attaches a skin of type S to framework control `c`.
    template <typename S>
    S* Skin(TControl* c)
    {
        auto* s = new S(c);
        s->Init(m_host.get(), m_data.get(), nullptr, false);
        return s;
    }

    std::unique_ptr<TWinSkinForm> m_host;
    std::unique_ptr<TSkinData> m_data;
    std::unique_ptr<TForm> m_form;
};

// A bitmap painted for a test (bitmaps cannot be copied).
struct Painted {
    std::unique_ptr<TBitmap> Image = std::make_unique<TBitmap>();
    operator const TBitmap&() const { return *Image; }
    int Width() const { return Image->Width(); }
    int Height() const { return Image->Height(); }
};

// The window painted by its skin (WM_SKINPAINTCLIENT) into a new bitmap of
// the window's size.
Painted PaintedBySkin(HWND window);

} // namespace tarnivo::test

namespace tarnivo::test {

// An in-memory dialog template: DLGTEMPLATE, then one item per Item call.
class DialogTemplate {
public:
    DialogTemplate();
    void Item(WORD id, const wchar_t* cls, DWORD style, short x, short y, short cx, short cy,
              const wchar_t* text);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_data.data()); }

private:
    void Put(const void* p, std::size_t n);
    void Word(WORD w) { Put(&w, sizeof w); }
    void String(const wchar_t* s);
    std::vector<char> m_data;
    WORD m_count = 0;
};

// The WM_COMMAND messages a RecordingDialogProc dialog received (wParam,
// lParam), newest last.
std::vector<std::pair<WPARAM, LPARAM>>& DialogCommands();
INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace tarnivo::test
