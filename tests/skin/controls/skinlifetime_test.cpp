// How a control skin and its form's list come and go: freed while the
// control lives, the control's window destroyed first, the control freed
// first, the form object freed first; and the attach calls it refuses.

#include "skincontroltestkit.h"

#include "skin/forms/skinmessages.h"

#include <algorithm>

namespace tarnivo {
namespace {

using namespace test;

class ControlSkinLifetime : public ControlSkinTest {
protected:
    TFrameSkin* OnPanel(bool updateColor, ISkinControlHost* host = nullptr)
    {
        auto* skin = new TFrameSkin(m_panel);
        skin->Init(host ? host : m_host.get(), m_data.get(), nullptr, updateColor);
        return skin;
    }
    TFrameSkin* OnRaw()
    {
        auto* skin = new TFrameSkin(m_host.get());
        skin->Inithwnd(m_raw, m_data.get(), nullptr, m_host.get());
        return skin;
    }
    bool Listed(TSkinControlLink* skin) const
    {
        return std::find(m_host->Controls.begin(), m_host->Controls.end(), skin) !=
               m_host->Controls.end();
    }
};

TEST_F(ControlSkinLifetime, FreeingTheSkinOfALivingControlGivesItsProcedureBack)
{
    // Framework control: the hook leaves the WindowProc chain.
    // (Without UpdateColor: a recoloured control gets its colour back from
    // Unsubclass, which the form calls before it frees a skin.)
    const LONG_PTR panelProc = WindowProcOf(m_panel->Handle());
    TFrameSkin* skin = OnPanel(false);
    EXPECT_TRUE(Listed(skin));
    EXPECT_EQ(m_panel->ComponentCount(), 1);
    EXPECT_EQ(WindowProcOf(m_panel->Handle()), panelProc);   // hooked, not subclassed
    delete skin;
    EXPECT_TRUE(m_host->Controls.empty());
    EXPECT_EQ(m_panel->ComponentCount(), 0);
    EXPECT_EQ(SendMessageW(m_panel->Handle(), WM_ISSKINNED, 0, 0), 0);
    Repaint(m_panel->Handle());
    EXPECT_EQ(ScreenPixel(m_panel->Handle(), 20, 20), kPanelColor);

    // Raw window: the window procedure is the one it had.
    const LONG_PTR rawProc = WindowProcOf(m_raw);
    TFrameSkin* raw = OnRaw();
    EXPECT_NE(WindowProcOf(m_raw), rawProc);
    EXPECT_EQ(m_host->ComponentCount(), 1);
    delete raw;
    EXPECT_EQ(WindowProcOf(m_raw), rawProc);
    EXPECT_TRUE(m_host->Controls.empty());
    EXPECT_EQ(m_host->ComponentCount(), 0);
    EXPECT_EQ(SendMessageW(m_raw, WM_ISSKINNED, 0, 0), 0);
    Repaint(m_raw);
    EXPECT_EQ(ScreenPixel(m_raw, 20, 20), kPanelColor);
}

TEST_F(ControlSkinLifetime, DestroyedWindowLeavesStatusSixUntilTheFormFreesIt)
{
    TFrameSkin* skin = OnPanel(true);
    TFrameSkin* raw = OnRaw();
    EXPECT_EQ(m_panel->Color(), kButtonFace);

    m_panel->DestroyHandle();
    EXPECT_EQ(skin->Status(), TSkinControlLink::StatusDeleted);
    EXPECT_FALSE(skin->Active());
    EXPECT_EQ(m_panel->Color(), kPanelColor);   // Unsubclass gave the colour back
    DestroyWindow(m_raw);
    EXPECT_EQ(raw->Status(), TSkinControlLink::StatusDeleted);
    EXPECT_FALSE(raw->Active());
    EXPECT_TRUE(Listed(skin));
    EXPECT_TRUE(Listed(raw));

    // A new window of the same control is not skinned by the waiting object,
    // and WM_SKINENABLE cannot switch a destroyed one on again.
    HWND again = m_panel->Handle();
    SendMessageW(again, WM_SKINENABLE, 1, 0);
    EXPECT_FALSE(skin->Active());
    EXPECT_EQ(SendMessageW(again, WM_ISSKINNED, 0, 0), 0);

    m_host->DeleteSkinDeleted();
    EXPECT_TRUE(m_host->Controls.empty());
    EXPECT_EQ(m_panel->ComponentCount(), 0);
    EXPECT_EQ(m_host->ComponentCount(), 0);
}

TEST_F(ControlSkinLifetime, ControlFreedFirst)
{
    const LONG_PTR rawProc = WindowProcOf(m_raw);
    TFrameSkin* skin = OnPanel(true);
    OnRaw();
    ASSERT_EQ(m_host->Controls.size(), 2u);

    delete m_panel;   // frees its skin object with it
    m_panel = nullptr;
    EXPECT_FALSE(Listed(skin));
    EXPECT_EQ(m_host->Controls.size(), 1u);

    // The form object goes next and takes the raw window's skin with it.
    m_host.reset();
    EXPECT_EQ(WindowProcOf(m_raw), rawProc);
    EXPECT_EQ(SendMessageW(m_raw, WM_ISSKINNED, 0, 0), 0);
}

TEST_F(ControlSkinLifetime, FormObjectFreedFirst)
{
    OnPanel(true);
    OnRaw();
    ASSERT_EQ(m_panel->Color(), kButtonFace);

    // Unskinning: every listed skin is undone and freed, whoever owns it.
    m_host->DeleteControls();
    EXPECT_TRUE(m_host->Controls.empty());
    EXPECT_EQ(m_panel->ComponentCount(), 0);
    EXPECT_EQ(m_host->ComponentCount(), 0);
    EXPECT_EQ(m_panel->Color(), kPanelColor);
    EXPECT_EQ(SendMessageW(m_panel->Handle(), WM_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(SendMessageW(m_raw, WM_ISSKINNED, 0, 0), 0);

    // The same when the form object is simply freed.
    OnPanel(true);
    OnRaw();
    m_host.reset();
    EXPECT_EQ(m_panel->ComponentCount(), 0);
    EXPECT_EQ(m_panel->Color(), kPanelColor);
    EXPECT_EQ(SendMessageW(m_panel->Handle(), WM_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(SendMessageW(m_raw, WM_ISSKINNED, 0, 0), 0);
    // The control lives on and is freed by its form without trouble.
    m_form.reset();
}

TEST_F(ControlSkinLifetime, SecondAttachIsIgnored)
{
    TWinSkinForm otherHost;
    TFrameSkin* skin = OnPanel(false);
    skin->Init(&otherHost, m_data.get(), nullptr, true);
    EXPECT_TRUE(otherHost.Controls.empty());
    EXPECT_EQ(m_panel->Color(), kPanelColor);   // the second call's UpdateColor is ignored
    EXPECT_EQ(skin->Host(), m_host.get());

    // Hooked once: one skin paint per paint of the control.
    Repaint(m_panel->Handle());
    const int draws = skin->Draws;
    Repaint(m_panel->Handle());
    EXPECT_EQ(skin->Draws, draws + 1);

    // Nor may an attached object take a raw window as well.
    const LONG_PTR rawProc = WindowProcOf(m_raw);
    skin->Inithwnd(m_raw, m_data.get(), nullptr, m_host.get());
    EXPECT_EQ(WindowProcOf(m_raw), rawProc);
    EXPECT_EQ(skin->ControlHandle(), m_panel->Handle());
    delete skin;
}

TEST_F(ControlSkinLifetime, AttachRefusesWhatItCannotSkin)
{
    // Init needs a windowed framework control as the owner.
    auto* ownedByHost = new TFrameSkin(m_host.get());
    ownedByHost->Init(m_host.get(), m_data.get(), nullptr, true);
    EXPECT_FALSE(ownedByHost->Inited());
    EXPECT_EQ(ownedByHost->Status(), skinstatus::Created);
    EXPECT_TRUE(m_host->Controls.empty());

    // Inithwnd needs a live window of this thread.
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, m_form->Handle(),
                                nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    for (HWND window : {HWND(nullptr), gone, GetDesktopWindow()}) {
        ownedByHost->Inithwnd(window, m_data.get(), nullptr, m_host.get());
        EXPECT_FALSE(ownedByHost->Inited());
        EXPECT_EQ(ownedByHost->ControlHandle(), nullptr);
    }
    EXPECT_TRUE(m_host->Controls.empty());
    delete ownedByHost;
}

} // namespace
} // namespace tarnivo

namespace tarnivo {
namespace {

using namespace test;

constexpr UINT WM_TEST_FREE = WM_APP + 40;
constexpr UINT WM_TEST_NESTED = WM_APP + 41;

// What the test reads after the skin object is gone.
struct ReleaseLog {
    int freed = 0;            // destructor runs
    int afterRuns = 0;        // AfterProc of the test messages
    int freedWhenAsked = -1;  // destructor runs right after FreeControl returned
    int freedAfterInner = -1; // ... and after the inner message returned
};

// Frees itself through its form while one of its own messages is handled,
// as a form does when a dialog is closed by the button being skinned.
class SelfFreeingSkin : public TFrameSkin {
public:
    SelfFreeingSkin(TWinSkinForm* host, ReleaseLog& log) : TFrameSkin(host), m_host(host), m_log(log) {}
    ~SelfFreeingSkin() override { ++m_log.freed; }
    bool BeforeProc(TMessage& message) override
    {
        if (message.Msg == WM_TEST_NESTED) {
            SendMessageW(ControlHandle(), WM_TEST_FREE, 0, 0);
            m_log.freedAfterInner = m_log.freed;
        }
        if (message.Msg == WM_TEST_FREE) {
            m_host->FreeControl(this);
            m_log.freedWhenAsked = m_log.freed;
        }
        return TFrameSkin::BeforeProc(message);
    }
    void AfterProc(TMessage& message) override
    {
        if (message.Msg == WM_TEST_FREE || message.Msg == WM_TEST_NESTED)
            ++m_log.afterRuns;
        TFrameSkin::AfterProc(message);
    }

private:
    TWinSkinForm* m_host;
    ReleaseLog& m_log;
};

class ControlSkinRelease : public ControlSkinLifetime {
protected:
    SelfFreeingSkin* Attach()
    {
        auto* skin = new SelfFreeingSkin(m_host.get(), m_log);
        skin->Inithwnd(m_raw, m_data.get(), nullptr, m_host.get());
        return skin;
    }
    ReleaseLog m_log;
};

TEST_F(ControlSkinRelease, FreedInsideItsOwnMessageGoesWhenThatMessageReturns)
{
    const LONG_PTR rawProc = WindowProcOf(m_raw);
    ASSERT_TRUE(Attach()->Inited());
    SendMessageW(m_raw, WM_TEST_FREE, 0, 0);
    EXPECT_EQ(m_log.freedWhenAsked, 0) << "kept while its message ran";
    EXPECT_EQ(m_log.freed, 1) << "freed once the message returned";
    EXPECT_EQ(m_log.afterRuns, 0) << "nothing ran on it after its release";
    EXPECT_TRUE(m_host->Controls.empty());
    EXPECT_EQ(m_host->ComponentCount(), 0);
    EXPECT_EQ(WindowProcOf(m_raw), rawProc);
    EXPECT_EQ(SendMessageW(m_raw, WM_ISSKINNED, 0, 0), 0);
}

TEST_F(ControlSkinRelease, FreedInANestedMessageWaitsForTheOutermost)
{
    ASSERT_TRUE(Attach()->Inited());
    SendMessageW(m_raw, WM_TEST_NESTED, 0, 0);
    EXPECT_EQ(m_log.freedWhenAsked, 0);
    EXPECT_EQ(m_log.freedAfterInner, 0) << "the outer message still runs";
    EXPECT_EQ(m_log.freed, 1);
    EXPECT_EQ(m_log.afterRuns, 0);
    EXPECT_TRUE(m_host->Controls.empty());
}

TEST_F(ControlSkinRelease, FreedOutsideAnyMessageGoesAtOnce)
{
    SelfFreeingSkin* skin = Attach();
    m_host->FreeControl(skin);
    EXPECT_EQ(m_log.freed, 1);
    EXPECT_EQ(m_host->ComponentCount(), 0);
}

} // namespace
} // namespace tarnivo
