// Progress bars, track bars and up-down buttons skinned on real controls:
// the filled length for a range and position, the vertical turn, the chunk
// style; the track channel and thumb frame through custom draw; the up-down
// halves in their states, inside an edit, and the fall-back chevrons.

#include "skinpartskit.h"
#include "skintestkit.h"

#include "skin/controls/skinfactory.h"
#include "skin/controls/skinprogress.h"
#include "skin/controls/skintrackbar.h"
#include "skin/controls/skinupdown.h"

#include "framework/controls/progressbar.h"
#include "framework/controls/trackbar.h"
#include "framework/controls/updown.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

using namespace test;

class PartsSkin : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        ASSERT_TRUE(LoadPartsSkin(*m_data));
        ClearStage(*m_form, *m_panel, m_raw);
    }
    template <typename T>
    T* Place(int x, int y, int w, int h)
    {
        auto* control = new T(m_form.get());
        control->SetBounds(x, y, w, h);
        control->SetParent(m_form.get());
        return control;
    }
    TSkinControlLink* Attach(TSkinClass skinClass, TControl* control)
    {
        TSkinAttachRequest request;
        request.Class = skinClass;
        request.Control = control;
        request.Owner = control;
        request.Host = m_host.get();
        request.SkinData = m_data.get();
        return AttachSkinControl(request);
    }
};

TEST(ProgressFilledLength, PositionOverUpperLimitAndNothingAtOrBelowZero)
{
    struct Row {
        int length, position, upper, filled;
    } rows[] = {
        {100, 0, 100, 0},   {100, 50, 100, 50}, {100, 100, 100, 100}, {100, 75, 100, 75},
        {200, 1, 3, 67},    {100, 5, 0, 0},     {100, -5, 10, 0},     {0, 5, 10, 0},
        {100, 120, 100, 100},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TSkinProgress::FilledLength(r.length, r.position, r.upper), r.filled)
            << r.length << " " << r.position << "/" << r.upper;
}

TEST_F(PartsSkin, ProgressFillsInProportionToPositionOverTheUpperLimit)
{
    auto* bar = Place<TProgressBar>(10, 10, 100, 20);
    ASSERT_NE(Attach(TSkinClass::Progress, bar), nullptr);
    HWND window = bar->Handle();
    struct Row {
        int lower, upper, position, filled;
    } rows[] = {
        {0, 100, 0, 0}, {0, 100, 50, 50}, {50, 100, 75, 75}, {0, 100, 100, 100}, {-10, 0, -5, 0},
        {0, 4, 1, 25},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.lower) + ".." + std::to_string(r.upper) + " at " +
                     std::to_string(r.position));
        SendMessageW(window, PBM_SETRANGE32, static_cast<WPARAM>(r.lower), r.upper);
        SendMessageW(window, PBM_SETPOS, static_cast<WPARAM>(r.position), 0);
        Repaint(window);
        if (r.filled > 0) {
            EXPECT_EQ(ScreenPixel(window, r.filled - 1, 10), kProgressFull);
        }
        if (r.filled < 100) {
            EXPECT_EQ(ScreenPixel(window, r.filled, 10), kProgressEmpty);
        }
        EXPECT_EQ(ScreenPixel(window, 0, 0), r.filled > 0 ? kProgressFull : kProgressEmpty);
    }
}

TEST_F(PartsSkin, VerticalProgressFillsFromTheBottom)
{
    auto* bar = Place<TProgressBar>(10, 10, 20, 100);
    bar->SetOrientation(pbVertical);
    bar->SetPosition(25);
    ASSERT_NE(Attach(TSkinClass::Progress, bar), nullptr);
    HWND window = bar->Handle();
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, 10, 99), kProgressFull);
    EXPECT_EQ(ScreenPixel(window, 10, 75), kProgressFull);
    EXPECT_EQ(ScreenPixel(window, 10, 74), kProgressEmpty);
    EXPECT_EQ(ScreenPixel(window, 10, 0), kProgressEmpty);
    EXPECT_EQ(ScreenPixel(window, 19, 80), kProgressFull);
}

