// The icon record, the published properties, adding and removing the icon,
// and the hint rules.

#include "trayhelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tarnivo::test {
namespace {

bool AllZero(const char* from, std::size_t size)
{
    return std::all_of(from, from + size, [](char b) { return b == 0; });
}

TEST(TrayIconRecord, NewComponentFillsTheRecordAndPublishesItsProperties)
{
    TTrayIcon tray(nullptr);
    const TNotifyIconData& data = tray.IconData();
    EXPECT_EQ(data.cbSize, 488u);
    EXPECT_EQ(data.hWnd, tray.Handle());
    EXPECT_EQ(data.uID, reinterpret_cast<std::uintptr_t>(&tray));
    EXPECT_EQ(data.uFlags, 3u);
    EXPECT_EQ(data.uCallbackMessage, 0x0401u);
    EXPECT_EQ(data.hIcon, tray.CurrentIcon().Handle());
    EXPECT_EQ(IconColour(data.hIcon), AppColour);   // a copy of the application's
    EXPECT_TRUE(AllZero(data.szTip, 488 - offsetof(TNotifyIconData, szTip)));

    std::string names;
    for (const TPropInfo& p : TTrayIcon::StaticClassInfo().Properties)
        names += p.Name + " ";
    EXPECT_EQ(names, "Visible Hint PopupMenu Hide RestoreOn PopupMenuOn Icons IconIndex "
                     "AnimateInterval Animate Handle ");
    EXPECT_EQ(std::get<bool>(GetPropValue(tray, "Hide")), true);
    EXPECT_EQ(GetEnumProp(tray, "RestoreOn"), "imDoubleClick");
    EXPECT_EQ(GetEnumProp(tray, "PopupMenuOn"), "imNone");
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(tray, "AnimateInterval")), 1000);
    EXPECT_THROW(SetPropValue(tray, "Handle", TPropValue{std::int64_t{1}}), EPropertyError);
}

TEST(TrayIconVisible, AddAndRemoveSetHideAndReportRefusals)
{
    TTrayIcon tray(nullptr);
    tray.SetHide(false);
    tray.SetVisible(true);
    EXPECT_TRUE(tray.Hide());
    EXPECT_TRUE(ShellKnows(tray.IconData()));
    try {
        tray.SetVisible(true);   // not compared with the old value: a duplicate add
        ADD_FAILURE() << "second add accepted";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Cannot Create System Shell Notification Icon");
    }
    EXPECT_TRUE(tray.Visible());

    tray.SetVisible(false);
    EXPECT_FALSE(tray.Hide());
    EXPECT_FALSE(ShellKnows(tray.IconData()));
    try {
        tray.SetVisible(false);
        ADD_FAILURE() << "second removal accepted";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Cannot Remove System Shell Notification Icon");
    }
    EXPECT_FALSE(tray.Visible());

    // A refused first add leaves the component hidden.
    TNotifyIconData clash = tray.IconData();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, reinterpret_cast<NOTIFYICONDATAA*>(&clash)));
    EXPECT_THROW(tray.SetVisible(true), EOutOfResources);
    EXPECT_FALSE(tray.Visible());
    Shell_NotifyIconA(NIM_DELETE, reinterpret_cast<NOTIFYICONDATAA*>(&clash));
}

TEST(TrayIconVisible, DestructionRemovesTheIcon)
{
    auto tray = std::make_unique<TTrayIcon>(nullptr);
    tray->SetVisible(true);
    TNotifyIconData record = tray->IconData();
    tray.reset();
    EXPECT_FALSE(IsWindow(record.hWnd));
    // Wine's shell also drops the icons of destroyed windows, at a moment of
    // its own: a missing removal shows only when this asks first.
    EXPECT_FALSE(ShellKnows(record));
}

TEST(TrayIconHint, LengthRulesAndTheTipFlag)
{
    RecordingTray tray(nullptr);
    tray.SetVisible(true);
    const std::string longest(63, 'h');
    tray.SetHint(longest);
    EXPECT_EQ(tray.IconData().szTip, longest);
    EXPECT_TRUE(tray.IconData().uFlags & NIF_TIP);

    int updates = tray.Updates;
    tray.SetHint(std::string(64, 'x'));   // too long: the old hint stays
    tray.SetHint(longest);                // the same again: nothing
    EXPECT_EQ(tray.Hint(), longest);
    EXPECT_EQ(tray.IconData().szTip, longest);
    EXPECT_EQ(tray.Updates, updates);

    tray.SetHint("short");   // no tail of the longer tip is left
    EXPECT_TRUE(AllZero(tray.IconData().szTip + 5, 123));

    tray.SetHint("");
    EXPECT_EQ(tray.IconData().uFlags, 3u);
    EXPECT_TRUE(AllZero(tray.IconData().szTip, 128));
    EXPECT_EQ(tray.Updates, updates + 2);
    EXPECT_TRUE(ShellKnows(tray.IconData()));
    tray.SetVisible(false);
}

} // namespace
} // namespace tarnivo::test
