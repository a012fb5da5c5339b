#include "shortcutscan.h"

#include "framework/ansitext.h"
#include "framework/bitmap.h"
#include "framework/filesearch.h"
#include "framework/icon.h"
#include "framework/imagelist.h"

#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <utility>

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

bool EndsWith(const std::string& text, const char* suffix)
{
    std::string s(suffix);
    return text.size() >= s.size() && text.compare(text.size() - s.size(), s.size(), s) == 0;
}

// Releases a COM interface exactly once.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr()
    {
        if (m_p)
            m_p->Release();
    }
    I* operator->() const { return m_p; }
    I** Out() { return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }
    explicit operator bool() const { return m_p != nullptr; }

private:
    I* m_p = nullptr;
};

// COM for the length of one shortcut read.
class ComScope {
public:
    ComScope() : m_ok(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope()
    {
        if (m_ok)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool m_ok;
};


template <std::size_t N>
std::string ToAnsi(const std::array<wchar_t, N>& buffer)
{
    return WideToAnsi(std::wstring_view(buffer.data()));
}

} // namespace

TShortcutScanner::TShortcutScanner(TCatalogue& catalogue, TImageList& icons,
                                   TScanProgress& progress)
    : m_catalogue(catalogue), m_icons(icons), m_progress(progress)
{
}

void TShortcutScanner::ScanShortcuts()
{
    // Each shortcut read initialises and uninitialises COM for itself; held
    // open here, those calls only count, instead of setting up and tearing
    // down the whole apartment a thousand times.
    ComScope com;
    m_progress.ScanStarting();
    m_icons.Clear();
    m_catalogue.ShortcutCount = 0;
    m_progress.SetBars(0);

    for (const FolderStep& step : Folders) {
        std::string folder = GetSpecialFolder(step.Csidl);
        if (!folder.empty())
            ScanFolder(folder);
        m_progress.SetBars(step.BarsAfter);
        if (step.RepaintAfter)
            m_progress.RepaintStartup();
    }
    AddIcons();
    m_extracted.clear();
    m_progress.SetBars(100);
    m_progress.ScanFinished();
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
        AddEntryIcon(m_catalogue.Shortcuts[static_cast<std::size_t>(i)]);
    }
}

void TShortcutScanner::AddEntryIcon(const TShortcutCfg& entry)
{
    const std::string& file = entry.IconPath.empty() ? entry.TargetPath : entry.IconPath;
    if (AddIcon(file, entry.IconIndex))
        return;
    if (AddIcon(FallbackIconFile, 0))
        return;
    // Image i must stay entry i's icon: with both icons gone, the system's
    // generic program icon keeps the places of the entries that follow.
    TIcon generic;
    generic.SetHandle(CopyIcon(LoadIcon(nullptr, IDI_APPLICATION)));
    if (m_icons.AddIcon(generic) == -1) {
        // Not even that: an empty image still holds the place.
        TBitmap blank;
        blank.SetSize(m_icons.Width(), m_icons.Height());
        m_icons.AddMasked(blank, clBlack);
    }
}

std::string TShortcutScanner::GetSpecialFolder(int csidl)
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return {};
    std::array<char, MAX_PATH> path{};
    BOOL ok = SHGetPathFromIDListA(items, path.data());
    CoTaskMemFree(items);
    return ok ? std::string(path.data()) : std::string();
}

void TShortcutScanner::ScanFolder(const std::string& folder)
{
    TSearchRec entry;
    if (FindFirst(folder + "\\*.*", faAnyFile, entry) != 0)
        return;
    do {
        if (entry.Name == "." || entry.Name == "..")
            continue;
        std::string path = folder + "\\" + entry.Name;
        if (entry.Attr & faDirectory)
            ScanFolder(path);
        // Exact comparison: "X.LNK" is not a shortcut to us.
        if (EndsWith(entry.Name, ".lnk"))
            AddShortcut(AnsiToWide(path));
    } while (FindNext(entry) == 0);
    FindClose(entry);
}

void TShortcutScanner::AddShortcut(const std::wstring& linkPath)
{
    if (m_catalogue.Full())
        return;   // further shortcuts are ignored; see TCatalogue::Append
    ComScope com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.OutVoid())))
        return;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())))
        return;
    if (FAILED(file->Load(linkPath.c_str(), STGM_READ)))
        return;

    std::array<wchar_t, MAX_PATH + 1> target{};
    std::array<wchar_t, 1024 + 1> arguments{};
    std::array<wchar_t, MAX_PATH + 1> iconPath{};
    std::array<wchar_t, MAX_PATH + 1> workDir{};
    int iconIndex = 0;
    if (FAILED(link->GetPath(target.data(), MAX_PATH, nullptr, SLGP_UNCPRIORITY)))
        return;
    link->GetArguments(arguments.data(), 1024);
    link->GetIconLocation(iconPath.data(), MAX_PATH, &iconIndex);
    link->GetWorkingDirectory(workDir.data(), MAX_PATH);

    TShortcutCfg entry;
    std::string ansiLink = WideToAnsi(linkPath);
    std::size_t slash = ansiLink.find_last_of("\\/");
    std::string fileName = slash == std::string::npos ? ansiLink : ansiLink.substr(slash + 1);
    entry.Name = fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
    entry.TargetPath = ToAnsi(target);
    entry.Arguments = ToAnsi(arguments);
    entry.IconPath = ToAnsi(iconPath);
    entry.IconIndex = iconIndex;
    entry.WorkDir = ToAnsi(workDir);
    entry.LinkPath = ansiLink;
    entry.Matched = 0;

    // Only program shortcuts, by the exact extension of the target.
    if (EndsWith(entry.TargetPath, ".exe"))
        m_catalogue.Append(entry);
}

bool TShortcutScanner::AddIcon(const std::string& file, int index)
{
    auto [at, added] = m_extracted.try_emplace({file, index});
    if (added) {
        HICON handle =
            ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), static_cast<UINT>(index));
        // ExtractIcon answers 1 for a file that is not a program or icon file.
        if (reinterpret_cast<UINT_PTR>(handle) > 1)
            at->second = IconHandle(handle);
    }
    if (!at->second)
        return false;
    // The image list copies the icon's pixels; the handle stays cached.
    return m_icons.AddIcon(at->second.Get()) != -1;
}

} // namespace tarnivo
