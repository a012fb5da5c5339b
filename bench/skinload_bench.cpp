// Full load of the default skin (unpack, parse the archive and the INI, read
// every element, compose the derived images), as TSkinData does it when a
// layout carries the skin. Prints the median of 20 loads; asserts nothing.

#include "skinfolder.h"

#include "skin/resources/lzh.h"
#include "skin/resources/skindata.h"
#include "skin/resources/skinreader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace tarnivo;

int main()
{
    TSkinReader::ShowMessage = [](const std::string& text) { std::printf("message: %s\n", text.c_str()); };
    TMemoryStream skin;
    std::string source = test::HostBuildFile("skins/slate.skn");
    if (GetFileAttributesA(source.c_str()) != INVALID_FILE_ATTRIBUTES) {
        skin.LoadFromFile(source);
    } else {
        source = test::HostBuildFile("skins/slate");
        if (!test::PackSkinFolder(source, skin)) {
            std::printf("no default skin at %s; build the native tree first\n", source.c_str());
            return 1;
        }
        source += " (packed here)";
    }

    TMemoryStream unpacked;
    UnpackLzhBlock(skin, unpacked);
    TSkinReader reader;
    if (!reader.Loadfromstream(skin)) {
        std::printf("the skin does not load: %s\n", reader.LastError().c_str());
        return 1;
    }

    constexpr int Runs = 20;
    std::vector<double> ms;
    TSkinData data(nullptr);
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        data.LoadFromStream(skin);
        const auto stop = std::chrono::steady_clock::now();
        if (data.Empty()) {
            std::printf("load %d failed\n", i);
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("skin: %s\n", source.c_str());
    std::printf("skin file %lld bytes, unpacked %lld bytes, %d entries\n",
                static_cast<long long>(skin.Size()), static_cast<long long>(unpacked.Size()),
                reader.EntryCount());
    std::printf("full load, %d runs: median %.2f ms, min %.2f ms, max %.2f ms\n", Runs,
                (ms[Runs / 2 - 1] + ms[Runs / 2]) / 2, ms.front(), ms.back());
    return 0;
}
