#pragma once

#include "ProductClassIds.h"
#include "ShaderStandIn.h"

// The host's anisotropic shader: the standard values, the levels and self-illumination of its own, and
// the shape of the highlight, numbered in block 0 as the host numbers them. Soften has no place of the
// host's that the plug-in reads; it sits at 10.
struct AnisotropicShaderLayout : StdColorParams {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kParams;
    enum : ParamID {
        kSelfIllumColor = 3,   // colour
        kDiffuseLevel = 4,     // float, fraction
        kSpecularLevel = 5,    // float, fraction
        kSelfIllumAmount = 6,  // float, fraction
        kGlossiness = 7,       // float, fraction
        kAnisotropy = 8,       // float, fraction
        kOrientation = 9,      // float, fraction
        kSoften = 10,          // float, fraction
        kLockAD = 12,          // bool
        kLockDS = 13,          // bool
        kBaseBlend = 16,       // float, 0 by default
    };
};

using AnisotropicShader = BlockShaderStandIn<AnisotropicShaderLayout>;
