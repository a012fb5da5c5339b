// mklink.exe: lays out the launcher's shortcut catalogue for an end-to-end test.
//
//   mklink.exe CSIDL RELPATH TARGET [ARGS [ICONFILE ICONINDEX [WORKDIR]]]
//   mklink.exe --clear
//   mklink.exe --attrib PATH FLAGS        (FLAGS like +h+s or -r)
//   mklink.exe --folder CSIDL
//   mklink.exe --many CSIDL PREFIX COUNT TARGET   (PREFIX000.lnk ...; "###" in TARGET
//                                                  becomes the same number)
//
// Shortcuts are written by the shell's own link object (IShellLinkW and
// IPersistFile::Save), so the launcher reads exactly what Windows would give it.
// Optional arguments are positional; pass "" to skip one.

#include "comref.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

namespace tarnivo {
namespace {

// The four folders the launcher scans, in its order.
constexpr int ScannedFolders[] = {22, 25, 16, 11};

std::wstring Widen(const std::string& text, UINT codePage = CP_ACP)
{
    if (text.empty())
        return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage = CP_ACP)
{
    if (text.empty())
        return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n,
                        nullptr, nullptr);
    return narrow;
}

// The same two calls the launcher makes, so both agree on the folder.
std::wstring SpecialFolder(int csidl)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list)
        return {};
    wchar_t path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    return ok ? std::wstring(path) : std::wstring{};
}

std::wstring CreatedDirsRecord()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"tarnivo-e2e-dirs.txt";
}

void RecordCreatedDir(const std::wstring& dir)
{
    std::ofstream out(CreatedDirsRecord().c_str(), std::ios::app | std::ios::binary);
    // UTF-8: a folder named outside the ANSI code page is found again.
    out << Narrow(dir, CP_UTF8) << '\n';
}

// Creates every missing folder on the way to the file at `path`, remembering
// the ones made here so that --clear can take them away again.
bool EnsureParentDirs(const std::wstring& path)
{
    for (size_t pos = path.find(L'\\', 3); pos != std::wstring::npos;
         pos = path.find(L'\\', pos + 1)) {
        std::wstring dir = path.substr(0, pos);
        if (GetFileAttributesW(dir.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        if (!CreateDirectoryW(dir.c_str(), nullptr))
            return false;
        RecordCreatedDir(dir);
    }
    return true;
}

struct LinkSpec {
    int Csidl = 0;
    std::wstring RelPath;
    std::wstring Target;
    std::wstring Arguments;
    std::wstring IconFile;
    int IconIndex = 0;
    std::wstring WorkDir;
};

int CreateLink(const LinkSpec& spec)
{
    std::wstring folder = SpecialFolder(spec.Csidl);
    if (folder.empty()) {
        std::fprintf(stderr, "mklink: special folder %d has no path\n", spec.Csidl);
        return 1;
    }
    std::wstring path = folder + L"\\" + spec.RelPath;
    if (!EnsureParentDirs(path)) {
        std::fprintf(stderr, "mklink: cannot create the folders of %s\n", Narrow(path).c_str());
        return 1;
    }

    ComRef<IShellLinkW> link;
    ComRef<IPersistFile> file;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IShellLinkW, link.Put());
    if (SUCCEEDED(hr))
        hr = link->SetPath(spec.Target.c_str());
    if (SUCCEEDED(hr) && !spec.Arguments.empty())
        hr = link->SetArguments(spec.Arguments.c_str());
    if (SUCCEEDED(hr) && !spec.IconFile.empty())
        hr = link->SetIconLocation(spec.IconFile.c_str(), spec.IconIndex);
    if (SUCCEEDED(hr) && !spec.WorkDir.empty())
        hr = link->SetWorkingDirectory(spec.WorkDir.c_str());
    if (SUCCEEDED(hr))
        hr = link->QueryInterface(IID_IPersistFile, file.Put());
    if (SUCCEEDED(hr))
        hr = file->Save(path.c_str(), TRUE);
    if (FAILED(hr)) {
        std::fprintf(stderr, "mklink: cannot write %s (0x%08lx)\n", Narrow(path).c_str(),
                     static_cast<unsigned long>(hr));
        return 1;
    }
    std::printf("%s\n", Narrow(path).c_str());
    return 0;
}

bool EndsWithLnk(const std::wstring& name)
{
    return name.size() >= 4 && _wcsicmp(name.c_str() + name.size() - 4, L".lnk") == 0;
}

// Deletes every shortcut below `dir`, whatever its attributes or letter case.
void DeleteLinksBelow(const std::wstring& dir, int& deleted)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        std::wstring path = dir + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            continue;   // a link to a folder (a loop, perhaps): not ours to walk
        } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteLinksBelow(path, deleted);
        } else if (EndsWithLnk(name)) {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (DeleteFileW(path.c_str()))
                ++deleted;
            else
                std::fprintf(stderr, "mklink: cannot delete %s\n", Narrow(path).c_str());
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

// Removes the folders this tool made, deepest first; a folder that still holds
// something of someone else's stays (RemoveDirectory refuses it).
void RemoveCreatedDirs()
{
    std::wstring record = CreatedDirsRecord();
    std::ifstream in(record.c_str(), std::ios::binary);
    std::vector<std::wstring> dirs;
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            dirs.push_back(Widen(line, CP_UTF8));
    in.close();
    std::sort(dirs.begin(), dirs.end(),
              [](const std::wstring& a, const std::wstring& b) { return a.size() > b.size(); });
    for (const std::wstring& dir : dirs) {
        SetFileAttributesW(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryW(dir.c_str());
    }
    DeleteFileW(record.c_str());
}

int Clear()
{
    int deleted = 0;
    for (int csidl : ScannedFolders) {
        std::wstring folder = SpecialFolder(csidl);
        if (!folder.empty())
            DeleteLinksBelow(folder, deleted);
    }
    RemoveCreatedDirs();
    std::printf("deleted %d\n", deleted);
    return 0;
}

// FLAGS is a run of +x / -x pairs with x one of h (hidden), s (system),
// r (read-only), a (archive).
int Attrib(const std::wstring& path, const std::wstring& flags)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "mklink: no such file %s\n", Narrow(path).c_str());
        return 1;
    }
    if (flags.empty() || flags.size() % 2 != 0)
        return 2;
    for (size_t i = 0; i < flags.size(); i += 2) {
        DWORD bit = 0;
        switch (towlower(flags[i + 1])) {
        case L'h': bit = FILE_ATTRIBUTE_HIDDEN; break;
        case L's': bit = FILE_ATTRIBUTE_SYSTEM; break;
        case L'r': bit = FILE_ATTRIBUTE_READONLY; break;
        case L'a': bit = FILE_ATTRIBUTE_ARCHIVE; break;
        default: return 2;
        }
        if (flags[i] == L'+')
            attributes |= bit;
        else if (flags[i] == L'-')
            attributes &= ~bit;
        else
            return 2;
    }
    attributes &= ~FILE_ATTRIBUTE_DIRECTORY;
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileAttributesW(path.c_str(), attributes)) {
        std::fprintf(stderr, "mklink: cannot set the attributes of %s\n", Narrow(path).c_str());
        return 1;
    }
    return 0;
}

