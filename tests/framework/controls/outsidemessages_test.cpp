// The framework's private messages arriving through the queue, where any
// process can post them with any parameters: the release of closed forms,
// the reflected notifications and the notices. Only what the program itself
// sent is acted on.

#include "framework/controls/bitbtn.h"
#include "framework/controls/button.h"
#include "framework/controls/edit.h"
#include "framework/controls/listview.h"
#include "framework/controls/statusbar.h"
#include "framework/controls/treeview.h"
#include "framework/ownmessages.h"
#include "framework/windowprochook.h"

#include "testform.h"

#include <memory>

namespace tarnivo {
namespace {

using test::FormTest;
using test::Pump;

// A form that counts its destructions.
class CountedForm : public TForm {
public:
    CountedForm(TComponent* owner, int& freed) : TForm(owner), m_freed(freed) {}
    ~CountedForm() override { ++m_freed; }

private:
    int& m_freed;
};

// What another process can put in lParam.
constexpr LPARAM JunkValues[] = {0, 1, 0x41414141, static_cast<LPARAM>(-1), 0x7FFF0000};

class ReleaseMessage : public FormTest {
protected:
    CountedForm* ClosingForm(int& freed)
    {
        auto* f = MakeForm<CountedForm>(nullptr, freed);
        f->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
        f->Show();
        return f;
    }
    static void PostRelease(LPARAM value)
    {
        PostMessageA(Application->Handle(), CM_RELEASE, 0, value);
    }
};

TEST_F(ReleaseMessage, JunkInLParamIsIgnored)
{
    for (LPARAM junk : JunkValues)
        PostRelease(junk);
    Pump();
    // Still here: nothing was freed.
    SUCCEED();
}

TEST_F(ReleaseMessage, ALiveFormThatAskedForNothingStays)
{
    int freed = 0;
    auto* other = MakeForm<CountedForm>(nullptr, freed);
    other->Show();
    PostRelease(reinterpret_cast<LPARAM>(other));
    PostRelease(reinterpret_cast<LPARAM>(static_cast<TForm*>(other)));
    Pump();
    EXPECT_EQ(freed, 0);
    EXPECT_TRUE(other->HandleAllocated() && IsWindow(other->Handle()));
    delete other;
    EXPECT_EQ(freed, 1);
}

TEST_F(ReleaseMessage, AClosedFormIsFreedOnceHoweverOftenItAsks)
{
    int freed = 0;
    CountedForm* closing = ClosingForm(freed);
    const auto address = reinterpret_cast<LPARAM>(static_cast<TForm*>(closing));
    closing->Close();
    closing->Close();
    EXPECT_EQ(freed, 0);   // not inside its own Close
    Pump();
    EXPECT_EQ(freed, 1);
    // The same address posted once more (by anybody) after it was freed.
    PostRelease(address);
    Pump();
    EXPECT_EQ(freed, 1);
}

TEST_F(ReleaseMessage, AFormFreedBeforeItsReleaseArrivesLeavesTheList)
{
    int freed = 0;
    CountedForm* closing = ClosingForm(freed);
    closing->Close();
    EXPECT_TRUE(Application->ReleasePending(closing));
    delete closing;
    EXPECT_FALSE(Application->ReleasePending(closing));
    Pump();
    EXPECT_EQ(freed, 1);
}

TEST_F(ReleaseMessage, AFormReleasedWhileAnotherIsPendingFreesOnlyItself)
{
    int freedA = 0, freedB = 0;
    CountedForm* a = ClosingForm(freedA);
    CountedForm* b = ClosingForm(freedB);
    a->Close();
    // A forged release of b (closed only later) arrives before b's own.
    PostRelease(reinterpret_cast<LPARAM>(static_cast<TForm*>(b)));
    Pump();
    EXPECT_EQ(freedA, 1);
    EXPECT_EQ(freedB, 0);
    b->Close();
    Pump();
    EXPECT_EQ(freedB, 1);
}

// CN_* and CM_* posted or sent to a control's window by anybody but the
// framework itself.
class OutsideNotices : public FormTest {};

TEST_F(OutsideNotices, AReflectedNotificationWithAJunkRecordIsIgnored)
{
    auto* list = new TListView(form.get());
    list->SetParent(form.get());
    list->SetViewStyle(vsReport);
    auto* tree = new TTreeView(form.get());
    tree->SetParent(form.get());
    tree->SetBounds(250, 10, 100, 100);
    auto* status = new TStatusBar(form.get());
    status->SetParent(form.get());
    auto* bitbtn = new TBitBtn(form.get());
    bitbtn->SetParent(form.get());
    bitbtn->SetBounds(10, 200, 80, 24);
    ShowForm();
    for (HWND window : {list->Handle(), tree->Handle(), status->Handle(), bitbtn->Handle()}) {
        for (LPARAM junk : JunkValues) {
            PostMessageA(window, CN_NOTIFY, 0, junk);
            PostMessageA(window, CN_DRAWITEM, 0, junk);
            PostMessageA(window, CN_MEASUREITEM, 0, junk);
            EXPECT_EQ(SendMessageA(window, CN_NOTIFY, 0, junk), 0);
            EXPECT_EQ(SendMessageA(window, CN_DRAWITEM, 0, junk), 0);
        }
    }
    Pump();
    EXPECT_TRUE(IsWindow(list->Handle()));
}

// Wine posts WM_NOTIFY from any process with lParam as it was given.
TEST_F(OutsideNotices, APostedSystemNotificationIsNeverDispatched)
{
    auto* list = new TListView(form.get());
    list->SetParent(form.get());
    list->SetViewStyle(vsReport);
    ShowForm();
    int forged = 0, real = 0;
    auto watch = [&](TWindowProcHook& self, TMessage& m) {
        if (m.Msg == WM_NOTIFY && m.LParam == 0x41414141)
            ++forged;
        if (m.Msg == WM_NOTIFY && NotifyRecord(m.LParam) &&
            NotifyRecord(m.LParam)->code == static_cast<UINT>(NM_CLICK))
            ++real;
        self.CallNext(m);
    };
    TWindowProcHook onForm(*form, [&](TMessage& m) { watch(onForm, m); });
    TWindowProcHook onList(*list, [&](TMessage& m) { watch(onList, m); });
    for (HWND window : {form->Handle(), list->Handle()}) {
        PostMessageA(window, WM_NOTIFY, 0, 0x41414141);
        PostMessageA(window, WM_NOTIFY, 0x41414141, 0x41414141);
    }
    Pump();
    EXPECT_EQ(forged, 0);
    // Sent, as a child control does, it arrives.
    NMHDR click{list->Handle(), 0, static_cast<UINT>(NM_CLICK)};
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(real, 1);
}

TEST_F(OutsideNotices, AClickReflectedByAStrangerDoesNotClick)
{
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();
    const WPARAM clicked = MAKEWPARAM(0, BN_CLICKED);
    const auto self = reinterpret_cast<LPARAM>(button->Handle());
    PostMessageA(button->Handle(), CN_COMMAND, clicked, self);
    SendMessageA(button->Handle(), CN_COMMAND, clicked, self);
    Pump();
    EXPECT_EQ(clicks, 0);
    // The framework's own reflection (the parent's WM_COMMAND) and the
    // program's own send still click.
    SendMessageA(form->Handle(), WM_COMMAND, clicked, self);
    EXPECT_EQ(clicks, 1);
    SendOwnMessage(button->Handle(), CN_COMMAND, clicked, self);
    EXPECT_EQ(clicks, 2);
}

TEST_F(OutsideNotices, APostedRecreateLeavesTheWindow)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    ShowForm();
    HWND window = edit->Handle();
    PostMessageA(window, CM_RECREATEWND, 0, 0);
    PostMessageA(form->Handle(), CM_RECREATEWND, 0, 0);
    Pump();
    EXPECT_EQ(edit->Handle(), window);
    EXPECT_TRUE(IsWindow(window));
    // The framework's own recreation still works.
    edit->RecreateWnd();
    EXPECT_NE(edit->Handle(), window);
    EXPECT_TRUE(IsWindow(edit->Handle()));
}

TEST_F(OutsideNotices, NoticesWithJunkObjectsReachNoControl)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    test::MessageLog log(*edit);
    ShowForm();
    // What showing the form sent (the focus given to the edit).
    const int focus = log.Count(CM_FOCUSCHANGED);
    const int keys = log.Count(CM_DIALOGKEY);
    const int enabled = log.Count(CM_ENABLEDCHANGED);
    for (LPARAM junk : JunkValues) {
        // lParam of CM_FOCUSCHANGED is a control; the form passes it to all.
        PostMessageA(form->Handle(), CM_FOCUSCHANGED, 0, junk);
        SendMessageA(form->Handle(), CM_DIALOGKEY, VK_RETURN, junk);
        PostMessageA(edit->Handle(), CM_ENABLEDCHANGED, 0, junk);
    }
    Pump();
    EXPECT_EQ(log.Count(CM_FOCUSCHANGED), focus);
    EXPECT_EQ(log.Count(CM_DIALOGKEY), keys);
    EXPECT_EQ(log.Count(CM_ENABLEDCHANGED), enabled);
    // Perform, the framework's way, still reaches the control.
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(edit)));
    EXPECT_EQ(log.Count(CM_FOCUSCHANGED), focus + 1);
}

