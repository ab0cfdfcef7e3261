#include "LineConversionRun.h"

#include <unordered_set>

#include "ConversionMap.h"
#include "EffectListRecords.h"
#include "LineEffectConversion.h"
#include "ProductInterfaces.h"

namespace {

// The number of line sets a Tavelin 3 line effect holds, read from its references after its block.
int CountLineSets(Effect* e) {
    int n = 0;
    for (int i = LineEffectIds::kRefFirstLineSet; i < e->NumRefs(); ++i)
        if (ReferenceTarget* r = e->GetReference(i))
            n += r->SuperClassID() == REF_TARGET_CLASS_ID && r->ClassID() == TVL3_LINE_SET_CLASS_ID;
    return n;
}

// Converts every Tavelin 2 line effect of the list, in list order, and answers the new effects.
std::vector<Effect*> ConvertLineEffects(const MCHAR* suffix, ConversionMap& map, LineRunResult* result) {
    Interface* ip = GetCOREInterface();
    std::vector<Effect*> converted;
    // New effects take their sources' values as they are, not as keys at the current frame.
    SuspendAll noKeys(FALSE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE);
    for (int i = 0; i < ip->NumEffects(); ++i) {
        Effect* e = ip->GetEffect(i);
        if (!e) continue;
        Effect* made = ConvertLineEffect(e, map, suffix);
        if (made) converted.push_back(made);
        if (result) {
            LineRunResult::Entry entry{e, made, e->name, made ? made->name : MSTR(), 0, false, false};
            if (made) {
                entry.lineSets = CountLineSets(made);
                entry.active = made->Active(ip->GetTime()) != FALSE;
            }
            result->entries.push_back(entry);
        }
    }
    return converted;
}

}  // namespace

void RunLineConversion(const MCHAR* suffix, bool deleteSources, const MCHAR* undoName,
                       LineRunResult* result) {
    if (suffix && !*suffix) suffix = nullptr;
    Interface* ip = GetCOREInterface();
    if (!ip) return;

    ConversionMap map;
    std::vector<Effect*> converted = ConvertLineEffects(suffix, map, result);

    theHold.Begin();
    std::unordered_set<Effect*> deleted;
    ChangeEffectList([&] {
        for (Effect* e : converted) ip->AddEffect(e);
        if (!deleteSources) return;
        for (int n = ip->NumEffects() - 1; n >= 0; --n) {
            Effect* e = ip->GetEffect(n);
            if (!e || !map.Lookup(e)) continue;
            ip->DeleteEffect(n);
            deleted.insert(e);
        }
    });
    if (result)
        for (auto& entry : result->entries) entry.deleted = deleted.count(entry.source) != 0;
    MSTR holdName(undoName);  // the host takes the name as a writable string
    theHold.Accept(holdName.dataForWrite());
}
