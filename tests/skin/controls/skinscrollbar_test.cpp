// Scroll-bar skins under Wine: the bar's parts from the skin's frames, the
// overlays following the system's bars, and presses on an overlay scrolling
// the control through the system's own scroll loop.

#include "scrollskintestkit.h"
#include "skincontroltestkit.h"
#include "skintestkit.h"

#include "skin/controls/scrollbarpaint.h"
#include "skin/controls/skinlistview.h"
#include "skin/controls/skinscrollbar.h"
#include "skin/forms/skinmessages.h"

#include "framework/controls/listview.h"
#include "framework/controls/scrollbar.h"
#include "framework/typinfo.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace tarnivo::test {

namespace {

const int kArrow = GetSystemMetrics(SM_CXHSCROLL);

// Draws `look` into a fresh 32-bit bitmap and reads pixels back.
class BarPicture {
public:
    BarPicture(const TSkinData& data, const TScrollBarLook& look)
    {
        m_bitmap.SetPixelFormat(pf32bit);
        m_bitmap.SetSize(look.Width, look.Height);
        DrawScrollBar(m_bitmap.Canvas().Handle(), data.Elements(), kScrollFace, look);
        m_vertical = look.Vertical;
    }
    // The pixel `along` pixels along the bar, in the middle across it.
    TColor At(int along)
    {
        const int across = kArrow / 2;
        HDC dc = m_bitmap.Canvas().Handle();
        return static_cast<TColor>(m_vertical ? GetPixel(dc, across, along)
                                              : GetPixel(dc, along, across));
    }

private:
    TBitmap m_bitmap;
    bool m_vertical = true;
};

TScrollBarLook Bar(bool vertical, int length, int thumbStart, int thumbEnd)
{
    TScrollBarLook look;
    look.Vertical = vertical;
    look.Width = vertical ? kArrow : length;
    look.Height = vertical ? length : kArrow;
    look.ThumbStart = thumbStart;
    look.ThumbEnd = thumbEnd;
    look.ArrowSize = kArrow;
    return look;
}

class ScrollSkinTest : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        ASSERT_TRUE(LoadScrollSkin(*m_data));
    }
};

// Moves the real pointer and presses or releases the left button.
void MouseTo(POINT p)
{
    SetCursorPos(p.x, p.y);
    Pump();
}
void MouseButton(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
}

void MouseMoveTo(POINT p)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// A press at `at` held while `steps` run, each at its time after the press
// (in ms); the button is released after the last. The press runs the
// system's scroll loop inside the overlay's send: the timers fire inside
// that loop.
struct TStep {
    UINT at;
    std::function<void()> action;
};
std::vector<TStep>* g_steps = nullptr;
std::size_t g_next = 0;
DWORD g_pressTime = 0;
bool g_released = false;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_steps || g_released)
        return;
    while (g_next < g_steps->size() && GetTickCount() - g_pressTime >= (*g_steps)[g_next].at)
        (*g_steps)[g_next++].action();
    if (g_next == g_steps->size()) {
        g_released = true;
        MouseButton(false);
    }
}

void PressAndHold(POINT at, std::vector<TStep> steps)
{
    MouseTo(at);
    g_steps = &steps;
    g_next = 0;
    g_released = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, StepTimer);
    g_pressTime = GetTickCount();
    MouseButton(true);
    const DWORD until = g_pressTime + 5000;
    while (!g_released && GetTickCount() < until) {
        Pump();
        Sleep(2);
    }
    KillTimer(nullptr, timer);
    if (!g_released)
        MouseButton(false);
    for (int i = 0; i < 10; ++i) {
        Pump();
        Sleep(5);
    }
    g_steps = nullptr;
}

void PressAndHold(POINT at, UINT ms, std::function<void()> during)
{
    PressAndHold(at, {{ms, std::move(during)}});
}

POINT ScreenPointOf(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

} // namespace

// --- The bar's parts, drawn on a memory DC -----------------------------------------

