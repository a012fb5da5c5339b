// The message window: the shell's callbacks turned into calls and events,
// the session end, and errors raised by event handlers.

#include "trayenvironment.h"
#include "trayhelpers.h"

#include <gtest/gtest.h>

namespace tarnivo::test {
namespace {

constexpr int NoTrigger = -1;

// One call the message makes, and the RestoreOn/PopupMenuOn value that makes
// that call restore or show the menu (checked right after the call).
struct Step {
    const char* Call;   // null: no call of its own, only the trigger
    int Trigger;
    bool OnlyWithOnClick = false;
};

struct Row {
    UINT Mouse;
    const char* Name;
    std::vector<Step> Steps;
};

const std::vector<Row>& MessageTable()
{
    static const std::vector<Row> rows{
        {WM_MOUSEMOVE, "WM_MOUSEMOVE", {{"DoMouseMove", NoTrigger, true}}},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN", {{"DoMouseDown left", imMouseDown}}},
        {WM_LBUTTONUP,
         "WM_LBUTTONUP",
         {{"DoClick", imClick, true}, {"DoMouseUp left", imMouseUp}, {nullptr, imLeftClickUp}}},
        {WM_LBUTTONDBLCLK,
         "WM_LBUTTONDBLCLK",
         {{"DoDblClick", imDoubleClick}, {nullptr, imLeftDoubleClick}}},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN", {{"DoMouseDown right", imMouseDown}}},
        {WM_RBUTTONUP,
         "WM_RBUTTONUP",
         {{"DoMouseUp right", imMouseUp}, {nullptr, imRightClickUp}}},
        {WM_RBUTTONDBLCLK,
         "WM_RBUTTONDBLCLK",
         {{"DoDblClick", imDoubleClick}, {nullptr, imRightDoubleClick}}},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN", {{"DoMouseDown middle", imMouseDown}}},
        {WM_MBUTTONUP, "WM_MBUTTONUP", {{"DoMouseUp middle", imMouseUp}}},
        {WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK", {{"DoDblClick", imDoubleClick}}},
    };
    return rows;
}

std::vector<std::string> Expected(const Row& row, int restoreOn, int popupOn, bool onClick)
{
    std::vector<std::string> calls;
    for (const Step& step : row.Steps) {
        if (step.OnlyWithOnClick && !onClick)
            continue;
        if (step.Call)
            calls.push_back(step.Call);
        if (step.Trigger == restoreOn)
            calls.push_back("Restore");
        if (step.Trigger == popupOn)
            calls.push_back("ShowMenu");
    }
    return calls;
}

TEST(TrayIconMessages, EveryRowForEveryRestoreOnAndPopupMenuOn)
{
    RecordingTray tray(nullptr);
    struct Setting {
        int RestoreOn;
        int PopupMenuOn;
    };
    std::vector<Setting> settings;
    for (int v = imClick; v <= imNone; ++v) {
        settings.push_back({v, imNone});
        settings.push_back({imNone, v});
        settings.push_back({v, v});
    }
    for (const Row& row : MessageTable())
        for (const Setting& s : settings)
            for (bool onClick : {false, true}) {
                SCOPED_TRACE(std::string(row.Name) + " RestoreOn " + std::to_string(s.RestoreOn) +
                             " PopupMenuOn " + std::to_string(s.PopupMenuOn) +
                             (onClick ? " with OnClick" : " without OnClick"));
                tray.SetRestoreOn(static_cast<TTrayIconMessage>(s.RestoreOn));
                tray.SetPopupMenuOn(static_cast<TTrayIconMessage>(s.PopupMenuOn));
                tray.OnClick = onClick ? TNotifyEvent([](TObject*) {}) : TNotifyEvent();
                tray.Calls.clear();
                SendTrayCallback(tray, row.Mouse);
                EXPECT_EQ(tray.Calls, Expected(row, s.RestoreOn, s.PopupMenuOn, onClick));
            }
}

TEST(TrayIconMessages, LauncherConfiguration)
{
    // RestoreOn imDoubleClick, no popup menu, OnClick set.
    RecordingTray tray(nullptr);
    int clicks = 0;
    tray.OnClick = [&](TObject*) { ++clicks; };

    SendTrayCallback(tray, WM_LBUTTONDOWN);
    SendTrayCallback(tray, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
    for (UINT single : {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP})
        SendTrayCallback(tray, single);
    EXPECT_EQ(std::count(tray.Calls.begin(), tray.Calls.end(), "Restore"), 0);

    // A double click with any button restores.
    for (UINT dbl : {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
        tray.Calls.clear();
        SendTrayCallback(tray, dbl);
        EXPECT_EQ(tray.Calls, (std::vector<std::string>{"DoDblClick", "Restore"}));
    }
    EXPECT_EQ(clicks, 1);
}

TEST(TrayIconMessages, EventsCarryButtonShiftAndCursorPosition)
{
    TTrayIcon tray(nullptr);
    tray.SetRestoreOn(imNone);
    std::vector<std::string> events;
    TShiftState shift;
    POINT pos{-1, -1};
    auto mouse = [&](const char* what) {
        return [&, what](TObject* sender, TMouseButton button, TShiftState s, int x, int y) {
            EXPECT_EQ(sender, &tray);
            events.push_back(std::string(what) + " " + ButtonName(button));
            shift = s;
            pos = {x, y};
        };
    };
    tray.OnMouseDown = mouse("down");
    tray.OnMouseUp = mouse("up");
    tray.OnMouseMove = [&](TObject*, TShiftState s, int x, int y) {
        events.push_back("move");
        shift = s;
        pos = {x, y};
    };
    tray.OnDblClick = [&](TObject*) { events.push_back("dblclick"); };

    // Mouse moves are reported only while OnClick is set.
    SendTrayCallback(tray, WM_MOUSEMOVE);
    EXPECT_TRUE(events.empty());
    tray.OnClick = [&](TObject*) { events.push_back("click"); };

    ASSERT_TRUE(SetCursorPos(37, 41));
    {
        HeldKeys keys{VK_SHIFT, VK_CONTROL};
        SendTrayCallback(tray, WM_LBUTTONDOWN);
        EXPECT_EQ(shift, (TShiftState{ssShift, ssCtrl, ssLeft}));
        EXPECT_EQ(pos.x, 37);
        EXPECT_EQ(pos.y, 41);
    }
    ASSERT_TRUE(SetCursorPos(52, 9));
    SendTrayCallback(tray, WM_LBUTTONUP);
    EXPECT_EQ(shift, TShiftState{ssLeft});
    EXPECT_EQ(pos.x, 52);
    EXPECT_EQ(pos.y, 9);
    {
        HeldKeys keys{VK_MENU};
        SendTrayCallback(tray, WM_MOUSEMOVE);
        EXPECT_EQ(shift, TShiftState{ssAlt});
    }
    SendTrayCallback(tray, WM_RBUTTONDOWN);
    EXPECT_EQ(shift, TShiftState{ssRight});
    SendTrayCallback(tray, WM_MBUTTONUP);
    EXPECT_EQ(shift, TShiftState{ssMiddle});
    SendTrayCallback(tray, WM_RBUTTONDBLCLK);

    EXPECT_EQ(events, (std::vector<std::string>{"down left", "click", "up left", "move",
                                                "down right", "up middle", "dblclick"}));
}

TEST(TrayIconMessages, ShiftStateReadsTheModifierKeys)
{
    EXPECT_TRUE(TTrayIcon::ShiftState().Empty());
    {
        HeldKeys keys{VK_SHIFT, VK_MENU};
        EXPECT_EQ(TTrayIcon::ShiftState(), (TShiftState{ssShift, ssAlt}));
    }
    {
        // Mouse buttons are not modifiers.
        HeldKeys keys{VK_CONTROL, VK_LBUTTON};
        EXPECT_EQ(TTrayIcon::ShiftState(), TShiftState{ssCtrl});
    }
}

TEST(TrayIconMessages, OtherNotificationsAndMessagesAreLeftToTheDefault)
{
    RecordingTray tray(nullptr);
    tray.SetRestoreOn(imClick);
    tray.OnClick = [](TObject*) {};
    // Balloon and keyboard notifications of newer shells, the wheel.
    for (UINT other : {UINT(WM_USER), UINT(WM_USER + 1), UINT(WM_CONTEXTMENU),
                       UINT(WM_MOUSEWHEEL), UINT(0x0402)})
        SendTrayCallback(tray, other);
    EXPECT_TRUE(tray.Calls.empty());

    // Messages reach DefWindowProc: the window keeps a text set through it.
    SendMessageA(tray.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("tray"));
    char text[16] = {};
    SendMessageA(tray.Handle(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "tray");
}

TEST(TrayIconMessages, SessionEndRemovesTheIconOnlyWhenTheSessionEnds)
{
    TTrayIcon tray(nullptr);
    tray.SetVisible(true);
    EXPECT_EQ(SendMessageA(tray.Handle(), WM_QUERYENDSESSION, 0, 0), 1);

    // A cancelled shutdown: the program goes on, so does its icon.
    SendMessageA(tray.Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(ShellKnows(tray.IconData()));

    SendMessageA(tray.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(ShellKnows(tray.IconData()));
    // Adding works again since the shell no longer has it.
    EXPECT_NO_THROW(tray.SetVisible(true));
    tray.EndSession();
    EXPECT_FALSE(ShellKnows(tray.IconData()));
}

TEST(TrayIconMessages, HandlerErrorsGoToTheExceptionBoxAndTheWindowLives)
{
    TTrayIcon tray(nullptr);
    tray.SetRestoreOn(imNone);
    int clicks = 0;
    tray.OnClick = [&](TObject*) {
        ++clicks;
        throw Exception("click failed");
    };
    ShownExceptions().clear();
    SendTrayCallback(tray, WM_LBUTTONUP);
    SendTrayCallback(tray, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(ShownExceptions(), (std::vector<std::string>{"click failed", "click failed"}));
    EXPECT_TRUE(IsWindow(tray.Handle()));
}

} // namespace
} // namespace tarnivo::test
