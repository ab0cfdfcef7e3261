#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "ConvertCommand.h"
#include "JsonParse.h"
#include "MtlConverterState.h"
#include "Products.h"
#include "SceneFile.h"
#include "SceneGenerator.h"
#include "hostcore.h"

// The whole `tvl3host convert` on generated scene files of N listed materials (the sample scene
// repeated), phase by phase in processor seconds: reading (parse, check, build), the material run, the
// line run, writing, and freeing the scene, which the library does on a reset and the tool leaves to the
// system at its exit. Files are made once, under the build folder.

namespace fs = std::filesystem;

namespace {

std::string SceneFileFor(int materials) {
    const fs::path dir = fs::path(TVL_BENCH_SCENE_DIR);
    const fs::path file = dir / ("scene-" + std::to_string(materials) + ".json");
    if (fs::exists(file)) return file.string();
    fs::create_directories(dir);
    std::ifstream in(std::string(TVL_SOURCE_DIR) + "/examples/showcase.json", std::ios::binary);
    std::ostringstream sample;
    sample << in.rdbuf();
    const int copies = (materials + ListedMaterialsPerCopy() - 1) / ListedMaterialsPerCopy();
    std::string error;
    if (!LoadSceneText(RepeatSceneText(sample.str(), copies), error) || !SaveScene(file.string(), error))
        throw std::runtime_error(error);
    HostCore::Get().ResetScene();
    return file.string();
}

void BM_Convert(benchmark::State& state) {
    // As tvl3host's main does, once the program runs.
    static const bool registered = [] {
        RegisterStandInProducts();
        RegisterMtlConverterNotifications();
        return true;
    }();
    (void)registered;
    const int n = static_cast<int>(state.range(0));
    ConvertRequest req;
    req.scenePath = SceneFileFor(n);
    req.outputPath = (fs::path(TVL_BENCH_SCENE_DIR) / ("converted-" + std::to_string(n) + ".json")).string();
    req.quiet = true;
    ConvertTimings times;
    double freeing = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        if (RunConvertCommand(req, out, err, &times) != 0) state.SkipWithError(err.str().c_str());
        std::clock_t start = std::clock();
        HostCore::Get().ResetScene();
        freeing += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["materials"] = n;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(req.scenePath)) / 1e6;
    const std::pair<const char*, const PhaseTime*> phases[] = {{"read", &times.read},
                                                               {"materials", &times.materials},
                                                               {"lines", &times.lines},
                                                               {"write", &times.write}};
    double cpu = freeing;
    for (const auto& [name, time] : phases) {
        state.counters[std::string(name) + "_s"] = time->cpu / iterations;
        state.counters[std::string(name) + "_wall_s"] = time->wall / iterations;
        cpu += time->cpu;
    }
    state.counters["free_s"] = freeing / iterations;
    state.counters["per_material_us"] = 1e6 * cpu / iterations / n;
}

// What the reading thread does with a scene file: parse it onto tapes for a receiver that takes each
// entry and drops it, on one thread, from the whole text in memory (0) or from the file a chunk at a time
// (1, as a load does). Materials in the second argument.
class Dropper : public JsonTopReceiver {
public:
    bool ByItem(std::string_view) const override { return true; }
    void Key(std::string_view) override {}
    void Value(std::string_view, JsonRef) override {}
    void Item(std::string_view, size_t, JsonRef) override {}
    void End() override {}
};

void BM_ParseScene(benchmark::State& state) {
    const std::string path = SceneFileFor(static_cast<int>(state.range(1)));
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (state.range(0) == 0) text << in.rdbuf();
    const std::string whole = text.str();
    const size_t size = static_cast<size_t>(fs::file_size(path));
    Dropper dropper;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            ParseJsonTop(whole.data(), whole.size(), dropper, nullptr, 1);
        } else {
            std::FILE* file = std::fopen(path.c_str(), "rb");
            ParseJsonTop(file, size, dropper, nullptr, 1);
            std::fclose(file);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

// The smoke test that CTest runs sets TVL_BENCH_SMOKE: once, on a small scene.
int RegisterAll() {
    const bool smoke = std::getenv("TVL_BENCH_SMOKE") != nullptr;
    auto* b =
        benchmark::RegisterBenchmark("BM_Convert", BM_Convert)->Unit(benchmark::kMillisecond)->UseRealTime();
    if (smoke) {
        b->Arg(100)->Iterations(1);
    } else {
        // A large scene takes seconds to convert: one iteration per size.
        b->Arg(1000)->Arg(10000)->Arg(30000)->Iterations(1);
    }
    auto* parse = benchmark::RegisterBenchmark("BM_ParseScene", BM_ParseScene)->Unit(benchmark::kMillisecond);
    for (int from : {0, 1}) parse->Args({from, smoke ? 100 : 10000});
    if (smoke) parse->Iterations(1);
    return 0;
}
const int registered = RegisterAll();

}  // namespace
