// The icon record, the published properties, adding and removing the icon,
// and the hint rules.

#include "trayhelpers.h"

#include "framework/typinfo.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace tarnivo::test {
namespace {

bool AllZero(const void* from, std::size_t size)
{
    const auto* p = static_cast<const unsigned char*>(from);
    return std::all_of(p, p + size, [](unsigned char b) { return b == 0; });
}

TEST(TrayIconRecord, NewComponentFillsTheVersion2Record)
{
    TTrayIcon tray(nullptr);
    const TNotifyIconData& data = tray.IconData();
    EXPECT_EQ(data.cbSize, 488u);
    EXPECT_EQ(data.hWnd, tray.Handle());
    EXPECT_TRUE(IsWindow(tray.Handle()));
    EXPECT_EQ(data.uID, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&tray)));
    EXPECT_EQ(data.uFlags, static_cast<std::uint32_t>(NIF_MESSAGE | NIF_ICON));
    EXPECT_EQ(data.uCallbackMessage, 0x0401u);
    EXPECT_NE(data.hIcon, nullptr);
    EXPECT_EQ(data.hIcon, tray.CurrentIcon().Handle());
    // A copy of the application's icon, not the application's own handle.
    EXPECT_NE(data.hIcon, Application->Icon().Handle());
    EXPECT_EQ(IconColour(data.hIcon), AppColour);
    // Tip and every field past it are zero.
    EXPECT_TRUE(AllZero(data.szTip, 488 - offsetof(TNotifyIconData, szTip)));
}

TEST(TrayIconRecord, TwoComponentsAreTwoIconsForTheShell)
{
    TTrayIcon first(nullptr);
    TTrayIcon second(nullptr);
    EXPECT_NE(first.IconData().uID, second.IconData().uID);
    first.SetVisible(true);
    EXPECT_NO_THROW(second.SetVisible(true));
    first.SetVisible(false);
    EXPECT_TRUE(ShellKnows(second.IconData()));
    second.SetVisible(false);
}

TEST(TrayIconProperties, PublishedInOrderWithTheirInitialValues)
{
    TTrayIcon tray(nullptr);
    std::vector<std::string> names;
    for (const TPropInfo& p : TTrayIcon::StaticClassInfo().Properties)
        names.push_back(p.Name);
    const std::vector<std::string> expected{"Visible",   "Hint",        "PopupMenu",
                                            "Hide",      "RestoreOn",   "PopupMenuOn",
                                            "Icons",     "IconIndex",   "AnimateInterval",
                                            "Animate",   "Handle"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(tray.ClassName(), "TTrayIcon");

    EXPECT_EQ(std::get<bool>(GetPropValue(tray, "Visible")), false);
    EXPECT_EQ(std::get<std::string>(GetPropValue(tray, "Hint")), "");
    EXPECT_EQ(std::get<TObject*>(GetPropValue(tray, "PopupMenu")), nullptr);
    EXPECT_EQ(std::get<bool>(GetPropValue(tray, "Hide")), true);
    EXPECT_EQ(GetEnumProp(tray, "RestoreOn"), "imDoubleClick");
    EXPECT_EQ(GetEnumProp(tray, "PopupMenuOn"), "imNone");
    EXPECT_EQ(std::get<TObject*>(GetPropValue(tray, "Icons")), nullptr);
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(tray, "IconIndex")), 0);
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(tray, "AnimateInterval")), 1000);
    EXPECT_EQ(std::get<bool>(GetPropValue(tray, "Animate")), false);
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(tray, "Handle")),
              static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(tray.Handle())));
    EXPECT_TRUE(tray.OnAnimate);   // bound to the component's own animation step
    EXPECT_FALSE(tray.OnClick);
}

TEST(TrayIconProperties, WrittenByNameAsALayoutReaderWould)
{
    TTrayIcon tray(nullptr);
    SetEnumProp(tray, "RestoreOn", "imRightClickUp");
    SetEnumProp(tray, "PopupMenuOn", "IMLEFTDOUBLECLICK");
    SetPropValue(tray, "AnimateInterval", TPropValue{std::int64_t{250}});
    SetPropValue(tray, "Hint", TPropValue{std::string("Tarnivo")});
    EXPECT_EQ(tray.RestoreOn(), imRightClickUp);
    EXPECT_EQ(tray.PopupMenuOn(), imLeftDoubleClick);
    EXPECT_EQ(tray.AnimateInterval(), 250);
    EXPECT_EQ(tray.Hint(), "Tarnivo");

    EXPECT_THROW(SetPropValue(tray, "Handle", TPropValue{std::int64_t{1}}), EPropertyError);
    EXPECT_THROW(SetPropValue(tray, "RestoreOn", TPropValue{std::int64_t{9}}), EPropertyError);
    // Object properties take only objects of their own class.
    TTrayIcon other(nullptr);
    EXPECT_THROW(SetPropValue(tray, "Icons", TPropValue{static_cast<TObject*>(&other)}),
                 EPropertyError);
}

