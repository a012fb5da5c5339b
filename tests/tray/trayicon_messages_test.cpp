// The message window: the shell's callbacks turned into calls and events,
// the session end, and errors raised by event handlers.

#include "trayhelpers.h"

#include "framework/menus.h"

#include <gtest/gtest.h>

namespace tarnivo::test {
namespace {

constexpr int NoTrigger = -1;

// A call the message makes, and the trigger value that restores or shows
// the menu right after it.
struct Step {
    const char* Call;   // null: only the trigger
    int Trigger;
    bool OnlyWithOnClick = false;
};

struct Row {
    UINT Mouse;
    std::vector<Step> Steps;
};

const std::vector<Row> Table{
    {WM_MOUSEMOVE, {{"DoMouseMove", NoTrigger, true}}},
    {WM_LBUTTONDOWN, {{"DoMouseDown 0", imMouseDown}}},
    {WM_LBUTTONUP, {{"DoClick", imClick, true}, {"DoMouseUp 0", imMouseUp}, {nullptr, imLeftClickUp}}},
    {WM_LBUTTONDBLCLK, {{"DoDblClick", imDoubleClick}, {nullptr, imLeftDoubleClick}}},
    {WM_RBUTTONDOWN, {{"DoMouseDown 1", imMouseDown}}},
    {WM_RBUTTONUP, {{"DoMouseUp 1", imMouseUp}, {nullptr, imRightClickUp}}},
    {WM_RBUTTONDBLCLK, {{"DoDblClick", imDoubleClick}, {nullptr, imRightDoubleClick}}},
    {WM_MBUTTONDOWN, {{"DoMouseDown 2", imMouseDown}}},
    {WM_MBUTTONUP, {{"DoMouseUp 2", imMouseUp}}},
    {WM_MBUTTONDBLCLK, {{"DoDblClick", imDoubleClick}}},
    {WM_MOUSEWHEEL, {}},   // not an action of the icon
};

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
    for (const Row& row : Table)
        for (int v = imClick; v <= imNone; ++v)
            for (auto [restoreOn, popupOn] : {std::pair{v, +imNone}, {+imNone, v}, {v, v}})
                for (bool onClick : {false, true}) {
                    SCOPED_TRACE(testing::Message() << "message " << std::hex << row.Mouse
                                                    << std::dec << " RestoreOn " << restoreOn
                                                    << " PopupMenuOn " << popupOn
                                                    << " OnClick " << onClick);
                    tray.SetRestoreOn(static_cast<TTrayIconMessage>(restoreOn));
                    tray.SetPopupMenuOn(static_cast<TTrayIconMessage>(popupOn));
                    tray.OnClick = onClick ? TNotifyEvent([](TObject*) {}) : nullptr;
                    tray.Calls.clear();
                    SendTrayCallback(tray, row.Mouse);
                    EXPECT_EQ(tray.Calls, Expected(row, restoreOn, popupOn, onClick));
                }
}

TEST(TrayIconMessages, EventsCarryShiftStateAndCursorPosition)
{
    RecordingTray tray(nullptr);
    std::vector<std::string> events;
    tray.OnClick = [&](TObject* sender) { events.push_back(sender == &tray ? "click" : "?"); };
    tray.OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
        events.push_back("up " + std::to_string(b));
    };
    tray.OnDblClick = [&](TObject*) { events.push_back("dblclick"); };

    ASSERT_TRUE(SetCursorPos(37, 41));
    BYTE keys[256], saved[256];
    GetKeyboardState(saved);
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendTrayCallback(tray, WM_LBUTTONDOWN);
    SetKeyboardState(saved);
    EXPECT_EQ(tray.Shift, (TShiftState{ssShift, ssCtrl, ssLeft}));
    EXPECT_EQ(tray.Pos.x, 37);
    EXPECT_EQ(tray.Pos.y, 41);
    EXPECT_EQ(TTrayIcon::ShiftState(), TShiftState{});

    SendTrayCallback(tray, WM_MBUTTONUP);
    EXPECT_EQ(tray.Shift, TShiftState{ssMiddle});
    SendTrayCallback(tray, WM_LBUTTONUP);
    SendTrayCallback(tray, WM_RBUTTONDBLCLK);
    EXPECT_EQ(events, (std::vector<std::string>{"up 2", "click", "up 0", "dblclick"}));
}

TEST(TrayIconMessages, PopupMenuShownAtTheCursor)
{
    struct Menu : TPopupMenu {
        using TPopupMenu::TPopupMenu;
        void Popup(int x, int y) override { ShownAt.push_back({x, y}); }
        std::vector<POINT> ShownAt;
    } menu(nullptr);
    TTrayIcon tray(nullptr);
    tray.SetPopupMenuOn(imRightClickUp);
    SendTrayCallback(tray, WM_RBUTTONUP);   // no menu attached: nothing
    tray.SetPopupMenu(&menu);
    ASSERT_TRUE(SetCursorPos(80, 90));
    SendTrayCallback(tray, WM_RBUTTONUP);
    ASSERT_EQ(menu.ShownAt.size(), 1u);
    EXPECT_EQ(menu.ShownAt[0].x, 80);
    EXPECT_EQ(menu.ShownAt[0].y, 90);
}

TEST(TrayIconMessages, SessionEndRemovesTheIconOnlyWhenTheSessionEnds)
{
    TTrayIcon tray(nullptr);
    tray.SetVisible(true);
    EXPECT_EQ(SendMessageA(tray.Handle(), WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageA(tray.Handle(), WM_ENDSESSION, FALSE, 0);   // shutdown cancelled
    EXPECT_TRUE(ShellKnows(tray.IconData()));
    SendMessageA(tray.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(ShellKnows(tray.IconData()));
}

TEST(TrayIconMessages, HandlerErrorsGoToTheExceptionBoxAndTheWindowLives)
{
    TTrayIcon tray(nullptr);
    tray.OnClick = [](TObject*) { throw Exception("click failed"); };
    ShownExceptions().clear();
    // Shown by the message loop, after the message, not from inside it.
    SendTrayCallback(tray, WM_LBUTTONUP);
    EXPECT_TRUE(ShownExceptions().empty());
    Application->ProcessMessages();
    SendTrayCallback(tray, WM_LBUTTONUP);
    Application->ProcessMessages();
    EXPECT_EQ(ShownExceptions(), (std::vector<std::string>{"click failed", "click failed"}));
}

} // namespace
} // namespace tarnivo::test
