#pragma once
// Tarnivo.exe run as a user meets it, timed from outside its process: start-up
// until the main window is shown, its memory once the catalogue is scanned, a
// key sent to the result list until the list is rebuilt and repainted, and
// F11 from the tray until the window is shown with the list focused.

#include <windows.h>

#include <cstddef>
#include <string>

namespace tarnivo::bench {

struct MemoryFigures {
    double PeakWorkingSetMB = 0;
    double WorkingSetMB = 0;
    double PrivateMB = 0;       // private bytes (commit charge)
    double PeakPrivateMB = 0;
    bool Known = false;
};

class RunningProgram {
public:
    // Starts `exe` with `arguments` in the exe's own folder (it finds its
    // help page and fallback icon there). The clock starts just before.
    RunningProgram(const std::string& exe, const std::string& arguments);
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    // Closes the main window as the close box does; ends the process if it
    // does not go by itself.
    ~RunningProgram();

    bool Started() const { return m_process != nullptr; }
    // Waits until the main window exists and is visible; answers the time
    // since the start in ms, or a negative value after `timeoutMs`.
    double WaitShown(DWORD timeoutMs);
    // Waits until the main window exists (shown or not).
    bool WaitMainWindow(DWORD timeoutMs);

    HWND MainWindow() const { return m_main; }
    HWND List() const { return m_list; }
    MemoryFigures Memory() const;

    // Sends one character to the result list as the keyboard does and waits
    // until the list and the window have nothing left to repaint; ms, or
    // negative when the program does not answer.
    double TypeKey(char key);
    // Sends the minimise command (the tray takes the window) and waits until
    // the window is hidden.
    bool ToTray(DWORD timeoutMs);
    // Presses F11 and waits until the main window is shown, active, with
    // the result list focused and painted; ms, or negative after a time-out.
    // `throughKeyboard` tells how the key went: false when the synthesised
    // key press did not reach the hot key and WM_HOTKEY was posted instead.
    double PressHotKey(DWORD timeoutMs, bool& throughKeyboard);

private:
    HWND FindMainWindow() const;
    bool Painted() const;
    bool Restored() const;

    HANDLE m_process = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_processId = 0;
    HWND m_main = nullptr;
    HWND m_list = nullptr;
    LARGE_INTEGER m_start{};
    bool m_keyboardHotKey = true;   // until the keyboard path has failed once
};

// Milliseconds between two performance-counter readings.
double ElapsedMs(const LARGE_INTEGER& from, const LARGE_INTEGER& to);

} // namespace tarnivo::bench
