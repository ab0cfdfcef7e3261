#include "Tvl2Material.h"

#include <vector>

#include "Products.h"
#include "RefCasts.h"
#include "Tvl2Settings.h"

namespace {

// Block 0, the main parameters. 0 is a float where Tavelin 3 has an int, and 20 is Tavelin 2 only.
const ParamBlockDesc2 kMainBlockDesc(Tvl2Material::kMainBlock, _M("main"),
                                     {
                                         ParamDef::Float(0, _M("shadingStyle"), 1.5f),
                                         ParamDef::Float(1, _M("baseBlend"), 40.0f),
                                         ParamDef::Rgba(2, _M("highlightColor"), Color(0.9f, 0.8f, 0.7f)),
                                         ParamDef::Int(3, _M("highlightAddBlend"), 2),
                                         ParamDef::Int(4, _M("highlightWidth"), 45),
                                         ParamDef::Int(5, _M("highlightSharpness"), 30),
                                         ParamDef::Int(6, _M("highlightEdge"), 90),
                                         ParamDef::Int(7, _M("anisotropyU"), 20),
                                         ParamDef::Int(8, _M("anisotropyV"), 30),
                                         ParamDef::Float(9, _M("highlightMapAmount"), 75.0f),
                                         ParamDef::Int(10, _M("highlightMapOn"), 1),
                                         ParamDef::Float(11, _M("outlineWidth"), 2.0f),
                                         ParamDef::FloatTable(12, _M("bandWeights"), 6, 0.75f),
                                         ParamDef::Str(13, _M("notes"), _M("Tavelin 2")),
                                         ParamDef::Int(14, _M("bumpOn"), 1),
                                         ParamDef::Int(15, _M("bumpAmount"), 30),
                                         ParamDef::Ref(16, _M("detailMap"), TYPE_TEXMAP),
                                         ParamDef::Int(17, _M("reflectionOn"), 0),
                                         ParamDef::Int(18, _M("reflectionAmount"), 40),
                                         ParamDef::Float(19, _M("opacity"), 0.4f, TYPE_PCNT_FRAC),
                                         ParamDef::Float(20, _M("legacyGamma"), 2.2f),
                                     });

// The parameters of zone i's block. The zone number (11) exists only in the later, numbered layout;
// 15 is a float where Tavelin 3 has an int, and 16 is Tavelin 2 only. The bounds default to an even
// split of 0 to 100.
std::vector<ParamDef> ZoneParams(int zone, bool numbered) {
    std::vector<ParamDef> p = {
        ParamDef::Float(Tvl2Material::kZoneLowerBound, _M("lowerBound"), 25.0f * static_cast<float>(zone)),
        ParamDef::Float(Tvl2Material::kZoneUpperBound, _M("upperBound"),
                        25.0f * static_cast<float>(zone + 1)),
        ParamDef::Int(2, _M("visible"), 0, TYPE_BOOL),
        ParamDef::Rgba(3, _M("color"), Color(0.8f, 0.6f, 0.4f)),
        ParamDef::Float(4, _M("mapAmount"), 50.0f),
        ParamDef::Int(5, _M("mapOn"), 1),
        ParamDef::Pt3(6, _M("offset"), Point3(4.0f, 5.0f, 6.0f)),
        ParamDef::Int(7, _M("blendMode"), 2),
        ParamDef::Float(8, _M("blend"), 20.0f),
        ParamDef::IntTable(Tvl2Material::kZoneStrokeSwitches, _M("strokeOn"), Tvl2Material::kStrokeSlots, 1),
        ParamDef::Table(10, _M("patternMaps"), TYPE_TEXMAP_TAB, 4),
        ParamDef::Ref(12, _M("shadeMap"), TYPE_TEXMAP),
        ParamDef::Float(13, _M("mix"), 0.25f, TYPE_PCNT_FRAC),
        ParamDef::Str(14, _M("label"), _M("Tavelin 2 zone")),
        ParamDef::Float(15, _M("priority"), 1.5f),
        ParamDef::Float(16, _M("legacyWeight"), 2.5f),
    };
    if (numbered) p.insert(p.begin() + 11, ParamDef::Int(Tvl2Material::kZoneNumber, _M("zoneNumber"), 7));
    return p;
}

ParamBlockDesc2 ZoneBlock(int zone, bool numbered) {
    ParamBlockDesc2 desc(static_cast<BlockID>(Tvl2Material::kFirstZoneBlock + zone), _M("zone"), {});
    desc.paramdefs = ZoneParams(zone, numbered);
    return desc;
}

const ParamBlockDesc2 kZoneBlocks[Tvl2Material::kNumZones] = {ZoneBlock(0, false), ZoneBlock(1, false),
                                                              ZoneBlock(2, false), ZoneBlock(3, false)};
const ParamBlockDesc2 kNumberedZoneBlocks[Tvl2Material::kNumZones] = {ZoneBlock(0, true), ZoneBlock(1, true),
                                                                      ZoneBlock(2, true), ZoneBlock(3, true)};

std::vector<StandInBlock> Blocks() {
    std::vector<StandInBlock> blocks = {{Tvl2Material::kRefMainBlock, &kMainBlockDesc}};
    for (int i = 0; i < Tvl2Material::kNumZones; ++i)
        blocks.push_back({Tvl2Material::kRefFirstZoneBlock + i, &kZoneBlocks[i]});
    return blocks;
}

const MCHAR* const kSubMapNames[Tvl2Material::kNumSubMaps] = {
    _M("Highlight Colour"), _M("Highlight Level"), _M("Highlight Gloss"), _M("Bump"), _M("Reflection"),
};

}  // namespace

