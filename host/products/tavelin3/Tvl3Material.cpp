#include "Tvl3Material.h"

#include "Products.h"
#include "RefCasts.h"
#include "Tvl3Settings.h"
#include "shaders.h"
#include "stdmat.h"

namespace {

// Block 0, the main parameters. Every default lies outside the values a conversion writes, so a
// parameter left alone shows as such.
const ParamBlockDesc2 kMainBlockDesc(
    Tvl3Material::kMainBlock, _M("main"),
    {
        ParamDef::Int(Tvl3Material::kShadingStyle, _M("shadingStyle"), 7),
        ParamDef::Float(Tvl3Material::kBaseBlend, _M("baseBlend"), 50.0f),
        ParamDef::Rgba(Tvl3Material::kHighlightColor, _M("highlightColor"), Color(-1.0f, -1.0f, -1.0f)),
        ParamDef::Int(Tvl3Material::kHighlightAddBlend, _M("highlightAddBlend"), 0),
        ParamDef::Int(Tvl3Material::kHighlightWidth, _M("highlightWidth"), -1),
        ParamDef::Int(Tvl3Material::kHighlightSharpness, _M("highlightSharpness"), -1),
        ParamDef::Int(Tvl3Material::kHighlightEdge, _M("highlightEdge"), 0),
        ParamDef::Int(Tvl3Material::kAnisotropyU, _M("anisotropyU"), -1),
        ParamDef::Int(Tvl3Material::kAnisotropyV, _M("anisotropyV"), -1),
        ParamDef::Float(Tvl3Material::kHighlightMapAmount, _M("highlightMapAmount"), -1.0f),
        ParamDef::Int(Tvl3Material::kHighlightMapOn, _M("highlightMapOn"), -1),
        ParamDef::Float(Tvl3Material::kOutlineWidth, _M("outlineWidth"), 0.5f),
        ParamDef::FloatTable(Tvl3Material::kBandWeights, _M("bandWeights"), 4, 0.25f),
        ParamDef::Str(Tvl3Material::kNotes, _M("notes"), _M("Tavelin 3")),
        ParamDef::Int(Tvl3Material::kBumpOn, _M("bumpOn"), -1),
        ParamDef::Int(Tvl3Material::kBumpAmount, _M("bumpAmount"), -1),
        ParamDef::Ref(Tvl3Material::kDetailMap, _M("detailMap"), TYPE_TEXMAP),
        ParamDef::Int(Tvl3Material::kReflectionOn, _M("reflectionOn"), -1),
        ParamDef::Int(Tvl3Material::kReflectionAmount, _M("reflectionAmount"), -1),
        ParamDef::Float(Tvl3Material::kOpacity, _M("opacity"), 0.5f, TYPE_PCNT_FRAC),
    });

const MCHAR* const kSubMapNames[Tvl3Material::kNumSubMaps] = {
    _M("Highlight Colour"), _M("Highlight Level"), _M("Highlight Gloss"), _M("Bump"), _M("Reflection"),
};

}  // namespace

const StandInClassInfo Tvl3Material::kInfo = {MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID,
                                              _M("Tavelin 3 Material"), _M("Tvl3Material"), PRODUCT_TAVELIN3};

Tvl3Material::Tvl3Material(bool bare)
    : StandIn(kInfo, kRefFirstZone, {{kRefMainBlock, &kMainBlockDesc}}, bare), zoneList_(*this) {
    if (bare) return;
    withheld_ = WithheldInterfaceScope::Active();
    ReplaceReference(kRefSettings, new Tvl3Settings);
    MakeBaseMaterial();
}

// The base material is a plain Standard material with the Blinn shader, made through the host so that
// it is whatever Standard class the host offers; without one the slot stays empty.
void Tvl3Material::MakeBaseMaterial() {
    auto* base =
        static_cast<Mtl*>(GetCOREInterface()->CreateInstance(MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID));
    if (!base) return;
    if (auto* std2 = dynamic_cast<StdMat2*>(base)) {
        Shader* shader = std2->GetShader();
        if (!shader || shader->ClassID() != BLINN_SHADER_CLASS_ID) std2->SwitchShader(BLINN_SHADER_CLASS_ID);
    }
    ReplaceReference(kRefBaseMtl, base);
}

void Tvl3Material::CopyMembers(StandIn* to) { static_cast<Tvl3Material*>(to)->withheld_ = withheld_; }

// ---- Animatable ----

BaseInterface* Tvl3Material::GetInterface(Interface_ID id) {
    if (id == TVL3_MATERIAL_INTERFACE_ID && !withheld_) return &zoneList_;
    return StandIn<Mtl>::GetInterface(id);
}

// ---- MtlBase ----

void Tvl3Material::Update(TimeValue t, Interval& valid) {
    if (Mtl* base = GetSubMtl(0)) base->Update(t, valid);
    for (int i = 0; i < kNumSubMaps; ++i)
        if (Texmap* map = GetSubTexmap(i)) map->Update(t, valid);
}

// ---- ISubMap ----

Texmap* Tvl3Material::GetSubTexmap(int i) {
    return i >= 0 && i < kNumSubMaps ? AsTexmap(GetReference(kRefFirstSubMap + i)) : nullptr;
}

void Tvl3Material::SetSubTexmap(int i, Texmap* m) {
    if (i >= 0 && i < kNumSubMaps) ReplaceReference(kRefFirstSubMap + i, m);
}

MSTR Tvl3Material::GetSubTexmapSlotName(int i) {
    return i >= 0 && i < kNumSubMaps ? MSTR(kSubMapNames[i]) : MSTR();
}

// ---- Mtl ----

Mtl* Tvl3Material::GetSubMtl(int i) { return i == 0 ? AsMtl(GetReference(kRefBaseMtl)) : nullptr; }

void Tvl3Material::SetSubMtl(int i, Mtl* m) {
    if (i == 0) ReplaceReference(kRefBaseMtl, m);
}

MSTR Tvl3Material::GetSubMtlSlotName(int i) { return i == 0 ? MSTR(_M("Base Material")) : MSTR(); }

// ---- zones ----

void Tvl3Material::SetZones(const Tab<ReferenceTarget*>& zones) { SetRefList(kRefFirstZone, zones); }

ReferenceTarget* Tvl3Material::GetZone(int i) {
    return i >= 0 && i < NumZones() ? GetReference(kRefFirstZone + i) : nullptr;
}
