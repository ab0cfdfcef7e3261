#pragma once

#include <vector>

#include "StandIn.h"
#include "shaders.h"
#include "stdmat.h"

// The body of the Standard material and of its variant: a shader at ref 0 and one map per channel in
// the refs after it. Ambient, diffuse and specular colours, shininess and shininess strength are the
// shader's; everything else, self-illumination included, is the material's own. A material may be
// left without a shader (a test hook): its shader values then read as black and zero.
class StdMtlBase : public StandIn<StdMat2> {
public:
    enum : int { kRefShader, kRefFirstMap };

    // One map channel: its slot name, the standard map id it serves (-1: none, the class's own extra
    // map), and its default amount.
    struct MapChannel {
        const MCHAR* name;
        long stdID;
        float amount;
    };

    StdMtlBase(const StandInClassInfo& info, const std::vector<MapChannel>& channels, bool bare);

    int NumChannels() const { return static_cast<int>(channels_.size()); }
    // Replaces the shader; null leaves the material without one.
    void SetShader(Shader* shader) { ReplaceReference(kRefShader, shader); }

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return NumChannels(); }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

    // Mtl: the viewport's colours are the ones at the current time. Declared without default
    // arguments, so that a call with a time alone is not ambiguous with the time-taking getters.
    Color GetAmbient(int mtlNum, BOOL backFace) override;
    Color GetDiffuse(int mtlNum, BOOL backFace) override;
    Color GetSpecular(int mtlNum, BOOL backFace) override;
    float GetShininess(int mtlNum, BOOL backFace) override;
    float GetShinStr(int mtlNum, BOOL backFace) override;
    float GetXParency(int mtlNum, BOOL backFace) override;

    // StdMat
    void SetSoften(BOOL onoff) override;
    void SetFaceMap(BOOL onoff) override;
    void SetTwoSided(BOOL onoff) override;
    void SetWire(BOOL onoff) override;
    void SetWireUnits(BOOL onOff) override;
    void SetFalloffOut(BOOL onOff) override;
    void SetTransparencyType(int type) override;
    void SetAmbient(Color c, TimeValue t) override;
    void SetDiffuse(Color c, TimeValue t) override;
    void SetSpecular(Color c, TimeValue t) override;
    void SetShininess(float v, TimeValue t) override;
    void SetShinStr(float v, TimeValue t) override;
    void SetSelfIllum(float v, TimeValue t) override;
    void SetOpacity(float v, TimeValue t) override;
    void SetOpacFalloff(float v, TimeValue t) override;
    void SetWireSize(float s, TimeValue t) override;
    void SetIOR(float v, TimeValue t) override;
    void LockAmbDiffTex(BOOL onOff) override;

    // Maps are addressed by channel; StdIDToChannel gives the channel of a standard map id.
    void EnableMap(int id, BOOL onoff) override;
    BOOL MapEnabled(int id) override;
    void SetTexmapAmt(int id, float amt, TimeValue t) override;
    float GetTexmapAmt(int id, TimeValue t) override;

    BOOL GetSoften() override { return props_.soften; }
    BOOL GetFaceMap() override { return props_.faceMap; }
    BOOL GetTwoSided() override { return props_.twoSided; }
    BOOL GetWire() override { return props_.wire; }
    BOOL GetWireUnits() override { return props_.wireUnits; }
    BOOL GetFalloffOut() override { return props_.falloffOut; }
    int GetTransparencyType() override { return props_.transparencyType; }
    Color GetAmbient(TimeValue t) override;
    Color GetDiffuse(TimeValue t) override;
    Color GetSpecular(TimeValue t) override;
    float GetShininess(TimeValue t) override;
    float GetShinStr(TimeValue t) override;
    float GetSelfIllum(TimeValue) override { return props_.selfIllum; }
    float GetOpacity(TimeValue) override { return props_.opacity; }
    float GetOpacFalloff(TimeValue) override { return props_.opacFalloff; }
    float GetWireSize(TimeValue) override { return props_.wireSize; }
    float GetIOR(TimeValue) override { return props_.ior; }
    BOOL GetLockAmbDiffTex() override { return props_.lockAmbDiffTex; }

    // StdMat2
    // Makes a shader of the class asked for through the host's registry and hands it the old shader's
    // standard values; refused (FALSE, nothing changed) when the class cannot be made.
    BOOL SwitchShader(Class_ID id) override;
    Shader* GetShader() override;
    BOOL IsFaceted() override { return props_.faceted; }
    void SetFaceted(BOOL on) override;
    long StdIDToChannel(long id) override;
    BOOL GetSelfIllumColorOn(int mtlNum = 0, BOOL backFace = FALSE) override {
        (void)mtlNum;
        (void)backFace;
        return props_.selfIllumColorOn;
    }
    Color GetSelfIllumColor(TimeValue) override { return props_.selfIllumColor; }
    void SetSelfIllumColorOn(BOOL on) override;
    void SetSelfIllumColor(Color c, TimeValue t) override;

protected:
    // StandIn
    void CopyMembers(StandIn* to) override;

private:
    // The material's own values. Times are accepted and not used: none of these is animated.
    struct Props {
        BOOL soften = FALSE;
        BOOL faceMap = FALSE;
        BOOL twoSided = FALSE;
        BOOL wire = FALSE;
        BOOL wireUnits = FALSE;
        BOOL falloffOut = FALSE;
        BOOL faceted = FALSE;
        BOOL lockAmbDiffTex = TRUE;
        int transparencyType = 0;
        float opacity = 1.0f;
        float opacFalloff = 0.0f;
        float wireSize = 1.0f;
        float ior = 1.5f;
        float selfIllum = 0.0f;
        Color selfIllumColor;
        BOOL selfIllumColorOn = FALSE;
    };
    bool IsChannel(int ch) const { return ch >= 0 && ch < NumChannels(); }

    const std::vector<MapChannel>& channels_;
    Props props_;
    // Per channel, sized once at construction so that undo records may point into them.
    std::vector<BOOL> mapOn_;
    std::vector<float> mapAmount_;
};
