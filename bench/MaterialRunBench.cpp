#include <benchmark/benchmark.h>

#include <cstdlib>

#include "BenchScene.h"
#include "ConversionRun.h"
#include "MtlConverterState.h"
#include "StringTable.h"
#include "hostcore.h"
#include "resource.h"

// A whole material run over n listed materials, each used by ten nodes, and the undo of that run. Each
// iteration builds a fresh scene untimed; the counter per_material is the time of one material.

namespace {

const int kNodesPerMaterial = 10;
const MCHAR* const kUndoName = StringTableText(IDS_CONVERT_UNDO);
const MCHAR* const kTitle = StringTableText(IDS_MTL_CONVERTER);

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
        RunMtlConversion(TheMtlConverterState().List(), kDefaultConversionOptions, nullptr, kUndoName,
                         kTitle);
    }
    Report(state, n);
}

void BM_MaterialRunUndo(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        ListAll(BuildBenchScene(n, kNodesPerMaterial));
        RunMtlConversion(TheMtlConverterState().List(), kDefaultConversionOptions, nullptr, kUndoName,
                         kTitle);
        state.ResumeTiming();
        HostCore::Get().Undo();
    }
    Report(state, n);
}

// Scenes are built untimed for every iteration, so the iterations are fixed: enough to time the small
// scenes well, and a median of three repetitions for each size. The smoke test that CTest runs sets
// TVL_BENCH_SMOKE: it checks that the benchmarks run, once, on the smallest scene.
const struct {
    int materials;
    int iterations;
} kSizes[] = {{1000, 20}, {10000, 3}, {100000, 1}};

int RegisterAll() {
    const bool smoke = std::getenv("TVL_BENCH_SMOKE") != nullptr;
    for (const auto& size : kSizes) {
        for (auto* b : {benchmark::RegisterBenchmark("BM_MaterialRun", BM_MaterialRun),
                        benchmark::RegisterBenchmark("BM_MaterialRunUndo", BM_MaterialRunUndo)}) {
            b->Arg(size.materials)->Unit(benchmark::kMillisecond)->UseRealTime();
            if (smoke)
                b->Iterations(1);
            else
                b->Iterations(size.iterations)->Repetitions(3)->ReportAggregatesOnly(true);
        }
        if (smoke) break;
    }
    return 0;
}
const int registered = RegisterAll();

}  // namespace
