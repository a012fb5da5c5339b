// Push, menu, bit and speed buttons under a skin whose faces are solid
// colours: the face and caption colour chosen for each state, the click the
// skin produces (and does not produce), the keyboard, raw buttons in a
// dialog and a message box, and the glyph layout.

#include "buttontestkit.h"

#include "skin/controls/skinbitbutton.h"
#include "skin/controls/skinbutton.h"
#include "skin/controls/skinfactory.h"

#include "framework/controls/bitbtn.h"
#include "framework/controls/button.h"
#include "framework/controls/speedbutton.h"

#include "tests/framework/graphics/bitmappixels.h"

#include <windowsx.h>

namespace tarnivo {
namespace {

using namespace test;

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

// Whether any pixel of the bitmap has exactly `color`.
bool Shows(const TBitmap& b, TColor color)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (PixelOf(b, x, y) == color)
                return true;
    return false;
}

// Rows from the first to the last holding `color` (0 when none does).
int RowsWith(const TBitmap& b, TColor color)
{
    int first = -1, last = -1;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (PixelOf(b, x, y) == color) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return first < 0 ? 0 : last - first + 1;
}

class PushButtonSkin : public ButtonSkinTest {
protected:
    HWND RawButton(DWORD style = BS_PUSHBUTTON)
    {
        HWND w = CreateWindowExW(0, L"BUTTON", L"Raw", WS_CHILD | WS_VISIBLE | style, 10, 60, 100,
                                 30, m_form->Handle(), reinterpret_cast<HMENU>(1234),
                                 GetModuleHandleW(nullptr), nullptr);
        auto* skin = new TSkinButton(m_host.get());
        skin->Inithwnd(w, m_data.get(), nullptr, m_host.get());
        return w;
    }
};

// The state is driven the way the user drives it; the face's corner and the
// caption's colour show what the skin chose.
TEST_F(PushButtonSkin, FaceAndCaptionColourFollowTheStateOnBothAttachPaths)
{
    auto* button = Add<TButton>(10, 10, 100, 30, "Caption");
    Skin<TSkinButton>(button);
    HWND raw = RawButton();
    auto* other = Add<TButton>(200, 10, 60, 30, "Other");

    for (HWND w : {button->Handle(), raw}) {
        SCOPED_TRACE(w == raw ? "raw window" : "framework control");
        SetFocus(other->Handle());
        struct Step {
            const char* what;
            void (*act)(HWND);
            int frame;
            TColor text;
        } steps[] = {
            {"idle", [](HWND) {}, 1, kNormalText},
            {"pointer over", [](HWND h) { SendMessageW(h, WM_MOUSEMOVE, 0, At(5, 5)); }, 4, kHotText},
            {"pressed (takes the focus)",
             [](HWND h) { SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5)); }, 2, kPressedText},
            // No state colour for the focused face: the skin's ButtonText
            // (a framework font left at its system colour reads so too).
            {"pointer gone: focused idle", [](HWND h) { SendMessageW(h, WM_MOUSELEAVE, 0, 0); }, 5,
             kSkinText},
            {"space held", [](HWND h) { SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0); }, 2, kPressedText},
            {"space let go", [](HWND h) { SendMessageW(h, WM_KEYUP, VK_SPACE, 0); }, 5, kSkinText},
            {"disabled", [](HWND h) { EnableWindow(h, FALSE); }, 3, clBtnShadow},
            {"disabled, pointer over", [](HWND h) { SendMessageW(h, WM_MOUSEMOVE, 0, At(5, 5)); }, 3,
             clBtnShadow},
        };
        // Not pumped: the leave notification a mouse move asks for arrives
        // at once when the real pointer is elsewhere.
        for (const Step& s : steps) {
            s.act(w);
            const Painted painted = PaintedBySkin(w);
            EXPECT_EQ(PixelOf(painted, 2, 2), FaceColor(s.frame)) << s.what;
            EXPECT_EQ(PixelOf(painted, 97, 27), FaceColor(s.frame)) << s.what;
            if (s.text != clNone) {
                EXPECT_TRUE(Shows(painted, ColorToRGB(s.text))) << s.what;
            }
        }
        EnableWindow(w, TRUE);
        SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    }
}

