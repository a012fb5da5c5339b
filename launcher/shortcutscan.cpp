#include "shortcutscan.h"

#include "scanwork.h"
#include "shortcutfile.h"

#include "framework/unicodetext.h"
#include "framework/bitmap.h"
#include "framework/filesearch.h"
#include "framework/imagelist.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <array>
#include <compare>
#include <optional>
#include <set>
#include <thread>

namespace tarnivo {

namespace {

struct FolderStep {
    int Csidl;
    int BarsAfter;
    bool RepaintAfter;
};

// All users' start menu, all users' desktop, the user's desktop, the user's
// start menu: the catalogue keeps this order.
constexpr std::array<FolderStep, 4> Folders{{
    {CSIDL_COMMON_STARTMENU, 15, true},
    {CSIDL_COMMON_DESKTOPDIRECTORY, 30, false},
    {CSIDL_DESKTOPDIRECTORY, 45, true},
    {CSIDL_STARTMENU, 60, true},
}};

constexpr int IconPhaseSteps = 40;

bool IsShortcutName(const std::wstring& name)
{
    // Exact comparison: "X.LNK" is not a shortcut to us.
    return name.size() >= 4 && name.compare(name.size() - 4, 4, L".lnk") == 0;
}

// How far a walk goes below a special folder. Paths end at MAX_PATH
// characters anyway; the bounds keep a tree of links that never repeats a
// folder (a link to a link to ...) from growing without end.
constexpr int MaxFolderDepth = 64;
constexpr int MaxFolders = 4096;

// A folder's identity: its volume and file index, the same whichever path
// (a link, a junction, a short name) leads to it.
struct TFolderId {
    DWORD Volume;
    DWORD IndexHigh;
    DWORD IndexLow;
    auto operator<=>(const TFolderId&) const = default;
};

std::optional<TFolderId> FolderIdentity(const std::wstring& folder)
{
    // A folder opens only with backup semantics; no access right is needed
    // to ask who it is.
    HANDLE handle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    // Some network file systems answer index 0 for everything: no identity.
    if (!ok || (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0))
        return std::nullopt;
    return TFolderId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Symbolic links and junctions stand for another folder (their tag is a
// "name surrogate"): following them can lead back up the tree, as the
// compatibility junctions of a Windows profile do ("Application Data"
// inside AppData\Local), and Wine lists a Unix symbolic link as such a
// folder. A reparse point of another kind (a cloud-file placeholder) is
// the folder itself and is walked.
bool StandsForAnotherFolder(const WIN32_FIND_DATAW& entry)
{
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    const DWORD tag = entry.dwReserved0;
    return tag == 0 || IsReparseTagNameSurrogate(tag);
}

// The shortcut files below one folder, depth first, in the order the file
// system lists the entries; each folder at most once.
class TLinkWalk {
public:
    explicit TLinkWalk(std::vector<std::wstring>& links) : m_links(links) {}
    void Folder(const std::wstring& folder, int depth);

private:
    bool Enter(const std::wstring& folder, int depth);

    std::vector<std::wstring>& m_links;
    std::set<TFolderId> m_visited;
    int m_folders = 0;
};

bool TLinkWalk::Enter(const std::wstring& folder, int depth)
{
    if (depth > MaxFolderDepth || m_folders >= MaxFolders)
        return false;
    ++m_folders;
    // A folder whose identity cannot be read is walked; the bounds hold.
    std::optional<TFolderId> id = FolderIdentity(folder);
    return !id || m_visited.insert(*id).second;
}

void TLinkWalk::Folder(const std::wstring& folder, int depth)
{
    if (!Enter(folder, depth))
        return;
    TWideSearchRec entry;
    if (FindFirst(folder + L"\\*.*", faAnyFile, entry) != 0)
        return;
    do {
        if (entry.Name == L"." || entry.Name == L"..")
            continue;
        std::wstring path = folder + L"\\" + entry.Name;
        // A sub-folder's shortcuts come where the sub-folder is met.
        if ((entry.Attr & faDirectory) && !StandsForAnotherFolder(entry.FindData()))
            Folder(path, depth + 1);
        if (IsShortcutName(entry.Name))
            m_links.push_back(std::move(path));
    } while (FindNext(entry) == 0);
}

} // namespace

int TShortcutScanner::DefaultWorkers()
{
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 2, 4);
}

TShortcutScanner::TShortcutScanner(TCatalogue& catalogue, TImageList& icons,
                                   TScanProgress& progress, int workers)
    : m_catalogue(catalogue),
      m_icons(icons),
      m_progress(progress),
      m_work(std::make_unique<TScanWork>(workers, TScanIo::System(icons.Width()))),
      m_entrySlot(TCatalogue::Capacity, -1)
{
}

TShortcutScanner::~TShortcutScanner() = default;

void TShortcutScanner::ScanShortcuts()
{
    // Each shortcut read initialises and uninitialises COM for itself; held
    // open here, those calls only count, instead of setting up and tearing
    // down the whole apartment a thousand times.
    TComScope com;
    m_progress.ScanStarting();
    m_icons.Clear();
    m_catalogue.ShortcutCount = 0;
    std::fill(m_entrySlot.begin(), m_entrySlot.end(), -1);
    m_progress.SetBars(0);

    for (const FolderStep& step : Folders) {
        std::wstring folder = GetSpecialFolderW(step.Csidl);
        if (!folder.empty())
            ScanFolder(folder);
        m_progress.SetBars(step.BarsAfter);
        if (step.RepaintAfter)
            m_progress.RepaintStartup();
    }
    AddIcons();
    m_work->ClearIcons();
    m_generic = TFileIcon{};
    m_progress.SetBars(100);
    m_progress.ScanFinished();
}

std::string TShortcutScanner::GetSpecialFolder(int csidl)
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return {};
    std::array<wchar_t, MAX_PATH> path{};
    BOOL ok = SHGetPathFromIDListW(items, path.data());
    CoTaskMemFree(items);
    return ok ? ToUtf8(path.data()) : std::string();
}

std::wstring TShortcutScanner::GetSpecialFolderW(int csidl)
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return {};
    std::array<wchar_t, MAX_PATH> path{};
    BOOL ok = SHGetPathFromIDListW(items, path.data());
    CoTaskMemFree(items);
    return ok ? std::wstring(path.data()) : std::wstring();
}

