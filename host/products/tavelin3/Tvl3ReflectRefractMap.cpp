#include "Tvl3ReflectRefractMap.h"

#include "Products.h"

namespace {

// Block 0. Each switch defaults to the state of the Tavelin 2 switch it comes from, so a conversion,
// which copies and then inverts it, always shows.
const ParamBlockDesc2 kMainBlockDesc(
    Tvl3ReflectRefractMapLayout::kMainBlock, _M("reflectRefract"),
    {
        ParamDef::Float(Tvl3ReflectRefractMapLayout::kReflectAmount, _M("reflectAmount"), 10.0f),
        ParamDef::Float(Tvl3ReflectRefractMapLayout::kRefractAmount, _M("refractAmount"), 20.0f),
        ParamDef::Rgba(Tvl3ReflectRefractMapLayout::kTint, _M("tint"), Color(0.1f, 0.1f, 0.1f)),
        ParamDef::Ref(Tvl3ReflectRefractMapLayout::kReflectionMap, _M("reflectionMap"), TYPE_TEXMAP),
        ParamDef::Ref(Tvl3ReflectRefractMapLayout::kRefractionMap, _M("refractionMap"), TYPE_TEXMAP),
        ParamDef::Float(Tvl3ReflectRefractMapLayout::kIor, _M("ior"), 30.0f),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kSamples, _M("samples"), 3),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kBlur, _M("blur"), -1),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kOutlineOff, _M("outlineOff"), 1, TYPE_BOOL),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kReflectOff, _M("reflectOff"), 1, TYPE_BOOL),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kRefractOff, _M("refractOff"), 0, TYPE_BOOL),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kFresnelOff, _M("fresnelOff"), 1, TYPE_BOOL),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kTintOff, _M("tintOff"), 0, TYPE_BOOL),
        ParamDef::Int(Tvl3ReflectRefractMapLayout::kShadowsOff, _M("shadowsOff"), 1, TYPE_BOOL),
    });

// Block 1, the environment.
const ParamBlockDesc2 kEnvironmentBlockDesc(Tvl3ReflectRefractMapLayout::kEnvironmentBlock, _M("environment"),
                                            {
                                                ParamDef::Float(0, _M("envStrength"), 1.0f),
                                                ParamDef::Int(1, _M("envMode"), 1),
                                                ParamDef::Ref(2, _M("envMap"), TYPE_TEXMAP),
                                                ParamDef::Pt3(3, _M("envRotation"), Point3(0.0f, 0.0f, 0.0f)),
                                            });

}  // namespace

const StandInClassInfo Tvl3ReflectRefractMapLayout::kInfo = {
    TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID, _M("Tavelin 3 Reflection/Refraction Map"),
    _M("Tvl3ReflectRefractMap"), PRODUCT_TAVELIN3};

const ParamBlockDesc2* const Tvl3ReflectRefractMapLayout::kBlocks[2] = {&kMainBlockDesc,
                                                                        &kEnvironmentBlockDesc};
