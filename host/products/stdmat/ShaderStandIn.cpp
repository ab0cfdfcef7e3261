#include "ShaderStandIn.h"

ShaderStandIn::ShaderStandIn(const StandInClassInfo& info, const ParamBlockDesc2* params, bool bare)
    : StandIn(info, kNumRefs, {{kRefBlock, params}}, bare) {}

void ShaderStandIn::CopyStdParams(Shader* from) {
    if (!from || from == this) return;
    TimeValue t = GetCOREInterface()->GetTime();
    SetLockAD(from->GetLockAD());
    SetLockDS(from->GetLockDS());
    SetAmbientClr(from->GetAmbientClr(t), t);
    SetDiffuseClr(from->GetDiffuseClr(t), t);
    SetSpecularClr(from->GetSpecularClr(t), t);
    SetSpecularLevel(from->GetSpecularLevel(t), t);
    SetGlossiness(from->GetGlossiness(t), t);
    SetSoftenLevel(from->GetSoftenLevel(t), t);
}

// ---- BlockShader ----

BlockShader::BlockShader(const StandInClassInfo& info, const ParamBlockDesc2* params, const StdParamIDs& ids,
                         bool bare)
    : ShaderStandIn(info, params, bare), ids_(ids) {}

void BlockShader::SetInt(ParamID id, int v) {
    if (IParamBlock2* pb = Params()) pb->SetValue(id, 0, v);
}

int BlockShader::GetInt(ParamID id) { return Params() ? Params()->GetInt(id) : 0; }

void BlockShader::SetColor(ParamID id, Color c, TimeValue t) {
    if (IParamBlock2* pb = Params()) pb->SetValue(id, t, c);
}

Color BlockShader::GetColor(ParamID id, TimeValue t) {
    return Params() ? Params()->GetColor(id, t) : Color();
}

void BlockShader::SetFloat(ParamID id, float v, TimeValue t) {
    if (IParamBlock2* pb = Params()) pb->SetValue(id, t, v);
}

float BlockShader::GetFloat(ParamID id, TimeValue t) { return Params() ? Params()->GetFloat(id, t) : 0.0f; }
