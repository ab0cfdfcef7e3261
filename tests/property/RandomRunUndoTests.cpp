// Both runs on scenes made at random from the showcase: other uses, editor slots, viewport flags, lists,
// options, reference material, time and Auto Key. For every scene, undo gives back exactly the scene as
// it was, step by step, redo exactly the converted one, over several cycles; the converted scene saves
// and loads back unchanged. TVL_RANDOM_SCENES sets how many scenes (a soak run), TVL_RANDOM_SEED the
// first seed; a failure names the seed that replays it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ClassIds.h"
#include "ConversionRun.h"
#include "HostTestObjects.h"
#include "LineConversionRun.h"
#include "Products.h"
#include "SceneFile.h"
#include "StringTable.h"
#include "resource.h"

namespace {

const MCHAR* const kUndoName = StringTableText(IDS_CONVERT_UNDO);
const MCHAR* const kProgressTitle = StringTableText(IDS_MTL_CONVERTER);

const ConversionOptions kOptionBits[] = {
    CONVOPT_MULTIPLY_BLEND,      CONVOPT_HIGHLIGHT_ADD_BLEND,  CONVOPT_APPLY_STROKES,
    CONVOPT_COPY_STROKES,        CONVOPT_SKIP_AREA_OFF_ZONES,  CONVOPT_SKIP_DISABLED_STROKES,
    CONVOPT_FT_SPECULAR_AS_ZONE, CONVOPT_IL_HIGHLIGHT_AS_ZONE, CONVOPT_CONVERT_REFLECT_REFRACT_MAPS,
};

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoul(v, nullptr, 10) : fallback;
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Every material and map below the nodes and the editor slots, each once.
void Gather(MtlBase* m, std::vector<MtlBase*>& out) {
    if (!m || std::find(out.begin(), out.end(), m) != out.end()) return;
    out.push_back(m);
    if (auto* mtl = dynamic_cast<Mtl*>(m))
        for (int i = 0; i < mtl->NumSubMtls(); ++i) Gather(mtl->GetSubMtl(i), out);
    for (int i = 0; i < m->NumSubTexmaps(); ++i) Gather(m->GetSubTexmap(i), out);
}

class RandomScene {
public:
    explicit RandomScene(unsigned long seed) : rng_(seed) {}

    // Changes the loaded showcase without recording anything, and lists some of its materials.
    void Shuffle(MtlConvList& list) {
        HostCore& host = HostCore::Get();
        std::vector<INode*> nodes;
        host.ForEachNode([&](INode* n) { nodes.push_back(n); });
        for (INode* n : nodes) Gather(n->GetMtl(), pool_);
        for (int i = 0; i < 24; ++i) Gather(host.GetMtlSlot(i), pool_);
        std::vector<Mtl*> mtls;
        for (MtlBase* m : pool_)
            if (auto* mtl = dynamic_cast<Mtl*>(m)) mtls.push_back(mtl);
        if (mtls.empty()) return;

        SuspendAll quiet(TRUE);
        // Whatever the shuffle takes out of the scene stays alive, as a material the user keeps would.
        auto* keep = new BoxTarget(static_cast<int>(pool_.size()));
        for (size_t i = 0; i < pool_.size(); ++i) keep->ReplaceReference(static_cast<int>(i), pool_[i]);
        for (int k = Pick(6); k > 0; --k) host.SetMtlSlot(Pick(24), Chance(4) ? nullptr : Any(mtls));
        for (int k = Pick(6); k > 0 && !nodes.empty(); --k) nodes[Pick(nodes.size())]->SetMtl(Any(mtls));
        for (int k = Pick(4); k > 0; --k) {
            Mtl* parent = Any(mtls);
            if (parent->ClassID() == Class_ID(MULTI_CLASS_ID, 0) && parent->NumSubMtls() > 0)
                parent->SetSubMtl(Pick(parent->NumSubMtls()), Any(mtls));  // a loop is refused by the host
        }
        for (MtlBase* m : pool_)
            if (Chance(3)) m->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED, !m->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED));
        for (Mtl* m : mtls)
            if (Chance(4)) m->SetActiveTexmap(Any(pool_));
        for (Mtl* m : mtls) {
            Class_ID c = m->ClassID();
            bool eligible = c == Class_ID(DMTL_CLASS_ID, 0) || c == STDMAT_VARIANT_CLASS_ID ||
                            c == TVL2_MATERIAL_CLASS_ID;
            if (eligible && !Chance(4)) list.Append(MtlConvData::Of(m));
        }
        for (Mtl* m : mtls)
            if (m->ClassID() == TVL3_MATERIAL_CLASS_ID && Chance(2)) reference = m;
        for (ConversionOptions bit : kOptionBits)
            if (Chance(2)) options |= bit;
        host.SetTime(Chance(2) ? 0 : static_cast<TimeValue>(Pick(200)));
        host.SetAnimateButtonState(Chance(2));
        deleteLineSources = Chance(2);
        suffix = Chance(2) ? _M("") : _M("_新");
    }

    ConversionOptions options = 0;
    Mtl* reference = nullptr;
    bool deleteLineSources = false;
    const MCHAR* suffix = _M("");

