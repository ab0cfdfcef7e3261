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

// Line-set blocks: which Tavelin 2 block goes to which Tavelin 3 block, and whether the edge switches are
// put right afterwards.
const struct {
    BlockID from, to;
    bool edgeBlock;
} kLineSetBlocks[] = {{0, 0, false}, {1, 2, true}, {2, 3, true}, {4, 4, false}, {5, 5, false}};

// Edge block parameters of the Tavelin 3 line set.
const ParamID kEdgeOverride = 0;
const ParamID kEdgeInherit = 1;
const ParamID kEdgeDetect = 9;
const ParamID kEdgeMode = 10;

// References the line set copies privately.
const struct { int from, to; } kLineSetClones[] = {{31, 6}, {32, 7}};

// Brush references of the two groups, source → target, and the duplicated second slot of each group.
const struct {
    int from, to;
} kBrushRefs[2][6] = {
    {{13, 10}, {14, 12}, {15, 16}, {16, 15}, {17, 14}, {18, 13}},
    {{19, 21}, {20, 23}, {21, 27}, {22, 26}, {23, 25}, {24, 24}},
};
const struct { int copy, of; } kBrushDuplicates[2] = {{11, 12}, {22, 23}};

// Brush sub-map references copied privately.
const struct { int from, to; } kSubMapClones[] = {{8, 6}, {9, 7}};

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
    if (pb->GetInt(kEdgeOverride, 0, 0) != 0)
        pb->SetValue(kEdgeInherit, 0, 0, 0);
    else
        pb->SetValue(kEdgeOverride, 0, pb->GetInt(kEdgeInherit, 0, 0), 0);
    pb->SetValue(kEdgeDetect, 0, pb->GetInt(kEdgeMode, 0, 0), 0);
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

    TransferParamBlock(effect->GetParamBlock(0), target->GetParamBlock(0), true, theDefaultIDConverter);

    const int n = effect->NumRefs() - 1;
    Tab<ReferenceTarget*> slots;
    slots.SetCount((std::max)(n, 0));
    // The sources of the line sets made for this effect; line sets an earlier effect made are shared.
    std::vector<ReferenceTarget*> madeFrom(static_cast<size_t>((std::max)(n, 0)), nullptr);
    for (int k = 1; k <= n; ++k) {
        slots[k - 1] = nullptr;
        ReferenceTarget* r = effect->GetReference(k);
        if (!Is(r, RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID)) continue;
        const bool earlier = map.Lookup(r) != nullptr;
        slots[k - 1] = ConvertLineSet(r, map);
        if (!earlier) madeFrom[static_cast<size_t>(k - 1)] = r;
    }

    int converted = 0;
    for (int k = 0; k < slots.Count(); ++k)
        converted += Is(slots[k], REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID);
    if (converted == n) {
        SetLineSets(target, slots);
    } else {
        // The effect gets no line sets. The ones made for it go again, with what only they held, and
        // leave the map, so that no later lookup of this run hands out a deleted object; line sets that an
        // earlier effect already holds are that effect's and stay.
        std::vector<ReferenceTarget*> made;
        for (int k = 0; k < slots.Count(); ++k)
            if (slots[k] && madeFrom[static_cast<size_t>(k)]) made.push_back(slots[k]);
        DeleteConverted(made, map);
    }

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

    for (int group = 0; group < 2; ++group) {
        for (const auto& b : kBrushRefs[group]) {
            ReferenceTarget* r = lineSet->GetReference(b.from);
            if (!Is(r, TEXMAP_CLASS_ID, TVL2_BRUSH_MAP_CLASS_ID)) continue;
            target->ReplaceReference(b.to, ConvertBrushMap(static_cast<Texmap*>(r), map), TRUE);
        }
        const auto& d = kBrushDuplicates[group];
        target->ReplaceReference(d.copy, target->GetReference(d.of), TRUE);
    }
    return target;
}

Texmap* ConvertBrushMap(Texmap* brush, ConversionMap& map) {
    if (auto* done = dynamic_cast<Texmap*>(map.Lookup(brush))) return done;
    auto* target = Make<Texmap>(TEXMAP_CLASS_ID, TVL3_BRUSH_MAP_CLASS_ID);
    if (!target) return nullptr;
    map.Append(brush, target);
    target->SetName(MSTR(brush->GetName()));

    TransferParamBlock(brush->GetParamBlockByID(0), target->GetParamBlockByID(0), true,
                       ParamIDConverterBrush());
    TransferSubMap(brush, 0, target, 1, map);
    TransferSubMap(brush, 2, target, 2, map);

    Texmap* sub = brush->GetSubTexmap(1);
    if (Is(sub, TEXMAP_CLASS_ID, TVL2_BRUSH_SUBMAP_CLASS_ID))
        target->SetSubTexmap(0, ConvertBrushSubMap(sub, map));
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
    TransferSubMap(subMap, 0, target, 0, map);
    TransferSubMap(subMap, 1, target, 1, map);

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
