#include "programrun.h"

#include <psapi.h>

#include <cstring>

namespace tarnivo::bench {

namespace {

// Framework forms have this class; the application window (the taskbar
// button) bears the same title under another class.
const char* const FormClass = "TarnivoWindow";
const char* const MainCaption = "Tarnivo";
const char* const HotKeyAtomName = "speedshortcuthotkey ";

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

bool HasUpdateRegion(HWND window)
{
    return window && GetUpdateRect(window, nullptr, FALSE);
}

struct Search {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->ProcessId)
        return TRUE;
    char cls[64] = {}, caption[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, caption, sizeof caption);
    if (std::strcmp(cls, FormClass) == 0 && std::strcmp(caption, MainCaption) == 0) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

void SendKey(WORD virtualKey)
{
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = virtualKey;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

} // namespace

double ElapsedMs(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
           static_cast<double>(frequency);
}

RunningProgram::RunningProgram(const std::string& exe, const std::string& arguments)
{
    std::string folder = exe.substr(0, exe.find_last_of("\\/"));
    std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    m_start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return;
    m_process = process.hProcess;
    m_thread = process.hThread;
    m_processId = process.dwProcessId;
}

RunningProgram::~RunningProgram()
{
    if (!m_process)
        return;
    if (m_main && IsWindow(m_main))
        PostMessageA(m_main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process, 15000) != WAIT_OBJECT_0)
        TerminateProcess(m_process, 1);
    CloseHandle(m_thread);
    CloseHandle(m_process);
}

HWND RunningProgram::FindMainWindow() const
{
    Search search{m_processId, nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool RunningProgram::WaitMainWindow(DWORD timeoutMs)
{
    // The form's window comes first, its controls' windows right after.
    DWORD deadline = GetTickCount() + timeoutMs;
    for (;;) {
        if (!m_main)
            m_main = FindMainWindow();
        if (m_main)
            m_list = FindWindowExA(m_main, nullptr, "SysListView32", nullptr);
        if (m_list)
            return true;
        if (WaitForSingleObject(m_process, 1) == WAIT_OBJECT_0 ||
            static_cast<LONG>(GetTickCount() - deadline) > 0)
            return false;
    }
}

double RunningProgram::WaitShown(DWORD timeoutMs)
{
    if (!m_process)
        return -1;
    DWORD deadline = GetTickCount() + timeoutMs;
    if (!WaitMainWindow(timeoutMs))
        return -1;
    while (!IsWindowVisible(m_main) || !Painted()) {
        if (static_cast<LONG>(GetTickCount() - deadline) > 0)
            return -1;
        Sleep(1);
    }
    return ElapsedMs(m_start, Now());
}

bool RunningProgram::Painted() const
{
    return !HasUpdateRegion(m_list) && !HasUpdateRegion(m_main);
}

MemoryFigures RunningProgram::Memory() const
{
    MemoryFigures figures;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!m_process ||
        !GetProcessMemoryInfo(m_process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return figures;
    constexpr double MB = 1024.0 * 1024.0;
    figures.PeakWorkingSetMB = static_cast<double>(counters.PeakWorkingSetSize) / MB;
    figures.WorkingSetMB = static_cast<double>(counters.WorkingSetSize) / MB;
    // Wine fills in the commit charge (PagefileUsage) of another process but
    // not always PrivateUsage; on Windows the two are the same figure.
    SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    figures.PrivateMB = static_cast<double>(privateBytes) / MB;
    figures.PeakPrivateMB = static_cast<double>(counters.PeakPagefileUsage) / MB;
    figures.Known = true;
    return figures;
}

double RunningProgram::TypeKey(char key)
{
    LARGE_INTEGER start = Now();
    DWORD_PTR ignored = 0;
    // lParam 1: a repeat count of one, as a real key press carries; the
    // list view ignores characters without it.
    if (!SendMessageTimeoutA(m_list, WM_CHAR, static_cast<unsigned char>(key), 1, SMTO_NORMAL,
                             5000, &ignored))
        return -1;
    DWORD deadline = GetTickCount() + 5000;
    while (!Painted()) {
        if (static_cast<LONG>(GetTickCount() - deadline) > 0)
            return -1;
        SwitchToThread();
    }
    return ElapsedMs(start, Now());
}

bool RunningProgram::ToTray(DWORD timeoutMs)
{
    PostMessageA(m_main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    DWORD deadline = GetTickCount() + timeoutMs;
    while (IsWindowVisible(m_main)) {
        if (static_cast<LONG>(GetTickCount() - deadline) > 0)
            return false;
        Sleep(1);
    }
    return true;
}

bool RunningProgram::Restored() const
{
    if (!IsWindowVisible(m_main))
        return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(m_main, nullptr);
    if (!GetGUIThreadInfo(thread, &info))
        return false;
    return info.hwndActive == m_main && info.hwndFocus == m_list && Painted();
}

double RunningProgram::PressHotKey(DWORD timeoutMs, bool& throughKeyboard)
{
    auto waitRestored = [&](LARGE_INTEGER start, DWORD limit) -> double {
        DWORD deadline = GetTickCount() + limit;
        while (!Restored()) {
            if (static_cast<LONG>(GetTickCount() - deadline) > 0)
                return -1;
            SwitchToThread();
        }
        return ElapsedMs(start, Now());
    };
    if (m_keyboardHotKey) {
        LARGE_INTEGER start = Now();
        SendKey(VK_F11);
        double ms = waitRestored(start, timeoutMs);
        if (ms >= 0) {
            throughKeyboard = true;
            return ms;
        }
        m_keyboardHotKey = false;
    }
    // The program's own hot-key message, as the system posts it.
    ATOM atom = GlobalFindAtomA(HotKeyAtomName);
    if (!atom)
        return -1;
    throughKeyboard = false;
    LARGE_INTEGER start = Now();
    PostMessageA(m_main, WM_HOTKEY, static_cast<WPARAM>(atom - 0xC000), MAKELPARAM(0, VK_F11));
    return waitRestored(start, timeoutMs);
}

} // namespace tarnivo::bench
