#include "shortcutfiles.h"

#include "framework/unicodetext.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <array>
#include <functional>
#include <stdexcept>

namespace tarnivo::test {

namespace {

constexpr std::array<int, 4> ScannedFolders{CSIDL_COMMON_STARTMENU, CSIDL_COMMON_DESKTOPDIRECTORY,
                                            CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU};

void MakeFolders(const std::string& path)
{
    for (std::size_t i = 3; i < path.size(); ++i)
        if (path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

// Wide calls: a test may leave names that the ANSI code page cannot hold.
void DeleteLinksBelow(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            continue;   // a link to a folder (a test's loop): its test removes it
        } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteLinksBelow(path);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryW(path.c_str());   // only succeeds when emptied
        } else if (name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".lnk") == 0) {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

} // namespace

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path)))
        throw std::runtime_error("no special folder " + std::to_string(csidl));
    return path;
}

std::string MakeLink(const LinkSpec& spec)
{
    std::string path = SpecialFolder(spec.Csidl) + "\\" + spec.RelativePath;
    MakeFolders(path.substr(0, path.find_last_of('\\')));
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link));
    if (FAILED(hr))
        throw std::runtime_error("no shell link object");
    link->SetPath(ToWide(spec.Target).c_str());
    if (!spec.Arguments.empty())
        link->SetArguments(ToWide(spec.Arguments).c_str());
    if (!spec.IconPath.empty())
        link->SetIconLocation(ToWide(spec.IconPath).c_str(), spec.IconIndex);
    if (!spec.WorkDir.empty())
        link->SetWorkingDirectory(ToWide(spec.WorkDir).c_str());
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    hr = file->Save(ToWide(path).c_str(), TRUE);
    file->Release();
    link->Release();
    CoUninitialize();
    if (FAILED(hr))
        throw std::runtime_error("cannot save " + path);
    return path;
}

void ClearAllShortcuts()
{
    for (int csidl : ScannedFolders)
        DeleteLinksBelow(ToWide(SpecialFolder(csidl)));
}

std::string ScratchFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "tarnivo-targets";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string MakeFile(const std::string& name, const std::string& copyOf)
{
    std::string path = ScratchFolder() + "\\" + name;
    if (!copyOf.empty()) {
        CopyFileA(copyOf.c_str(), path.c_str(), FALSE);
    } else {
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, "text", 4, &written, nullptr);
        CloseHandle(f);
    }
    return path;
}

namespace {

// Under Wine, the Unix path of a Windows one; empty elsewhere.
std::string UnixPath(const std::string& path)
{
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return {};
    char* name = unixName(ToWide(path).c_str());
    if (!name)
        return {};
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Wine starts a Unix program given by its Unix path, but its process
// handle never tells when that program ends: the caller watches for what
// it does instead.
bool RunUnix(const std::wstring& program, const std::wstring& arguments)
{
    std::wstring command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Polls for up to ten seconds.
bool Eventually(const std::function<bool()>& done)
{
    for (int i = 0; i < 200; ++i) {
        if (done())
            return true;
        Sleep(50);
    }
    return done();
}

std::wstring Quoted(const std::string& text)
{
    return L"\"" + ToWide(text) + L"\"";
}

bool IsFolderLink(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace

bool MakeFolderLink(const std::string& link, const std::string& target)
{
    const std::size_t slash = link.find_last_of('\\');
    const std::string folder = UnixPath(link.substr(0, slash));
    if (!folder.empty()) {
        const std::wstring arguments =
            L"-s " + Quoted(target) + L" " + Quoted(folder + "/" + link.substr(slash + 1));
        return RunUnix(L"/bin/ln", arguments) && Eventually([&] { return IsFolderLink(link); });
    } else {
        std::string windowsTarget = target;
        std::replace(windowsTarget.begin(), windowsTarget.end(), '/', '\\');
        CreateSymbolicLinkA(link.c_str(), windowsTarget.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY |
                                SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    }
    return IsFolderLink(link);
}

void RemoveFolderLink(const std::string& link)
{
    if (!IsFolderLink(link))
        return;
    const std::size_t slash = link.find_last_of('\\');
    const std::string folder = UnixPath(link.substr(0, slash));
    if (!folder.empty()) {
        if (RunUnix(L"/bin/rm", L"-f " + Quoted(folder + "/" + link.substr(slash + 1))))
            Eventually([&] { return GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; });
    } else
        RemoveDirectoryA(link.c_str());
}

std::string ThisProgram()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

} // namespace tarnivo::test
