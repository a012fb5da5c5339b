#pragma once
// The catalogue scan: the four special folders searched depth first for
// shortcut files, each read through the shell link object, program shortcuts
// kept with one 32 x 32 icon each.

#include "catalogue.h"

#include "framework/gdiobjects.h"

#include <windows.h>

#include <map>
#include <string>
#include <utility>

namespace tarnivo {

class TImageList;

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
    TShortcutScanner(TCatalogue& catalogue, TImageList& icons, TScanProgress& progress);

    // The full scan: folders, then icons.
    void ScanShortcuts();

    // The file-system path of a shell special folder, or empty text.
    static std::string GetSpecialFolder(int csidl);
    void ScanFolder(const std::string& folder);
    void AddShortcut(const std::wstring& linkPath);
    bool AddIcon(const std::string& file, int index);

    // The program's own file named relative to the current directory: icon 0
    // of it stands in for a shortcut whose icon cannot be extracted.
    static constexpr const char* FallbackIconFile = ".\\Tarnivo.exe";

private:
    void AddIcons();
    void AddEntryIcon(const TShortcutCfg& entry);

    TCatalogue& m_catalogue;
    TImageList& m_icons;
    TScanProgress& m_progress;
    // Icons extracted during this scan, by file and index (an empty handle
    // for one that could not be extracted). Many shortcuts share a program
    // or an icon file; reading it once instead of for each of them halves
    // the icon phase. Freed at the end of the scan.
    std::map<std::pair<std::string, int>, IconHandle> m_extracted;
};

} // namespace tarnivo
