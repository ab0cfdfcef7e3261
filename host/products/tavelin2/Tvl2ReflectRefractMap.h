#pragma once

#include "ProductClassIds.h"
#include "ReflectRefractMapStandIn.h"

// The Tavelin 2 reflection/refraction map. Block 0 holds the five switches and the two sub-maps.
struct Tvl2ReflectRefractMapLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2* const kBlocks[2];
    enum : BlockID { kMainBlock = 0, kEnvironmentBlock = 1 };
    enum : ParamID {
        kReflectAmount = 0,   // float
        kRefractAmount = 1,   // float
        kTint = 2,            // colour
        kIor = 3,             // float
        kSamples = 4,         // int
        kBlur = 5,            // float
        kReflectOn = 6,       // bool
        kRefractOn = 7,       // bool
        kFresnelOn = 8,       // bool
        kTintOn = 9,          // bool
        kShadowsOn = 10,      // bool
        kReflectionMap = 11,  // map
        kRefractionMap = 12,  // map
        kLegacyFalloff = 13,  // float
        kFirstSwitch = kReflectOn,
        kLastSwitch = kShadowsOn,
    };
};

using Tvl2ReflectRefractMap = ReflectRefractMapStandIn<Tvl2ReflectRefractMapLayout>;