TEST_F(PushButtonSkin, ACaptionSplitAtTheFirstBarsTakesTwoLines)
{
    auto* one = Add<TButton>(10, 10, 120, 60, "Top");
    auto* two = Add<TButton>(140, 10, 120, 60, "Top||Bottom");
    Skin<TSkinButton>(one);
    Skin<TSkinButton>(two);
    const int single = RowsWith(PaintedBySkin(one->Handle()), kNormalText);
    const int twice = RowsWith(PaintedBySkin(two->Handle()), kNormalText);
    ASSERT_GT(single, 4);
    EXPECT_GT(twice, single * 3 / 2);
}

TEST_F(PushButtonSkin, WithoutFacesTheControlPaintsItself)
{
    Reload({.faces = false});
    auto* button = Add<TButton>(10, 10, 100, 30, "Caption");
    Skin<TSkinButton>(button);
    Repaint(button->Handle());
    Pump();
    // The system face, not the skin's face nor a blank.
    const TColor corner = ScreenPixel(button->Handle(), 50, 3);
    for (int frame = 1; frame <= 5; ++frame)
        EXPECT_NE(corner, FaceColor(frame));
    EXPECT_EQ(corner, ColorToRGB(clBtnFace));
}

TEST_F(PushButtonSkin, ParentImageTagShowsTheParentBehindTheFace)
{
    // The faces' keyed corners let the background through.
    Reload({.faceHoles = true});
    auto* plain = Add<TButton>(10, 10, 100, 30, "A");
    auto* tagged = Add<TButton>(10, 50, 100, 30, "B");
    tagged->SetTag(ParentImageTag);
    EXPECT_FALSE(Skin<TSkinButton>(plain)->Transparent());
    EXPECT_TRUE(Skin<TSkinButton>(tagged)->Transparent());
    EXPECT_EQ(PixelOf(PaintedBySkin(plain->Handle()), 1, 1), kSkinFace);
    EXPECT_EQ(PixelOf(PaintedBySkin(tagged->Handle()), 1, 1), m_form->Color());
    EXPECT_EQ(PixelOf(PaintedBySkin(tagged->Handle()), 95, 27), FaceColor(1));
}

TEST_F(PushButtonSkin, TransparentOptionShowsTheParentBehindEveryButtonFace)
{
    Reload({.faceHoles = true});
    TSkinOptions options = m_data->Options();
    options.Include(xoTransparent);
    m_data->SetOptions(options);
    auto* plain = Add<TButton>(10, 10, 100, 30, "A");
    // Without a tag of its own, every button now lets the parent through.
    EXPECT_TRUE(Skin<TSkinButton>(plain)->Transparent());
    EXPECT_EQ(PixelOf(PaintedBySkin(plain->Handle()), 1, 1), m_form->Color());
    EXPECT_EQ(PixelOf(PaintedBySkin(plain->Handle()), 95, 27), FaceColor(1));
}

TEST_F(PushButtonSkin, NoFocusRectOptionLeavesTheFocusedCaptionUnframed)
{
    auto* button = Add<TButton>(10, 10, 100, 30, "Focus");
    auto* other = Add<TButton>(10, 50, 100, 30, "Other");
    Skin<TSkinButton>(button);
    Skin<TSkinButton>(other);
    // Pixels of the painted button other than the focused face: the
    // caption, and the dotted focus frame around it when there is one.
    auto ink = [&] {
        Painted p = PaintedBySkin(button->Handle());
        int n = 0;
        for (int y = 0; y < p.Height(); ++y)
            for (int x = 0; x < p.Width(); ++x)
                n += PixelOf(p, x, y) != FaceColor(5);
        return n;
    };
    button->SetFocus();
    Pump();
    const int framed = ink();
    TSkinOptions options = m_data->Options();
    options.Include(xoNoFocusRect);
    m_data->SetOptions(options);
    const int unframed = ink();
    // A dotted frame around a caption some 30 x 13 pixels: every other
    // pixel of its outline.
    EXPECT_GT(framed - unframed, 30);
    // What is left is the caption alone, as an unfocused button shows it.
    other->SetFocus();
    Pump();
    options.Exclude(xoNoFocusRect);
    m_data->SetOptions(options);
    Painted p = PaintedBySkin(button->Handle());
    int caption = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x)
            caption += PixelOf(p, x, y) != FaceColor(1);
    EXPECT_EQ(unframed, caption);
}

