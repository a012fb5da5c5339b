// Tests of the end-to-end helpers against windows and files whose state the
// test sets itself: what probe.exe, mklink.exe and marker.exe report must be
// exactly what is there, or every scenario built on them proves nothing.

#include "comref.h"
#include "listviewread.h"
#include "textquery.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tarnivo {
namespace {

// Linux path of the helper programs, given by the build; Wine sees / as Z:.
std::string ToolPath(const std::string& name)
{
    std::string path = std::string("Z:") + E2E_TOOL_DIR + "/" + name;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

struct ToolResult {
    DWORD ExitCode = 0xFFFFFFFF;
    std::string Output;
    // "key=value" lines; repeated keys keep the first value.
    std::map<std::string, std::string> Values;
};

// Quoted so that CommandLineToArgvW and the C runtime give back `arg` as it
// is: backslashes in front of a quote are doubled and the quote escaped.
std::string Quote(const std::string& arg)
{
    std::string quoted(1, '"');
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, '\\');
    quoted.push_back('"');
    return quoted;
}

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : m_h(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (m_h && m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    HANDLE Get() const { return m_h; }
    HANDLE* Put() { return &m_h; }

private:
    HANDLE m_h = nullptr;
};

ToolResult RunTool(const std::string& exe, const std::vector<std::string>& args)
{
    ToolResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!CreatePipe(readEnd.Put(), writeEnd.Put(), &inherit, 0))
        return result;
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

    std::string command = Quote(ToolPath(exe));
    for (const std::string& arg : args) {
        command.push_back(' ');
        command.append(Quote(arg));
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return result;
    Handle processHandle(process.hProcess), threadHandle(process.hThread);
    // Our end of the write side must go, or ReadFile never sees the end.
    CloseHandle(*writeEnd.Put());
    *writeEnd.Put() = nullptr;

    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        result.Output.append(buffer, got);
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &result.ExitCode);

    std::istringstream lines(result.Output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            result.Values.emplace(line.substr(0, eq), line.substr(eq + 1));
    }
    return result;
}

std::string UniqueName(const char* stem)
{
    return std::string(stem) + " " + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
}

// A window on its own thread, so that the other process's messages are
// answered while the test's thread waits for a helper program.
class FixtureWindow {
public:
    static constexpr const char* CountLine = "There are 5 shortcuts in your desktop and startmenu ";

    FixtureWindow() : m_caption(UniqueName("E2E Fixture"))
    {
        m_thread = std::thread([this] { ThreadMain(); });
        while (!m_ready.load())
            Sleep(10);
    }
    ~FixtureWindow()
    {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }

    const std::string& Caption() const { return m_caption; }
    HWND Form() const { return m_form; }
    HWND List() const { return m_list; }
    HWND AppWindow() const { return m_app; }

    // The mouse messages that reached the utility window through the tray
    // icon's callback message, in order of arrival.
    std::vector<UINT> TrayCallbacks() const
    {
        std::vector<UINT> seen;
        for (int i = 0; i < m_trayCount.load() && i < MaxCallbacks; ++i)
            seen.push_back(m_tray[i].load());
        return seen;
    }
    int TrayCallbackCount() const { return m_trayCount.load(); }

    // Runs `action` on the window's thread and waits for it.
    void OnWindowThread(void (*action)(FixtureWindow&))
    {
        SendMessageA(m_form, RunActionMessage, 0, reinterpret_cast<LPARAM>(action));
    }

private:
    static constexpr UINT RunActionMessage = WM_APP + 7;

    static LRESULT CALLBACK FormProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<FixtureWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (self && msg == WM_COPYDATA &&
            reinterpret_cast<const COPYDATASTRUCT*>(lParam)->dwData == TextQueryTag)
            return self->AnswerTextQuery(reinterpret_cast<HWND>(wParam),
                                         *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        if (self && msg == RunActionMessage) {
            reinterpret_cast<void (*)(FixtureWindow&)>(lParam)(*self);
            return 0;
        }
        return DefWindowProcA(w, msg, wParam, lParam);
    }

