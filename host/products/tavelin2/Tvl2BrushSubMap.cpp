#include "Tvl2BrushSubMap.h"

#include "Products.h"
#include "RefCasts.h"
#include "hostclasses/CurveControl.h"

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

const MCHAR* const kSubMapNames[Tvl2BrushSubMap::kNumSubMaps] = {_M("Shape"), _M("Grain")};

}  // namespace

const StandInClassInfo Tvl2BrushSubMap::kInfo = {TEXMAP_CLASS_ID, TVL2_BRUSH_SUBMAP_CLASS_ID,
                                                 _M("Tavelin 2 Brush Sub-Map"), _M("Tvl2BrushSubMap"),
                                                 PRODUCT_TAVELIN2};

Tvl2BrushSubMap::Tvl2BrushSubMap(bool bare)
    : StandIn(kInfo, kNumRefs, {{kRefFirstBlock, &kStrokeBlock}, {kRefFirstBlock + 1, &kPlacementBlock}},
              bare) {
    if (bare) return;
    ReplaceReference(kRefCurve1, NewCurveControl());
    ReplaceReference(kRefCurve2, NewCurveControl());
}

void Tvl2BrushSubMap::Update(TimeValue t, Interval& valid) {
    for (int i = 0; i < kNumSubMaps; ++i)
        if (Texmap* m = GetSubTexmap(i)) m->Update(t, valid);
}

Texmap* Tvl2BrushSubMap::GetSubTexmap(int i) {
    return i >= 0 && i < kNumSubMaps ? AsTexmap(GetReference(kRefFirstSubMap + i)) : nullptr;
}

void Tvl2BrushSubMap::SetSubTexmap(int i, Texmap* m) {
    if (i >= 0 && i < kNumSubMaps) ReplaceReference(kRefFirstSubMap + i, m);
}

MSTR Tvl2BrushSubMap::GetSubTexmapSlotName(int i) {
    return i >= 0 && i < kNumSubMaps ? MSTR(kSubMapNames[i]) : MSTR();
}
