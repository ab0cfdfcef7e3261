#pragma once

#include "imtl.h"

// Map channels of the Standard material.
#define ID_AM 0   // ambient
#define ID_DI 1   // diffuse
#define ID_SP 2   // specular
#define ID_SH 3   // glossiness (shininess)
#define ID_SS 4   // specular level (shininess strength)
#define ID_SI 5   // self-illumination
#define ID_OP 6   // opacity
#define ID_FI 7   // filter colour
#define ID_BU 8   // bump
#define ID_RL 9   // reflection
#define ID_RR 10  // refraction
#define ID_DP 11  // displacement
#define NTEXMAPS 12

// The shading model of a Standard material; shaders.h defines it.
class Shader;

// The Standard material's operations.
class CoreExport StdMat : public Mtl {
public:
    ~StdMat() override;
    virtual void SetSoften(BOOL onoff) = 0;
    virtual void SetFaceMap(BOOL onoff) = 0;
    virtual void SetTwoSided(BOOL onoff) = 0;
    virtual void SetWire(BOOL onoff) = 0;
    virtual void SetWireUnits(BOOL onOff) = 0;
    virtual void SetFalloffOut(BOOL onOff) = 0;
    virtual void SetTransparencyType(int type) = 0;
    virtual void SetAmbient(Color c, TimeValue t) = 0;
    virtual void SetDiffuse(Color c, TimeValue t) = 0;
    virtual void SetSpecular(Color c, TimeValue t) = 0;
    virtual void SetShininess(float v, TimeValue t) = 0;
    virtual void SetShinStr(float v, TimeValue t) = 0;
    virtual void SetSelfIllum(float v, TimeValue t) = 0;
    virtual void SetOpacity(float v, TimeValue t) = 0;
    virtual void SetOpacFalloff(float v, TimeValue t) = 0;
    virtual void SetWireSize(float s, TimeValue t) = 0;
    virtual void SetIOR(float v, TimeValue t) = 0;
    virtual void LockAmbDiffTex(BOOL onOff) = 0;
    virtual BOOL GetLockAmbDiffTex() = 0;

    virtual void EnableMap(int id, BOOL onoff) = 0;
    virtual BOOL MapEnabled(int id) = 0;
    virtual void SetTexmapAmt(int id, float amt, TimeValue t) = 0;
    virtual float GetTexmapAmt(int id, TimeValue t) = 0;

    virtual BOOL GetSoften() = 0;
    virtual BOOL GetFaceMap() = 0;
    virtual BOOL GetTwoSided() = 0;
    virtual BOOL GetWire() = 0;
    virtual BOOL GetWireUnits() = 0;
    virtual BOOL GetFalloffOut() = 0;
    virtual int GetTransparencyType() = 0;

    // The time-taking getters hide Mtl's viewport getters, as in the host's own headers.
    virtual Color GetAmbient(TimeValue t) = 0;
    virtual Color GetDiffuse(TimeValue t) = 0;
    virtual Color GetSpecular(TimeValue t) = 0;
    virtual float GetShininess(TimeValue t) = 0;
    virtual float GetShinStr(TimeValue t) = 0;
    virtual float GetSelfIllum(TimeValue t) = 0;
    virtual float GetOpacity(TimeValue t) = 0;
    virtual float GetOpacFalloff(TimeValue t) = 0;
    virtual float GetWireSize(TimeValue t) = 0;
    virtual float GetIOR(TimeValue t) = 0;
};

class CoreExport StdMat2 : public StdMat {
public:
    ~StdMat2() override;
    virtual BOOL SwitchShader(Class_ID id) = 0;
    virtual Shader* GetShader() = 0;
    virtual BOOL IsFaceted() = 0;
    virtual void SetFaceted(BOOL on) = 0;
    virtual long StdIDToChannel(long id) = 0;

    virtual BOOL GetSelfIllumColorOn(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual Color GetSelfIllumColor(TimeValue t) = 0;
    virtual void SetSelfIllumColorOn(BOOL on) = 0;
    virtual void SetSelfIllumColor(Color c, TimeValue t) = 0;
};
