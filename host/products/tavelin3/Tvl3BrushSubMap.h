#pragma once

#include "BrushStandIn.h"
#include "ProductClassIds.h"

// The sub-map of a Tavelin 3 brush.
//   refs 0, 1   blocks with IDs 0 and 1, at indices 0 and 1
//   refs 2, 3   sub-maps 0 and 1
//   refs 6, 7   curve controls, made with the map
struct Tvl3BrushSubMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[2];
    enum : int { kRefFirstBlock = 0, kRefFirstSubMap = 2, kRefCurve1 = 6, kRefCurve2 = 7, kNumRefs = 8 };
    enum : int { kSubMapShape = 0, kSubMapGrain = 1 };
    static const MCHAR* const kSubMapNames[2];
    static constexpr int kCurveRefs[] = {kRefCurve1, kRefCurve2};
};

using Tvl3BrushSubMap = BrushStandIn<Tvl3BrushSubMapLayout>;
