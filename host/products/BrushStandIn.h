#pragma once

#include <iterator>

#include "RefCasts.h"
#include "StandIn.h"
#include "hostclasses/CurveControl.h"

// A brush map or a brush sub-map of either product: blocks in refs 0… (kBlocks, in index order), sub-maps
// held directly in the references from kRefFirstSubMap on (one per name of kSubMapNames), and curve
// controls made with the map in the references kCurveRefs names. Layout names these and the class (kInfo)
// and its number of references (kNumRefs).
template <class Layout>
class BrushStandIn : public StandIn<Texmap>, public Layout {
public:
    static constexpr int kNumSubMaps = static_cast<int>(std::size(Layout::kSubMapNames));

    BrushStandIn() : BrushStandIn(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override {
        for (int i = 0; i < kNumSubMaps; ++i)
            if (Texmap* m = GetSubTexmap(i)) m->Update(t, valid);
    }

    // ISubMap
    int NumSubTexmaps() override { return kNumSubMaps; }
    Texmap* GetSubTexmap(int i) override {
        return i >= 0 && i < kNumSubMaps ? AsTexmap(GetReference(Layout::kRefFirstSubMap + i)) : nullptr;
    }
    void SetSubTexmap(int i, Texmap* m) override {
        if (i >= 0 && i < kNumSubMaps) ReplaceReference(Layout::kRefFirstSubMap + i, m);
    }
    MSTR GetSubTexmapSlotName(int i) override {
        return i >= 0 && i < kNumSubMaps ? MSTR(Layout::kSubMapNames[i]) : MSTR();
    }

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new BrushStandIn(true); }

private:
    explicit BrushStandIn(bool bare)
        : StandIn(Layout::kInfo, Layout::kNumRefs, BlocksFrom(Layout::kBlocks), bare) {
        if (bare) return;
        for (int ref : Layout::kCurveRefs) ReplaceReference(ref, NewCurveControl());
    }
};
