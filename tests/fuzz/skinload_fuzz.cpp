// Fuzzes the whole skin load as far as it is platform-free: the skin file
// unpacked, its archive parsed, its INI text read, and every bitmap the INI
// names decoded through the skin's image budget, as TSkinData loads it
// (the Windows-only rest only copies these images into bitmaps and reads
// numbers from the INI). The first byte picks what the rest is: even, a
// skin file as stored (an LZH block); odd, the unpacked archive, packed
// first so that the parser and the decoder see arbitrary archives directly.
//
// Whatever the bytes, the load stays within its budget: no more decoded
// bytes are charged than the budget, each entry is decoded at most once,
// and a refusal names the image.

#include "framework/bmpfile.h"
#include "framework/streams.h"
#include "framework/stringlist.h"
#include "skin/resources/quickini.h"
#include "skin/resources/skinimages.h"
#include "skin/resources/skinreader.h"
#include "tests/fuzz/skinfileinput.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

using namespace tarnivo;
using fuzz::Check;

namespace {

// Every value of every section that names a bitmap, in INI order: a superset
// of the keys the loader reads images from.
void UseEveryImage(const TQuickIni& ini, TSkinImages& images)
{
    TStringList sections, values;
    ini.ReadSections(sections);
    std::set<std::string> entries;
    for (int i = 0; i < sections.Count(); ++i) {
        ini.ReadSectionValues(sections[i], values);
        for (int k = 0; k < values.Count(); ++k) {
            const std::string entry = SkinImageEntryName(TQuickIni::GetValue(values[k]));
            if (entry.empty())
                continue;
            const std::size_t before = images.Charged();
            const bmp::Image* image = images.Use(entry);
            entries.insert(LowerCase(entry));
            Check(images.Charged() <= images.Budget());
            if (!image) {
                Check(images.Charged() == before && !images.Problem(entry).empty());
                continue;
            }
            Check(image->width >= 1 && image->height >= 1);
            Check(image->pixels.size() == image->stride * static_cast<std::size_t>(image->height));
            Check(images.Charged() - before == image->pixels.size());
            Check(images.Decoded() <= static_cast<int>(entries.size()));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream file;
    if (!fuzz::SkinFileFromInput(data, size, file))
        return 0;

    TSkinReader reader;
    if (!reader.Loadfromstream(file))
        return 0;
    TQuickIni ini;
    TMemoryStream iniText;
    reader.readIni(".ini", iniText);
    try {
        ini.LoadFromStream(&iniText);
    } catch (const Exception&) {
        return 0;
    }
    TSkinImages images(reader);
    try {
        UseEveryImage(ini, images);
    } catch (const ESkinRefused& e) {
        Check(std::string(e.what()).rfind("skin image \"", 0) == 0);
        Check(images.Charged() <= images.Budget());
    }
    return 0;
}
