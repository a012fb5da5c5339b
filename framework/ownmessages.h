#pragma once
// The program's own messages told apart from the same numbers sent or posted
// by anybody else.
//
// A window procedure cannot see who sent a message. Any process on the
// desktop can post any number with any parameters to any of our windows, and
// programs that broadcast private WM_USER+ / WM_APP+ messages to every
// window exist; another thread or process can also send them (InSendMessageEx
// answers ISMEX_SEND then). A posted message and a send from this very thread
// look alike to the procedure. The system marshals or refuses its own
// messages that carry pointers across processes; private numbers pass raw.
//
// So the framework delivers its notices (CM_*) and reflected notifications
// (CN_*) by calling a control's WindowProc directly (TControl::Perform),
// never through the window procedure, and a control's window procedure
// refuses those numbers. The few that must travel through the window
// procedure, so that every subclass of the window sees them, are sent with
// SendOwnMessage: while such a message is handled this thread remembers it,
// and IsOwnMessage answers true for it and for nothing else.

#include "messages.h"

namespace tarnivo {

// SendMessage to a window of this thread, marked as the program's own
// message for as long as it is handled. To a window of another thread it is
// a plain send (the mark is per thread, so it is not the program's own there).
LRESULT SendOwnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Is the message in hand one that SendOwnMessage is sending now on this
// thread: same window, number and parameters, and not sent from another
// thread meanwhile?
bool IsOwnMessage(HWND window, const TMessage& message);

// The framework's numbers whose parameters are its objects (a control,
// a notification record, a window of ours) or that start its actions:
// every CM_* notice and the CN_* reflections of the child notifications.
bool IsFrameworkNotice(UINT msg);

// Posted messages the system only ever sends, with a record in lParam: a
// posted one is forged. The system refuses to post most of them
// (ERROR_MESSAGE_SYNC_ONLY), but Wine posts WM_NOTIFY from any process with
// lParam untouched, and every WM_NOTIFY handler reads lParam as a record.
bool IsSendOnlyRecordMessage(UINT msg);
// Adds a number of the program's own that it only ever sends: a posted one
// is forged as well, and DisarmForgedPost turns it into WM_NULL. Up to 32.
void RegisterSendOnlyMessage(UINT msg);
// Is the message in hand a send from this very thread (the program's own
// code)? False for a send from another thread or process. A post of a
// number registered above never gets this far on a thread whose loop is
// filtered (the application's); on other threads a post looks the same.
bool SentFromThisThread();
// Turns such a message, taken from the queue, into WM_NULL. Called by the
// application's WH_GETMESSAGE hook, which sees every message any loop of
// its thread takes from the queue (its own, dialogs', menus').
void DisarmForgedPost(MSG& msg);

} // namespace tarnivo
