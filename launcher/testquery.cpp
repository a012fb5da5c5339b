#include "testquery.h"

#include "framework/form.h"

#include <windows.h>

#include <string>

namespace tarnivo {

namespace {

constexpr ULONG_PTR TextReplyTag = 0x54585431;  // "TXT1"
constexpr LRESULT Answered = 1;
constexpr LRESULT NoSuchControl = 2;

} // namespace

bool AnswerTextQuery(TForm& form, TMessage& message)
{
    static const UINT query = RegisterWindowMessageA("TarnivoTestQueryText");
    if (!query || message.Msg != query)
        return false;

    char name[64] = {};
    GlobalGetAtomNameA(static_cast<ATOM>(message.LParam), name, sizeof name);
    auto* control = dynamic_cast<TControl*>(form.FindComponent(name));
    auto replyTo = reinterpret_cast<HWND>(message.WParam);
    if (!control || !IsWindow(replyTo)) {
        message.Result = NoSuchControl;
        return true;
    }
    std::string text = control->Text();
    COPYDATASTRUCT data{TextReplyTag, static_cast<DWORD>(text.size()), text.data()};
    // The asking thread waits in SendMessage, so it takes this at once; the
    // time-out keeps a vanished asker from stalling the launcher.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(form.Handle()),
                        reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 2000, &ignored);
    message.Result = Answered;
    return true;
}

} // namespace tarnivo
