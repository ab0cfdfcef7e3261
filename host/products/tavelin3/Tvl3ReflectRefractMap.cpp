#include "Tvl3ReflectRefractMap.h"

#include "Products.h"

namespace {

// Block 0. Each switch defaults to the state of the Tavelin 2 switch it comes from, so a conversion,
// which copies and then inverts it, always shows.
const ParamBlockDesc2 kMainBlock(0, _M("reflectRefract"),
                                 {
                                     ParamDef::Float(0, _M("reflectAmount"), 10.0f),
                                     ParamDef::Float(1, _M("refractAmount"), 20.0f),
                                     ParamDef::Rgba(2, _M("tint"), Color(0.1f, 0.1f, 0.1f)),
                                     ParamDef::Ref(3, _M("reflectionMap"), TYPE_TEXMAP),
                                     ParamDef::Ref(4, _M("refractionMap"), TYPE_TEXMAP),
                                     ParamDef::Float(5, _M("ior"), 30.0f),
                                     ParamDef::Int(6, _M("samples"), 3),
                                     ParamDef::Int(7, _M("blur"), -1),
                                     ParamDef::Int(8, _M("outlineOff"), 1, TYPE_BOOL),
                                     ParamDef::Int(9, _M("reflectOff"), 1, TYPE_BOOL),
                                     ParamDef::Int(10, _M("refractOff"), 0, TYPE_BOOL),
                                     ParamDef::Int(11, _M("fresnelOff"), 1, TYPE_BOOL),
                                     ParamDef::Int(12, _M("tintOff"), 0, TYPE_BOOL),
                                     ParamDef::Int(13, _M("shadowsOff"), 1, TYPE_BOOL),
                                 });

// Block 1, the environment.
const ParamBlockDesc2 kEnvironmentBlock(1, _M("environment"),
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

const ParamBlockDesc2* const Tvl3ReflectRefractMapLayout::kBlocks[2] = {&kMainBlock, &kEnvironmentBlock};
