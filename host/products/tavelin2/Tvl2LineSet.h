#pragma once

#include "LineSetStandIn.h"
#include "ProductClassIds.h"

// One line set of a Tavelin 2 line effect. It answers the render-effect super class but is no effect
// of the render-effect list: only its line effect holds it.
//   refs 0-5    blocks with IDs 0-5 (block 3 holds options no conversion reads)
//   refs 13-18  brush maps of the visible edges, refs 19-24 those of the hidden edges
//   refs 31, 32 curve controls, made with the set
// Parameter IDs run on across the blocks: 0-11 in block 0, 12-24 in blocks 1 and 2 (the same layout
// for visible and hidden edges), 25-36 in block 4, 37-45 in block 5, 46-47 in block 3.
struct Tvl2LineSetLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[6];
    enum : int {
        kRefBrushGroup0 = 13,
        kRefBrushGroup1 = 19,
        kRefCurve1 = 31,
        kRefCurve2 = 32,
        kNumRefs = 33
    };
    static constexpr int kBrushesPerGroup = 6;
    enum : BlockID {
        kGeneralBlock = 0,
        kVisibleEdgeBlock = 1,
        kHiddenEdgeBlock = 2,
        kOptionsBlock = 3,
        kVisibilityBlock = 4,
        kReductionBlock = 5,
    };
};

using Tvl2LineSet = LineSetStandIn<Tvl2LineSetLayout>;