TEST_F(ScrollSkinTest, BarPartsPickTheirFrames)
{
    struct Row {
        const char* what;
        bool vertical;
        int length, thumbStart, thumbEnd;
        int part;
        bool pressed, enabled;
        int probe;           // along the bar
        TColor expected;
    };
    const int a = kArrow;
    const int g = kArrow;    // the grip is the strip's height
    const Row rows[] = {
        {"first arrow", true, 200, 60, 110, -1, false, true, a / 2, StripColor(9)},
        {"second arrow", true, 200, 60, 110, -1, false, true, 200 - a / 2, StripColor(13)},
        {"track", true, 200, 60, 110, -1, false, true, a + 4, TrackColor(1)},
        {"thumb body", true, 200, 60, 110, -1, false, true, 61, ThumbColor(1)},
        {"grip", true, 200, 60, 110, -1, false, true, 85, StripColor(20)},
        {"first arrow pressed", true, 200, 60, 110, 0, true, true, a / 2, StripColor(10)},
        {"first arrow hot", true, 200, 60, 110, 0, false, true, a / 2, StripColor(12)},
        {"second arrow pressed", true, 200, 60, 110, 1, true, true, 200 - a / 2, StripColor(14)},
        {"second arrow hot", true, 200, 60, 110, 1, false, true, 200 - a / 2, StripColor(16)},
        {"thumb pressed", true, 200, 60, 110, 5, true, true, 61, ThumbColor(2)},
        {"grip pressed", true, 200, 60, 110, 5, true, true, 85, StripColor(21)},
        {"thumb hot", true, 200, 60, 110, 5, false, true, 61, ThumbColor(3)},
        {"grip hot", true, 200, 60, 110, 5, false, true, 85, StripColor(22)},
        {"page part shows nothing", true, 200, 60, 110, 3, true, true, 150, TrackColor(1)},
        {"disabled track", true, 200, 60, 110, -1, false, false, a + 4, TrackColor(3)},
        {"disabled: no thumb", true, 200, 60, 110, -1, false, false, 61, TrackColor(3)},
        {"disabled: no grip", true, 200, 60, 110, -1, false, false, 85, TrackColor(3)},
        {"short thumb: no grip", true, 200, 60, 60 + g - 2, -1, false, true, 60 + (g - 2) / 2,
         ThumbColor(1)},
        {"thumb of grip size - 1: grip", true, 200, 60, 60 + g - 1, -1, false, true,
         60 + (g - 1) / 2, StripColor(20)},
        {"short bar: half arrows", true, a + 4, 0, 0, -1, false, true, (a + 4) / 2 - 1,
         StripColor(9)},
        {"short bar: second half", true, a + 4, 0, 0, -1, false, true, (a + 4) / 2 + 1,
         StripColor(13)},
        {"left arrow", false, 200, 60, 110, -1, false, true, a / 2, StripColor(1)},
        {"right arrow pressed", false, 200, 60, 110, 1, true, true, 200 - a / 2, StripColor(6)},
        {"horizontal grip", false, 200, 60, 110, -1, false, true, 85, StripColor(17)},
        {"horizontal track", false, 200, 60, 110, -1, false, true, 150, TrackColor(1)},
    };
    for (const Row& row : rows) {
        TScrollBarLook look = Bar(row.vertical, row.length, row.thumbStart, row.thumbEnd);
        look.Part = row.part;
        look.Pressed = row.pressed;
        look.Enabled = row.enabled;
        BarPicture picture(*m_data, look);
        EXPECT_EQ(picture.At(row.probe), row.expected) << row.what;
    }
}

TEST_F(ScrollSkinTest, WithoutTheStripNothingIsDrawn)
{
    ASSERT_TRUE(LoadSkin(*m_data, "[TitlebarSkin]\nSkinName=Bare\n[Colours]\nButtonFace=10 20 30\n"));
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(kArrow, 100);
    HDC dc = bitmap.Canvas().Handle();
    SetPixel(dc, 2, 50, RGB(1, 2, 3));
    DrawScrollBar(dc, m_data->Elements(), kScrollFace, Bar(true, 100, 30, 50));
    EXPECT_EQ(GetPixel(dc, 2, 50), RGB(1, 2, 3));
}

