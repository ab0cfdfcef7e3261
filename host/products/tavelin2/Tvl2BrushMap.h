#pragma once

#include <array>

#include "BrushStandIn.h"
#include "ProductClassIds.h"

// A Tavelin 2 brush: block 0 at ref 0 and three sub-maps held directly in refs 1-3 (sub-map 1 is usually the
// brush's own sub-map, 0 and 2 any maps).
struct Tvl2BrushMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[1];
    enum : int { kRefBlock = 0, kRefFirstSubMap = 1, kNumRefs = 4 };
    enum : BlockID { kMainBlock = 0 };
    enum : int { kSubMapPattern = 0, kSubMapStroke = 1, kSubMapTexture = 2 };
    static const MCHAR* const kSubMapNames[3];
    static constexpr std::array<int, 0> kCurveRefs{};
};

using Tvl2BrushMap = BrushStandIn<Tvl2BrushMapLayout>;
