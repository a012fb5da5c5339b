// Hooks in front of a control's WindowProc: added and removed by identity in
// any order, also while a message is inside them.

#include "framework/control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace tarnivo {
namespace {

constexpr UINT Probe = WM_APP + 9;

// A window-less control whose own processing logs "control".
class ProbeControl : public TGraphicControl {
public:
    explicit ProbeControl(std::vector<std::string>& log) : TGraphicControl(nullptr), m_log(log) {}
    void Paint(TCanvas&) override {}
    void Dispatch(TMessage& m) override
    {
        if (m.Msg == Probe)
            m_log.push_back("control");
        TGraphicControl::Dispatch(m);
    }

private:
    std::vector<std::string>& m_log;
};

struct Hooks : ::testing::Test {
    std::vector<std::string> log;
    ProbeControl control{log};

    TWindowProcHook Logging(const std::string& name, TWindowProcHook& self)
    {
        return TWindowProcHook(control, [this, name, &self](TMessage& m) {
            if (m.Msg == Probe)
                log.push_back(name);
            self.CallNext(m);
        });
    }
    std::vector<std::string> Send()
    {
        log.clear();
        control.Perform(Probe);
        return log;
    }
};

TEST_F(Hooks, EveryRemovalOrderOfThreeHooks)
{
    const std::string names[] = {"H1", "H2", "H3"};
    std::vector<int> order{0, 1, 2};
    do {
        std::vector<TWindowProcHook> hooks(3);
        std::vector<std::string> expected{"control"};
        for (int i = 0; i < 3; ++i) {
            hooks[i] = Logging(names[i], hooks[i]);
            expected.insert(expected.begin(), names[i]);
        }
        ASSERT_EQ(Send(), expected);
        for (int i : order) {
            hooks[i].Remove();
            std::erase(expected, names[i]);
            EXPECT_EQ(Send(), expected) << "removed " << names[i];
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(Hooks, RemovalDuringDispatch)
{
    TWindowProcHook h1 = Logging("H1", h1);
    TWindowProcHook h2;
    TWindowProcHook h3;
    // H3 takes H2 out before H2's turn; H2 would take itself out, then pass on.
    h2 = TWindowProcHook(control, [&](TMessage& m) {
        log.push_back("H2");
        h2.Remove();
        h2.CallNext(m);
    });
    h3 = TWindowProcHook(control, [&](TMessage& m) {
        log.push_back("H3");
        h3.CallNext(m);
    });
    EXPECT_EQ(Send(), (std::vector<std::string>{"H3", "H2", "H1", "control"}));
    EXPECT_FALSE(h2.Installed());
    EXPECT_EQ(Send(), (std::vector<std::string>{"H3", "H1", "control"}));

    // H3 removes H1 (behind it) and frees its own hook object before passing on.
    auto own = std::make_unique<TWindowProcHook>();
    *own = TWindowProcHook(control, [&, id = THookId{0}](TMessage& m) mutable {
        log.push_back("H4");
        h1.Remove();
        id = own->Id();
        own.reset();
        control.CallNextWindowProc(id, m);
    });
    EXPECT_EQ(Send(), (std::vector<std::string>{"H4", "H3", "control"}));
    EXPECT_EQ(Send(), (std::vector<std::string>{"H3", "control"}));
}

TEST_F(Hooks, HookAddedDuringDispatchSeesTheNextMessage)
{
    TWindowProcHook late;
    TWindowProcHook adder;
    adder = TWindowProcHook(control, [&](TMessage& m) {
        if (!late.Installed())
            late = Logging("late", late);
        log.push_back("adder");
        adder.CallNext(m);
    });
    EXPECT_EQ(Send(), (std::vector<std::string>{"adder", "control"}));
    EXPECT_EQ(Send(), (std::vector<std::string>{"late", "adder", "control"}));
}

TEST_F(Hooks, TokenInterfaceAndHooksOutlivingTheControl)
{
    std::vector<std::string> ownLog;
    auto gone = std::make_unique<ProbeControl>(ownLog);
    THookId id = 0;
    id = gone->AddWindowProcHook([&](TMessage& m) {
        ownLog.push_back("token");
        gone->CallNextWindowProc(id, m);
    });
    EXPECT_NE(id, 0);
    EXPECT_EQ(gone->AddWindowProcHook(nullptr), 0);
    TWindowProcHook object(*gone, [&](TMessage& m) {
        ownLog.push_back("object");
        object.CallNext(m);
    });
    gone->Perform(Probe);
    EXPECT_EQ(ownLog, (std::vector<std::string>{"object", "token", "control"}));
    gone->RemoveWindowProcHook(id);
    gone->RemoveWindowProcHook(id);   // unknown now: nothing happens
    gone.reset();
    EXPECT_FALSE(object.Installed());
    TMessage m{Probe, 0, 0, 0};
    object.CallNext(m);   // nothing left to reach
    object.Remove();
}

} // namespace
} // namespace tarnivo
