#include <benchmark/benchmark.h>

#include <memory>

#include "BenchScene.h"
#include "ClassIds.h"
#include "SelectMaterialDialog.h"
#include "hostcore.h"

// What the selection dialog's model does before its window shows the list: gathering from the scene and
// the editor, merging repeated finds, the visibility pass, the sort and the lines of the list box; the
// dialog is freed untimed. The scene is built once per size; the counter per_material is the time of one
// listed material.

namespace {

const int kNodesPerMaterial = 10;

// Offers the material converter's classes, as the converter's Add dialog does, and shows what was found
// in the scene, asking the dialog where each item was found.
class OfferConvertible : public SelectMaterialDialogCallback {
public:
    explicit OfferConvertible(int flat) : flat_(flat) {}
    SelectMaterialDialog* dialog = nullptr;

    int GetInitialFlatMode() override { return flat_; }
    int CheckSubMaterial(Mtl* parent, Mtl* sub, int) override {
        const Class_ID c = parent->ClassID();
        return c == TVL2_MATERIAL_CLASS_ID || c == TVL3_MATERIAL_CLASS_ID ? SELMTL_LEAVE_OUT : Check(sub);
    }
    int CheckEditorMaterial(MtlBase* m, int) override { return Check(m); }
    int CheckSceneMaterial(INode*, Mtl* m) override { return Check(m); }
    int GetDisplayFilterCount() override { return 2; }
    int IsItemVisible(MtlBase* parent, MtlBase* m, const BitArray& filter) override {
        SelectMaterialDialog::TreeItem* item = dialog->FindTreeItem(parent, m);
        if (!item) return 0;
        BitArray& flags = item->Data()->Flags();
        return (filter[0] && flags[ITEM_IN_SCENE]) || (filter[1] && flags[ITEM_IN_MTL_EDITOR]);
    }

private:
    static int Check(MtlBase* m) {
        const Class_ID c = m->ClassID();
        return c == Class_ID(DMTL_CLASS_ID, 0) || c == TVL2_MATERIAL_CLASS_ID || c == STDMAT_VARIANT_CLASS_ID
                   ? SELMTL_ELIGIBLE
                   : SELMTL_CARRIER;
    }
    int flat_;
};

void Fill(benchmark::State& state, int flat) {
    const int n = static_cast<int>(state.range(0));
    BuildBenchScene(n, kNodesPerMaterial);
    size_t lines = 0;
    for (auto _ : state) {
        OfferConvertible callback(flat);
        auto dialog = std::make_unique<SelectMaterialDialog>(&callback, GetCOREInterface());
        callback.dialog = dialog.get();
        dialog->AddSceneMaterials(GetCOREInterface()->GetRootNode());
        dialog->AddEditorMaterials();
        dialog->ClearVisibilityCursor();
        dialog->TakeInitialSettings();
        dialog->UpdateVisibility();
        dialog->Sort();
        lines = dialog->FillRows().size();
        benchmark::DoNotOptimize(lines);
        // Closing the dialog is not part of filling it.
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
    state.counters["materials"] = n;
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["per_material"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    HostCore::Get().ResetScene();
}

void BM_SelectDialogFlat(benchmark::State& state) { Fill(state, 1); }
void BM_SelectDialogTree(benchmark::State& state) { Fill(state, 0); }

int RegisterAll() {
    RegisterBySize(
        {{"BM_SelectDialogFlat", BM_SelectDialogFlat}, {"BM_SelectDialogTree", BM_SelectDialogTree}},
        {{1000, 500}, {10000, 50}, {100000, 5}});
    return 0;
}
const int registered = RegisterAll();

}  // namespace
