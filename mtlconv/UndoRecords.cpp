#include "UndoRecords.h"

#include <algorithm>

namespace {

// Creates the record, decides before anything else whether theHold will keep it, fills it, performs the
// change through the record's own Redo, then hands it over or drops it.
template <class Record, class Fill>
void ChangeWithUndo(Fill fill) {
    auto* record = new Record;
    const bool keep = theHold.Holding() && !theHold.RestoreOrRedoing();
    fill(*record);
    record->Redo();
    if (keep)
        theHold.Put(record);
    else
        delete record;
}

// Undo recording and the macro recorder are off while a record fills itself or replays.
struct QuietBody : SuspendAll {
    QuietBody() : SuspendAll(TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE) {}
};

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
        r.newShownMap.SetOnlyRef(m ? ShownMap(m->GetSubMtl(0)) : nullptr);
    });
}

void SetSubMtlRestore::Apply(ReferenceTarget* sub, ReferenceTarget* show, ReferenceTarget* hide) {
    auto* p = static_cast<Mtl*>(parent.GetReference(0));
    if (!p) return;
    p->SetSubMtl(index, static_cast<Mtl*>(sub));
    p->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, TRUE, nullptr);
    Interface* ip = GetCOREInterface();
    ip->DeActivateTexture(static_cast<MtlBase*>(hide), p, index);
    ip->ActivateTexture(static_cast<MtlBase*>(show), p, index);
}

void SetSubMtlRestore::Restore(int) {
    QuietBody quiet;
    Apply(oldSubMtl.GetReference(0), oldShownMap.GetReference(0), newShownMap.GetReference(0));
}

void SetSubMtlRestore::Redo() {
    QuietBody quiet;
    Apply(newMtl.GetReference(0), newShownMap.GetReference(0), oldShownMap.GetReference(0));
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
    switches_.erase(std::remove_if(switches_.begin(), switches_.end(),
                                   [holder](const std::unique_ptr<Switch>& sw) {
                                       return sw->held.GetReference(0) == holder;
                                   }),
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
