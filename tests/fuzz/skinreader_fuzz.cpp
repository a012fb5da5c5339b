// Fuzzes the skin archive reader. The first byte picks what the rest is:
// even, a skin file as stored (an LZH block); odd, the unpacked archive,
// which is packed first so the parser sees arbitrary archives directly.
// Every entry the reader accepts must be readable within its data, and every
// bitmap entry goes through the BMP decoder as the skin loader and skintool
// check pass it on.

#include "framework/bmpfile.h"
#include "framework/streams.h"
#include "skin/resources/skinreader.h"
#include "tests/fuzz/skinfileinput.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

using namespace tarnivo;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream file;
    if (!fuzz::SkinFileFromInput(data, size, file))
        return 0;

    TSkinReader reader;
    if (!reader.Loadfromstream(file)) {
        Check(!reader.LastError().empty() && reader.EntryCount() == 0);
        return 0;
    }
    Check(reader.EntryCount() >= 0 && reader.EntryCount() <= TSkinReader::MaxEntries);
    Check(reader.EntryNames().Count() == reader.EntryCount());
    TMemoryStream entry;
    for (int i = 0; i < reader.EntryCount(); ++i) {
        Check(reader.EntrySize(i) >= 0);
        reader.readfile(reader.EntryNames()[i], entry);
        // The first entry of a name is the one found, whole.
        if (reader.EntryNames().IndexOf(reader.EntryNames()[i]) == i)
            Check(entry.Size() == reader.EntrySize(i));
        if (!SkinImageEntryName(reader.EntryNames()[i]).empty()) {
            std::string why;
            const std::span<const std::uint8_t> bytes(entry.Memory(), static_cast<std::size_t>(entry.Size()));
            if (!bmp::Decode(bytes, bmp::Source::File, &why))
                Check(!why.empty());
        }
    }
    TMemoryStream ini;
    reader.readIni(".ini", ini);
    SkinImageEntryName(reader.EntryCount() ? reader.EntryNames()[0] : std::string());
    return 0;
}
