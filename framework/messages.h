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

// The framework's notifications, sent through a control's WindowProc (so
// that hooks see them) when its state changes. wParam and lParam are 0
// unless said otherwise.
constexpr UINT CM_BASE = 0xB000;
// To the form, for a key the focused control does not want (Tab, Enter,
// Escape, arrows); wParam = virtual key, lParam = the key message's lParam.
// The form passes it to its controls; a nonzero answer consumes the key.
constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;
// To the form, for Alt+character and for characters the focused control
// does not want; wParam = character. Nonzero consumes it, as above.
constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x06;
// To the form when one of its controls got the focus; lParam = that
// TControl*. The form passes it to all its controls.
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 0x07;
// To a control after Visible changed; wParam = the new value (1 or 0).
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;
// To a control after Enabled changed (a live window is enabled or disabled first).
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
// To a control when the pointer comes over it and when it leaves.
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
// To a form when its main menu was replaced or changed.
constexpr UINT CM_MENUCHANGED = CM_BASE + 0x15;
// To a control that lost the focus.
constexpr UINT CM_EXIT = CM_BASE + 0x1B;
// Posted to the application window: free the form in lParam.
constexpr UINT CM_RELEASE = CM_BASE + 0x21;
// To a control whose window is about to be replaced by a new one; its
// default processing destroys the window and makes the new one.
constexpr UINT CM_RECREATEWND = CM_BASE + 0x33;

// The notification record in the lParam of WM_NOTIFY / CN_NOTIFY, or null
// when lParam cannot be one: the lowest 64 KiB of a Windows process's
// address space are never mapped, so a small value there is a handshake
// number that another part of the program sent instead of a record.
inline const NMHDR* NotifyRecord(LPARAM lParam)
{
    return static_cast<ULONG_PTR>(lParam) < 0x10000 ? nullptr
                                                   : reinterpret_cast<const NMHDR*>(lParam);
}

} // namespace tarnivo
