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
// A file on a share that stopped answering can hold a worker for minutes.
// The window's thread never waits on one without a time-out: a file or an
// icon that does not come within FileWait counts as unreadable (the icon
// as failed, for every entry that shares it), and the end of a list or of
// the whole work waits at most LetGoWait for workers still busy. Those are
// left to finish on their own; what they read then is dropped, and the
// state they share lives until the last of them has gone.
//
// Each worker thread has a COM apartment of its own for its whole life (the
// shell link object needs one). Icon handles are process-wide objects: the
// window's thread adds the ones the workers made to its image list.

#include "catalogue.h"
#include "shortcutfile.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tarnivo {

// What the work does to one file: read a shortcut (with the calling
// thread's reader) and extract an icon. Either may throw; a throw counts as
// "unreadable" or "no icon".
struct TScanIo {
    std::function<std::optional<TShortcutCfg>(TShortcutReader&, const std::wstring&)> ReadLink;
    std::function<TFileIcon(const std::wstring& file, int index)> ExtractIcon;

    // The shell link object and ExtractFileIcon at `iconSize` (0: the
    // system's large icon size).
    static TScanIo System(int iconSize = 0);
};

class TScanWork {
public:
    using Duration = std::chrono::milliseconds;
    // Long enough that a file read on a busy machine is never given up;
    // short enough that a dead share costs one pause, not a hung window.
    static constexpr Duration DefaultFileWait{10000};
    static constexpr Duration LetGoWait{500};

    explicit TScanWork(int workers, TScanIo io = TScanIo::System(),
                       Duration fileWait = DefaultFileWait);
    // Returns within LetGoWait whatever the workers are doing.
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
    // result can be taken once. A file still being read after FileWait
    // answers nothing.
    TRead Take(std::size_t k);

    // Takes no more files from the list; returns when none is being read,
    // or after LetGoWait.
    void Finish();

    // The slot of icon `index` of `file`; when no one has asked for it yet,
    // it is extracted here and now. Every slot ends: extracted or failed.
    int Slot(const std::wstring& file, int index);
    // The icon of a slot (waiting at most FileWait for its extraction),
    // empty when the file has none there or it did not come. It stays until
    // ClearIcons.
    const TFileIcon& Icon(int slot);
    void ClearIcons();

    // What the workers share with this object (scanwork.cpp); a worker left
    // behind keeps it alive.
    struct TState;

private:
    std::shared_ptr<TState> m_state;
    std::vector<std::thread> m_threads;
    // The calling thread's reader while it helps with a list.
    std::unique_ptr<TShortcutReader> m_ownReader;
};

} // namespace tarnivo
