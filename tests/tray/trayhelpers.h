#pragma once
// Shared pieces of the tray tests: solid-colour icons whose colour tells which
// icon is shown, a subclass recording the virtual calls, and the shell's view.

#include "tray/trayicon.h"

#include "framework/imagelist.h"

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tarnivo {
class TForm;
}

namespace tarnivo::test {

constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255);
constexpr COLORREF AppColour = RGB(255, 255, 0);   // the application's icon

// Set up once by the test environment (trayenvironment.cpp).
TForm* MainForm();
std::vector<std::string>& ShownExceptions();

HICON MakeSolidIcon(COLORREF colour);
COLORREF IconColour(HICON icon);   // the middle pixel, drawn over white
void FillImageList(TImageList& list, std::initializer_list<COLORREF> colours);
// Runs the message loop (timers included) until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

inline bool ShellKnows(TNotifyIconData record)
{
    return Shell_NotifyIconA(NIM_MODIFY, reinterpret_cast<NOTIFYICONDATAA*>(&record)) != FALSE;
}

// The callback as the shell sends it: wParam the icon's id, lParam the action.
inline void SendTrayCallback(const TTrayIcon& tray, UINT mouseMessage)
{
    SendMessageA(tray.Handle(), TTrayIcon::CallbackMessage, tray.IconData().uID, mouseMessage);
}

// Restore and ShowMenu only record, so the windows stay as they are.
class RecordingTray : public TTrayIcon {
public:
    using TTrayIcon::TTrayIcon;
    std::vector<std::string> Calls;
    TShiftState Shift;
    POINT Pos{-1, -1};
    int Updates = 0;
    std::vector<int> Steps;   // IconIndex after each animation step

    void Restore() override { Calls.push_back("Restore"); }
    void ShowMenu() override { Calls.push_back("ShowMenu"); }
    void Update() override { ++Updates, TTrayIcon::Update(); }
    void DoOnAnimate() override { TTrayIcon::DoOnAnimate(), Steps.push_back(IconIndex()); }

protected:
    void DoClick() override { Calls.push_back("DoClick"), TTrayIcon::DoClick(); }
    void DoDblClick() override { Calls.push_back("DoDblClick"), TTrayIcon::DoDblClick(); }
    void DoMouseMove(TShiftState s, int x, int y) override
    {
        Note("DoMouseMove", s, x, y);
        TTrayIcon::DoMouseMove(s, x, y);
    }
    void DoMouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        Note("DoMouseDown " + std::to_string(b), s, x, y);
        TTrayIcon::DoMouseDown(b, s, x, y);
    }
    void DoMouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        Note("DoMouseUp " + std::to_string(b), s, x, y);
        TTrayIcon::DoMouseUp(b, s, x, y);
    }

private:
    void Note(const std::string& call, TShiftState s, int x, int y)
    {
        Calls.push_back(call);
        Shift = s;
        Pos = {x, y};
    }
};

} // namespace tarnivo::test
