// The icon shown: the application's icon, icons from the image list,
// animation, the end of loading, and references cleared on removal.

#include "trayhelpers.h"

#include "framework/menus.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarnivo::test {
namespace {

using namespace std::chrono_literals;

COLORREF Shown(const TTrayIcon& tray)
{
    // The record carries the icon the component holds.
    EXPECT_EQ(tray.IconData().hIcon, tray.CurrentIcon().Handle());
    return IconColour(tray.IconData().hIcon);
}

class TrayIconIcons : public ::testing::Test {
protected:
    TrayIconIcons() { FillImageList(list, {Red, Green, Blue}); }
    TImageList list{nullptr};
};

TEST_F(TrayIconIcons, IconIndexTakesTheImageAndKeepsTheIconForIndexesOutside)
{
    TTrayIcon tray(nullptr);
    tray.SetIconIndex(1);   // no list yet: only stored
    EXPECT_EQ(tray.IconIndex(), 1);
    EXPECT_EQ(Shown(tray), AppColour);

    tray.SetIcons(&list);
    tray.SetIconIndex(2);
    EXPECT_EQ(Shown(tray), Blue);
    tray.SetIconIndex(0);
    EXPECT_EQ(Shown(tray), Red);

    tray.SetIconIndex(3);
    EXPECT_EQ(tray.IconIndex(), 3);
    EXPECT_EQ(Shown(tray), Red);
    tray.SetIconIndex(-1);
    EXPECT_EQ(Shown(tray), Red);

    tray.SetDefaultIcon();
    EXPECT_EQ(Shown(tray), AppColour);
}

TEST_F(TrayIconIcons, AnimationStepsWrapAfterTheLastIcon)
{
    RecordingTray tray(nullptr);
    tray.SetIcons(&list);
    for (int i = 0; i < 6; ++i)
        tray.DoOnAnimate();
    EXPECT_EQ(tray.AnimatedIndexes, (std::vector<int>{1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(Shown(tray), Red);
    tray.DoOnAnimate();
    EXPECT_EQ(Shown(tray), Green);

    // From an index past the end the next step is the first icon.
    tray.SetIconIndex(7);
    tray.DoOnAnimate();
    EXPECT_EQ(tray.IconIndex(), 0);
    EXPECT_EQ(Shown(tray), Red);
}

TEST_F(TrayIconIcons, TimerAnimatesOnlyWithIconsAndWhileSwitchedOn)
{
    RecordingTray tray(nullptr);
    tray.SetAnimateInterval(15);
    tray.SetAnimate(true);   // no list: refused
    EXPECT_FALSE(tray.Animate());

    tray.SetIcons(&list);
    tray.SetVisible(true);
    tray.SetAnimate(true);
    EXPECT_TRUE(tray.Animate());
    ASSERT_TRUE(PumpUntil([&] { return tray.AnimatedIndexes.size() >= 3; }, 3s));
    EXPECT_EQ((std::vector<int>(tray.AnimatedIndexes.begin(), tray.AnimatedIndexes.begin() + 3)),
              (std::vector<int>{1, 2, 0}));

    tray.SetAnimate(false);
    std::size_t steps = tray.AnimatedIndexes.size();
    PumpUntil([] { return false; }, 100ms);
    EXPECT_EQ(tray.AnimatedIndexes.size(), steps);
    tray.SetVisible(false);
}

TEST_F(TrayIconIcons, OnAnimateReplacesTheOwnStep)
{
    RecordingTray tray(nullptr);
    tray.SetIcons(&list);
    tray.SetAnimateInterval(15);
    int ticks = 0;
    tray.OnAnimate = [&](TObject* sender) {
        EXPECT_EQ(sender, &tray);
        ++ticks;
    };
    tray.SetAnimate(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3s));
    EXPECT_TRUE(tray.AnimatedIndexes.empty());
    EXPECT_EQ(tray.IconIndex(), 0);
}

TEST_F(TrayIconIcons, LoadedWithIconsTakesTheIndexAndStartsTheAnimation)
{
    TComponent form(nullptr);
    RecordingTray* tray = nullptr;
    form.LoadLayout([&] {
        tray = new RecordingTray(&form);
        tray->SetVisible(true);
        tray->SetIconIndex(2);   // stored before Icons: only Loaded takes it
        tray->SetAnimateInterval(15);
        tray->SetAnimate(true);
        tray->SetIcons(&list);
        EXPECT_EQ(Shown(*tray), AppColour);
    });
    EXPECT_TRUE(tray->Animate());
    EXPECT_EQ(Shown(*tray), Blue);
    ASSERT_TRUE(PumpUntil([&] { return !tray->AnimatedIndexes.empty(); }, 3s));
    EXPECT_EQ(tray->AnimatedIndexes.front(), 0);
    tray->SetVisible(false);
}

TEST_F(TrayIconIcons, LoadedWithoutIconsSwitchesAnimationOffAndShowsTheApplicationIcon)
{
    TComponent form(nullptr);
    RecordingTray* tray = nullptr;
    form.LoadLayout([&] {
        tray = new RecordingTray(&form);
        tray->SetAnimateInterval(15);
        tray->SetAnimate(true);   // accepted while loading
        EXPECT_TRUE(tray->Animate());
        tray->SetIconIndex(1);
    });
    EXPECT_FALSE(tray->Animate());
    EXPECT_EQ(Shown(*tray), AppColour);
    PumpUntil([] { return false; }, 100ms);
    EXPECT_TRUE(tray->AnimatedIndexes.empty());
}

TEST_F(TrayIconIcons, AnimationNotStartedWhileNotSwitchedOnAtLoad)
{
    TComponent form(nullptr);
    RecordingTray* tray = nullptr;
    form.LoadLayout([&] {
        tray = new RecordingTray(&form);
        tray->SetIcons(&list);
        tray->SetAnimateInterval(15);
    });
    EXPECT_EQ(Shown(*tray), Red);
    PumpUntil([] { return false; }, 100ms);
    EXPECT_TRUE(tray->AnimatedIndexes.empty());
}

TEST(TrayIconReferences, ClearedWhenTheReferencedComponentGoes)
{
    TComponent form(nullptr);
    auto* tray = new RecordingTray(&form);
    auto* images = new TImageList(&form);
    FillImageList(*images, {Red, Green});
    auto* menu = new TPopupMenu(&form);
    tray->SetIcons(images);
    tray->SetPopupMenu(menu);
    tray->SetAnimateInterval(15);
    tray->SetAnimate(true);

    delete menu;
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    EXPECT_EQ(tray->Icons(), images);
    delete images;
    EXPECT_EQ(tray->Icons(), nullptr);

    // The timer may still tick; without a list a step does nothing.
    tray->DoOnAnimate();
    PumpUntil([] { return false; }, 60ms);
    EXPECT_EQ(tray->IconIndex(), 0);
}

TEST(TrayIconReferences, ClearedForComponentsOfAnotherOwner)
{
    TComponent form(nullptr);
    TComponent otherForm(nullptr);
    auto* tray = new TTrayIcon(&form);
    auto images = std::make_unique<TImageList>(&otherForm);
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    tray->SetIcons(images.get());
    tray->SetPopupMenu(menu.get());
    images.reset();
    menu.reset();
    EXPECT_EQ(tray->Icons(), nullptr);
    EXPECT_EQ(tray->PopupMenu(), nullptr);
}

} // namespace
} // namespace tarnivo::test
