#include "scanwork.h"



namespace tarnivo {

TScanWork::TScanWork(int workers)
{
    try {
        for (int i = 0; i < workers; ++i)
            m_threads.emplace_back([this] { Worker(); });
    } catch (...) {
        // Fewer threads, or none: the window's thread reads what is left.
        // The threads that did start are joined by the destructor.
    }
}

TScanWork::~TScanWork()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_next = m_jobs.size();
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void TScanWork::Worker()
{
    TComScope com;
    TShortcutReader reader;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || m_next < m_jobs.size(); });
        if (m_quit)
            return;
        ReadNext(lock, reader);
    }
}

// Reads the next file of the list, and extracts its icon if it is the first
// to need it. Called with the lock held; it is let go for the work itself.
void TScanWork::ReadNext(std::unique_lock<std::mutex>& lock, TShortcutReader& reader)
{
    TLinkJob& job = m_jobs[m_next++];
    ++m_running;
    lock.unlock();
    TRead result;
    try {
        result.Entry = reader.Read(job.Path);
        if (result.Entry)
            result.Slot = Slot(result.Entry->WideIconFile, result.Entry->IconIndex);
    } catch (...) {
        // Out of memory in the middle of one record: that shortcut is
        // skipped, as an unreadable one is. The scan goes on.
        result = TRead{};
    }
    lock.lock();
    job.Result = std::move(result);
    job.Done = true;
    --m_running;
    m_changed.notify_all();
}

void TScanWork::Start(std::vector<std::wstring> links)
{
    std::vector<TLinkJob> jobs(links.size());
    for (std::size_t k = 0; k < links.size(); ++k)
        jobs[k].Path = std::move(links[k]);
    {
        std::lock_guard lock(m_mutex);
        m_jobs = std::move(jobs);
        m_next = 0;
    }
    m_changed.notify_all();
}

TScanWork::TRead TScanWork::Take(std::size_t k)
{
    std::unique_lock lock(m_mutex);
    while (!m_jobs[k].Done) {
        if (m_next < m_jobs.size()) {
            if (!m_ownReader) {
                lock.unlock();
                auto reader = std::make_unique<TShortcutReader>();
                lock.lock();
                m_ownReader = std::move(reader);
                continue;   // the file may have been taken meanwhile
            }
            ReadNext(lock, *m_ownReader);
        } else
            m_changed.wait(lock);
    }
    return std::move(m_jobs[k].Result);
}

void TScanWork::Finish()
{
    std::unique_lock lock(m_mutex);
    m_next = m_jobs.size();
    m_changed.wait(lock, [this] { return m_running == 0; });
    m_jobs.clear();
    m_next = 0;
    lock.unlock();
    // Released on the thread that made it, while its COM is still up.
    m_ownReader.reset();
}

int TScanWork::Slot(const std::wstring& file, int index)
{
    std::unique_lock lock(m_mutex);
    m_slots.emplace_back();
    auto [at, added] = m_slotOf.try_emplace({file, index}, static_cast<int>(m_slots.size() - 1));
    if (!added) {
        m_slots.pop_back();
        return at->second;
    }
    const int slot = at->second;
    lock.unlock();
    TFileIcon icon = ExtractFileIcon(file, index);
    lock.lock();
    m_slots[static_cast<std::size_t>(slot)].Icon = std::move(icon);
    m_slots[static_cast<std::size_t>(slot)].Done = true;
    m_changed.notify_all();
    return slot;
}

const TFileIcon& TScanWork::Icon(int slot)
{
    std::unique_lock lock(m_mutex);
    TIconSlot& icon = m_slots[static_cast<std::size_t>(slot)];
    m_changed.wait(lock, [&] { return icon.Done; });
    return icon.Icon;
}

// Only between scans: no read and no extraction may be running.
void TScanWork::ClearIcons()
{
    std::lock_guard lock(m_mutex);
    m_slots.clear();
    m_slotOf.clear();
}

} // namespace tarnivo