TEST(TrayIconVisible, AddAndRemoveSetHideAndRefuseDuplicates)
{
    TTrayIcon tray(nullptr);
    tray.SetHide(false);
    tray.SetVisible(true);
    EXPECT_TRUE(tray.Visible());
    EXPECT_TRUE(tray.Hide());
    EXPECT_TRUE(ShellKnows(tray.IconData()));

    // The old value is not compared: a second add reaches the shell, which
    // refuses the duplicate.
    try {
        tray.SetVisible(true);
        ADD_FAILURE() << "second add accepted";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Cannot Create System Shell Notification Icon");
    }
    EXPECT_TRUE(tray.Visible());

    tray.SetVisible(false);
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.Hide());
    EXPECT_FALSE(ShellKnows(tray.IconData()));

    try {
        tray.SetVisible(false);
        ADD_FAILURE() << "second removal accepted";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "Cannot Remove System Shell Notification Icon");
    }
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.Hide());
}

TEST(TrayIconVisible, RefusedAddLeavesTheComponentHidden)
{
    // The shell refuses a second icon with the same window and id.
    TTrayIcon tray(nullptr);
    TNotifyIconData clash = tray.IconData();
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, reinterpret_cast<NOTIFYICONDATAA*>(&clash)));
    tray.SetHide(false);
    EXPECT_THROW(tray.SetVisible(true), EOutOfResources);
    EXPECT_FALSE(tray.Visible());
    EXPECT_FALSE(tray.Hide());
    Shell_NotifyIconA(NIM_DELETE, reinterpret_cast<NOTIFYICONDATAA*>(&clash));
}

TEST(TrayIconVisible, DestructionRemovesTheIconAndTheWindow)
{
    auto tray = std::make_unique<TTrayIcon>(nullptr);
    tray->SetVisible(true);
    TNotifyIconData record = tray->IconData();
    HWND window = tray->Handle();
    tray.reset();
    EXPECT_FALSE(IsWindow(window));
    // Wine's shell also forgets the icons of destroyed windows by itself, at
    // a moment of its own: this catches a missing removal only when it asks
    // first, but a removed icon is never known.
    EXPECT_FALSE(ShellKnows(record));
}

TEST(TrayIconHint, LengthRulesAndTheTipFlag)
{
    RecordingTray tray(nullptr);
    tray.SetVisible(true);
    const std::string longest(63, 'h');

    int updates = tray.Updates;
    tray.SetHint(longest);
    EXPECT_EQ(tray.Hint(), longest);
    EXPECT_EQ(std::string(tray.IconData().szTip), longest);
    EXPECT_TRUE(tray.IconData().uFlags & NIF_TIP);
    EXPECT_EQ(tray.Updates, updates + 1);

    // 64 characters: ignored, the old hint stays.
    tray.SetHint(std::string(64, 'x'));
    EXPECT_EQ(tray.Hint(), longest);
    EXPECT_EQ(std::string(tray.IconData().szTip), longest);
    EXPECT_EQ(tray.Updates, updates + 1);
    tray.SetHint(std::string(200, 'y'));
    EXPECT_EQ(tray.Hint(), longest);

    // The same hint again: nothing happens.
    tray.SetHint(longest);
    EXPECT_EQ(tray.Updates, updates + 1);

    // A shorter one replaces the tip completely (no tail of the old one).
    tray.SetHint("short");
    EXPECT_EQ(std::string(tray.IconData().szTip), "short");
    EXPECT_TRUE(AllZero(tray.IconData().szTip + 5, sizeof tray.IconData().szTip - 5));

    // Clearing removes the tip and leaves the icon updatable.
    tray.SetHint("");
    EXPECT_EQ(tray.Hint(), "");
    EXPECT_FALSE(tray.IconData().uFlags & NIF_TIP);
    EXPECT_EQ(tray.IconData().uFlags, static_cast<std::uint32_t>(NIF_MESSAGE | NIF_ICON));
    EXPECT_TRUE(AllZero(tray.IconData().szTip, sizeof tray.IconData().szTip));
    EXPECT_TRUE(ShellKnows(tray.IconData()));
    tray.SetVisible(false);
}

} // namespace
} // namespace tarnivo::test
