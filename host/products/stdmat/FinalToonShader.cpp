#include "FinalToonShader.h"

#include "Products.h"

const StandInClassInfo FinalToonShader::kInfo = {SHADER_CLASS_ID, FINALTOON_SHADER_CLASS_ID, _M("finalToon"),
                                                 _M("FinalToonShader"), PRODUCT_FINALTOON};

namespace {

using F = FinalToonShader;

const ParamBlockDesc2 kParams(0, _M("finalToonParams"),
                              {
                                  ParamDef::Rgba(F::kAmbient, _M("ambient"), Color(0.1f, 0.1f, 0.1f)),
                                  ParamDef::Rgba(F::kDiffuse, _M("diffuse"), Color(0.6f, 0.6f, 0.6f)),
                                  ParamDef::Rgba(F::kSpecular, _M("specular"), Color(0.9f, 0.9f, 0.9f)),
                                  ParamDef::Int(F::kLockAD, _M("lockAD"), 1),
                                  ParamDef::Int(F::kLockDS, _M("lockDS"), 0),
                                  ParamDef::Float(F::kSpecularLevel, _M("specularLevel"), 0.0f),
                                  ParamDef::Float(F::kGlossiness, _M("glossiness"), 0.1f),
                                  ParamDef::Float(F::kSoften, _M("soften"), 0.1f),
                                  ParamDef::Float(F::kBaseBlend, _M("baseBlend"), 0.0f),
                                  ParamDef::Int(F::kZone1On, _M("zone1On"), 1),
                                  ParamDef::Int(F::kZone2On, _M("zone2On"), 1),
                                  ParamDef::Int(F::kZone3On, _M("zone3On"), 0),
                                  ParamDef::Rgba(F::kZone1Color, _M("zone1Color"), Color(0.3f, 0.3f, 0.3f)),
                                  ParamDef::Rgba(F::kZone2Color, _M("zone2Color"), Color(0.7f, 0.7f, 0.7f)),
                                  ParamDef::Rgba(F::kZone3Color, _M("zone3Color"), Color(1.0f, 1.0f, 1.0f)),
                                  ParamDef::Float(F::kZone1Amount, _M("zone1Amount"), 100.0f),
                                  ParamDef::Float(F::kZone2Amount, _M("zone2Amount"), 100.0f),
                                  ParamDef::Float(F::kZone3Amount, _M("zone3Amount"), 100.0f),
                                  ParamDef::Float(F::kEdge1, _M("edge1"), 0.1f),
                                  ParamDef::Float(F::kEdge2, _M("edge2"), 0.1f),
                                  ParamDef::Float(F::kZone1Width, _M("zone1Width"), 40.0f),
                                  ParamDef::Float(F::kZone3Width, _M("zone3Width"), 20.0f),
                              });

const StdParamIDs kStdIDs = {F::kAmbient, F::kDiffuse,       F::kSpecular,   F::kLockAD,
                             F::kLockDS,  F::kSpecularLevel, F::kGlossiness, F::kSoften};

}  // namespace

FinalToonShader::FinalToonShader(bool bare) : BlockShader(kInfo, &kParams, kStdIDs, bare) {}