    static LRESULT CALLBACK UtilProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<FixtureWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (self && msg == WM_USER + 1) {
            int i = self->m_trayCount.load();
            if (i < MaxCallbacks)
                self->m_tray[i] = static_cast<UINT>(lParam);
            self->m_trayCount = i + 1;
            return 0;
        }
        return DefWindowProcA(w, msg, wParam, lParam);
    }

    // The launcher's answer, for the key this test puts into the environment.
    LRESULT AnswerTextQuery(HWND replyTo, const COPYDATASTRUCT& query)
    {
        TTextQueryRequest request;
        std::uint32_t key = 0;
        if (query.cbData != sizeof request || !ReadTextQueryKey(key))
            return TextQueryRefused;
        std::memcpy(&request, query.lpData, sizeof request);
        if (request.Key != key)
            return TextQueryRefused;
        std::string name(request.Name, strnlen(request.Name, sizeof request.Name));
        std::string text;
        if (name == "Label6")
            text = CountLine;
        else if (name != "Label1")  // Label1: empty, as before typing
            return TextQueryNoComponent;
        COPYDATASTRUCT data{TextReplyTag, static_cast<DWORD>(text.size()), text.data()};
        SendMessageA(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(m_form),
                     reinterpret_cast<LPARAM>(&data));
        return TextQueryAnswered;
    }

