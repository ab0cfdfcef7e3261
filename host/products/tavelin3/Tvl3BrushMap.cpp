#include "Tvl3BrushMap.h"

#include "Products.h"

namespace {

// Block 0. Defaults lie outside every value a conversion writes (-1 throughout), so a value left
// unwritten shows.
const ParamBlockDesc2 kBrushBlock(Tvl3BrushMapLayout::kMainBlock, _M("brush"),
                                  {
                                      ParamDef::Float(0, _M("size"), -1.0f),
                                      ParamDef::Float(1, _M("pressure"), -1.0f),
                                      ParamDef::Float(2, _M("spacing"), -1.0f),
                                      ParamDef::Int(3, _M("tipShape"), -1),
                                      ParamDef::Rgba(4, _M("color"), Color(-1.0f, -1.0f, -1.0f)),
                                      ParamDef::Float(5, _M("opacity"), -1.0f),
                                      ParamDef::Float(6, _M("angle"), -1.0f),
                                      ParamDef::Float(7, _M("jitter"), -1.0f),
                                      ParamDef::Int(8, _M("seed"), -1),
                                  });

}  // namespace

const StandInClassInfo Tvl3BrushMapLayout::kInfo = {
    TEXMAP_CLASS_ID, TVL3_BRUSH_MAP_CLASS_ID, _M("Tavelin 3 Brush"), _M("Tvl3BrushMap"), PRODUCT_TAVELIN3};

const ParamBlockDesc2* const Tvl3BrushMapLayout::kBlocks[1] = {&kBrushBlock};

const MCHAR* const Tvl3BrushMapLayout::kSubMapNames[3] = {_M("Stroke"), _M("Pattern"), _M("Texture")};
