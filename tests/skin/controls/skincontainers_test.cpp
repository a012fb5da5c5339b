// Containers and group boxes against real windows: the face colour a panel
// takes and gives back, the raw dialog's background and static brush, the
// size grip, the tab sheet, the group box's frame and caption, and labels
// following their parent's colour.

#include "skincontroltestkit.h"
#include "skintestkit.h"

#include "skin/controls/skinbox.h"
#include "skin/controls/skingroupbox.h"
#include "skin/forms/skinmessages.h"

#include "framework/controls/coolbar.h"
#include "framework/controls/groupbox.h"
#include "framework/controls/label.h"
#include "framework/controls/pagecontrol.h"

#include "tests/framework/graphics/bitmappixels.h"

namespace tarnivo {
namespace {

using namespace test;

// What a skinned window draws through WM_SKINPAINTCLIENT, in a bitmap
// first filled with `fill`.
void Painted(HWND window, TBitmap& b, TColor fill = RGBColor(1, 2, 3))
{
    RECT r{};
    GetWindowRect(window, &r);
    FillBitmap(b, r.right - r.left, r.bottom - r.top, fill);
    SendMessageW(window, WM_SKINPAINTCLIENT, reinterpret_cast<WPARAM>(b.Canvas().Handle()), SkinMagic);
}

int CountColor(const TBitmap& b, TColor color, const TRect& r)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += PixelOf(b, x, y) == color;
    return n;
}

using ContainerSkin = ControlSkinTest;

TEST_F(ContainerSkin, PanelShowsButtonFaceWhileSkinnedAndItsOwnColourAfterwards)
{
    auto* label = new TLabel(m_form.get());
    label->SetParent(m_panel);
    label->SetBounds(5, 5, 30, 14);
    label->SetCaption("");
    auto* box = new TSkinBox(m_panel);
    box->Init(m_host.get(), m_data.get(), nullptr, true);
    ASSERT_EQ(box->Status(), skinstatus::Attached);
    Repaint(m_panel->Handle());
    EXPECT_EQ(ScreenPixel(m_panel->Handle(), 40, 30), kButtonFace);
    // The label follows the panel instead of showing its own face colour.
    EXPECT_EQ(label->Color(), kButtonFace);
    EXPECT_EQ(ScreenPixel(m_panel->Handle(), 10, 10), kButtonFace);
    // Not in the message path: the panel answers as an unskinned window.
    EXPECT_EQ(SendMessageW(m_panel->Handle(), WM_ISSKINNED, 0, 0), 0);

    box->Unsubclass();
    EXPECT_EQ(box->Status(), skinstatus::ColorsRestored);
    EXPECT_EQ(m_panel->Color(), kPanelColor);
    EXPECT_EQ(label->Color(), kPanelColor);
    Repaint(m_panel->Handle());
    EXPECT_EQ(ScreenPixel(m_panel->Handle(), 40, 30), kPanelColor);
}

TEST_F(ContainerSkin, ColourStaysWithKeepStatusAndWithoutUpdateColor)
{
    auto* keep = new TSkinBox(m_panel);
    keep->Init(m_host.get(), m_data.get(), nullptr, true);
    keep->SetStatus(TSkinBox::StatusKeepColor);
    keep->Unsubclass();
    EXPECT_EQ(m_panel->Color(), kButtonFace);
    EXPECT_EQ(keep->Status(), skinstatus::ColorsRestored);
    delete keep;

    m_panel->SetColor(kPanelColor);
    auto* plain = new TSkinBox(m_panel);
    plain->Init(m_host.get(), m_data.get(), nullptr, false);
    EXPECT_EQ(m_panel->Color(), kPanelColor);
    plain->Unsubclass();
    EXPECT_EQ(m_panel->Color(), kPanelColor);
}

TEST_F(ContainerSkin, LabelWithAColourOfItsOwnKeepsIt)
{
    auto* own = new TLabel(m_form.get());
    own->SetParent(m_panel);
    own->SetColor(RGBColor(0, 200, 0));
    auto* box = new TSkinBox(m_panel);
    box->Init(m_host.get(), m_data.get(), nullptr, true);
    EXPECT_EQ(own->Color(), RGBColor(0, 200, 0));
    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), kButtonFace);
}

