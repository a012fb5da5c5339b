// TWindowsHook: a thread's WH_CBT and WH_MSGFILTER hooks, found through the
// per-thread table, called newest first, removed exactly once.

#include "framework/subclass.h"
#include "framework/windowshook.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tarnivo {
namespace {

HWND MakeStatic()
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

bool IsStatic(HWND w)
{
    char name[16] = {};
    GetClassNameA(w, name, sizeof(name));
    return lstrcmpiA(name, "Static") == 0;
}

// A CBT hook that logs each "Static" window it sees created, under a name
// (Wine makes a thread's default IME window along with its first window).
struct CreateSpy {
    std::string name;
    std::vector<std::string>* log;
    std::vector<HWND> windows;
    TWindowsHook hook;
    CreateSpy(std::string n, std::vector<std::string>& l) : name(std::move(n)), log(&l)
    {
        hook.Install(WH_CBT, [this](int code, WPARAM wParam, LPARAM lParam) {
            if (code == HCBT_CREATEWND && IsStatic(reinterpret_cast<HWND>(wParam))) {
                log->push_back(name);
                windows.push_back(reinterpret_cast<HWND>(wParam));
            }
            return hook.CallNext(code, wParam, lParam);
        });
    }
};

TEST(WindowsHook, CbtHookSeesTheNewWindowBeforeItsFirstMessage)
{
    std::vector<std::string> log;
    CreateSpy spy("cbt", log);
    ASSERT_TRUE(spy.hook.Installed());
    EXPECT_EQ(spy.hook.Type(), WH_CBT);
    EXPECT_EQ(spy.hook.ThreadId(), GetCurrentThreadId());
    HWND w = MakeStatic();
    EXPECT_EQ(spy.windows, std::vector<HWND>{w});
    DestroyWindow(w);

    spy.hook.Remove();
    spy.hook.Remove();   // once is all it takes
    EXPECT_FALSE(spy.hook.Installed());
    std::size_t before = spy.windows.size();
    DestroyWindow(MakeStatic());
    EXPECT_EQ(spy.windows.size(), before);
}

TEST(WindowsHook, TwoOnOneThreadNewestFirstAndRemovedInEitherOrder)
{
    for (bool firstGoesFirst : {true, false}) {
        std::vector<std::string> log;
        auto first = std::make_unique<CreateSpy>("first", log);
        auto second = std::make_unique<CreateSpy>("second", log);
        DestroyWindow(MakeStatic());
        EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
        log.clear();
        (firstGoesFirst ? first : second).reset();
        DestroyWindow(MakeStatic());
        EXPECT_EQ(log, std::vector<std::string>{firstGoesFirst ? "second" : "first"});
    }
}

TEST(WindowsHook, MovedHookIsRemovedOnceByItsNewHolder)
{
    std::vector<std::string> log;
    CreateSpy spy("spy", log);
    TWindowsHook moved(std::move(spy.hook));
    spy.hook.Remove();   // owns nothing now: must not unhook the moved one
    DestroyWindow(MakeStatic());
    EXPECT_EQ(log.size(), 1u);
    moved = TWindowsHook();
    DestroyWindow(MakeStatic());
    EXPECT_EQ(log.size(), 1u);
}

TEST(WindowsHook, AnswerStopsTheChainAndCancelsACreation)
{
    std::vector<std::string> log;
    CreateSpy behind("behind", log);
    TWindowsHook refuse(WH_CBT, [](int code, WPARAM wp, LPARAM lp) -> LRESULT {
        return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wp, lp);
    });
    EXPECT_EQ(MakeStatic(), nullptr);
    EXPECT_TRUE(log.empty());
}

TEST(WindowsHook, RemovedInsideItsOwnCallAndFailuresPassTheCallOn)
{
    std::vector<std::string> log;
    CreateSpy behind("behind", log);
    int calls = 0;
    TWindowsHook once;
    once.Install(WH_CBT, [&](int code, WPARAM wp, LPARAM lp) {
        ++calls;
        once.Remove();
        return CallNextHookEx(nullptr, code, wp, lp);
    });
    DestroyWindow(MakeStatic());
    DestroyWindow(MakeStatic());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(log.size(), 2u);

    TakeDeferredException();
    TWindowsHook failing(WH_CBT, [](int code, WPARAM, LPARAM) -> LRESULT {
        if (code == HCBT_CREATEWND)
            throw std::runtime_error("hook failed");
        return 0;
    });
    HWND w = MakeStatic();
    EXPECT_NE(w, nullptr);      // passed on, not cancelled
    EXPECT_EQ(log.size(), 3u);  // and the hook behind still saw it
    EXPECT_TRUE(TakeDeferredException());
    DestroyWindow(w);
}

TEST(WindowsHook, MessageFilterHookSeesItsCode)
{
    std::vector<int> codes;
    TWindowsHook filter(WH_MSGFILTER, [&](int code, WPARAM wp, LPARAM lp) {
        codes.push_back(code);
        return CallNextHookEx(nullptr, code, wp, lp);
    });
    MSG msg{};
    msg.message = WM_NULL;
    CallMsgFilterA(&msg, MSGF_MENU);
    CallMsgFilterA(&msg, 0x1234);
    EXPECT_EQ(codes, (std::vector<int>{MSGF_MENU, 0x1234}));
}

TEST(WindowsHook, HookForAnotherThreadRunsThereAndIsFoundThroughItsTable)
{
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD workerId = 0;
    DWORD ranOn = 0;
    HWND made = nullptr;
    std::thread worker([&] {
        workerId = GetCurrentThreadId();
        SetEvent(ready);
        WaitForSingleObject(go, INFINITE);
        made = MakeStatic();
        DestroyWindow(made);
    });
    WaitForSingleObject(ready, INFINITE);
    HWND seen = nullptr;
    {
        TWindowsHook hook(WH_CBT, [&](int code, WPARAM wp, LPARAM lp) {
            if (code == HCBT_CREATEWND && IsStatic(reinterpret_cast<HWND>(wp))) {
                ranOn = GetCurrentThreadId();
                seen = reinterpret_cast<HWND>(wp);
            }
            return CallNextHookEx(nullptr, code, wp, lp);
        }, workerId);
        ASSERT_TRUE(hook.Installed());
        // No window of this thread goes to it.
        DestroyWindow(MakeStatic());
        EXPECT_EQ(seen, nullptr);
        SetEvent(go);
        worker.join();
    }
    EXPECT_EQ(ranOn, workerId);
    EXPECT_EQ(seen, made);
    CloseHandle(ready);
    CloseHandle(go);
}

} // namespace
} // namespace tarnivo
