#include "Tvl3StrokeMap.h"

#include "Products.h"

const StandInClassInfo Tvl3StrokeMapLayout::kInfo = {TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID,
                                                     _M("Tavelin 3 Stroke Map"), _M("Tvl3StrokeMap"),
                                                     PRODUCT_TAVELIN3};

// Block 0. The flag table starts empty and takes its length from whatever is copied into it.
const ParamBlockDesc2 Tvl3StrokeMapLayout::kBlock(
    0, _M("stroke"),
    {
        ParamDef::Float(0, _M("width"), 1.0f),
        ParamDef::Int(1, _M("style"), 1),
        ParamDef::Int(2, _M("taper"), 0, TYPE_BOOL),
        ParamDef::Pt3(3, _M("direction"), Point3(0.0f, 0.0f, 1.0f)),
        ParamDef::Float(4, _M("angle"), 0.0f, TYPE_ANGLE),
        ParamDef::Table(5, _M("flags"), TYPE_BOOL_TAB, 0),
        ParamDef::Point3Table(6, _M("points"), 1, Point3(0.0f, 0.0f, 0.0f)),
        ParamDef::Ref(7, _M("texture"), TYPE_TEXMAP),
    });
