// storm.exe: a hostile neighbour for the end-to-end tests. From a process of
// its own it floods the windows of other programs with junk messages, the way
// a program that broadcasts private messages (or an attacker) would, and it
// reads the targets' resource counts before and after.
//
//   storm.exe run SEED WINPID...   the storm; prints its figures
//   storm.exe counts WINPID        gdi=, user=, windows= and how they were counted
//   storm.exe alive WINPID         every top-level window of the process answers
//                                  WM_NULL within 5 s (exit 0) or not (exit 4)
//   storm.exe skinned WINPID       how many of its windows (top-level and child)
//                                  answer WM_ISSKINNED with 1
//
// The storm: the windows of the given processes, top-level and child, found
// by enumeration. The windows of the framework's own classes (class name
// starting with "T": TarnivoApplication, TarnivoWindow, TarnivoUtilWindow)
// get every message number from WM_USER to 0xBFFF: each number posted three
// times to every process (with zero, all-ones and random parameters) and
// sent once to one of the processes in turn, the window changing from
// number to number so that all of them get their share; the application
// window gets every number once more, posted with junk that is not zero.
// (Every number to every window would take several minutes under Wine,
// where a send across processes costs about a third of a millisecond.)
// Any other window (the system controls inside the programs, dialogs,
// menus) gets only the engine's and the framework's private ranges, because
// the system classes' own messages with junk pointers would crash any
// program: each of those numbers posted to every such window, and posted
// three times and sent once more to them in turn. Random parameters come
// from a generator seeded by SEED. Sends go through SendMessageTimeout, so a
// hung target cannot hang the storm.
//
// No message number is left out: none of the numbers stormed ends, hides or
// closes the programs by design. (The tray icon's callback, WM_USER + 1 on its
// message window, opens or shows only for an lParam that is a mouse-button
// message; zero, all ones and a random 32-bit value are none of those in
// practice.)
//
// Counting: GetGuiResources on the process handle. Wine answers 0 there (a
// stub), so the counts then come from what can be read from outside instead:
// GDI objects are the used entries of the process's GDI handle table (Wine
// keeps it in the process's memory and puts its address in the PEB, as
// Windows does), USER objects are the process's windows, top-level and child
// (menus, icons and cursors are not seen that way). "method=" says which.
//
// Exit status: 0 done, 2 bad usage, 3 no window of the process, 4 no answer.

#include <windows.h>
#include <winternl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitUsage = 2;
constexpr int ExitNoWindow = 3;
constexpr int ExitNoAnswer = 4;

// The ranges a system control gets: the framework's notices (CM_*), its
// reflected notifications (CN_*, which include the engine's 0xBC4x
// messages), and the engine's message numbers.
struct Range {
    UINT First;
    UINT Last;
};
constexpr Range PrivateRanges[] = {
    {0x3400, 0x340F},   // WM_SKINCHANGE and its neighbours
    {0x3500, 0x353F},   // the engine's WM_SKIN* family, WM_ISSKINNED
    {0xB000, 0xB03F},   // CM_*
    {0xBC00, 0xBD3F},   // CN_* (CN_BASE + WM_* up to WM_CTLCOLORSTATIC), WM_SKINPAINT*, WM_SKINQUERY
};
constexpr Range FrameworkRange = {WM_USER, 0xBFFF};

// How long one send may take before the storm goes on.
constexpr UINT SendTimeoutMs = 500;

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

struct Collect {
    DWORD Pid;
    std::vector<HWND>* Windows;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTop(HWND window, LPARAM param)
{
    auto* c = reinterpret_cast<Collect*>(param);
    if (ProcessOf(window) == c->Pid)
        c->Windows->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    std::vector<HWND> windows;
    Collect c{pid, &windows};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&c));
    return windows;
}

