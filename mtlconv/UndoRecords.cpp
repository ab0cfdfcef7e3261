#include "UndoRecords.h"

#include <algorithm>

#include "ChangeWithUndo.h"
#include "ProductInterfaces.h"

namespace {

// The map the viewports show for a sub-material slot that holds sub.
ReferenceTarget* ShownMap(Mtl* sub) {
    if (!sub) return nullptr;
    if (sub->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED)) return sub;
    return sub->GetActiveTexmap();
}

}  // namespace

void SetMtlSlot(int slot, MtlBase* m) {
    ChangeWithUndo<MtlEditorRestore>([&](MtlEditorRestore& r) {
        QuietBody quiet;
        r.oldMtl.SetOnlyRef(GetCOREInterface7()->GetMtlSlot(slot));
        r.newMtl.SetOnlyRef(m);
        r.slot = slot;
    });
}

void MtlEditorRestore::Restore(int) {
    QuietBody quiet;
    GetCOREInterface7()->SetMtlSlot(slot, static_cast<MtlBase*>(oldMtl.GetOnlyRef()));
}

void MtlEditorRestore::Redo() {
    QuietBody quiet;
    GetCOREInterface7()->SetMtlSlot(slot, static_cast<MtlBase*>(newMtl.GetOnlyRef()));
}

void SetSubMtl(Mtl* parentMtl, Mtl* m, int index) {
    ChangeWithUndo<SetSubMtlRestore>([&](SetSubMtlRestore& r) {
        QuietBody quiet;
        r.parent.SetOnlyRef(parentMtl);
        r.index = index;
        Mtl* old = parentMtl->GetSubMtl(index);
        r.oldSubMtl.SetOnlyRef(old);
        r.oldShownMap.SetOnlyRef(ShownMap(old));
        r.newMtl.SetOnlyRef(m);
        Mtl* base = m ? m->GetSubMtl(Tvl3MaterialIds::kSubMtlBase) : nullptr;
        r.newShownMap.SetOnlyRef(ShownMap(base));

        std::vector<ReferenceTarget*> involved;
        for (ReferenceTarget* t : std::initializer_list<ReferenceTarget*>{
                 parentMtl->GetActiveTexmap(), old, ShownMap(old), m, base, ShownMap(base)})
            if (t && std::find(involved.begin(), involved.end(), t) == involved.end()) involved.push_back(t);
        r.viewport.SetRefCount(SetSubMtlRestore::kFirstInvolved + static_cast<int>(involved.size()));
        r.viewport.ReplaceReference(SetSubMtlRestore::kActiveBefore, parentMtl->GetActiveTexmap());
        for (size_t i = 0; i < involved.size(); ++i)
            r.viewport.ReplaceReference(SetSubMtlRestore::kFirstInvolved + static_cast<int>(i), involved[i]);
        r.TakeViewport(SetSubMtlRestore::kActiveBefore, r.shownBefore);
    });
}

void SetSubMtlRestore::Apply(ReferenceTarget* sub, ReferenceTarget* show, ReferenceTarget* hide) {
    auto* p = static_cast<Mtl*>(parent.GetOnlyRef());
    if (!p) return;
    p->SetSubMtl(index, static_cast<Mtl*>(sub));
    p->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, TRUE, nullptr);
    // Texture activation is asked of the host for real maps only.
    Interface* ip = GetCOREInterface();
    if (hide) ip->DeActivateTexture(static_cast<MtlBase*>(hide), p, index);
    if (show) ip->ActivateTexture(static_cast<MtlBase*>(show), p, index);
}

void SetSubMtlRestore::TakeViewport(int activeEntry, std::vector<int>& shown) {
    auto* p = static_cast<Mtl*>(parent.GetOnlyRef());
    if (activeEntry != kActiveBefore)
        viewport.ReplaceReference(activeEntry, p ? p->GetActiveTexmap() : nullptr);
    shown.clear();
    for (int i = kFirstInvolved; i < viewport.NumRefs(); ++i) {
        auto* m = static_cast<MtlBase*>(viewport.GetReference(i));
        shown.push_back(m && m->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED));
    }
}

