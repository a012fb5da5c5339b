// TWindowSubclass on plain ANSI and Unicode windows: layers installed and
// removed in every order, each message seen once by each layer in the chain;
// pass-throughs behind a foreign subclass; failures in a handler; the window
// and the object going first.

#include "framework/subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tarnivo {
namespace {

constexpr UINT Probe = WM_APP + 7;
constexpr LRESULT BaseAnswer = 4242;

std::vector<std::string> Log;

LRESULT CALLBACK BaseProcA(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == Probe) {
        Log.push_back("base");
        return BaseAnswer;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

LRESULT CALLBACK BaseProcW(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == Probe) {
        Log.push_back("base");
        return BaseAnswer;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

// A plain top-level window of a class whose procedure logs Probe.
HWND MakeWindow(bool unicode)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA a{};
        a.lpfnWndProc = BaseProcA;
        a.hInstance = GetModuleHandleA(nullptr);
        a.lpszClassName = "SubclassTestA";
        RegisterClassA(&a);
        WNDCLASSW w{};
        w.lpfnWndProc = BaseProcW;
        w.hInstance = GetModuleHandleW(nullptr);
        w.lpszClassName = L"SubclassTestW";
        RegisterClassW(&w);
        registered = true;
    }
    return unicode ? CreateWindowExW(0, L"SubclassTestW", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr)
                   : CreateWindowExA(0, "SubclassTestA", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
}

LONG_PTR ProcOf(HWND w, bool unicode)
{
    return unicode ? GetWindowLongPtrW(w, GWLP_WNDPROC) : GetWindowLongPtrA(w, GWLP_WNDPROC);
}

// A layer that logs its name and passes everything on.
struct Layer {
    std::string name;
    TWindowSubclass subclass;
    bool Install(HWND w)
    {
        return subclass.Install(w, [this](TMessage& m) {
            if (m.Msg == Probe)
                Log.push_back(name);
            subclass.CallPrevious(m);
        });
    }
};

std::vector<std::string> Send(HWND w)
{
    Log.clear();
    EXPECT_EQ(SendMessageA(w, Probe, 0, 0), BaseAnswer);
    return Log;
}

// A subclass that is not ours.
WNDPROC ForeignPrevious = nullptr;
LRESULT CALLBACK ForeignProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == Probe)
        Log.push_back("foreign");
    return CallWindowProcA(ForeignPrevious, w, msg, wp, lp);
}

class Subclass : public ::testing::TestWithParam<bool> {};   // true: Unicode window

TEST_P(Subclass, EveryRemovalOrderOfTwoAndThreeLayersKeepsTheRestWorking)
{
    const bool unicode = GetParam();
    for (int count : {2, 3}) {
        std::vector<int> order(static_cast<std::size_t>(count));
        std::iota(order.begin(), order.end(), 0);
        do {
            HWND w = MakeWindow(unicode);
            ASSERT_TRUE(w);
            ASSERT_EQ(IsWindowUnicode(w) != FALSE, unicode);
            LONG_PTR original = ProcOf(w, unicode);
            std::vector<Layer> layers(static_cast<std::size_t>(count));
            std::vector<std::string> expected{"base"};
            for (int i = 0; i < count; ++i) {
                layers[i].name = "L" + std::to_string(i + 1);
                ASSERT_TRUE(layers[i].Install(w));
                EXPECT_EQ(layers[i].subclass.Unicode(), unicode);
                expected.insert(expected.begin(), layers[i].name);
            }
            ASSERT_EQ(Send(w), expected);
            for (int i : order) {
                layers[i].subclass.Remove();
                EXPECT_FALSE(layers[i].subclass.Installed());
                std::erase(expected, layers[i].name);
                EXPECT_EQ(Send(w), expected) << "removed L" << i + 1;
            }
            EXPECT_EQ(ProcOf(w, unicode), original);
            DestroyWindow(w);
        } while (std::next_permutation(order.begin(), order.end()));
    }
}

TEST_P(Subclass, HandlerSeesTheWindowsOwnTextForm)
{
    const bool unicode = GetParam();
    HWND w = MakeWindow(unicode);
    bool seenWide = false, seenNarrow = false;
    TWindowSubclass s;
    ASSERT_TRUE(s.Install(w, [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) {
            seenWide = std::wstring(reinterpret_cast<const wchar_t*>(m.LParam)) == L"abc";
            seenNarrow = std::string(reinterpret_cast<const char*>(m.LParam)) == "abc";
        }
        s.CallPrevious(m);
    }));
    SetWindowTextA(w, "abc");
    EXPECT_EQ(seenWide, unicode);
    EXPECT_EQ(seenNarrow, !unicode);
    char text[8] = {};
    GetWindowTextA(w, text, sizeof(text));
    EXPECT_STREQ(text, "abc");   // the previous procedure stored it
    DestroyWindow(w);
}

INSTANTIATE_TEST_SUITE_P(AnsiAndUnicode, Subclass, ::testing::Values(false, true));

