// The combo-box skin: the face frame for every state on the button (pixel
// tests on memory DCs), the left-hand button, the separate and flat faces,
// the list's skin handed over, and typing, opening and choosing by mouse and
// keys still working.

#include "editcombotestkit.h"

#include "skin/controls/skincombobox.h"
#include "skin/forms/skinmessages.h"
#include "skin/resources/skindata.h"

#include "framework/controls/combobox.h"
#include "framework/ownmessages.h"

#include "tests/framework/graphics/bitmappixels.h"

namespace tarnivo {
namespace {

using namespace test;

class SkinComboTest : public EditComboTest {
protected:
    TComboBox* Combo(TComboBoxStyle style, int top = 10)
    {
        auto* combo = new TComboBox(m_form.get());
        combo->SetStyle(style);
        combo->SetBounds(10, top, 160, 24);
        combo->SetParent(m_form.get());
        for (const char* item : {"alpha", "beta", "gamma", "delta"})
            combo->Items().Add(item);
        return combo;
    }
    TSkinComBox* Skin(TComboBox* combo)
    {
        auto* skin = new TSkinComBox(combo);
        skin->Init(m_host.get(), m_data.get(), nullptr, false);
        return skin;
    }
    // The colour of the button's face and of the frame's left edge.
    static TColor ButtonPixel(const TBitmap& b) { return PixelOf(b, b.Width() - 4, b.Height() / 2); }
    static TColor LeftEdge(const TBitmap& b) { return PixelOf(b, 0, b.Height() / 2); }
    static LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }
};

TEST_F(SkinComboTest, TheButtonShowsTheFrameOfEveryState)
{
    for (TComboBoxStyle style : {csDropDownList, csDropDown}) {
        SCOPED_TRACE(style == csDropDown ? "drop-down" : "drop-down list");
        TComboBox* combo = Combo(style);
        TSkinComBox* skin = Skin(combo);
        HWND window = combo->Handle();
        TBitmap b;
        const auto expectFrame = [&](int frame, const char* state) {
            PaintInto(*skin, window, b);
            EXPECT_EQ(ButtonPixel(b), ButtonColor(frame)) << state;
            EXPECT_EQ(LeftEdge(b), SunkColor(frame)) << state;
            // The edit area is the control's own.
            EXPECT_EQ(PixelOf(b, b.Width() / 3, b.Height() / 2), kUnpainted) << state;
        };
        expectFrame(1, "normal");
        const POINT button = Centre(skin->ButtonRect());
        ASSERT_GT(skin->ButtonRect().left, 100);

        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
        expectFrame(1, "pointer over the edit part");
        SendMessageW(window, WM_MOUSEMOVE, 0, At(button));
        expectFrame(4, "hot");
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
        expectFrame(1, "pointer left the button");
        SendMessageW(window, WM_MOUSEMOVE, 0, At(button));
        SendOwnMessage(window, CM_MOUSELEAVE, 0, 0);
        expectFrame(1, "pointer left the control");

        // A press opens the list, which takes the mouse: pressed until it closes.
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(button));
        ASSERT_TRUE(SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0));
        expectFrame(2, "pressed");
        SendMessageW(window, CB_SHOWDROPDOWN, FALSE, 0);
        ReleaseCapture();
        Pump();
        // The press took the focus; the list's closing ended the press.
        expectFrame(4, "list closed, focused");
        EXPECT_FALSE(skin->State().Contains(scDown));
        SetFocus(m_form->Handle());
        expectFrame(1, "focus elsewhere");
        FocusForm();
        combo->SetFocus();
        expectFrame(4, "focused");
        SetFocus(m_form->Handle());

        combo->SetEnabled(false);
        expectFrame(3, "disabled");
        SendMessageW(window, WM_MOUSEMOVE, 0, At(button));
        expectFrame(3, "disabled under the pointer");
        combo->SetEnabled(true);
        delete combo;
    }
}

