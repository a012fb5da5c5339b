#include "user32calls.h"

namespace tarnivo {

namespace {

// Holds the library reference for the life of the process.
class User32Library {
public:
    User32Library() : m_module(LoadLibraryW(L"user32.dll"))
    {
        if (!m_module)
            return;
        m_calls.GetScrollBarInfo =
            reinterpret_cast<TUser32Calls::GetScrollBarInfoProc>(Find("GetScrollBarInfo"));
        m_calls.TrackMouseEvent =
            reinterpret_cast<TUser32Calls::TrackMouseEventProc>(Find("TrackMouseEvent"));
        m_calls.GetComboBoxInfo =
            reinterpret_cast<TUser32Calls::GetComboBoxInfoProc>(Find("GetComboBoxInfo"));
        m_calls.DisableProcessWindowsGhosting =
            reinterpret_cast<TUser32Calls::DisableProcessWindowsGhostingProc>(
                Find("DisableProcessWindowsGhosting"));
    }
    ~User32Library()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    User32Library(const User32Library&) = delete;
    User32Library& operator=(const User32Library&) = delete;

    const TUser32Calls& Calls() const { return m_calls; }

private:
    // GetProcAddress answers a generic FARPROC; each caller casts it to the
    // function's real type.
    void* Find(const char* name) const
    {
        return reinterpret_cast<void*>(GetProcAddress(m_module, name));
    }

    HMODULE m_module;
    TUser32Calls m_calls;
};

} // namespace

const TUser32Calls& User32Calls()
{
    static const User32Library library;
    return library.Calls();
}

bool RequestMouseLeave(HWND window)
{
    const auto track = User32Calls().TrackMouseEvent;
    if (!track)
        return false;
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof request;   // the 16-byte request every system knows
    request.dwFlags = TME_LEAVE;
    request.hwndTrack = window;
    return track(&request) != FALSE;
}

} // namespace tarnivo