    void ThreadMain()
    {
        m_threadId = GetCurrentThreadId();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSA wc{};
        wc.lpfnWndProc = FormProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "E2EFixtureForm";
        RegisterClassA(&wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "TarnivoApplication";
        RegisterClassA(&wc);

        wc.lpfnWndProc = UtilProc;
        wc.lpszClassName = "TarnivoUtilWindow";
        RegisterClassA(&wc);
        m_util = CreateWindowExA(WS_EX_TOOLWINDOW, "TarnivoUtilWindow", "", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(m_util, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_app = CreateWindowExA(0, "TarnivoApplication", m_caption.c_str(),
                                WS_POPUP | WS_CAPTION, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
        m_form = CreateWindowExA(0, "E2EFixtureForm", m_caption.c_str(),
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400, 300, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(m_form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON, 8, 8,
                                 360, 200, m_form, nullptr, wc.hInstance, nullptr);
        const char* captions[] = {"Explorer Files", "Excel Sheet", "Hidden Extra with spaces"};
        const int images[] = {0, 2, 4};
        for (int i = 0; i < 3; ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = i;
            item.pszText = const_cast<char*>(captions[i]);
            item.iImage = images[i];
            SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(m_list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
        m_ready = true;

        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DestroyWindow(m_form);
        DestroyWindow(m_app);
        DestroyWindow(m_util);
    }

    std::string m_caption;
    std::thread m_thread;
    DWORD m_threadId = 0;
    std::atomic<bool> m_ready{false};
    HWND m_form = nullptr;
    HWND m_list = nullptr;
    HWND m_app = nullptr;
    HWND m_util = nullptr;
    static constexpr int MaxCallbacks = 16;
    std::atomic<UINT> m_tray[MaxCallbacks] = {};
    std::atomic<int> m_trayCount{0};
};

std::vector<std::string> ItemLines(const std::string& output)
{
    std::vector<std::string> items;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("item=", 0) == 0)
            items.push_back(line);
    }
    return items;
}

TEST(ProbeTest, ReadsListViewItemsOfAnotherProcess)
{
    FixtureWindow fixture;
    ToolResult r = RunTool("probe.exe", {"listview", fixture.Caption()});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    EXPECT_EQ(r.Values["count"], "3");
    EXPECT_EQ(ItemLines(r.Output),
              (std::vector<std::string>{
                  "item=0 image=0 selected=0 focused=0 text=Explorer Files",
                  "item=1 image=2 selected=1 focused=1 text=Excel Sheet",
                  "item=2 image=4 selected=0 focused=0 text=Hidden Extra with spaces"}));

    // Emptied, the list reads as empty rather than as an error.
    fixture.OnWindowThread([](FixtureWindow& f) { ListView_DeleteAllItems(f.List()); });
    r = RunTool("probe.exe", {"listview", fixture.Caption()});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    EXPECT_EQ(r.Values["count"], "0");
    EXPECT_TRUE(ItemLines(r.Output).empty());
}

TEST(ProbeTest, ListViewReaderWorksInsideOneProcessToo)
{
    FixtureWindow fixture;
    ListViewContents contents = ReadListView(fixture.List());
    ASSERT_TRUE(contents.Ok) << contents.Error;
    ASSERT_EQ(contents.Items.size(), 3u);
    EXPECT_EQ(contents.Items[2].Text, "Hidden Extra with spaces");
    EXPECT_TRUE(contents.Items[1].Selected);
    EXPECT_FALSE(contents.Items[0].Focused);
}

TEST(ProbeTest, ReadsComponentTextThroughTheQueryMessage)
{
    FixtureWindow fixture;
    // Without a key in its environment the probe asks nothing.
    SetEnvironmentVariableA(TextQueryKeyVariable, nullptr);
    ToolResult r = RunTool("probe.exe", {"text", fixture.Caption(), "Label6"});
    EXPECT_EQ(r.ExitCode, 2u) << r.Output;
    EXPECT_EQ(r.Values.count("text"), 0u);
    SetEnvironmentVariableA(TextQueryKeyVariable, "0badc0de");
    std::uint32_t key = 0;
    ASSERT_TRUE(ReadTextQueryKey(key));
    EXPECT_EQ(key, 0x0badc0deu);

    r = RunTool("probe.exe", {"text", fixture.Caption(), "Label6"});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    // The trailing blank of the count line survives the trip.
    EXPECT_EQ(r.Values["text"], FixtureWindow::CountLine);

    // An empty text is an answer, not a failure.
    r = RunTool("probe.exe", {"text", fixture.Caption(), "Label1"});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    ASSERT_EQ(r.Values.count("text"), 1u) << r.Output;
    EXPECT_EQ(r.Values["text"], "");

    r = RunTool("probe.exe", {"text", fixture.Caption(), "Label99"});
    EXPECT_EQ(r.ExitCode, 3u) << r.Output;
    EXPECT_EQ(r.Values["component"], "0");
}

TEST(ProbeTest, TextQueryToAWindowWithoutTheHookIsRefused)
{
    std::string caption = UniqueName("E2E Front");
    ToolResult started;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = Quote(ToolPath("frontwin.exe")) + " " + Quote(caption) + " 30000";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    Handle p(process.hProcess), t(process.hThread);

    ToolResult wait = RunTool("probe.exe", {"wait-window", caption, "15000"});
    ASSERT_EQ(wait.ExitCode, 0u) << wait.Output;
    SetEnvironmentVariableA(TextQueryKeyVariable, "12345678");
    ToolResult r = RunTool("probe.exe", {"text", caption, "Label6"});
    EXPECT_EQ(r.ExitCode, 4u) << r.Output;
    EXPECT_EQ(r.Values.count("text"), 0u);

    ToolResult closed = RunTool("probe.exe", {"close", caption});
    EXPECT_EQ(closed.Values["closed"], "1");
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0);
    ToolResult gone = RunTool("probe.exe", {"wait-window", caption, "5000", "gone"});
    EXPECT_EQ(gone.ExitCode, 0u) << gone.Output;
}

TEST(ProbeTest, WindowStateFollowsShowAndHide)
{
    FixtureWindow fixture;
    ToolResult r = RunTool("probe.exe", {"window", "", fixture.Caption()});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    EXPECT_EQ(r.Values["visible"], "1");
    // The application-class window of the same caption is never "the window".
    EXPECT_EQ(r.Values["count"], "1");
    EXPECT_EQ(r.Values["class"], "E2EFixtureForm");
    EXPECT_EQ(r.Values["pid"], std::to_string(GetCurrentProcessId()));

    fixture.OnWindowThread([](FixtureWindow& f) { ShowWindow(f.Form(), SW_HIDE); });
    r = RunTool("probe.exe", {"window", "", fixture.Caption()});
    EXPECT_EQ(r.Values["visible"], "0");
    ToolResult hidden = RunTool("probe.exe", {"wait-window", fixture.Caption(), "2000", "hidden"});
    EXPECT_EQ(hidden.ExitCode, 0u) << hidden.Output;
    ToolResult visible = RunTool("probe.exe", {"wait-window", fixture.Caption(), "300", "visible"});
    EXPECT_EQ(visible.ExitCode, 1u) << visible.Output;

    r = RunTool("probe.exe", {"window", "E2EFixtureForm", fixture.Caption() + "x"});
    EXPECT_EQ(r.ExitCode, 3u);
    EXPECT_EQ(r.Values["exists"], "0");
    // Another process filter finds nothing.
    r = RunTool("probe.exe", {"--pid", "1", "window", "", fixture.Caption()});
    EXPECT_EQ(r.ExitCode, 3u);
}

TEST(ProbeTest, TaskbarIsTheApplicationWindowOfTheSameProcess)
{
    FixtureWindow fixture;
    ToolResult r = RunTool("probe.exe", {"taskbar", fixture.Caption()});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    EXPECT_EQ(r.Values["taskbar"], "0");
    fixture.OnWindowThread([](FixtureWindow& f) { ShowWindow(f.AppWindow(), SW_SHOWNOACTIVATE); });
    r = RunTool("probe.exe", {"taskbar", fixture.Caption()});
    EXPECT_EQ(r.Values["taskbar"], "1");
}

bool WaitForCallbacks(const FixtureWindow& fixture, int count)
{
    for (int i = 0; i < 200 && fixture.TrayCallbackCount() < count; ++i)
        Sleep(10);
    return fixture.TrayCallbackCount() == count;
}

TEST(ProbeTest, TrayClickPlaysTheShellsCallbacks)
{
    FixtureWindow fixture;
    ToolResult r = RunTool("probe.exe", {"tray-click", fixture.Caption()});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    EXPECT_EQ(r.Values["tray_windows"], "1");
    ASSERT_TRUE(WaitForCallbacks(fixture, 2));
    EXPECT_EQ(fixture.TrayCallbacks(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));

    r = RunTool("probe.exe", {"tray-click", fixture.Caption(), "double"});
    ASSERT_EQ(r.ExitCode, 0u) << r.Output;
    ASSERT_TRUE(WaitForCallbacks(fixture, 6));
    EXPECT_EQ(fixture.TrayCallbacks(),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                 WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    EXPECT_EQ(RunTool("probe.exe", {"tray-click", fixture.Caption(), "triple"}).ExitCode, 2u);
}

TEST(ProbeTest, AtomAndHotKeyReflectWhoHoldsThem)
{
    std::string name = UniqueName("e2e probe atom ");
    ToolResult r = RunTool("probe.exe", {"atom", name});
    EXPECT_EQ(r.Values["atom"], "0");
    ATOM atom = GlobalAddAtomA(name.c_str());
    ASSERT_NE(atom, 0);
    r = RunTool("probe.exe", {"atom", name});
    EXPECT_EQ(r.Values["atom"], "1");
    GlobalDeleteAtom(atom);
    r = RunTool("probe.exe", {"atom", name});
    EXPECT_EQ(r.Values["atom"], "0");

    // Three references, as three started copies would hold: all dropped.
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(GlobalAddAtomA(name.c_str()), 0);
    r = RunTool("probe.exe", {"atom-delete", name});
    EXPECT_EQ(r.Values["deleted"], "3");
    EXPECT_EQ(r.Values["atom"], "0");
    EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0);

    // Alt+F9, so that nothing the launcher holds is disturbed.
    const std::string vk = std::to_string(VK_F9), alt = std::to_string(MOD_ALT);
    r = RunTool("probe.exe", {"hotkey", vk, alt});
    ASSERT_EQ(r.Values["hotkey"], "free") << r.Output;
    ASSERT_TRUE(RegisterHotKey(nullptr, 77, MOD_ALT, VK_F9));
    r = RunTool("probe.exe", {"hotkey", vk, alt});
    EXPECT_EQ(r.Values["hotkey"], "taken");
    // The same key with other modifiers is another hot key.
    r = RunTool("probe.exe", {"hotkey", vk, std::to_string(MOD_ALT | MOD_SHIFT)});
    EXPECT_EQ(r.Values["hotkey"], "free");
    UnregisterHotKey(nullptr, 77);
    // The probe let go of the key it tried: it is free again for us.
    r = RunTool("probe.exe", {"hotkey", vk, alt});
    EXPECT_EQ(r.Values["hotkey"], "free");
    ASSERT_TRUE(RegisterHotKey(nullptr, 78, MOD_ALT, VK_F9));
    UnregisterHotKey(nullptr, 78);
}

TEST(ProbeTest, RefusesBadUsage)
{
    EXPECT_EQ(RunTool("probe.exe", {}).ExitCode, 2u);
    EXPECT_EQ(RunTool("probe.exe", {"window", "only-one"}).ExitCode, 2u);
    EXPECT_EQ(RunTool("probe.exe", {"wait-window", "x", "ten"}).ExitCode, 2u);
    EXPECT_EQ(RunTool("probe.exe", {"wait-window", "x", "10", "sideways"}).ExitCode, 2u);
    EXPECT_EQ(RunTool("probe.exe", {"--pid", "abc", "focus"}).ExitCode, 2u);
}

std::wstring Widen(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

struct LoadedLink {
    bool Ok = false;
    std::wstring Target, Arguments, IconFile, WorkDir;
    int IconIndex = -1;
};

LoadedLink LoadLink(const std::string& path)
{
    LoadedLink link;
    ComInit com;
    ComRef<IShellLinkW> shell;
    ComRef<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                shell.Put())) ||
        FAILED(shell->QueryInterface(IID_IPersistFile, file.Put())) ||
        FAILED(file->Load(Widen(path).c_str(), STGM_READ)))
        return link;
    wchar_t buffer[1024] = {};
    shell->GetPath(buffer, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
    link.Target = buffer;
    buffer[0] = 0;
    shell->GetArguments(buffer, 1024);
    link.Arguments = buffer;
    buffer[0] = 0;
    shell->GetIconLocation(buffer, MAX_PATH, &link.IconIndex);
    link.IconFile = buffer;
    buffer[0] = 0;
    shell->GetWorkingDirectory(buffer, MAX_PATH);
    link.WorkDir = buffer;
    link.Ok = true;
    return link;
}

std::string FirstLine(const std::string& output)
{
    std::string line = output.substr(0, output.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Lays out and clears real shortcuts in the special folders: the scenarios
// rely on --clear leaving a known, empty catalogue.
TEST(MkLinkTest, WritesShortcutsTheShellReadsBackAndClearsThem)
{
    std::string target = ToolPath("marker.exe");
    std::string dir = ToolPath("");
    dir.pop_back();

    ToolResult made = RunTool("mklink.exe", {"16", "E2E\\Deeper\\Tool One.lnk", target, "-x \"quoted arg\"",
                                             target, "3", dir});
    ASSERT_EQ(made.ExitCode, 0u) << made.Output;
    std::string path = FirstLine(made.Output);
    ToolResult folder = RunTool("mklink.exe", {"--folder", "16"});
    ASSERT_EQ(folder.ExitCode, 0u);
    EXPECT_EQ(path, FirstLine(folder.Output) + "\\E2E\\Deeper\\Tool One.lnk");

    LoadedLink link = LoadLink(path);
    ASSERT_TRUE(link.Ok);
    EXPECT_EQ(_wcsicmp(link.Target.c_str(), Widen(target).c_str()), 0);
    EXPECT_EQ(link.Arguments, L"-x \"quoted arg\"");
    EXPECT_EQ(_wcsicmp(link.IconFile.c_str(), Widen(target).c_str()), 0);
    EXPECT_EQ(link.IconIndex, 3);
    EXPECT_EQ(_wcsicmp(link.WorkDir.c_str(), Widen(dir).c_str()), 0);

    // Upper-case extension, written as asked, then hidden and system.
    ToolResult caps = RunTool("mklink.exe", {"25", "E2E Caps.LNK", target});
    ASSERT_EQ(caps.ExitCode, 0u) << caps.Output;
    std::string capsPath = FirstLine(caps.Output);
    EXPECT_EQ(capsPath.substr(capsPath.size() - 4), ".LNK");
    ASSERT_EQ(RunTool("mklink.exe", {"--attrib", capsPath, "+h+s"}).ExitCode, 0u);
    DWORD attributes = GetFileAttributesA(capsPath.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
    ASSERT_EQ(RunTool("mklink.exe", {"--attrib", capsPath, "-s"}).ExitCode, 0u);
    attributes = GetFileAttributesA(capsPath.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_SYSTEM);
    // A read-only shortcut must not survive --clear either.
    ASSERT_EQ(RunTool("mklink.exe", {"--attrib", path, "+r"}).ExitCode, 0u);

    ToolResult cleared = RunTool("mklink.exe", {"--clear"});
    ASSERT_EQ(cleared.ExitCode, 0u);
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(Exists(capsPath));
    // The folders mklink made are gone; the special folder itself stays.
    EXPECT_FALSE(Exists(FirstLine(folder.Output) + "\\E2E"));
    EXPECT_TRUE(Exists(FirstLine(folder.Output)));
    // Nothing left for a second pass.
    EXPECT_EQ(FirstLine(RunTool("mklink.exe", {"--clear"}).Output), "deleted 0");
}

TEST(MkLinkTest, RefusesBadUsage)
{
    EXPECT_EQ(RunTool("mklink.exe", {}).ExitCode, 2u);
    EXPECT_EQ(RunTool("mklink.exe", {"16", "x.lnk"}).ExitCode, 2u);
    EXPECT_EQ(RunTool("mklink.exe", {"sixteen", "x.lnk", "C:\\a.exe"}).ExitCode, 2u);
    // An icon file without its index is ambiguous.
    EXPECT_EQ(RunTool("mklink.exe", {"16", "x.lnk", "C:\\a.exe", "", "C:\\a.exe"}).ExitCode, 2u);
    EXPECT_EQ(RunTool("mklink.exe", {"--attrib", "C:\\windows\\win.ini", "+q"}).ExitCode, 2u);
    EXPECT_EQ(RunTool("mklink.exe", {"--attrib", "C:\\no\\such\\file", "+h"}).ExitCode, 1u);
    EXPECT_EQ(RunTool("mklink.exe", {"--folder", "9999"}).ExitCode, 1u);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(MarkerTest, EveryStartAppendsOneRecord)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string markerFile = std::string(temp) + UniqueName("e2e marker") + ".txt";
    ASSERT_EQ(RunTool("marker.exe", {markerFile, "second arg"}).ExitCode, 0u);
    ASSERT_EQ(RunTool("marker.exe", {markerFile}).ExitCode, 0u);
    std::string text = ReadFile(markerFile);
    DeleteFileA(markerFile.c_str());

    size_t first = text.find("started\n");
    ASSERT_EQ(first, 0u) << text;
    EXPECT_NE(text.find("started\n", first + 1), std::string::npos) << text;
    EXPECT_NE(text.find("second arg"), std::string::npos) << text;
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_NE(text.find(std::string("cwd=") + cwd + "\n"), std::string::npos) << text;
}

} // namespace
} // namespace tarnivo