// Top-level windows and all their descendants.
std::vector<HWND> AllWindows(DWORD pid)
{
    std::vector<HWND> windows = TopLevelWindows(pid);
    const std::size_t tops = windows.size();
    for (std::size_t i = 0; i < tops; ++i)
        EnumChildWindows(windows[i], CollectChild, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool FrameworkClass(HWND window)
{
    const std::string name = ClassOf(window);
    return !name.empty() && name[0] == 'T';
}

// ------------------------------------------------------------------ counts

struct Counts {
    long Gdi = 0;
    long User = 0;
    long Windows = 0;
    const char* Method = "";
};

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// Used entries of the GDI handle table of a 32-bit process, or -1. The table
// is 65536 entries of 24 bytes (object, owner, unique, type, flags, user
// pointer); a free entry has type 0.
long GdiTableEntries(HANDLE process)
{
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query)
        return -1;
    PROCESS_BASIC_INFORMATION info{};
    if (query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0 ||
        !info.PebBaseAddress)
        return -1;
    // The PEB's GdiSharedHandleTable of a 32-bit process.
    constexpr std::size_t TableField = 0x94;
    DWORD table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(info.PebBaseAddress) + TableField,
                           &table, sizeof table, &got) ||
        got != sizeof table || !table)
        return -1;
    constexpr std::size_t EntrySize = 24;
    constexpr std::size_t EntryCount = 0x10000;
    constexpr std::size_t TypeOffset = 14;
    std::vector<unsigned char> entries(EntrySize * EntryCount);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<UINT_PTR>(table)),
                           entries.data(), entries.size(), &got) ||
        got != entries.size())
        return -1;
    long used = 0;
    for (std::size_t i = 0; i < EntryCount; ++i)
        used += entries[i * EntrySize + TypeOffset] != 0;
    return used;
}

bool ReadCounts(DWORD pid, Counts& counts)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return false;
    counts.Windows = static_cast<long>(AllWindows(pid).size());
    counts.Gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    counts.User = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    counts.Method = "GetGuiResources";
    if (counts.Gdi == 0 && counts.User == 0) {
        counts.Gdi = GdiTableEntries(process);
        counts.User = counts.Windows;
        counts.Method = "handle-table+windows";
    }
    CloseHandle(process);
    return counts.Gdi > 0;
}

int PrintCounts(DWORD pid)
{
    Counts counts;
    if (!ReadCounts(pid, counts)) {
        std::printf("error=cannot read the counts of process %lu\n", pid);
        return ExitNoAnswer;
    }
    std::printf("gdi=%ld\nuser=%ld\nwindows=%ld\nmethod=%s\n", counts.Gdi, counts.User,
                counts.Windows, counts.Method);
    return ExitOk;
}

// ------------------------------------------------------------------- alive

int Alive(DWORD pid)
{
    std::vector<HWND> windows = TopLevelWindows(pid);
    if (windows.empty()) {
        std::printf("alive=0\nwindows=0\n");
        return ExitNoWindow;
    }
    int answered = 0;
    for (HWND w : windows) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer))
            ++answered;
    }
    const bool all = answered == static_cast<int>(windows.size());
    std::printf("alive=%d\nwindows=%zu\nanswered=%d\n", all ? 1 : 0, windows.size(), answered);
    return all ? ExitOk : ExitNoAnswer;
}

// ----------------------------------------------------------------- skinned

// How many windows of the process, top-level and child, answer WM_ISSKINNED
// with 1: the windows the skin engine paints.
int Skinned(DWORD pid)
{
    constexpr UINT IsSkinnedMessage = 0x3523;
    int skinned = 0, silent = 0;
    std::vector<HWND> windows = AllWindows(pid);
    for (HWND w : windows) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(w, IsSkinnedMessage, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
            ++silent;
        else if (answer == 1)
            ++skinned;
    }
    std::printf("skinned=%d\nwindows=%zu\nsilent=%d\n", skinned, windows.size(), silent);
    return silent ? ExitNoAnswer : ExitOk;
}

// ------------------------------------------------------------------- storm

struct Figures {
    long Posted = 0;
    long PostFailed = 0;
    DWORD PostError = 0;   // the last failure's
    long Sent = 0;
    long SendFailed = 0;   // timed out, or the window went
    long FrameworkWindows = 0;
    long OtherWindows = 0;
};

// The windows of one process, split by kind.
struct Targets {
    std::vector<HWND> Framework;
    std::vector<HWND> Other;
    std::vector<HWND> Application;   // also among Framework
};

class Storm {
public:
    Storm(unsigned seed, Figures& figures) : m_random(seed), m_figures(figures) {}

    // Every number of `range` goes to the process posted three times (once
    // with each kind of parameters) and, for one process in `share`, sent
    // once: each time to the next window of `windows` in turn, so that every
    // window gets its share.
    void Spread(const std::vector<HWND>& windows, Range range, UINT share, UINT turn)
    {
        if (windows.empty())
            return;
        const std::size_t n = windows.size();
        for (UINT msg = range.First; msg <= range.Last; ++msg) {
            for (std::size_t kind = 0; kind < 3; ++kind)
                Post(windows[(msg + kind) % n], msg, msg + kind);
            if ((msg + turn) % share == 0)
                Send(windows[(msg + n / 2) % n], msg, msg + turn);
        }
    }

