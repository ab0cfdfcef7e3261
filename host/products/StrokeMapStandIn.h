#pragma once

#include "ProductClassIds.h"
#include "RefCasts.h"
#include "StandIn.h"
#include "hostclasses/CurveControl.h"

// A stroke map of either product: block 0, its own curve control and texture coordinates, and one
// sub-map. Reference 4 starts empty and takes any further object a scene attaches, so that both products
// number their references alike. Layout names the class (kInfo) and block 0 (kBlock).
template <class Layout>
class StrokeMapStandIn : public StandIn<Texmap>, public Layout {
public:
    enum : int { kRefBlock = 0, kRefCurve = 1, kRefUVGen = 2, kRefSubMap = 3, kRefExtra = 4, kNumRefs = 5 };

    // Makes the map with a curve control and texture coordinates of the host's (when it offers them).
    StrokeMapStandIn() : StrokeMapStandIn(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override {
        if (Texmap* map = GetSubTexmap(0)) map->Update(t, valid);
    }

    // ISubMap
    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int i) override { return AsTexmap(i == 0 ? GetReference(kRefSubMap) : nullptr); }
    void SetSubTexmap(int i, Texmap* m) override {
        if (i == 0) ReplaceReference(kRefSubMap, m);
    }
    MSTR GetSubTexmapSlotName(int i) override { return i == 0 ? MSTR(_M("Stroke Texture")) : MSTR(); }

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new StrokeMapStandIn(true); }

private:
    explicit StrokeMapStandIn(bool bare)
        : StandIn(Layout::kInfo, kNumRefs, {{kRefBlock, &Layout::kBlock}}, bare) {
        if (bare) return;
        ReplaceReference(kRefCurve, NewCurveControl());
        ReplaceReference(kRefUVGen, static_cast<ReferenceTarget*>(GetCOREInterface()->CreateInstance(
                                        UVGEN_CLASS_ID, UVGEN_STANDIN_CLASS_ID)));
    }
};