TEST(SubclassChain, ForeignSubclassInFrontTurnsARemovedLayerIntoAPassThrough)
{
    HWND w = MakeWindow(false);
    LONG_PTR original = ProcOf(w, false);
    Layer inner{"inner", {}};
    ASSERT_TRUE(inner.Install(w));
    // Someone else subclasses the plain way.
    ForeignPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignProc)));
    Layer outer{"outer", {}};
    ASSERT_TRUE(outer.Install(w));
    ASSERT_EQ(Send(w), (std::vector<std::string>{"outer", "foreign", "inner", "base"}));

    inner.subclass.Remove();   // the foreign procedure still calls its entry point
    EXPECT_EQ(Send(w), (std::vector<std::string>{"outer", "foreign", "base"}));
    outer.subclass.Remove();
    EXPECT_EQ(Send(w), (std::vector<std::string>{"foreign", "base"}));
    // The foreign one leaves; the pass-through is in front and gives the
    // window back after the next message.
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ForeignPrevious));
    EXPECT_EQ(Send(w), (std::vector<std::string>{"base"}));
    EXPECT_EQ(ProcOf(w, false), original);
    DestroyWindow(w);
}

TEST(SubclassChain, LayerRemovedOrFreedInsideItsOwnHandler)
{
    HWND w = MakeWindow(false);
    Layer below{"below", {}};
    ASSERT_TRUE(below.Install(w));
    auto self = std::make_unique<TWindowSubclass>();
    TWindowSubclass* raw = self.get();
    int calls = 0;
    ASSERT_TRUE(raw->Install(w, [&, raw](TMessage& m) {
        if (m.Msg != Probe)
            return raw->CallPrevious(m);
        ++calls;
        raw->Remove();
        raw->CallPrevious(m);   // still reaches what was behind it
        self.reset();           // and the object may go as well
    }));
    EXPECT_EQ(Send(w), (std::vector<std::string>{"below", "base"}));
    EXPECT_EQ(Send(w), (std::vector<std::string>{"below", "base"}));
    EXPECT_EQ(calls, 1);
    DestroyWindow(w);
}

TEST(SubclassChain, WindowDestroyedFirstLeavesADetachedObject)
{
    HWND w = MakeWindow(true);
    std::vector<UINT> seen;
    TWindowSubclass s;
    ASSERT_TRUE(s.Install(w, [&](TMessage& m) {
        seen.push_back(m.Msg);
        s.CallPrevious(m);
    }));
    DestroyWindow(w);
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_FALSE(s.Installed());
    EXPECT_EQ(s.Window(), nullptr);
    EXPECT_EQ(s.CallPrevious(Probe, 0, 0), 0);
    s.Remove();   // nothing left to do
}

TEST(SubclassChain, RefusesWhatItCannotDo)
{
    HWND w = MakeWindow(false);
    TWindowSubclass s;
    EXPECT_FALSE(s.Install(nullptr, [](TMessage&) {}));
    EXPECT_FALSE(s.Install(w, nullptr));
    bool fromOtherThread = true;
    std::thread([&] { fromOtherThread = TWindowSubclass(w, [](TMessage&) {}).Installed(); }).join();
    EXPECT_FALSE(fromOtherThread);

    std::vector<Layer> layers(MaxSubclassesPerWindow + 1);
    for (int i = 0; i < MaxSubclassesPerWindow; ++i) {
        layers[i].name = "x";
        ASSERT_TRUE(layers[i].Install(w));
    }
    EXPECT_FALSE(layers.back().Install(w));
    EXPECT_EQ(Send(w).size(), static_cast<std::size_t>(MaxSubclassesPerWindow) + 1);
    // A slot freed in the middle is taken again.
    layers[5].subclass.Remove();
    EXPECT_TRUE(layers.back().Install(w));
    EXPECT_EQ(Send(w).size(), static_cast<std::size_t>(MaxSubclassesPerWindow) + 1);
    DestroyWindow(w);
}

TEST(SubclassExceptions, FailureFallsBackToThePreviousProcedureOnceAndWaitsForTheLoop)
{
    HWND w = MakeWindow(false);
    TakeDeferredException();
    bool passFirst = false;
    TWindowSubclass s;
    ASSERT_TRUE(s.Install(w, [&](TMessage& m) {
        if (m.Msg == Probe && passFirst)
            s.CallPrevious(m);
        if (m.Msg == Probe || m.Msg == WM_PAINT)
            throw std::runtime_error("handler failed");
        s.CallPrevious(m);
    }));
    // Thrown before passing on: the previous procedure answers.
    EXPECT_EQ(Send(w), (std::vector<std::string>{"base"}));
    // Thrown after passing on: not passed on a second time.
    passFirst = true;
    EXPECT_EQ(Send(w), (std::vector<std::string>{"base"}));
    std::exception_ptr kept = TakeDeferredException();
    ASSERT_TRUE(kept);
    EXPECT_THROW(std::rethrow_exception(kept), std::runtime_error);
    EXPECT_FALSE(TakeDeferredException());   // taken once

    // A painting failure is dropped, and the window is painted (validated)
    // by its previous procedure instead of asking again.
    ShowWindow(w, SW_SHOWNA);
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));
    EXPECT_FALSE(TakeDeferredException());
    DestroyWindow(w);
}

} // namespace
} // namespace tarnivo
