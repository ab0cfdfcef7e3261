#include "BenchScene.h"

#include <cstdlib>
#include <string>

#include "ProductClassIds.h"
#include "Products.h"
#include "hostcore.h"
#include "iparamb2.h"
#include "stdmat.h"

namespace {

template <class T>
T* Make(SClass_ID sc, Class_ID cid) {
    return static_cast<T*>(GetCOREInterface()->CreateInstance(sc, cid));
}

// Tavelin 2 material: zone i's first stroke slot is reference 7i + 15.
const int kFirstStrokeRef = 15;
const int kRefsPerZone = 7;

Mtl* MakeMaterial(int i, Texmap* sharedReflection, ReferenceTarget* sharedStroke) {
    Mtl* m = nullptr;
    switch (i % 4) {
        case 0:
        case 1: {
            auto* std = Make<StdMat2>(MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID);
            if (i % 4 == 1) std->SwitchShader(FINALTOON_SHADER_CLASS_ID);
            std->SetDiffuse(Color(0.2f + 0.001f * static_cast<float>(i % 500), 0.4f, 0.6f), 0);
            std->SetSubTexmap(ID_RL, sharedReflection);
            std->EnableMap(ID_RL, TRUE);
            m = std;
            break;
        }
        case 2: {
            m = Make<Mtl>(MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID);
            for (int zone = 0; zone < 4; ++zone) {
                if (IParamBlock2* pb = m->GetParamBlockByID(static_cast<BlockID>(zone + 2))) {
                    pb->SetValue(0, 0, 25.0f * static_cast<float>(zone));
                    pb->SetValue(1, 0, 25.0f * static_cast<float>(zone + 1));
                }
                m->ReplaceReference(kFirstStrokeRef + kRefsPerZone * zone, sharedStroke);
            }
            m->SetSubTexmap(0, sharedReflection);
            break;
        }
        default: {
            auto* variant = Make<StdMat2>(MATERIAL_CLASS_ID, STDMAT_VARIANT_CLASS_ID);
            variant->SetSubTexmap(variant->StdIDToChannel(ID_BU), sharedReflection);
            m = variant;
            break;
        }
    }
    m->SetName((L"Material " + std::to_wstring(i)).c_str());
    return m;
}

}  // namespace

std::vector<Mtl*> BuildBenchScene(int n, int nodesPerMaterial) {
    RegisterStandInProducts();
    HostCore& host = HostCore::Get();
    host.ResetScene();
    std::vector<Mtl*> materials;
    materials.reserve(static_cast<size_t>(n));
    Texmap* reflection = nullptr;
    ReferenceTarget* stroke = nullptr;
    for (int i = 0; i < n; ++i) {
        if (i % 100 == 0) {
            reflection = Make<Texmap>(TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID);
            stroke = Make<ReferenceTarget>(TEXMAP_CLASS_ID, TVL2_STROKE_MAP_CLASS_ID);
        }
        Mtl* m = MakeMaterial(i, reflection, stroke);
        materials.push_back(m);
        INode* group = host.CreateNode((L"Group " + std::to_wstring(i)).c_str());
        for (int k = 0; k < nodesPerMaterial; ++k) host.CreateNode(L"Part", group)->SetMtl(m);
        if (i < HostCore::kNumMtlSlots) host.SetMtlSlot(i, m);
    }
    return materials;
}

void RegisterBySize(std::initializer_list<NamedBench> benches, std::initializer_list<BenchSize> sizes) {
    const bool smoke = std::getenv("TVL_BENCH_SMOKE") != nullptr;
    for (const BenchSize& size : sizes) {
        for (const NamedBench& bench : benches) {
            auto* b = benchmark::RegisterBenchmark(bench.name, bench.function);
            b->Arg(size.materials)->Unit(benchmark::kMillisecond)->UseRealTime();
            if (smoke)
                b->Iterations(1);
            else
                b->Iterations(size.iterations)->Repetitions(3)->ReportAggregatesOnly(true);
        }
        if (smoke) break;
    }
}
