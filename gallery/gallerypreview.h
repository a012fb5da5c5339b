#pragma once
// The live preview: SkinGallery started on an unpacked skin folder watches
// it, and each saved change re-skins every window in place; what keeps a
// broken edit from loading is shown in a status bar at the foot of the main
// window, and the last skin that loaded stays.

#include "framework/messages.h"

#include <windows.h>

#include <string>

namespace tarnivo {
class TStatusBar;
}

namespace tarnivo::gallery {

class TGalleryMainForm;

class TGalleryPreview {
public:
    // `skin` indexes the folder's entry in the main form's skins; the main
    // form has already tried to load it once.
    TGalleryPreview(TGalleryMainForm& main, int skin, const std::string& folder);
    ~TGalleryPreview();
    TGalleryPreview(const TGalleryPreview&) = delete;
    TGalleryPreview& operator=(const TGalleryPreview&) = delete;

    // False when the folder cannot be watched (the status bar says why).
    bool Watching() const { return m_thread != nullptr; }

private:
    void BuildStatusBar();
    // Starts the worker; answers the system's error code when it cannot.
    DWORD StartWatching();
    void WndProc(TMessage& message);
    void FolderChanged();
    void WMTimer(UINT_PTR id);
    void SettleTick();
    void Reload();
    void ShowStatus(const std::string& text);
    static DWORD WINAPI WatchThread(void* self);
    void Watch();

    TGalleryMainForm& m_main;
    int m_skin;
    std::string m_folder;
    TStatusBar* m_status = nullptr;   // owned by the main form
    HWND m_window = nullptr;          // receives the worker's notes, runs the debounce timer
    HANDLE m_change = INVALID_HANDLE_VALUE;
    HANDLE m_stop = nullptr;          // set to end the worker
    HANDLE m_thread = nullptr;
    ULONGLONG m_changeSeen = 0;        // tick of the first notification not yet loaded
    ULONGLONG m_changeSeenLoaded = 0;  // the same for the skin last loaded
    std::string m_loadedStatus;        // what the status bar said on loading it
    int m_quietTicks = 0;
    ULONGLONG m_quietSince = 0;        // the first of the quiet ticks in a row
};

} // namespace tarnivo::gallery