private:
    int Pick(size_t n) { return static_cast<int>(std::uniform_int_distribution<size_t>(0, n - 1)(rng_)); }
    bool Chance(int oneIn) { return Pick(static_cast<size_t>(oneIn)) == 0; }
    template <class T>
    T* Any(const std::vector<T*>& v) {
        return v[static_cast<size_t>(Pick(v.size()))];
    }

    std::mt19937 rng_;
    std::vector<MtlBase*> pool_;
};

class RandomRunUndoTest : public HostTest {};

TEST_F(RandomRunUndoTest, UndoAndRedoOfBothRunsGiveEachSceneBackExactly) {
    const std::string showcase = ReadFile(std::string(TVL_SOURCE_DIR) + "/examples/showcase.json");
    const unsigned long first = EnvNumber("TVL_RANDOM_SEED", 1);
    const unsigned long count = EnvNumber("TVL_RANDOM_SCENES", 20);
    HostCore& host = HostCore::Get();
    for (unsigned long seed = first; seed < first + count; ++seed) {
        SCOPED_TRACE("TVL_RANDOM_SEED=" + std::to_string(seed) + " TVL_RANDOM_SCENES=1 replays this scene");
        host.ResetScene();
        RegisterStandInProducts();
        std::string error;
        ASSERT_TRUE(LoadSceneText(showcase, error)) << error;
        MtlConvList list;
        RandomScene scene(seed);
        scene.Shuffle(list);

        const std::string loaded = SaveSceneText();
        RunMtlConversion(list, scene.options, scene.reference, kUndoName, kProgressTitle);
        const std::string afterMaterials = SaveSceneText();
        RunLineConversion(scene.suffix, scene.deleteLineSources, kUndoName);
        const std::string converted = SaveSceneText();
        host.SetAnimateButtonState(FALSE);

        for (int cycle = 0; cycle < 2; ++cycle) {
            ASSERT_TRUE(host.Undo());
            ASSERT_EQ(SaveSceneText(), afterMaterials) << "after undoing the line run, cycle " << cycle;
            ASSERT_TRUE(host.Undo());
            ASSERT_EQ(SaveSceneText(), loaded) << "after undoing both runs, cycle " << cycle;
            ASSERT_TRUE(host.Redo());
            ASSERT_EQ(SaveSceneText(), afterMaterials) << "after redoing the material run, cycle " << cycle;
            ASSERT_TRUE(host.Redo());
            ASSERT_EQ(SaveSceneText(), converted) << "after redoing both runs, cycle " << cycle;
        }
        ASSERT_TRUE(LoadSceneText(converted, error)) << error;
        ASSERT_EQ(SaveSceneText(), converted) << "the converted scene does not load back unchanged";
    }
}

}  // namespace