// Under a visual style the rebar draws every band alike and erases nothing
// beside them; the bar paints the colours itself.
TEST_F(ContainerSkin, CoolBarAndItsBandsTakeTheFaceWhileSkinnedAndTheirOwnColoursAfter)
{
    auto* bar = new TCoolBar(m_form.get());
    bar->SetParent(m_form.get());
    bar->SetBounds(0, 0, 240, 44);
    bar->SetColor(kPanelColor);
    bar->AddBand()->SetColor(clBlue);
    bar->AddBand()->SetColor(clLime);
    HWND window = bar->Handle();
    RECT band{};
    ASSERT_TRUE(SendMessageW(window, RB_GETRECT, 1, reinterpret_cast<LPARAM>(&band)));
    ASSERT_LT(band.bottom + 2, 44) << "no space below the bands";
    const POINT inBand{band.right - 4, (band.top + band.bottom) / 2};
    const POINT below{band.left + 4, band.bottom + 2};
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, inBand.x, inBand.y), clLime);
    EXPECT_EQ(ScreenPixel(window, below.x, below.y), kPanelColor);

    auto* skin = new TSkinCoolBar(bar);
    skin->Init(m_host.get(), m_data.get(), nullptr, true);
    EXPECT_EQ(bar->Color(), kButtonFace);
    EXPECT_EQ(bar->Bands(0)->Color(), kButtonFace);
    EXPECT_EQ(bar->Bands(1)->Color(), kButtonFace);
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, inBand.x, inBand.y), kButtonFace);
    EXPECT_EQ(ScreenPixel(window, below.x, below.y), kButtonFace);
    // A skin change puts the face back on a band the program coloured.
    bar->Bands(1)->SetColor(clYellow);
    skin->SkinChange();
    EXPECT_EQ(bar->Bands(1)->Color(), kButtonFace);

    skin->Unsubclass();
    EXPECT_EQ(bar->Color(), kPanelColor);
    EXPECT_EQ(bar->Bands(0)->Color(), clBlue);
    EXPECT_EQ(bar->Bands(1)->Color(), clLime);
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, inBand.x, inBand.y), clLime);
}

TEST_F(ContainerSkin, RawDialogErasesInButtonFaceAndHandsOutTheSkinBrush)
{
    HWND dialog = CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 10, 60, 100, 60,
                                  m_form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    HWND label = CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 5, 5, 60, 16,
                                 dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    auto* skin = new TSkinBoxH(m_host.get());
    skin->Inithwnd(dialog, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(skin->Inited());

    TBitmap b;
    FillBitmap(b, 100, 60, RGBColor(1, 2, 3));
    EXPECT_EQ(SendMessageW(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas().Handle()), 0), 0);
    EXPECT_EQ(PixelOf(b, 0, 0), kButtonFace);
    EXPECT_EQ(PixelOf(b, 99, 59), kButtonFace);

    const LRESULT brush = SendMessageW(dialog, WM_CTLCOLORSTATIC,
                                       reinterpret_cast<WPARAM>(b.Canvas().Handle()),
                                       reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), m_data->ButtonFaceBrush());
    delete skin;
    DestroyWindow(dialog);
}