TEST_F(OutsideNotices, AnOwnSendIsOwnOnlyWhileItIsHandledAndOnlyOnItsWindow)
{
    auto* a = new TButton(form.get());
    a->SetParent(form.get());
    auto* b = new TButton(form.get());
    b->SetParent(form.get());
    b->SetLeft(100);
    ShowForm();
    bool ownInside = false, otherWindowOwn = true, otherParamsOwn = true;
    TWindowProcHook hook(*a, [&](TMessage& m) {
        if (m.Msg == CM_EXIT) {
            ownInside = IsOwnMessage(a->Handle(), m);
            otherWindowOwn = IsOwnMessage(b->Handle(), m);
            TMessage changed = m;
            changed.LParam = 5;
            otherParamsOwn = IsOwnMessage(a->Handle(), changed);
        }
        hook.CallNext(m);
    });
    SendOwnMessage(a->Handle(), CM_EXIT, 0, 7);
    EXPECT_TRUE(ownInside);
    EXPECT_FALSE(otherWindowOwn);
    EXPECT_FALSE(otherParamsOwn);
    TMessage after{CM_EXIT, 0, 7, 0};
    EXPECT_FALSE(IsOwnMessage(a->Handle(), after));
}

TEST_F(OutsideNotices, TheFrameworkNumbersAreThoseWithObjectsOrActions)
{
    for (UINT msg : {CM_RELEASE, CM_RECREATEWND, CM_FOCUSCHANGED, CN_COMMAND, CN_NOTIFY,
                     CN_DRAWITEM, CN_MEASUREITEM, CN_HSCROLL, CN_VSCROLL, CN_CTLCOLORSTATIC,
                     CN_BASE + WM_CTLCOLORMSGBOX, CM_BASE, CM_BASE + 0xFF})
        EXPECT_TRUE(IsFrameworkNotice(msg)) << std::hex << msg;
    // Neighbours that are other people's numbers (the system's, a host's,
    // the skin engine's handshakes among the CN_ numbers).
    for (UINT msg : {static_cast<UINT>(WM_USER), CM_BASE - 1, CM_BASE + 0x100, CN_BASE,
                     CN_BASE + 0x4A, CN_BASE + 0x4D, CN_BASE + WM_CTLCOLORSTATIC + 1,
                     static_cast<UINT>(WM_COMMAND)})
        EXPECT_FALSE(IsFrameworkNotice(msg)) << std::hex << msg;
}

} // namespace
} // namespace tarnivo
