#include "EffectListRecords.h"

namespace {

// Brings the host's list to what list holds: the entries after the part both share are taken off from
// the end and the rest appended, since the host only appends to its list and deletes from it.
void Rebuild(ReferenceHolder& list) {
    QuietBody quiet;
    Interface* ip = GetCOREInterface();
    int same = 0;
    while (same < ip->NumEffects() && same < list.NumRefs() && ip->GetEffect(same) == list.GetReference(same))
        ++same;
    for (int i = ip->NumEffects() - 1; i >= same; --i) ip->DeleteEffect(i);
    for (int i = same; i < list.NumRefs(); ++i)
        if (auto* e = static_cast<Effect*>(list.GetReference(i))) ip->AddEffect(e);
}

}  // namespace

void EffectListRestore::Take(ReferenceHolder& list) {
    QuietBody quiet;
    Interface* ip = GetCOREInterface();
    const int n = ip->NumEffects();
    list.SetRefCount(n);
    for (int i = 0; i < n; ++i) list.ReplaceReference(i, ip->GetEffect(i));
}

bool EffectListRestore::Changed() {
    if (before.NumRefs() != after.NumRefs()) return true;
    for (int i = 0; i < before.NumRefs(); ++i)
        if (before.GetReference(i) != after.GetReference(i)) return true;
    return false;
}

void EffectListRestore::Restore(int) { Rebuild(before); }

void EffectListRestore::Redo() { Rebuild(after); }
