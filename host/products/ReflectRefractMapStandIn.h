#pragma once

#include "StandIn.h"

// A reflection/refraction map of either product: blocks with IDs 0 and 1 in refs 0 and 1. Its two
// sub-maps are map parameters of block 0, so they move with the block's values. Layout names the class
// (kInfo), the blocks (kBlocks) and the parameters of block 0 (kReflectionMap, kRefractionMap and the
// switches kFirstSwitch to kLastSwitch).
template <class Layout>
class ReflectRefractMapStandIn : public StandIn<Texmap>, public Layout {
public:
    enum : int { kRefBlock0 = 0, kRefBlock1 = 1, kNumRefs = 2 };

    ReflectRefractMapStandIn() : ReflectRefractMapStandIn(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override {
        for (int i = 0; i < NumSubTexmaps(); ++i)
            if (Texmap* map = GetSubTexmap(i)) map->Update(t, valid);
    }

    // ISubMap
    int NumSubTexmaps() override { return 2; }
    Texmap* GetSubTexmap(int i) override {
        IParamBlock2* pb = BlockAt(kRefBlock0);
        return pb && i >= 0 && i < NumSubTexmaps() ? pb->GetTexmap(SubMapParam(i)) : nullptr;
    }
    void SetSubTexmap(int i, Texmap* m) override {
        IParamBlock2* pb = BlockAt(kRefBlock0);
        if (pb && i >= 0 && i < NumSubTexmaps()) pb->SetValue(SubMapParam(i), 0, m);
    }
    MSTR GetSubTexmapSlotName(int i) override {
        if (i == 0) return MSTR(_M("Reflection"));
        if (i == 1) return MSTR(_M("Refraction"));
        return MSTR();
    }

    // Test hook: maps made while one of these lives have no block 0.
    using MadeWithoutBlockScope = StandInHookScope<ReflectRefractMapStandIn>;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new ReflectRefractMapStandIn(true); }

private:
    explicit ReflectRefractMapStandIn(bool bare)
        : StandIn(Layout::kInfo, kNumRefs, BlocksFrom(Layout::kBlocks), bare) {
        if (!bare && MadeWithoutBlockScope::Active()) RemoveBlock(0);
    }

    static ParamID SubMapParam(int i) { return i == 0 ? Layout::kReflectionMap : Layout::kRefractionMap; }
};
