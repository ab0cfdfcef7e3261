#include "EffectListRecords.h"

#include "ChangeWithUndo.h"

namespace {

Effect* Held(ReferenceHolder& h) { return static_cast<Effect*>(h.GetReference(0)); }

// The position of e in the list, searching from its end; -1 when it is not there.
int FindEffect(Interface* ip, Effect* e) {
    for (int i = ip->NumEffects() - 1; i >= 0; --i)
        if (ip->GetEffect(i) == e) return i;
    return -1;
}

// The host only appends to its list: an effect goes back at index by taking the ones after it off and
// appending them again behind it.
void InsertEffect(Interface* ip, int index, Effect* e) {
    ReferenceHolder tail;
    const int n = ip->NumEffects();
    tail.SetRefCount(n > index ? n - index : 0);
    for (int i = index; i < n; ++i) tail.ReplaceReference(i - index, ip->GetEffect(i));
    for (int i = n - 1; i >= index; --i) ip->DeleteEffect(i);
    ip->AddEffect(e);
    for (int i = 0; i < tail.NumRefs(); ++i)
        if (auto* t = static_cast<Effect*>(tail.GetReference(i))) ip->AddEffect(t);
}

}  // namespace

void AppendEffect(Effect* effect) {
    ChangeWithUndo<AppendEffectRestore>([&](AppendEffectRestore& r) {
        QuietBody quiet;
        r.effect.SetOnlyRef(effect);
    });
}

void AppendEffectRestore::Restore(int) {
    QuietBody quiet;
    Interface* ip = GetCOREInterface();
    int at = FindEffect(ip, Held(effect));
    if (at >= 0) ip->DeleteEffect(at);
}

void AppendEffectRestore::Redo() {
    QuietBody quiet;
    if (Effect* e = Held(effect)) GetCOREInterface()->AddEffect(e);
}

void DeleteEffectAt(int index) {
    ChangeWithUndo<DeleteEffectRestore>([&](DeleteEffectRestore& r) {
        QuietBody quiet;
        r.effect.SetOnlyRef(GetCOREInterface()->GetEffect(index));
        r.index = index;
    });
}

void DeleteEffectRestore::Restore(int) {
    QuietBody quiet;
    Interface* ip = GetCOREInterface();
    Effect* e = Held(effect);
    if (!e || index > ip->NumEffects()) return;
    InsertEffect(ip, index, e);
}

void DeleteEffectRestore::Redo() {
    QuietBody quiet;
    Interface* ip = GetCOREInterface();
    if (index < ip->NumEffects() && ip->GetEffect(index) == Held(effect)) ip->DeleteEffect(index);
}
