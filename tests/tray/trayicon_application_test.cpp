// Hiding the whole application to the tray and bringing it back: the
// component's Minimize and Restore, and the hook that turns the application
// window's minimise command into going to the tray.

#include "trayenvironment.h"
#include "trayhelpers.h"

#include "framework/form.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarnivo::test {
namespace {

class TrayIconApplication : public ::testing::Test {
protected:
    void SetUp() override { ShowEverything(); }
    void TearDown() override { ShowEverything(); }

    static void ShowEverything()
    {
        Application->Restore();
        ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
        MainForm()->Show();
        ASSERT_TRUE(FormShown());
        ASSERT_TRUE(TaskbarWindowShown());
    }

    static bool FormShown() { return IsWindowVisible(MainForm()->Handle()) != FALSE; }
    static bool TaskbarWindowShown() { return IsWindowVisible(Application->Handle()) != FALSE; }

    static void SendSysCommand(HWND window, WPARAM command)
    {
        SendMessageA(window, WM_SYSCOMMAND, command, 0);
    }

    // A visible tray icon counting its OnMinimize and OnRestore.
    struct CountingTray {
        CountingTray()
        {
            Tray->OnMinimize = [this](TObject* sender) {
                EXPECT_EQ(sender, Tray.get());
                ++Minimized;
            };
            Tray->OnRestore = [this](TObject*) { ++Restored; };
            Tray->SetVisible(true);
        }
        std::unique_ptr<TTrayIcon> Tray = std::make_unique<TTrayIcon>(nullptr);
        int Minimized = 0;
        int Restored = 0;
    };
};

TEST_F(TrayIconApplication, MinimiseCommandHidesTheFormAndTheTaskbarWindow)
{
    CountingTray counting;
    SendSysCommand(Application->Handle(), SC_MINIMIZE);
    EXPECT_FALSE(FormShown());
    EXPECT_FALSE(TaskbarWindowShown());
    EXPECT_TRUE(Application->Minimized());
    EXPECT_EQ(counting.Minimized, 1);

    counting.Tray->Restore();
    EXPECT_TRUE(FormShown());
    EXPECT_TRUE(TaskbarWindowShown());
    EXPECT_FALSE(Application->Minimized());
    EXPECT_EQ(counting.Restored, 1);
    EXPECT_EQ(counting.Minimized, 1);
}

TEST_F(TrayIconApplication, MainFormMinimiseButtonGoesToTheTray)
{
    CountingTray counting;
    SendSysCommand(MainForm()->Handle(), SC_MINIMIZE);
    EXPECT_FALSE(FormShown());
    EXPECT_FALSE(TaskbarWindowShown());
    EXPECT_EQ(counting.Minimized, 1);
}

TEST_F(TrayIconApplication, RestoreCommandOfTheApplicationRestores)
{
    CountingTray counting;
    counting.Tray->Minimize();
    EXPECT_FALSE(FormShown());
    EXPECT_FALSE(TaskbarWindowShown());
    SendSysCommand(Application->Handle(), SC_RESTORE);
    EXPECT_TRUE(FormShown());
    EXPECT_TRUE(TaskbarWindowShown());
    EXPECT_EQ(counting.Restored, 1);
}

TEST_F(TrayIconApplication, DoubleClickOnTheIconBringsTheApplicationBack)
{
    CountingTray counting;
    counting.Tray->Minimize();
    ASSERT_FALSE(FormShown());
    SendTrayCallback(*counting.Tray, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(FormShown());
    EXPECT_TRUE(TaskbarWindowShown());
    EXPECT_EQ(counting.Restored, 1);
}

TEST_F(TrayIconApplication, OnlyTheExactCommandIsIntercepted)
{
    // Windows sets the low four bits of some commands; the application's own
    // processing masks them, the hook does not.
    CountingTray counting;
    SendSysCommand(Application->Handle(), SC_MINIMIZE | 2);
    EXPECT_TRUE(Application->Minimized());
    EXPECT_TRUE(TaskbarWindowShown());
    EXPECT_EQ(counting.Minimized, 0);
}

TEST_F(TrayIconApplication, HiddenOrDestroyedIconDoesNotIntercept)
{
    CountingTray counting;
    counting.Tray->SetVisible(false);
    SendSysCommand(Application->Handle(), SC_MINIMIZE);
    EXPECT_EQ(counting.Minimized, 0);
    // An ordinary minimise: the taskbar button stays.
    EXPECT_TRUE(Application->Minimized());
    EXPECT_TRUE(TaskbarWindowShown());
    ShowEverything();

    counting.Tray->SetVisible(true);
    counting.Tray.reset();
    SendSysCommand(Application->Handle(), SC_MINIMIZE);
    EXPECT_TRUE(TaskbarWindowShown());
}

TEST_F(TrayIconApplication, AddingAgainAfterTheShellLostTheIconHooksOnce)
{
    CountingTray counting;
    counting.Tray->EndSession();          // the icon is gone, the hook stays
    counting.Tray->SetVisible(true);      // added again
    SendSysCommand(Application->Handle(), SC_MINIMIZE);
    EXPECT_EQ(counting.Minimized, 1);
}

TEST_F(TrayIconApplication, MinimizeFromCodeHidesEvenWhenTheIconIsHidden)
{
    // The launcher calls Minimize after every launch.
    TTrayIcon tray(nullptr);
    int minimized = 0;
    tray.OnMinimize = [&](TObject*) { ++minimized; };
    tray.Minimize();
    EXPECT_FALSE(FormShown());
    EXPECT_FALSE(TaskbarWindowShown());
    EXPECT_EQ(minimized, 1);
    tray.Restore();
    EXPECT_TRUE(FormShown());
    EXPECT_TRUE(TaskbarWindowShown());
}

} // namespace
} // namespace tarnivo::test
