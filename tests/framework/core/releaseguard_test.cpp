// Deferred release: an object freed while one of its messages runs goes
// when the last of them returns, and tokens taken before tell the truth
// after it is gone (run under AddressSanitizer in the native tree).

#include "framework/releaseguard.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnivo {
namespace {

// Stands for a skin object: its "procedure" runs `inside` within a scope.
struct Guarded {
    TReleaseGuard guard;
    int* freed = nullptr;
    ~Guarded() { ++*freed; }
    void Message(const std::function<void(Guarded&)>& inside)
    {
        TReleaseGuard::TScope scope(guard);
        inside(*this);
    }
    void Release()
    {
        guard.Release([this] { delete this; });
    }
};

TEST(ReleaseGuard, IdleObjectIsFreedAtOnce)
{
    int freed = 0;
    auto* object = new Guarded{{}, &freed};
    TLiveToken token = object->guard.Token();
    EXPECT_TRUE(token.Alive());
    object->Release();
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(token.Alive());
}

TEST(ReleaseGuard, ReleaseInsideNestedMessagesWaitsForTheOutermostToReturn)
{
    int freed = 0;
    auto* object = new Guarded{{}, &freed};
    TLiveToken token = object->guard.Token();
    bool aliveAfterInner = true;
    int freedAfterInner = -1;
    object->Message([&](Guarded& self) {
        self.Message([&](Guarded& inner) {
            inner.Release();
            inner.Release();   // a second request changes nothing
        });
        // Back in the outer message: memory still there, but finished with.
        aliveAfterInner = token.Alive();
        freedAfterInner = freed;
        EXPECT_TRUE(self.guard.Releasing());
        EXPECT_TRUE(self.guard.Busy());
    });
    EXPECT_FALSE(aliveAfterInner);
    EXPECT_EQ(freedAfterInner, 0);
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(token.Alive());
}

TEST(ReleaseGuard, ScopeSeesAnObjectDeletedDirectlyUnderIt)
{
    int freed = 0;
    auto* object = new Guarded{{}, &freed};
    TLiveToken token = object->guard.Token();
    bool aliveInScope = false;
    {
        TReleaseGuard::TScope scope(object->guard);
        object->Release();            // kept: the scope is open
        delete object;                // and then an owner frees it anyway
        aliveInScope = scope.Alive();
    }                                 // the kept release must not run again
    EXPECT_FALSE(aliveInScope);
    EXPECT_EQ(freed, 1);
    EXPECT_FALSE(token.Alive());
}

TEST(ReleaseGuard, EmptyTokenIsNeverAlive)
{
    TLiveToken none;
    EXPECT_FALSE(none.Alive());
    EXPECT_FALSE(static_cast<bool>(none));
}

} // namespace
} // namespace tarnivo
