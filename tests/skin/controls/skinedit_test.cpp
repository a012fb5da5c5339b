// The edit skin: the flat border over the sunken edge (and none where there
// is no edge), the printed edge, the up-down child, and typing still works.

#include "editcombotestkit.h"

#include "skin/controls/skinedit.h"
#include "skin/forms/skinmessages.h"

#include "framework/controls/edit.h"

#include "tests/framework/graphics/bitmappixels.h"

namespace tarnivo {
namespace {

using namespace test;

class SkinEditTest : public EditComboTest {
protected:
    TSkinEdit* AttachRaw(HWND window)
    {
        auto* skin = new TSkinEdit(m_host.get());
        skin->Inithwnd(window, m_data.get(), nullptr, m_host.get());
        return skin;
    }
    TEdit* Edit(TBorderStyle border)
    {
        auto* edit = new TEdit(m_form.get());
        edit->SetBounds(10, 10, 120, 24);
        edit->SetBorderStyle(border);
        edit->SetParent(m_form.get());
        edit->SetText("skinned");
        return edit;
    }
};

TEST_F(SkinEditTest, BorderedEditsGetTheOutlineAndWhiteInsideAndBorderlessOnesNothing)
{
    enum Look { None, Outline, OutlineAndWhite };
    struct Row {
        const char* name;
        DWORD style, exStyle;
        Look look;
        RECT textRect;   // set by EM_SETRECT when not empty
    } rows[] = {
        {"single line, sunken", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, OutlineAndWhite, {}},
        // Wine draws a WS_BORDER line inside the client area; the outline
        // goes over it and nothing over the text's space.
        {"single line, thin border", ES_AUTOHSCROLL | WS_BORDER, 0, Outline, {}},
        {"multi-line, thin border", ES_MULTILINE | WS_BORDER, 0, Outline, {}},
        {"multi-line with scroll bar, sunken", ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE,
         OutlineAndWhite, {}},
        {"single line, no border", ES_AUTOHSCROLL, 0, None, {}},
        {"multi-line with scroll bar, no border", ES_MULTILINE | WS_VSCROLL, 0, None, {}},
        // Text moved in like a bordered edit's, but no frame line.
        {"multi-line, no border, text inset", ES_MULTILINE, 0, None, {4, 4, 130, 50}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND edit = Raw(L"EDIT", r.style, r.exStyle, 10, 10, 140, 60);
        if (r.textRect.right > 0)
            SendMessageW(edit, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r.textRect));
        TSkinEdit* skin = AttachRaw(edit);
        TBitmap target;
        PaintInto(*skin, edit, target);
        if (r.look == None) {
            EXPECT_EQ(PixelOf(target, 0, 0), kUnpainted);
            EXPECT_EQ(PixelOf(target, 70, 0), kUnpainted);
            EXPECT_EQ(PixelOf(target, 1, 30), kUnpainted);
        } else {
            for (POINT p : {POINT{0, 0}, POINT{139, 59}, POINT{70, 0}, POINT{0, 30}})
                EXPECT_EQ(PixelOf(target, p.x, p.y), kShadow) << p.x << "," << p.y;
        }
        if (r.look == OutlineAndWhite) {
            for (POINT p : {POINT{1, 1}, POINT{2, 2}, POINT{137, 57}, POINT{138, 30}})
                EXPECT_EQ(PixelOf(target, p.x, p.y), clWhite) << p.x << "," << p.y;
            EXPECT_EQ(PixelOf(target, 3, 3), kUnpainted);
        }
        if (r.look == Outline) {
            for (POINT p : {POINT{1, 1}, POINT{70, 1}, POINT{138, 30}})
                EXPECT_EQ(PixelOf(target, p.x, p.y), kUnpainted) << p.x << "," << p.y;
        }
        delete skin;
        DestroyWindow(edit);
    }
}

TEST_F(SkinEditTest, FrameworkEditShowsTheBorderOnScreenAndInItsWholeWindowCopy)
{
    TEdit* edit = Edit(bsSingle);
    auto* skin = new TSkinEdit(edit);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    ASSERT_TRUE(skin->Inited());
    Repaint(edit->Handle());
    EXPECT_EQ(ScreenPixel(edit->Handle(), 0, 0), kShadow);
    EXPECT_EQ(ScreenPixel(edit->Handle(), 1, 12), clWhite);
    // A repaint of the frame alone (the system's sunken edge) is covered again.
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(edit->Handle(), 0, 12), kShadow);
    EXPECT_EQ(ScreenPixel(edit->Handle(), 1, 1), clWhite);

