#include "AnisotropicShader.h"

#include "Products.h"

const StandInClassInfo AnisotropicShaderLayout::kInfo = {
    SHADER_CLASS_ID, ANISOTROPIC_SHADER_CLASS_ID, _M("Anisotropic"), _M("AnisotropicShader"), PRODUCT_HOST};

const ParamBlockDesc2 AnisotropicShaderLayout::kParams(
    0, _M("anisotropicParams"),
    {
        ParamDef::Rgba(kAmbient, _M("ambient"), Color(0.1f, 0.1f, 0.1f)),
        ParamDef::Rgba(kDiffuse, _M("diffuse"), Color(0.6f, 0.6f, 0.6f)),
        ParamDef::Rgba(kSpecular, _M("specular"), Color(0.9f, 0.9f, 0.9f)),
        ParamDef::Rgba(kSelfIllumColor, _M("selfIllumColor"), Color(0.0f, 0.0f, 0.0f)),
        ParamDef::Float(kDiffuseLevel, _M("diffuseLevel"), 1.0f),
        ParamDef::Float(kSpecularLevel, _M("specularLevel"), 0.0f),
        ParamDef::Float(kSelfIllumAmount, _M("selfIllumAmount"), 0.0f),
        ParamDef::Float(kGlossiness, _M("glossiness"), 0.1f),
        ParamDef::Float(kAnisotropy, _M("anisotropy"), 0.5f),
        ParamDef::Float(kOrientation, _M("orientation"), 0.0f),
        ParamDef::Float(kSoften, _M("soften"), 0.1f),
        ParamDef::Int(kLockAD, _M("lockAD"), TRUE, TYPE_BOOL),
        ParamDef::Int(kLockDS, _M("lockDS"), FALSE, TYPE_BOOL),
        ParamDef::Float(kBaseBlend, _M("baseBlend"), 0.0f),
    });
