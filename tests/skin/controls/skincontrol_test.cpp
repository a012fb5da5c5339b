// The message pipeline of a control skin on both attach paths: switching
// skinning off and on, the engine's questions, and the state frames a
// painter sees as the pointer, the buttons, the focus and the enabled state
// change.

#include "skincontroltestkit.h"

#include "skin/forms/skinmessages.h"

#include "tests/framework/graphics/bitmappixels.h"

#include <gtest/gtest-spi.h>

namespace tarnivo {
namespace {

using namespace test;

class ControlSkinPipeline : public ControlSkinTest {
protected:
    HWND Window(bool framework) const { return framework ? m_panel->Handle() : m_raw; }
    TFrameSkin* Attach(bool framework)
    {
        if (framework) {
            auto* skin = new TFrameSkin(m_panel);
            skin->Init(m_host.get(), m_data.get(), nullptr, false);
            return skin;
        }
        auto* skin = new TFrameSkin(m_host.get());
        skin->Inithwnd(m_raw, m_data.get(), nullptr, m_host.get());
        return skin;
    }
};

// A window that answers each WM_APP by posting another: its queue never
// empties, as when Wine passes the activation back and forth between two
// windows for ever.
LRESULT CALLBACK EchoProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_APP) {
        PostMessageW(window, WM_APP, wParam + 1, 0);
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

TEST(TestKitPump, AQueueThatNeverEmptiesFailsTheTestInsteadOfHangingIt)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = EchoProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TarnivoEchoWindow";
    RegisterClassW(&wc);
    HWND echo = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(echo, nullptr);
    PostMessageW(echo, WM_APP, 0, 0);
    EXPECT_NONFATAL_FAILURE(Pump(), "the message queue never empties");
    DestroyWindow(echo);
    // The echo's last message is gone with its window; an ordinary queue
    // empties without a failure.
    PostMessageW(nullptr, WM_NULL, 0, 0);
    Pump();
}

TEST(SkinFrameNumber, LaterTestsWin)
{
    struct Row {
        bool mouseIn, down, focused, enabled;
        int frame;
    } rows[] = {
        {false, false, false, true, 1},  {false, false, true, true, 5},
        {true, false, false, true, 4},   {true, false, true, true, 4},
        {false, true, false, true, 2},   {false, true, true, true, 2},
        {true, true, false, true, 2},    {true, true, true, true, 2},
        {false, false, false, false, 3}, {false, false, true, false, 3},
        {true, false, false, false, 3},  {true, true, true, false, 3},
    };
    for (const Row& r : rows) {
        TSkinControlState state;
        if (r.mouseIn)
            state.Include(scMouseIn);
        if (r.down)
            state.Include(scDown);
        EXPECT_EQ(SkinFrameNumber(state, r.focused, r.enabled), r.frame)
            << "in " << r.mouseIn << " down " << r.down << " focused " << r.focused
            << " enabled " << r.enabled;
    }
}

TEST_F(ControlSkinPipeline, SkinEnableOffBehavesAsUnskinnedAndOnRepaintsAtOnce)
{
    for (bool framework : {true, false}) {
        SCOPED_TRACE(framework ? "framework control" : "raw window");
        HWND window = Window(framework);
        Repaint(window);
        const TColor own = ScreenPixel(window, 20, 20);
        ASSERT_EQ(own, kPanelColor);
        EXPECT_EQ(SendMessageW(window, WM_ISSKINNED, 0, 0), 0);

        TFrameSkin* skin = Attach(framework);
        ASSERT_EQ(skin->Status(), skinstatus::Attached);
        Repaint(window);
        EXPECT_EQ(ScreenPixel(window, 20, 20), kFrameColor[1]);
        EXPECT_EQ(SendMessageW(window, WM_ISSKINNED, 0, 0), 1);

        // wParam is read as a signed number: -1 switches off as 0 does.
        for (WPARAM off : {WPARAM(0), static_cast<WPARAM>(-1)}) {
            SendMessageW(window, WM_SKINENABLE, off, 0);
            EXPECT_FALSE(skin->Active());
            const int draws = skin->Draws;
            Repaint(window);
            EXPECT_EQ(ScreenPixel(window, 20, 20), own);
            EXPECT_EQ(skin->Draws, draws);
            EXPECT_EQ(SendMessageW(window, WM_ISSKINNED, 0, 0), 0);
            TBitmap target;
            FillBitmap(target, 10, 10, clWhite);
            EXPECT_EQ(SendMessageW(window, WM_SKINPAINTCLIENT,
                                   reinterpret_cast<WPARAM>(target.Canvas().Handle()), SkinMagic),
                      0);
            EXPECT_EQ(PixelOf(target, 5, 5), clWhite);
        }

        // On again: painted skinned before any message is pumped.
        const int draws = skin->Draws;
        SendMessageW(window, WM_SKINENABLE, 1, 0);
        EXPECT_TRUE(skin->Active());
        EXPECT_GT(skin->Draws, draws);
        EXPECT_EQ(ScreenPixel(window, 20, 20), kFrameColor[1]);
        EXPECT_EQ(SendMessageW(window, WM_ISSKINNED, 0, 0), 1);
        delete skin;
    }
}

TEST_F(ControlSkinPipeline, PaintClientDrawsTheSkinIntoTheGivenDC)
{
    for (bool framework : {true, false}) {
        SCOPED_TRACE(framework ? "framework control" : "raw window");
        TFrameSkin* skin = Attach(framework);
        TBitmap target;
        FillBitmap(target, 100, 60, clWhite);
        const WPARAM dc = reinterpret_cast<WPARAM>(target.Canvas().Handle());
        // Without the handshake value the control's own procedure answers.
        EXPECT_EQ(SendMessageW(Window(framework), WM_SKINPAINTCLIENT, dc, 0), 0);
        EXPECT_EQ(PixelOf(target, 0, 0), clWhite);
        EXPECT_EQ(SendMessageW(Window(framework), WM_SKINPAINTCLIENT, dc, SkinMagic), SkinMagic);
        // The whole window (80 x 40) at the origin, nothing beyond.
        EXPECT_EQ(PixelOf(target, 0, 0), kFrameColor[1]);
        EXPECT_EQ(PixelOf(target, 79, 39), kFrameColor[1]);
        EXPECT_EQ(PixelOf(target, 80, 39), clWhite);
        EXPECT_EQ(PixelOf(target, 79, 40), clWhite);
        delete skin;
    }
}

TEST_F(ControlSkinPipeline, FrameworkControlStatesPickTheirFrames)
{
    TFrameSkin* skin = Attach(true);
    HWND window = Window(true);
    Repaint(window);
    auto shows = [&](int frame) { return ScreenPixel(window, 20, 20) == kFrameColor[frame]; };
    EXPECT_TRUE(shows(1));

    m_panel->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(skin->State().Contains(scMouseIn));
    EXPECT_TRUE(shows(4));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(shows(2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ReleaseCapture();
    EXPECT_TRUE(shows(4));
    m_panel->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(skin->State().Contains(scMouseIn));
    EXPECT_TRUE(shows(1));

    SetFocus(window);
    EXPECT_TRUE(shows(5));
    m_panel->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(shows(4));   // hot wins over focused
    m_panel->SetEnabled(false);
    EXPECT_TRUE(shows(3));   // disabled wins over all
    m_panel->SetEnabled(true);
    m_panel->Perform(CM_MOUSELEAVE, 0, 0);
    SetFocus(m_form->Handle());
    EXPECT_TRUE(shows(1));
    delete skin;
}

TEST_F(ControlSkinPipeline, RawWindowsShareTheHostsHotControl)
{
    HWND second = CreateWindowExW(0, L"TarnivoRawControl", L"second", WS_CHILD | WS_VISIBLE, 210,
                                  10, 60, 40, m_form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(second, nullptr);
    TFrameSkin* first = Attach(false);
    auto* other = new TFrameSkin(m_host.get());
    other->Inithwnd(second, m_data.get(), nullptr, m_host.get());
    ASSERT_TRUE(other->Inited());

    SendMessageW(m_raw, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(m_host->HotControlLink(), first);
    EXPECT_EQ(ScreenPixel(m_raw, 20, 20), kFrameColor[4]);

    // The pointer moves on to the other window: the first one is left.
    SendMessageW(second, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(m_host->HotControlLink(), other);
    EXPECT_FALSE(first->State().Contains(scMouseIn));
    EXPECT_EQ(ScreenPixel(m_raw, 20, 20), kFrameColor[1]);
    EXPECT_EQ(ScreenPixel(second, 20, 20), kFrameColor[4]);

    // What the form's hover timer does when the pointer is outside.
    other->MouseLeave();
    EXPECT_EQ(m_host->HotControlLink(), nullptr);
    EXPECT_EQ(ScreenPixel(second, 20, 20), kFrameColor[1]);

    // Freeing the hot control clears the host's reference to it.
    SendMessageW(second, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(m_host->HotControlLink(), other);
    delete other;
    EXPECT_EQ(m_host->HotControlLink(), nullptr);
    delete first;
    DestroyWindow(second);
}

TEST_F(ControlSkinPipeline, EraseFillsWithTheParentsColour)
{
    // A raw skin that takes WM_ERASEBKGND over, as containers do.
    class TEraseSkin : public TSkinControl {
    public:
        using TSkinControl::TSkinControl;
        bool BeforeProc(TMessage& message) override
        {
            if (message.Msg != WM_ERASEBKGND)
                return TSkinControl::BeforeProc(message);
            WMERASEBKGND(message);
            return false;
        }
    };
    for (bool framework : {true, false}) {
        SCOPED_TRACE(framework ? "framework control" : "raw window");
        TSkinControl* skin = framework ? static_cast<TSkinControl*>(new TEraseSkin(m_panel))
                                       : new TEraseSkin(m_host.get());
        if (framework)
            skin->Init(m_host.get(), m_data.get(), nullptr, false);
        else
            skin->Inithwnd(m_raw, m_data.get(), nullptr, m_host.get());
        TBitmap target;
        FillBitmap(target, 80, 40, clWhite);
        EXPECT_EQ(SendMessageW(Window(framework), WM_ERASEBKGND,
                               reinterpret_cast<WPARAM>(target.Canvas().Handle()), 0),
                  1);
        // The form behind both is blue: the panel shows the form's image
        // there, the raw window the form's Color.
        EXPECT_EQ(PixelOf(target, 3, 3), RGBColor(0, 0, 255));
        EXPECT_EQ(PixelOf(target, 79, 39), RGBColor(0, 0, 255));
        EXPECT_EQ(skin->GetParentColor(clNone), RGBColor(0, 0, 255));
        delete skin;
    }
}

} // namespace
} // namespace tarnivo
