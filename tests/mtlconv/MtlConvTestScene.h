#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "HostTestObjects.h"
#include "MtlConvList.h"
#include "ProductClassIds.h"
#include "Products.h"
#include "hostclasses/BitmapTex.h"
#include "hostclasses/MultiSubMtl.h"
#include "stdmat/StandardMtl.h"
#include "tavelin2/Tvl2Material.h"
#include "tavelin2/Tvl2Settings.h"
#include "tavelin3/Tvl3Material.h"

// A scene of the stand-in products, rebuilt for every test on an empty host.
class MtlConvTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterStandInProducts();
    }
    void TearDown() override {
        HostCore::Get().SetProgressSink(nullptr);
        HostTest::TearDown();
    }

    template <class T>
    static T* Make(const MCHAR* name) {
        auto* m = static_cast<T*>(GetCOREInterface()->CreateInstance(T::kInfo.superClass, T::kInfo.classID));
        if (m && name) m->SetName(MSTR(name));
        return m;
    }
    static StandardMtl* NewStandard(const MCHAR* name) { return Make<StandardMtl>(name); }
    static Tvl2Material* NewTvl2(const MCHAR* name) { return Make<Tvl2Material>(name); }
    static Tvl3Material* NewTvl3(const MCHAR* name) { return Make<Tvl3Material>(name); }
    static BitmapTex* NewBitmap(const MCHAR* name) { return Make<BitmapTex>(name); }
    static MultiSubMtl* NewMulti(const MCHAR* name, int slots) {
        MultiSubMtl* m = Make<MultiSubMtl>(name);
        m->SetNumSubMtls(slots);
        return m;
    }
    static INode* NewNode(const MCHAR* name, Mtl* m, INode* parent = nullptr) {
        INode* n = HostCore::Get().CreateNode(name, parent);
        n->SetMtl(m);
        return n;
    }
    // m, kept by a scene node as a material in use is.
    static Mtl* InScene(Mtl* m) {
        NewNode(_M("user"), m);
        return m;
    }
    static void SetSlot(int slot, MtlBase* m) { GetCOREInterface7()->SetMtlSlot(slot, m); }
    static MtlBase* Slot(int slot) { return GetCOREInterface()->GetMtlSlot(slot); }

    static void AddAll(MtlConvList& list, std::initializer_list<MtlBase*> mtls) {
        for (MtlBase* m : mtls) list.Append(MtlConvData::Of(m));
    }
};

// Notes the list's length each time the list says it changed, as a panel refilling its list box would.
class CountingListener : public MtlConvListListener {
public:
    explicit CountingListener(MtlConvList& list) : list_(list) {}
    void MtlListChanged() override { counts.push_back(list_.Count()); }
    std::vector<int> counts;

private:
    MtlConvList& list_;
};

inline std::wstring Text(const MSTR& s) { return s.data(); }

inline std::vector<MtlBase*> Listed(const MtlConvList& list) {
    std::vector<MtlBase*> out;
    for (const MtlConvData& d : list.Items()) out.push_back(d.material);
    return out;
}

inline bool Shown(MtlBase* m) { return m && m->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED); }

// Everything a material run may change, so that a whole scene can be compared before and after.
struct SceneUses {
    std::vector<ReferenceTarget*> slots;      // the 24 material editor slots
    std::vector<Mtl*> nodes;                  // node materials, depth first
    std::vector<ReferenceTarget*> makerRefs;  // every reference of the watched makers, in order
    std::vector<int> shownFlags;              // the shown-map flag of each watched material or map
    std::vector<MtlBase*> activeMaps;         // the map each watched material shows
    std::vector<MtlBase*> listed;             // the conversion list
};

inline SceneUses TakeUses(const std::vector<ReferenceMaker*>& makers, const std::vector<MtlBase*>& watched,
                          const MtlConvList& list) {
    SceneUses u;
    for (int i = 0; i < HostCore::kNumMtlSlots; ++i) u.slots.push_back(GetCOREInterface()->GetMtlSlot(i));
    HostCore::Get().ForEachNode([&](INode* n) { u.nodes.push_back(n->GetMtl()); });
    for (ReferenceMaker* m : makers)
        for (int i = 0; i < m->NumRefs(); ++i) u.makerRefs.push_back(m->GetReference(i));
    for (MtlBase* m : watched) {
        u.shownFlags.push_back(m->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED));
        auto* mtl = dynamic_cast<Mtl*>(m);
        u.activeMaps.push_back(mtl ? mtl->GetActiveTexmap() : nullptr);
    }
    u.listed = Listed(list);
    return u;
}

inline void ExpectSameUses(const SceneUses& actual, const SceneUses& expected) {
    EXPECT_EQ(actual.slots, expected.slots);
    EXPECT_EQ(actual.nodes, expected.nodes);
    EXPECT_EQ(actual.makerRefs, expected.makerRefs);
    EXPECT_EQ(actual.shownFlags, expected.shownFlags);
    EXPECT_EQ(actual.activeMaps, expected.activeMaps);
    EXPECT_EQ(actual.listed, expected.listed);
}
