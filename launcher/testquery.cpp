#include "testquery.h"
#include "textqueryprotocol.h"

#include "framework/form.h"

#include <cstring>
#include <string>

namespace tarnivo {

namespace {

bool KeyAccepted(std::uint32_t key)
{
    std::uint32_t expected = 0;
    return ReadTextQueryKey(expected) && key == expected;
}

// A top-level window of this thread's desktop. Windows of another desktop
// hang below that desktop's own desktop window; a message-only window below
// HWND_MESSAGE.
bool OnOurDesktop(HWND window)
{
    return IsWindow(window) && GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

LRESULT Answer(TForm& form, HWND replyTo, const COPYDATASTRUCT& query)
{
    TTextQueryRequest request;
    if (query.cbData != sizeof request || !query.lpData)
        return TextQueryRefused;
    std::memcpy(&request, query.lpData, sizeof request);
    if (!KeyAccepted(request.Key) || !OnOurDesktop(replyTo))
        return TextQueryRefused;
    if (!std::memchr(request.Name, '\0', sizeof request.Name))
        return TextQueryRefused;

    auto* control = dynamic_cast<TControl*>(form.FindComponent(request.Name));
    if (!control)
        return TextQueryNoComponent;
    std::string text = control->Text();
    COPYDATASTRUCT reply{TextReplyTag, static_cast<DWORD>(text.size()), text.data()};
    // The asking thread waits in SendMessage, so it takes this at once; the
    // time-out keeps a vanished asker from stalling the launcher.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(form.Handle()),
                        reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG, 2000, &ignored);
    return TextQueryAnswered;
}

} // namespace

bool AnswerTextQuery(TForm& form, TMessage& message)
{
    if (message.Msg != WM_COPYDATA)
        return false;
    const auto* query = reinterpret_cast<const COPYDATASTRUCT*>(message.LParam);
    if (!query || query->dwData != TextQueryTag)
        return false;
    message.Result = Answer(form, reinterpret_cast<HWND>(message.WParam), *query);
    return true;
}

} // namespace tarnivo