// A painter that keeps its composition: after any sequence of looks painted
// with only their changes, the DC holds exactly what a whole paint of the
// last look draws; a look that changes nothing copies nothing; a new skin
// load draws everything again.
TEST_F(ScrollSkinTest, KeptPainterMatchesAWholePaintAfterEveryStep)
{
    const int length = 200;
    TBitmap shown;
    shown.SetPixelFormat(pf32bit);
    shown.SetSize(kArrow, length);
    HDC dc = shown.Canvas().Handle();
    TScrollBarPainter painter;
    struct Step { int start, end, part; bool pressed, enabled; };
    const Step steps[] = {
        {kArrow, kArrow + 40, sbpart::None, false, true},
        {kArrow + 40, kArrow + 80, sbpart::None, false, true},        // a page down
        {kArrow + 45, kArrow + 85, sbpart::Thumb, true, true},       // dragged
        {kArrow + 45, kArrow + 85, sbpart::Thumb, false, true},      // hot, not pressed
        {length - kArrow - 40, length - kArrow, sbpart::SecondArrow, true, true},
        {kArrow, kArrow + 12, sbpart::None, false, true},            // shorter, no grip
        {kArrow, kArrow + 12, sbpart::None, false, false},           // disabled
        {kArrow + 60, kArrow + 100, sbpart::None, false, true},
    };
    for (const Step& step : steps) {
        TScrollBarLook look = Bar(true, length, step.start, step.end);
        look.Part = step.part;
        look.Pressed = step.pressed;
        look.Enabled = step.enabled;
        ASSERT_TRUE(painter.Paint(dc, POINT{0, 0}, m_data->Elements(), kScrollFace, look,
                                  TBarRefresh::Changes));
        BarPicture whole(*m_data, look);
        for (int y = 0; y < length; ++y)
            ASSERT_EQ(static_cast<TColor>(GetPixel(dc, kArrow / 2, y)), whole.At(y))
                << "thumb " << step.start << ".." << step.end << " at " << y;
    }
    const TScrollBarLook last = Bar(true, length, kArrow + 60, kArrow + 100);
    SetPixel(dc, kArrow / 2, kArrow + 70, RGB(1, 2, 3));
    painter.Paint(dc, POINT{0, 0}, m_data->Elements(), kScrollFace, last, TBarRefresh::Changes);
    EXPECT_EQ(GetPixel(dc, kArrow / 2, kArrow + 70), RGB(1, 2, 3)) << "nothing changed";
    painter.Paint(dc, POINT{0, 0}, m_data->Elements(), kScrollFace, last, TBarRefresh::Whole);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, kArrow / 2, kArrow + 70)),
              BarPicture(*m_data, last).At(kArrow + 70)) << "a whole paint";
    SetPixel(dc, kArrow / 2, 2, RGB(1, 2, 3));
    ASSERT_TRUE(LoadScrollSkin(*m_data));
    painter.Paint(dc, POINT{0, 0}, m_data->Elements(), kScrollFace, last, TBarRefresh::Changes);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, kArrow / 2, 2)), BarPicture(*m_data, last).At(2))
        << "a new skin load";
}