const StandInClassInfo Tvl2Material::kInfo = {MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID,
                                              _M("Tavelin 2 Material"), _M("Tvl2Material"), PRODUCT_TAVELIN2};

Tvl2Material::Tvl2Material(bool bare) : StandIn(kInfo, kNumRefs, Blocks(), bare) {
    if (!bare) ReplaceReference(kRefSettings, new Tvl2Settings);
}

void Tvl2Material::UseNumberedZoneBlocks() {
    for (int i = 0; i < kNumZones; ++i)
        ReplaceReference(kRefFirstZoneBlock + i, CreateParameterBlock2(&kNumberedZoneBlocks[i], this));
}

// ---- MtlBase ----

void Tvl2Material::Update(TimeValue t, Interval& valid) {
    if (Mtl* base = GetSubMtl(0)) base->Update(t, valid);
    for (int i = 0; i < kNumSubMaps; ++i)
        if (Texmap* map = GetSubTexmap(i)) map->Update(t, valid);
    if (MtlBase* settings = GetSettings()) settings->Update(t, valid);
}

// ---- ISubMap ----

Texmap* Tvl2Material::GetSubTexmap(int i) {
    return AsTexmap(i >= 0 && i < kNumSubMaps ? GetReference(kRefFirstSubMap + i) : nullptr);
}

void Tvl2Material::SetSubTexmap(int i, Texmap* m) {
    if (i >= 0 && i < kNumSubMaps) ReplaceReference(kRefFirstSubMap + i, m);
}

MSTR Tvl2Material::GetSubTexmapSlotName(int i) {
    return i >= 0 && i < kNumSubMaps ? MSTR(kSubMapNames[i]) : MSTR();
}

// ---- Mtl ----

Mtl* Tvl2Material::GetSubMtl(int i) { return AsMtl(i == 0 ? GetReference(kRefBaseMtl) : nullptr); }

void Tvl2Material::SetSubMtl(int i, Mtl* m) {
    if (i == 0) ReplaceReference(kRefBaseMtl, m);
}

MSTR Tvl2Material::GetSubMtlSlotName(int i) { return i == 0 ? MSTR(_M("Base Material")) : MSTR(); }

// ---- zones ----

ReferenceTarget* Tvl2Material::GetZoneObject(int zone) {
    return ValidZone(zone) ? GetReference(ZoneObjectRef(zone)) : nullptr;
}

void Tvl2Material::SetZoneObject(int zone, ReferenceTarget* r) {
    if (ValidZone(zone)) ReplaceReference(ZoneObjectRef(zone), r);
}

ReferenceTarget* Tvl2Material::GetStrokeSlot(int zone, int slot) {
    return ValidSlot(zone, slot) ? GetReference(StrokeSlotRef(zone, slot)) : nullptr;
}

void Tvl2Material::SetStrokeSlot(int zone, int slot, ReferenceTarget* r) {
    if (ValidSlot(zone, slot)) ReplaceReference(StrokeSlotRef(zone, slot), r);
}
