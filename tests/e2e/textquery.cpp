#include "textquery.h"

namespace tarnivo {

namespace {

constexpr UINT QueryTimeoutMs = 3000;
const char* const ReplyWindowClass = "TarnivoProbeReply";

struct Reply {
    bool Received = false;
    std::string Text;
};

LRESULT CALLBACK ReplyWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COPYDATA) {
        auto* reply = reinterpret_cast<Reply*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!reply || !data || data->dwData != TextReplyTag)
            return FALSE;
        // An empty text may arrive without a buffer at all.
        if (data->cbData && data->lpData)
            reply->Text.assign(static_cast<const char*>(data->lpData), data->cbData);
        else
            reply->Text.clear();
        reply->Received = true;
        return TRUE;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

class ReplyWindow {
public:
    explicit ReplyWindow(Reply& reply)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ReplyWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = ReplyWindowClass;
        RegisterClassA(&wc);
        // A hidden top-level window rather than a message-only one: WM_COPYDATA
        // from another process reaches it on every Windows and on Wine.
        m_handle = CreateWindowExA(0, ReplyWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
        if (m_handle)
            SetWindowLongPtrA(m_handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
    }
    ReplyWindow(const ReplyWindow&) = delete;
    ReplyWindow& operator=(const ReplyWindow&) = delete;
    ~ReplyWindow()
    {
        if (m_handle)
            DestroyWindow(m_handle);
    }
    HWND Handle() const { return m_handle; }

private:
    HWND m_handle = nullptr;
};

} // namespace

TextQueryResult QueryComponentText(HWND form, const std::string& name, std::string& text)
{
    TTextQueryRequest request;
    if (!ReadTextQueryKey(request.Key))
        return TextQueryResult::NoKey;
    if (name.size() >= sizeof request.Name)
        return TextQueryResult::NoComponent;   // no component has so long a name
    name.copy(request.Name, name.size());
    Reply reply;
    ReplyWindow replyWindow(reply);
    if (!replyWindow.Handle())
        return TextQueryResult::NotSupported;

    // While this call waits, the form's WM_COPYDATA to our window is delivered:
    // a thread blocked in SendMessage still receives messages sent to it.
    COPYDATASTRUCT query{TextQueryTag, sizeof request, &request};
    DWORD_PTR answer = 0;
    LRESULT sent = SendMessageTimeoutA(form, WM_COPYDATA,
                                       reinterpret_cast<WPARAM>(replyWindow.Handle()),
                                       reinterpret_cast<LPARAM>(&query), SMTO_ABORTIFHUNG,
                                       QueryTimeoutMs, &answer);
    if (!sent)
        return TextQueryResult::NotSupported;
    if (static_cast<LRESULT>(answer) == TextQueryNoComponent)
        return TextQueryResult::NoComponent;
    if (static_cast<LRESULT>(answer) != TextQueryAnswered || !reply.Received)
        return TextQueryResult::NotSupported;
    text = reply.Text;
    return TextQueryResult::Answered;
}

} // namespace tarnivo
