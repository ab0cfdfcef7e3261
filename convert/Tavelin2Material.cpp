#include "Tavelin2Material.h"

#include "ClassIds.h"
#include "ParamTransfer.h"
#include "ZoneAccess.h"

namespace {

// Tavelin 2 material: zone i has block ID i + 2, its own object in reference 7i + 14 and its six stroke
// slots in references 7i + 15 ... 7i + 20.
const int kZoneCount = 4;
const int kStrokeSlots = 6;
inline BlockID ZoneBlockID(int i) { return static_cast<BlockID>(i + 2); }
inline int ZoneObjectRef(int i) { return 7 * i + 14; }
inline int StrokeRef(int i, int j) { return 7 * i + 15 + j; }
const ParamID kZoneLower = 0;
const ParamID kZoneUpper = 1;
const ParamID kZoneStrokeSwitches = 9;
const ParamID kZoneNumber = 11;

// References of the Tavelin 2 material that the Tavelin 3 material takes over unchanged.
const struct { int from, to; } kSharedRefs[] = {{7, 3}, {9, 6}, {10, 7}, {11, 8}, {12, 9}, {13, 10}};

const int kSourceSettingsRef = 8;
const int kTargetSettingsRef = 4;
const int kZoneObjectTargetRef = 1;

IParamBlock2* AsBlock(ReferenceTarget* r) { return dynamic_cast<IParamBlock2*>(r); }

// The area test: a zone whose lower limit (the preceding zone's upper bound) equals its upper limit (the
// following zone's lower bound) covers nothing. A neighbour block that is missing puts no limit there.
bool ZoneHasArea(Mtl* source, int i) {
    float lower = 0.0f;
    float upper = 100.0f;
    if (i > 0)
        if (IParamBlock2* prev = source->GetParamBlockByID(ZoneBlockID(i - 1)))
            lower = prev->GetFloat(kZoneUpper, 0, 0);
    if (i < kZoneCount - 1)
        if (IParamBlock2* next = source->GetParamBlockByID(ZoneBlockID(i + 1)))
            upper = next->GetFloat(kZoneLower, 0, 0);
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

}  // namespace

bool ConvertTavelin2Material(Mtl* target, Mtl* source, ConversionOptions options, ConversionMap& map) {
    const TimeValue t = GetCOREInterface()->GetTime();
    Interval valid(TIME_NegInfinity, TIME_PosInfinity);
    source->Update(t, valid);

    IParamBlock2* targetMain = target->GetParamBlockByID(0);
    IParamBlock2* sourceMain = source->GetParamBlockByID(0);
    if (!targetMain || !sourceMain) return false;
    TransferParamBlock(sourceMain, targetMain, true, theDefaultIDConverter);

    Tab<ReferenceTarget*> zones;
    for (int i = 0; i < kZoneCount; ++i) {
        IParamBlock2* z2 = source->GetParamBlockByID(ZoneBlockID(i));
        if (!z2) return false;
        if ((options & CONVOPT_SKIP_AREA_OFF_ZONES) && !ZoneHasArea(source, i)) continue;

        auto* z3 = static_cast<ReferenceTarget*>(
            GetCOREInterface()->CreateInstance(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID));
        if (!z3) return false;
        IParamBlock2* p3 = z3->GetParamBlockByID(0);
        if (!p3) {
            z3->MaybeAutoDelete();
            return false;
        }
        zones.Append(1, &z3);
        if (IParamBlock2* first = z3->GetParamBlock(0)) first->SetValue(kZoneNumber, t, i + 1, 0);
        TransferParamBlock(z2, p3, true, theDefaultIDConverter);
        z3->ReplaceReference(kZoneObjectTargetRef, source->GetReference(ZoneObjectRef(i)), TRUE);

        Tab<ReferenceTarget*> strokes;
        for (int j = 0; j < kStrokeSlots; ++j) {
            if ((options & CONVOPT_SKIP_DISABLED_STROKES) && z2->GetInt(kZoneStrokeSwitches, t, j) == 0)
                continue;
            ReferenceTarget* stroke = nullptr;
            if (ConvertStrokeSlot(source->GetReference(StrokeRef(i, j)), map, stroke))
                strokes.Append(1, &stroke);
        }
        SetZoneStrokes(z3, strokes);

        if (!(options & CONVOPT_SKIP_DISABLED_STROKES)) {
            int n = z2->Count(kZoneStrokeSwitches);
            p3->SetCount(kZoneStrokeSwitches, n);
            for (int j = 0; j < n; ++j)
                p3->SetValue(kZoneStrokeSwitches, t, z2->GetInt(kZoneStrokeSwitches, t, j), j);
        }
    }
    SetMaterialZones(target, zones);

    for (const auto& r : kSharedRefs) target->ReplaceReference(r.to, source->GetReference(r.from), TRUE);

    ReferenceTarget* s8 = source->GetReference(kSourceSettingsRef);
    if (!s8) return true;
    if (ReferenceTarget* done = map.Lookup(s8)) {
        target->ReplaceReference(kTargetSettingsRef, done, TRUE);
        return true;
    }
    ReferenceTarget* d = target->GetReference(kTargetSettingsRef);
    if (!d) return true;
    map.Append(s8, d);
    auto* from = dynamic_cast<MtlBase*>(s8);
    auto* to = dynamic_cast<MtlBase*>(d);
    if (from && to) to->SetName(MSTR(from->GetName()));
    CopySettingsReferences(s8, d);
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
                        TransferParamBlock(AsBlock(r->GetReference(0)), AsBlock(holder->GetReference(0)),
                                           true, theDefaultIDConverter);
                }
                break;
            default:
                target->ReplaceReference(k, r, TRUE);
                break;
        }
    }
    return true;
}
