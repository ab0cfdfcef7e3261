#pragma once

#include "StandIn.h"
#include "shaders.h"

// The body shared by the shader stand-ins: block 0 (ID 0) at ref 0, and the copy of the standard values
// that a Standard material asks for when it changes shaders. The locks are flags for the editor only:
// locked colours are still kept apart, so a caller that sets ambient, then diffuse, gets both.
class ShaderStandIn : public StandIn<Shader> {
public:
    enum : int { kRefBlock, kNumRefs };
    enum : BlockID { kMainBlock = 0 };

    ShaderStandIn(const StandInClassInfo& info, const ParamBlockDesc2* params, bool bare);

    // Shader
    void CopyStdParams(Shader* from) override;

protected:
    IParamBlock2* Params() { return BlockAt(kRefBlock); }
};

// Where a shader keeps its standard values in block 0.
struct StdParamIDs {
    ParamID ambient, diffuse, specular;  // colours
    ParamID lockAD, lockDS;              // ints or bools
    ParamID level, gloss, soften;        // floats, fractions
};

// A shader whose standard values are parameters of its block 0. Without the block they read as black
// and zero, and writes are dropped.
class BlockShader : public ShaderStandIn {
public:
    BlockShader(const StandInClassInfo& info, const ParamBlockDesc2* params, const StdParamIDs& ids,
                bool bare);

    // Shader
    void SetLockAD(BOOL lock) override { SetInt(ids_.lockAD, lock); }
    BOOL GetLockAD() override { return GetInt(ids_.lockAD); }
    void SetLockDS(BOOL lock) override { SetInt(ids_.lockDS, lock); }
    BOOL GetLockDS() override { return GetInt(ids_.lockDS); }

    void SetAmbientClr(Color c, TimeValue t) override { SetColor(ids_.ambient, c, t); }
    void SetDiffuseClr(Color c, TimeValue t) override { SetColor(ids_.diffuse, c, t); }
    void SetSpecularClr(Color c, TimeValue t) override { SetColor(ids_.specular, c, t); }
    Color GetAmbientClr(TimeValue t) override { return GetColor(ids_.ambient, t); }
    Color GetDiffuseClr(TimeValue t) override { return GetColor(ids_.diffuse, t); }
    Color GetSpecularClr(TimeValue t) override { return GetColor(ids_.specular, t); }

    void SetSpecularLevel(float v, TimeValue t) override { SetFloat(ids_.level, v, t); }
    void SetGlossiness(float v, TimeValue t) override { SetFloat(ids_.gloss, v, t); }
    void SetSoftenLevel(float v, TimeValue t) override { SetFloat(ids_.soften, v, t); }
    float GetSpecularLevel(TimeValue t) override { return GetFloat(ids_.level, t); }
    float GetGlossiness(TimeValue t) override { return GetFloat(ids_.gloss, t); }
    float GetSoftenLevel(TimeValue t) override { return GetFloat(ids_.soften, t); }

private:
    void SetInt(ParamID id, int v);
    int GetInt(ParamID id);
    void SetColor(ParamID id, Color c, TimeValue t);
    Color GetColor(ParamID id, TimeValue t);
    void SetFloat(ParamID id, float v, TimeValue t);
    float GetFloat(ParamID id, TimeValue t);

    const StdParamIDs& ids_;
};

// The standard colours, which every block shader keeps first in its block 0.
struct StdColorParams {
    enum : ParamID { kAmbient = 0, kDiffuse = 1, kSpecular = 2 };
};

// A shader stand-in of the BlockShader kind. Layout names its class (kInfo), its block 0 (kParams) and
// its parameter IDs, the standard values among them under their standard names.
template <class Layout>
class BlockShaderStandIn : public BlockShader, public Layout {
public:
    static constexpr StdParamIDs kStdIDs = {Layout::kAmbient,    Layout::kDiffuse, Layout::kSpecular,
                                            Layout::kLockAD,     Layout::kLockDS,  Layout::kSpecularLevel,
                                            Layout::kGlossiness, Layout::kSoften};

    BlockShaderStandIn() : BlockShaderStandIn(false) {}

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new BlockShaderStandIn(true); }

private:
    explicit BlockShaderStandIn(bool bare) : BlockShader(Layout::kInfo, &Layout::kParams, kStdIDs, bare) {}
};
