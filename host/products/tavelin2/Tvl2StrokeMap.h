#pragma once

#include "StrokeMapStandIn.h"

// The Tavelin 2 stroke map's class and block 0.
struct Tvl2StrokeMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kBlock;
};

using Tvl2StrokeMap = StrokeMapStandIn<Tvl2StrokeMapLayout>;
