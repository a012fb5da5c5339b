// The framework notifications sent where the state changes (one table walked
// in order on one form), windows the framework did not create as parents,
// CreatingControl seen from a CBT hook, the exception policy of control
// windows and the child-colour brushes.

#include "framework/menus.h"
#include "framework/controls/button.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/windowshook.h"

#include "testform.h"

#include <string>

namespace tarnivo {
namespace {

using test::FormTest;
using test::Pump;

struct Sent {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// Records the framework notifications (CM_*) a control's WindowProc sees.
class Notices {
public:
    explicit Notices(TControl& control)
        : m_hook(control, [this](TMessage& m) {
              if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100)
                  m_sent.push_back({m.Msg, m.WParam, m.LParam});
              m_hook.CallNext(m);
          })
    {
    }
    void Clear() { m_sent.clear(); }
    std::vector<Sent> Of(UINT msg) const
    {
        std::vector<Sent> out;
        for (const Sent& s : m_sent)
            if (s.Msg == msg)
                out.push_back(s);
        return out;
    }

private:
    std::vector<Sent> m_sent;
    TWindowProcHook m_hook;
};

class Notifications : public FormTest {};

TEST_F(Notifications, SentWhereTheStateChanges)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 100, 80, 24);
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetBounds(200, 10, 60, 20);
    label->SetAutoSize(false);
    auto* menu = new TMainMenu(form.get());
    ShowForm();

    Notices onForm(*form), onEdit(*edit), onButton(*button), onLabel(*label);
    HWND oldButton = button->Handle();
    struct Row {
        const char* what;
        std::function<void()> act;   // none: another look at the row before
        Notices& target;
        UINT msg;
        int count;
        std::function<bool(const Sent&)> params;   // checked on the first one
        std::function<bool()> after;
    };
    auto any = [](const Sent&) { return true; };
    auto none = [] { return true; };
    auto key = [](WPARAM k) { return [k](const Sent& s) { return s.WParam == k; }; };
    auto mouseAt = [&](TWinControl& c, int x, int y) {
        SendMessageA(c.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    };
    const Row rows[] = {
        {"hide edit", [&] { edit->Hide(); }, onEdit, CM_VISIBLECHANGED, 1, key(0),
         [&] { return !IsWindowVisible(edit->Handle()); }},
        {"show edit", [&] { edit->Show(); }, onEdit, CM_VISIBLECHANGED, 1, key(1),
         [&] { return IsWindowVisible(edit->Handle()) != FALSE; }},
        {"show edit again", [&] { edit->Show(); }, onEdit, CM_VISIBLECHANGED, 0, any, none},
        {"hide label", [&] { label->Hide(); }, onLabel, CM_VISIBLECHANGED, 1, key(0), none},
        {"disable button", [&] { button->SetEnabled(false); }, onButton, CM_ENABLEDCHANGED, 1,
         any, [&] { return !IsWindowEnabled(button->Handle()); }},
        {"enable button", [&] { button->SetEnabled(true); }, onButton, CM_ENABLEDCHANGED, 1,
         any, [&] { return IsWindowEnabled(button->Handle()) != FALSE; }},
        {"focus edit: form told", [&] { edit->SetFocus(); }, onForm, CM_FOCUSCHANGED, 1,
         [&](const Sent& s) { return s.LParam == reinterpret_cast<LPARAM>(static_cast<TControl*>(edit)); },
         none},
        {"focus edit: passed on to the controls", nullptr, onButton, CM_FOCUSCHANGED, 1, any, none},
        {"focus leaves edit", [&] { button->SetFocus(); }, onEdit, CM_EXIT, 1, any, none},
        {"Alt+x on button", [&] { SendMessageA(button->Handle(), WM_SYSCHAR, 'x', 0); }, onForm,
         CM_DIALOGCHAR, 1, key('x'), none},
        {"Tab on button", [&] { SendMessageA(button->Handle(), WM_KEYDOWN, VK_TAB, 0); }, onForm,
         CM_DIALOGKEY, 1, key(VK_TAB), none},
        {"Tab offered to the controls", nullptr, onEdit, CM_DIALOGKEY, 1, key(VK_TAB), none},
        {"letter in edit stays there", [&] { SendMessageA(edit->Handle(), WM_CHAR, 'q', 0); },
         onForm, CM_DIALOGCHAR, 0, any, none},
        {"pointer over button", [&] { mouseAt(*button, 5, 5); }, onButton, CM_MOUSEENTER, 1,
         any, none},
        {"pointer moves on button", [&] { mouseAt(*button, 6, 6); }, onButton, CM_MOUSEENTER, 0,
         any, none},
        {"pointer leaves button", [&] { SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0); },
         onButton, CM_MOUSELEAVE, 1, any, none},
        {"pointer over label", [&] { mouseAt(*form, 210, 15); }, onLabel, CM_MOUSEENTER, 0,
         any, none},   // hidden
        {"label shown, pointer over it", [&] { label->Show(); mouseAt(*form, 211, 15); },
         onLabel, CM_MOUSEENTER, 1, any, none},
        {"pointer off label", [&] { mouseAt(*form, 5, 300); }, onLabel, CM_MOUSELEAVE, 1, any,
         none},
        {"recreate button", [&] { button->RecreateWnd(); }, onButton, CM_RECREATEWND, 1, any,
         [&] {
             return button->Handle() != oldButton && !IsWindow(oldButton) &&
                    IsWindowVisible(button->Handle()) && button->Text() == button->Caption();
         }},
        {"menu set", [&] { form->SetMenu(menu); }, onForm, CM_MENUCHANGED, 1, any, none},
    };
    for (const Row& row : rows) {
        if (row.act) {
            for (Notices* n : {&onForm, &onEdit, &onButton, &onLabel})
                n->Clear();
            row.act();
        }
        std::vector<Sent> got = row.target.Of(row.msg);
        EXPECT_EQ(static_cast<int>(got.size()), row.count) << row.what;
        if (!got.empty()) {
            EXPECT_TRUE(row.params(got.front())) << row.what;
        }
        EXPECT_TRUE(row.after()) << row.what;
    }
}

