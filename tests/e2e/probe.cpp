// probe.exe: reads the state of other programs' windows for the end-to-end
// tests and prints it on stdout, one "key=value" item per line.
//
//   probe.exe [--pid PID] COMMAND ARGS...
//
//   window CLASS CAPTION    exists, visible, iconic, window and client rectangles
//   listview CAPTION        the items of the first list view in that window
//   itemrect CAPTION INDEX  screen rectangles of that item's icon and of the list's client area
//   text CAPTION NAME       the text of a component (see textquery.h)
//   focus                   foreground window and the focused window of its thread
//   taskbar CAPTION         is the program's application window (taskbar button) shown
//   tray                    what can be seen of the notification area
//   tray-click CAPTION [single|double]   the shell's callbacks for a click on the icon
//   atom NAME               is the global atom there
//   atom-delete NAME        drop every reference to the atom (test hygiene)
//   hotkey [VK [MODS]]      can the hot key be registered (default F11, no modifier)
//   wait-window CAPTION MS [visible|hidden|exists|gone]
//   close CAPTION           post WM_CLOSE (what the close box sends)
//   minimize CAPTION        post the minimise system command (the minimise box)
//   pid CAPTION             process, handle and X11 window of every match
//   frame CAPTION           is it skinned (WM_ISSKINNED), its window region's kind
//                           and bounds, and which corners the region leaves out
//   mdi CAPTION             the MDI frame whose caption starts with CAPTION (the
//                           system adds the maximized child's): its caption and
//                           rectangles, how many children its client holds, the
//                           active child's caption and whether it is maximized
//                           or minimized, and its screen rectangle
//   acp                     the ANSI code page of the prefix (what shown names use)
//   dpi CAPTION             the window's DPI (GetDpiForWindow), the DPI awareness
//                           its thread runs with (0 unaware, 1 system, 2 per
//                           monitor; -1 when the system cannot tell) and the
//                           screen's LOGPIXELSX
//   children CAPTION        one line per visible child window (Z order):
//                           "child=CLASS,left,top,right,bottom" in client coordinates
//   scroll CAPTION          the list view's first item in view ("top"), its
//                           vertical bar's screen rectangle and thumb, and
//                           whether a sibling window lies exactly over the bar
//   status CAPTION          the text of the first part of the window's status bar
//
// CAPTION matches exactly; an empty CLASS matches any class. --pid limits every
// search to one process (Windows process id). Exit status: 0 answered,
// 1 a wait timed out, 2 bad usage, 3 no such window, 4 the window did not answer.