void TShortcutScanner::ScanFolder(const std::wstring& folder)
{
    // Further shortcuts are ignored once the catalogue is full (see
    // TCatalogue::Append).
    if (m_catalogue.Full())
        return;
    std::vector<std::wstring> links;
    TLinkWalk(links).Folder(folder, 0);
    const std::size_t count = links.size();

    // Finishes the list whatever way this function is left: no worker may
    // still be reading it when the next one starts.
    struct Finisher {
        TScanWork& Work;
        ~Finisher() { Work.Finish(); }
    } finisher{*m_work};
    m_work->Start(std::move(links));
    for (std::size_t k = 0; k < count && !m_catalogue.Full(); ++k) {
        TScanWork::TRead read = m_work->Take(k);
        if (read.Entry && m_catalogue.Append(*read.Entry))
            m_entrySlot[static_cast<std::size_t>(m_catalogue.ShortcutCount - 1)] = read.Slot;
    }
}

void TShortcutScanner::AddShortcut(const std::wstring& linkPath)
{
    if (m_catalogue.Full())
        return;
    std::optional<TShortcutCfg> entry = ReadShortcut(linkPath);
    if (entry && m_catalogue.Append(*entry))
        m_entrySlot[static_cast<std::size_t>(m_catalogue.ShortcutCount - 1)] = -1;
}

void TShortcutScanner::AddIcons()
{
    int step = m_catalogue.ShortcutCount / IconPhaseSteps;
    int counter = 0;
    for (int i = 0; i < m_catalogue.ShortcutCount; ++i) {
        ++counter;
        if (counter == step) {
            m_progress.StepBars();
            counter = 0;
        }
        AddEntryIcon(i);
    }
}

void TShortcutScanner::RetakeIcons()
{
    TComScope com;
    m_icons.Clear();
    std::fill(m_entrySlot.begin(), m_entrySlot.end(), -1);
    for (int i = 0; i < m_catalogue.ShortcutCount; ++i)
        AddEntryIcon(i);
    m_work->ClearIcons();
    m_generic = TFileIcon{};
}

void TShortcutScanner::AddEntryIcon(int i)
{
    const TShortcutCfg& entry = m_catalogue.Shortcuts[static_cast<std::size_t>(i)];
    int slot = m_entrySlot[static_cast<std::size_t>(i)];
    if (slot < 0) {
        // An entry this scanner did not read: its icon file from the record.
        std::wstring file = entry.WideIconFile;
        if (file.empty())
            file = ToWide(entry.IconPath.empty() ? entry.TargetPath : entry.IconPath);
        slot = m_work->Slot(file, entry.IconIndex);
    }
    if (AddIcon(slot))
        return;
    if (AddIcon(m_work->Slot(FallbackIconFile, 0)))
        return;
    // Image i must stay entry i's icon: with both icons gone, the system's
    // generic program icon keeps the places of the entries that follow.
    if (!m_generic.Icon)
        m_generic.Icon = IconHandle(CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)));
    if (m_icons.AddIcon(m_generic.Icon.Get()) == -1) {
        // Not even that: an empty image still holds the place.
        TBitmap blank;
        blank.SetSize(m_icons.Width(), m_icons.Height());
        m_icons.AddMasked(blank, clBlack);
    }
}

bool TShortcutScanner::FitsList(HBITMAP bitmap) const
{
    BITMAP info{};
    return GetObjectW(bitmap, sizeof(info), &info) == sizeof(info) &&
           info.bmWidth == m_icons.Width() && std::abs(info.bmHeight) == m_icons.Height();
}

bool TShortcutScanner::AddIcon(int slot)
{
    const TFileIcon& icon = m_work->Icon(slot);
    if (!icon)
        return false;
    // The image list copies the pixels; the icon stays in its slot.
    // ImageList_Add cuts a bitmap into as many images as the list's width
    // goes into it (none, or two for an icon twice as wide): only one of the
    // list's own size goes in directly. ImageList_AddIcon draws any other at
    // the list's size, one image whatever the icon's.
    if (!icon.Color || !FitsList(icon.Color.Get()))
        return m_icons.AddIcon(icon.Icon.Get()) != -1;
    // The bitmaps that ImageList_AddIcon would take out of the icon itself,
    // taken out on a worker thread already. Nothing listens for changes of
    // the image list while it is being filled.
    return ImageList_Add(m_icons.Handle(), icon.Color.Get(), icon.Mask.Get()) != -1;
}

} // namespace tarnivo
