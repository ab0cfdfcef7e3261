#include "LineEffectConversion.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ClassIds.h"
#include "DeleteConverted.h"
#include "LineIDConverters.h"
#include "ParamTransfer.h"
#include "ProductInterfaces.h"

namespace {

namespace Tvl2Set = Tvl2LineSetIds;
namespace Tvl3Set = Tvl3LineSetIds;

// Line-set blocks: which Tavelin 2 block goes to which Tavelin 3 block, and whether the edge switches are
// put right afterwards.
const struct {
    BlockID from, to;
    bool edgeBlock;
} kLineSetBlocks[] = {{Tvl2Set::kGeneralBlock, Tvl3Set::kGeneralBlock, false},
                      {Tvl2Set::kVisibleEdgeBlock, Tvl3Set::kVisibleEdgeBlock, true},
                      {Tvl2Set::kHiddenEdgeBlock, Tvl3Set::kHiddenEdgeBlock, true},
                      {Tvl2Set::kVisibilityBlock, Tvl3Set::kVisibilityBlock, false},
                      {Tvl2Set::kReductionBlock, Tvl3Set::kReductionBlock, false}};

// References the line set copies privately.
const struct {
    int from, to;
} kLineSetClones[] = {{Tvl2Set::kRefCurve1, Tvl3Set::kRefCurve1}, {Tvl2Set::kRefCurve2, Tvl3Set::kRefCurve2}};

// Brush slots of each group, source → target (the order of the brushes changes), and the duplicated
// second slot of each group.
const struct { int from, to; } kBrushSlots[] = {{0, 0}, {1, 2}, {2, 6}, {3, 5}, {4, 4}, {5, 3}};
const struct { int copy, of; } kBrushDuplicate = {1, 2};
const struct {
    int source, target;
} kBrushGroups[] = {{Tvl2Set::kRefBrushGroup0, Tvl3Set::kRefBrushGroup0},
                    {Tvl2Set::kRefBrushGroup1, Tvl3Set::kRefBrushGroup1}};

// Brush sub-map references copied privately.
const struct {
    int from, to;
} kSubMapClones[] = {{Tvl2BrushSubMapIds::kRefCurve1, Tvl3BrushSubMapIds::kRefCurve1},
                     {Tvl2BrushSubMapIds::kRefCurve2, Tvl3BrushSubMapIds::kRefCurve2}};

const MCHAR kOldGeneration[] = _M("Tavelin 2");

bool Is(ReferenceTarget* r, SClass_ID sc, Class_ID cid) {
    return r && r->SuperClassID() == sc && r->ClassID() == cid;
}

template <class T>
T* Make(SClass_ID sc, Class_ID cid) {
    return static_cast<T*>(GetCOREInterface()->CreateInstance(sc, cid));
}

// Puts the edge switches of a Tavelin 3 line-set block right: an override turns inheritance off, and
// without one the override follows inheritance; detection follows the mode.
void CorrectEdgeBlock(IParamBlock2* pb) {
    if (!pb) return;
    if (pb->GetInt(Tvl3Set::kEdgeOverride, 0, 0) != 0)
        pb->SetValue(Tvl3Set::kEdgeInherit, 0, 0, 0);
    else
        pb->SetValue(Tvl3Set::kEdgeOverride, 0, pb->GetInt(Tvl3Set::kEdgeInherit, 0, 0), 0);
    pb->SetValue(Tvl3Set::kEdgeDetect, 0, pb->GetInt(Tvl3Set::kEdgeMode, 0, 0), 0);
}

// The effect's line sets, converted in slot order: all of them go to target, or, when a slot holds no line
// set that converts, none.
void ConvertLineSets(Effect* effect, Effect* target, ConversionMap& map) {
    const int n = effect->NumRefs() - LineEffectIds::kRefFirstLineSet;
    Tab<ReferenceTarget*> slots;
    slots.SetCount((std::max)(n, 0));
    // The sources of the line sets made for this effect; line sets an earlier effect made are shared.
    std::vector<ReferenceTarget*> madeFrom(static_cast<size_t>(slots.Count()), nullptr);
    int converted = 0;
    for (int k = 0; k < n; ++k) {
        slots[k] = nullptr;
        ReferenceTarget* r = effect->GetReference(LineEffectIds::kRefFirstLineSet + k);
        if (!Is(r, RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID)) continue;
        const bool earlier = map.Lookup(r) != nullptr;
        slots[k] = ConvertLineSet(r, map);
        if (!earlier) madeFrom[static_cast<size_t>(k)] = r;
        converted += Is(slots[k], REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID);
    }
    if (converted == n) {
        SetLineSets(target, slots);
        return;
    }
    // The effect gets no line sets. The ones made for it go again, with what only they held, and leave
    // the map, so that no later lookup of this run hands out a deleted object; line sets that an earlier
    // effect already holds are that effect's and stay.
    std::vector<ReferenceTarget*> made;
    for (int k = 0; k < slots.Count(); ++k)
        if (slots[k] && madeFrom[static_cast<size_t>(k)]) made.push_back(slots[k]);
    DeleteConverted(made, map);
}

}  // namespace

