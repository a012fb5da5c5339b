#include "windowfind.h"

namespace tarnivo {

namespace {

struct EnumState {
    const WindowQuery* Query;
    std::vector<HWND>* Found;
};

BOOL CALLBACK CollectMatching(HWND window, LPARAM param)
{
    auto* state = reinterpret_cast<EnumState*>(param);
    const WindowQuery& query = *state->Query;
    if (query.ProcessId && WindowProcess(window) != query.ProcessId)
        return TRUE;
    if (!query.ClassName.empty() && WindowClass(window) != query.ClassName)
        return TRUE;
    if (!query.AnyCaption && WindowCaption(window) != query.Caption)
        return TRUE;
    state->Found->push_back(window);
    return TRUE;
}

struct DescendantSearch {
    const char* ClassName;
    HWND Found;
};

BOOL CALLBACK FindByClass(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DescendantSearch*>(param);
    if (WindowClass(window) == search->ClassName) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query)
{
    std::vector<HWND> found;
    EnumState state{&query, &found};
    EnumWindows(CollectMatching, reinterpret_cast<LPARAM>(&state));
    return found;
}

HWND FindDescendant(HWND parent, const char* className)
{
    DescendantSearch search{className, nullptr};
    EnumChildWindows(parent, FindByClass, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string WindowClass(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// For a window of another process GetWindowText reads the text the system
// keeps and sends no message, so a hung program cannot hang the probe.
std::string WindowCaption(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

DWORD WindowProcess(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

unsigned long X11WindowId(HWND window)
{
    return static_cast<unsigned long>(
        reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window")));
}

} // namespace tarnivo
