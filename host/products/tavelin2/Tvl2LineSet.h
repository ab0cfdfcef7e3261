#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// One line set of a Tavelin 2 line effect. It answers the render-effect super class but is no effect
// of the render-effect list: only its line effect holds it.
//   refs 0-5    blocks with IDs 0-5 (block 3 holds options no conversion reads)
//   refs 13-18  brush maps of the visible edges, refs 19-24 those of the hidden edges
//   refs 31, 32 curve controls, made with the set
//   others      empty
// Parameter IDs run on across the blocks: 0-11 in block 0, 12-24 in blocks 1 and 2 (the same layout
// for visible and hidden edges), 25-36 in block 4, 37-45 in block 5, 46-47 in block 3.
class Tvl2LineSet : public StandIn<ReferenceTarget> {
public:
    static const StandInClassInfo kInfo;

    enum : int {
        kRefFirstBlock = 0,
        kRefBrushGroup0 = 13,
        kRefBrushGroup1 = 19,
        kRefCurve1 = 31,
        kRefCurve2 = 32,
        kNumRefs = 33,
    };
    static constexpr int kBrushesPerGroup = 6;

    Tvl2LineSet() : Tvl2LineSet(false) {}

    // Brush k (0-5) of group 0 or 1; whatever the reference holds.
    ReferenceTarget* GetBrush(int group, int k);
    void SetBrush(int group, int k, ReferenceTarget* brush);

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl2LineSet(true); }

private:
    explicit Tvl2LineSet(bool bare);
    int BrushRef(int group, int k) const;
};
