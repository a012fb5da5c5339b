#include "launch.h"

#include "framework/unicodetext.h"

#include <shellapi.h>

namespace tarnivo {

namespace {

// The wide form of a link string: the one the shell gave, else (an entry
// filled in by other means) the UTF-8 one converted.
std::wstring Wide(const std::wstring& wide, const std::string& utf8)
{
    return wide.empty() ? ToWide(utf8) : wide;
}

} // namespace

void LaunchShortcut(HWND owner, const TShortcutCfg& entry)
{
    // The wide call on the path exactly as the shell gave it: a name that
    // held an unpaired surrogate would not survive the trip through UTF-8.
    // The verb is the file's default action: Windows takes "" and null
    // alike for it, Wine only null (for "" it looks for a verb of that name
    // and finds none).
    std::wstring file = Wide(entry.WideLinkPath, entry.LinkPath);
    std::wstring arguments = Wide(entry.WideArguments, entry.Arguments);
    std::wstring workDir = Wide(entry.WideWorkDir, entry.WorkDir);
    ShellExecuteW(owner, nullptr, file.c_str(), arguments.c_str(), workDir.c_str(),
                  SW_SHOWNORMAL);
}

} // namespace tarnivo