    // The whole window into a DC: the edit's own text inside the border.
    TBitmap target;
    SkinPaintClient(edit->Handle(), target);
    EXPECT_EQ(PixelOf(target, 0, 0), kShadow);
    EXPECT_EQ(PixelOf(target, 2, 2), clWhite);
    int dark = 0;
    for (int x = 3; x < 60; ++x)
        for (int y = 3; y < 21; ++y)
            dark += PixelOf(target, x, y) != clWhite && PixelOf(target, x, y) != kUnpainted;
    EXPECT_GT(dark, 10) << "the text is drawn";
}

TEST_F(SkinEditTest, BorderStyleNoneIsLeftAlone)
{
    TEdit* edit = Edit(bsNone);
    auto* skin = new TSkinEdit(edit);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    TBitmap target;
    PaintInto(*skin, edit->Handle(), target);
    EXPECT_EQ(PixelOf(target, 0, 0), kUnpainted);
    EXPECT_EQ(PixelOf(target, 119, 23), kUnpainted);
}

TEST_F(SkinEditTest, PrintClientFramesWithTheBrushInsideTheShadowLine)
{
    HWND edit = Raw(L"EDIT", 0, WS_EX_CLIENTEDGE, 10, 10, 100, 24);
    TSkinEdit* skin = AttachRaw(edit);
    TBitmap target;
    FillBitmap(target, 100, 24, kUnpainted);
    HDC dc = target.Canvas().Handle();
    HBRUSH brush = CreateSolidBrush(RGBColor(0, 90, 0));
    HGDIOBJ old = SelectObject(dc, brush);
    SendMessageW(edit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SelectObject(dc, old);
    DeleteObject(brush);
    EXPECT_EQ(PixelOf(target, 0, 0), kShadow);
    EXPECT_EQ(PixelOf(target, 99, 12), kShadow);
    EXPECT_EQ(PixelOf(target, 1, 1), RGBColor(0, 90, 0));
    EXPECT_EQ(PixelOf(target, 98, 22), RGBColor(0, 90, 0));
    delete skin;
}

struct FoundUpDown {
    static inline int Calls = 0;
    static inline HWND Window = nullptr;
    static inline TComponent* Owner = nullptr;
    static TSkinControl* Skin(TComponent* owner, HWND upDown, TSkinData*, TCanvas*,
                              ISkinControlHost*)
    {
        ++Calls;
        Window = upDown;
        Owner = owner;
        return nullptr;
    }
};

TEST_F(SkinEditTest, TheUpDownChildIsFoundOnceAndOnlyWithSpinSkinning)
{
    SetEditUpDownSkinner(&FoundUpDown::Skin);
    for (bool spin : {true, false}) {
        SCOPED_TRACE(spin ? "xcSpin" : "no xcSpin");
        FoundUpDown::Calls = 0;
        TSkinControlTypes kinds = m_data->SkinControls();
        spin ? kinds.Include(xcSpin) : kinds.Exclude(xcSpin);
        m_data->SetSkinControls(kinds);
        HWND edit = Raw(L"EDIT", 0, WS_EX_CLIENTEDGE, 10, 10, 100, 24);
        // A static first: the walk goes past children of other classes.
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, edit, nullptr, nullptr, nullptr);
        HWND upDown = CreateWindowExW(0, L"msctls_updown32", L"", WS_CHILD | WS_VISIBLE, 80, 2,
                                      16, 18, edit, nullptr, nullptr, nullptr);
        ASSERT_NE(upDown, nullptr);
        TSkinEdit* skin = AttachRaw(edit);
        Repaint(edit);
        Repaint(edit);
        EXPECT_EQ(FoundUpDown::Calls, spin ? 1 : 0);
        EXPECT_EQ(skin->UpDownWindow(), spin ? upDown : nullptr);
        if (spin) {
            EXPECT_EQ(FoundUpDown::Window, upDown);
            EXPECT_EQ(FoundUpDown::Owner, m_host.get()) << "a raw edit's skins belong to the form";
        }
        delete skin;
    }
    SetEditUpDownSkinner(nullptr);
}

TEST_F(SkinEditTest, TypingIntoASkinnedEditStillWorks)
{
    TEdit* edit = Edit(bsSingle);
    auto* skin = new TSkinEdit(edit);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    edit->SetText("");
    FocusForm();
    edit->SetFocus();
    for (char c : std::string("Find me"))
        SendMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    SendMessageA(edit->Handle(), WM_KEYDOWN, VK_BACK, 1);
    SendMessageA(edit->Handle(), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(edit->Text(), "Find m");
    Repaint(edit->Handle());
    EXPECT_EQ(ScreenPixel(edit->Handle(), 0, 0), kShadow);
}

} // namespace
} // namespace tarnivo
