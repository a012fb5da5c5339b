// A new skin applied to windows that are open: the outline cut for the size
// each window ends at, one paint of each window that the screen shows, the
// resize a form's host still goes through, and the caption icon of the
// window's current icon.

#include "captiontestkit.h"

#include "framework/form.h"
#include "framework/regions.h"

#include "tests/framework/graphics/screenread.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

// Counts what a window receives, seen before the skin engine's procedure
// (installed over it once the window is skinned, taken off before it goes).
class MessageTap {
public:
    explicit MessageTap(HWND window) : m_window(window)
    {
        Taps()[window] = this;
        m_previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~MessageTap()
    {
        SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        Taps().erase(m_window);
    }
    MessageTap(const MessageTap&) = delete;
    MessageTap& operator=(const MessageTap&) = delete;

    int Count(UINT msg) const
    {
        auto it = m_counts.find(msg);
        return it == m_counts.end() ? 0 : it->second;
    }
    // The client heights of the WM_SIZE messages, in order.
    const std::vector<int>& SizeHeights() const { return m_sizeHeights; }
    void Clear()
    {
        m_counts.clear();
        m_sizeHeights.clear();
    }

private:
    static std::map<HWND, MessageTap*>& Taps()
    {
        static std::map<HWND, MessageTap*> taps;
        return taps;
    }
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        MessageTap* tap = Taps().at(window);
        ++tap->m_counts[msg];
        if (msg == WM_SIZE)
            tap->m_sizeHeights.push_back(HIWORD(lParam));
        return CallWindowProcW(tap->m_previous, window, msg, wParam, lParam);
    }

    HWND m_window;
    WNDPROC m_previous = nullptr;
    std::map<UINT, int> m_counts;
    std::vector<int> m_sizeHeights;
};

class ReskinTest : public SkinEngineTest {
protected:
    void UseSkin(const FrameSkinOptions& options)
    {
        ASSERT_TRUE(LoadFrameSkin(Data(), options));
        ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    }

    // A skinned framework form of 320 x 220 pixels.
    TForm* SkinnedForm(const char* caption)
    {
        auto* form = MakeForm<TForm>(nullptr);
        form->SetBounds(60, 60, 320, 220);
        form->SetCaption(caption);
        form->Show();
        SetActiveWindow(form->Handle());
        EXPECT_NE(WaitSkinned(form->Handle()), nullptr);
        return form;
    }
};

TColor ScreenColour(HWND window, int x, int y)
{
    RECT r{};
    GetWindowRect(window, &r);
    PutDrawingOnScreen();
    HDC dc = GetDC(nullptr);
    const COLORREF colour = GetPixel(dc, r.left + x, r.top + y);
    ReleaseDC(nullptr, dc);
    return static_cast<TColor>(colour);
}

// A 16 x 16 icon of one colour.
HICON SolidIcon(TColor colour)
{
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, image);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour));
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    const std::vector<BYTE> opaque(16 * 16 / 8, 0);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, opaque.data());
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

} // namespace

TEST_F(ReskinTest, TheNewOutlineIsCutForTheSizeTheWindowEndsAt)
{
    HWND window = MakeWindow("Outline", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 300, 200);
    ASSERT_NE(WaitSkinned(window), nullptr);
    auto* form = SkinnedForm("Outline form");
    const TRect client = ClientInWindow(window);
    ASSERT_NE(SkinFormOf(form->Handle()).Active, 0);

    // A taller title (the windows grow) and an active bottom frame keyed
    // away on its left half. (The form is the active window.)
    FrameSkinOptions cut;
    cut.borderTop = kTop + 6;
    cut.trans[3] = 1;
    cut.bottomPixel = [](int x, int) { return x < 20 ? kMagenta : kBottomActive; };
    UseSkin(cut);
    for (HWND w : {window, form->Handle()}) {
        const TSize size = WindowSize(w);
        GdiRegion region = WindowRegion(w);
        ASSERT_TRUE(region);
        RECT box{};
        GetRgnBox(region.Get(), &box);
        EXPECT_EQ(box.right, size.cx);
        EXPECT_EQ(box.bottom, size.cy) << "no row of the re-layout's extra pixel";
        // Cut from the look of the moment: the inactive bottom frame is opaque.
        const bool active = SkinFormOf(w).Active != 0;
        EXPECT_EQ(RegionContains(region.Get(), kLeft + 5, size.cy - 2), !active);
        EXPECT_TRUE(RegionContains(region.Get(), size.cx - kRight - 5, size.cy - 2));
        EXPECT_TRUE(RegionContains(region.Get(), size.cx / 2, size.cy - kBottom - 1));
    }
    EXPECT_EQ(WindowSize(window).cy, client.bottom - client.top + kTop + 6 + kBottom);

    // Back to opaque borders at the same window size: the outline is whole
    // again although the size did not change.
    FrameSkinOptions whole;
    whole.borderTop = kTop + 6;
    UseSkin(whole);
    for (HWND w : {window, form->Handle()}) {
        const TSize size = WindowSize(w);
        GdiRegion region = WindowRegion(w);
        ASSERT_TRUE(region);
        GdiRegion expected = RectRegion(TRect{0, 0, size.cx, size.cy});
        EXPECT_TRUE(RegionsEqual(region.Get(), expected.Get()));
    }
    delete form;
    DestroyWindow(window);
}

