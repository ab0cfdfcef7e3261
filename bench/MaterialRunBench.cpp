#include <benchmark/benchmark.h>

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

// Enough iterations to time the small scenes well.
int RegisterAll() {
    RegisterBySize({{"BM_MaterialRun", BM_MaterialRun}, {"BM_MaterialRunUndo", BM_MaterialRunUndo}},
                   {{1000, 20}, {10000, 3}, {100000, 1}});
    return 0;
}
const int registered = RegisterAll();

}  // namespace
