#include "Tvl3Zone.h"

#include "Products.h"

namespace {

// Block 0. A new zone has no strokes, so its switch table starts empty; its map table has a fixed
// length of four. Defaults lie outside the values a conversion writes.
const ParamBlockDesc2 kZoneBlock(
    Tvl3Zone::kMainBlock, _M("zone"),
    {
        ParamDef::Float(Tvl3Zone::kLowerBound, _M("lowerBound"), -1.0f),
        ParamDef::Float(Tvl3Zone::kUpperBound, _M("upperBound"), -2.0f),
        ParamDef::Int(Tvl3Zone::kVisible, _M("visible"), 1, TYPE_BOOL),
        ParamDef::Rgba(Tvl3Zone::kColor, _M("color"), Color(-1.0f, -1.0f, -1.0f)),
        ParamDef::Float(Tvl3Zone::kMapAmount, _M("mapAmount"), -1.0f),
        ParamDef::Int(Tvl3Zone::kMapOn, _M("mapOn"), -1),
        ParamDef::Pt3(Tvl3Zone::kOffset, _M("offset"), Point3(1.0f, 2.0f, 3.0f)),
        ParamDef::Int(Tvl3Zone::kBlendMode, _M("blendMode"), 0),
        ParamDef::Float(Tvl3Zone::kBlend, _M("blend"), -1.0f),
        ParamDef::Table(Tvl3Zone::kStrokeSwitches, _M("strokeOn"), TYPE_INT_TAB, 0),
        ParamDef::Table(Tvl3Zone::kPatternMaps, _M("patternMaps"), TYPE_TEXMAP_TAB, 4),
        ParamDef::Int(Tvl3Zone::kZoneNumber, _M("zoneNumber"), 0),
        ParamDef::Ref(Tvl3Zone::kShadeMap, _M("shadeMap"), TYPE_TEXMAP),
        ParamDef::Float(Tvl3Zone::kMix, _M("mix"), 0.5f, TYPE_PCNT_FRAC),
        ParamDef::Str(Tvl3Zone::kLabel, _M("label"), _M("zone")),
        ParamDef::Int(Tvl3Zone::kPriority, _M("priority"), 5),
    });

}  // namespace

const StandInClassInfo Tvl3Zone::kInfo = {REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID, _M("Tavelin 3 Zone"),
                                          _M("Tvl3Zone"), PRODUCT_TAVELIN3};

Tvl3Zone::Tvl3Zone(bool bare)
    : StandIn(kInfo, kRefFirstStroke, {{kRefBlock, &kZoneBlock}}, bare), strokeList_(*this) {
    if (!bare && MadeWithoutBlockScope::Active()) RemoveBlock(0);
}

// ---- Animatable ----

BaseInterface* Tvl3Zone::GetInterface(Interface_ID id) {
    if (id == TVL3_ZONE_INTERFACE_ID) return &strokeList_;
    return StandIn<ReferenceTarget>::GetInterface(id);
}

// ---- strokes ----

void Tvl3Zone::SetStrokes(const Tab<ReferenceTarget*>& strokes, TimeValue t) {
    SetRefList(kRefFirstStroke, strokes);
    IParamBlock2* pb = BlockAt(kRefBlock);
    if (!pb) return;
    pb->SetCount(kStrokeSwitches, strokes.Count());
    for (int k = 0; k < strokes.Count(); ++k) pb->SetValue(kStrokeSwitches, t, 1, k);
}

ReferenceTarget* Tvl3Zone::GetStroke(int i) {
    return i >= 0 && i < NumStrokes() ? GetReference(kRefFirstStroke + i) : nullptr;
}
