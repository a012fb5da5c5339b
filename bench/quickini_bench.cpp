// 500 ReadInteger calls on a skin INI of 300 sections, the skin loader's
// access pattern. Run: build/bench/bench/quickini_bench

#include "framework/streams.h"
#include "skin/resources/quickini.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

using namespace tarnivo;

namespace {

const char* const Keys[] = {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight", "Frame",
                            "Trans",     "Tile",      "Style",      "NormalColour", "Action"};

TQuickIni& SkinIni()
{
    static TQuickIni ini;
    if (ini.Lines().Count() == 0) {
        std::string text = "; generated skin description\r\n";
        for (int s = 0; s < 300; ++s) {
            text += "[Element" + std::to_string(s) + "]\r\n";
            text += "Image=element" + std::to_string(s) + ".bmp\r\n";
            for (int k = 0; k < 10; ++k)
                text += std::string(Keys[k]) + " = " + (k % 3 ? std::to_string(s + k) : "0x1F") + "\r\n";
        }
        TMemoryStream stream;
        stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
        stream.SetPosition(0);
        ini.LoadFromStream(&stream);
    }
    return ini;
}

void ReadInteger500(benchmark::State& state)
{
    TQuickIni& ini = SkinIni();
    // Sections spread over the file, keys in mixed case, as a loader asks.
    std::vector<std::pair<std::string, std::string>> lookups;
    for (int i = 0; i < 500; ++i)
        lookups.push_back({"ELEMENT" + std::to_string((i * 37) % 300), Keys[i % 10]});
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const auto& [section, key] : lookups)
            sum += ini.ReadInteger(section, key, -1);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 500);
}

} // namespace

BENCHMARK(ReadInteger500)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
