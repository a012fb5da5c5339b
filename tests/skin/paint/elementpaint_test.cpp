// The element helpers draw with the element's own frame count, margins,
// Tile and Trans; the parent-image helper paints what the parent shows
// behind a child.

#include "skin/paint/elementpaint.h"
#include "tests/skin/paint/paintpixels.h"

#include "framework/application.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/form.h"
#include "framework/gdiobjects.h"

#include <memory>

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

using test::AllPixels;
using test::kBackground;
using test::PixelOf;
using test::RegionColor;
using test::RegionStrip;
using test::SetPixelOf;
using test::Target;
using test::Third;

// A four-frame element of 9 x 9 cells with margins 3, like a button face.
void MakeElement(TDataSkinObject& e, int trans, int tile)
{
    RegionStrip(e.Image, 4, 9, 9, 3, 3, 3, 3, TFrameLayout::SideBySide);
    e.FrameCount = 4;
    e.Margins = TSkinMargins{3, 3, 3, 3};
    e.Trans = trans;
    e.Tile = tile;
    // Each frame's top-left pixel is the key colour.
    for (int f = 0; f < 4; ++f)
        SetPixelOf(e.Image, f * 9, 0, clFuchsia);
}

TEST(ActiveFrame, InactiveUsesFrameTwoOnlyWhenThereIsOne)
{
    struct Case {
        int count;
        bool active;
        int frame;
    } cases[] = {{1, true, 1}, {1, false, 1}, {2, true, 1}, {2, false, 2},
                 {4, false, 2}, {0, false, 1}, {-3, false, 1}};
    for (const Case& c : cases) {
        TDataSkinObject e;
        e.FrameCount = c.count;
        EXPECT_EQ(ActiveFrame(e, c.active), c.frame) << c.count << " " << c.active;
    }
}

TEST(DrawElementFrame, UsesTheElementsSettings)
{
    struct Case {
        int trans;
        TColor corner;   // what the key pixel leaves
    } cases[] = {{1, kBackground}, {0, clFuchsia}, {2, clFuchsia} /* only 1 means keyed */};
    for (const Case& c : cases) {
        TDataSkinObject e;
        MakeElement(e, c.trans, 0);
        TBitmap target;
        Target(target, 30, 20);
        ASSERT_TRUE(DrawElementFrame(target.Canvas().Handle(), Rect(2, 2, 26, 17), &e, 3));
        EXPECT_EQ(PixelOf(target, 2, 2), c.corner) << c.trans;
        EXPECT_EQ(PixelOf(target, 3, 2), RegionColor(3, 0, 0));
        for (int x = 2; x < 26; ++x)
            ASSERT_EQ(PixelOf(target, x, 10), RegionColor(3, Third(x - 2, 3, 3, 24), 1)) << x;
        EXPECT_EQ(PixelOf(target, 26, 10), kBackground);
    }
}

TEST(DrawElementFrame, AbsentOrEmptyElementDrawsNothingAndSaysSo)
{
    TBitmap target;
    Target(target, 10, 10);
    HDC dc = target.Canvas().Handle();
    TDataSkinObject empty;
    empty.FrameCount = 4;
    EXPECT_FALSE(DrawElementFrame(dc, Rect(0, 0, 10, 10), nullptr, 1));
    EXPECT_FALSE(DrawElementFrame(dc, Rect(0, 0, 10, 10), &empty, 1));
    EXPECT_FALSE(DrawElementStretched(dc, Rect(0, 0, 10, 10), nullptr, 1));
    EXPECT_FALSE(DrawElementCentred(dc, Rect(0, 0, 10, 10), &empty, 1));
    EXPECT_EQ(ElementBitmap(nullptr, TSize{5, 5}, 1), nullptr);
    EXPECT_EQ(ElementBitmap(&empty, TSize{5, 5}, 1), nullptr);
    EXPECT_TRUE(AllPixels(target, kBackground));
}

