#include "application.h"

#include "form.h"
#include "ownmessages.h"
#include "screen.h"
#include "unicodetext.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnivo {

namespace {

const wchar_t* const AppWindowClass = L"TarnivoApplication";

// The screen is made before and freed after the application, whose forms
// take themselves off the screen's list when they are destroyed at exit.
TScreen TheScreen;
TApplication TheApplication(nullptr);

} // namespace

TApplication* Application = &TheApplication;
TScreen* Screen = &TheScreen;

const TClassInfo& TApplication::StaticClassInfo()
{
    static const TClassInfo info{"TApplication", &TComponent::StaticClassInfo(), {}};
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication()
{
    DestroyComponents();
    if (m_handle)
        DestroyWindow(m_handle);
}

HINSTANCE TApplication::Instance() const
{
    return GetModuleHandleW(nullptr);
}

void TApplication::Initialize()
{
    if (m_handle)
        return;
    // Before any window exists: whatever loop of this thread takes a forged
    // WM_NOTIFY (or the like) from the queue, it dispatches WM_NULL instead.
    m_postFilter.Install(WH_GETMESSAGE, [this](int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && lParam)
            DisarmForgedPost(*reinterpret_cast<MSG*>(lParam));
        return m_postFilter.CallNext(code, wParam, lParam);
    });
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    HICON icon = LoadIconW(Instance(), L"MAINICON");
    if (icon)
        m_icon.SetHandle(CopyIcon(icon));

    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = Instance();
    wc.hIcon = icon;
    wc.lpszClassName = AppWindowClass;
    RegisterClassW(&wc);

    // The application window is the owner of every form: its taskbar button
    // is the program's, and minimising it takes all forms along. It has no
    // area of its own (zero size), so nothing of it is ever seen but the button.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    m_handle = CreateWindowExW(0, AppWindowClass, ToWide(m_title).c_str(),
                               WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU |
                                   WS_MINIMIZEBOX,
                               x, y, 0, 0, nullptr, nullptr, Instance(), nullptr);
    if (!m_handle || !m_subclass.Install(m_handle, [this](TMessage& m) { Perform(m); }))
        throw EOutOfResources("Error creating the application window");
    if (icon) {
        SendMessageW(m_handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(m_handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void TApplication::SetTitle(const std::string& title)
{
    if (m_title == title)
        return;
    m_title = title;
    if (m_handle)
        SetWindowTextW(m_handle, ToWide(m_title).c_str());
}

void TApplication::AddForm(TForm* form)
{
    if (!m_mainForm)
        m_mainForm = form;
    form->AfterConstruction();
}

void TApplication::FormDestroyed(TForm* form)
{
    std::erase(m_pendingRelease, form);
    if (form == m_mainForm) {
        m_mainForm = nullptr;
        Terminate();
    }
}

void TApplication::ReleaseForm(TForm* form)
{
    if (!form)
        return;
    if (!ReleasePending(form))
        m_pendingRelease.push_back(form);
    PostMessageW(m_handle, CM_RELEASE, 0, reinterpret_cast<LPARAM>(form));
}

bool TApplication::ReleasePending(const TForm* form) const
{
    return std::find(m_pendingRelease.begin(), m_pendingRelease.end(), form) !=
           m_pendingRelease.end();
}

// lParam is only compared, never followed, until it is found on the list.
void TApplication::CMRelease(LPARAM form)
{
    auto it = std::find_if(m_pendingRelease.begin(), m_pendingRelease.end(),
                           [form](TForm* f) { return reinterpret_cast<LPARAM>(f) == form; });
    if (it == m_pendingRelease.end())
        return;
    TForm* released = *it;
    m_pendingRelease.erase(it);
    delete released;
}

void TApplication::Run()
{
    if (m_mainForm && m_showMainForm) {
        // The application window carries the taskbar button.
        ShowWindow(m_handle, SW_SHOWNOACTIVATE);
        m_mainForm->Show();
    }
    MSG msg;
    while (!m_terminated) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0)
            break;
        ProcessMessage(msg);
    }
    m_terminated = true;
}

bool TApplication::ProcessMessage(MSG& msg)
{
    if (msg.message == WM_QUIT) {
        m_terminated = true;
        return true;
    }
    try {
        if (IsMDIAccelerator(msg))
            return true;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    } catch (...) {
        HandleException(std::current_exception());
    }
    ShowDeferredException();
    return true;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ProcessMessage(msg);
    // Also what a message sent from outside the loop left behind.
    ShowDeferredException();
}

void TApplication::ShowDeferredException()
{
    // What a window or hook procedure caught while a message was handled.
    if (std::exception_ptr error = TakeDeferredException())
        HandleException(error);
}

void TApplication::Terminate()
{
    if (m_terminated)
        return;
    m_terminated = true;
    PostQuitMessage(0);
}

bool TApplication::Minimized() const
{
    return m_handle && IsIconic(m_handle);
}

void TApplication::Minimize()
{
    if (!m_handle || IsIconic(m_handle))
        return;
    // Windows hides the owned forms with their owner; Wine without a window
    // manager does not, so hide them explicitly (ShowOwnedPopups remembers
    // which ones it hid and shows exactly those again on restore).
    ShowOwnedPopups(m_handle, FALSE);
    ShowWindow(m_handle, SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (!m_handle || !IsIconic(m_handle))
        return;
    ShowWindow(m_handle, SW_RESTORE);
    ShowOwnedPopups(m_handle, TRUE);
    if (m_mainForm && m_mainForm->HandleAllocated() && IsWindowVisible(m_mainForm->Handle()))
        SetActiveWindow(m_mainForm->Handle());
}

THookId TApplication::HookMainWindow(TWindowHook hook)
{
    THookId id = m_nextHookId++;
    m_hooks.push_back({id, std::move(hook)});
    return id;
}

void TApplication::UnhookMainWindow(THookId id)
{
    std::erase_if(m_hooks, [id](const Hook& h) { return h.Id == id; });
}

bool TApplication::RunHooks(TMessage& message)
{
    // A hook may unhook itself (or others) while it runs.
    std::vector<Hook> hooks = m_hooks;
    for (const Hook& h : hooks)
        if (h.Proc(message))
            return true;
    return false;
}

void TApplication::Perform(TMessage& message)
{
    if (RunHooks(message))
        return;
    switch (message.Msg) {
    case WM_SYSCOMMAND:
        switch (message.WParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return;
        case SC_RESTORE: Restore(); return;
        }
        break;
    case WM_CLOSE:
        if (m_mainForm)
            m_mainForm->Close();
        return;
    case CM_RELEASE:
        CMRelease(message.LParam);
        return;
    case WM_SETFOCUS:
        // Focus given to the zero-sized application window belongs to the main form.
        if (m_mainForm && m_mainForm->HandleAllocated() && IsWindowVisible(m_mainForm->Handle()))
            SetFocus(m_mainForm->Handle());
        return;
    }
    m_subclass.CallPrevious(message);
}

void TApplication::HandleException(std::exception_ptr error)
{
    std::string text;
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        text = e.Message();
    } catch (...) {
        // Only framework exceptions carry a message meant for the user.
    }
    if (OnShowException) {
        OnShowException(text);
        return;
    }
    HWND owner = (m_mainForm && m_mainForm->HandleAllocated()) ? m_mainForm->Handle() : m_handle;
    MessageBoxW(owner, ToWide(text).c_str(), ToWide(m_title).c_str(), MB_OK | MB_ICONSTOP);
}

} // namespace tarnivo
