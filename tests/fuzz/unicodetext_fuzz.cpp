// The text codec on any bytes: UTF-8 to UTF-16 and back never fails, the
// result is well-formed (it survives a second round trip unchanged), and the
// same holds for any UTF-16 code units, lone surrogates included (each
// stays one unit: U+FFFD).

#include "framework/unicodetext.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tarnivo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string once = ToUtf8(ToWide(bytes));
    if (ToUtf8(ToWide(once)) != once)
        std::abort();
    if (ToCodePoints(bytes).size() != ToCodePoints(once).size())
        std::abort();

    std::wstring units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    const std::wstring wide = ToWide(ToUtf8(units));
    if (ToWide(ToUtf8(wide)) != wide || wide.size() != units.size())
        std::abort();
    return 0;
}
