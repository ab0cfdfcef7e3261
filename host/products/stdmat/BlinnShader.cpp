#include "BlinnShader.h"

#include "Products.h"

const StandInClassInfo BlinnShaderLayout::kInfo = {SHADER_CLASS_ID, BLINN_SHADER_CLASS_ID, _M("Blinn"),
                                                   _M("BlinnShader"), PRODUCT_HOST};

const ParamBlockDesc2 BlinnShaderLayout::kParams(
    0, _M("blinnParams"),
    {
        ParamDef::Rgba(kAmbient, _M("ambient"), Color(0.1f, 0.1f, 0.1f)),
        ParamDef::Rgba(kDiffuse, _M("diffuse"), Color(0.6f, 0.6f, 0.6f)),
        ParamDef::Rgba(kSpecular, _M("specular"), Color(0.9f, 0.9f, 0.9f)),
        ParamDef::Int(kLockAD, _M("lockAD"), TRUE, TYPE_BOOL),
        ParamDef::Int(kLockDS, _M("lockDS"), FALSE, TYPE_BOOL),
        ParamDef::Float(kSpecularLevel, _M("specularLevel"), 0.0f),
        ParamDef::Float(kGlossiness, _M("glossiness"), 0.1f),
        ParamDef::Float(kSoften, _M("soften"), 0.1f),
        ParamDef::Float(kBaseBlend, _M("baseBlend"), 0.0f),
    });