#include "listviewread.h"
#include "textquery.h"
#include "windowfind.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarnivo {
namespace {

constexpr int ExitOk = 0;
constexpr int ExitTimeout = 1;
constexpr int ExitUsage = 2;
constexpr int ExitNoWindow = 3;
constexpr int ExitNoAnswer = 4;

// The framework's hidden application window: it carries the taskbar button and
// may bear the program's title, so it never counts as "the window" of a caption.
const char* const ApplicationWindowClass = "TarnivoApplication";
// The framework's hidden message windows (AllocateHWnd).
const char* const UtilityWindowClass = "TarnivoUtilWindow";

DWORD ProcessFilter = 0;

std::vector<HWND> FindByCaption(const std::string& className, const std::string& caption)
{
    WindowQuery query;
    query.ClassName = className;
    query.Caption = caption;
    query.ProcessId = ProcessFilter;
    std::vector<HWND> found = FindTopLevelWindows(query);
    if (className.empty())
        std::erase_if(found, [](HWND w) { return WindowClass(w) == ApplicationWindowClass; });
    return found;
}

HWND FindOne(const std::string& caption)
{
    std::vector<HWND> found = FindByCaption("", caption);
    if (found.empty()) {
        std::printf("exists=0\n");
        return nullptr;
    }
    return found.front();
}

void PrintRect(const char* key, const RECT& r)
{
    std::printf("%s=%ld,%ld,%ld,%ld\n", key, r.left, r.top, r.right, r.bottom);
}

int Window(const std::string& className, const std::string& caption)
{
    std::vector<HWND> found = FindByCaption(className, caption);
    if (found.empty()) {
        std::printf("exists=0\n");
        return ExitNoWindow;
    }
    HWND w = found.front();
    RECT window{}, client{};
    GetWindowRect(w, &window);
    GetClientRect(w, &client);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    std::printf("exists=1\ncount=%zu\nclass=%s\nvisible=%d\niconic=%d\nenabled=%d\n",
                found.size(), WindowClass(w).c_str(), IsWindowVisible(w) ? 1 : 0,
                IsIconic(w) ? 1 : 0, IsWindowEnabled(w) ? 1 : 0);
    PrintRect("rect", window);
    std::printf("client=%ld,%ld,%ld,%ld\n", origin.x, origin.y, origin.x + client.right,
                origin.y + client.bottom);
    std::printf("pid=%lu\n", WindowProcess(w));
    return ExitOk;
}

// The skin engine answers this message number with 1 for every window it
// skins; other windows answer 0.
constexpr UINT SkinIsSkinnedMessage = 0x3523;

int Frame(const std::string& caption)
{
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    DWORD_PTR skinned = 0;
    if (!SendMessageTimeoutA(form, SkinIsSkinnedMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &skinned))
        return ExitNoAnswer;
    std::printf("skinned=%lu\n", static_cast<unsigned long>(skinned));
    RECT window{};
    GetWindowRect(form, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(form, region);
    // 0: no region (the whole window shows), 1 empty, 2 one rectangle, 3 more.
    std::printf("region=%d\n", kind);
    if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
        RECT box{};
        GetRgnBox(region, &box);
        PrintRect("region_box", box);
        std::printf("region_corners=%d%d%d%d\n", PtInRegion(region, 0, 0) ? 1 : 0,
                    PtInRegion(region, w - 1, 0) ? 1 : 0, PtInRegion(region, 0, h - 1) ? 1 : 0,
                    PtInRegion(region, w - 1, h - 1) ? 1 : 0);
    }
    DeleteObject(region);
    return ExitOk;
}

int Mdi(const std::string& caption)
{
    WindowQuery query;
    query.AnyCaption = true;
    query.ProcessId = ProcessFilter;
    HWND frame = nullptr;
    for (HWND w : FindTopLevelWindows(query))
        if (WindowCaption(w).rfind(caption, 0) == 0 && FindDescendant(w, "MDIClient")) {
            frame = w;
            break;
        }
    if (!frame) {
        std::printf("exists=0\n");
        return ExitNoWindow;
    }
    HWND client = FindDescendant(frame, "MDIClient");
    std::printf("exists=1\ncaption=%s\nclient_window=%d\n", WindowCaption(frame).c_str(),
                client ? 1 : 0);
    RECT window{}, area{};
    GetWindowRect(frame, &window);
    GetClientRect(frame, &area);
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    PrintRect("rect", window);
    std::printf("client=%ld,%ld,%ld,%ld\n", origin.x, origin.y, origin.x + area.right,
                origin.y + area.bottom);
    if (!client)
        return ExitNoWindow;
    int children = 0;
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_MDICHILD)
            ++children;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(client, WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
        return ExitNoAnswer;
    const auto active = reinterpret_cast<HWND>(answer);
    std::printf("children=%d\nactive=%s\nzoomed=%d\niconic=%d\n", children,
                active ? WindowCaption(active).c_str() : "", active && IsZoomed(active) ? 1 : 0,
                active && IsIconic(active) ? 1 : 0);
    if (active) {
        RECT r{};
        GetWindowRect(active, &r);
        PrintRect("active_rect", r);
    }
    return ExitOk;
}

int ListView(const std::string& caption)
{
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    HWND list = FindDescendant(form, WC_LISTVIEWA);
    if (!list) {
        std::printf("listview=0\n");
        return ExitNoWindow;
    }
    ListViewContents contents = ReadListView(list);
    if (!contents.Ok) {
        std::printf("error=%s\n", contents.Error.c_str());
        return ExitNoAnswer;
    }
    std::printf("count=%zu\n", contents.Items.size());
    for (const ListViewItem& item : contents.Items)
        std::printf("item=%d image=%d selected=%d focused=%d text=%s\n", item.Index, item.Image,
                    item.Selected ? 1 : 0, item.Focused ? 1 : 0, item.Text.c_str());
    return ExitOk;
}

int ItemRect(const std::string& caption, int index)
{
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    HWND list = FindDescendant(form, WC_LISTVIEWA);
    if (!list) {
        std::printf("listview=0\n");
        return ExitNoWindow;
    }
    RECT r{};
    if (!ReadItemIconRect(list, index, r)) {
        std::printf("item=0\n");
        return ExitNoAnswer;
    }
    PrintRect("rect", r);
    std::printf("center=%ld,%ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    // The list's client area on the screen: whether the item is in view.
    RECT client{};
    GetClientRect(list, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    PrintRect("list", client);
    return ExitOk;
}

int Text(const std::string& caption, const std::string& name)
{
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    std::string text;
    switch (QueryComponentText(form, name, text)) {
    case TextQueryResult::Answered:
        std::printf("text=%s\n", text.c_str());
        return ExitOk;
    case TextQueryResult::NoComponent:
        std::printf("component=0\n");
        return ExitNoWindow;
    case TextQueryResult::NoKey:
        std::printf("error=no %s in the environment\n", TextQueryKeyVariable);
        return ExitUsage;
    case TextQueryResult::NotSupported: break;
    }
    std::printf("error=the window does not answer the text query\n");
    return ExitNoAnswer;
}

// The text of the first part of the window's status bar: WM_GETTEXT is one
// of the messages Windows and Wine carry across processes with its buffer.
int StatusText(const std::string& caption)
{
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    HWND bar = FindDescendant(form, "msctls_statusbar32");
    if (!bar) {
        std::printf("statusbar=0\n");
        return ExitNoWindow;
    }
    char text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(bar, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             5000, &copied)) {
        std::printf("error=the status bar does not answer\n");
        return ExitNoAnswer;
    }
    std::printf("statusbar=1\ntext=%s\n", text);
    return ExitOk;
}

void PrintWindow(const char* key, HWND w)
{
    if (!w) {
        std::printf("%s_class=\n%s_caption=\n", key, key);
        return;
    }
    std::printf("%s_class=%s\n%s_caption=%s\n", key, WindowClass(w).c_str(), key,
                WindowCaption(w).c_str());
}

// The focus is per thread: GetFocus only sees our own. GetGUIThreadInfo reads
// the focus of the thread that owns the foreground window.
int Focus()
{
    HWND foreground = GetForegroundWindow();
    PrintWindow("foreground", foreground);
    std::printf("foreground_pid=%lu\n", foreground ? WindowProcess(foreground) : 0);
    std::printf("foreground_xid=0x%lx\n", foreground ? X11WindowId(foreground) : 0);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    if (!thread || !GetGUIThreadInfo(thread, &info)) {
        PrintWindow("focus", nullptr);
        PrintWindow("active", nullptr);
        return ExitOk;
    }
    PrintWindow("focus", info.hwndFocus);
    // The desktop window (focus after the foreground was lost) has no root.
    HWND root = info.hwndFocus ? GetAncestor(info.hwndFocus, GA_ROOT) : nullptr;
    std::printf("focus_root_caption=%s\n",
                root && root != GetDesktopWindow() ? WindowCaption(root).c_str() : "");
    PrintWindow("active", info.hwndActive);
    return ExitOk;
}

int Taskbar(const std::string& caption)
{
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    WindowQuery query;
    query.ClassName = ApplicationWindowClass;
    query.ProcessId = WindowProcess(form);
    query.AnyCaption = true;
    std::vector<HWND> found = FindTopLevelWindows(query);
    if (found.empty()) {
        std::printf("application_window=0\n");
        return ExitNoWindow;
    }
    std::printf("application_window=1\ntaskbar=%d\n", IsWindowVisible(found.front()) ? 1 : 0);
    return ExitOk;
}

// Wine shows no notification area on a bare X server; all that can be seen
// from outside is whether a shell tray window exists at all.
int Tray()
{
    std::printf("shell_tray=%d\n", FindWindowA("Shell_TrayWnd", nullptr) ? 1 : 0);
    return ExitOk;
}

// Plays the shell's part of a click (or a double click) on the program's
// notification icon: the icon's callback message, with the mouse message in
// lParam, sent to the icon's window. Wine shows no notification area on a
// bare X server, so there is nothing to click. The icon's window is one of
// the framework's hidden utility windows of that process; the others (timers,
// popup menus) pass the callback number on to DefWindowProc, so all of them
// get it.
int TrayClick(const std::string& caption, const std::string& kind)
{
    constexpr UINT TrayCallbackMessage = WM_USER + 1;
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    WindowQuery query;
    query.ClassName = UtilityWindowClass;
    query.ProcessId = WindowProcess(form);
    query.AnyCaption = true;
    std::vector<HWND> windows = FindTopLevelWindows(query);
    if (windows.empty()) {
        std::printf("tray_window=0\n");
        return ExitNoWindow;
    }
    std::vector<UINT> sequence{WM_LBUTTONDOWN, WM_LBUTTONUP};
    if (kind == "double")
        sequence = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (UINT mouse : sequence)
        for (HWND w : windows)
            PostMessageA(w, TrayCallbackMessage, 0, mouse);
    std::printf("tray_windows=%zu\n", windows.size());
    return ExitOk;
}

int Atom(const std::string& name)
{
    ATOM atom = GlobalFindAtomA(name.c_str());
    if (atom)
        std::printf("atom=1\nvalue=0x%04X\n", atom);
    else
        std::printf("atom=0\n");
    return ExitOk;
}

// Drops every reference to a global atom. Atoms live as long as the Wine
// server: a program killed by a failed test leaves its atom behind, and the
// next test would see it as held.
int AtomDelete(const std::string& name)
{
    int deleted = 0;
    for (ATOM atom; (atom = GlobalFindAtomA(name.c_str())) != 0 && deleted < 1000; ++deleted)
        GlobalDeleteAtom(atom);
    std::printf("deleted=%d\natom=%d\n", deleted, GlobalFindAtomA(name.c_str()) ? 1 : 0);
    return ExitOk;
}

// Registering succeeds only while nobody else holds the key; we let go at once.
int HotKey(UINT vk, UINT modifiers)
{
    const int id = 0xB0F1;
    if (RegisterHotKey(nullptr, id, modifiers, vk)) {
        UnregisterHotKey(nullptr, id);
        std::printf("hotkey=free\n");
    } else {
        std::printf("hotkey=taken\nerror=%lu\n", GetLastError());
    }
    return ExitOk;
}

bool StateReached(const std::string& caption, const std::string& state)
{
    std::vector<HWND> found = FindByCaption("", caption);
    if (state == "gone")
        return found.empty();
    if (found.empty())
        return false;
    if (state == "exists")
        return true;
    bool visible = false;
    for (HWND w : found)
        visible = visible || IsWindowVisible(w);
    return state == "visible" ? visible : !visible;
}

int WaitWindow(const std::string& caption, DWORD timeoutMs, const std::string& state)
{
    if (state != "visible" && state != "hidden" && state != "exists" && state != "gone")
        return ExitUsage;
    DWORD start = GetTickCount();
    for (;;) {
        if (StateReached(caption, state)) {
            std::printf("reached=%s\n", state.c_str());
            return ExitOk;
        }
        if (GetTickCount() - start >= timeoutMs) {
            std::printf("timeout=%s\n", state.c_str());
            return ExitTimeout;
        }
        Sleep(50);
    }
}

int Close(const std::string& caption)
{
    std::vector<HWND> found = FindByCaption("", caption);
    if (found.empty()) {
        std::printf("exists=0\n");
        return ExitNoWindow;
    }
    for (HWND w : found)
        PostMessageA(w, WM_CLOSE, 0, 0);
    std::printf("closed=%zu\n", found.size());
    return ExitOk;
}

// What the caption's minimise button sends: the system command, posted.
int Minimize(const std::string& caption)
{
    std::vector<HWND> found = FindByCaption("", caption);
    if (found.empty()) {
        std::printf("exists=0\n");
        return ExitNoWindow;
    }
    PostMessageA(found.front(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    std::printf("minimize=1\n");
    return ExitOk;
}

int Pid(const std::string& caption)
{
    std::vector<HWND> found = FindByCaption("", caption);
    if (found.empty()) {
        std::printf("exists=0\n");
        return ExitNoWindow;
    }
    for (HWND w : found)
        std::printf("pid=%lu hwnd=0x%lx xid=0x%lx visible=%d\n", WindowProcess(w),
                    static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(w)), X11WindowId(w),
                    IsWindowVisible(w) ? 1 : 0);
    return ExitOk;
}

// The first item whose icon lies in the list's client area: the top index of
// an icon view, which LVM_GETTOPINDEX answers only for list and report views.
int FirstItemInView(HWND list)
{
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    RECT client{};
    GetClientRect(list, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (ReadItemIconRect(list, i, r) && r.top >= client.top && r.bottom <= client.bottom)
            return i;
    }
    return -1;
}

// A visible sibling of `list` laid over its right edge, taller than wide:
// the skin's overlay on the vertical bar.
HWND VerticalOverlay(HWND list)
{
    RECT outer{};
    GetWindowRect(list, &outer);
    for (HWND w = GetWindow(GetParent(list), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r{};
        if (w == list || !IsWindowVisible(w) || !GetWindowRect(w, &r))
            continue;
        if (r.left >= outer.left && r.right <= outer.right && r.top >= outer.top &&
            r.bottom <= outer.bottom && r.bottom - r.top > r.right - r.left)
            return w;
    }
    return nullptr;
}

// Scroll state of another process's list view. Its scroll-bar data cannot be
// read across processes under Wine, so the bar is where the system puts it
// (right of the client area, the client's height) and the scroll values of
// an icon view come from its view rectangle: range = view height, page =
// client height, position = how far the view is moved up.
int Scroll(const std::string& caption)
{
    HWND form = FindOne(caption);
    if (!form)
        return ExitNoWindow;
    HWND list = FindDescendant(form, WC_LISTVIEWA);
    if (!list) {
        std::printf("listview=0\n");
        return ExitNoWindow;
    }
    std::printf("top=%d\n", FirstItemInView(list));
    RECT client{};
    GetClientRect(list, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const bool vertical = (GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) != 0;
    std::printf("barvisible=%d\n", vertical ? 1 : 0);
    RECT bar{client.right, client.top, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom};
    PrintRect("bar", bar);
    RECT view{};
    if (QueryListView(list, LVM_GETVIEWRECT, 0, &view, sizeof view))
        std::printf("range=%ld\npage=%ld\npos=%ld\n", view.bottom - view.top,
                    client.bottom - client.top, -view.top);
    HWND overlay = VerticalOverlay(list);
    RECT covered{};
    if (overlay)
        GetWindowRect(overlay, &covered);
    std::printf("overlay=%d\n", overlay && EqualRect(&covered, &bar) ? 1 : 0);
    if (overlay)
        PrintRect("overlayrect", covered);
    return ExitOk;
}

bool ParseNumber(const std::string& text, unsigned long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 0);
    return *end == '\0';
}

using DpiForWindowCall = UINT(WINAPI*)(HWND);
using WindowContextCall = HANDLE(WINAPI*)(HWND);
using AwarenessCall = int(WINAPI*)(HANDLE);

template <typename F>
F User32Call(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

int Dpi(const std::string& caption)
{
    HWND w = FindOne(caption);
    if (!w)
        return ExitNoWindow;
    auto dpiFor = User32Call<DpiForWindowCall>("GetDpiForWindow");
    auto contextOf = User32Call<WindowContextCall>("GetWindowDpiAwarenessContext");
    auto awarenessOf = User32Call<AwarenessCall>("GetAwarenessFromDpiAwarenessContext");
    HDC screen = GetDC(nullptr);
    std::printf("dpi=%u\nawareness=%d\nlogpixels=%d\n", dpiFor ? dpiFor(w) : 0u,
                contextOf && awarenessOf ? awarenessOf(contextOf(w)) : -1,
                GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return ExitOk;
}

int Children(const std::string& caption)
{
    HWND w = FindOne(caption);
    if (!w)
        return ExitNoWindow;
    for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
        std::printf("child=%s,%ld,%ld,%ld,%ld\n", WindowClass(child).c_str(), r.left, r.top, r.right,
                    r.bottom);
    }
    return ExitOk;
}

int Usage()
{
    std::fprintf(stderr, "usage: probe [--pid PID] window|listview|itemrect|text|focus|taskbar|tray|"
                         "tray-click|atom|atom-delete|hotkey|wait-window|close|minimize|pid|acp|scroll|mdi|"
                         "status|dpi|children ARGS...\n");
    return ExitUsage;
}

int Run(std::vector<std::string> args)
{
    if (args.size() >= 2 && args[0] == "--pid") {
        unsigned long pid = 0;
        if (!ParseNumber(args[1], pid))
            return Usage();
        ProcessFilter = pid;
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return Usage();
    const std::string& command = args[0];
    const size_t n = args.size() - 1;
    if (command == "window" && n == 2)
        return Window(args[1], args[2]);
    if (command == "listview" && n == 1)
        return ListView(args[1]);
    if (command == "itemrect" && n == 2) {
        unsigned long index = 0;
        if (!ParseNumber(args[2], index))
            return Usage();
        return ItemRect(args[1], static_cast<int>(index));
    }
    if (command == "status" && n == 1)
        return StatusText(args[1]);
    if (command == "text" && n == 2)
        return Text(args[1], args[2]);
    if (command == "focus" && n == 0)
        return Focus();
    if (command == "taskbar" && n == 1)
        return Taskbar(args[1]);
    if (command == "tray" && n == 0)
        return Tray();
    if (command == "tray-click" && (n == 1 || (n == 2 && (args[2] == "single" || args[2] == "double"))))
        return TrayClick(args[1], n == 2 ? args[2] : "single");
    if (command == "atom" && n == 1)
        return Atom(args[1]);
    if (command == "atom-delete" && n == 1)
        return AtomDelete(args[1]);
    if (command == "hotkey" && n <= 2) {
        unsigned long vk = VK_F11, modifiers = 0;
        if ((n >= 1 && !ParseNumber(args[1], vk)) || (n == 2 && !ParseNumber(args[2], modifiers)))
            return Usage();
        return HotKey(static_cast<UINT>(vk), static_cast<UINT>(modifiers));
    }
    if (command == "wait-window" && (n == 2 || n == 3)) {
        unsigned long timeout = 0;
        if (!ParseNumber(args[2], timeout))
            return Usage();
        int result = WaitWindow(args[1], timeout, n == 3 ? args[3] : "visible");
        return result == ExitUsage ? Usage() : result;
    }
    if (command == "close" && n == 1)
        return Close(args[1]);
    if (command == "minimize" && n == 1)
        return Minimize(args[1]);
    if (command == "pid" && n == 1)
        return Pid(args[1]);
    if (command == "frame" && n == 1)
        return Frame(args[1]);
    if (command == "scroll" && n == 1)
        return Scroll(args[1]);
    if (command == "mdi" && n == 1)
        return Mdi(args[1]);
    if (command == "dpi" && n == 1)
        return Dpi(args[1]);
    if (command == "children" && n == 1)
        return Children(args[1]);
    if (command == "acp" && n == 0) {
        std::printf("acp=%u\n", GetACP());
        return 0;
    }
    return Usage();
}

} // namespace
} // namespace tarnivo

int main(int argc, char** argv)
{
    // Lines go out as they are written: the scripts read them while we run.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // Rectangles of other programs' windows in real pixels: a program that
    // declares no awareness is told 96-DPI coordinates at any other DPI.
    SetProcessDPIAware();
    std::vector<std::string> args(argv + 1, argv + argc);
    return tarnivo::Run(std::move(args));
}
