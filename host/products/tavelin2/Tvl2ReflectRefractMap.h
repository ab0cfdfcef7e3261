#pragma once

#include "ProductClassIds.h"
#include "ReflectRefractMapStandIn.h"

// The Tavelin 2 reflection/refraction map. Block 0 holds the five switches and the two sub-maps.
struct Tvl2ReflectRefractMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[2];
    enum : ParamID { kFirstSwitch = 6, kLastSwitch = 10, kReflectionMap = 11, kRefractionMap = 12 };
};

using Tvl2ReflectRefractMap = ReflectRefractMapStandIn<Tvl2ReflectRefractMapLayout>;
