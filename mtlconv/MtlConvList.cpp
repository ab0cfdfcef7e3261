#include "MtlConvList.h"

MtlConvList::MtlConvList() : watcher_(this) {}

MtlConvList::~MtlConvList() { watcher_.ReleaseAll(); }

void MtlConvList::Append(const MtlConvData& entry) {
    if (!entry.material || Contains(entry.material)) return;
    items_.push_back(entry);
    index_[entry.material] = std::prev(items_.end());
    watcher_.Hold(entry.material);
}

void MtlConvList::Erase(MtlBase* m) {
    auto it = index_.find(m);
    if (it == index_.end()) return;
    items_.erase(it->second);
    index_.erase(it);
    watcher_.Release(m);
}

void MtlConvList::Clear() {
    items_.clear();
    index_.clear();
    watcher_.ReleaseAll();
}

void MtlConvList::Assign(const std::vector<MtlConvData>& entries) {
    Clear();
    for (const MtlConvData& e : entries) Append(e);
}

void MtlConvList::Forget(ReferenceTarget* gone) {
    for (auto i = items_.begin(); i != items_.end(); ++i) {
        if (static_cast<ReferenceTarget*>(i->material) != gone) continue;
        index_.erase(i->material);
        items_.erase(i);
        NotifyChanged();
        return;
    }
}

// ---- Watcher ----

MtlConvList::Watcher::~Watcher() { ReleaseAll(); }

RefTargetHandle MtlConvList::Watcher::GetReference(int i) {
    return i >= 0 && i < NumRefs() ? refs_[static_cast<size_t>(i)] : nullptr;
}

void MtlConvList::Watcher::SetReference(int i, RefTargetHandle rtarg) {
    if (i >= 0 && i < NumRefs()) refs_[static_cast<size_t>(i)] = rtarg;
}

void MtlConvList::Watcher::Hold(MtlBase* m) {
    SuspendAll suspend(TRUE);
    int slot;
    if (!free_.empty()) {
        slot = free_.back();
        free_.pop_back();
    } else {
        slot = NumRefs();
        refs_.push_back(nullptr);
    }
    if (ReplaceReference(slot, m) != REF_SUCCEED) {
        free_.push_back(slot);
        return;
    }
    slotOf_[m] = slot;
}

void MtlConvList::Watcher::Release(MtlBase* m) {
    auto it = slotOf_.find(m);
    if (it == slotOf_.end()) return;
    int slot = it->second;
    slotOf_.erase(it);
    SuspendAll suspend(TRUE);
    ReplaceReference(slot, nullptr);
    free_.push_back(slot);
}

void MtlConvList::Watcher::ReleaseAll() {
    SuspendAll suspend(TRUE);
    DeleteAllRefs();
    refs_.clear();
    free_.clear();
    slotOf_.clear();
}

RefResult MtlConvList::Watcher::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                                 RefMessage message, BOOL) {
    if (message != REFMSG_TARGET_DELETED) return REF_SUCCEED;
    // The host is freeing a listed material: its entry goes, and the slot with it.
    auto it = slotOf_.find(hTarget);
    if (it != slotOf_.end()) {
        refs_[static_cast<size_t>(it->second)] = nullptr;
        free_.push_back(it->second);
        slotOf_.erase(it);
    }
    list_->Forget(hTarget);
    return REF_SUCCEED;
}
