#include "framework/icon.h"

#include "iconmaker.h"

#include <gtest/gtest.h>

namespace tarnivo {
namespace {

bool IconAlive(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

TEST(Icon, OwnsItsHandle)
{
    HICON raw = test::MakeIcon(24, clRed);
    ASSERT_NE(raw, nullptr);
    {
        TIcon icon;
        EXPECT_TRUE(icon.Empty());
        EXPECT_EQ(icon.Width(), 0);
        icon.SetHandle(raw);
        EXPECT_EQ(icon.Handle(), raw);
        EXPECT_EQ(icon.Width(), 24);
        EXPECT_EQ(icon.Height(), 24);
    }
    EXPECT_FALSE(IconAlive(raw));
}

TEST(Icon, ReleaseAssignAndReplace)
{
    TIcon a;
    a.SetHandle(test::MakeIcon(16, clBlue));
    TIcon b;
    b.Assign(a);
    ASSERT_FALSE(b.Empty());
    EXPECT_NE(b.Handle(), a.Handle());   // a copy, destroyed separately
    EXPECT_EQ(b.Width(), 16);

    HICON given = a.ReleaseHandle();
    EXPECT_TRUE(a.Empty());
    EXPECT_TRUE(IconAlive(given));
    b.SetHandle(given);   // takes over; the old copy is destroyed
    EXPECT_EQ(b.Handle(), given);

    TIcon empty;
    b.Assign(empty);
    EXPECT_TRUE(b.Empty());
    EXPECT_FALSE(IconAlive(given));
}

TEST(Icon, LoadFromResource)
{
    // user32 carries the standard icons; 32515 is IDI_EXCLAMATION's group.
    TIcon icon;
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!icon.LoadFromResourceName(user32, MAKEINTRESOURCEA(32515)))
        GTEST_SKIP() << "this system's user32 has no standard icon resources";
    EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
    EXPECT_FALSE(icon.LoadFromResourceName(user32, "NO_SUCH_ICON"));
    EXPECT_FALSE(icon.Empty());
}

} // namespace
} // namespace tarnivo