class ClickCounter {
public:
    explicit ClickCounter(TControl& c)
    {
        c.OnClick = [this](TObject*) { ++clicks; };
        c.OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            ++downs;
            lastDown = {x, y};
        };
    }
    int clicks = 0;
    int downs = 0;
    POINT lastDown{};
};

TEST_F(PushButtonSkin, PressAndReleaseInsideClicksOnceReleaseAfterLeavingDoesNot)
{
    auto* button = Add<TButton>(10, 10, 100, 30, "Go");
    Skin<TSkinButton>(button);
    ClickCounter count(*button);
    HWND w = button->Handle();

    SendMessageW(w, WM_MOUSEMOVE, 0, At(7, 9));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(7, 9));
    EXPECT_EQ(GetFocus(), w);
    EXPECT_EQ(count.downs, 1);
    EXPECT_EQ(count.lastDown.x, 7);
    EXPECT_EQ(count.lastDown.y, 9);
    EXPECT_NE(GetCapture(), w) << "the system button must not see the press";
    SendMessageW(w, WM_LBUTTONUP, 0, At(7, 9));
    Pump();
    EXPECT_EQ(count.clicks, 1);
    // A second release without a press is no click.
    SendMessageW(w, WM_LBUTTONUP, 0, At(7, 9));
    Pump();
    EXPECT_EQ(count.clicks, 1);

    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(7, 9));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    SendMessageW(w, WM_LBUTTONUP, 0, At(300, 9));
    Pump();
    EXPECT_EQ(count.clicks, 1);
    EXPECT_EQ(PixelOf(PaintedBySkin(w), 2, 2), FaceColor(5));
}

TEST_F(PushButtonSkin, KeyboardStillClicks)
{
    auto* button = Add<TButton>(10, 10, 100, 30, "Space");
    auto* ok = Add<TButton>(120, 10, 100, 30, "OK");
    ok->SetDefault(true);
    Skin<TSkinButton>(button);
    Skin<TSkinButton>(ok);
    ClickCounter spaceCount(*button);
    ClickCounter okCount(*ok);

    button->SetFocus();
    SendMessageW(button->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(button->Handle(), WM_CHAR, ' ', 0x00390001);
    SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0390001);
    Pump();
    EXPECT_EQ(spaceCount.clicks, 1);

    // Enter on the focused default button.
    ok->SetFocus();
    SendMessageW(ok->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    SendMessageW(ok->Handle(), WM_CHAR, '\r', 0x001C0001);
    SendMessageW(ok->Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    Pump();
    EXPECT_EQ(okCount.clicks, 1);
    EXPECT_EQ(spaceCount.clicks, 1);
}

TEST_F(PushButtonSkin, RawButtonsPostTheirCommandToTheParent)
{
    DialogCommands().clear();
    DialogTemplate tmpl;
    tmpl.Item(321, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 60, 14, L"Push");
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl.Get(), nullptr,
                                             RecordingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    HWND push = GetDlgItem(dialog, 321);
    auto* skin = new TSkinButton(m_host.get());
    skin->Inithwnd(push, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(skin->Inited());

    SendMessageW(push, WM_LBUTTONDOWN, MK_LBUTTON, At(4, 4));
    SendMessageW(push, WM_LBUTTONUP, 0, At(4, 4));
    Pump();
    ASSERT_EQ(DialogCommands().size(), 1u);
    EXPECT_EQ(DialogCommands()[0].first, MAKEWPARAM(321, BN_CLICKED));
    EXPECT_EQ(DialogCommands()[0].second, reinterpret_cast<LPARAM>(push));

    // The keyboard click is the button's own, once.
    DialogCommands().clear();
    SetFocus(push);
    SendMessageW(push, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(push, WM_KEYUP, VK_SPACE, 0xC0390001);
    Pump();
    EXPECT_EQ(DialogCommands().size(), 1u);
    delete skin;
    DestroyWindow(dialog);
}

TEST_F(PushButtonSkin, AWindowOfClassTButtonPostsCommandZero)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TButton";
    RegisterClassW(&wc);
    DialogCommands().clear();
    DialogTemplate tmpl;
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), tmpl.Get(), nullptr,
                                             RecordingDialogProc, 0);
    HWND w = CreateWindowExW(0, L"TButton", L"t", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, dialog,
                             reinterpret_cast<HMENU>(77), GetModuleHandleW(nullptr), nullptr);
    auto* skin = new TSkinButton(m_host.get());
    skin->Inithwnd(w, m_data.get(), nullptr, m_host.get());
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(4, 4));
    SendMessageW(w, WM_LBUTTONUP, 0, At(4, 4));
    Pump();
    ASSERT_EQ(DialogCommands().size(), 1u);
    EXPECT_EQ(DialogCommands()[0].first, 0u);
    delete skin;
    DestroyWindow(dialog);
}

