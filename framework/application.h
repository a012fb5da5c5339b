#pragma once
// The application object: its hidden top-level window (which owns the
// taskbar button and minimises and restores the whole program), the main
// form, the message loop, the main-window hooks and the exception box.

#include "component.h"
#include "icon.h"
#include "messages.h"
#include "messagewindow.h"
#include "subclass.h"
#include "windowshook.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TForm;

// Called for every message of the application window before its own
// processing; answering true ends the processing of that message.
using TWindowHook = std::function<bool(TMessage&)>;
using THookId = int;

class TApplication : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();

    // Creates a form (the first becomes the main form) and runs its creation
    // event once the whole construction is done.
    template <typename F, typename... Args>
    F* CreateForm(Args&&... args)
    {
        F* form = new F(this, std::forward<Args>(args)...);
        AddForm(form);
        return form;
    }

    // Shows the main form (unless ShowMainForm is off) and processes
    // messages until the main form closes or Terminate is called.
    void Run();
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return m_terminated; }

    void Minimize();
    void Restore();
    bool Minimized() const;

    HWND Handle() const { return m_handle; }
    HINSTANCE Instance() const;
    TForm* MainForm() const { return m_mainForm; }

    bool ShowMainForm() const { return m_showMainForm; }
    void SetShowMainForm(bool show) { m_showMainForm = show; }

    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title);

    // The program's icon (resource "MAINICON" when present).
    TIcon& Icon() { return m_icon; }

    THookId HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(THookId id);

    // Shows an exception that reached the message loop in the standard box:
    // the message of a framework exception, an empty message otherwise.
    // Window and hook procedures never call it: they keep what they catch
    // for the loop (DeferException), which shows it after the message.
    void HandleException(std::exception_ptr error);
    // Replaces the message box, for tests.
    std::function<void(const std::string&)> OnShowException;

    // Called by forms.
    void FormDestroyed(TForm* form);
    // Frees the form once the messages now in the queue are handled (a
    // closed form asks for it from inside its own handlers). Asking twice
    // frees it once; a form destroyed some other way before that is dropped.
    void ReleaseForm(TForm* form);
    // Is the form waiting to be freed by ReleaseForm?
    bool ReleasePending(const TForm* form) const;

    // The application window's message processing (hooks first).
    void Perform(TMessage& message);

private:
    void AddForm(TForm* form);
    bool RunHooks(TMessage& message);
    bool ProcessMessage(MSG& msg);
    void ShowDeferredException();
    void CMRelease(LPARAM form);

    HWND m_handle = nullptr;
    TWindowSubclass m_subclass;   // Perform in front of DefWindowProc
    TWindowsHook m_postFilter;    // WH_GETMESSAGE: disarms forged posts (ownmessages.h)
    TForm* m_mainForm = nullptr;
    // The forms ReleaseForm scheduled: CM_RELEASE frees only these. Its
    // lParam comes through the queue, where any process can post a junk
    // value or the address of a form that was never closed.
    std::vector<TForm*> m_pendingRelease;
    bool m_showMainForm = true;
    bool m_terminated = false;
    std::string m_title;
    TIcon m_icon;
    struct Hook {
        THookId Id;
        TWindowHook Proc;
    };
    std::vector<Hook> m_hooks;
    THookId m_nextHookId = 1;
};

// The one application object of the process.
extern TApplication* Application;

} // namespace tarnivo
