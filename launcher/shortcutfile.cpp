#include "shortcutfile.h"

#include "iconreader.h"

#include "framework/unicodetext.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>

namespace tarnivo {

namespace {

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
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }

private:
    I* m_p = nullptr;
};

bool EndsWith(const std::string& text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The part of a zero-terminated buffer before the terminator.
template <std::size_t N>
std::wstring_view Text(const std::array<wchar_t, N>& buffer)
{
    return std::wstring_view(buffer.data());
}

} // namespace

TComScope::TComScope() : m_ok(SUCCEEDED(CoInitialize(nullptr))) {}

TComScope::~TComScope()
{
    if (m_ok)
        CoUninitialize();
}

std::string ShownText(std::wstring_view text)
{
    return ToUtf8(text);
}

TShortcutReader::TShortcutReader()
{
    if (FAILED(CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&m_factory))))
        m_factory = nullptr;
}

TShortcutReader::~TShortcutReader()
{
    if (m_factory)
        m_factory->Release();
}

std::optional<TShortcutCfg> ReadShortcut(const std::wstring& linkPath)
{
    TComScope com;
    TShortcutReader reader;
    return reader.Read(linkPath);
}

std::optional<TShortcutCfg> TShortcutReader::Read(const std::wstring& linkPath)
{
    // COM for the length of one read, as the shell link object needs it.
    TComScope com;
    // A new object for every file: nothing of the previous file can show
    // through in one that lacks a field.
    ComPtr<IShellLinkW> link;
    HRESULT made = m_factory ? m_factory->CreateInstance(nullptr, IID_IShellLinkW, link.OutVoid())
                             : CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IShellLinkW, link.OutVoid());
    if (FAILED(made))
        return std::nullopt;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())))
        return std::nullopt;
    if (FAILED(file->Load(linkPath.c_str(), STGM_READ)))
        return std::nullopt;

    std::array<wchar_t, MAX_PATH + 1> target{};
    std::array<wchar_t, 1024 + 1> arguments{};
    std::array<wchar_t, MAX_PATH + 1> iconPath{};
    std::array<wchar_t, MAX_PATH + 1> workDir{};
    int iconIndex = 0;
    if (FAILED(link->GetPath(target.data(), MAX_PATH, nullptr, SLGP_UNCPRIORITY)))
        return std::nullopt;
    link->GetArguments(arguments.data(), 1024);
    link->GetIconLocation(iconPath.data(), MAX_PATH, &iconIndex);
    link->GetWorkingDirectory(workDir.data(), MAX_PATH);

    TShortcutCfg entry;
    entry.TargetPath = ShownText(Text(target));
    // Only program shortcuts, by the exact extension of the target.
    if (!EndsWith(entry.TargetPath, ".exe"))
        return std::nullopt;

    // The name is cut from the UTF-16 file name, exactly as the file
    // system holds it.
    std::wstring_view fileName(linkPath);
    std::size_t slash = fileName.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos)
        fileName.remove_prefix(slash + 1);
    if (fileName.size() >= 4)
        entry.Name = ShownText(fileName.substr(0, fileName.size() - 4));
    entry.Arguments = ShownText(Text(arguments));
    entry.IconPath = ShownText(Text(iconPath));
    entry.IconIndex = iconIndex;
    entry.WorkDir = ShownText(Text(workDir));
    entry.LinkPath = ShownText(linkPath);
    entry.Matched = 0;
    entry.WideLinkPath = linkPath;
    entry.WideArguments = Text(arguments);
    entry.WideWorkDir = Text(workDir);
    entry.WideIconFile = iconPath[0] != L'\0' ? Text(iconPath) : Text(target);
    return entry;
}

namespace {

// ExtractIcon's answer at another size than the system's: PrivateExtractIcons
// takes the same file kinds and index rules and picks the image by size.
IconHandle ExtractIconAtSize(const std::wstring& file, int index, int size)
{
    if (size > 0 && size != GetSystemMetrics(SM_CXICON)) {
        HICON icon = nullptr;
        UINT id = 0;
        if (PrivateExtractIconsW(file.c_str(), index, size, size, &icon, &id, 1, 0) == 1 && icon)
            return IconHandle(icon);
    }
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), static_cast<UINT>(index));
    // ExtractIcon answers 1 for a file that is not a program or icon file.
    if (reinterpret_cast<UINT_PTR>(icon) <= 1)
        return {};
    return IconHandle(icon);
}

} // namespace

TFileIcon ExtractFileIcon(const std::wstring& file, int index, int size)
{
    TFileIcon result;
    // With -1 ExtractIcon answers the number of icons in the file, not one.
    if (index == -1)
        return result;
    result.Icon = ReadProgramIcon(file, index, size);
    if (!result.Icon)
        result.Icon = ExtractIconAtSize(file, index, size);
    if (!result.Icon)
        return result;
    HICON icon = result.Icon.Get();
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
        GdiBitmap color(info.hbmColor);
        GdiBitmap mask(info.hbmMask);
        if (color && mask) {
            result.Color = std::move(color);
            result.Mask = std::move(mask);
        }
    }
    return result;
}

} // namespace tarnivo
