#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "ClassIds.h"
#include "ConversionRun.h"
#include "MtlConverterState.h"
#include "Products.h"
#include "SceneFile.h"
#include "SceneGenerator.h"
#include "StringTable.h"
#include "hostcore.h"
#include "resource.h"

// Scenes shaped to find the costs that grow faster than the scene: deep nesting, a long chain of
// references, many keys on one controller, many nodes sharing one material, and the memory each listed
// material takes. Each family reports its complexity over its sizes; scenes are made untimed.

namespace {

const std::string kHead = R"({"format": "tvl3host-scene", "version": 1, )";

std::string Blinn(int id) {
    return R"({"id": )" + std::to_string(id) +
           R"(, "class": "BlinnShader", "blocks": [{"ref": 0, "id": 0}]})";
}
std::string Standard(int id, int shader) {
    return R"({"id": )" + std::to_string(id) +
           R"(, "class": "StandardMaterial", "refs": [{"index": 0, "object": )" + std::to_string(shader) +
           "}]}";
}

// n Multi/Sub-Object materials each holding the next, a Standard material at the bottom, on one node.
std::string ChainScene(int n) {
    std::string s = kHead + R"("nodes": [{"id": 1, "name": "n", "material": 2}], "objects": [)";
    for (int k = 0; k < n; ++k)
        s += R"({"id": )" + std::to_string(2 + k) + R"(, "class": "MultiSubMaterial", "refList": [)" +
             std::to_string(3 + k) + "]}, ";
    return s + Standard(2 + n, 3 + n) + ", " + Blinn(3 + n) + "]}";
}

// One controller with n keys on a line effect's width.
std::string KeysScene(int n) {
    std::string keys;
    for (int k = 0; k < n; ++k) keys += (k ? ", [" : "[") + std::to_string(k * 10) + ", 1.5]";
    return kHead + R"("effects": [{"object": 2, "active": true}], "objects": [
        {"id": 2, "class": "Tvl2Line", "blocks": [{"ref": 0, "id": 0, "params": [
            {"id": 0, "type": "float", "value": 1.5, "controller": 3}]}]},
        {"id": 3, "class": "LinearFloatController", "value": 1.0, "keys": [)" +
           keys + "]}]}";
}

// n nodes with one Standard material.
std::string SharedMaterialScene(int n) {
    std::string s = kHead + R"("nodes": [)";
    for (int k = 0; k < n; ++k)
        s += (k ? R"(, {"id": )" : R"({"id": )") + std::to_string(3 + k) + R"(, "name": "n", "material": 1})";
    return s + R"(], "objects": [)" + Standard(1, 2) + ", " + Blinn(2) + "]}";
}

// The showcase repeated until it lists n materials.
std::string ShowcaseScene(int n) {
    std::ifstream in(std::string(TVL_SOURCE_DIR) + "/examples/showcase.json", std::ios::binary);
    std::ostringstream sample;
    sample << in.rdbuf();
    return RepeatSceneText(sample.str(), (n + ListedMaterialsPerCopy() - 1) / ListedMaterialsPerCopy());
}

void Setup() {
    static const bool registered = [] {
        RegisterStandInProducts();
        RegisterMtlConverterNotifications();
        return true;
    }();
    (void)registered;
}

void Load(benchmark::State& state, const std::string& text) {
    std::string error;
    if (!LoadSceneText(text, error)) state.SkipWithError(error.c_str());
}

// Lists the Standard materials in use (or every class it converts) and runs the material run on the
// converter's own list, which its undo records restore.
void RunMaterials(bool allClasses = false) {
    MtlConvList& list = TheMtlConverterState().List();
    list.Clear();
    MtlBaseLib inUse;
    CollectMaterialsInUse(inUse);
    for (int i = 0; i < inUse.Count(); ++i) {
        const Class_ID c = inUse[i]->ClassID();
        if (c == Class_ID(DMTL_CLASS_ID, 0) ||
            (allClasses && (c == STDMAT_VARIANT_CLASS_ID || c == TVL2_MATERIAL_CLASS_ID)))
            list.Append(MtlConvData::Of(inUse[i]));
    }
    RunMtlConversion(list, 0, nullptr, StringTableText(IDS_CONVERT_UNDO), StringTableText(IDS_MTL_CONVERTER));
}

// Deeply nested arrays are refused at the nesting limit; the cost stays that of the limit.
void BM_NestedArrays(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string text = kHead + R"("nodes": )" + std::string(n, '[') + std::string(n, ']') + "}";
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(LoadSceneText(text, error));
    }
    state.SetComplexityN(n);
}

// Load, run, undo, a deep copy of the whole chain and the scene's reset.
void BM_ReferenceChain(benchmark::State& state) {
    Setup();
    const int n = static_cast<int>(state.range(0));
    const std::string text = ChainScene(n);
    HostCore& host = HostCore::Get();
    for (auto _ : state) {
        Load(state, text);
        RunMaterials();
        host.Undo();
        Mtl* top = host.GetRootNode()->GetChildNode(0)->GetMtl();
        benchmark::DoNotOptimize(CloneRefHierarchy(top));
        host.ResetScene();
    }
    state.SetComplexityN(n);
}

void BM_ControllerKeys(benchmark::State& state) {
    Setup();
    const int n = static_cast<int>(state.range(0));
    const std::string text = KeysScene(n);
    for (auto _ : state) {
        Load(state, text);
        benchmark::DoNotOptimize(SaveSceneText());
        HostCore::Get().ResetScene();
    }
    state.SetComplexityN(n);
}

// Load, run (the material is replaced on every node), undo, reset.
void BM_NodesSharingMaterial(benchmark::State& state) {
    Setup();
    const int n = static_cast<int>(state.range(0));
    const std::string text = SharedMaterialScene(n);
    HostCore& host = HostCore::Get();
    for (auto _ : state) {
        Load(state, text);
        RunMaterials();
        host.Undo();
        host.ResetScene();
    }
    state.SetComplexityN(n);
}

// The heap a loaded showcase-derived scene holds per listed material, and what the material run adds
// (its new materials and its undo records).
void BM_MemoryPerMaterial(benchmark::State& state) {
    Setup();
    const int n = static_cast<int>(state.range(0));
    const std::string text = ShowcaseScene(n);
    double loaded = 0, run = 0;
    for (auto _ : state) {
        HostCore::Get().ResetScene();
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        Load(state, text);
        const size_t afterLoad = mallinfo2().uordblks;
        RunMaterials(true);
        loaded = static_cast<double>(afterLoad - before);
        run = static_cast<double>(mallinfo2().uordblks - afterLoad);
        HostCore::Get().ResetScene();
    }
    state.counters["loaded_KB_per_material"] = loaded / 1024.0 / n;
    state.counters["run_KB_per_material"] = run / 1024.0 / n;
}

int RegisterAll() {
    const bool smoke = std::getenv("TVL_BENCH_SMOKE") != nullptr;
    struct Family {
        const char* name;
        void (*fn)(benchmark::State&);
        int64_t from, to;
    };
    const Family families[] = {
        {"BM_NestedArrays", BM_NestedArrays, 1000, 64000},
        {"BM_ReferenceChain", BM_ReferenceChain, 25000, 200000},
        {"BM_ControllerKeys", BM_ControllerKeys, 31250, 250000},
        {"BM_NodesSharingMaterial", BM_NodesSharingMaterial, 25000, 200000},
        {"BM_MemoryPerMaterial", BM_MemoryPerMaterial, 1000, 8000},
    };
    for (const Family& f : families) {
        auto* b = benchmark::RegisterBenchmark(f.name, f.fn)->Unit(benchmark::kMillisecond)->Iterations(1);
        if (smoke) {
            b->Arg(f.from / 10);
            continue;
        }
        b->RangeMultiplier(2)->Range(f.from, f.to)->Complexity();
    }
    return 0;
}
const int registered = RegisterAll();

}  // namespace