// A message box's buttons are raw buttons of a modal dialog: the skin clicks
// them and the box ends with that button's answer.
struct MessageBoxProbe {
    static inline HHOOK hook = nullptr;
    static inline TComponent* owner = nullptr;
    static inline TSkinData* data = nullptr;
    static inline bool clicked = false;

    static LRESULT CALLBACK Cbt(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE && !clicked) {
            HWND box = reinterpret_cast<HWND>(wParam);
            if (HWND no = GetDlgItem(box, IDNO)) {
                clicked = true;
                auto* skin = new TSkinButton(owner);
                skin->Inithwnd(no, data, nullptr, nullptr);
                PostMessageW(no, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
                PostMessageW(no, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
            }
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }
};

TEST_F(PushButtonSkin, AMessageBoxButtonClickedThroughTheSkinAnswers)
{
    TComponent owner(nullptr);
    MessageBoxProbe::owner = &owner;
    MessageBoxProbe::data = m_data.get();
    MessageBoxProbe::clicked = false;
    MessageBoxProbe::hook =
        SetWindowsHookExW(WH_CBT, MessageBoxProbe::Cbt, nullptr, GetCurrentThreadId());
    ASSERT_NE(MessageBoxProbe::hook, nullptr);
    const int answer = MessageBoxW(m_form->Handle(), L"Skinned?", L"Probe", MB_YESNO);
    UnhookWindowsHookEx(MessageBoxProbe::hook);
    EXPECT_TRUE(MessageBoxProbe::clicked);
    EXPECT_EQ(answer, IDNO);
}

TEST_F(PushButtonSkin, AFocusedIdleMenuButtonShowsTheHotFaceAndAnArrow)
{
    auto* button = Add<TButton>(10, 10, 100, 30, "Menu");
    auto* other = Add<TButton>(200, 10, 60, 30, "Other");
    Skin<TSkinMenuButton>(button);
    HWND w = button->Handle();
    other->SetFocus();
    EXPECT_EQ(PixelOf(PaintedBySkin(w), 2, 2), FaceColor(1));
    button->SetFocus();
    const Painted painted = PaintedBySkin(w);
    EXPECT_EQ(PixelOf(painted, 2, 2), FaceColor(4));
    // The arrow's tip and its top edge, in clWindowText.
    EXPECT_EQ(PixelOf(painted, 100 - 12, 15 + 1), ColorToRGB(clWindowText));
    EXPECT_EQ(PixelOf(painted, 100 - 12, 15 - 1), ColorToRGB(clWindowText));
    EXPECT_EQ(PixelOf(painted, 100 - 12, 15 + 4), FaceColor(4));
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(PixelOf(PaintedBySkin(w), 2, 2), FaceColor(2));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EnableWindow(w, FALSE);
    const Painted disabled = PaintedBySkin(w);
    EXPECT_EQ(PixelOf(disabled, 2, 2), FaceColor(3));
    EXPECT_EQ(PixelOf(disabled, 100 - 12, 15), ColorToRGB(clBtnShadow));
}

// On a form at 192 DPI the arrow and its column are twice as large.
TEST_F(PushButtonSkin, AMenuButtonsArrowDoublesAt192)
{
    auto* button = Add<TButton>(10, 10, 200, 60, "Menu");
    Skin<TSkinMenuButton>(button);
    HWND w = button->Handle();
    m_host->Dpi = 192;
    InvalidateRect(w, nullptr, TRUE);
    const Painted painted = PaintedBySkin(w);
    m_host->Dpi = 96;
    const TColor ink = ColorToRGB(clWindowText);
    // Tip at (200 - 24, 30 + 4), top edge at row 30 - 2, from x 200 - 30 to 200 - 18.
    EXPECT_EQ(PixelOf(painted, 200 - 24, 30 + 3), ink);
    EXPECT_EQ(PixelOf(painted, 200 - 24, 30 - 2), ink);
    EXPECT_EQ(PixelOf(painted, 200 - 29, 30 - 2), ink);
    EXPECT_EQ(PixelOf(painted, 200 - 19, 30 - 2), ink);
    EXPECT_NE(PixelOf(painted, 200 - 24, 30 + 6), ink);
    EXPECT_NE(PixelOf(painted, 200 - 24, 30 - 4), ink);
}

// Glyph layout ---------------------------------------------------------------------------

TEST(GlyphPlacement, MarginAndSpacingRules)
{
    const TSize client{100, 40};
    const TSize glyph{16, 16};
    const TSize text{30, 13};
    struct Row {
        TGlyphSide side;
        int margin, spacing;
        bool centred;
        TGlyphRule rule;
        int glyphX, glyphY, textX, textY;
        UINT format;
    } rows[] = {
        // Both automatic: free 54 cut in three.
        {TGlyphSide::Left, -1, -1, false, TGlyphRule::BitButton, 18, 12, 52, 14, DT_WORDBREAK},
        // Glyph right: 18 right of the glyph, 18 between, the rest left of the text.
        {TGlyphSide::Right, -1, -1, false, TGlyphRule::BitButton, 66, 12, 18, 14,
         DT_WORDBREAK | DT_RIGHT},
        // Given spacing, automatic margin: the pair centred (free 50 / 2).
        {TGlyphSide::Left, -1, 4, false, TGlyphRule::BitButton, 25, 12, 45, 14, DT_WORDBREAK},
        {TGlyphSide::Left, -1, 4, false, TGlyphRule::SpeedButton, 26, 12, 46, 14, DT_WORDBREAK},
        // Centred alignment overrides a given margin.
        {TGlyphSide::Left, 3, 4, true, TGlyphRule::BitButton, 25, 12, 45, 14, DT_WORDBREAK},
        // Given margin, automatic spacing: (100 - 3 - 16 - 30) / 2 = 25.
        {TGlyphSide::Left, 3, -1, false, TGlyphRule::BitButton, 3, 12, 44, 14, DT_WORDBREAK},
        {TGlyphSide::Left, 3, 5, false, TGlyphRule::BitButton, 3, 12, 24, 14, DT_WORDBREAK},
        // Top and bottom: y is the main axis; x centred on its own.
        {TGlyphSide::Top, 2, 1, false, TGlyphRule::BitButton, 42, 2, 35, 19, DT_WORDBREAK | DT_CENTER},
        {TGlyphSide::Bottom, 2, 1, false, TGlyphRule::BitButton, 42, 22, 35, 8,
         DT_WORDBREAK | DT_CENTER},
    };
    for (const Row& r : rows) {
        const TGlyphPlacement p =
            PlaceGlyph(client, glyph, text, r.side, r.margin, r.spacing, r.centred, r.rule);
        SCOPED_TRACE(testing::Message() << "side " << int(r.side) << " margin " << r.margin
                                        << " spacing " << r.spacing);
        EXPECT_EQ(p.Glyph.left, r.glyphX);
        EXPECT_EQ(p.Glyph.top, r.glyphY);
        EXPECT_EQ(p.Text.left, r.textX);
        EXPECT_EQ(p.Text.top, r.textY);
        EXPECT_EQ(RectWidth(p.Glyph), 16);
        EXPECT_EQ(RectWidth(p.Text), 30);
        EXPECT_EQ(p.Format, r.format);
    }
    // Without a caption the spacing counts as 0, so it is no longer
    // automatic: the glyph alone is centred.
    const TGlyphPlacement alone = PlaceGlyph(client, glyph, {0, 0}, TGlyphSide::Left, -1, 10, false);
    EXPECT_EQ(alone.Glyph.left, (100 - 16) / 2);
    EXPECT_EQ(GlyphSideOf("BLGLYPHBOTTOM"), TGlyphSide::Bottom);
    EXPECT_EQ(GlyphSideOf("something"), TGlyphSide::Left);
}

// A strip of 3 cells of 4 x 4: red, green, blue, each with a magenta
// bottom-left pixel (the key).
void GlyphStrip(TBitmap& b, int cells)
{
    static const TColor colors[] = {RGBColor(200, 0, 0), RGBColor(0, 200, 0), RGBColor(0, 0, 200)};
    FillBitmap(b, 4 * cells, 4, clWhite);
    for (int c = 0; c < cells; ++c)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                SetPixelOf(b, 4 * c + x, y, y == 3 && x == 0 ? RGBColor(255, 0, 255) : colors[c]);
}

TColor Grey(TColor c)
{
    const COLORREF rgb = ColorToRGB(c);
    const int g = (GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb)) / 3;
    return RGBColor(g, g, g);
}

TEST(GlyphCells, CellFallbackGreyAndKey)
{
    struct Row {
        int cells, cell;
        TColor want;
    } rows[] = {
        {3, 1, RGBColor(200, 0, 0)},
        {3, 3, RGBColor(0, 0, 200)},
        {3, 2, Grey(RGBColor(0, 200, 0))},   // the disabled cell is greyed as well
        {3, 4, RGBColor(200, 0, 0)},         // beyond the strip: the first
        {1, 2, Grey(RGBColor(200, 0, 0))},   // disabled, fell back: grey
    };
    for (const Row& r : rows) {
        TBitmap strip;
        GlyphStrip(strip, r.cells);
        TBitmap target;
        FillBitmap(target, 10, 10, RGBColor(9, 9, 9));
        DrawGlyph(target.Canvas().Handle(), {2, 3}, r.cells, r.cell, strip);
        EXPECT_EQ(PixelOf(target, 3, 3), r.want) << r.cells << " cells, cell " << r.cell;
        EXPECT_EQ(PixelOf(target, 2, 6), RGBColor(9, 9, 9)) << "the key stays out";
        EXPECT_EQ(PixelOf(target, 6, 3), RGBColor(9, 9, 9));
    }
}

TEST_F(PushButtonSkin, BitButtonDrawsItsGlyphWhereTheLayoutPutsIt)
{
    auto* bit = Add<TBitBtn>(10, 10, 100, 40, "");
    TBitmap strip;
    GlyphStrip(strip, 3);
    bit->SetGlyph(strip);
    bit->SetNumGlyphs(3);
    bit->SetLayout(blGlyphRight);
    bit->SetMargin(-1);
    bit->SetSpacing(-1);
    Skin<TSkinBitButton>(bit);
    const int x = 100 - (100 - 4) / 2 - 4;   // no caption: spacing 0, the glyph centred
    const int y = (40 - 4 + 1) / 2;
    Painted painted = PaintedBySkin(bit->Handle());
    EXPECT_EQ(PixelOf(painted, x + 1, y + 1), RGBColor(200, 0, 0));
    EXPECT_EQ(PixelOf(painted, x, y + 3), FaceColor(1)) << "keyed pixel shows the face";
    SendMessageW(bit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    painted = PaintedBySkin(bit->Handle());
    EXPECT_EQ(PixelOf(painted, x + 1, y + 1), RGBColor(0, 0, 200));
    EXPECT_EQ(PixelOf(painted, 1, 1), FaceColor(2));
    SendMessageW(bit->Handle(), WM_MOUSELEAVE, 0, 0);
    bit->SetEnabled(false);
    painted = PaintedBySkin(bit->Handle());
    EXPECT_EQ(PixelOf(painted, x + 1, y + 1), Grey(RGBColor(0, 200, 0)));
}

TEST_F(PushButtonSkin, FactoryGivesPngGlyphButtonsTheirPictureProperty)
{
    auto* bit = Add<TBitBtn>(10, 10, 100, 40, "Png");
    TSkinAttachRequest request;
    request.Class = TSkinClass::BitButton;
    request.GlyphFromPngImage = true;
    request.Control = bit;
    request.Owner = bit;
    request.Host = m_host.get();
    request.SkinData = m_data.get();
    auto* skin = dynamic_cast<TSkinBitButton*>(AttachSkinControl(request));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->PictureProp(), "PngImage");
    // No such picture: the face and caption all the same.
    EXPECT_EQ(PixelOf(PaintedBySkin(bit->Handle()), 2, 2), FaceColor(1));

    auto* plain = Add<TBitBtn>(10, 60, 100, 40, "Plain");
    request.GlyphFromPngImage = false;
    request.Control = plain;
    request.Owner = plain;
    auto* other = dynamic_cast<TSkinBitButton*>(AttachSkinControl(request));
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->PictureProp().empty());
}

