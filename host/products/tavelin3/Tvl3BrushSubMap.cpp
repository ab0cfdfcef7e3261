#include "Tvl3BrushSubMap.h"

#include "Products.h"

namespace {

// Defaults lie outside every value a conversion writes (-1 throughout, strings empty), so a value
// left unwritten shows.

const ParamBlockDesc2 kStrokeBlock(0, _M("stroke"),
                                   {
                                       ParamDef::Float(0, _M("length"), -1.0f),
                                       ParamDef::Int(1, _M("count"), -1),
                                       ParamDef::Rgba(2, _M("color"), Color(-1.0f, -1.0f, -1.0f)),
                                       ParamDef::Ref(3, _M("strokeMap"), TYPE_TEXMAP),
                                       ParamDef::Str(4, _M("label"), _M("")),
                                   });

// Rotation is an int here, a float in the Tavelin 2 sub-map.
const ParamBlockDesc2 kPlacementBlock(1, _M("placement"),
                                      {
                                          ParamDef::Float(0, _M("scale"), -1.0f),
                                          ParamDef::Pt3(1, _M("offset"), Point3(-1.0f, -1.0f, -1.0f)),
                                          ParamDef::Int(2, _M("rotation"), -1),
                                      });

}  // namespace

const StandInClassInfo Tvl3BrushSubMapLayout::kInfo = {TEXMAP_CLASS_ID, TVL3_BRUSH_SUBMAP_CLASS_ID,
                                                       _M("Tavelin 3 Brush Sub-Map"), _M("Tvl3BrushSubMap"),
                                                       PRODUCT_TAVELIN3};

const ParamBlockDesc2* const Tvl3BrushSubMapLayout::kBlocks[2] = {&kStrokeBlock, &kPlacementBlock};

const MCHAR* const Tvl3BrushSubMapLayout::kSubMapNames[2] = {_M("Shape"), _M("Grain")};
