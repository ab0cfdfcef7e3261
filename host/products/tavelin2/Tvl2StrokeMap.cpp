#include "Tvl2StrokeMap.h"

#include "Products.h"

const StandInClassInfo Tvl2StrokeMapLayout::kInfo = {TEXMAP_CLASS_ID, TVL2_STROKE_MAP_CLASS_ID,
                                                     _M("Tavelin 2 Stroke Map"), _M("Tvl2StrokeMap"),
                                                     PRODUCT_TAVELIN2};

// Block 0. Parameter 3 is a colour here and a point on the Tavelin 3 side.
const ParamBlockDesc2 Tvl2StrokeMapLayout::kBlock(
    0, _M("stroke"),
    {
        ParamDef::Float(0, _M("width"), 2.0f),
        ParamDef::Int(1, _M("style"), 2),
        ParamDef::Int(2, _M("taper"), 1, TYPE_BOOL),
        ParamDef::Rgba(3, _M("color"), Color(1.0f, 0.5f, 0.25f)),
        ParamDef::Float(4, _M("angle"), 0.5f, TYPE_ANGLE),
        ParamDef::IntTable(5, _M("flags"), 3, 1, TYPE_BOOL_TAB),
        ParamDef::Point3Table(6, _M("points"), 2, Point3(1.0f, 1.0f, 1.0f)),
        ParamDef::Ref(7, _M("texture"), TYPE_TEXMAP),
    });