MSTR ConvertedLineEffectName(const MSTR& sourceName, const MCHAR* suffix) {
    MSTR name = sourceName;
    if (suffix) {
        name += suffix;
        return name;
    }
    // The digit of the first "Tavelin 2" becomes a "3".
    if (const MCHAR* found = std::wcsstr(name.data(), kOldGeneration)) {
        const size_t digit = static_cast<size_t>(found - name.data()) + std::wcslen(kOldGeneration) - 1;
        name.dataForWrite()[digit] = _M('3');
    }
    return name;
}

Effect* ConvertLineEffect(Effect* effect, ConversionMap& map, const MCHAR* suffix) {
    if (!Is(effect, RENDER_EFFECT_CLASS_ID, TVL2_LINE_CLASS_ID)) return nullptr;
    if (auto* done = dynamic_cast<Effect*>(map.Lookup(effect))) return done;
    auto* target = Make<Effect>(RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID);
    if (!target) return nullptr;
    map.Append(effect, target);

    TransferParamBlock(effect->GetParamBlock(LineEffectIds::kMainBlock),
                       target->GetParamBlock(LineEffectIds::kMainBlock), true, theDefaultIDConverter);
    ConvertLineSets(effect, target, map);

    if (effect->Active(GetCOREInterface()->GetTime()))
        target->ClearAFlag(A_ATMOS_DISABLED);
    else
        target->SetAFlag(A_ATMOS_DISABLED);

    target->name = ConvertedLineEffectName(effect->name, suffix);
    return target;
}

ReferenceTarget* ConvertLineSet(ReferenceTarget* lineSet, ConversionMap& map) {
    if (ReferenceTarget* done = map.Lookup(lineSet)) return done;
    auto* target = Make<ReferenceTarget>(REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID);
    if (!target) return nullptr;
    map.Append(lineSet, target);

    const ParamIDConverterLineset lineset;
    for (const auto& b : kLineSetBlocks) {
        IParamBlock2* to = target->GetParamBlockByID(b.to);
        TransferParamBlock(lineSet->GetParamBlockByID(b.from), to, true, lineset);
        if (b.edgeBlock) CorrectEdgeBlock(to);
    }

    for (const auto& c : kLineSetClones)
        if (ReferenceTarget* r = lineSet->GetReference(c.from))
            target->ReplaceReference(c.to, CloneRefHierarchy(r), TRUE);

    for (const auto& group : kBrushGroups) {
        for (const auto& b : kBrushSlots) {
            ReferenceTarget* r = lineSet->GetReference(group.source + b.from);
            if (!Is(r, TEXMAP_CLASS_ID, TVL2_BRUSH_MAP_CLASS_ID)) continue;
            target->ReplaceReference(group.target + b.to, ConvertBrushMap(static_cast<Texmap*>(r), map),
                                     TRUE);
        }
        target->ReplaceReference(group.target + kBrushDuplicate.copy,
                                 target->GetReference(group.target + kBrushDuplicate.of), TRUE);
    }
    return target;
}

