#pragma once
// The catalogue scan: the four special folders searched depth first for
// shortcut files, each read through the shell link object, program shortcuts
// kept with one 32 x 32 icon each.
//
// Reading a shortcut and extracting an icon cost a file open and a parse
// each, a thousand times over for a full start menu. A few worker threads
// (scanwork.h) do that work ahead of the window's thread, which takes the
// results strictly in order: the catalogue keeps the folders' order, image i
// is entry i's icon, and the bars step exactly as a scan on one thread would.

#include "catalogue.h"
#include "shortcutfile.h"

#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TImageList;
class TScanWork;

// What a scan shows while it runs: the main window's bar and, during the
// first scan, the start-up window's bar (both always set together).
class TScanProgress {
public:
    virtual ~TScanProgress() = default;
    virtual void ScanStarting() = 0;
    virtual void SetBars(int value) = 0;
    virtual void StepBars() = 0;          // one more; the bars stop at 100
    virtual void RepaintStartup() = 0;    // no message loop runs during a scan
    virtual void ScanFinished() = 0;
};

class TShortcutScanner {
public:
    // Worker threads to read shortcuts and icons on: one per processor, at
    // least two (the threads spend much of their time waiting on the Wine
    // server or the disk), at most four.
    static int DefaultWorkers();

    // With `workers` 0 everything runs on the calling thread.
    TShortcutScanner(TCatalogue& catalogue, TImageList& icons, TScanProgress& progress,
                     int workers = DefaultWorkers());
    ~TShortcutScanner();
    TShortcutScanner(const TShortcutScanner&) = delete;
    TShortcutScanner& operator=(const TShortcutScanner&) = delete;

    // The full scan: folders, then icons.
    void ScanShortcuts();

    // The file-system path of a shell special folder, or empty text.
    static std::string GetSpecialFolder(int csidl);
    // The same in UTF-16: the scan walks the folders with the wide calls.
    static std::wstring GetSpecialFolderW(int csidl);
    // Every shortcut below `folder` into the catalogue, depth first, in the
    // order the file system lists the entries. Links to other folders
    // (symbolic links, junctions) are not followed, no folder is walked
    // twice, and the walk stops 64 folders deep or after 4096 folders.
    void ScanFolder(const std::wstring& folder);
    // One shortcut file into the catalogue if it qualifies.
    void AddShortcut(const std::wstring& linkPath);
    // Image for entry i of the catalogue in the image list: its icon, else
    // the program's own, else a stand-in, so that image i is always entry i's.
    void AddEntryIcon(int i);
    // Every entry's icon again, at the image list's size as it is now (the
    // window moved to a screen of another DPI): the catalogue stays as it is
    // and image i is entry i's icon as after a scan.
    void RetakeIcons();

    // The program's own file named relative to the current directory: icon 0
    // of it stands in for a shortcut whose icon cannot be extracted.
    static constexpr const wchar_t* FallbackIconFile = L".\\Tarnivo.exe";

private:
    void AddIcons();
    bool AddIcon(int slot);
    // Is the bitmap exactly one image of the list?
    bool FitsList(HBITMAP bitmap) const;

    TCatalogue& m_catalogue;
    TImageList& m_icons;
    TScanProgress& m_progress;
    std::unique_ptr<TScanWork> m_work;
    // The icon slot (scanwork.h) of each entry added by this scanner, by
    // catalogue index; -1 for an entry that this scanner did not add.
    std::vector<int> m_entrySlot;
    // The system's generic program icon, once a scan needs it.
    TFileIcon m_generic;
};

} // namespace tarnivo
