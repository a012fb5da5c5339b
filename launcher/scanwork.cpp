#include "scanwork.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <utility>

namespace tarnivo {

namespace {

using Clock = std::chrono::steady_clock;

struct TLinkJob {
    std::wstring Path;
    TScanWork::TRead Result;
    bool Done = false;
};

enum class TIconState { Pending, Done, GivenUp };

struct TIconSlot {
    TFileIcon Icon;
    TIconState State = TIconState::Pending;
};

} // namespace

struct TScanWork::TState {
    TState(TScanIo io, Duration fileWait, int workers)
        : Io(std::move(io)), FileWait(fileWait), Exited(static_cast<std::size_t>(workers), false)
    {
    }

    const TScanIo Io;
    const Duration FileWait;
    std::mutex Mutex;
    std::condition_variable Changed;   // a file read, an icon extracted, new files, a worker gone
    std::vector<TLinkJob> Jobs;        // not resized while a read of this list runs
    std::size_t Next = 0;              // the first file nobody has taken
    std::size_t Running = 0;           // files of this list being read now
    std::uint64_t List = 0;            // which list Jobs holds: a read of an older one is dropped
    bool Quit = false;
    std::deque<TIconSlot> Slots;       // a deque: slots stay where they are
    std::map<std::pair<std::wstring, int>, int> SlotOf;
    std::uint64_t IconSet = 0;         // which set Slots holds: an older extraction is dropped
    std::vector<bool> Exited;          // by worker: its thread has nothing left to do
    const TFileIcon None;
};

namespace {

using TState = TScanWork::TState;

int SlotFor(TState& state, const std::wstring& file, int index)
{
    std::unique_lock lock(state.Mutex);
    if (auto found = state.SlotOf.find({file, index}); found != state.SlotOf.end())
        return found->second;
    const int slot = static_cast<int>(state.Slots.size());
    state.Slots.emplace_back();
    state.SlotOf.emplace(std::make_pair(file, index), slot);
    const std::uint64_t set = state.IconSet;
    lock.unlock();
    TFileIcon icon;
    try {
        icon = state.Io.ExtractIcon(file, index);
    } catch (...) {
        // Out of memory in the middle of one icon: the slot ends failed, and
        // every entry that shares it takes the fallback instead of waiting.
        icon = TFileIcon{};
    }
    lock.lock();
    if (set == state.IconSet) {
        TIconSlot& entry = state.Slots[static_cast<std::size_t>(slot)];
        if (entry.State == TIconState::Pending) {
            entry.Icon = std::move(icon);
            entry.State = TIconState::Done;
        }
    }
    state.Changed.notify_all();
    return slot;
}

// Reads the next file of the list, and extracts its icon if it is the first
// to need it. Called with the lock held; it is let go for the work itself.
void ReadNext(TState& state, std::unique_lock<std::mutex>& lock, TShortcutReader& reader)
{
    const std::size_t k = state.Next++;
    const std::uint64_t list = state.List;
    // A copy: the list may be let go while the file is read.
    const std::wstring path = state.Jobs[k].Path;
    ++state.Running;
    lock.unlock();
    TScanWork::TRead result;
    try {
        result.Entry = state.Io.ReadLink(reader, path);
        if (result.Entry)
            result.Slot = SlotFor(state, result.Entry->WideIconFile, result.Entry->IconIndex);
    } catch (...) {
        // Out of memory in the middle of one record: that shortcut is
        // skipped, as an unreadable one is. The scan goes on.
        result = TScanWork::TRead{};
    }
    lock.lock();
    if (list != state.List)
        return;   // nobody waits for it any more
    state.Jobs[k].Result = std::move(result);
    state.Jobs[k].Done = true;
    --state.Running;
    state.Changed.notify_all();
}

void Work(const std::shared_ptr<TState>& shared, std::size_t worker)
{
    TState& state = *shared;
    {
        TComScope com;
        TShortcutReader reader;
        std::unique_lock lock(state.Mutex);
        for (;;) {
            // Idle until there is work or the end; both notify.
            state.Changed.wait(lock, [&] { return state.Quit || state.Next < state.Jobs.size(); });
            if (state.Quit)
                break;
            ReadNext(state, lock, reader);
        }
    }
    std::lock_guard lock(state.Mutex);
    state.Exited[worker] = true;
    state.Changed.notify_all();
}

} // namespace

TScanIo TScanIo::System(int iconSize)
{
    return {[](TShortcutReader& reader, const std::wstring& path) { return reader.Read(path); },
            [iconSize](const std::wstring& file, int index) {
                return ExtractFileIcon(file, index, iconSize);
            }};
}

TScanWork::TScanWork(int workers, TScanIo io, Duration fileWait)
    : m_state(std::make_shared<TState>(std::move(io), fileWait, std::max(workers, 0)))
{
    try {
        for (int i = 0; i < workers; ++i)
            m_threads.emplace_back(
                [state = m_state, i] { Work(state, static_cast<std::size_t>(i)); });
    } catch (...) {
        // Fewer threads, or none: the window's thread reads what is left.
        // The threads that did start are let go by the destructor.
    }
}

TScanWork::~TScanWork()
{
    TState& state = *m_state;
    std::unique_lock lock(state.Mutex);
    state.Quit = true;
    state.Next = state.Jobs.size();
    state.Changed.notify_all();
    const std::size_t started = m_threads.size();
    auto allGone = [&] {
        for (std::size_t i = 0; i < started; ++i)
            if (!state.Exited[i])
                return false;
        return true;
    };
    state.Changed.wait_for(lock, LetGoWait, allGone);
    const std::vector<bool> exited = state.Exited;
    lock.unlock();
    // A worker still inside a file finishes it on its own time, sees the
    // end and goes; the state it reads stays alive with it.
    for (std::size_t i = 0; i < started; ++i) {
        if (exited[i])
            m_threads[i].join();
        else
            m_threads[i].detach();
    }
}

void TScanWork::Start(std::vector<std::wstring> links)
{
    std::vector<TLinkJob> jobs(links.size());
    for (std::size_t k = 0; k < links.size(); ++k)
        jobs[k].Path = std::move(links[k]);
    {
        std::lock_guard lock(m_state->Mutex);
        m_state->Jobs = std::move(jobs);
        m_state->Next = 0;
        m_state->Running = 0;
        ++m_state->List;
    }
    m_state->Changed.notify_all();
}

TScanWork::TRead TScanWork::Take(std::size_t k)
{
    TState& state = *m_state;
    std::unique_lock lock(state.Mutex);
    if (k >= state.Jobs.size())
        return {};
    auto deadline = Clock::now() + state.FileWait;
    while (!state.Jobs[k].Done) {
        if (state.Next < state.Jobs.size()) {
            if (!m_ownReader) {
                lock.unlock();
                auto reader = std::make_unique<TShortcutReader>();
                lock.lock();
                m_ownReader = std::move(reader);
                continue;   // the file may have been taken meanwhile
            }
            ReadNext(state, lock, *m_ownReader);
            deadline = Clock::now() + state.FileWait;
        } else if (state.Changed.wait_until(lock, deadline) == std::cv_status::timeout &&
                   !state.Jobs[k].Done) {
            return {};   // given up: the file counts as unreadable
        }
    }
    return std::move(state.Jobs[k].Result);
}

void TScanWork::Finish()
{
    TState& state = *m_state;
    std::unique_lock lock(state.Mutex);
    state.Next = state.Jobs.size();
    state.Changed.wait_for(lock, LetGoWait, [&] { return state.Running == 0; });
    // Reads still running belong to a list nobody waits for any more.
    state.Jobs.clear();
    state.Next = 0;
    state.Running = 0;
    ++state.List;
    lock.unlock();
    // Released on the thread that made it, while its COM is still up.
    m_ownReader.reset();
}

int TScanWork::Slot(const std::wstring& file, int index)
{
    return SlotFor(*m_state, file, index);
}

const TFileIcon& TScanWork::Icon(int slot)
{
    TState& state = *m_state;
    std::unique_lock lock(state.Mutex);
    if (slot < 0 || static_cast<std::size_t>(slot) >= state.Slots.size())
        return state.None;
    TIconSlot& icon = state.Slots[static_cast<std::size_t>(slot)];
    if (!state.Changed.wait_for(lock, state.FileWait,
                                [&] { return icon.State != TIconState::Pending; }))
        icon.State = TIconState::GivenUp;   // the next entry with this icon does not wait again
    return icon.State == TIconState::Done ? icon.Icon : state.None;
}

// Only between scans: no read of the scan's own may be running.
void TScanWork::ClearIcons()
{
    std::lock_guard lock(m_state->Mutex);
    m_state->Slots.clear();
    m_state->SlotOf.clear();
    ++m_state->IconSet;
}

} // namespace tarnivo