TEST_F(Notifications, PointerLeavingIsNoticedThroughTrackMouseEvent)
{
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(20, 20, 80, 30);
    ShowForm();
    Notices notices(*button);
    RECT r;
    GetWindowRect(button->Handle(), &r);
    SetCursorPos(r.left + 5, r.top + 5);
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(notices.Of(CM_MOUSEENTER).size(), 1u);
    SetCursorPos(r.right + 200, r.bottom + 200);
    DWORD start = GetTickCount();
    while (notices.Of(CM_MOUSELEAVE).empty() && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    EXPECT_EQ(notices.Of(CM_MOUSELEAVE).size(), 1u);
}

// Makes another control's window while its own is being created.
struct Outer : TCustomControl {
    using TCustomControl::TCustomControl;
    TButton* inner = nullptr;
    void Dispatch(TMessage& m) override
    {
        if (m.Msg == WM_CREATE && inner) {
            inner->SetParentWindow(Handle());
            inner->HandleNeeded();
        }
        TCustomControl::Dispatch(m);
    }
};

TEST_F(Notifications, CreatingControlAnswersInTheCbtHookForItsOwnWindowOnly)
{
    ShowForm();
    auto* edit = new TEdit(form.get());
    auto* outer = new Outer(form.get());
    outer->inner = new TButton(form.get());
    std::vector<std::pair<HWND, TWinControl*>> seen;
    TWinControl* outerWhileInnerMade = nullptr;
    TWindowsHook spy(WH_CBT, [&](int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_CREATEWND) {
            HWND w = reinterpret_cast<HWND>(wp);
            if (seen.size() == 2)
                outerWhileInnerMade = TWinControl::CreatingControl(seen[1].first);
            seen.emplace_back(w, TWinControl::CreatingControl(w));
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    });
    edit->SetParent(form.get());    // a system class ("EDIT")
    outer->SetParent(form.get());   // the framework's class, and a window made inside
    spy.Remove();
    ASSERT_EQ(seen.size(), 3u);
    using Seen = std::pair<HWND, TWinControl*>;
    EXPECT_EQ(seen[0], Seen(edit->Handle(), edit));
    EXPECT_EQ(seen[1], Seen(outer->Handle(), outer));
    EXPECT_EQ(seen[2], Seen(outer->inner->Handle(), outer->inner));
    EXPECT_EQ(outerWhileInnerMade, outer);
    EXPECT_EQ(GetParent(outer->inner->Handle()), outer->Handle());
    EXPECT_EQ(TWinControl::CreatingControl(edit->Handle()), nullptr);   // only while made
    EXPECT_EQ(TWinControl::CreatingControl(nullptr), nullptr);
}

TEST_F(Notifications, ControlOnAWindowTheFrameworkDidNotCreate)
{
    ShowForm();
    HWND host = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100,
                                form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 100, 200, 100,
                                 form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    auto* edit = new TEdit(form.get());   // owned by the form, no framework parent
    edit->SetParentWindow(host);
    edit->SetText("raw parent");
    EXPECT_EQ(GetParent(edit->Handle()), host);
    EXPECT_EQ(edit->Parent(), nullptr);
    test::MessageLog log(*edit);
    SetWindowTextA(edit->Handle(), "typed");
    EXPECT_EQ(log.Count(WM_SETTEXT), 1);
    EXPECT_EQ(edit->Text(), "typed");

    edit->SetParentWindow(other);   // a live window moves
    EXPECT_EQ(GetParent(edit->Handle()), other);
    // The raw parent goes first: the control's window goes with it, the
    // control lives on without one and makes a new one where it is now told.
    DestroyWindow(other);
    EXPECT_FALSE(edit->HandleAllocated());
    edit->SetParentWindow(host);
    EXPECT_EQ(GetParent(edit->Handle()), host);
    DestroyWindow(host);
    EXPECT_FALSE(edit->HandleAllocated());
}

TEST_F(Notifications, FailingHookKeepsTheControlWorkingAndOnlyTheLoopShowsIt)
{
    std::vector<std::string> shown;
    Application->OnShowException = [&](const std::string& text) { shown.push_back(text); };
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    ShowForm();
    TWindowProcHook failing(*button, [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT || m.Msg == WM_PAINT)
            throw Exception("hook failed");
        failing.CallNext(m);
    });
    SetWindowTextA(button->Handle(), "still set");
    EXPECT_EQ(button->Text(), "still set");   // the button's own procedure did it
    EXPECT_TRUE(shown.empty());
    Pump();
    EXPECT_EQ(shown, std::vector<std::string>{"hook failed"});
    // Painting failures never reach the box, however often the window paints.
    shown.clear();
    for (int i = 0; i < 5; ++i) {
        InvalidateRect(button->Handle(), nullptr, TRUE);
        Pump();
    }
    EXPECT_TRUE(shown.empty());
    failing.Remove();
    Application->OnShowException = nullptr;
}

TEST_F(Notifications, ChildColourBrushFollowsTheColourAndIsFreed)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    ShowForm();
    HDC dc = GetDC(edit->Handle());
    auto brushFor = [&] {
        return reinterpret_cast<HBRUSH>(SendMessageA(form->Handle(), WM_CTLCOLOREDIT,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(edit->Handle())));
    };
    auto colourOf = [](HBRUSH b) {
        LOGBRUSH lb{};
        return GetObjectA(b, sizeof(lb), &lb) == sizeof(lb) ? lb.lbColor : CLR_INVALID;
    };
    HBRUSH first = brushFor();
    EXPECT_EQ(colourOf(first), static_cast<COLORREF>(ColorToRGB(edit->Color())));
    EXPECT_EQ(brushFor(), first);   // kept while the colour stays
    edit->SetColor(clYellow);
    HBRUSH second = brushFor();
    EXPECT_EQ(colourOf(second), RGB(255, 255, 0));
    EXPECT_EQ(GetObjectType(first), 0u);   // the old one was freed
    ReleaseDC(edit->Handle(), dc);
    delete edit;
    EXPECT_EQ(GetObjectType(second), 0u);
}

} // namespace
} // namespace tarnivo
