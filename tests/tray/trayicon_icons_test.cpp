// The icon shown and its animation, the end of loading, references cleared
// on removal, and hiding the application to the tray.

#include "trayhelpers.h"

#include "framework/application.h"
#include "framework/form.h"
#include "framework/menus.h"

#include <gtest/gtest.h>

namespace tarnivo::test {
namespace {

using namespace std::chrono_literals;

COLORREF Shown(const TTrayIcon& tray)
{
    EXPECT_EQ(tray.IconData().hIcon, tray.CurrentIcon().Handle());
    return IconColour(tray.IconData().hIcon);
}

class TrayIconIcons : public ::testing::Test {
protected:
    TrayIconIcons() { FillImageList(list, {Red, Green, Blue}); }
    TImageList list{nullptr};
};

TEST_F(TrayIconIcons, AnimationCyclesThroughTheList)
{
    RecordingTray tray(nullptr);
    tray.SetIcons(&list);
    for (int i = 0; i < 4; ++i)
        tray.DoOnAnimate();
    EXPECT_EQ(tray.Steps, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(Shown(tray), Green);
    tray.SetIconIndex(7);   // outside the list: the icon stays
    EXPECT_EQ(Shown(tray), Green);
    tray.DoOnAnimate();
    EXPECT_EQ(Shown(tray), Red);

    tray.Steps.clear();
    tray.SetAnimateInterval(15);
    tray.SetAnimate(true);
    ASSERT_TRUE(PumpUntil([&] { return tray.Steps.size() >= 3; }, 3s));
    EXPECT_EQ(std::vector<int>(tray.Steps.begin(), tray.Steps.begin() + 3),
              (std::vector<int>{1, 2, 0}));
    tray.SetAnimate(false);
    std::size_t steps = tray.Steps.size();
    PumpUntil([] { return false; }, 80ms);
    EXPECT_EQ(tray.Steps.size(), steps);
}

TEST_F(TrayIconIcons, LoadedTakesTheIndexedIconOrTheApplicationIcon)
{
    TComponent form(nullptr);
    RecordingTray *withList = nullptr, *without = nullptr;
    form.LoadLayout([&] {
        withList = new RecordingTray(&form);
        withList->SetIconIndex(2);   // before Icons: only Loaded takes it
        withList->SetAnimateInterval(15);
        withList->SetAnimate(true);  // accepted while loading
        withList->SetIcons(&list);
        without = new RecordingTray(&form);
        without->SetAnimate(true);
        without->SetIcons(&list);
        without->SetIconIndex(1);
        without->SetIcons(nullptr);
        EXPECT_EQ(Shown(*withList), AppColour);
    });
    EXPECT_EQ(Shown(*withList), Blue);
    EXPECT_FALSE(without->Animate());
    EXPECT_EQ(Shown(*without), AppColour);
    ASSERT_TRUE(PumpUntil([&] { return !withList->Steps.empty(); }, 3s));
    EXPECT_EQ(withList->Steps.front(), 0);
}

TEST(TrayIconReferences, ClearedWhenTheReferencedComponentGoes)
{
    TComponent form(nullptr), otherForm(nullptr);
    auto* tray = new RecordingTray(&form);
    auto* images = new TImageList(&otherForm);
    auto* menu = new TPopupMenu(&form);
    tray->SetIcons(images);
    tray->SetPopupMenu(menu);
    delete menu;
    delete images;
    EXPECT_EQ(tray->PopupMenu(), nullptr);
    EXPECT_EQ(tray->Icons(), nullptr);
    tray->DoOnAnimate();   // a step without a list does nothing
    EXPECT_EQ(tray->IconIndex(), 0);
}

class TrayIconApplication : public ::testing::Test {
protected:
    TrayIconApplication()
    {
        tray.OnMinimize = [this](TObject*) { ++minimized; };
        tray.OnRestore = [this](TObject*) { ++restored; };
    }
    ~TrayIconApplication() override
    {
        Application->Restore();
        ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
    }
    static bool Shown(HWND window) { return IsWindowVisible(window) != FALSE; }
    static void Command(HWND window, WPARAM command)
    {
        SendMessageA(window, WM_SYSCOMMAND, command, 0);
    }
    HWND form = MainForm()->Handle(), app = Application->Handle();
    TTrayIcon tray{nullptr};
    int minimized = 0, restored = 0;
};

TEST_F(TrayIconApplication, MinimiseHidesTheFormAndTheTaskbarWindowRestoreShowsThem)
{
    tray.SetVisible(true);
    ASSERT_TRUE(Shown(form) && Shown(app));
    Command(app, SC_MINIMIZE);
    EXPECT_FALSE(Shown(form));
    EXPECT_FALSE(Shown(app));
    EXPECT_EQ(minimized, 1);
    tray.Restore();
    EXPECT_TRUE(Shown(form));
    EXPECT_TRUE(Shown(app));
    EXPECT_EQ(restored, 1);

    Command(form, SC_MINIMIZE);   // the main form's button goes the same way
    EXPECT_FALSE(Shown(app));
    Command(app, SC_RESTORE);
    EXPECT_TRUE(Shown(form));
    EXPECT_EQ(minimized, 2);
    EXPECT_EQ(restored, 2);
}

TEST_F(TrayIconApplication, InterceptsOnlyWhileVisibleAndOnlyOnce)
{
    tray.SetVisible(true);
    tray.EndSession();       // the shell lost the icon; the hook stays
    tray.SetVisible(true);   // added again
    Command(app, SC_MINIMIZE);
    EXPECT_EQ(minimized, 1);
    tray.Restore();

    tray.SetVisible(false);
    Command(app, SC_MINIMIZE);   // an ordinary minimise: the button stays
    EXPECT_EQ(minimized, 1);
    EXPECT_TRUE(Shown(app));
}

} // namespace
} // namespace tarnivo::test
