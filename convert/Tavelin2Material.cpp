#include "Tavelin2Material.h"

#include "ClassIds.h"
#include "ParamTransfer.h"
#include "ProductInterfaces.h"
#include "ZoneAccess.h"

namespace {

namespace Tvl2 = Tvl2MaterialIds;
namespace Tvl3 = Tvl3MaterialIds;
namespace Zone = Tvl3ZoneIds;

// Tavelin 2 material: zone i has its own block, its own object and six stroke slots after it.
inline BlockID ZoneBlockID(int i) { return static_cast<BlockID>(Tvl2::kFirstZoneBlock + i); }
inline int ZoneObjectRef(int i) { return Tvl2::kRefFirstZoneObject + Tvl2::kRefsPerZone * i; }
inline int StrokeRef(int i, int j) { return ZoneObjectRef(i) + 1 + j; }

IParamBlock2* AsBlock(ReferenceTarget* r) { return dynamic_cast<IParamBlock2*>(r); }

// The area test: a zone whose lower limit (the preceding zone's upper bound) equals its upper limit (the
// following zone's lower bound) covers nothing. A neighbour block that is missing puts no limit there.
bool ZoneHasArea(Mtl* source, int i) {
    float lower = 0.0f;
    float upper = 100.0f;
    if (i > 0)
        if (IParamBlock2* prev = source->GetParamBlockByID(ZoneBlockID(i - 1)))
            lower = prev->GetFloat(Tvl2::kZoneUpperBound, 0, 0);
    if (i < Tvl2::kNumZones - 1)
        if (IParamBlock2* next = source->GetParamBlockByID(ZoneBlockID(i + 1)))
            upper = next->GetFloat(Tvl2::kZoneLowerBound, 0, 0);
    return !(lower == upper);
}

// The stroke slot's object as the new zone holds it: a Tavelin 2 stroke map becomes its Tavelin 3
// counterpart, made once per run; anything else is shared, an empty slot stays empty. Answers false when
// a stroke map could not be made, and the slot then contributes nothing.
bool ConvertStrokeSlot(ReferenceTarget* s, ConversionMap& map, ReferenceTarget*& out) {
    out = s;
    if (!s || s->ClassID() != TVL2_STROKE_MAP_CLASS_ID) return true;
    if (ReferenceTarget* done = map.Lookup(s)) {
        out = done;
        return true;
    }
    auto* n =
        static_cast<Texmap*>(GetCOREInterface()->CreateInstance(TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID));
    if (!n) return false;
    map.Append(s, n);
    if (auto* named = dynamic_cast<MtlBase*>(s)) n->SetName(MSTR(named->GetName()));
    CopyStrokeMapReferences(s, n);
    out = n;
    return true;
}

// The zone's strokes: its stroke slots, the switched-off ones left out when asked.
void ConvertZoneStrokes(Mtl* source, int i, IParamBlock2* z2, ReferenceTarget* z3, ConversionOptions options,
                        ConversionMap& map, TimeValue t) {
    Tab<ReferenceTarget*> strokes;
    for (int j = 0; j < Tvl2::kStrokeSlots; ++j) {
        if ((options & CONVOPT_SKIP_DISABLED_STROKES) && z2->GetInt(Tvl2::kZoneStrokeSwitches, t, j) == 0)
            continue;
        ReferenceTarget* stroke = nullptr;
        if (ConvertStrokeSlot(source->GetReference(StrokeRef(i, j)), map, stroke)) strokes.Append(1, &stroke);
    }
    SetZoneStrokes(z3, strokes);
}

// With every stroke slot kept, the new zone takes the switches as they were.
void CopyStrokeSwitches(IParamBlock2* z2, IParamBlock2* p3, TimeValue t) {
    int n = z2->Count(Tvl2::kZoneStrokeSwitches);
    p3->SetCount(Zone::kStrokeSwitches, n);
    for (int j = 0; j < n; ++j)
        p3->SetValue(Zone::kStrokeSwitches, t, z2->GetInt(Tvl2::kZoneStrokeSwitches, t, j), j);
}

// Zone i of the source as a new Tavelin 3 zone, appended to zones unless it has no area and such zones
// are left out. Answers false when the conversion cannot go on.
bool ConvertZone(Mtl* source, int i, ConversionOptions options, ConversionMap& map, TimeValue t,
                 Tab<ReferenceTarget*>& zones) {
    IParamBlock2* z2 = source->GetParamBlockByID(ZoneBlockID(i));
    if (!z2) return false;
    if ((options & CONVOPT_SKIP_AREA_OFF_ZONES) && !ZoneHasArea(source, i)) return true;

    auto* z3 = static_cast<ReferenceTarget*>(
        GetCOREInterface()->CreateInstance(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID));
    if (!z3) return false;
    IParamBlock2* p3 = z3->GetParamBlockByID(Zone::kMainBlock);
    if (!p3) {
        z3->MaybeAutoDelete();
        return false;
    }
    zones.Append(1, &z3);
    if (IParamBlock2* first = z3->GetParamBlock(Zone::kMainBlock))
        first->SetValue(Zone::kZoneNumber, t, i + 1, 0);
    TransferParamBlock(z2, p3, true, theDefaultIDConverter);
    z3->ReplaceReference(Zone::kRefMap, source->GetReference(ZoneObjectRef(i)), TRUE);
    ConvertZoneStrokes(source, i, z2, z3, options, map, t);
    if (!(options & CONVOPT_SKIP_DISABLED_STROKES)) CopyStrokeSwitches(z2, p3, t);
    return true;
}

// The Tavelin 3 material takes over the base material and the five sub-maps unchanged.
void ShareBaseAndSubMaps(Mtl* target, Mtl* source) {
    target->ReplaceReference(Tvl3::kRefBaseMtl, source->GetReference(Tvl2::kRefBaseMtl), TRUE);
    for (int k = 0; k < Tvl3::kNumSubMaps; ++k)
        target->ReplaceReference(Tvl3::kRefFirstSubMap + k, source->GetReference(Tvl2::kRefFirstSubMap + k),
                                 TRUE);
}

// The source's settings go to the settings object the target made, once per run: a settings object that
// an earlier material of the run brought is shared instead.
void ConvertSettings(Mtl* target, Mtl* source, ConversionMap& map) {
    ReferenceTarget* from = source->GetReference(Tvl2::kRefSettings);
    if (!from) return;
    if (ReferenceTarget* done = map.Lookup(from)) {
        target->ReplaceReference(Tvl3::kRefSettings, done, TRUE);
        return;
    }
    ReferenceTarget* to = target->GetReference(Tvl3::kRefSettings);
    if (!to) return;
    map.Append(from, to);
    auto* fromNamed = dynamic_cast<MtlBase*>(from);
    auto* toNamed = dynamic_cast<MtlBase*>(to);
    if (fromNamed && toNamed) toNamed->SetName(MSTR(fromNamed->GetName()));
    CopySettingsReferences(from, to);
}

}  // namespace

