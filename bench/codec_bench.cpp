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

void Unpack(benchmark::State& state)
{
    Prepared& corpus = Corpus();
    for (auto _ : state) {
        TMemoryStream out;
        corpus.packed.SetPosition(4);
        TLZH lzh;
        lzh.InputStream = &corpus.packed;
        lzh.OutputStream = &out;
        lzh.LZHUnpack(static_cast<std::int32_t>(corpus.plain.Size()));
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(state.iterations() * corpus.plain.Size());
}

void Pack(benchmark::State& state)
{
    Prepared& corpus = Corpus();
    for (auto _ : state) {
        TMemoryStream out;
        corpus.plain.SetPosition(0);
        TLZH lzh;
        lzh.InputStream = &corpus.plain;
        lzh.OutputStream = &out;
        std::int32_t consumed = 0;
        lzh.LZHPack(consumed);
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(state.iterations() * corpus.plain.Size());
}

// The one-byte callback interface through the stock stream callbacks:
// what a straight transcription of the reference costs.
void UnpackCallbacks(benchmark::State& state)
{
    Prepared& corpus = Corpus();
    for (auto _ : state) {
        TMemoryStream out;
        corpus.packed.SetPosition(4);
        TLZH lzh;
        lzh.InputStream = &corpus.packed;
        lzh.OutputStream = &out;
        lzh.LZHUnpack(
            static_cast<std::int32_t>(corpus.plain.Size()),
            [&](void* d, std::uint16_t n, std::uint16_t& got) { lzh.GetBlockStream(d, n, got); },
            [&](const void* d, std::uint16_t n, std::uint16_t& put) { lzh.PutBlockStream(d, n, put); });
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(state.iterations() * corpus.plain.Size());
}

void PackCallbacks(benchmark::State& state)
{
    Prepared& corpus = Corpus();
    for (auto _ : state) {
        TMemoryStream out;
        corpus.plain.SetPosition(0);
        TLZH lzh;
        lzh.InputStream = &corpus.plain;
        lzh.OutputStream = &out;
        std::int32_t consumed = 0;
        lzh.LZHPack(
            consumed, [&](void* d, std::uint16_t n, std::uint16_t& got) { lzh.GetBlockStream(d, n, got); },
            [&](const void* d, std::uint16_t n, std::uint16_t& put) { lzh.PutBlockStream(d, n, put); });
        benchmark::DoNotOptimize(out.Memory());
    }
    state.SetBytesProcessed(state.iterations() * corpus.plain.Size());
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
