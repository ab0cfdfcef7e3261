#include "Tvl2ReflectRefractMap.h"

#include "Products.h"

namespace {

// Block 0. Parameter 5 is a float where Tavelin 3 has an int; 13 has no Tavelin 3 counterpart.
const ParamBlockDesc2 kMainBlockDesc(
    Tvl2ReflectRefractMapLayout::kMainBlock, _M("reflectRefract"),
    {
        ParamDef::Float(Tvl2ReflectRefractMapLayout::kReflectAmount, _M("reflectAmount"), 60.0f),
        ParamDef::Float(Tvl2ReflectRefractMapLayout::kRefractAmount, _M("refractAmount"), 70.0f),
        ParamDef::Rgba(Tvl2ReflectRefractMapLayout::kTint, _M("tint"), Color(0.5f, 0.6f, 0.7f)),
        ParamDef::Float(Tvl2ReflectRefractMapLayout::kIor, _M("ior"), 80.0f),
        ParamDef::Int(Tvl2ReflectRefractMapLayout::kSamples, _M("samples"), 4),
        ParamDef::Float(Tvl2ReflectRefractMapLayout::kBlur, _M("blur"), 0.9f),
        ParamDef::Int(Tvl2ReflectRefractMapLayout::kReflectOn, _M("reflectOn"), 1, TYPE_BOOL),
        ParamDef::Int(Tvl2ReflectRefractMapLayout::kRefractOn, _M("refractOn"), 0, TYPE_BOOL),
        ParamDef::Int(Tvl2ReflectRefractMapLayout::kFresnelOn, _M("fresnelOn"), 1, TYPE_BOOL),
        ParamDef::Int(Tvl2ReflectRefractMapLayout::kTintOn, _M("tintOn"), 0, TYPE_BOOL),
        ParamDef::Int(Tvl2ReflectRefractMapLayout::kShadowsOn, _M("shadowsOn"), 1, TYPE_BOOL),
        ParamDef::Ref(Tvl2ReflectRefractMapLayout::kReflectionMap, _M("reflectionMap"), TYPE_TEXMAP),
        ParamDef::Ref(Tvl2ReflectRefractMapLayout::kRefractionMap, _M("refractionMap"), TYPE_TEXMAP),
        ParamDef::Float(Tvl2ReflectRefractMapLayout::kLegacyFalloff, _M("legacyFalloff"), 3.0f),
    });

// Block 1, the environment. Parameter 3 is a colour here and a point on the Tavelin 3 side.
const ParamBlockDesc2 kEnvironmentBlockDesc(Tvl2ReflectRefractMapLayout::kEnvironmentBlock, _M("environment"),
                                            {
                                                ParamDef::Float(0, _M("envStrength"), 2.0f),
                                                ParamDef::Int(1, _M("envMode"), 2),
                                                ParamDef::Ref(2, _M("envMap"), TYPE_TEXMAP),
                                                ParamDef::Rgba(3, _M("envTint"), Color(0.2f, 0.4f, 0.6f)),
                                            });

}  // namespace

const StandInClassInfo Tvl2ReflectRefractMapLayout::kInfo = {
    TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID, _M("Tavelin 2 Reflection/Refraction Map"),
    _M("Tvl2ReflectRefractMap"), PRODUCT_TAVELIN2};

const ParamBlockDesc2* const Tvl2ReflectRefractMapLayout::kBlocks[2] = {&kMainBlockDesc,
                                                                        &kEnvironmentBlockDesc};
