#pragma once

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <vector>

#include "max.h"

// A generated production-like scene: n materials of every kind the material converter takes (Standard
// with Blinn and with finalToon, the Standard variant, Tavelin 2 with zones and strokes), each on
// nodesPerMaterial nodes, with reflection/refraction and stroke maps shared between materials, and the
// first materials in the editor slots. Answers the materials in scene order.
std::vector<Mtl*> BuildBenchScene(int n, int nodesPerMaterial);

// A scene size and the fixed iterations it is timed with (scenes are built untimed for every iteration).
struct BenchSize {
    int materials;
    int iterations;
};
using BenchFunction = void (*)(benchmark::State&);
struct NamedBench {
    const char* name;
    BenchFunction function;
};

// Registers every benchmark at every size, in milliseconds of real time, as the median of three repetitions.
// The smoke test that CTest runs sets TVL_BENCH_SMOKE: each benchmark runs once, on the first size only.
void RegisterBySize(std::initializer_list<NamedBench> benches, std::initializer_list<BenchSize> sizes);
