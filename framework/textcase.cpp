#include "textcase.h"

#include "unicodetext.h"

#include <windows.h>

namespace tarnivo {

std::string UnicodeUpperCase(std::string_view utf8)
{
    std::wstring wide = ToWide(utf8);
    // CharUpperBuff maps one UTF-16 unit to one, in place; surrogate pairs
    // stay as they are.
    if (!wide.empty())
        CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return ToUtf8(wide);
}

} // namespace tarnivo
