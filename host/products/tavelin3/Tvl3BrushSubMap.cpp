#include "Tvl3BrushSubMap.h"

#include "Products.h"
#include "RefCasts.h"
#include "hostclasses/CurveControl.h"

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

const MCHAR* const kSubMapNames[Tvl3BrushSubMap::kNumSubMaps] = {_M("Shape"), _M("Grain")};

}  // namespace

const StandInClassInfo Tvl3BrushSubMap::kInfo = {TEXMAP_CLASS_ID, TVL3_BRUSH_SUBMAP_CLASS_ID,
                                                 _M("Tavelin 3 Brush Sub-Map"), _M("Tvl3BrushSubMap"),
                                                 PRODUCT_TAVELIN3};

Tvl3BrushSubMap::Tvl3BrushSubMap(bool bare)
    : StandIn(kInfo, kNumRefs, {{kRefFirstBlock, &kStrokeBlock}, {kRefFirstBlock + 1, &kPlacementBlock}},
              bare) {
    if (bare) return;
    ReplaceReference(kRefCurve1, NewCurveControl());
    ReplaceReference(kRefCurve2, NewCurveControl());
}

void Tvl3BrushSubMap::Update(TimeValue t, Interval& valid) {
    for (int i = 0; i < kNumSubMaps; ++i)
        if (Texmap* m = GetSubTexmap(i)) m->Update(t, valid);
}

Texmap* Tvl3BrushSubMap::GetSubTexmap(int i) {
    return i >= 0 && i < kNumSubMaps ? AsTexmap(GetReference(kRefFirstSubMap + i)) : nullptr;
}

void Tvl3BrushSubMap::SetSubTexmap(int i, Texmap* m) {
    if (i >= 0 && i < kNumSubMaps) ReplaceReference(kRefFirstSubMap + i, m);
}

MSTR Tvl3BrushSubMap::GetSubTexmapSlotName(int i) {
    return i >= 0 && i < kNumSubMaps ? MSTR(kSubMapNames[i]) : MSTR();
}