TEST_F(SkinComboTest, ALeftScrollBarComboDrawsTheMirroredFace)
{
    HWND combo = Raw(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, WS_EX_LEFTSCROLLBAR, 10, 10, 160,
                     200);
    auto* skin = new TSkinComBox(m_host.get());
    skin->Inithwnd(combo, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(skin->Inited());
    TBitmap b;
    PaintInto(*skin, combo, b);
    EXPECT_EQ(PixelOf(b, 3, b.Height() / 2), ButtonColor(1));
    EXPECT_EQ(PixelOf(b, b.Width() - 1, b.Height() / 2), SunkColor(1));
    EXPECT_EQ(PixelOf(b, b.Width() - 30, b.Height() / 2), kUnpainted);
    delete skin;
}

TEST_F(SkinComboTest, WithoutAComboButtonTheSystemLookStays)
{
    UseSkin("[TitlebarSkin]\nSkinName=Bare\n[SunkEdge]\nImage=sunk.bmp\nFrame=4\n",
            ComboSkinFiles());
    TComboBox* combo = Combo(csDropDownList);
    TSkinComBox* skin = Skin(combo);
    TBitmap b;
    PaintInto(*skin, combo->Handle(), b);
    for (int x = 0; x < b.Width(); x += 7)
        EXPECT_EQ(PixelOf(b, x, b.Height() / 2), kUnpainted) << x;
}

TEST_F(SkinComboTest, FlatFaceDrawsTheButtonFrameInsideTheShadowLine)
{
    UseSkin("[TitlebarSkin]\nSkinName=Flat\n[Colours]\nButtonShadow=200 0 100\n"
            "[ComboButton]\nImage=button.bmp\nFrame=4\nStyle=1\n",
            ComboSkinFiles());
    ASSERT_EQ(m_data->Elements().ComboButton->Style, 1);
    TComboBox* combo = Combo(csDropDownList);
    TSkinComBox* skin = Skin(combo);
    TBitmap b;
    PaintInto(*skin, combo->Handle(), b);
    EXPECT_EQ(PixelOf(b, 0, 0), kShadow);
    EXPECT_EQ(PixelOf(b, b.Width() - 1, b.Height() - 1), kShadow);
    const TRect face = skin->ButtonRect();
    EXPECT_EQ(face.right, b.Width() - 2);
    EXPECT_EQ(RectWidth(face), 10) << "one image frame wide";
    EXPECT_EQ(face.bottom, 2 + 12) << "an image lower than a thumb keeps its height";
    EXPECT_EQ(PixelOf(b, face.left + 5, face.top + 5), ButtonColor(1));
    combo->SetEnabled(false);
    PaintInto(*skin, combo->Handle(), b);
    EXPECT_EQ(PixelOf(b, face.left + 5, face.top + 5), ButtonColor(3));
}

TEST_F(SkinComboTest, SeparateButtonFaceWithArrowGlyph)
{
    // A skin whose faces the loader did not compose: frame, button and glyph
    // each drawn on their own.
    UseSkin(ComboSkinIni() + "[ExtraImages]\nImage=extra.bmp\nFrame=5\nTrans=1\n",
            [] {
                Files files = ComboSkinFiles();
                files.push_back({"extra.bmp", Bmp(30, 6, [](int x, int) {
                                     return RGBColor(255, 255, 20 * (x / 6 + 1));
                                 })});
                return files;
            }());
    auto& e = const_cast<TSkinElements&>(m_data->Elements());
    e.ComboButton->Style = 0;
    FillBitmap(e.ComboButton->Image, 40, 12, ButtonColor(1));
    e.ComboButton->Image.Canvas().Brush().SetColor(ButtonColor(2));
    e.ComboButton->Image.Canvas().FillRect(Rect(10, 0, 20, 12));
    e.ComboButton->Image2.Assign(e.ComboButton->Image);
    FillBitmap(e.SunkEdge->Image, 40, 12, SunkColor(1));
    e.SunkEdge->Image.Canvas().Brush().SetColor(SunkColor(2));
    e.SunkEdge->Image.Canvas().FillRect(Rect(10, 0, 20, 12));

    TComboBox* combo = Combo(csDropDownList);
    TSkinComBox* skin = Skin(combo);
    TBitmap b;
    PaintInto(*skin, combo->Handle(), b);
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(skin->ButtonRect().left, b.Width() - a - 2);
    EXPECT_EQ(LeftEdge(b), SunkColor(1));
    EXPECT_EQ(PixelOf(b, 20, b.Height() / 2), kUnpainted) << "edit area excluded";
    EXPECT_EQ(PixelOf(b, b.Width() - 2, 1), ButtonColor(1));
    EXPECT_EQ(PixelOf(b, b.Width() - a / 2 - 1, b.Height() / 2), RGBColor(255, 255, 20))
        << "glyph frame 1 centred in the button";

    SendMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(skin->ButtonRect())));
    PaintInto(*skin, combo->Handle(), b);
    EXPECT_EQ(PixelOf(b, b.Width() - 2, 1), ButtonColor(2));
    EXPECT_EQ(PixelOf(b, b.Width() - a / 2 - 1, b.Height() / 2), RGBColor(255, 255, 40));
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    ReleaseCapture();
}

struct ListSkins {
    static inline std::vector<std::pair<TComboListKind, HWND>> Made;
    static TSkinControl* Make(TComponent* owner, TComboListKind kind, HWND list, TSkinData* data,
                              TCanvas*, ISkinControlHost* host)
    {
        Made.push_back({kind, list});
        auto* skin = new TSkinControl(owner);
        skin->Inithwnd(list, data, nullptr, host);
        return skin;
    }
};

