#pragma once

#include "ProductClassIds.h"
#include "ReflectRefractMapStandIn.h"

// The Tavelin 3 reflection/refraction map. Block 0 holds the two sub-maps and the six switches.
struct Tvl3ReflectRefractMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[2];
    enum : BlockID { kMainBlock = 0, kEnvironmentBlock = 1 };
    enum : ParamID {
        kReflectAmount = 0,  // float
        kRefractAmount = 1,  // float
        kTint = 2,           // colour
        kReflectionMap = 3,  // map
        kRefractionMap = 4,  // map
        kIor = 5,            // float
        kSamples = 6,        // int
        kBlur = 7,           // int
        kOutlineOff = 8,     // bool
        kReflectOff = 9,     // bool
        kRefractOff = 10,    // bool
        kFresnelOff = 11,    // bool
        kTintOff = 12,       // bool
        kShadowsOff = 13,    // bool
        kFirstSwitch = kOutlineOff,
        kLastSwitch = kShadowsOff,
    };
};

using Tvl3ReflectRefractMap = ReflectRefractMapStandIn<Tvl3ReflectRefractMapLayout>;
