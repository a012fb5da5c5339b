#include "gallerypreview.h"

#include "galleryforms.h"

#include "skin/resources/skinmanagerif.h"

#include "framework/controls/statusbar.h"
#include "framework/messagewindow.h"

#include <cstdio>

namespace tarnivo::gallery {

namespace {

// Posted by the worker to the preview's own hidden window; anyone could
// post the number, which costs one reload at most.
constexpr UINT WM_PREVIEW_CHANGED = WM_APP + 0x51;
constexpr UINT_PTR DebounceTimer = 1;
// Looks, after a load, for the moment no window of the program is waiting to
// be painted: the engine re-skins on a timer of its own and its windows then
// repaint, both on this thread.
constexpr UINT_PTR SettleTimer = 2;
constexpr UINT SettleTickMs = 10;
constexpr int SettleQuietTicks = 3;   // ticks in a row without a paint pending
constexpr ULONGLONG SettleLimitMs = 10000;
// Editors save in several steps (truncate, write, rename a temporary file
// over the original); each raises a notification within a few ms of the
// others. One reload after the last of them is enough.
constexpr UINT DebounceMs = 30;
// The worker's wait wakes this often to look at the stop event even if
// setting it were missed; the event normally ends the wait at once.
constexpr DWORD WatchWakeMs = 1000;
constexpr DWORD StopWaitMs = 5000;
constexpr int StatusHeight = 22;

std::string TimeOfDay()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    return text;
}

} // namespace

TGalleryPreview::TGalleryPreview(TGalleryMainForm& main, int skin, const std::string& folder)
    : m_main(main), m_skin(skin), m_folder(folder)
{
    BuildStatusBar();
    m_window = AllocateHWnd([this](TMessage& m) { WndProc(m); });
    const DWORD error = StartWatching();
    if (!m_thread)
        ShowStatus("cannot watch " + folder + " (error " + std::to_string(error) + ")");
    else if (m_main.CurrentSkin() == m_skin)
        ShowStatus("Watching " + folder + ": loaded at " + TimeOfDay());
    else
        ShowStatus(m_main.LoadError());
}

void TGalleryPreview::BuildStatusBar()
{
    RECT client{};
    GetClientRect(m_main.Handle(), &client);
    m_status = new TStatusBar(&m_main);
    m_status->SetName("PreviewStatus");
    m_status->SetBounds(0, client.bottom - StatusHeight, client.right, StatusHeight);
    m_status->SetParent(&m_main);
    // One panel rather than simple mode: WM_GETTEXT answers a bar's first
    // part, so the message can be read from outside the program too.
    m_status->Panels().Add();
}

DWORD TGalleryPreview::StartWatching()
{
    m_change = FindFirstChangeNotificationA(
        m_folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (m_change == INVALID_HANDLE_VALUE)
        return GetLastError();
    m_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!m_stop)
        return GetLastError();
    m_thread = CreateThread(nullptr, 0, WatchThread, this, 0, nullptr);
    return m_thread ? 0 : GetLastError();
}

TGalleryPreview::~TGalleryPreview()
{
    bool ended = true;
    if (m_thread) {
        SetEvent(m_stop);
        // The worker ends within one wake-up. Should it not, the process is
        // ending anyway: its handles are left to it rather than closed under
        // its wait, and the thread is not killed.
        ended = WaitForSingleObject(m_thread, StopWaitMs) == WAIT_OBJECT_0;
        CloseHandle(m_thread);
    }
    if (ended && m_change != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(m_change);
    if (ended && m_stop)
        CloseHandle(m_stop);
    // A note the worker posts after this goes to no window and is dropped.
    DeallocateHWnd(m_window);
}

void TGalleryPreview::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PREVIEW_CHANGED: FolderChanged(); break;
    case WM_TIMER: WMTimer(message.WParam); break;
    default: DefaultHandler(m_window, message); break;
    }
}

void TGalleryPreview::WMTimer(UINT_PTR id)
{
    if (id == DebounceTimer)
        Reload();
    else if (id == SettleTimer)
        SettleTick();
}

void TGalleryPreview::SettleTick()
{
    const ULONGLONG now = GetTickCount64();
    // The manager holds the skin it is to apply until its timer has run.
    const ISkinManager* manager = SkinManager();
    const bool reskinPending = manager && manager->CurrentSkin();
    if (reskinPending || (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)) {
        m_quietTicks = 0;
        if (now - m_changeSeenLoaded < SettleLimitMs)
            return;
        m_quietSince = now;
    } else if (m_quietTicks++ == 0) {
        m_quietSince = now;
    }
    if (m_quietTicks > 0 && m_quietTicks < SettleQuietTicks)
        return;
    KillTimer(m_window, SettleTimer);
    m_quietTicks = 0;
    // The first tick that found nothing to paint is when painting ended; the
    // ticks after it only make sure nothing more came.
    ShowStatus(m_loadedStatus + "; every window repainted " +
               std::to_string(m_quietSince - m_changeSeenLoaded) + " ms after the change");
}

void TGalleryPreview::FolderChanged()
{
    if (m_changeSeen == 0)
        m_changeSeen = GetTickCount64();
    SetTimer(m_window, DebounceTimer, DebounceMs, nullptr);
}

void TGalleryPreview::Reload()
{
    KillTimer(m_window, DebounceTimer);
    KillTimer(m_window, SettleTimer);
    const ULONGLONG seen = m_changeSeen;
    m_changeSeen = 0;
    bool loaded = false;
    try {
        loaded = m_main.SelectSkin(m_skin);
    } catch (const std::exception& e) {
        ShowStatus(e.what());
        return;
    }
    if (!loaded) {
        ShowStatus(m_main.LoadError());
        return;
    }
    // The manager waits a quarter second before re-skinning, so that a
    // program setting several skin properties in a row re-skins once; the
    // author who just saved is waiting for exactly this one.
    if (ISkinManager* manager = SkinManager())
        manager->SetAction(saReskin, 1);
    const ULONGLONG now = GetTickCount64();
    m_changeSeenLoaded = seen ? seen : now;
    m_loadedStatus = "Watching " + m_folder + ": loaded at " + TimeOfDay() + ", " +
                     std::to_string(now - m_changeSeenLoaded) + " ms after the change was seen";
    ShowStatus(m_loadedStatus);
    m_quietTicks = 0;
    SetTimer(m_window, SettleTimer, SettleTickMs, nullptr);
}

void TGalleryPreview::ShowStatus(const std::string& text)
{
    m_status->Panels()[0]->SetText(text);
    std::fprintf(stderr, "SkinGallery: %s\n", text.c_str());
    std::fflush(stderr);
}

DWORD WINAPI TGalleryPreview::WatchThread(void* self)
{
    static_cast<TGalleryPreview*>(self)->Watch();
    return 0;
}

// The worker only waits and posts: loading and painting stay on the thread
// that owns the windows.
void TGalleryPreview::Watch()
{
    const HANDLE waits[2] = {m_stop, m_change};
    for (;;) {
        const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, WatchWakeMs);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED)
            return;
        if (woke == WAIT_OBJECT_0 + 1) {
            PostMessageA(m_window, WM_PREVIEW_CHANGED, 0, 0);
            if (!FindNextChangeNotification(m_change))
                return;
        }
    }
}

} // namespace tarnivo::gallery