// Thumbs with rounded (magenta) corners and a grip that is mostly magenta, as
// the shipped skins draw them: the kept painter lays a thumb drawn once on
// the track, and every pixel of the bar must still be the whole paint's,
// at both ends, for thumbs around the grip's size, in every state and both
// orientations.
TEST_F(ScrollSkinTest, KeptThumbsWithTransparentPartsMatchAWholePaint)
{
    const int a = kArrow;
    const auto keyedThumb = [a](int x, int y) {
        const int cell = x % 8;
        const bool corner = (cell == 0 || cell == 7) && (y < 2 || y >= a - 2);
        return corner ? clFuchsia : RGBColor(0x90, 0xC0, 60 * (x / 8 + 1));
    };
    const auto keyedGrip = [a](int x, int y) {
        const int cell = x % a;
        // Ridges, and one pixel in the last row and column (a grip one
        // longer than its thumb shows it past the thumb's end).
        const bool ridge = (cell > 2 && cell < a - 3 && y % 4 == 1) || (cell == a - 1 && y == a - 1);
        return ridge ? RGBColor(x / a * 10, 0xF0, 0x20) : clFuchsia;
    };
    const std::string ini =
        "[TitlebarSkin]\nSkinName=Keyed\n[Colours]\nButtonFace=10 20 30\n"
        "[Scrollbar]\nImage=strip.bmp\n"
        "[HorzScroll]\nImage=htrack.bmp\n[VertScroll]\nImage=vtrack.bmp\n"
        "[HorzScrollThumb]\nImage=hthumb.bmp\nFrameCount=3\nTrans=1\nLeftWidth=3\nRightWidth=3\n"
        "[VertScrollThumb]\nImage=vthumb.bmp\nFrameCount=3\nTrans=1\nTopHeight=3\nBottomHeight=3\n";
    ASSERT_TRUE(LoadSkin(*m_data, ini,
        {{"strip.bmp", Bmp(23 * a, a, keyedGrip)},
         {"htrack.bmp", Bmp(32, a, [](int x, int y) { return RGBColor(x * 7, y * 9, 0x10); })},
         {"vtrack.bmp", Bmp(4 * a, 8, [](int x, int y) { return RGBColor(x * 3, y * 20, 0x10); })},
         {"hthumb.bmp", Bmp(24, a, [&](int x, int y) { return keyedThumb(x, y); })},
         {"vthumb.bmp", Bmp(3 * a, 8, [&](int x, int y) { return keyedThumb(y, x); })}}));
    const int length = 160;
    struct Step { int start, end, part; bool pressed; };
    const Step steps[] = {
        {a, a + 40, sbpart::None, false},
        {a + 15, a + 55, sbpart::None, false},           // a page step
        {a + 15, a + 55, sbpart::Thumb, false},          // hot
        {a + 30, a + 70, sbpart::Thumb, true},           // dragged
        {length - a - 40, length - a, sbpart::None, false},
        {length - a - (a - 1), length - a, sbpart::None, false},   // one shorter than the grip
        {length - (a - 1), length, sbpart::None, false},           // its grip would pass the end
        {a, a + a - 2, sbpart::None, false},              // too short for a grip
        {a + 20, a + 24, sbpart::None, false},
        {a + 60, a + 100, sbpart::None, false},
    };
    for (bool vertical : {true, false}) {
        TBitmap shown;
        shown.SetPixelFormat(pf32bit);
        shown.SetSize(vertical ? a : length, vertical ? length : a);
        HDC dc = shown.Canvas().Handle();
        TScrollBarPainter painter;
        for (const Step& step : steps) {
            TScrollBarLook look = Bar(vertical, length, step.start, step.end);
            look.Part = step.part;
            look.Pressed = step.pressed;
            ASSERT_TRUE(painter.Paint(dc, POINT{0, 0}, m_data->Elements(), kScrollFace, look,
                                      TBarRefresh::Changes));
            TBitmap whole;
            whole.SetPixelFormat(pf32bit);
            whole.SetSize(look.Width, look.Height);
            DrawScrollBar(whole.Canvas().Handle(), m_data->Elements(), kScrollFace, look);
            for (int y = 0; y < look.Height; ++y)
                for (int x = 0; x < look.Width; ++x)
                    ASSERT_EQ(GetPixel(dc, x, y), GetPixel(whole.Canvas().Handle(), x, y))
                        << (vertical ? "vertical" : "horizontal") << " thumb " << step.start
                        << ".." << step.end << " at " << x << "," << y;
        }
    }
}

// --- Overlays over a list view ---------------------------------------------------

class ListViewBars : public ScrollSkinTest {
protected:
    void SetUp() override
    {
        ScrollSkinTest::SetUp();
        m_form->SetBounds(40, 40, 520, 420);
        m_list = new TListView(m_form.get());
        m_list->SetBounds(20, 20, 300, 200);
        m_list->SetViewStyle(vsReport);
        m_list->SetParent(m_form.get());
        HWND list = m_list->Handle();
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 260;
        SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        m_skin = new TSkinListView(m_list);
        m_skin->InitScrollbar(m_list, m_data.get(), nullptr, m_host.get());
        ASSERT_TRUE(m_skin->Inited());
        ASSERT_NE(m_skin->VertBar(), nullptr);
        ASSERT_NE(m_skin->HorzBar(), nullptr);
        Pump();
    }
    void Fill(int count)
    {
        TListUpdate update(m_list->Items());
        m_list->Items().Clear();
        for (int i = 0; i < count; ++i)
            m_list->Items().Add("Item " + std::to_string(i));
    }
    HWND List() { return m_list->Handle(); }
    int TopIndex() { return static_cast<int>(SendMessageA(List(), LVM_GETTOPINDEX, 0, 0)); }
    SCROLLBARINFO SystemBar(LONG which)
    {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        GetScrollBarInfo(List(), which, &info);
        return info;
    }
    // The overlay covers exactly what the system reports, or is hidden
    // when the system's bar is.
    void ExpectCovers(TWScrollbar* bar, LONG which, const std::string& where)
    {
        ASSERT_NE(bar, nullptr) << where;
        const SCROLLBARINFO info = SystemBar(which);
        const bool visible = !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
        EXPECT_EQ(bar->Shown(), visible) << where;
        EXPECT_EQ(IsWindowVisible(bar->Handle()) != FALSE, visible) << where;
        if (!visible)
            return;
        RECT overlay{};
        GetWindowRect(bar->Handle(), &overlay);
        EXPECT_TRUE(EqualRect(&overlay, &info.rcScrollBar))
            << where << ": overlay " << overlay.left << "," << overlay.top << "-" << overlay.right
            << "," << overlay.bottom << " bar " << info.rcScrollBar.left << ","
            << info.rcScrollBar.top << "-" << info.rcScrollBar.right << ","
            << info.rcScrollBar.bottom;
        bar->Repaint();
        EXPECT_EQ(bar->ThumbStart(), info.xyThumbTop) << where;
        EXPECT_EQ(bar->ThumbEnd(), info.xyThumbBottom) << where;
    }

