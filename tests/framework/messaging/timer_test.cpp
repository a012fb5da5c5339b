// TTimer ticks from creation when enabled, follows Enabled and Interval, and
// a failing handler is shown by the message loop while the timer goes on.

#include "framework/application.h"
#include "framework/timer.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnivo {
namespace {

// Pumps messages until `done` or `limit` milliseconds have gone by.
bool PumpUntil(const std::function<bool()>& done, DWORD limit = 5000)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limit)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Application->ProcessMessages();
    }
    return true;
}

TEST(Timer, CreatedEnabledTicksAndFollowsEnabledAndInterval)
{
    TTimer timer(nullptr);
    int ticks = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        ++ticks;
    };
    timer.SetInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));

    timer.SetEnabled(false);
    int stopped = ticks;
    PumpUntil([] { return false; }, 300);   // a disabled timer never ticks
    EXPECT_EQ(ticks, stopped);

    timer.SetEnabled(true);
    timer.SetInterval(0);   // no interval: no timer
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(ticks, stopped);
    timer.SetInterval(15);
    EXPECT_TRUE(PumpUntil([&] { return ticks > stopped; }));
}

TEST(Timer, DefaultIntervalTimerTicksWithoutBeingTouched)
{
    TTimer timer(nullptr);   // enabled, 1000 ms
    bool ticked = false;
    timer.OnTimer = [&](TObject*) { ticked = true; };
    EXPECT_TRUE(PumpUntil([&] { return ticked; }));
}

TEST(Timer, FailingHandlerGoesToTheLoopsBoxAndTheTimerGoesOn)
{
    std::vector<std::string> shown;
    Application->OnShowException = [&](const std::string& text) { shown.push_back(text); };
    {
        TTimer timer(nullptr);
        timer.SetInterval(10);
        timer.OnTimer = [](TObject*) { throw Exception("tick failed"); };
        EXPECT_TRUE(PumpUntil([&] { return shown.size() >= 2; }));
    }
    Application->OnShowException = nullptr;
    EXPECT_EQ(shown.front(), "tick failed");
}

} // namespace
} // namespace tarnivo
