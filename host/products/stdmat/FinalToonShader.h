#pragma once

#include "ProductClassIds.h"
#include "ShaderStandIn.h"

// The finalToon shader: standard values and up to three toon zones in block 0.
struct FinalToonShaderLayout : StdColorParams {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kParams;
    enum : ParamID {
        kLockAD = 3,         // int
        kLockDS = 4,         // int
        kSpecularLevel = 8,  // float, fraction
        kGlossiness = 9,     // float, fraction
        kSoften = 10,        // float, fraction
        kBaseBlend = 16,     // float; 0: the zone colours stand alone
        kZone1On = 20,       // int
        kZone2On = 21,       // int
        kZone3On = 22,       // int
        kZone1Color = 23,    // colour
        kZone2Color = 24,    // colour
        kZone3Color = 25,    // colour
        kZone1Amount = 26,   // float, percent
        kZone2Amount = 27,   // float, percent
        kZone3Amount = 28,   // float, percent
        kEdge1 = 29,         // float, fraction
        kEdge2 = 30,         // float, fraction
        kZone1Width = 31,    // float, percent
        kZone3Width = 32,    // float, percent
    };
};

using FinalToonShader = BlockShaderStandIn<FinalToonShaderLayout>;
