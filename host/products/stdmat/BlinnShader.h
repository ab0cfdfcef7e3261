#pragma once

#include "ProductClassIds.h"
#include "ShaderStandIn.h"

// The host's default shader. Block 0: the standard values, then the blend that toon-aware materials look
// for.
struct BlinnShaderLayout : StdColorParams {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kParams;
    enum : ParamID {
        kLockAD = 3,         // bool
        kLockDS = 4,         // bool
        kSpecularLevel = 5,  // float, fraction
        kGlossiness = 6,     // float, fraction
        kSoften = 7,         // float, fraction
        kBaseBlend = 16,     // float, 0 by default
    };
};

using BlinnShader = BlockShaderStandIn<BlinnShaderLayout>;
