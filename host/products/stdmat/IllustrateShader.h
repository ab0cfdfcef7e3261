#pragma once

#include "ProductClassIds.h"
#include "ShaderStandIn.h"

// The Illustrate! shader: three toon zones in block 0. Its standard values are not parameters of the
// block but members of the shader, kept with the object and copied with it.
class IllustrateShader : public ShaderStandIn {
public:
    static const StandInClassInfo kInfo;
    enum : ParamID {
        kZone1On = 0,        // int
        kZone2On = 1,        // int
        kZone3On = 2,        // int
        kZone1Width = 3,     // float, fraction
        kZone2Width = 4,     // float, fraction
        kZone3Width = 5,     // float, fraction
        kZone1Color = 6,     // colour
        kZone2Color = 7,     // colour
        kZone3Color = 8,     // colour
        kZone1Amount = 12,   // float, fraction
        kZone2Amount = 13,   // float, fraction
        kZone3Amount = 14,   // float, fraction
        kEdge1 = 15,         // float, fraction
        kEdge2 = 16,         // float, fraction
        kBaseBlend = 19,     // float, fraction
        kDesaturation = 20,  // float, fraction
    };

    IllustrateShader() : IllustrateShader(false) {}

    // Shader
    void SetLockAD(BOOL lock) override;
    BOOL GetLockAD() override { return std_.lockAD; }
    void SetLockDS(BOOL lock) override;
    BOOL GetLockDS() override { return std_.lockDS; }
    void SetAmbientClr(Color c, TimeValue t) override;
    void SetDiffuseClr(Color c, TimeValue t) override;
    void SetSpecularClr(Color c, TimeValue t) override;
    Color GetAmbientClr(TimeValue) override { return std_.ambient; }
    Color GetDiffuseClr(TimeValue) override { return std_.diffuse; }
    Color GetSpecularClr(TimeValue) override { return std_.specular; }
    void SetSpecularLevel(float v, TimeValue t) override;
    void SetGlossiness(float v, TimeValue t) override;
    void SetSoftenLevel(float v, TimeValue t) override;
    float GetSpecularLevel(TimeValue) override { return std_.level; }
    float GetGlossiness(TimeValue) override { return std_.gloss; }
    float GetSoftenLevel(TimeValue) override { return std_.soften; }

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new IllustrateShader(true); }
    void CopyMembers(StandIn* to) override;

private:
    explicit IllustrateShader(bool bare);

    struct StdValues {
        Color ambient{0.1f, 0.1f, 0.1f};
        Color diffuse{0.6f, 0.6f, 0.6f};
        Color specular{0.9f, 0.9f, 0.9f};
        BOOL lockAD = TRUE;
        BOOL lockDS = FALSE;
        float level = 0.0f;
        float gloss = 0.1f;
        float soften = 0.1f;
    };
    StdValues std_;
};
