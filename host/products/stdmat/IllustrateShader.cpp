#include "IllustrateShader.h"

#include "Products.h"
#include "hostclasses/HeldMember.h"

const StandInClassInfo IllustrateShader::kInfo = {SHADER_CLASS_ID, ILLUSTRATE_SHADER_CLASS_ID,
                                                  _M("Illustrate!"), _M("IllustrateShader"),
                                                  PRODUCT_ILLUSTRATE};

namespace {

using I = IllustrateShader;

const ParamBlockDesc2 kParams(0, _M("illustrateParams"),
                              {
                                  ParamDef::Int(I::kZone1On, _M("zone1On"), 1),
                                  ParamDef::Int(I::kZone2On, _M("zone2On"), 1),
                                  ParamDef::Int(I::kZone3On, _M("zone3On"), 1),
                                  ParamDef::Float(I::kZone1Width, _M("zone1Width"), 0.3f),
                                  ParamDef::Float(I::kZone2Width, _M("zone2Width"), 0.4f),
                                  ParamDef::Float(I::kZone3Width, _M("zone3Width"), 0.3f),
                                  ParamDef::Rgba(I::kZone1Color, _M("zone1Color"), Color(0.3f, 0.3f, 0.3f)),
                                  ParamDef::Rgba(I::kZone2Color, _M("zone2Color"), Color(0.7f, 0.7f, 0.7f)),
                                  ParamDef::Rgba(I::kZone3Color, _M("zone3Color"), Color(1.0f, 1.0f, 1.0f)),
                                  ParamDef::Float(I::kZone1Amount, _M("zone1Amount"), 1.0f),
                                  ParamDef::Float(I::kZone2Amount, _M("zone2Amount"), 1.0f),
                                  ParamDef::Float(I::kZone3Amount, _M("zone3Amount"), 1.0f),
                                  ParamDef::Float(I::kEdge1, _M("edge1"), 0.05f),
                                  ParamDef::Float(I::kEdge2, _M("edge2"), 0.05f),
                                  ParamDef::Float(I::kBaseBlend, _M("baseBlend"), 0.0f),
                                  ParamDef::Float(I::kDesaturation, _M("desaturation"), 0.0f),
                              });

}  // namespace

IllustrateShader::IllustrateShader(bool bare) : ShaderStandIn(kInfo, &kParams, bare) {}

void IllustrateShader::SetLockAD(BOOL lock) { SetHeldMember(this, std_.lockAD, lock); }
void IllustrateShader::SetLockDS(BOOL lock) { SetHeldMember(this, std_.lockDS, lock); }
void IllustrateShader::SetAmbientClr(Color c, TimeValue) { SetHeldMember(this, std_.ambient, c); }
void IllustrateShader::SetDiffuseClr(Color c, TimeValue) { SetHeldMember(this, std_.diffuse, c); }
void IllustrateShader::SetSpecularClr(Color c, TimeValue) { SetHeldMember(this, std_.specular, c); }
void IllustrateShader::SetSpecularLevel(float v, TimeValue) { SetHeldMember(this, std_.level, v); }
void IllustrateShader::SetGlossiness(float v, TimeValue) { SetHeldMember(this, std_.gloss, v); }
void IllustrateShader::SetSoftenLevel(float v, TimeValue) { SetHeldMember(this, std_.soften, v); }

void IllustrateShader::CopyMembers(StandIn* to) { static_cast<IllustrateShader*>(to)->std_ = std_; }
