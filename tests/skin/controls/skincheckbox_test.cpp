// Check boxes and radio buttons under a skin whose box frames are solid
// colours: the frame each state shows for every strip layout, where the box
// goes, and that the controls still toggle by mouse and keyboard, framework
// controls and a plain dialog's alike.

#include "buttontestkit.h"

#include "skin/controls/skinbutton.h"
#include "skin/controls/skincheckbox.h"

#include "framework/controls/checkbox.h"
#include "framework/controls/radiobutton.h"

#include "tests/framework/graphics/bitmappixels.h"

#include <vector>

namespace tarnivo {
namespace {

using namespace test;

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

TEST(CheckFrames, StateToFrameForEachStripLayout)
{
    struct Row {
        int state;
        bool indeterminate, disabled;
        int frames, want;
    } rows[] = {
        {1, false, false, 4, 1},  {2, false, false, 4, 2},  {3, false, true, 4, 3},
        {4, false, true, 4, 4},   {2, true, false, 4, 4},   {3, true, true, 4, 4},
        {1, false, false, 12, 1}, {2, false, false, 12, 5}, {3, false, true, 12, 4},
        {4, false, true, 12, 8},  {2, true, false, 12, 9},  {4, true, true, 12, 12},
        // A state past a short strip shows its last frame.
        {4, false, true, 3, 3},   {6, false, true, 4, 4},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CheckBoxFrame(r.state, r.indeterminate, r.disabled, r.frames), r.want)
            << "state " << r.state << " indeterminate " << r.indeterminate << " frames "
            << r.frames;
    const int radio[][3] = {{1, 4, 1}, {2, 4, 2}, {3, 4, 3}, {4, 4, 4},
                            {1, 8, 1}, {2, 8, 5}, {3, 8, 4}, {4, 8, 8}};
    for (const auto& r : radio)
        EXPECT_EQ(RadioButtonFrame(r[0], r[1]), r[2]) << r[0] << " of " << r[1];
}

class CheckSkin : public ButtonSkinTest {
protected:
    // The box's colour in the skin's painting: the middle of the box, which
    // sits flush left and centred vertically.
    static TColor BoxPixel(HWND w, int x = kBoxSize / 2)
    {
        const Painted painted = PaintedBySkin(w);
        return PixelOf(painted, x, painted.Height() / 2);
    }
};

TEST_F(CheckSkin, FrameworkCheckBoxShowsTheFrameOfItsStateInEveryLayout)
{
    struct Layout {
        int frames;
        bool key;
        int unchecked, checked, grayed, offDisabled, onDisabled, grayedDisabled;
    } layouts[] = {
        {4, true, 1, 2, 4, 3, 4, 4},
        {12, true, 1, 5, 9, 4, 8, 12},
        // No CheckButtonFrame: the engine counts 13-pixel frames.
        {6, false, 1, 2, 4, 3, 4, 4},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(testing::Message() << l.frames << " frames");
        Reload({.checkFrames = l.frames, .checkFrameKey = l.key});
        auto* box = Add<TCheckBox>(10, 10, 150, 20, "Check");
        box->SetAllowGrayed(true);
        auto* skin = Skin<TSkinCheckBox>(box);
        EXPECT_EQ(skin->Kind(), 1);
        HWND w = box->Handle();
        const struct {
            TCheckBoxState state;
            bool enabled;
            int frame;
        } rows[] = {
            {cbUnchecked, true, l.unchecked},    {cbChecked, true, l.checked},
            {cbGrayed, true, l.grayed},          {cbUnchecked, false, l.offDisabled},
            {cbChecked, false, l.onDisabled},    {cbGrayed, false, l.grayedDisabled},
        };
        for (const auto& r : rows) {
            box->SetEnabled(r.enabled);
            box->SetState(r.state);
            EXPECT_EQ(BoxPixel(w), CheckColor(r.frame))
                << "state " << r.state << " enabled " << r.enabled;
        }
        delete box;
    }
}

TEST_F(CheckSkin, FrameworkRadioButtonShowsTheFrameOfItsState)
{
    for (int frames : {4, 8}) {
        SCOPED_TRACE(testing::Message() << frames << " frames");
        Reload({.radioFrames = frames});
        auto* radio = Add<TRadioButton>(10, 10, 150, 20, "Radio");
        Skin<TSkinRadioButton>(radio);
        HWND w = radio->Handle();
        EXPECT_EQ(BoxPixel(w), RadioColor(1));
        radio->SetChecked(true);
        EXPECT_EQ(BoxPixel(w), RadioColor(frames == 8 ? 5 : 2));
        radio->SetEnabled(false);
        EXPECT_EQ(BoxPixel(w), RadioColor(frames == 8 ? 8 : 4));
        radio->SetChecked(false);
        EXPECT_EQ(BoxPixel(w), RadioColor(frames == 8 ? 4 : 3));
        delete radio;
    }
}

TEST_F(CheckSkin, CaptionFirstPutsTheBoxAtTheRightEdge)
{
    auto* box = Add<TCheckBox>(10, 10, 150, 20, "Left text");
    box->SetAlignment(taLeftJustify);
    auto* radio = Add<TRadioButton>(10, 40, 150, 20, "Left text");
    radio->SetAlignment(taLeftJustify);
    Skin<TSkinCheckBox>(box);
    Skin<TSkinRadioButton>(radio);
    // Check box flush right; radio button one pixel in.
    EXPECT_EQ(BoxPixel(box->Handle(), 149), CheckColor(1));
    EXPECT_EQ(BoxPixel(box->Handle(), 150 - kBoxSize), CheckColor(1));
    EXPECT_EQ(BoxPixel(box->Handle(), 150 - kBoxSize - 1), kSkinFace);
    EXPECT_EQ(BoxPixel(radio->Handle(), 148), RadioColor(1));
    EXPECT_EQ(BoxPixel(radio->Handle(), 149), kSkinFace);
    // The usual side: the caption area begins after the box.
    auto* normal = Add<TCheckBox>(10, 70, 150, 20, "");
    Skin<TSkinCheckBox>(normal);
    EXPECT_EQ(BoxPixel(normal->Handle(), 0), CheckColor(1));
    EXPECT_EQ(BoxPixel(normal->Handle(), kBoxSize), kSkinFace);
}

TEST_F(CheckSkin, TheSkinDrawsTheCaptionAndTheParentImageWhenTagged)
{
    auto* box = Add<TCheckBox>(10, 10, 150, 20, "Caption");
    box->Font().SetColor(RGBColor(250, 250, 0));
    auto* tagged = Add<TCheckBox>(10, 40, 150, 20, "Tagged");
    tagged->SetTag(ParentImageTag);
    Skin<TSkinCheckBox>(box);
    auto* taggedSkin = Skin<TSkinCheckBox>(tagged);
    EXPECT_TRUE(taggedSkin->Transparent());

    Painted painted = PaintedBySkin(box->Handle());
    bool caption = false;
    for (int y = 0; y < painted.Height(); ++y)
        for (int x = kBoxSize + 2; x < painted.Width(); ++x)
            caption = caption || PixelOf(painted, x, y) == RGBColor(250, 250, 0);
    EXPECT_TRUE(caption);
    EXPECT_EQ(PixelOf(painted, 140, 1), kSkinFace);
    box->SetEnabled(false);
    painted = PaintedBySkin(box->Handle());
    bool grey = false;
    for (int y = 0; y < painted.Height(); ++y)
        for (int x = kBoxSize + 2; x < painted.Width(); ++x)
            grey = grey || PixelOf(painted, x, y) == static_cast<TColor>(ColorToRGB(clBtnShadow));
    EXPECT_TRUE(grey);

    // A font left at its system colour reads in the skin's ButtonText.
    auto* plain = Add<TRadioButton>(10, 70, 150, 20, "Default font");
    Skin<TSkinRadioButton>(plain);
    const Painted plainPainted = PaintedBySkin(plain->Handle());
    bool skinText = false;
    for (int y = 0; y < plainPainted.Height(); ++y)
        for (int x = kBoxSize + 2; x < plainPainted.Width(); ++x)
            skinText = skinText || PixelOf(plainPainted, x, y) == kSkinText;
    EXPECT_TRUE(skinText);

    // The tagged box leaves the form's colour behind its caption.
    Repaint(tagged->Handle());
    EXPECT_EQ(ScreenPixel(tagged->Handle(), 140, 1), m_form->Color());
    EXPECT_EQ(ScreenPixel(tagged->Handle(), kBoxSize / 2, 10), CheckColor(1));
}

TEST_F(CheckSkin, WithoutAStripTheControlKeepsItsOwnPainting)
{
    Reload({.checkFrames = 0, .radioFrames = 0});
    auto* box = Add<TCheckBox>(10, 10, 150, 20, "Plain");
    auto* skin = Skin<TSkinCheckBox>(box);
    EXPECT_EQ(skin->Kind(), 0);
    const Painted painted = PaintedBySkin(box->Handle());
    EXPECT_EQ(PixelOf(painted, kBoxSize / 2, 10), clWhite) << "the skin drew nothing";
}

TEST_F(CheckSkin, FrameworkControlsStillToggleByMouseAndKeyboard)
{
    auto* box = Add<TCheckBox>(10, 10, 150, 20, "Box");
    auto* one = Add<TRadioButton>(10, 40, 150, 20, "One");
    auto* two = Add<TRadioButton>(10, 70, 150, 20, "Two");
    Skin<TSkinCheckBox>(box);
    Skin<TSkinRadioButton>(one);
    Skin<TSkinRadioButton>(two);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    HWND w = box->Handle();

    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(w, WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ScreenPixel(w, kBoxSize / 2, 10), CheckColor(2)) << "repainted at once";

    box->SetFocus();
    SendMessageW(w, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(w, WM_KEYUP, VK_SPACE, 0xC0390001);
    Pump();
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(ScreenPixel(w, kBoxSize / 2, 10), CheckColor(1));

    one->SetChecked(true);
    SendMessageW(two->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    SendMessageW(two->Handle(), WM_LBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_TRUE(two->Checked());
    EXPECT_FALSE(one->Checked());
    EXPECT_EQ(ScreenPixel(two->Handle(), kBoxSize / 2, 10), RadioColor(2));
    EXPECT_EQ(ScreenPixel(one->Handle(), kBoxSize / 2, 10), RadioColor(1));
}

TEST_F(CheckSkin, PlainDialogBoxesToggleAndShowTheSkinsBoxOverTheirOwn)
{
    Reload({.checkFrames = 12, .radioFrames = 8});
    DialogTemplate tmpl;
    tmpl.Item(201, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 5, 90, 12, L"Check");
    tmpl.Item(202, L"BUTTON", BS_AUTO3STATE | WS_TABSTOP, 5, 20, 90, 12, L"Three");
    tmpl.Item(203, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 35, 90, 12, L"One");
    tmpl.Item(204, L"BUTTON", BS_AUTORADIOBUTTON, 5, 50, 90, 12, L"Two");
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl.Get(), nullptr,
                                             RecordingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    TComponent owner(nullptr);
    for (int id : {201, 202}) {
        auto* s = new TSkinCheckBox(&owner);
        s->Inithwnd(GetDlgItem(dialog, id), m_data.get(), nullptr, nullptr);
        ASSERT_TRUE(s->Inited());
        EXPECT_EQ(s->Kind(), 0) << "a raw window paints its own caption";
    }
    for (int id : {203, 204}) {
        auto* s = new TSkinRadioButton(&owner);
        s->Inithwnd(GetDlgItem(dialog, id), m_data.get(), nullptr, nullptr);
    }
    auto click = [&](int id) {
        HWND w = GetDlgItem(dialog, id);
        SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
        SendMessageW(w, WM_LBUTTONUP, 0, At(3, 3));
        Pump();
    };
    auto box = [&](int id) {
        HWND w = GetDlgItem(dialog, id);
        RECT r{};
        GetClientRect(w, &r);
        Repaint(w);
        return ScreenPixel(w, kBoxSize / 2, r.bottom / 2);
    };

    EXPECT_EQ(box(201), CheckColor(1));
    click(201);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 201), BST_CHECKED);
    EXPECT_EQ(box(201), CheckColor(5));
    SetFocus(GetDlgItem(dialog, 201));
    SendMessageW(GetDlgItem(dialog, 201), WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(GetDlgItem(dialog, 201), WM_KEYUP, VK_SPACE, 0xC0390001);
    Pump();
    EXPECT_EQ(IsDlgButtonChecked(dialog, 201), BST_UNCHECKED);
    EXPECT_EQ(box(201), CheckColor(1));

    // Three-state: checked, then indeterminate (frame 9; 12 disabled).
    click(202);
    click(202);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 202), BST_INDETERMINATE);
    EXPECT_EQ(box(202), CheckColor(9));
    EnableWindow(GetDlgItem(dialog, 202), FALSE);
    EXPECT_EQ(box(202), CheckColor(12));

    click(204);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 204), BST_CHECKED);
    EXPECT_EQ(box(204), RadioColor(5));
    EXPECT_EQ(box(203), RadioColor(1));
    DestroyWindow(dialog);
}

