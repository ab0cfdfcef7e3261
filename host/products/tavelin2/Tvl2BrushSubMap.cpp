#include "Tvl2BrushSubMap.h"

#include "Products.h"

namespace {

// Defaults carry the parameter's ID (ints 100 + ID, floats ID + 0.5, colours the grey ID/100).

const ParamBlockDesc2 kStrokeBlock(0, _M("stroke"),
                                   {
                                       ParamDef::Float(0, _M("length"), 0.5f),
                                       ParamDef::Int(1, _M("count"), 101),
                                       ParamDef::Rgba(2, _M("color"), Color(0.02f, 0.02f, 0.02f)),
                                       ParamDef::Ref(3, _M("strokeMap"), TYPE_TEXMAP),
                                       ParamDef::Str(4, _M("label"), _M("stroke")),
                                   });

// Rotation is a float here, an int in the Tavelin 3 sub-map.
const ParamBlockDesc2 kPlacementBlock(1, _M("placement"),
                                      {
                                          ParamDef::Float(0, _M("scale"), 0.5f),
                                          ParamDef::Pt3(1, _M("offset"), Point3(1.5f, 1.5f, 1.5f)),
                                          ParamDef::Float(2, _M("rotation"), 2.5f),
                                      });

}  // namespace

const StandInClassInfo Tvl2BrushSubMapLayout::kInfo = {TEXMAP_CLASS_ID, TVL2_BRUSH_SUBMAP_CLASS_ID,
                                                       _M("Tavelin 2 Brush Sub-Map"), _M("Tvl2BrushSubMap"),
                                                       PRODUCT_TAVELIN2};

const ParamBlockDesc2* const Tvl2BrushSubMapLayout::kBlocks[2] = {&kStrokeBlock, &kPlacementBlock};

const MCHAR* const Tvl2BrushSubMapLayout::kSubMapNames[2] = {_M("Shape"), _M("Grain")};