// Speed buttons ---------------------------------------------------------------------------

class SpeedButtonSkin : public ButtonSkinTest {
protected:
    // The form's client area as the form paints it into a bitmap.
    Painted FormPainted()
    {
        RECT r{};
        GetClientRect(m_form->Handle(), &r);
        Painted b;
        FillBitmap(*b.Image, r.right, r.bottom, clWhite);
        SendMessageW(m_form->Handle(), WM_PAINT,
                     reinterpret_cast<WPARAM>(b.Image->Canvas().Handle()), 0);
        return b;
    }
};

TEST_F(SpeedButtonSkin, FlatShowsOnlyTheBackgroundUntilThePointerIsOver)
{
    auto* flat = Add<TSpeedButton>(20, 20, 40, 30);
    flat->SetFlat(true);
    auto* raised = Add<TSpeedButton>(80, 20, 40, 30);
    for (TSpeedButton* b : {flat, raised}) {
        auto* skin = new TSkinSpeedButton(b);
        skin->InitGraphicControl(m_host.get(), m_data.get(), nullptr);
        ASSERT_TRUE(skin->Inited());
    }
    Painted painted = FormPainted();
    EXPECT_EQ(PixelOf(painted, 22, 22), kSkinFace);
    EXPECT_EQ(PixelOf(painted, 82, 22), FaceColor(1));

    flat->Perform(CM_MOUSEENTER);
    EXPECT_EQ(PixelOf(FormPainted(), 22, 22), FaceColor(4));
    flat->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(PixelOf(FormPainted(), 22, 22), kSkinFace);

    raised->SetGroupIndex(1);
    raised->SetDown(true);
    EXPECT_EQ(PixelOf(FormPainted(), 82, 22), FaceColor(2));
    raised->SetGroupIndex(0);   // out of the group: up again
    raised->SetEnabled(false);
    EXPECT_EQ(PixelOf(FormPainted(), 82, 22), FaceColor(3));
}

