#pragma once

#include "ProductClassIds.h"
#include "ReflectRefractMapStandIn.h"

// The Tavelin 3 reflection/refraction map. Block 0 holds the two sub-maps and the six switches.
struct Tvl3ReflectRefractMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[2];
    enum : ParamID { kReflectionMap = 3, kRefractionMap = 4, kFirstSwitch = 8, kLastSwitch = 13 };
};

using Tvl3ReflectRefractMap = ReflectRefractMapStandIn<Tvl3ReflectRefractMapLayout>;