TEST(DrawElementStretchedAndCentred, PickTheFrameAndKeyByTrans)
{
    TDataSkinObject e;
    MakeElement(e, 1, 0);
    TBitmap target;
    Target(target, 40, 40);
    HDC dc = target.Canvas().Handle();
    // Frame 2 stretched to 18 x 18: every source pixel doubles, margins ignored.
    ASSERT_TRUE(DrawElementStretched(dc, Rect(0, 0, 18, 18), &e, 2));
    EXPECT_EQ(PixelOf(target, 1, 1), kBackground);
    EXPECT_EQ(PixelOf(target, 2, 0), RegionColor(2, 0, 0));
    EXPECT_EQ(PixelOf(target, 6, 6), RegionColor(2, 1, 1));
    EXPECT_EQ(PixelOf(target, 17, 17), RegionColor(2, 2, 2));
    // Frame 4 at its size in the middle of 20..40: offset (20 - 9) / 2 = 5.
    ASSERT_TRUE(DrawElementCentred(dc, Rect(20, 20, 40, 40), &e, 4));
    EXPECT_EQ(PixelOf(target, 25, 25), kBackground);
    EXPECT_EQ(PixelOf(target, 26, 25), RegionColor(4, 0, 0));
    EXPECT_EQ(PixelOf(target, 33, 33), RegionColor(4, 2, 2));
    EXPECT_EQ(PixelOf(target, 34, 33), kBackground);
}

TEST(ElementBitmap, StackedBorderWithTiledMiddle)
{
    // A top border: two stacked 10 x 4 frames, ends 3 wide, middle tiled.
    TDataSkinBorder top;
    test::PaintImage(top.Image, 10, 8, [](int x, int y) {
        const int frame = y / 4 + 1;
        if (x < 3 || x >= 7)
            return RegionColor(frame, x < 3 ? 0 : 2, 0);
        return RGBColor(frame * 40, 200, x * 20);   // four distinct middle columns
    });
    top.FrameCount = 2;
    top.Margins = TSkinMargins{3, 0, 3, 0};
    top.Tile = 1;
    auto map = ElementBitmap(&top, TSize{20, 4}, ActiveFrame(top, false), TFrameLayout::Stacked);
    ASSERT_TRUE(map);
    ASSERT_EQ(map->Width(), 20);
    for (int x = 3; x < 17; ++x)
        EXPECT_EQ(PixelOf(*map, x, 2), RGBColor(80, 200, (3 + (x - 3) % 4) * 20)) << x;
    EXPECT_EQ(PixelOf(*map, 0, 0), RegionColor(2, 0, 0));
    EXPECT_EQ(PixelOf(*map, 19, 3), RegionColor(2, 2, 0));
}

// DrawParentImage -----------------------------------------------------------

// A parent window class whose background is red left of x = 30 and blue from
// there, and whose WM_PAINT, given a DC, draws a green square at (30, 30).
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        GdiBrush red(CreateSolidBrush(RGB(255, 0, 0)));
        GdiBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
        RECT left{0, 0, 30, 200}, right{30, 0, 200, 200};
        FillRect(dc, &left, red.Get());
        FillRect(dc, &right, blue.Get());
        return 1;
    }
    case WM_PAINT:
        if (wParam) {
            GdiBrush green(CreateSolidBrush(RGB(0, 255, 0)));
            RECT square{30, 30, 40, 40};
            FillRect(reinterpret_cast<HDC>(wParam), &square, green.Get());
            return 0;
        }
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class ParentImage : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TarnivoPaintTestParent";
        RegisterClassW(&wc);
        parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 200, 200, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 25, 25, 20, 20, parent, nullptr,
                                wc.hInstance, nullptr);
        ASSERT_TRUE(parent && child);
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND parent = nullptr;
    HWND child = nullptr;
};

