#include "BlinnShader.h"

#include "Products.h"

const StandInClassInfo BlinnShader::kInfo = {SHADER_CLASS_ID, BLINN_SHADER_CLASS_ID, _M("Blinn"),
                                             _M("BlinnShader"), PRODUCT_HOST};

namespace {

using B = BlinnShader;

const ParamBlockDesc2 kParams(0, _M("blinnParams"),
                              {
                                  ParamDef::Rgba(B::kAmbient, _M("ambient"), Color(0.1f, 0.1f, 0.1f)),
                                  ParamDef::Rgba(B::kDiffuse, _M("diffuse"), Color(0.6f, 0.6f, 0.6f)),
                                  ParamDef::Rgba(B::kSpecular, _M("specular"), Color(0.9f, 0.9f, 0.9f)),
                                  ParamDef::Int(B::kLockAD, _M("lockAD"), TRUE, TYPE_BOOL),
                                  ParamDef::Int(B::kLockDS, _M("lockDS"), FALSE, TYPE_BOOL),
                                  ParamDef::Float(B::kSpecularLevel, _M("specularLevel"), 0.0f),
                                  ParamDef::Float(B::kGlossiness, _M("glossiness"), 0.1f),
                                  ParamDef::Float(B::kSoften, _M("soften"), 0.1f),
                                  ParamDef::Float(B::kBaseBlend, _M("baseBlend"), 0.0f),
                              });

const StdParamIDs kStdIDs = {B::kAmbient, B::kDiffuse,       B::kSpecular,   B::kLockAD,
                             B::kLockDS,  B::kSpecularLevel, B::kGlossiness, B::kSoften};

}  // namespace

BlinnShader::BlinnShader(bool bare) : BlockShader(kInfo, &kParams, kStdIDs, bare) {}