TEST_F(SkinComboTest, TheListWindowIsHandedToTheScrollBarSkins)
{
    SetComboListSkinner(&ListSkins::Make);
    struct Row {
        TComboBoxStyle style;
        bool made;
        TComboListKind kind;
    } rows[] = {{csDropDown, true, TComboListKind::DropDown},
                {csDropDownList, true, TComboListKind::DropDown},
                {csSimple, true, TComboListKind::Simple}};
    for (const Row& r : rows) {
        ListSkins::Made.clear();
        TComboBox* combo = Combo(r.style);
        if (r.style == csSimple)
            combo->SetHeight(120);
        TSkinComBox* skin = Skin(combo);
        ASSERT_EQ(ListSkins::Made.size(), 1u) << r.style;
        EXPECT_EQ(ListSkins::Made[0].first, r.kind);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo->Handle(), &info);
        EXPECT_EQ(ListSkins::Made[0].second, info.hwndList);
        EXPECT_EQ(skin->ListWindow(), info.hwndList);
        ASSERT_NE(skin->ListSkin(), nullptr);
        EXPECT_EQ(SendMessageW(info.hwndList, WM_ISSKINNED, 0, 0), 1);
        // Unskinning frees the list's skin and gives the list back.
        skin->Unsubclass();
        EXPECT_EQ(skin->ListSkin(), nullptr);
        EXPECT_EQ(SendMessageW(info.hwndList, WM_ISSKINNED, 0, 0), 0);
        delete skin;
        // Freed with the control, the list skin may go first: no dangling use.
        ListSkins::Made.clear();
        Skin(combo);
        delete combo;
        Pump();
    }
    // Raw combo boxes get no list skins.
    ListSkins::Made.clear();
    HWND raw = Raw(L"COMBOBOX", CBS_DROPDOWNLIST, 0, 10, 100, 120, 100);
    auto* skin = new TSkinComBox(m_host.get());
    skin->Inithwnd(raw, m_data.get(), nullptr, m_host.get());
    EXPECT_TRUE(ListSkins::Made.empty());
    delete skin;
    SetComboListSkinner(nullptr);
}

TEST_F(SkinComboTest, TypingIntoTheEditPartStillWorksAndPressesShow)
{
    TComboBox* combo = Combo(csDropDown);
    TSkinComBox* skin = Skin(combo);
    ASSERT_NE(skin->EditWindow(), nullptr) << "the edit child is watched";
    FocusForm();
    combo->SetFocus();
    combo->SetText("");
    for (char c : std::string("gam"))
        SendMessageA(skin->EditWindow(), WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ(combo->Text(), "gam");
    TBitmap b;
    SendMessageA(skin->EditWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(skin->State().Contains(scDown));
    SendMessageA(skin->EditWindow(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(skin->State().Contains(scDown));
    PaintInto(*skin, combo->Handle(), b);
    EXPECT_EQ(ButtonPixel(b), ButtonColor(4)) << "focused in its edit";
    // Skinning off gives the edit child its own procedure back.
    skin->Unsubclass();
    EXPECT_EQ(skin->EditWindow(), nullptr);
    HWND edit = GetWindow(combo->Handle(), GW_CHILD);
    SendMessageA(edit, EM_SETSEL, 3, 3);
    SendMessageA(edit, WM_CHAR, 'x', 1);
    EXPECT_EQ(combo->Text(), "gamx");
}

TEST_F(SkinComboTest, TheListOpensAndAnItemIsChosenByMouseAndByKeys)
{
    TComboBox* combo = Combo(csDropDownList);
    TSkinComBox* skin = Skin(combo);
    HWND window = combo->Handle();
    combo->SetItemIndex(0);
    FocusForm();
    combo->SetFocus();
    TBitmap b;
    PaintInto(*skin, window, b);   // the button's place is known from a paint

    // Mouse: press the button, then click the third item of the open list.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(skin->ButtonRect())));
    SendMessageW(window, WM_LBUTTONUP, 0, At(Centre(skin->ButtonRect())));
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    HWND list = skin->ListWindow();
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, WM_MOUSEMOVE, 0, At(Centre(item)));
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, At(Centre(item)));
    SendMessageW(list, WM_LBUTTONUP, 0, At(Centre(item)));
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "gamma");
    EXPECT_FALSE(skin->State().Contains(scDown));

    // Keys: F4 opens, Down moves, Enter chooses and closes.
    SendMessageW(window, WM_KEYDOWN, VK_F4, 0);
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    SendMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
    // And Up on the closed box.
    SendMessageW(window, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(combo->ItemIndex(), 2);
}

} // namespace
} // namespace tarnivo