TEST_F(SpeedButtonSkin, TheControlKeepsItsPressAndClicksByItself)
{
    auto* button = Add<TSpeedButton>(20, 20, 40, 30);
    auto* skin = new TSkinSpeedButton(button);
    skin->InitGraphicControl(m_host.get(), m_data.get(), nullptr);
    ClickCounter count(*button);
    HWND form = m_form->Handle();
    SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 30));
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(PixelOf(FormPainted(), 22, 22), FaceColor(2));
    SendMessageW(form, WM_LBUTTONUP, 0, At(30, 30));
    Pump();
    EXPECT_EQ(count.clicks, 1);
    EXPECT_EQ(PixelOf(FormPainted(), 22, 22), FaceColor(1));
    // Released outside: the control's own rule, no click.
    SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 30));
    SendMessageW(form, WM_LBUTTONUP, 0, At(300, 200));
    Pump();
    EXPECT_EQ(count.clicks, 1);

    // Released (CM_RELEASE): the control paints itself again.
    button->Perform(CM_RELEASE);
    EXPECT_NE(PixelOf(FormPainted(), 22, 22), FaceColor(1));
}

TEST_F(SpeedButtonSkin, DeletingTheGraphicControlsSkinGivesItsOwnLookBack)
{
    auto* button = Add<TSpeedButton>(20, 20, 40, 30);
    auto* other = Add<TSpeedButton>(80, 20, 40, 30);
    for (TSpeedButton* b : {button, other}) {
        auto* skin = new TSkinSpeedButton(b);
        skin->InitGraphicControl(m_host.get(), m_data.get(), nullptr);
        ASSERT_TRUE(skin->Inited());
    }
    const std::size_t listed = m_host->Controls.size();
    ASSERT_EQ(PixelOf(FormPainted(), 22, 22), FaceColor(1));

    m_host->DeleteGraphicControl(button);
    EXPECT_EQ(m_host->Controls.size(), listed - 1);
    EXPECT_EQ(button->ComponentCount(), 0) << "the skin object is freed";
    EXPECT_NE(PixelOf(FormPainted(), 22, 22), FaceColor(1)) << "the button paints itself";
    EXPECT_EQ(PixelOf(FormPainted(), 82, 22), FaceColor(1)) << "the other keeps its skin";
    // Asked again, or about a control without a skin: nothing happens.
    m_host->DeleteGraphicControl(button);
    m_host->DeleteGraphicControl(nullptr);
    EXPECT_EQ(m_host->Controls.size(), listed - 1);
}

} // namespace
} // namespace tarnivo