TEST_F(ContainerSkin, SizeGripIsCoveredWithButtonFace)
{
    HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP,
                                200, 150, 16, 16, m_form->Handle(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    auto* skin = new TSkinSizer(m_host.get());
    skin->Inithwnd(grip, m_data.get(), nullptr, m_host.get());
    TBitmap b;
    Painted(grip, b);
    for (auto [x, y] : {std::pair{0, 0}, {15, 15}, {8, 8}})
        EXPECT_EQ(PixelOf(b, x, y), kButtonFace) << x << "," << y;
    delete skin;
    DestroyWindow(grip);
}

TEST_F(ContainerSkin, TabSheetPaintsButtonFaceUnderItsLabelsUnlessKindIsSet)
{
    auto* pages = new TPageControl(m_form.get());
    pages->SetParent(m_form.get());
    pages->SetBounds(100, 60, 180, 120);
    auto* sheet = new TTabSheet(m_form.get());
    sheet->SetPageControl(pages);
    sheet->SetCaption("One");
    sheet->SetColor(kPanelColor);
    auto* label = new TLabel(m_form.get());
    label->SetParent(sheet);
    label->SetBounds(4, 4, 40, 14);
    label->SetCaption("XXXXXXXX");
    label->Font().SetColor(RGBColor(255, 255, 0));
    Pump();

    for (int kind : {0, 1}) {
        SCOPED_TRACE(kind);
        auto* skin = new TSkinTabSheet(sheet);
        skin->SetKind(kind);
        skin->Init(m_host.get(), m_data.get(), nullptr, false);
        ASSERT_TRUE(skin->Inited());
        TBitmap b;
        FillBitmap(b, sheet->Width(), sheet->Height(), RGBColor(1, 2, 3));
        SendMessageW(sheet->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas().Handle()), 0);
        SendMessageW(sheet->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b.Canvas().Handle()), 0);
        const TColor corner = PixelOf(b, sheet->Width() - 2, sheet->Height() - 2);
        if (kind == 0) {
            EXPECT_EQ(corner, kButtonFace);
            // The sheet and the label following it take the face colour, so
            // no red label face is painted over the sheet's.
            EXPECT_EQ(sheet->Color(), kButtonFace);
            EXPECT_EQ(label->Color(), kButtonFace);
            EXPECT_EQ(CountColor(b, kPanelColor, Rect(0, 0, 60, 30)), 0);
            // The label was painted again over the face: some yellow text.
            bool text = false;
            for (int y = 4; y < 18 && !text; ++y)
                for (int x = 4; x < 44 && !text; ++x)
                    text = PixelOf(b, x, y) == RGBColor(255, 255, 0);
            EXPECT_TRUE(text);
        } else {
            EXPECT_NE(corner, kButtonFace);
            EXPECT_EQ(sheet->Color(), kPanelColor);
        }
        skin->Unsubclass();
        EXPECT_EQ(sheet->Color(), kPanelColor);
        EXPECT_EQ(label->Color(), kPanelColor);
        delete skin;
    }
}

class GroupBoxSkin : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        ASSERT_TRUE(LoadSkinWithShadow());
    }
    bool LoadSkinWithShadow();
};

constexpr TColor kShadow = RGBColor(200, 0, 200);
constexpr TColor kText = RGBColor(0, 255, 0);

bool GroupBoxSkin::LoadSkinWithShadow()
{
    return LoadSkin(*m_data, "[TitlebarSkin]\nSkinName=Controls\n[Colours]\nButtonFace=10 20 30\n"
                             "ButtonShadow=200 0 200\nButtonText=0 255 0\n");
}

TEST_F(GroupBoxSkin, FrameworkBoxFillsFaceDrawsRoundedShadowFrameAndCaption)
{
    auto* group = new TGroupBox(m_form.get());
    group->SetParent(m_form.get());
    group->SetBounds(10, 60, 160, 100);
    group->SetCaption("Group");
    group->Font().SetColor(kText);
    auto* skin = new TSkinGroupBox(group);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    ASSERT_EQ(skin->Kind(), 1);
    TBitmap b;
    Painted(group->Handle(), b);

    HDC screen = GetDC(nullptr);
    SelectObject(screen, group->Font().Handle());
    SIZE zero{};
    GetTextExtentPoint32W(screen, L"0", 1, &zero);
    ReleaseDC(nullptr, screen);
    const int top = zero.cy / 2 - 1;

    EXPECT_EQ(PixelOf(b, 80, 60), kButtonFace);        // filled inside
    EXPECT_EQ(PixelOf(b, 0, 50), kButtonFace);         // left of the frame
    EXPECT_EQ(PixelOf(b, 1, 50), kShadow);             // left side
    EXPECT_EQ(PixelOf(b, 158, 50), kShadow);           // right side
    EXPECT_EQ(PixelOf(b, 80, 98), kShadow);            // bottom
    EXPECT_EQ(PixelOf(b, 120, top), kShadow);          // top, right of the caption
    EXPECT_NE(PixelOf(b, 1, top), kShadow);            // the rounded corner
    // The caption covers the top edge from x = 8 and is drawn in the font colour.
    EXPECT_EQ(CountColor(b, kShadow, Rect(10, top, 20, top + 1)), 0);
    EXPECT_GT(CountColor(b, kText, Rect(8, 0, 60, zero.cy)), 0);
    EXPECT_EQ(CountColor(b, kText, Rect(0, 0, 8, 100)), 0);
}

