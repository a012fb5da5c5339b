// Fuzzes the skin archive reader. The first byte picks what the rest is:
// even, a skin file as stored (an LZH block); odd, the unpacked archive,
// which is packed first so the parser sees arbitrary archives directly.
// Every entry the reader accepts must be readable within its data, and every
// bitmap entry goes through the BMP decoder as the skin loader and skintool
// check pass it on.

#include "framework/bmpfile.h"
#include "framework/streams.h"
#include "skin/resources/skinreader.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

using namespace tarnivo;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    TMemoryStream rest;
    rest.WriteBuffer(data + 1, static_cast<std::int64_t>(size - 1));
    TMemoryStream file;
    if (data[0] & 1) {
        PackLzhBlock(rest, file);
    } else {
        // Skip absurd lengths: they are refused by the length check at once,
        // but a large valid one would only make the run slow.
        if (size >= 5 && (data[1] | data[2] << 8 | data[3] << 16 | data[4] << 24) > (1 << 20) && data[4] < 0x80)
            return 0;
        file.Swap(rest);
    }

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
