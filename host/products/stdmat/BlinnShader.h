#pragma once

#include "ProductClassIds.h"
#include "ShaderStandIn.h"

// The host's default shader.
class BlinnShader : public BlockShader {
public:
    static const StandInClassInfo kInfo;
    // Block 0: the standard values, then the blend that toon-aware materials look for.
    enum : ParamID {
        kAmbient = 0,        // colour
        kDiffuse = 1,        // colour
        kSpecular = 2,       // colour
        kLockAD = 3,         // bool
        kLockDS = 4,         // bool
        kSpecularLevel = 5,  // float, fraction
        kGlossiness = 6,     // float, fraction
        kSoften = 7,         // float, fraction
        kBaseBlend = 16,     // float, 0 by default
    };

    BlinnShader() : BlinnShader(false) {}

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new BlinnShader(true); }

private:
    explicit BlinnShader(bool bare);
};