Texmap* ConvertBrushMap(Texmap* brush, ConversionMap& map) {
    if (auto* done = dynamic_cast<Texmap*>(map.Lookup(brush))) return done;
    auto* target = Make<Texmap>(TEXMAP_CLASS_ID, TVL3_BRUSH_MAP_CLASS_ID);
    if (!target) return nullptr;
    map.Append(brush, target);
    target->SetName(MSTR(brush->GetName()));

    TransferParamBlock(brush->GetParamBlockByID(Tvl2BrushMapIds::kMainBlock),
                       target->GetParamBlockByID(Tvl3BrushMapIds::kMainBlock), true, ParamIDConverterBrush());
    TransferSubMap(brush, Tvl2BrushMapIds::kSubMapPattern, target, Tvl3BrushMapIds::kSubMapPattern, map);
    TransferSubMap(brush, Tvl2BrushMapIds::kSubMapTexture, target, Tvl3BrushMapIds::kSubMapTexture, map);

    Texmap* sub = brush->GetSubTexmap(Tvl2BrushMapIds::kSubMapStroke);
    if (Is(sub, TEXMAP_CLASS_ID, TVL2_BRUSH_SUBMAP_CLASS_ID))
        target->SetSubTexmap(Tvl3BrushMapIds::kSubMapStroke, ConvertBrushSubMap(sub, map));
    return target;
}

Texmap* ConvertBrushSubMap(Texmap* subMap, ConversionMap& map) {
    if (auto* done = dynamic_cast<Texmap*>(map.Lookup(subMap))) return done;
    auto* target = Make<Texmap>(TEXMAP_CLASS_ID, TVL3_BRUSH_SUBMAP_CLASS_ID);
    if (!target) return nullptr;
    map.Append(subMap, target);
    target->SetName(MSTR(subMap->GetName()));

    for (int i = 0; i < target->NumParamBlocks(); ++i)
        TransferParamBlock(subMap->GetParamBlock(i), target->GetParamBlock(i), true, theDefaultIDConverter);
    TransferSubMap(subMap, Tvl2BrushSubMapIds::kSubMapShape, target, Tvl3BrushSubMapIds::kSubMapShape, map);
    TransferSubMap(subMap, Tvl2BrushSubMapIds::kSubMapGrain, target, Tvl3BrushSubMapIds::kSubMapGrain, map);

    for (const auto& c : kSubMapClones)
        if (ReferenceTarget* r = subMap->GetReference(c.from))
            target->ReplaceReference(c.to, CloneRefHierarchy(r), TRUE);
    return target;
}

void TransferSubMap(MtlBase* source, int i, MtlBase* target, int j, ConversionMap& map) {
    Texmap* sub = source->GetSubTexmap(i);
    if (!sub) return;
    // Copies are kept apart from conversions: the same map may be a converted brush sub-map elsewhere.
    if (auto* done = dynamic_cast<Texmap*>(map.Lookup(sub, ConversionKind::Cloned))) {
        target->SetSubTexmap(j, done);
        return;
    }
    auto* copy = static_cast<Texmap*>(CloneRefHierarchy(sub));
    map.Append(sub, copy, ConversionKind::Cloned);
    if (copy) target->SetSubTexmap(j, copy);
}

void SetLineSets(Effect* effect, Tab<ReferenceTarget*>& lineSets) {
    auto* fp = dynamic_cast<FPInterface*>(effect->GetInterface(TVL3_LINE_INTERFACE_ID));
    if (!fp) return;
    FPParams params(1, TYPE_REFTARG_TAB_BR, &lineSets);
    FPValue result;
    fp->Invoke(TVL3_LINE_FN_SET_LINE_SETS, result, &params);
}