    TListView* m_list = nullptr;
    TSkinListView* m_skin = nullptr;
};

TEST_F(ListViewBars, OverlaysMatchTheSystemBarsAtEverySizeAndPosition)
{
    struct Size { int width, height, columnWidth; };
    const Size sizes[] = {{300, 200, 260}, {300, 200, 600}, {160, 320, 400}, {420, 120, 100},
                          {90, 90, 300}};
    const int counts[] = {3, 40, 300};
    for (const Size& size : sizes) {
        for (int count : counts) {
            m_list->SetBounds(20, 20, size.width, size.height);
            SendMessageA(List(), LVM_SETCOLUMNWIDTH, 0, size.columnWidth);
            Fill(count);
            for (int step : {0, 1, 7, 1000}) {
                SendMessageA(List(), LVM_ENSUREVISIBLE, std::min(count - 1, step * 10), FALSE);
                SendMessageA(List(), LVM_SCROLL, step * 15, 0);
                Pump();
                const std::string where = std::to_string(size.width) + "x" +
                                          std::to_string(size.height) + " col " +
                                          std::to_string(size.columnWidth) + ", " +
                                          std::to_string(count) + " items, step " +
                                          std::to_string(step);
                ExpectCovers(m_skin->VertBar(), OBJID_VSCROLL, where + " (vertical)");
                ExpectCovers(m_skin->HorzBar(), OBJID_HSCROLL, where + " (horizontal)");
                if (m_skin->VertBar()->Shown() && m_skin->HorzBar()->Shown()) {
                    // The size-grip corner between the two bars is the skin's face.
                    const SCROLLBARINFO v = SystemBar(OBJID_VSCROLL);
                    const SCROLLBARINFO h = SystemBar(OBJID_HSCROLL);
                    EXPECT_EQ(ScreenColor({v.rcScrollBar.left + 2, h.rcScrollBar.top + 2}),
                              kScrollFace) << where;
                }
            }
        }
    }
}

TEST_F(ListViewBars, OverlayHidesWhenTheBarGoesAndReturnsWithIt)
{
    Fill(300);
    Pump();
    ASSERT_TRUE(m_skin->VertBar()->Shown());
    Fill(2);
    Pump();
    EXPECT_FALSE(m_skin->VertBar()->Shown());
    EXPECT_FALSE(IsWindowVisible(m_skin->VertBar()->Handle()));
    Fill(300);
    Pump();
    ExpectCovers(m_skin->VertBar(), OBJID_VSCROLL, "back");
    EXPECT_TRUE(m_skin->VertBar()->Shown());
    // Hiding the control hides its overlays; showing it places them again.
    m_list->Hide();
    Pump();
    EXPECT_FALSE(IsWindowVisible(m_skin->VertBar()->Handle()));
    m_list->Show();
    Pump();
    ExpectCovers(m_skin->VertBar(), OBJID_VSCROLL, "shown again");
}

TEST_F(ListViewBars, BorderIsShadowThenFace)
{
    ASSERT_TRUE(m_skin->DrawsBorder());
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(300, 200);
    HDC dc = bitmap.Canvas().Handle();
    EXPECT_EQ(SendMessageA(List(), WM_SKINPAINTNC, reinterpret_cast<WPARAM>(dc), SkinMagic),
              SkinMagic);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 0, 0)), kScrollShadow);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 299, 100)), kScrollShadow);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 1, 1)), kScrollFace);
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 150, 198)), kScrollFace);
}

