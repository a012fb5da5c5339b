// A form's 96-DPI layout scaled to another DPI: edges, fonts, the client
// size, and WM_DPICHANGED from the system and from strangers.

#include "framework/controls/button.h"
#include "framework/controls/label.h"
#include "framework/controls/trackbar.h"
#include "framework/formscale.h"

#include "testform.h"

#include <atomic>
#include <thread>

namespace tarnivo {
namespace {

using test::FormTest;
using test::Pump;

SIZE Client(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

class FormScale : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        form->SetBorderStyle(bsSingle);
        form->SetClientSize(300, 200);
        form->Font().SetHeight(-11);
        left = Place(10, 20, 75, 25);
        right = Place(85, 20, 75, 25);   // touches `left`
        left->Font().SetHeight(-13);
        label = new TLabel(form.get());
        label->SetParent(form.get());
        label->SetBounds(10, 60, 100, 13);
    }

    TButton* Place(int x, int y, int w, int h)
    {
        auto* button = new TButton(form.get());
        button->SetBounds(x, y, w, h);
        button->SetParent(form.get());
        return button;
    }

    TButton* left = nullptr;
    TButton* right = nullptr;
    TLabel* label = nullptr;
};

TEST_F(FormScale, TwiceTheDpiDoublesBoundsFontsAndClientSize)
{
    HWND window = form->Handle();
    ASSERT_EQ(form->PixelsPerInch(), 96);
    form->ScaleToPixelsPerInch(192);
    EXPECT_EQ(form->PixelsPerInch(), 192);
    EXPECT_EQ(form->Scaled(32), 64);
    EXPECT_EQ(Client(window).cx, 600);
    EXPECT_EQ(Client(window).cy, 400);
    const RECT l = left->BoundsRect();
    EXPECT_EQ(l.left, 20);
    EXPECT_EQ(l.top, 40);
    EXPECT_EQ(l.right, 170);
    EXPECT_EQ(l.bottom, 90);
    RECT onScreen;
    GetWindowRect(left->Handle(), &onScreen);
    EXPECT_EQ(onScreen.right - onScreen.left, 150) << "the window follows its control";
    EXPECT_EQ(left->Font().Height(), -26);
    EXPECT_EQ(right->Font().Height(), -22) << "a control's default font is 8 pt at 96 DPI";
    EXPECT_EQ(form->Font().Height(), -22);
    EXPECT_EQ(label->Font().Height(), -22) << "a label follows the form's font";

    // Back to 96: whole factors give the layout back exactly.
    form->ScaleToPixelsPerInch(96);
    EXPECT_EQ(Client(window).cx, 300);
    EXPECT_EQ(left->BoundsRect().right, 85);
    EXPECT_EQ(left->Font().Height(), -13);
    EXPECT_EQ(label->Font().Height(), -11);
}

TEST_F(FormScale, OddFactorsKeepTouchingControlsTouching)
{
    form->ScaleToPixelsPerInch(144);
    EXPECT_EQ(left->BoundsRect().right, right->BoundsRect().left);
    EXPECT_EQ(form->Scaled(17), 26);   // 25.5 rounds up
    form->ScaleToPixelsPerInch(120);
    EXPECT_EQ(left->BoundsRect().right, right->BoundsRect().left);
    EXPECT_EQ(form->PixelsPerInch(), 120);
}

TEST_F(FormScale, ATrackBarsThumbGrowsWithTheLayout)
{
    // The system keeps the thumb's length in pixels: left at 20 on a
    // 192-DPI form, the thumb is half the size of everything around it.
    auto* bar = new TTrackBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(10, 100, 150, 30);
    bar->SetThumbLength(18);
    ASSERT_EQ(bar->ThumbLength(), 18);
    form->ScaleToPixelsPerInch(192);
    EXPECT_EQ(bar->ThumbLength(), 36);
    EXPECT_EQ(bar->Height(), 60);
    form->ScaleToPixelsPerInch(144);
    EXPECT_EQ(bar->ThumbLength(), 27);
    form->ScaleToPixelsPerInch(96);
    EXPECT_EQ(bar->ThumbLength(), 18);
    // One made before its window keeps the length for the window it gets.
    auto* early = new TTrackBar(nullptr);
    early->SetThumbLength(10);
    ScaleControlTree(*early, 2, 1);
    EXPECT_EQ(early->ThumbLength(), 20);
    delete early;
}

TEST_F(FormScale, UnbelievableDpisAreRefused)
{
    for (int dpi : {0, 5, 47, 961, 100000}) {
        form->ScaleToPixelsPerInch(dpi);
        EXPECT_EQ(form->PixelsPerInch(), 96) << dpi;
        EXPECT_EQ(left->Width(), 75) << dpi;
    }
}

TEST_F(FormScale, DpiChangedFromTheSystemMovesToTheSuggestedRectAndRescales)
{
    ShowForm();
    HWND window = form->Handle();
    RECT suggested{100, 80, 100 + 700, 80 + 500};
    SendMessageW(window, WMDpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    Pump();
    RECT now;
    GetWindowRect(window, &now);
    EXPECT_EQ(now.left, 100);
    EXPECT_EQ(now.top, 80);
    EXPECT_EQ(form->PixelsPerInch(), 192);
    EXPECT_EQ(Client(window).cx, 600) << "the client size is the layout's, whatever was suggested";
    EXPECT_EQ(Client(window).cy, 400);
    EXPECT_EQ(left->Width(), 150);
}

TEST_F(FormScale, DpiChangedFromAnotherThreadOrWithNoRectangleIsIgnored)
{
    ShowForm();
    HWND window = form->Handle();
    RECT before;
    GetWindowRect(window, &before);
    RECT suggested{0, 0, 10, 10};
    // A stranger's send: the pointer may mean nothing in this process.
    std::atomic<bool> answered{false};
    std::thread stranger([&] {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WMDpiChanged, MAKEWPARAM(192, 192),
                            reinterpret_cast<LPARAM>(&suggested), SMTO_NORMAL, 5000, &result);
        answered = true;
    });
    // The send is handled while this thread waits for messages.
    const DWORD start = GetTickCount();
    while (!answered && GetTickCount() - start < 6000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_SENDMESSAGE);
        Pump();
    }
    stranger.join();
    SendMessageW(window, WMDpiChanged, MAKEWPARAM(192, 192), 0);
    Pump();
    EXPECT_EQ(form->PixelsPerInch(), 96);
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(left->Width(), 75);
}

TEST_F(FormScale, APostedDpiChangeWithAJunkRectangleIsDropped)
{
    ShowForm();
    HWND window = form->Handle();
    // The system only ever sends it; a post comes from someone else, and
    // its lParam points nowhere.
    PostMessageW(window, WMDpiChanged, MAKEWPARAM(192, 192), 0x41414141);
    PostMessageW(window, WMDpiChanged, MAKEWPARAM(144, 144), 0x41414141);
    Pump();
    EXPECT_EQ(form->PixelsPerInch(), 96);
    EXPECT_EQ(left->Width(), 75);
}

} // namespace
} // namespace tarnivo
