#include "UndoRecords.h"

#include <algorithm>

#include "ChangeWithUndo.h"

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
    GetCOREInterface7()->SetMtlSlot(slot, static_cast<MtlBase*>(oldMtl.GetReference(0)));
}

void MtlEditorRestore::Redo() {
    QuietBody quiet;
    GetCOREInterface7()->SetMtlSlot(slot, static_cast<MtlBase*>(newMtl.GetReference(0)));
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
        Mtl* base = m ? m->GetSubMtl(0) : nullptr;
        r.newShownMap.SetOnlyRef(ShownMap(base));

        std::vector<ReferenceTarget*> involved;
        for (ReferenceTarget* t : std::initializer_list<ReferenceTarget*>{
                 parentMtl->GetActiveTexmap(), old, ShownMap(old), m, base, ShownMap(base)})
            if (t && std::find(involved.begin(), involved.end(), t) == involved.end()) involved.push_back(t);
        r.viewport.SetRefCount(2 + static_cast<int>(involved.size()));
        r.viewport.ReplaceReference(0, parentMtl->GetActiveTexmap());
        for (size_t i = 0; i < involved.size(); ++i)
            r.viewport.ReplaceReference(2 + static_cast<int>(i), involved[i]);
        r.TakeViewport(0, r.shownBefore);
    });
}

void SetSubMtlRestore::Apply(ReferenceTarget* sub, ReferenceTarget* show, ReferenceTarget* hide) {
    auto* p = static_cast<Mtl*>(parent.GetReference(0));
    if (!p) return;
    p->SetSubMtl(index, static_cast<Mtl*>(sub));
    p->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, TRUE, nullptr);
    // Texture activation is asked of the host for real maps only.
    Interface* ip = GetCOREInterface();
    if (hide) ip->DeActivateTexture(static_cast<MtlBase*>(hide), p, index);
    if (show) ip->ActivateTexture(static_cast<MtlBase*>(show), p, index);
}

void SetSubMtlRestore::TakeViewport(int activeEntry, std::vector<int>& shown) {
    auto* p = static_cast<Mtl*>(parent.GetReference(0));
    if (activeEntry != 0) viewport.ReplaceReference(activeEntry, p ? p->GetActiveTexmap() : nullptr);
    shown.clear();
    for (int i = 2; i < viewport.NumRefs(); ++i) {
        auto* m = static_cast<MtlBase*>(viewport.GetReference(i));
        shown.push_back(m && m->TestMtlFlag(MTL_TEX_DISPLAY_ENABLED));
    }
}

void SetSubMtlRestore::PutViewport(int activeEntry, const std::vector<int>& shown) {
    auto* p = static_cast<Mtl*>(parent.GetReference(0));
    if (!p) return;
    p->SetActiveTexmap(static_cast<MtlBase*>(viewport.GetReference(activeEntry)));
    for (size_t i = 0; i < shown.size(); ++i)
        if (auto* m = static_cast<MtlBase*>(viewport.GetReference(2 + static_cast<int>(i))))
            m->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED, shown[i] ? TRUE : FALSE);
}

void SetSubMtlRestore::Restore(int) {
    QuietBody quiet;
    Apply(oldSubMtl.GetReference(0), oldShownMap.GetReference(0), newShownMap.GetReference(0));
    PutViewport(0, shownBefore);
}

void SetSubMtlRestore::Redo() {
    QuietBody quiet;
    Apply(newMtl.GetReference(0), newShownMap.GetReference(0), oldShownMap.GetReference(0));
    // The first Redo makes the change; later ones put back what it left.
    if (changed) {
        PutViewport(1, shownAfter);
        return;
    }
    TakeViewport(1, shownAfter);
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
    sw->held.SetRefCount(3);
    sw->held.ReplaceReference(0, holder);
    sw->held.ReplaceReference(1, before);
    sw->held.ReplaceReference(2, after);
    sw->slot = slot;
    switches_.push_back(std::move(sw));
}

void SubMapRestore::ForgetHolder(MtlBase* holder) {
    QuietBody quiet;
    // The holder may have no other reference yet (a material the run made and has not placed): letting go
    // of it must not delete it.
    for (auto& sw : switches_)
        if (sw->held.GetReference(0) == holder) sw->held.ReplaceReference(0, nullptr, FALSE);
    switches_.erase(
        std::remove_if(switches_.begin(), switches_.end(),
                       [](const std::unique_ptr<Switch>& sw) { return !sw->held.GetReference(0); }),
        switches_.end());
}

void SubMapRestore::Restore(int) {
    QuietBody quiet;
    for (auto it = switches_.rbegin(); it != switches_.rend(); ++it) {
        Switch& sw = **it;
        if (auto* holder = dynamic_cast<MtlBase*>(sw.held.GetReference(0)))
            holder->SetSubTexmap(sw.slot, dynamic_cast<Texmap*>(sw.held.GetReference(1)));
    }
}

void SubMapRestore::Redo() {
    QuietBody quiet;
    for (auto& sw : switches_)
        if (auto* holder = dynamic_cast<MtlBase*>(sw->held.GetReference(0)))
            holder->SetSubTexmap(sw->slot, dynamic_cast<Texmap*>(sw->held.GetReference(2)));
}
