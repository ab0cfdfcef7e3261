#include <benchmark/benchmark.h>

#include <cstdlib>

#include "BenchScene.h"
#include "ConversionRun.h"
#include "MtlConverterState.h"
#include "hostcore.h"

// A whole material run over n listed materials, each used by ten nodes, and the undo of that run. Each
// iteration builds a fresh scene untimed; the counter per_material is the time of one material.

namespace {

const int kNodesPerMaterial = 10;

void ListAll(const std::vector<Mtl*>& materials) {
    MtlConvList& list = TheMtlConverterState().List();
    list.Clear();
    for (Mtl* m : materials) list.Append(MtlConvData::Of(m));
}

void Report(benchmark::State& state, int n) {
    state.counters["materials"] = n;
    state.counters["per_material"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_MaterialRun(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        ListAll(BuildBenchScene(n, kNodesPerMaterial));
        state.ResumeTiming();
        RunMtlConversion(TheMtlConverterState().List(), kDefaultConversionOptions, nullptr);
    }
    Report(state, n);
}

void BM_MaterialRunUndo(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        ListAll(BuildBenchScene(n, kNodesPerMaterial));
        RunMtlConversion(TheMtlConverterState().List(), kDefaultConversionOptions, nullptr);
        state.ResumeTiming();
        HostCore::Get().Undo();
    }
    Report(state, n);
}

// The smoke test that CTest runs sets TVL_BENCH_SMOKE: it checks that the benchmarks run, on the
// smallest scene only.
void RegisterSizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000);
    if (!std::getenv("TVL_BENCH_SMOKE")) b->Arg(10000)->Arg(100000);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

BENCHMARK(BM_MaterialRun)->Apply(RegisterSizes);
BENCHMARK(BM_MaterialRunUndo)->Apply(RegisterSizes);
