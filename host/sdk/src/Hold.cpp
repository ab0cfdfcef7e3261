#include "hold.h"

#include "HostRestore.h"
#include "ObjectPool.h"

Hold::Hold() = default;

Hold::~Hold() { ClearUndoStacks(); }

void Hold::Free(Transaction& t) {
    for (RestoreObj* r : t.records) delete r;
    t.records.clear();
}

void Hold::Begin() { levels_.push_back(open_.size()); }

bool Hold::Put(RestoreObj* rob) {
    if (!rob) return false;
    if (!Holding()) {
        delete rob;
        return false;
    }
    open_.push_back(rob);
    return true;
}

int Hold::Holding() { return !levels_.empty() && suspended_ == 0 && !restoring_ && !redoing_; }
void Hold::Suspend() { ++suspended_; }
void Hold::Resume() {
    if (suspended_ > 0) --suspended_;
}
int Hold::IsSuspended() { return suspended_ > 0; }

int Hold::Restoring(int& isUndo) {
    isUndo = isUndo_;
    return restoring_;
}
int Hold::Redoing() { return redoing_; }
int Hold::RestoreOrRedoing() { return restoring_ || redoing_; }

void Hold::Accept(MCHAR* name) {
    if (levels_.empty()) return;
    levels_.pop_back();
    if (!levels_.empty()) return;  // an inner transaction's records stay with the outer one
    Transaction t{MSTR(name), std::move(open_)};
    open_.clear();
    if (t.records.empty()) return;
    for (RestoreObj* r : t.records) r->EndHold();
    undo_.push_back(std::move(t));
    for (Transaction& r : redo_) Free(r);
    redo_.clear();
}

void Hold::Cancel() {
    if (levels_.empty()) return;
    size_t from = levels_.back();
    levels_.pop_back();
    ++restoring_;
    isUndo_ = 1;
    for (size_t i = open_.size(); i > from; --i) open_[i - 1]->Restore(TRUE);
    --restoring_;
    isUndo_ = 0;
    for (size_t i = from; i < open_.size(); ++i) delete open_[i];
    open_.resize(from);
}

BOOL Hold::Undo() {
    if (undo_.empty() || !levels_.empty()) return FALSE;
    Transaction t = std::move(undo_.back());
    undo_.pop_back();
    ++restoring_;
    isUndo_ = 1;
    for (size_t i = t.records.size(); i > 0; --i) t.records[i - 1]->Restore(TRUE);
    --restoring_;
    isUndo_ = 0;
    redo_.push_back(std::move(t));
    return TRUE;
}

BOOL Hold::Redo() {
    if (redo_.empty() || !levels_.empty()) return FALSE;
    Transaction t = std::move(redo_.back());
    redo_.pop_back();
    ++redoing_;
    for (RestoreObj* r : t.records) r->Redo();
    --redoing_;
    undo_.push_back(std::move(t));
    return TRUE;
}

int Hold::NumUndoEntries() const { return static_cast<int>(undo_.size()); }
int Hold::NumRedoEntries() const { return static_cast<int>(redo_.size()); }
MSTR Hold::UndoName(int i) const {
    return i >= 0 && i < NumUndoEntries() ? undo_[undo_.size() - 1 - i].name : MSTR();
}
MSTR Hold::RedoName(int i) const {
    return i >= 0 && i < NumRedoEntries() ? redo_[redo_.size() - 1 - i].name : MSTR();
}
int Hold::NumRecordsOpen() const { return static_cast<int>(open_.size()); }

void Hold::ClearUndoStacks() {
    // Records may free objects as they let go of them; take each list out before freeing it.
    std::vector<RestoreObj*> open = std::move(open_);
    open_.clear();
    levels_.clear();
    for (RestoreObj* r : open) delete r;
    while (!undo_.empty()) {
        Transaction t = std::move(undo_.back());
        undo_.pop_back();
        Free(t);
    }
    while (!redo_.empty()) {
        Transaction t = std::move(redo_.back());
        redo_.pop_back();
        Free(t);
    }
}

void Hold::ForgetObject(ReferenceMaker* gone) {
    auto forget = [gone](std::vector<RestoreObj*>& records) {
        for (RestoreObj* r : records)
            if (auto* h = dynamic_cast<HostRestoreObj*>(r)) h->Forget(gone);
    };
    forget(open_);
    for (Transaction& t : undo_) forget(t.records);
    for (Transaction& t : redo_) forget(t.records);
}

// ---- SuspendAll ----

SuspendAll::SuspendAll(BOOL holdState, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL) : holdSuspended_(holdState) {
    if (holdSuspended_) theHold.Suspend();
}

SuspendAll::~SuspendAll() { Resume(); }

void SuspendAll::Resume() {
    if (resumed_) return;
    resumed_ = true;
    if (holdSuspended_) theHold.Resume();
}

// ---- RefRestore ----

// Counts the undo records that point at each maker.
class UndoPins {
public:
    static void Pin(ReferenceMaker* m) {
        ++m->undoRecords_;
        if (m->IsRefTarget()) ++static_cast<ReferenceTarget*>(m)->undoPins_;
    }
    static void Unpin(ReferenceMaker* m) {
        --m->undoRecords_;
        if (m->IsRefTarget()) {
            ReferenceTarget* t = static_cast<ReferenceTarget*>(m);
            --t->undoPins_;
            HostObjectPool::FreeIfUnused(t);
        }
    }
};

void PinForUndo(ReferenceMaker* m) {
    if (m) UndoPins::Pin(m);
}

void UnpinForUndo(ReferenceMaker* m) {
    if (m) UndoPins::Unpin(m);
}

RefRestore::RefRestore(ReferenceMaker* maker, int which, RefTargetHandle oldTarg, RefTargetHandle newTarg)
    : maker_(maker), which_(which), old_(oldTarg), new_(newTarg) {
    PinForUndo(maker_);
    PinForUndo(old_);
    PinForUndo(new_);
}

RefRestore::~RefRestore() {
    ReferenceMaker* m = maker_;
    RefTargetHandle o = old_, n = new_;
    maker_ = nullptr;
    old_ = new_ = nullptr;
    UnpinForUndo(o);
    UnpinForUndo(n);
    UnpinForUndo(m);
}

void RefRestore::Restore(int) {
    if (maker_ && which_ < maker_->NumRefs()) maker_->SetRefRaw(which_, old_);
}

void RefRestore::Redo() {
    if (maker_ && which_ < maker_->NumRefs()) maker_->SetRefRaw(which_, new_);
}

void RefRestore::Forget(ReferenceMaker* gone) {
    if (gone == maker_) maker_ = nullptr;
    if (gone == old_) old_ = nullptr;
    if (gone == new_) new_ = nullptr;
}
