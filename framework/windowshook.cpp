#include "windowshook.h"

#include "subclass.h"

#include <array>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace tarnivo {

namespace hook_detail {

struct Entry {
    HHOOK hook = nullptr;
    int type = 0;
    DWORD thread = 0;
    int slot = -1;
    THookProc proc;
};

} // namespace hook_detail

using hook_detail::Entry;

namespace {

using ThreadTable = std::array<std::shared_ptr<Entry>, MaxHooksPerThread>;

// The hooks of each hooked thread, by entry-point slot. A hook for another
// thread runs on that thread while its owner may remove it from this one,
// hence the lock. Never freed, like the subclass table.
struct Tables {
    std::mutex lock;
    std::unordered_map<DWORD, ThreadTable> threads;
};

Tables& TheTables()
{
    static Tables* tables = new Tables;
    return *tables;
}

LRESULT Dispatch(int slot, int code, WPARAM wParam, LPARAM lParam);

template <int N>
LRESULT CALLBACK HookEntry(int code, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(N, code, wParam, lParam);
}

template <int... N>
constexpr std::array<HOOKPROC, sizeof...(N)> MakeEntries(std::integer_sequence<int, N...>)
{
    return {&HookEntry<N>...};
}

constexpr auto Entries = MakeEntries(std::make_integer_sequence<int, MaxHooksPerThread>{});

std::shared_ptr<Entry> FindEntry(DWORD thread, int slot)
{
    Tables& t = TheTables();
    std::lock_guard guard(t.lock);
    auto it = t.threads.find(thread);
    return it == t.threads.end() ? nullptr : it->second[static_cast<std::size_t>(slot)];
}

LRESULT Dispatch(int slot, int code, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<Entry> entry = FindEntry(GetCurrentThreadId(), slot);
    if (code < 0 || !entry || !entry->proc)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    try {
        return entry->proc(code, wParam, lParam);
    } catch (...) {
        DeferException(WM_NULL, std::current_exception());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void FreeSlot(const Entry& entry)
{
    Tables& t = TheTables();
    std::lock_guard guard(t.lock);
    auto it = t.threads.find(entry.thread);
    if (it == t.threads.end())
        return;
    auto& cell = it->second[static_cast<std::size_t>(entry.slot)];
    if (cell.get() == &entry)
        cell.reset();
    for (const auto& e : it->second)
        if (e)
            return;
    t.threads.erase(it);
}

} // namespace

TWindowsHook::TWindowsHook(TWindowsHook&& other) noexcept : m_entry(std::move(other.m_entry)) {}

TWindowsHook& TWindowsHook::operator=(TWindowsHook&& other) noexcept
{
    if (this != &other) {
        Remove();
        m_entry = std::move(other.m_entry);
    }
    return *this;
}

TWindowsHook::~TWindowsHook()
{
    Remove();
}

bool TWindowsHook::Install(int type, THookProc proc, DWORD threadId)
{
    Remove();
    if (!proc)
        return false;
    auto entry = std::make_shared<Entry>();
    entry->type = type;
    entry->thread = threadId ? threadId : GetCurrentThreadId();
    entry->proc = std::move(proc);
    {
        // The slot is taken before the hook exists: a hook on another
        // thread may be called before SetWindowsHookEx returns here.
        Tables& t = TheTables();
        std::lock_guard guard(t.lock);
        ThreadTable& table = t.threads[entry->thread];
        for (int i = 0; i < MaxHooksPerThread && entry->slot < 0; ++i)
            if (!table[static_cast<std::size_t>(i)])
                entry->slot = i;
        if (entry->slot < 0)
            return false;
        table[static_cast<std::size_t>(entry->slot)] = entry;
    }
    entry->hook = SetWindowsHookExW(type, Entries[static_cast<std::size_t>(entry->slot)], nullptr,
                                    entry->thread);
    if (!entry->hook) {
        FreeSlot(*entry);
        return false;
    }
    m_entry = std::move(entry);
    return true;
}

void TWindowsHook::Remove()
{
    if (!m_entry)
        return;
    std::shared_ptr<Entry> entry = std::move(m_entry);
    UnhookWindowsHookEx(entry->hook);
    FreeSlot(*entry);
    // A call of the procedure that is running keeps its own reference.
}

bool TWindowsHook::Installed() const
{
    return m_entry != nullptr;
}

int TWindowsHook::Type() const
{
    return m_entry ? m_entry->type : 0;
}

DWORD TWindowsHook::ThreadId() const
{
    return m_entry ? m_entry->thread : 0;
}

LRESULT TWindowsHook::CallNext(int code, WPARAM wParam, LPARAM lParam) const
{
    return CallNextHookEx(m_entry ? m_entry->hook : nullptr, code, wParam, lParam);
}

} // namespace tarnivo
