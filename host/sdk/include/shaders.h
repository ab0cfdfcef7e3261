#pragma once

#include "color.h"
#include "sfx.h"

// Class ids of the host's standard shaders.
#define STDSHADERS_CLASS_ID 0x00000035
#define BLINNClassID (STDSHADERS_CLASS_ID + 3)

// What a shader tells the interactive renderer about re-shading. Shaders that need nothing say so.
class CoreExport IReshading {
public:
    enum ReshadeRequirements { RR_None = 0, RR_NeedPreshade, RR_NeedReshade };
    virtual ~IReshading();
    virtual ReshadeRequirements GetReshadeRequirements() { return RR_None; }
};

// The base of the shaders: a special effect of the shader super class.
class CoreExport BaseShader : public SpecialFX {
public:
    ~BaseShader() override;
    SClass_ID SuperClassID() override { return SHADER_CLASS_ID; }
};

// The shading model of a Standard material: its standard values live in the shader.
class CoreExport Shader : public BaseShader, public IReshading {
public:
    ~Shader() override;

    // Takes the standard values (colours, levels, locks) of another shader.
    virtual void CopyStdParams(Shader* from) = 0;

    virtual void SetLockAD(BOOL lock) = 0;
    virtual BOOL GetLockAD() = 0;
    virtual void SetLockDS(BOOL lock) = 0;
    virtual BOOL GetLockDS() = 0;

    virtual void SetAmbientClr(Color c, TimeValue t) = 0;
    virtual void SetDiffuseClr(Color c, TimeValue t) = 0;
    virtual void SetSpecularClr(Color c, TimeValue t) = 0;
    virtual Color GetAmbientClr(TimeValue t) = 0;
    virtual Color GetDiffuseClr(TimeValue t) = 0;
    virtual Color GetSpecularClr(TimeValue t) = 0;

    virtual void SetSpecularLevel(float v, TimeValue t) = 0;
    virtual void SetGlossiness(float v, TimeValue t) = 0;
    virtual void SetSoftenLevel(float v, TimeValue t) = 0;
    virtual float GetSpecularLevel(TimeValue t) = 0;
    virtual float GetGlossiness(TimeValue t) = 0;
    virtual float GetSoftenLevel(TimeValue t) = 0;

    // The map channel of a standard map id (ID_AM ... ID_DP) in this shader's materials.
    virtual long StdIDToChannel(long id) { return id; }
};