TEST_F(GroupBoxSkin, EmptyCaptionLeavesTheTopEdgeWhole)
{
    auto* group = new TGroupBox(m_form.get());
    group->SetParent(m_form.get());
    group->SetBounds(10, 60, 160, 100);
    group->SetCaption("");
    auto* skin = new TSkinGroupBox(group);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    TBitmap b;
    Painted(group->Handle(), b);
    int top = -1;
    for (int y = 0; y < 20 && top < 0; ++y)
        if (PixelOf(b, 80, y) == kShadow)
            top = y;
    ASSERT_GE(top, 0);
    EXPECT_EQ(CountColor(b, kShadow, Rect(5, top, 155, top + 1)), 150);
}

TEST_F(GroupBoxSkin, RawBoxRightAlignedCaptionEndsEightPixelsFromTheRight)
{
    HWND box = CreateWindowExW(WS_EX_RIGHT, L"BUTTON", L"Right", WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                               10, 60, 160, 100, m_form->Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    auto* skin = new TSkinGroupBox(m_host.get());
    skin->Inithwnd(box, m_data.get(), nullptr, m_host.get());
    ASSERT_EQ(skin->Kind(), 0);
    TBitmap b;
    Painted(box, b, RGBColor(1, 2, 3));
    // Raw boxes are not filled, and the text is in the skin's button text.
    EXPECT_EQ(PixelOf(b, 80, 60), RGBColor(1, 2, 3));
    EXPECT_GT(CountColor(b, kText, Rect(100, 0, 152, 20)), 0);
    EXPECT_EQ(CountColor(b, kText, Rect(152, 0, 160, 20)), 0);
    EXPECT_EQ(CountColor(b, kText, Rect(0, 0, 80, 20)), 0);
    EXPECT_EQ(PixelOf(b, 1, 50), kShadow);
    delete skin;
    DestroyWindow(box);
}

// A skin with an edge picture (frame 1 enabled, frame 2 disabled: a 2-pixel
// line around a magenta, keyed middle) and a flat label picture.
constexpr TColor kEdgeOn = RGBColor(250, 120, 0);
constexpr TColor kEdgeOff = RGBColor(90, 90, 90);
constexpr TColor kLabel = RGBColor(0, 90, 250);

bool LoadSkinWithBoxPictures(TSkinData& data, const std::string& labelKeys)
{
    const std::string edge = Bmp(24, 12, [](int x, int y) {
        const int cx = x % 12;
        if (cx >= 2 && cx < 10 && y >= 2 && y < 10)
            return RGBColor(255, 0, 255);
        return x < 12 ? kEdgeOn : kEdgeOff;
    });
    return LoadSkin(data,
                    "[TitlebarSkin]\nSkinName=Boxes\n[Colours]\nButtonFace=10 20 30\n"
                    "ButtonShadow=200 0 200\nButtonText=0 255 0\n"
                    "[GroupBoxEdge]\nImage=edge.bmp\nLeftWidth=3\nRightWidth=3\nTopHeight=3\n"
                    "BottomHeight=3\nTrans=1\n"
                    "[GroupBox]\nImage=label.bmp\n" + labelKeys,
                    {{"edge.bmp", edge}, {"label.bmp", Bmp(10, 10, kLabel)}});
}

TEST_F(GroupBoxSkin, EdgePictureReplacesTheRoundedLineInTheEnabledOrDisabledFrame)
{
    ASSERT_TRUE(LoadSkinWithBoxPictures(*m_data, ""));
    auto* group = new TGroupBox(m_form.get());
    group->SetParent(m_form.get());
    group->SetBounds(10, 60, 160, 100);
    group->SetCaption("");
    auto* skin = new TSkinGroupBox(group);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    TBitmap b;
    Painted(group->Handle(), b);
    int top = -1;
    for (int y = 0; y < 20 && top < 0; ++y)
        if (PixelOf(b, 80, y) == kEdgeOn)
            top = y;
    ASSERT_GE(top, 0);
    EXPECT_EQ(PixelOf(b, 0, 50), kEdgeOn);            // the picture reaches the sides
    EXPECT_EQ(PixelOf(b, 159, 50), kEdgeOn);
    EXPECT_EQ(PixelOf(b, 80, 99), kEdgeOn);
    EXPECT_EQ(PixelOf(b, 0, top), kEdgeOn);           // square corners: the picture's
    EXPECT_EQ(PixelOf(b, 80, 60), kButtonFace);       // keyed middle shows the face
    EXPECT_EQ(PixelOf(b, 80, top - 1), kButtonFace);  // above the edge
    EXPECT_EQ(CountColor(b, kShadow, Rect(0, 0, 160, 100)), 0);

    group->SetEnabled(false);
    Painted(group->Handle(), b);
    EXPECT_EQ(PixelOf(b, 0, 50), kEdgeOff);
    EXPECT_EQ(PixelOf(b, 80, 99), kEdgeOff);
    EXPECT_EQ(CountColor(b, kEdgeOn, Rect(0, 0, 160, 100)), 0);
}

TEST_F(GroupBoxSkin, LabelPictureLiesBehindTheCaptionPastItByTheShiftsWhereAligned)
{
    struct Case {
        int alignment;
        int textLeft;   // -1: centred
    };
    for (const Case c : {Case{0, 8}, Case{1, -1}, Case{2, -2}, Case{7, 8}}) {
        SCOPED_TRACE(c.alignment);
        ASSERT_TRUE(LoadSkinWithBoxPictures(
            *m_data, "BackgroundLeftShift=4\nBackgroundRightShift=6\nBackgroundAlignment=" +
                         std::to_string(c.alignment) + "\n"));
        auto* group = new TGroupBox(m_form.get());
        group->SetParent(m_form.get());
        group->SetBounds(10, 60, 160, 100);
        group->SetCaption("Group");
        group->Font().SetColor(kText);
        auto* skin = new TSkinGroupBox(group);
        skin->Init(m_host.get(), m_data.get(), nullptr, false);
        TBitmap b;
        Painted(group->Handle(), b);

        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, group->Font().Handle());
        SIZE text{};
        GetTextExtentPoint32W(screen, L"Group", 5, &text);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        int left = c.textLeft;
        if (left == -1)
            left = (160 - text.cx) / 2;
        else if (left == -2)
            left = 160 - 8 - text.cx;
        const int right = left + text.cx;

        EXPECT_EQ(PixelOf(b, left - 4, 0), kLabel);
        EXPECT_NE(PixelOf(b, left - 5, 0), kLabel);
        EXPECT_EQ(PixelOf(b, right + 5, 0), kLabel);
        EXPECT_NE(PixelOf(b, right + 6, 0), kLabel);
        EXPECT_EQ(PixelOf(b, left - 2, text.cy - 1), kLabel);
        EXPECT_NE(PixelOf(b, left - 2, text.cy), kLabel);
        // The caption is on the picture, not on a face-coloured box.
        EXPECT_GT(CountColor(b, kText, Rect(left, 0, right, text.cy)), 0);
        EXPECT_EQ(CountColor(b, kButtonFace, Rect(left, 0, right, text.cy)), 0);
        delete skin;
        delete group;
    }
}

} // namespace
} // namespace tarnivo