TEST_F(ReskinTest, EachWindowIsPaintedOnceAndTheScreenShowsTheNewSkin)
{
    HWND window = MakeWindow("Painted", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 300, 200);
    ASSERT_NE(WaitSkinned(window), nullptr);
    // Side by side, so that each one's pixels are its own on the screen.
    SetWindowPos(window, nullptr, 420, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto* form = SkinnedForm("Painted form");
    PumpFor(50);
    const std::vector<HWND> windows{window, form->Handle()};
    std::vector<std::unique_ptr<MessageTap>> taps;
    for (HWND w : windows)
        taps.push_back(std::make_unique<MessageTap>(w));

    constexpr TColor kNewBottom = RGBColor(20, 180, 170);
    FrameSkinOptions next;
    next.borderTop = kTop + 6;
    next.bottomPixel = [](int, int) { return kNewBottom; };
    UseSkin(next);
    PumpFor(0);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        HWND w = windows[i];
        EXPECT_EQ(taps[i]->Count(WM_NCPAINT), 1) << i;
        // Where the new title reaches below the old one, and the bottom border.
        const TSize size = WindowSize(w);
        const bool active = SkinFormOf(w).Active != 0;
        EXPECT_EQ(ScreenColour(w, size.cx / 2, kTop + 3), active ? kTopActive : kTopInactive) << i;
        if (active)
            EXPECT_EQ(ScreenColour(w, size.cx / 2, size.cy - 2), kNewBottom) << i;
        else
            EXPECT_EQ(ScreenColour(w, size.cx / 2, size.cy - 2), kBottomInactive) << i;
    }
    taps.clear();
    delete form;
    DestroyWindow(window);
}

TEST_F(ReskinTest, AFormStillGoesThroughAResizeThatEndsAtItsSize)
{
    auto* form = SkinnedForm("Relayout");
    HWND window = form->Handle();
    MessageTap tap(window);
    RECT client{};
    GetClientRect(window, &client);

    FrameSkinOptions next;
    next.borderTop = kTop + 6;
    UseSkin(next);
    const std::vector<int>& heights = tap.SizeHeights();
    ASSERT_GE(heights.size(), 2u);
    EXPECT_EQ(heights[heights.size() - 2], client.bottom + 1);
    EXPECT_EQ(heights.back(), client.bottom);
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_EQ(form->Height(), now.bottom - now.top);
    EXPECT_EQ(form->Width(), now.right - now.left);
    GetClientRect(window, &now);
    EXPECT_EQ(now.bottom, client.bottom);
    delete form;
}

TEST_F(ReskinTest, TheIconButtonShowsTheIconTheWindowHasAtTheSkinChange)
{
    constexpr TColor kFirst = RGBColor(220, 30, 30);
    constexpr TColor kSecond = RGBColor(30, 30, 220);
    HICON first = SolidIcon(kFirst);
    HICON second = SolidIcon(kSecond);
    ASSERT_TRUE(first && second);
    const std::vector<ButtonSpec> buttons{{"ICON", 3, 0, 4, 4, 0, 0, 1, 16, 16}};
    ASSERT_TRUE(LoadCaptionSkin(Data(), buttons));
    ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    HWND window = MakeButtonWindow();
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(first));
    ASSERT_TRUE(LoadCaptionSkin(Data(), buttons));
    ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    auto iconColour = [&] {
        const auto picture = PaintFrame(window);
        const TRect rect = SkinFormOf(window).SysButtons.at(0)->Rect;
        return Pixel(*picture, rect.left + 8, rect.top + 8);
    };
    EXPECT_EQ(iconColour(), kFirst);
    EXPECT_EQ(iconColour(), kFirst) << "painted again";

    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(second));
    DestroyIcon(first);
    ASSERT_TRUE(LoadCaptionSkin(Data(), buttons));
    ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    EXPECT_EQ(iconColour(), kSecond);
    DestroyWindow(window);
    DestroyIcon(second);
}
