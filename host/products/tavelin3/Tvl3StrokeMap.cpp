#include "Tvl3StrokeMap.h"

#include "Products.h"
#include "RefCasts.h"

namespace {

// Block 0. The flag table starts empty and takes its length from whatever is copied into it.
const ParamBlockDesc2 kStrokeBlock(0, _M("stroke"),
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

}  // namespace

const StandInClassInfo Tvl3StrokeMap::kInfo = {TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID,
                                               _M("Tavelin 3 Stroke Map"), _M("Tvl3StrokeMap"),
                                               PRODUCT_TAVELIN3};

Tvl3StrokeMap::Tvl3StrokeMap(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kStrokeBlock}}, bare) {
    if (bare) return;
    Interface* ip = GetCOREInterface();
    ReplaceReference(kRefCurve, static_cast<ReferenceTarget*>(
                                    ip->CreateInstance(REF_MAKER_CLASS_ID, CURVE_CONTROL_CLASS_ID)));
    ReplaceReference(
        kRefUVGen, static_cast<ReferenceTarget*>(ip->CreateInstance(UVGEN_CLASS_ID, UVGEN_STANDIN_CLASS_ID)));
}

void Tvl3StrokeMap::Update(TimeValue t, Interval& valid) {
    if (Texmap* map = GetSubTexmap(0)) map->Update(t, valid);
}

Texmap* Tvl3StrokeMap::GetSubTexmap(int i) { return AsTexmap(i == 0 ? GetReference(kRefSubMap) : nullptr); }

void Tvl3StrokeMap::SetSubTexmap(int i, Texmap* m) {
    if (i == 0) ReplaceReference(kRefSubMap, m);
}

MSTR Tvl3StrokeMap::GetSubTexmapSlotName(int i) { return i == 0 ? MSTR(_M("Stroke Texture")) : MSTR(); }