void SetSubMtlRestore::PutViewport(int activeEntry, const std::vector<int>& shown) {
    auto* p = static_cast<Mtl*>(parent.GetOnlyRef());
    if (!p) return;
    p->SetActiveTexmap(static_cast<MtlBase*>(viewport.GetReference(activeEntry)));
    for (size_t i = 0; i < shown.size(); ++i)
        if (auto* m = static_cast<MtlBase*>(viewport.GetReference(kFirstInvolved + static_cast<int>(i))))
            m->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED, shown[i] ? TRUE : FALSE);
}

void SetSubMtlRestore::Restore(int) {
    QuietBody quiet;
    Apply(oldSubMtl.GetOnlyRef(), oldShownMap.GetOnlyRef(), newShownMap.GetOnlyRef());
    PutViewport(kActiveBefore, shownBefore);
}

void SetSubMtlRestore::Redo() {
    QuietBody quiet;
    Apply(newMtl.GetOnlyRef(), newShownMap.GetOnlyRef(), oldShownMap.GetOnlyRef());
    // The first Redo makes the change; later ones put back what it left.
    if (changed) {
        PutViewport(kActiveAfter, shownAfter);
        return;
    }
    TakeViewport(kActiveAfter, shownAfter);
    changed = true;
}

void ClearMtlList(MtlConvList& list) {
    ChangeWithUndo<ClearMtlListRestore>([&](ClearMtlListRestore& r) {
        r.list = &list;
        r.saved = list.Entries();
        QuietBody quiet;
        r.savedMaterials.SetRefCount(static_cast<int>(r.saved.size()));
        for (size_t i = 0; i < r.saved.size(); ++i)
            r.savedMaterials.ReplaceReference(static_cast<int>(i), r.saved[i].material);
    });
}

void ClearMtlListRestore::Restore(int) {
    QuietBody quiet;
    list->Assign(saved);
    list->NotifyChanged();
}

void ClearMtlListRestore::Redo() {
    QuietBody quiet;
    list->Clear();
    list->NotifyChanged();
}

void SubMapRestore::SubMapSwitched(MtlBase* holder, int slot, Texmap* before, Texmap* after) {
    QuietBody quiet;
    auto sw = std::make_unique<Switch>();
    sw->held.SetRefCount(kNumHeld);
    sw->held.ReplaceReference(kHeldHolder, holder);
    sw->held.ReplaceReference(kHeldBefore, before);
    sw->held.ReplaceReference(kHeldAfter, after);
    sw->slot = slot;
    switches_.push_back(std::move(sw));
}

void SubMapRestore::ForgetHolder(MtlBase* holder) {
    QuietBody quiet;
    // The holder may have no other reference yet (a material the run made and has not placed): letting go
    // of it must not delete it.
    for (auto& sw : switches_)
        if (sw->held.GetReference(kHeldHolder) == holder)
            sw->held.ReplaceReference(kHeldHolder, nullptr, FALSE);
    switches_.erase(
        std::remove_if(switches_.begin(), switches_.end(),
                       [](const std::unique_ptr<Switch>& sw) { return !sw->held.GetReference(kHeldHolder); }),
        switches_.end());
}

void SubMapRestore::Restore(int) {
    QuietBody quiet;
    for (auto it = switches_.rbegin(); it != switches_.rend(); ++it) {
        Switch& sw = **it;
        if (auto* holder = dynamic_cast<MtlBase*>(sw.held.GetReference(kHeldHolder)))
            holder->SetSubTexmap(sw.slot, dynamic_cast<Texmap*>(sw.held.GetReference(kHeldBefore)));
    }
}

void SubMapRestore::Redo() {
    QuietBody quiet;
    for (auto& sw : switches_)
        if (auto* holder = dynamic_cast<MtlBase*>(sw->held.GetReference(kHeldHolder)))
            holder->SetSubTexmap(sw->slot, dynamic_cast<Texmap*>(sw->held.GetReference(kHeldAfter)));
}