bool ConvertTavelin2Material(Mtl* target, Mtl* source, ConversionOptions options, ConversionMap& map) {
    const TimeValue t = GetCOREInterface()->GetTime();
    Interval valid(TIME_NegInfinity, TIME_PosInfinity);
    source->Update(t, valid);

    IParamBlock2* targetMain = target->GetParamBlockByID(Tvl3::kMainBlock);
    IParamBlock2* sourceMain = source->GetParamBlockByID(Tvl2::kMainBlock);
    if (!targetMain || !sourceMain) return false;
    TransferParamBlock(sourceMain, targetMain, true, theDefaultIDConverter);

    Tab<ReferenceTarget*> zones;
    for (int i = 0; i < Tvl2::kNumZones; ++i)
        if (!ConvertZone(source, i, options, map, t, zones)) return false;
    SetMaterialZones(target, zones);

    ShareBaseAndSubMaps(target, source);
    ConvertSettings(target, source, map);
    return true;
}

bool CopyStrokeMapReferences(ReferenceTarget* source, ReferenceTarget* target) {
    for (int k = 0; k < source->NumRefs(); ++k) {
        ReferenceTarget* r = source->GetReference(k);
        if (!r) continue;
        switch (r->SuperClassID()) {
            case PARAMETER_BLOCK2_CLASS_ID:
                TransferParamBlock(AsBlock(r), AsBlock(target->GetReference(k)), true, theDefaultIDConverter);
                break;
            case REF_MAKER_CLASS_ID:
                // A curve control gets a private copy; other makers are not the new map's business.
                if (r->ClassID() == CURVE_CONTROL_CLASS_ID)
                    target->ReplaceReference(k, CloneRefHierarchy(r), TRUE);
                break;
            case UVGEN_CLASS_ID:
                target->ReplaceReference(k, CloneRefHierarchy(r), TRUE);
                break;
            default:
                target->ReplaceReference(k, r, TRUE);
                break;
        }
    }
    return true;
}

bool CopySettingsReferences(ReferenceTarget* source, ReferenceTarget* target) {
    for (int k = 0; k < source->NumRefs(); ++k) {
        ReferenceTarget* r = source->GetReference(k);
        if (!r) continue;
        switch (r->SuperClassID()) {
            case PARAMETER_BLOCK2_CLASS_ID:
                TransferParamBlock(AsBlock(r), AsBlock(target->GetReference(k)), false,
                                   theDefaultIDConverter);
                break;
            case REF_TARGET_CLASS_ID:
                if (r->ClassID() == TVL2_PARAM_HOLDER_CLASS_ID) {
                    ReferenceTarget* holder = target->GetReference(k);
                    if (holder)
                        TransferParamBlock(AsBlock(r->GetReference(Tvl2ParamHolderIds::kRefBlock)),
                                           AsBlock(holder->GetReference(Tvl3ParamHolderIds::kRefBlock)), true,
                                           theDefaultIDConverter);
                }
                break;
            default:
                target->ReplaceReference(k, r, TRUE);
                break;
        }
    }
    return true;
}
