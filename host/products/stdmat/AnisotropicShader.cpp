#include "AnisotropicShader.h"

#include "Products.h"

const StandInClassInfo AnisotropicShader::kInfo = {SHADER_CLASS_ID, ANISOTROPIC_SHADER_CLASS_ID,
                                                   _M("Anisotropic"), _M("AnisotropicShader"), PRODUCT_HOST};

namespace {

using A = AnisotropicShader;

const ParamBlockDesc2 kParams(0, _M("anisotropicParams"),
                              {
                                  ParamDef::Rgba(A::kAmbient, _M("ambient"), Color(0.1f, 0.1f, 0.1f)),
                                  ParamDef::Rgba(A::kDiffuse, _M("diffuse"), Color(0.6f, 0.6f, 0.6f)),
                                  ParamDef::Rgba(A::kSpecular, _M("specular"), Color(0.9f, 0.9f, 0.9f)),
                                  ParamDef::Int(A::kLockAD, _M("lockAD"), TRUE, TYPE_BOOL),
                                  ParamDef::Int(A::kLockDS, _M("lockDS"), FALSE, TYPE_BOOL),
                                  ParamDef::Float(A::kSpecularLevel, _M("specularLevel"), 0.0f),
                                  ParamDef::Float(A::kGlossiness, _M("glossiness"), 0.1f),
                                  ParamDef::Float(A::kSoften, _M("soften"), 0.1f),
                                  ParamDef::Float(A::kAnisotropy, _M("anisotropy"), 0.5f),
                                  ParamDef::Float(A::kOrientation, _M("orientation"), 0.0f),
                                  ParamDef::Float(A::kBaseBlend, _M("baseBlend"), 0.0f),
                              });

const StdParamIDs kStdIDs = {A::kAmbient, A::kDiffuse,       A::kSpecular,   A::kLockAD,
                             A::kLockDS,  A::kSpecularLevel, A::kGlossiness, A::kSoften};

}  // namespace

AnisotropicShader::AnisotropicShader(bool bare) : BlockShader(kInfo, &kParams, kStdIDs, bare) {}
