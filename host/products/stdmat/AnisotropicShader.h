#pragma once

#include "ProductClassIds.h"
#include "ShaderStandIn.h"

// The host's anisotropic shader: Blinn's standard values plus the shape of the highlight.
class AnisotropicShader : public BlockShader {
public:
    static const StandInClassInfo kInfo;
    enum : ParamID {
        kAmbient = 0,        // colour
        kDiffuse = 1,        // colour
        kSpecular = 2,       // colour
        kLockAD = 3,         // bool
        kLockDS = 4,         // bool
        kSpecularLevel = 5,  // float, fraction
        kGlossiness = 6,     // float, fraction
        kSoften = 7,         // float, fraction
        kAnisotropy = 8,     // float, fraction
        kOrientation = 9,    // float, fraction
        kBaseBlend = 16,     // float, 0 by default
    };

    AnisotropicShader() : AnisotropicShader(false) {}

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new AnisotropicShader(true); }

private:
    explicit AnisotropicShader(bool bare);
};