    // Every number of `range` posted to each of `windows`, the kind of
    // parameters changing from number to number.
    void PostToEach(const std::vector<HWND>& windows, Range range)
    {
        for (std::size_t i = 0; i < windows.size(); ++i)
            for (UINT msg = range.First; msg <= range.Last; ++msg)
                Post(windows[i], msg, msg + i);
    }

    // Every number of `range` posted to each of `windows` with junk that is
    // not zero: all ones and random parameters in turn.
    void PostJunkToEach(const std::vector<HWND>& windows, Range range)
    {
        for (HWND window : windows)
            for (UINT msg = range.First; msg <= range.Last; ++msg)
                Post(window, msg, 1 + msg % 2);
    }

private:
    struct Params {
        WPARAM W;
        LPARAM L;
    };

    // Zero, all ones and random parameters in turn.
    Params Pick(std::size_t turn)
    {
        switch (turn % 3) {
        case 0: return {0, 0};
        case 1: return {static_cast<WPARAM>(-1), static_cast<LPARAM>(-1)};
        default: return {static_cast<WPARAM>(m_random()), static_cast<LPARAM>(m_random())};
        }
    }

    void Post(HWND window, UINT msg, std::size_t turn)
    {
        const Params p = Pick(turn);
        if (PostMessageA(window, msg, p.W, p.L)) {
            ++m_figures.Posted;
        } else {
            ++m_figures.PostFailed;
            m_figures.PostError = GetLastError();
        }
    }

    void Send(HWND window, UINT msg, std::size_t turn)
    {
        const Params p = Pick(turn);
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(window, msg, p.W, p.L, SMTO_ABORTIFHUNG, SendTimeoutMs, &answer))
            ++m_figures.Sent;
        else
            ++m_figures.SendFailed;
    }

    std::mt19937 m_random;
    Figures& m_figures;
};

Targets TargetsOf(DWORD pid)
{
    Targets t;
    for (HWND w : AllWindows(pid)) {
        if (ClassOf(w) == "TarnivoApplication")
            t.Application.push_back(w);
        (FrameworkClass(w) ? t.Framework : t.Other).push_back(w);
    }
    return t;
}

int RunStorm(unsigned seed, const std::vector<DWORD>& pids)
{
    std::printf("seed=%u\n", seed);
    std::vector<Targets> targets;
    for (DWORD pid : pids) {
        targets.push_back(TargetsOf(pid));
        if (targets.back().Framework.empty()) {
            std::printf("error=no window of the framework in process %lu\n", pid);
            return ExitNoWindow;
        }
    }
    Figures figures;
    Storm storm(seed, figures);
    const auto start = std::chrono::steady_clock::now();
    const auto share = static_cast<UINT>(targets.size());
    for (UINT turn = 0; turn < share; ++turn) {
        const Targets& t = targets[turn];
        figures.FrameworkWindows += static_cast<long>(t.Framework.size());
        figures.OtherWindows += static_cast<long>(t.Other.size());
        // The application window, where the release message once took any
        // address, gets every number with junk that is not zero as well.
        storm.PostJunkToEach(t.Application, FrameworkRange);
        storm.Spread(t.Framework, FrameworkRange, share, turn);
        for (const Range& r : PrivateRanges) {
            storm.PostToEach(t.Other, r);
            storm.Spread(t.Other, r, 1, 0);
        }
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf("framework_windows=%ld\nother_windows=%ld\n", figures.FrameworkWindows,
                figures.OtherWindows);
    std::printf("post_error=%lu\n", figures.PostError);
    std::printf("posted=%ld\npost_failed=%ld\nsent=%ld\nsend_failed=%ld\nmessages=%ld\nms=%lld\n",
                figures.Posted, figures.PostFailed, figures.Sent, figures.SendFailed,
                figures.Posted + figures.Sent, static_cast<long long>(ms));
    return ExitOk;
}

DWORD ParsePid(const char* text)
{
    return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "counts" && argc == 3)
        return PrintCounts(ParsePid(argv[2]));
    if (command == "alive" && argc == 3)
        return Alive(ParsePid(argv[2]));
    if (command == "skinned" && argc == 3)
        return Skinned(ParsePid(argv[2]));
    if (command == "run" && argc >= 4) {
        std::vector<DWORD> pids;
        for (int i = 3; i < argc; ++i)
            pids.push_back(ParsePid(argv[i]));
        const int status = RunStorm(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)), pids);
        std::fflush(stdout);
        return status;
    }
    std::fprintf(stderr, "usage: storm.exe run SEED WINPID... | counts WINPID | alive WINPID | "
                         "skinned WINPID\n");
    return ExitUsage;
}