TEST_F(PartsSkin, ChunkStyleLaysWholeChunksFromTheChunkMargin)
{
    const TColor chunk = RGBColor(0, 250, 120);
    ASSERT_TRUE(LoadSkin(*m_data,
                         "[Colours]\nButtonFace=10 20 30\n[Progress]\nBitmap=p.bmp\nStyle=1\n"
                         "[Progress.Chunk]\nImage=c.bmp\nTile=1\nLeftWidth=1\n",
                         {{"p.bmp", Bmp(8, 8, kProgressEmpty)}, {"c.bmp", Bmp(4, 6, chunk)}}));
    auto* bar = Place<TProgressBar>(10, 10, 100, 20);
    bar->SetPosition(50);
    ASSERT_NE(Attach(TSkinClass::Progress, bar), nullptr);
    HWND window = bar->Handle();
    Repaint(window);
    // 50 / 4 + 1 = 13 chunks from x = 1 + 2, in a band of 6 rows from y = 7.
    EXPECT_EQ(ScreenPixel(window, 2, 10), kProgressEmpty);
    EXPECT_EQ(ScreenPixel(window, 3, 10), chunk);
    EXPECT_EQ(ScreenPixel(window, 3 + 13 * 4 - 1, 10), chunk);
    EXPECT_EQ(ScreenPixel(window, 3 + 13 * 4, 10), kProgressEmpty);
    EXPECT_EQ(ScreenPixel(window, 10, 7), chunk);
    EXPECT_EQ(ScreenPixel(window, 10, 12), chunk);
    EXPECT_EQ(ScreenPixel(window, 10, 6), kProgressEmpty);
    EXPECT_EQ(ScreenPixel(window, 10, 13), kProgressEmpty);
}

TEST_F(PartsSkin, ProgressWithoutItsImagePaintsItself)
{
    ASSERT_TRUE(LoadSkin(*m_data, "[Colours]\nButtonFace=10 20 30\n"));
    auto* bar = Place<TProgressBar>(10, 10, 100, 20);
    bar->SetPosition(50);
    ASSERT_NE(Attach(TSkinClass::Progress, bar), nullptr);
    Repaint(bar->Handle());
    const TColor own = ScreenPixel(bar->Handle(), 20, 10);
    EXPECT_NE(own, kProgressFull);
    EXPECT_NE(own, kButtonFace);
}

