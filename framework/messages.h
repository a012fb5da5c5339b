#pragma once
// Window messages as the framework passes them around, and the framework's
// own message numbers.

#include <windows.h>

namespace tarnivo {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A parent reflects the notifications of its child controls back to them as
// CN_BASE + the original message number (WM_NOTIFY arrives as CN_NOTIFY), so
// each control handles its own notifications.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// Framework-internal messages (WM_APP range).
constexpr UINT CM_RELEASE = WM_APP + 0x100;   // a form frees itself later

} // namespace tarnivo
