#include "framework/gdiobjects.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnivo {
namespace {

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(GdiObject, FreesExactlyOnceThroughMoves)
{
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        GdiBrush a(raw);
        GdiBrush b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.Get(), raw);
        std::vector<GdiBrush> many;
        many.push_back(std::move(b));
        EXPECT_TRUE(Alive(raw));
    }
    EXPECT_FALSE(Alive(raw));
}

TEST(GdiObject, ResetAndRelease)
{
    GdiPen pen(CreatePen(PS_SOLID, 1, 0));
    HPEN first = pen.Get();
    pen.Reset(CreatePen(PS_DOT, 1, 0));
    EXPECT_FALSE(Alive(first));
    HPEN second = pen.Release();
    EXPECT_FALSE(pen);
    EXPECT_TRUE(Alive(second));
    DeleteObject(second);

    // Moving onto a holder frees what it held.
    GdiRegion a(CreateRectRgn(0, 0, 1, 1)), b(CreateRectRgn(0, 0, 2, 2));
    HRGN old = a.Get();
    a = std::move(b);
    EXPECT_FALSE(Alive(old));
    a = std::move(a);
    EXPECT_TRUE(Alive(a.Get()));
}

TEST(DeviceContexts, SelectionIsUndoneAtScopeEnd)
{
    MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
    ASSERT_TRUE(dc);
    HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    GdiBrush brush(CreateSolidBrush(RGB(9, 9, 9)));
    {
        SelectedObject selected(dc.Get(), brush.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), before);

    MemoryDC moved = std::move(dc);
    EXPECT_FALSE(dc);
    EXPECT_TRUE(moved);

    WindowDC screen(nullptr);
    EXPECT_TRUE(screen);
    EXPECT_GT(GetDeviceCaps(screen.Get(), LOGPIXELSY), 0);
    WindowDC other = std::move(screen);
    EXPECT_FALSE(screen);
    EXPECT_TRUE(other);
}

} // namespace
} // namespace tarnivo
