#pragma once

#include "StrokeMapStandIn.h"

// The Tavelin 3 stroke map's class and block 0.
struct Tvl3StrokeMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kBlock;
};

using Tvl3StrokeMap = StrokeMapStandIn<Tvl3StrokeMapLayout>;
