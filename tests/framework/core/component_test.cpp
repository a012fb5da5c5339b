// Ownership, notification order and the loading phase of components.

#include "framework/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarnivo;

namespace {

// Records what it hears into a log shared by a test.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), m_log(log)
    {
        SetName(name);
    }
    ~Probe() override { m_log.push_back("free " + Name()); }

    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        m_log.push_back(Name() + (op == opInsert ? " +" : " -") + c->Name());
        if (op == opRemove && c == Peer)
            Peer = nullptr;
    }

    TComponent* Peer = nullptr;
    bool WasLoading = false;
    int LoadedCalls = 0;

protected:
    void Loaded() override
    {
        WasLoading = Loading();
        ++LoadedCalls;
        m_log.push_back("loaded " + Name());
        TComponent::Loaded();
    }

private:
    std::vector<std::string>& m_log;
};

} // namespace

TEST(Component, OwnerFreesOwnedComponentsNewestFirst)
{
    std::vector<std::string> log;
    auto* root = new Probe(nullptr, "root", log);
    new Probe(root, "a", log);
    new Probe(root, "b", log);
    new Probe(root, "c", log);
    log.clear();
    delete root;
    std::vector<std::string> frees;
    for (const auto& line : log)
        if (line.rfind("free ", 0) == 0)
            frees.push_back(line);
    EXPECT_EQ(frees, (std::vector<std::string>{"free root", "free c", "free b", "free a"}));
}

TEST(Component, SiblingsHearOfInsertionAndRemoval)
{
    std::vector<std::string> log;
    Probe root(nullptr, "root", log);
    auto* a = new Probe(&root, "a", log);
    log.clear();
    auto* b = new Probe(&root, "b", log);
    b->SetName("b");
    // The owner and the existing component hear of the newcomer.
    EXPECT_NE(std::find(log.begin(), log.end(), "root +"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "a +"), log.end());
    log.clear();
    a->Peer = b;
    delete b;
    EXPECT_EQ(a->Peer, nullptr) << "a reference to a removed component must be cleared";
    EXPECT_EQ(root.ComponentCount(), 1);
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners)
{
    std::vector<std::string> log;
    Probe form1(nullptr, "form1", log);
    Probe form2(nullptr, "form2", log);
    auto* user = new Probe(&form1, "user", log);
    auto* used = new Probe(&form2, "used", log);
    user->Peer = used;
    user->FreeNotification(used);
    delete used;
    EXPECT_EQ(user->Peer, nullptr);
    // After the removal no stale link remains: freeing the user must not touch `used`.
    delete user;
}

TEST(Component, FreeNotificationIsDroppedWhenTheListenerGoesFirst)
{
    std::vector<std::string> log;
    auto* listener = new Probe(nullptr, "listener", log);
    auto* target = new Probe(nullptr, "target", log);
    listener->FreeNotification(target);
    delete listener;
    log.clear();
    delete target;   // must not notify the freed listener
    EXPECT_EQ(log, (std::vector<std::string>{"free target"}));
}

TEST(Component, LoadLayoutSetsLoadingThenCallsLoadedInCreationOrder)
{
    std::vector<std::string> log;
    Probe form(nullptr, "form", log);
    Probe* a = nullptr;
    Probe* b = nullptr;
    bool loadingInside = false;
    form.LoadLayout([&] {
        a = new Probe(&form, "a", log);
        b = new Probe(&form, "b", log);
        loadingInside = a->Loading() && b->Loading() && form.Loading();
    });
    EXPECT_TRUE(loadingInside);
    std::vector<std::string> loaded;
    for (const auto& line : log)
        if (line.rfind("loaded ", 0) == 0)
            loaded.push_back(line);
    EXPECT_EQ(loaded, (std::vector<std::string>{"loaded a", "loaded b", "loaded form"}));
    EXPECT_TRUE(a->WasLoading);
    EXPECT_FALSE(a->Loading());
    EXPECT_FALSE(form.Loading());
    // A component made after the layout is not in the loading state.
    auto* late = new Probe(&form, "late", log);
    EXPECT_FALSE(late->Loading());
    EXPECT_EQ(late->LoadedCalls, 0);
}

TEST(Component, LoadLayoutThatThrowsLeavesTheLoadingState)
{
    std::vector<std::string> log;
    Probe form(nullptr, "form", log);
    EXPECT_THROW(form.LoadLayout([] { throw std::runtime_error("broken layout"); }),
                 std::runtime_error);
    EXPECT_FALSE(form.Loading());
}

TEST(Component, FindComponentIgnoresLetterCase)
{
    std::vector<std::string> log;
    Probe form(nullptr, "form", log);
    auto* list = new Probe(&form, "ListView2", log);
    EXPECT_EQ(form.FindComponent("listview2"), list);
    EXPECT_EQ(form.FindComponent("ListView"), nullptr);
    EXPECT_EQ(form.FindComponent(""), nullptr);
}