TEST_F(ParentImage, ShowsTheParentsPartBehindTheChildClippedToIt)
{
    TBitmap target;
    Target(target, 40, 40);
    HDC dc = target.Canvas().Handle();
    DrawParentImage(child, dc, ParentPaint::EraseAndPaint);
    // Child (0, 0) is parent (25, 25): red; (5, 5) is (30, 30): green;
    // (15, 16) is (40, 41): blue, past the square.
    EXPECT_EQ(PixelOf(target, 0, 0), clRed);
    EXPECT_EQ(PixelOf(target, 4, 19), clRed);
    EXPECT_EQ(PixelOf(target, 5, 5), clLime);
    EXPECT_EQ(PixelOf(target, 14, 14), clLime);
    EXPECT_EQ(PixelOf(target, 15, 16), clBlue);
    EXPECT_EQ(PixelOf(target, 19, 0), clBlue);
    // Clipped to the child's 20 x 20.
    EXPECT_EQ(PixelOf(target, 20, 0), kBackground);
    EXPECT_EQ(PixelOf(target, 0, 20), kBackground);
    EXPECT_EQ(PixelOf(target, 39, 39), kBackground);

    // The DC comes back as it was: origin at 0 and no clipping left.
    POINT origin{-1, -1};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT box{};
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right, 40);
    EXPECT_EQ(box.bottom, 40);
}

TEST_F(ParentImage, EraseOnlyLeavesOutWhatTheParentPaints)
{
    TBitmap target;
    Target(target, 20, 20);
    DrawParentImage(child, target.Canvas().Handle(), ParentPaint::EraseOnly);
    EXPECT_EQ(PixelOf(target, 5, 5), clBlue);
    EXPECT_EQ(PixelOf(target, 0, 0), clRed);
}

TEST_F(ParentImage, NoParentOrNoWindowPaintsNothing)
{
    TBitmap target;
    Target(target, 20, 20);
    HDC dc = target.Canvas().Handle();
    DrawParentImage(parent, dc);        // a top-level window has no parent
    DrawParentImage(nullptr, dc);
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr,
                                nullptr);
    DestroyWindow(gone);
    DrawParentImage(gone, dc);
    EXPECT_TRUE(AllPixels(target, kBackground));
}

// A window-less control is placed by its bounds in its parent; a windowed
// one by its window. A framework parent erases with its Color.
TEST(ParentImageOfControls, WindowlessAndWindowedControlsOnAFrameworkParent)
{
    Application->Initialize();
    std::unique_ptr<TForm> form(MakeForm<TForm>(nullptr));
    form->SetBounds(40, 40, 200, 150);
    form->SetColor(clRed);
    form->HandleNeeded();
    auto* panel = new TPanel(form.get());
    panel->SetColor(clBlue);
    panel->SetBounds(100, 10, 60, 60);
    panel->SetParent(form.get());
    auto* onForm = new TLabel(form.get());
    onForm->SetAutoSize(false);
    onForm->SetBounds(10, 10, 20, 20);
    onForm->SetParent(form.get());
    auto* onPanel = new TLabel(form.get());
    onPanel->SetAutoSize(false);
    onPanel->SetBounds(5, 5, 20, 20);
    onPanel->SetParent(panel);

    for (auto [control, color] : {std::pair<TControl*, TColor>{onForm, clRed},
                                  {onPanel, clBlue}, {panel, clRed}}) {
        TBitmap target;
        Target(target, 80, 80);
        DrawParentImage(*control, target.Canvas().Handle(), ParentPaint::EraseOnly);
        const int w = control->Width(), h = control->Height();
        EXPECT_EQ(PixelOf(target, 0, 0), color) << control->ClassName();
        EXPECT_EQ(PixelOf(target, w - 1, h - 1), color) << control->ClassName();
        EXPECT_EQ(PixelOf(target, w, 0), kBackground) << control->ClassName();
        EXPECT_EQ(PixelOf(target, 0, h), kBackground) << control->ClassName();
    }

    // No parent: nothing.
    TLabel orphan(nullptr);
    orphan.SetBounds(0, 0, 10, 10);
    TBitmap target;
    Target(target, 20, 20);
    DrawParentImage(orphan, target.Canvas().Handle());
    EXPECT_TRUE(AllPixels(target, kBackground));
}

} // namespace
} // namespace tarnivo
