// LZH pack and unpack throughput on a mixed corpus (text, bitmaps, binary).
// Run: build/bench/bench/codec_bench  (medians of 5 repetitions)

#include "benchcorpus.h"
#include "framework/streams.h"
#include "skin/resources/lzh.h"

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace tarnivo;

namespace {

struct Prepared {
    TMemoryStream plain;   // all parts back to back
    TMemoryStream packed;  // one LZH block of it
};

Prepared& Corpus()
{
    static Prepared prepared;
    if (prepared.plain.Size() == 0) {
        for (const bench::CorpusPart& part : bench::MixedCorpus())
            prepared.plain.WriteBuffer(part.bytes.data(), static_cast<std::int64_t>(part.bytes.size()));
        PackLzhBlock(prepared.plain, prepared.packed);
    }
    return prepared;
}

// Times `run` on a fresh coder reading `source` from `start` into a new
// stream, per iteration; throughput counted in plain bytes.
template <typename Run>
void Measure(benchmark::State& state, TMemoryStream& source, std::int64_t start, Run run)
{
    const std::int64_t plainBytes = Corpus().plain.Size();
    for (auto _ : state) {
        TMemoryStream out;
        source.SetPosition(start);
        TLZH lzh;
        lzh.InputStream = &source;
        lzh.OutputStream = &out;
        run(lzh);
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(state.iterations() * plainBytes);
}

// The packed block starts after its 4-byte size.
constexpr std::int64_t PackedStart = 4;

std::int32_t PlainSize()
{
    return static_cast<std::int32_t>(Corpus().plain.Size());
}

// The stock stream callbacks, passed through the one-byte callback interface.
TReadProc StockReader(TLZH& lzh)
{
    return [&lzh](void* d, std::uint16_t n, std::uint16_t& got) { lzh.GetBlockStream(d, n, got); };
}

TWriteProc StockWriter(TLZH& lzh)
{
    return [&lzh](const void* d, std::uint16_t n, std::uint16_t& put) { lzh.PutBlockStream(d, n, put); };
}

void Unpack(benchmark::State& state)
{
    Measure(state, Corpus().packed, PackedStart, [](TLZH& lzh) { lzh.LZHUnpack(PlainSize()); });
}

void Pack(benchmark::State& state)
{
    Measure(state, Corpus().plain, 0, [](TLZH& lzh) {
        std::int32_t consumed = 0;
        lzh.LZHPack(consumed);
    });
}

// The one-byte callback interface through the stock stream callbacks:
// what a straight transcription of the reference costs.
void UnpackCallbacks(benchmark::State& state)
{
    Measure(state, Corpus().packed, PackedStart, [](TLZH& lzh) {
        lzh.LZHUnpack(PlainSize(), StockReader(lzh), StockWriter(lzh));
    });
}

void PackCallbacks(benchmark::State& state)
{
    Measure(state, Corpus().plain, 0, [](TLZH& lzh) {
        std::int32_t consumed = 0;
        lzh.LZHPack(consumed, StockReader(lzh), StockWriter(lzh));
    });
}

} // namespace

BENCHMARK(Unpack)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(Pack)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(UnpackCallbacks)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(PackCallbacks)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    Prepared& corpus = Corpus();
    std::printf("corpus: %lld bytes (text, bitmaps, binary), packed to %lld bytes\n",
                static_cast<long long>(corpus.plain.Size()), static_cast<long long>(corpus.packed.Size()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
