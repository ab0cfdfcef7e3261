#pragma once

#include "LineSetStandIn.h"
#include "ProductClassIds.h"

// One line set of a Tavelin 3 line effect.
//   refs 0-5    blocks with IDs 0-5 (block 1 holds options no conversion fills)
//   refs 6, 7   curve controls, made with the set
//   refs 10-16  brush maps of the visible edges, refs 21-27 those of the hidden edges
struct Tvl3LineSetLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[6];
    enum : int { kRefCurve1 = 6, kRefCurve2 = 7, kRefBrushGroup0 = 10, kRefBrushGroup1 = 21, kNumRefs = 28 };
    static constexpr int kBrushesPerGroup = 7;
    enum : BlockID {
        kGeneralBlock = 0,
        kOptionsBlock = 1,
        kVisibleEdgeBlock = 2,
        kHiddenEdgeBlock = 3,
        kVisibilityBlock = 4,
        kReductionBlock = 5,
    };

    // Parameters of the edge blocks (IDs 2 and 3) that depend on each other.
    enum : ParamID { kEdgeOverride = 0, kEdgeInherit = 1, kEdgeDetect = 9, kEdgeMode = 10 };
};

using Tvl3LineSet = LineSetStandIn<Tvl3LineSetLayout>;