// A control is drawn at the DPI of the form it sits on: the box doubles at
// 192 DPI (its frame picture doubled) and is back at its size at 96.
TEST_F(CheckSkin, TheBoxIsDrawnAtTheDpiOfItsForm)
{
    auto* box = Add<TCheckBox>(10, 10, 150, 40, "Check");
    auto* skin = Skin<TSkinCheckBox>(box);
    HWND w = box->Handle();
    const TColor face = BoxPixel(w);
    const int beyondSmall = kBoxSize + 3;
    EXPECT_NE(BoxPixel(w, beyondSmall), face);

    m_host->Dpi = 192;
    skin->SkinChange();
    EXPECT_EQ(skin->SkinElements(), &m_data->ElementsAt(192));
    EXPECT_EQ(BoxPixel(w, beyondSmall), face);
    EXPECT_EQ(BoxPixel(w, 2 * kBoxSize - 1), face);
    EXPECT_NE(BoxPixel(w, 2 * kBoxSize + 2), face);

    m_host->Dpi = 96;
    skin->SkinChange();
    EXPECT_EQ(skin->SkinElements(), &m_data->Elements());
    EXPECT_NE(BoxPixel(w, beyondSmall), face);
}

// The caption keeps its distance from the box at every DPI: at 192 both the
// box and the gap after it are twice as wide, on either side of the caption.
TEST_F(CheckSkin, TheGapBetweenBoxAndCaptionDoublesAt192)
{
    constexpr TColor ink = RGBColor(250, 250, 0);
    auto firstInk = [&](HWND w, bool fromRight) {
        const Painted painted = PaintedBySkin(w);
        for (int i = 0; i < painted.Width(); ++i) {
            const int x = fromRight ? painted.Width() - 1 - i : i;
            for (int y = 0; y < painted.Height(); ++y)
                if (PixelOf(painted, x, y) == ink)
                    return x;
        }
        return -1;
    };
    auto* normal = Add<TCheckBox>(10, 10, 150, 40, "HHH");
    auto* leftText = Add<TCheckBox>(10, 60, 150, 40, "HHH");
    leftText->SetAlignment(taLeftJustify);
    auto* radio = Add<TRadioButton>(10, 110, 150, 40, "HHH");
    radio->SetAlignment(taLeftJustify);
    for (TControl* control : {static_cast<TControl*>(normal), static_cast<TControl*>(leftText),
                              static_cast<TControl*>(radio)})
        control->Font().SetColor(ink);
    TSkinCheckControl* skins[] = {Skin<TSkinCheckBox>(normal), Skin<TSkinCheckBox>(leftText),
                                  Skin<TSkinRadioButton>(radio)};
    auto inkAt = [&](int dpi) {
        m_host->Dpi = dpi;
        for (auto* skin : skins)
            skin->SkinChange();
        return std::vector<int>{firstInk(normal->Handle(), false),
                                firstInk(leftText->Handle(), true),
                                firstInk(radio->Handle(), true)};
    };
    const std::vector<int> small = inkAt(96);
    const std::vector<int> large = inkAt(192);
    ASSERT_GT(small[0], kBoxSize);
    ASSERT_GT(small[1], 0);
    // Same font at both DPIs: only the box and the gap move the caption.
    EXPECT_EQ(large[0] - small[0], kBoxSize + 2);
    EXPECT_EQ(small[1] - large[1], kBoxSize + 2);
    // The radio button's box also sits one pixel in at 96, two at 192.
    EXPECT_EQ(small[2] - large[2], kBoxSize + 2 + 1);
    m_host->Dpi = 96;
}

} // namespace
} // namespace tarnivo