int PrintFolder(int csidl)
{
    std::wstring folder = SpecialFolder(csidl);
    if (folder.empty())
        return 1;
    std::printf("%s\n", Narrow(folder).c_str());
    return 0;
}

bool ParseInt(const std::wstring& text, int& value)
{
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    long parsed = std::wcstol(text.c_str(), &end, 10);
    if (*end != L'\0')
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// COUNT shortcuts numbered from 0 in three digits, in one run: a catalogue
// of hundreds without starting Wine hundreds of times. The launcher keeps
// one shortcut per program, so the target carries the number too.
int CreateMany(const std::vector<std::wstring>& args)
{
    LinkSpec spec;
    int count = 0;
    if (!ParseInt(args[1], spec.Csidl) || !ParseInt(args[3], count) || count < 0 || count > 1000)
        return 2;
    for (int i = 0; i < count; ++i) {
        wchar_t number[8];
        swprintf(number, 8, L"%03d", i);
        spec.RelPath = args[2] + number + L".lnk";
        spec.Target = args[4];
        if (const auto at = spec.Target.find(L"###"); at != std::wstring::npos)
            spec.Target.replace(at, 3, number);
        if (const int result = CreateLink(spec))
            return result;
    }
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: mklink CSIDL RELPATH TARGET [ARGS [ICONFILE ICONINDEX [WORKDIR]]]\n"
                 "       mklink --clear | --attrib PATH FLAGS | --folder CSIDL\n"
                 "       mklink --many CSIDL PREFIX COUNT TARGET\n");
    return 2;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.empty())
        return Usage();
    if (args[0] == L"--clear" && args.size() == 1)
        return Clear();
    if (args[0] == L"--attrib") {
        if (args.size() != 3)
            return Usage();
        int result = Attrib(args[1], args[2]);
        return result == 2 ? Usage() : result;
    }
    if (args[0] == L"--many") {
        const int result = args.size() == 5 ? CreateMany(args) : 2;
        return result == 2 ? Usage() : result;
    }
    if (args[0] == L"--folder") {
        int csidl = 0;
        if (args.size() != 2 || !ParseInt(args[1], csidl))
            return Usage();
        return PrintFolder(csidl);
    }
    // Positional: 3, 4, 6 or 7 arguments (an icon file always comes with its index).
    if (args.size() < 3 || args.size() == 5 || args.size() > 7)
        return Usage();
    LinkSpec spec;
    if (!ParseInt(args[0], spec.Csidl) || args[1].empty() || args[2].empty())
        return Usage();
    spec.RelPath = args[1];
    spec.Target = args[2];
    if (args.size() > 3)
        spec.Arguments = args[3];
    if (args.size() > 4) {
        spec.IconFile = args[4];
        if (!args[5].empty() && !ParseInt(args[5], spec.IconIndex))
            return Usage();
    }
    if (args.size() > 6)
        spec.WorkDir = args[6];
    return CreateLink(spec);
}

} // namespace
} // namespace tarnivo

int main()
{
    // The wide command line keeps names that the ANSI code page cannot hold.
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    LocalFree(argv);

    tarnivo::ComInit com;
    if (!com.Ok()) {
        std::fprintf(stderr, "mklink: COM is not available\n");
        return 1;
    }
    return tarnivo::Run(args);
}
