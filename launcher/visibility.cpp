// The main window's coming and going: the F11 hot key, the tray icon's click
// and minimise, and the "-hide" switch.

#include "mainform.h"
#include "testquery.h"

#include "framework/application.h"
#include "framework/formscale.h"

#include <shellapi.h>

#include <cstring>

namespace tarnivo {

namespace {

// The trailing blank is part of the name other copies of the program use.
const char* const HotKeyAtomName = "speedshortcuthotkey ";
constexpr UINT HotKeyVirtualKey = VK_F11;
constexpr std::int32_t AtomBase = 0xC000;

// Whether the command line's first argument is exactly "-hide".
bool StartHidden()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool hide = argv && argc > 1 && std::wcscmp(argv[1], L"-hide") == 0;
    LocalFree(argv);
    return hide;
}

} // namespace

void TForm1::RegisterHotKey()
{
    m_hotKeyAtom = GlobalAddAtomA(HotKeyAtomName);
    HotKeyId = static_cast<std::int32_t>(m_hotKeyAtom) - AtomBase;
    if (HandleAllocated())
        RegisterHotKeyOnWindow();
    else
        HandleNeeded();   // HandleCreated registers it
}

// Another program (or another copy of this one) may hold F11 already: then
// only the tray icon brings this copy back. Nothing is reported.
void TForm1::RegisterHotKeyOnWindow()
{
    if (m_hotKeyAtom)
        ::RegisterHotKey(Handle(), HotKeyId, 0, HotKeyVirtualKey);
}

void TForm1::UnregisterHotKey()
{
    // The window may be gone already (a hot key dies with its window); the
    // atom is the program's, and a copy that ends must give its share back.
    if (HandleAllocated())
        ::UnregisterHotKey(Handle(), HotKeyId);
    if (m_hotKeyAtom) {
        GlobalDeleteAtom(m_hotKeyAtom);
        m_hotKeyAtom = 0;
    }
}

void TForm1::HandleCreated()
{
    TForm::HandleCreated();
    RegisterHotKeyOnWindow();
}

void TForm1::HandleDestroying()
{
    if (m_hotKeyAtom)
        ::UnregisterHotKey(Handle(), HotKeyId);
    TForm::HandleDestroying();
}

void TForm1::Dispatch(TMessage& message)
{
    if (AnswerTextQuery(*this, message))
        return;
    if (message.Msg == WM_HOTKEY) {
        WMHotKey(message);
        return;
    }
    if (message.Msg == WMDpiChanged) {
        DpiChanged(message);
        return;
    }
    TForm::Dispatch(message);
}

void TForm1::DpiChanged(TMessage& message)
{
    TForm::Dispatch(message);
    FollowIconSize();
}

void TForm1::WMHotKey(TMessage& message)
{
    if (static_cast<std::int32_t>(message.WParam) != HotKeyId)
        return;
    BringToFront();
}

void TForm1::BringToFront()
{
    Application->Restore();
    ListView2->SetFocus();
    HWND window = Handle();
    SetForegroundWindow(window);
    ShowWindow(window, SW_RESTORE);
    BringWindowToTop(window);
    SetActiveWindow(window);
}

void TForm1::TrayIcon1Click(TObject*)
{
    Application->SetShowMainForm(true);
    BringToFront();
}

void TForm1::TrayIcon1Minimize(TObject*)
{
    ResetTypedText();
}

void TForm1::FormActivate(TObject*)
{
    if (StartHidden())
        TrayIcon1->Minimize();
}

} // namespace tarnivo
