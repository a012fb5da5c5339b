// Windows that the framework recreates while they are skinned: a memo whose
// scroll bars or word wrap change, a list box whose selection mode changes,
// a form whose border style changes. The new window is skinned as the old
// one was, through the real framework controls and the real control skins;
// a recreate notice naming a window that is not ours changes nothing.

#include "formtestkit.h"

#include "skin/forms/skinmessages.h"

#include "framework/controls/listbox.h"
#include "framework/controls/memo.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

bool Skinned(HWND window)
{
    return window && SendMessageA(window, WM_ISSKINNED, 0, 0) == 1;
}

// What the control's skin paints into the top-left pixel of its frame when
// asked to paint its non-client part into a memory DC; kMagenta when it
// paints nothing.
TColor SkinnedBorderPixel(HWND window)
{
    const TSize size = WindowSize(window);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(size.cx, size.cy);
    HDC dc = bitmap.Canvas().Handle();
    GdiBrush magenta(CreateSolidBrush(kMagenta));
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, magenta.Get());
    SendMessageA(window, WM_SKINPAINTNC, reinterpret_cast<WPARAM>(dc), SkinMagic);
    return Pixel(bitmap, 0, 0);
}

class RecreateTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        ASSERT_TRUE(LoadFrameSkin(Data()));
        form.reset(MakeForm<TForm>(nullptr));
        form->SetBounds(40, 40, 480, 360);
        memo = new TMemo(form.get());
        memo->SetParent(form.get());
        memo->SetBounds(10, 10, 200, 120);
        list = new TListBox(form.get());
        list->SetParent(form.get());
        list->SetBounds(220, 10, 200, 120);
        list->Items().Add("one");
        list->Items().Add("two");
        form->Show();
        SetActiveWindow(form->Handle());
        object = WaitSkinned(form->Handle());
        ASSERT_NE(object, nullptr);
        shadow = ColorToRGB(Data().Colors(csButtonShadow));
        ASSERT_NE(shadow, kMagenta);
    }
    void TearDown() override
    {
        form.reset();
        SkinEngineTest::TearDown();
    }

    // Until the control's current window is skinned (the notice is posted).
    bool SkinnedSoon(TWinControl& control)
    {
        return PumpUntil([&] { return Skinned(control.Handle()); }, 5000);
    }

    std::unique_ptr<TForm> form;
    TWinSkinForm* object = nullptr;
    TMemo* memo = nullptr;
    TListBox* list = nullptr;
    TColor shadow = clNone;
};

} // namespace

TEST_F(RecreateTest, AMemoKeepsItsSkinWhenItsScrollBarsOrWordWrapChange)
{
    ASSERT_TRUE(Skinned(memo->Handle()));
    ASSERT_EQ(SkinnedBorderPixel(memo->Handle()), shadow);
    const std::size_t skins = object->Controls.size();

    memo->SetScrollBars(ssVertical);
    EXPECT_TRUE(SkinnedSoon(*memo)) << "after ScrollBars";
    EXPECT_EQ(SkinnedBorderPixel(memo->Handle()), shadow) << "after ScrollBars";

    memo->SetWordWrap(!memo->WordWrap());
    EXPECT_TRUE(SkinnedSoon(*memo)) << "after WordWrap";
    EXPECT_EQ(SkinnedBorderPixel(memo->Handle()), shadow) << "after WordWrap";
    PumpFor(50);
    EXPECT_EQ(object->Controls.size(), skins) << "the old skin is freed, one new one listed";
}

TEST_F(RecreateTest, AListBoxKeepsItsSkinAndItsItemsWhenRecreated)
{
    ASSERT_TRUE(Skinned(list->Handle()));
    list->SetMultiSelect(true);
    EXPECT_TRUE(SkinnedSoon(*list));
    EXPECT_EQ(SkinnedBorderPixel(list->Handle()), shadow);
    EXPECT_EQ(list->Items().Count(), 2);
    // Twice more: each recreation replaces the skin, none piles up.
    const std::size_t skins = object->Controls.size();
    list->SetSorted(true);
    EXPECT_TRUE(SkinnedSoon(*list));
    list->SetMultiSelect(false);
    EXPECT_TRUE(SkinnedSoon(*list));
    PumpFor(50);
    EXPECT_EQ(object->Controls.size(), skins);
    EXPECT_EQ(SkinnedBorderPixel(list->Handle()), shadow);
}

TEST_F(RecreateTest, ANoticeNamingAWindowThatIsNotOursChangesNothing)
{
    HWND stranger = MakeWindow("Stranger");
    const std::size_t skins = object->Controls.size();
    const HWND memoWindow = memo->Handle();
    for (WPARAM junk : {WPARAM(0), WPARAM(0x41414141), ~WPARAM(0),
                        reinterpret_cast<WPARAM>(stranger), reinterpret_cast<WPARAM>(form->Handle()),
                        reinterpret_cast<WPARAM>(GetDesktopWindow())})
        PostMessageA(form->Handle(), WM_SKINRECREATE, junk, 0x41414141);
    // Our own live memo named from outside: discovery finds it skinned.
    PostMessageA(form->Handle(), WM_SKINRECREATE, reinterpret_cast<WPARAM>(memoWindow), 0);
    PumpFor(100);
    EXPECT_EQ(object->Controls.size(), skins);
    EXPECT_TRUE(Skinned(memoWindow));
    EXPECT_EQ(SkinnedBorderPixel(memoWindow), shadow);
    for (TSkinControlLink* link : object->Controls)
        EXPECT_NE(link->ControlHandle(), stranger) << "another top-level window is no control of ours";
    DestroyWindow(stranger);
}

TEST_F(RecreateTest, AFormWhoseBorderStyleChangesKeepsItsSkinnedFrame)
{
    const HWND before = form->Handle();
    // Another window is active: the new one is not activated by anyone.
    HWND other = MakeWindow("Other");
    ASSERT_TRUE(WaitSkinned(other));
    form->SetBorderStyle(bsSingle);
    // The framework makes the new window hidden; shown without activation,
    // as a program showing a window behind its active one would.
    const HWND after = form->Handle();
    ASSERT_TRUE(IsWindow(after));
    ShowWindow(after, SW_SHOWNOACTIVATE);
    ASSERT_NE(GetActiveWindow(), after);
    TWinSkinForm* again = WaitSkinned(after);
    ASSERT_NE(again, nullptr) << "the new window has a skin object";
    EXPECT_EQ(again->Form, form.get()) << "skinned as the framework form it is";
    EXPECT_TRUE(Skinned(after));
    EXPECT_EQ(again->BorderStyle, sbsSingle);
    std::unique_ptr<TBitmap> frame = PaintFrame(after);
    ASSERT_TRUE(frame);
    const TColor left = Pixel(*frame, 0, WindowSize(after).cy / 2);
    EXPECT_TRUE(left == kLeftActive || left == kLeftInactive) << std::hex << left;
    // Its controls were recreated with it and are skinned again.
    EXPECT_TRUE(SkinnedSoon(*memo));
    EXPECT_TRUE(SkinnedSoon(*list));
    EXPECT_FALSE(IsWindow(before) && Skinned(before));
    DestroyWindow(other);
}