TEST_F(PartsSkin, TrackBarDrawsChannelAndThumbFrameTwo)
{
    for (TTrackBarOrientation orientation : {trHorizontal, trVertical}) {
        SCOPED_TRACE(orientation);
        const bool vertical = orientation == trVertical;
        auto* track = Place<TTrackBar>(10, 10, vertical ? 40 : 200,
                                       vertical ? 200 : 40);
        track->SetOrientation(orientation);
        track->SetPosition(2);
        ASSERT_NE(Attach(TSkinClass::TrackBar, track), nullptr);
        HWND window = track->Handle();
        Repaint(window);
        Pump();
        RECT thumb{};
        SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_EQ(ScreenPixel(window, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  ThumbColor(2));
        EXPECT_EQ(ScreenPixel(window, thumb.left, thumb.top), ThumbColor(2));
        RECT channel{};
        SendMessageW(window, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        // Without a vertical channel image the horizontal one is used: at
        // the channel's top, moved down by half the channel's height as the
        // image is lower than the channel.
        if (vertical) {
            delete track;
            continue;   // the vertical channel rectangle comes back lying down
        }
        const int y = channel.top + (channel.bottom - channel.top) / 2;
        const int x = channel.right - 4;
        EXPECT_EQ(ScreenPixel(window, x, y), kTrack);
        EXPECT_EQ(ScreenPixel(window, x, y + 3), kTrack);
        EXPECT_NE(ScreenPixel(window, x, y - 1), kTrack);
        EXPECT_NE(ScreenPixel(window, x, y + 4), kTrack);
        delete track;
    }
}

// The four pointed thumbs, one flat colour each (every frame alike), so the
// pixel at the thumb's centre names the element that was drawn.
constexpr TColor kThumbUp = RGBColor(11, 200, 33);
constexpr TColor kThumbDown = RGBColor(12, 33, 200);
constexpr TColor kThumbLeft = RGBColor(200, 13, 33);
constexpr TColor kThumbRight = RGBColor(200, 200, 14);

TEST_F(PartsSkin, TrackBarThumbPointsAtTheTickSide)
{
    ASSERT_TRUE(LoadPartsSkin(*m_data,
                              "[Trackbar.ThumbUp]\nImage=up.bmp\n[Trackbar.ThumbDown]\nImage=down.bmp\n"
                              "[Trackbar.ThumbLeft]\nImage=left.bmp\n[Trackbar.ThumbRight]\nImage=right.bmp\n",
                              {{"up.bmp", Bmp(40, 8, kThumbUp)},
                               {"down.bmp", Bmp(40, 8, kThumbDown)},
                               {"left.bmp", Bmp(40, 8, kThumbLeft)},
                               {"right.bmp", Bmp(40, 8, kThumbRight)}}));
    struct Case {
        TTrackBarOrientation orientation;
        TTickMark marks;
        TTickStyle ticks;
        TColor expected;
    };
    const Case cases[] = {
        {trHorizontal, tmBottomRight, tsAuto, kThumbDown},
        {trHorizontal, tmTopLeft, tsAuto, kThumbUp},
        {trHorizontal, tmBoth, tsAuto, ThumbColor(2)},
        {trHorizontal, tmTopLeft, tsNone, ThumbColor(2)},
        {trVertical, tmBottomRight, tsAuto, kThumbRight},
        {trVertical, tmTopLeft, tsAuto, kThumbLeft},
        {trVertical, tmBoth, tsAuto, ThumbColor(2)},
        {trVertical, tmBottomRight, tsNone, ThumbColor(2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "orientation " << c.orientation << " marks " << c.marks
                                        << " ticks " << c.ticks);
        const bool vertical = c.orientation == trVertical;
        auto* track = Place<TTrackBar>(10, 10, vertical ? 40 : 200, vertical ? 200 : 40);
        track->SetOrientation(c.orientation);
        track->SetTickMarks(c.marks);
        track->SetTickStyle(c.ticks);
        track->SetPosition(3);
        ASSERT_NE(Attach(TSkinClass::TrackBar, track), nullptr);
        HWND window = track->Handle();
        Repaint(window);
        Pump();
        RECT thumb{};
        SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_EQ(ScreenPixel(window, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  c.expected);
        delete track;
    }
}

TEST_F(PartsSkin, TrackBarWithoutThePointedThumbsKeepsThePlainOne)
{
    // The parts skin gives only the plain thumbs: ticks on one side fall
    // back to them rather than to the system's thumb.
    for (TTickMark marks : {tmBottomRight, tmTopLeft}) {
        SCOPED_TRACE(marks);
        auto* track = Place<TTrackBar>(10, 10, 200, 40);
        track->SetTickMarks(marks);
        ASSERT_NE(Attach(TSkinClass::TrackBar, track), nullptr);
        HWND window = track->Handle();
        Repaint(window);
        Pump();
        RECT thumb{};
        SendMessageW(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        EXPECT_EQ(ScreenPixel(window, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
                  ThumbColor(2));
        delete track;
    }
}

TEST_F(PartsSkin, UpDownHalvesShowTheirFramesAndThePressedHalf)
{
    auto* updown = Place<TUpDown>(10, 10, 17, 40);
    ASSERT_NE(Attach(TSkinClass::UpDown, updown), nullptr);
    HWND window = updown->Handle();
    Repaint(window);
    EXPECT_EQ(ScreenPixel(window, 2, 2), UpDownVert(1));
    EXPECT_EQ(ScreenPixel(window, 2, 37), UpDownVert(5));
    // The glyph's 2 x 2 dot, centred in each half, the rest keyed away.
    EXPECT_EQ(ScreenPixel(window, 7, 9), kGlyph);
    EXPECT_EQ(ScreenPixel(window, 7, 29), kGlyph);
    EXPECT_EQ(ScreenPixel(window, 5, 7), UpDownVert(1));

    POINT lower{8, 30};
    ClientToScreen(window, &lower);
    SetCursorPos(lower.x, lower.y);
    const int before = updown->Position();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 30));
    EXPECT_EQ(ScreenPixel(window, 2, 37), UpDownVert(6));
    EXPECT_EQ(ScreenPixel(window, 2, 2), UpDownVert(1));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(8, 30));
    EXPECT_EQ(ScreenPixel(window, 2, 37), UpDownVert(5));
    // The control did its own work: the lower arrow counts down (clamped
    // at the minimum, so compare with what it allows).
    EXPECT_LE(updown->Position(), before);
    Pump();
}

TEST_F(PartsSkin, HorizontalUpDownSplitsLeftAndRight)
{
    auto* updown = Place<TUpDown>(10, 10, 40, 17);
    updown->SetOrientation(udHorizontal);
    ASSERT_NE(Attach(TSkinClass::UpDown, updown), nullptr);
    Repaint(updown->Handle());
    EXPECT_EQ(ScreenPixel(updown->Handle(), 2, 8), UpDownHorz(1));
    EXPECT_EQ(ScreenPixel(updown->Handle(), 37, 8), UpDownHorz(5));
}

TEST_F(PartsSkin, UpDownInsideAnEditKeepsOffTheEditBorder)
{
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"12", WS_CHILD | WS_VISIBLE, 10, 10, 90,
                                26, m_form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    RECT client{};
    GetClientRect(edit, &client);
    const int width = 16;
    HWND arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - width,
                                  0, width, client.bottom, edit, nullptr, GetModuleHandleW(nullptr),
                                  nullptr);
    ASSERT_NE(arrows, nullptr);
    auto* skin = new TSkinUpDown(m_host.get());
    skin->Inithwnd(arrows, m_data.get(), nullptr, m_host.get());
    skin->SetEmbedded(true);
    Repaint(arrows);
    const int h = client.bottom;
    // Top, right and bottom 3 pixels stay white; the left edge is inside
    // the edit and drawn on.
    for (int y : {0, 2, h - 3, h - 1})
        EXPECT_EQ(ScreenPixel(arrows, width - 1, y), clWhite) << y;
    EXPECT_EQ(ScreenPixel(arrows, width - 3, 5), clWhite);
    EXPECT_EQ(ScreenPixel(arrows, width - 4, 5), UpDownVert(1));
    EXPECT_EQ(ScreenPixel(arrows, 0, 3), UpDownVert(1));
    EXPECT_EQ(ScreenPixel(arrows, 0, h - 4), UpDownVert(5));
    delete skin;
    DestroyWindow(edit);
}

TEST_F(PartsSkin, UpDownWithoutItsElementDrawsFramedChevrons)
{
    ASSERT_TRUE(LoadSkin(*m_data, "[Colours]\nButtonFace=10 20 30\nButtonDkShadow=200 0 0\n"));
    auto* updown = Place<TUpDown>(10, 10, 17, 40);
    ASSERT_NE(Attach(TSkinClass::UpDown, updown), nullptr);
    HWND window = updown->Handle();
    Repaint(window);
    const TColor dark = m_data->Colors(csButtonDkshadow);
    EXPECT_EQ(ScreenPixel(window, 0, 0), dark);
    EXPECT_EQ(ScreenPixel(window, 3, 3), kButtonFace);
    // Up: tip at (8, 10 - 2), base 9 wide four rows lower.
    EXPECT_EQ(ScreenPixel(window, 8, 8), dark);
    EXPECT_EQ(ScreenPixel(window, 8, 7), kButtonFace);
    EXPECT_EQ(ScreenPixel(window, 4, 12), dark);
    EXPECT_EQ(ScreenPixel(window, 3, 12), kButtonFace);
    // Down: tip at (8, 30 + 2).
    EXPECT_EQ(ScreenPixel(window, 8, 32), dark);
    EXPECT_EQ(ScreenPixel(window, 8, 33), kButtonFace);
}

TEST(DrawArrow, ChevronPointsWhereAsked)
{
    TBitmap canvasBitmap;
    canvasBitmap.SetPixelFormat(pf24bit);
    canvasBitmap.SetSize(21, 21);
    struct Row {
        int direction;
        POINT tip, baseEnd, outside;
    } rows[] = {
        {adUp, {10, 10}, {6, 14}, {10, 9}},
        {adDown, {10, 10}, {14, 6}, {10, 11}},
        {adLeft, {10, 10}, {14, 6}, {9, 10}},
        {adRight, {10, 10}, {6, 14}, {11, 10}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.direction);
        TCanvas& canvas = canvasBitmap.Canvas();
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect(Rect(0, 0, 21, 21));
        canvas.Pen().SetColor(clBlack);
        DrawArrow(canvas, 10, 10, r.direction);
        EXPECT_EQ(Pixel(canvasBitmap, r.tip.x, r.tip.y), clBlack);
        EXPECT_EQ(Pixel(canvasBitmap, r.baseEnd.x, r.baseEnd.y), clBlack);
        EXPECT_EQ(Pixel(canvasBitmap, r.outside.x, r.outside.y), clWhite);
        int black = 0;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 21; ++x)
                black += Pixel(canvasBitmap, x, y) == clBlack;
        EXPECT_EQ(black, 9 + 7 + 5 + 3 + 1);
    }
}

} // namespace
} // namespace tarnivo