TEST_F(ListViewBars, HoldingTheDownArrowRepeatsShowsPressedThenHot)
{
    Fill(300);
    Pump();
    TWScrollbar* bar = m_skin->VertBar();
    ASSERT_TRUE(bar->Shown());
    RECT r{};
    GetClientRect(bar->Handle(), &r);
    const POINT arrow = ScreenPointOf(bar->Handle(), r.right / 2, r.bottom - kArrow / 2);
    TColor during = clNone;
    bool pressedDuring = false;
    int topDuring = 0;
    PressAndHold(arrow, 900, [&] {
        during = ScreenColor(arrow);
        pressedDuring = bar->Pressed();
        topDuring = TopIndex();
    });
    EXPECT_TRUE(pressedDuring);
    EXPECT_EQ(during, StripColor(14));
    // The first step comes at the press, then the system repeats.
    EXPECT_GE(topDuring, 3);
    EXPECT_GE(TopIndex(), topDuring);
    EXPECT_FALSE(bar->Pressed());
    EXPECT_EQ(ScreenColor(arrow), StripColor(16));
    // Leaving the overlay drops the highlight.
    MouseTo(ScreenPointOf(List(), 40, 40));
    SendMessageA(bar->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ScreenColor(arrow), StripColor(13));
}

TEST_F(ListViewBars, PageClicksStepByAPage)
{
    Fill(300);
    Pump();
    TWScrollbar* bar = m_skin->VertBar();
    const int page = static_cast<int>(SendMessageA(List(), LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(page, 1);
    RECT r{};
    GetClientRect(bar->Handle(), &r);
    const POINT below = ScreenPointOf(bar->Handle(), r.right / 2, r.bottom - kArrow - 4);
    PressAndHold(below, 60, [] {});
    EXPECT_EQ(TopIndex(), page);
    PressAndHold(below, 60, [] {});
    EXPECT_EQ(TopIndex(), 2 * page);
    bar->Repaint();
    const POINT above = ScreenPointOf(bar->Handle(), r.right / 2, bar->ThumbStart() - 3);
    PressAndHold(above, 60, [] {});
    EXPECT_EQ(TopIndex(), page);
}

TEST_F(ListViewBars, DraggingTheThumbToTheEndLeavesTheLastPosition)
{
    Fill(300);
    Pump();
    TWScrollbar* bar = m_skin->VertBar();
    bar->Repaint();
    const int middle = (bar->ThumbStart() + bar->ThumbEnd()) / 2;
    const POINT thumb = ScreenPointOf(bar->Handle(), kArrow / 2, middle);
    TColor during = clNone;
    int partDuring = -1;
    bool pressedDuring = false;
    RECT r{};
    GetClientRect(bar->Handle(), &r);
    const POINT thumbEdge = ScreenPointOf(bar->Handle(), kArrow / 2, r.bottom - kArrow - 1);
    PressAndHold(thumb, {{100, [&] { MouseMoveTo({thumb.x, thumb.y + 40}); }},
                         // Past the end of the bar, but near enough that the
                         // system keeps the drag (far away it snaps back).
                         {250, [&] { MouseMoveTo(ScreenPointOf(bar->Handle(), kArrow / 2,
                                                               r.bottom + 4)); }},
                         {500, [&] {
                              partDuring = bar->Part();
                              pressedDuring = bar->Pressed();
                              during = ScreenColor(thumbEdge);
                          }}});
    EXPECT_EQ(partDuring, sbpart::Thumb);
    EXPECT_TRUE(pressedDuring);
    // The thumb follows the pointer to the end of the track, shown pressed.
    EXPECT_EQ(during, ThumbColor(2));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(List(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1);
    EXPECT_EQ(TopIndex(), 300 - static_cast<int>(si.nPage));
}

// --- Grids keep their fixed colour -----------------------------------------------

namespace {

class TFixedColorGrid : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomControl::TCustomControl;
    int FixedColor() const { return m_fixed; }
    void SetFixedColor(int color) { m_fixed = color; }

protected:
    void CreateParams(TCreateParams& params) override
    {
        TCustomControl::CreateParams(params);
        params.Style |= WS_VSCROLL | WS_BORDER;
    }

private:
    int m_fixed = RGBColor(1, 2, 3);
};

const TClassInfo& TFixedColorGrid::StaticClassInfo()
{
    static const TClassInfo info{
        "TFixedColorGrid",
        &TCustomControl::StaticClassInfo(),
        {published::Integer("FixedColor", &TFixedColorGrid::FixedColor,
                            &TFixedColorGrid::SetFixedColor)}};
    return info;
}

} // namespace

TEST_F(ScrollSkinTest, GridFixedColorIsFaceWhileSkinnedAndRestoredAfter)
{
    auto* grid = new TFixedColorGrid(m_form.get());
    grid->SetBounds(10, 60, 200, 100);
    grid->SetParent(m_form.get());
    auto* skin = new TSkinScrollbar(grid);
    skin->Init(m_host.get(), m_data.get(), nullptr, false);
    ASSERT_TRUE(skin->Inited());
    EXPECT_EQ(grid->FixedColor(), static_cast<int>(kScrollFace));
    skin->Unsubclass();
    EXPECT_EQ(grid->FixedColor(), static_cast<int>(RGBColor(1, 2, 3)));
    EXPECT_EQ(skin->VertBar(), nullptr);
    delete skin;
}

// --- Stand-alone scroll-bar controls ---------------------------------------------

TEST_F(ScrollSkinTest, ScrollBarControlOverlayAndMinimumThumb)
{
    auto* control = new TScrollBar(m_form.get());
    control->SetKind(sbVertical);
    control->SetBounds(240, 10, kArrow, 150);
    control->SetParent(m_form.get());
    control->SetParams(0, 0, 1000);
    control->SetPageSize(2);
    auto* skin = new TSkinScControl(control);
    skin->InitScrollbar(control, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(skin->Inited());
    Pump();
    TWScrollbar* bar = skin->Bar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->Shown());
    RECT overlay{}, under{};
    GetWindowRect(bar->Handle(), &overlay);
    GetWindowRect(control->Handle(), &under);
    EXPECT_TRUE(EqualRect(&overlay, &under));
    SCROLLBARINFO info{};
    ASSERT_TRUE(bar->GetControlInfo2(info));
    EXPECT_EQ(info.xyThumbBottom - info.xyThumbTop, 8);
    EXPECT_EQ(info.xyThumbTop, kArrow);
    // On a form at twice the DPI the smallest thumb is twice as long.
    m_host->Dpi = 192;
    ASSERT_TRUE(bar->GetControlInfo2(info));
    EXPECT_EQ(info.xyThumbBottom - info.xyThumbTop, 16);
    control->SetPosition(1000);
    ASSERT_TRUE(bar->GetControlInfo2(info));
    EXPECT_LE(info.xyThumbBottom, 150 - kArrow) << "the long thumb stays inside the track";
    EXPECT_GE(info.xyThumbBottom, 150 - kArrow - 1);
    control->SetPosition(0);
    m_host->Dpi = 96;
    // Pressing below the thumb pages the control itself.
    const POINT below = ScreenPointOf(bar->Handle(), kArrow / 2, 150 - kArrow - 4);
    PressAndHold(below, 60, [] {});
    EXPECT_GT(control->Position(), 0);
    delete skin;
}

// The thumb of a stand-alone bar takes (page - 1) / range of the track, and
// the last position puts its end at the track's end. Pages large enough that
// the minimum thumb hides nothing; a track of 400 makes each row exact.
TEST_F(ScrollSkinTest, ScrollBarControlThumbTakesItsShareOfTheTrack)
{
    constexpr int kTrack = 400;
    auto* control = new TScrollBar(m_form.get());
    control->SetKind(sbVertical);
    control->SetBounds(240, 0, kArrow, kTrack + 2 * kArrow);
    control->SetParent(m_form.get());
    auto* skin = new TSkinScControl(control);
    skin->InitScrollbar(control, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(skin->Inited());
    TWScrollbar* bar = skin->Bar();
    ASSERT_NE(bar, nullptr);
    const struct {
        int page, thumb;
    } rows[] = {{10, 36}, {25, 96}, {50, 196}, {80, 316}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "page " << row.page << " of 0..100");
        control->SetParams(0, 0, 100);
        control->SetPageSize(row.page);
        SCROLLBARINFO info{};
        ASSERT_TRUE(bar->GetControlInfo2(info));
        EXPECT_EQ(info.xyThumbTop, kArrow);
        EXPECT_EQ(info.xyThumbBottom - info.xyThumbTop, row.thumb);
        control->SetPosition(100);   // clamped to the last position, 100 - page + 1
        ASSERT_TRUE(bar->GetControlInfo2(info));
        EXPECT_EQ(info.xyThumbBottom - info.xyThumbTop, row.thumb);
        EXPECT_EQ(info.xyThumbBottom, kArrow + kTrack);
    }
    delete skin;
}

// --- Raw windows and a combo box's drop-down list --------------------------------

TEST_F(ScrollSkinTest, RawWindowOverlaysFollowItsBars)
{
    HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE |
                                  WS_HSCROLL | WS_VSCROLL, 10, 60, 200, 120, m_form->Handle(),
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    auto* skin = new TSkinScrollbarH(m_form.get());
    skin->Inithwnd(window, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(skin->Inited());
    ASSERT_NE(skin->VertBar(), nullptr);
    ASSERT_NE(skin->HorzBar(), nullptr);
    auto covers = [&](TWScrollbar* bar, LONG which) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        GetScrollBarInfo(window, which, &info);
        RECT overlay{};
        GetWindowRect(bar->Handle(), &overlay);
        return bar->Shown() && EqualRect(&overlay, &info.rcScrollBar);
    };
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 100, 20, 0, 0};
    SetScrollInfo(window, SB_VERT, &si, TRUE);
    SetScrollInfo(window, SB_HORZ, &si, TRUE);
    Pump();
    EXPECT_TRUE(covers(skin->VertBar(), OBJID_VSCROLL));
    EXPECT_TRUE(covers(skin->HorzBar(), OBJID_HSCROLL));
    SetWindowPos(window, nullptr, 0, 0, 150, 200, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_TRUE(covers(skin->VertBar(), OBJID_VSCROLL));
    EXPECT_TRUE(covers(skin->HorzBar(), OBJID_HSCROLL));
    ShowScrollBar(window, SB_HORZ, FALSE);
    Pump();
    EXPECT_FALSE(skin->HorzBar()->Shown());
    EXPECT_TRUE(covers(skin->VertBar(), OBJID_VSCROLL));
    delete skin;
    DestroyWindow(window);
}

TEST_F(ScrollSkinTest, DropDownListThumbDraggedPastTheEndStopsAtTheLastPosition)
{
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL |
                                 CBS_DROPDOWNLIST, 10, 10, 150, 200, m_form->Handle(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    for (int i = 0; i < 60; ++i)
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>((L"Entry " + std::to_wstring(i)).c_str()));
    COMBOBOXINFO cbi{};
    cbi.cbSize = sizeof cbi;
    ASSERT_TRUE(GetComboBoxInfo(combo, &cbi));
    HWND list = cbi.hwndList;
    auto* skin = new TComboxScrollBar(m_form.get());
    skin->Inithwnd(list, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(skin->Inited());
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    Pump();
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &info));
    ASSERT_FALSE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    // The skin painted the bar into the list's frame: its arrows are there.
    const int a = info.dxyLineButton;
    EXPECT_EQ(ScreenColor({(info.rcScrollBar.left + info.rcScrollBar.right) / 2,
                           info.rcScrollBar.top + a / 2}),
              StripColor(9));
    // A drag from the thumb to well past the bottom of the track, by the
    // skin's own loop on the list's non-client press.
    const int x = (info.rcScrollBar.left + info.rcScrollBar.right) / 2;
    const int y = info.rcScrollBar.top + (info.xyThumbTop + info.xyThumbBottom) / 2;
    SetCursorPos(x, y + 200);
    SCROLLINFO before{};
    before.cbSize = sizeof before;
    before.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &before);
    PostMessageW(list, WM_MOUSEMOVE, 0, 0);
    PostMessageW(list, WM_LBUTTONUP, 0, 0);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, y));
    SCROLLINFO after{};
    after.cbSize = sizeof after;
    after.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &after);
    EXPECT_EQ(before.nPos, 0);
    EXPECT_EQ(after.nPos, after.nMax - static_cast<int>(after.nPage) + 1);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    delete skin;
    DestroyWindow(combo);
}

} // namespace tarnivo::test
