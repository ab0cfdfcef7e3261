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

// ---- animate mode ----

namespace {
BOOL animating = FALSE;
std::vector<BOOL> animateSuspensions;
}  // namespace

BOOL Animating() { return animating; }
void AnimateOn() { animating = TRUE; }
void AnimateOff() { animating = FALSE; }

void SuspendAnimate() {
    animateSuspensions.push_back(animating);
    animating = FALSE;
}

void ResumeAnimate() {
    if (animateSuspensions.empty()) return;
    animating = animateSuspensions.back();
    animateSuspensions.pop_back();
}

// ---- SuspendAll ----

SuspendAll::SuspendAll(BOOL holdState, BOOL, BOOL animateMode, BOOL, BOOL, BOOL, BOOL)
    : holdSuspended_(holdState), animateSuspended_(animateMode) {
    if (holdSuspended_) theHold.Suspend();
    if (animateSuspended_) SuspendAnimate();
}

SuspendAll::~SuspendAll() { Resume(); }

void SuspendAll::Resume() {
    if (resumed_) return;
    resumed_ = true;
    if (animateSuspended_) ResumeAnimate();
    if (holdSuspended_) theHold.Resume();
}

// ---- RefRestore ----

// Counts the undo records that point at each maker; a deleted object goes with the last of them.
class UndoPins {
public:
    static void Pin(ReferenceMaker* m) { ++m->undoRecords_; }
    static void Unpin(ReferenceMaker* m) {
        if (--m->undoRecords_ == 0) HostObjectPool::FreeIfUnused(m);
    }
};

void PinForUndo(ReferenceMaker* m) {
    if (m) UndoPins::Pin(m);
}

void UnpinForUndo(ReferenceMaker* m) {
    if (m) UndoPins::Unpin(m);
}

RefRestore::RefRestore(ReferenceMaker* maker, int which, RefTargetHandle oldTarg, RefTargetHandle newTarg,
                       BOOL delOld)
    : maker_(maker), which_(which), old_(oldTarg), new_(newTarg), delOld_(delOld) {
    PinForUndo(maker_);
    PinForUndo(old_);
    PinForUndo(new_);
}

RefRestore::~RefRestore() {
    UnpinForUndo(old_);
    UnpinForUndo(new_);
    UnpinForUndo(maker_);
}

void RefRestore::Restore(int) {
    if (which_ >= maker_->NumRefs()) return;
    maker_->SetRefRaw(which_, old_);
    if (new_) new_->MaybeAutoDelete();
}

void RefRestore::Redo() {
    if (which_ >= maker_->NumRefs()) return;
    maker_->SetRefRaw(which_, new_);
    if (old_ && delOld_) old_->MaybeAutoDelete();
}
