#pragma once
// The work of one catalogue scan, shared between the window's thread and a
// few worker threads: a list of shortcut files to read (one folder's at a
// time) and the icons their programs need, each file and index extracted
// once.
//
// Workers take the files in list order; a file that qualifies goes straight
// on to its icon, unless another file has asked for the same icon file and
// index already. The window's thread takes the results in list order and
// waits for the one it needs next; while it waits and files are left, it
// reads one itself. With no worker threads it simply does all of it.
//
// Each worker thread has a COM apartment of its own for its whole life (the
// shell link object needs one). Icon handles are process-wide objects: the
// window's thread adds the ones the workers made to its image list.

#include "catalogue.h"
#include "shortcutfile.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace tarnivo {

class TScanWork {
public:
    explicit TScanWork(int workers);
    ~TScanWork();
    TScanWork(const TScanWork&) = delete;
    TScanWork& operator=(const TScanWork&) = delete;

    // Worker threads actually running (fewer than asked when the system
    // would not start more).
    int Workers() const { return static_cast<int>(m_threads.size()); }

    // The shortcut files to read now. The previous list must be finished.
    void Start(std::vector<std::wstring> links);

    struct TRead {
        std::optional<TShortcutCfg> Entry;   // nothing: unreadable or no program
        int Slot = -1;                        // the entry's icon slot
    };
    // The result for file k of the list, waiting for it if need be; each
    // result can be taken once.
    TRead Take(std::size_t k);

    // Takes no more files from the list; returns when none is being read.
    void Finish();

    // The slot of icon `index` of `file`; when no one has asked for it yet,
    // it is extracted here and now.
    int Slot(const std::wstring& file, int index);
    // The icon of a slot (waiting until it is extracted), empty when the
    // file has none there. It stays until ClearIcons.
    const TFileIcon& Icon(int slot);
    void ClearIcons();

private:
    struct TLinkJob {
        std::wstring Path;
        TRead Result;
        bool Done = false;
    };
    struct TIconSlot {
        TFileIcon Icon;
        bool Done = false;
    };

    void Worker();
    void ReadNext(std::unique_lock<std::mutex>& lock, TShortcutReader& reader);

    std::mutex m_mutex;
    std::condition_variable m_changed;   // a file read, an icon extracted, new files
    std::vector<TLinkJob> m_jobs;        // not resized while a read runs
    std::size_t m_next = 0;              // the first file nobody has taken
    std::size_t m_running = 0;           // files being read now
    bool m_quit = false;
    std::deque<TIconSlot> m_slots;       // a deque: slots stay where they are
    std::map<std::pair<std::wstring, int>, int> m_slotOf;
    std::vector<std::thread> m_threads;
    // The calling thread's reader while it helps with a list.
    std::unique_ptr<TShortcutReader> m_ownReader;
};

} // namespace tarnivo
