// AllocateHWnd: the callable gets the window's messages and is freed with the
// window, whoever destroys it.

#include "framework/messagewindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarnivo {
namespace {

struct Sentinel {};

TEST(MessageWindow, CallableIsFreedWhenTheWindowIsDestroyedByAnyone)
{
    for (bool external : {true, false}) {
        auto alive = std::make_shared<Sentinel>();
        std::weak_ptr<Sentinel> watch = alive;
        auto seen = std::make_shared<std::vector<UINT>>();
        HWND w = AllocateHWnd([alive = std::move(alive), seen, &w](TMessage& m) {
            seen->push_back(m.Msg);
            DefaultHandler(w, m);
        });
        ASSERT_TRUE(w);
        EXPECT_EQ(SendMessageA(w, WM_APP + 3, 0, 0), 0);
        EXPECT_EQ(seen->front(), static_cast<UINT>(WM_APP + 3));
        EXPECT_FALSE(watch.expired());
        seen->clear();
        if (external) {
            DestroyWindow(w);   // not through DeallocateHWnd
            EXPECT_EQ(seen->back(), static_cast<UINT>(WM_NCDESTROY));
        } else {
            DeallocateHWnd(w);
            EXPECT_TRUE(seen->empty());   // stopped before the window went
        }
        EXPECT_FALSE(IsWindow(w));
        EXPECT_TRUE(watch.expired()) << (external ? "DestroyWindow" : "DeallocateHWnd");
        DeallocateHWnd(w);   // a stale handle is harmless
    }
}

} // namespace
} // namespace tarnivo
