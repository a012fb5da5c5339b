#include "ownmessages.h"

#include <array>
#include <atomic>

namespace tarnivo {

namespace {

// One SendOwnMessage in progress; nested sends form a stack.
struct OwnSend {
    HWND Window;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    const OwnSend* Outer;
};

thread_local const OwnSend* Sending = nullptr;

// RegisterSendOnlyMessage's numbers; 0 is a free slot. Read by the message
// filter of every thread, written rarely: a fixed table of atomics, no lock.
std::array<std::atomic<UINT>, 32> SendOnly{};

bool RegisteredSendOnly(UINT msg)
{
    for (const auto& slot : SendOnly) {
        const UINT value = slot.load(std::memory_order_relaxed);
        if (value == 0)
            return false;
        if (value == msg)
            return true;
    }
    return false;
}

} // namespace

LRESULT SendOwnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    OwnSend frame{window, msg, wParam, lParam, Sending};
    Sending = &frame;
    struct Pop {
        const OwnSend& frame;
        ~Pop() { Sending = frame.Outer; }
    } pop{frame};
    return SendMessageW(window, msg, wParam, lParam);
}

bool IsOwnMessage(HWND window, const TMessage& message)
{
    // A send from another thread or process that arrives while one of ours
    // is in progress (this thread waits in a nested loop) is not ours.
    if (InSendMessageEx(nullptr) & ISMEX_SEND)
        return false;
    for (const OwnSend* s = Sending; s; s = s->Outer)
        if (s->Window == window && s->Msg == message.Msg && s->WParam == message.WParam &&
            s->LParam == message.LParam)
            return true;
    return false;
}

bool IsFrameworkNotice(UINT msg)
{
    if (msg >= CM_BASE && msg < CM_BASE + 0x100)
        return true;
    if (msg < CN_BASE)
        return false;
    switch (msg - CN_BASE) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return true;
    }
    return msg >= CN_BASE + WM_CTLCOLORMSGBOX && msg <= CN_BASE + WM_CTLCOLORSTATIC;
}

bool IsSendOnlyRecordMessage(UINT msg)
{
    switch (msg) {
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case WM_GETMINMAXINFO:
    case WM_COPYDATA:
    case 0x02E0:   // WM_DPICHANGED: the suggested rectangle
        return true;
    default:
        return false;
    }
}

void RegisterSendOnlyMessage(UINT msg)
{
    if (msg == 0 || RegisteredSendOnly(msg))
        return;
    for (auto& slot : SendOnly) {
        UINT expected = 0;
        if (slot.compare_exchange_strong(expected, msg) || expected == msg)
            return;
    }
}

bool SentFromThisThread()
{
    return !(InSendMessageEx(nullptr) & ISMEX_SEND);
}

void DisarmForgedPost(MSG& msg)
{
    if (!IsSendOnlyRecordMessage(msg.message) && !RegisteredSendOnly(msg.message))
        return;
    msg.message = WM_NULL;
    msg.wParam = 0;
    msg.lParam = 0;
}

} // namespace tarnivo
