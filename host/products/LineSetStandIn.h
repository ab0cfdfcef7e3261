#pragma once

#include "StandIn.h"
#include "hostclasses/CurveControl.h"

// The visible and hidden edges of a line set share one layout: the second block is the first one under
// another ID and name.
inline ParamBlockDesc2 BlockWithID(ParamBlockDesc2 desc, BlockID id, const MCHAR* name) {
    desc.ID = id;
    desc.int_name = name;
    return desc;
}

// A line set of either product: blocks with IDs 0-5 in refs 0-5, two curve controls made with the set,
// two groups of brush slots, every other reference empty. Layout names the class (kInfo), the blocks in
// ID order (kBlocks) and the references: kRefCurve1, kRefCurve2, kRefBrushGroup0, kRefBrushGroup1,
// kBrushesPerGroup and kNumRefs.
template <class Layout>
class LineSetStandIn : public StandIn<ReferenceTarget>, public Layout {
public:
    enum : int { kRefFirstBlock = 0 };

    LineSetStandIn() : LineSetStandIn(false) {}

    // Brush k of group 0 or 1; whatever the reference holds.
    ReferenceTarget* GetBrush(int group, int k) { return GetReference(BrushRef(group, k)); }
    void SetBrush(int group, int k, ReferenceTarget* brush) {
        const int ref = BrushRef(group, k);
        if (ref >= 0) ReplaceReference(ref, brush);
    }

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new LineSetStandIn(true); }

private:
    explicit LineSetStandIn(bool bare)
        : StandIn(Layout::kInfo, Layout::kNumRefs, BlocksFrom(Layout::kBlocks, kRefFirstBlock), bare) {
        if (bare) return;
        ReplaceReference(Layout::kRefCurve1, NewCurveControl());
        ReplaceReference(Layout::kRefCurve2, NewCurveControl());
    }

    static int BrushRef(int group, int k) {
        if (k < 0 || k >= Layout::kBrushesPerGroup) return -1;
        if (group == 0) return Layout::kRefBrushGroup0 + k;
        if (group == 1) return Layout::kRefBrushGroup1 + k;
        return -1;
    }
};
