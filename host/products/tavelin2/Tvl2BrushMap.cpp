#include "Tvl2BrushMap.h"

#include "Products.h"

namespace {

// Block 0. Defaults carry the parameter's ID (ints 100 + ID, floats ID + 0.5, colours the grey ID/100).
const ParamBlockDesc2 kBrushBlock(Tvl2BrushMapLayout::kMainBlock, _M("brush"),
                                  {
                                      ParamDef::Float(0, _M("size"), 0.5f),
                                      ParamDef::Float(1, _M("pressure"), 1.5f),
                                      ParamDef::Float(2, _M("spacing"), 2.5f),
                                      ParamDef::Int(3, _M("tipShape"), 103),
                                      ParamDef::Rgba(4, _M("color"), Color(0.04f, 0.04f, 0.04f)),
                                      ParamDef::Float(5, _M("opacity"), 5.5f),
                                      ParamDef::Int(6, _M("angle"), 106),
                                      ParamDef::Int(7, _M("flow"), 107),
                                      ParamDef::Float(8, _M("wetness"), 8.5f),
                                      ParamDef::Float(9, _M("jitter"), 9.5f),
                                      ParamDef::Int(10, _M("seed"), 110),
                                      ParamDef::Float(11, _M("fade"), 11.5f),
                                  });

}  // namespace

const StandInClassInfo Tvl2BrushMapLayout::kInfo = {
    TEXMAP_CLASS_ID, TVL2_BRUSH_MAP_CLASS_ID, _M("Tavelin 2 Brush"), _M("Tvl2BrushMap"), PRODUCT_TAVELIN2};

const ParamBlockDesc2* const Tvl2BrushMapLayout::kBlocks[1] = {&kBrushBlock};

const MCHAR* const Tvl2BrushMapLayout::kSubMapNames[3] = {_M("Pattern"), _M("Stroke"), _M("Texture")};
