#include "FinalToonShader.h"

#include "Products.h"

const StandInClassInfo FinalToonShaderLayout::kInfo = {
    SHADER_CLASS_ID, FINALTOON_SHADER_CLASS_ID, _M("finalToon"), _M("FinalToonShader"), PRODUCT_FINALTOON};

const ParamBlockDesc2 FinalToonShaderLayout::kParams(
    0, _M("finalToonParams"),
    {
        ParamDef::Rgba(kAmbient, _M("ambient"), Color(0.1f, 0.1f, 0.1f)),
        ParamDef::Rgba(kDiffuse, _M("diffuse"), Color(0.6f, 0.6f, 0.6f)),
        ParamDef::Rgba(kSpecular, _M("specular"), Color(0.9f, 0.9f, 0.9f)),
        ParamDef::Int(kLockAD, _M("lockAD"), 1),
        ParamDef::Int(kLockDS, _M("lockDS"), 0),
        ParamDef::Float(kSpecularLevel, _M("specularLevel"), 0.0f),
        ParamDef::Float(kGlossiness, _M("glossiness"), 0.1f),
        ParamDef::Float(kSoften, _M("soften"), 0.1f),
        ParamDef::Float(kBaseBlend, _M("baseBlend"), 0.0f),
        ParamDef::Int(kZone1On, _M("zone1On"), 1),
        ParamDef::Int(kZone2On, _M("zone2On"), 1),
        ParamDef::Int(kZone3On, _M("zone3On"), 0),
        ParamDef::Rgba(kZone1Color, _M("zone1Color"), Color(0.3f, 0.3f, 0.3f)),
        ParamDef::Rgba(kZone2Color, _M("zone2Color"), Color(0.7f, 0.7f, 0.7f)),
        ParamDef::Rgba(kZone3Color, _M("zone3Color"), Color(1.0f, 1.0f, 1.0f)),
        ParamDef::Float(kZone1Amount, _M("zone1Amount"), 100.0f),
        ParamDef::Float(kZone2Amount, _M("zone2Amount"), 100.0f),
        ParamDef::Float(kZone3Amount, _M("zone3Amount"), 100.0f),
        ParamDef::Float(kEdge1, _M("edge1"), 0.1f),
        ParamDef::Float(kEdge2, _M("edge2"), 0.1f),
        ParamDef::Float(kZone1Width, _M("zone1Width"), 40.0f),
        ParamDef::Float(kZone3Width, _M("zone3Width"), 20.0f),
    });
