#include <algorithm>
#include <unordered_set>

#include "DependentList.h"
#include "HostRestore.h"
#include "ObjectPool.h"
#include "hold.h"
#include "ref.h"

namespace {

// Most makers hold a handful of references: room for them at once saves growing one by one.
constexpr size_t kFewReserve = 4;

// A stack of plain values that lives in the caller's frame while it is small and moves to the heap only
// when it grows past N.
template <class T, size_t N>
class WalkStack {
public:
    WalkStack() = default;
    WalkStack(const WalkStack&) = delete;
    WalkStack& operator=(const WalkStack&) = delete;
    size_t Size() const { return size_; }
    T& operator[](size_t i) { return data_[i]; }
    T& Back() { return data_[size_ - 1]; }
    void Push(const T& v) {
        if (size_ == capacity_) Grow();
        data_[size_++] = v;
    }
    void Pop() { --size_; }
    void Truncate(size_t n) { size_ = n; }

private:
    void Grow() {
        const bool inFrame = data_ == local_;
        capacity_ *= 2;
        heap_.resize(capacity_);
        if (inFrame) std::copy(local_, local_ + size_, heap_.begin());
        data_ = heap_.data();
    }
    T local_[N];
    T* data_ = local_;
    size_t size_ = 0;
    size_t capacity_ = N;
    std::vector<T> heap_;
};

// The makers a walk has met: a few are searched through in place, more go into a hash set.
class SeenSet {
public:
    // Whether m is met for the first time (and is remembered from now on).
    bool Insert(ReferenceMaker* m) {
        if (!many_.empty()) return many_.insert(m).second;
        for (size_t i = 0; i < few_.Size(); ++i)
            if (few_[i] == m) return false;
        if (few_.Size() < kFew) {
            few_.Push(m);
            return true;
        }
        for (size_t i = 0; i < few_.Size(); ++i) many_.insert(few_[i]);
        return many_.insert(m).second;
    }

private:
    static constexpr size_t kFew = 32;
    WalkStack<ReferenceMaker*, kFew> few_;
    std::unordered_set<ReferenceMaker*> many_;
};

}  // namespace

// ---- Animatable ----

Animatable::~Animatable() = default;

IParamBlock2* Animatable::GetParamBlock(int) { return nullptr; }
IParamBlock2* Animatable::GetParamBlockByID(BlockID) { return nullptr; }
void* Animatable::GetInterface(ULONG) { return nullptr; }
BaseInterface* Animatable::GetInterface(Interface_ID) { return nullptr; }
void Animatable::DeleteThis() { delete this; }

// ---- ReferenceMaker ----

// ---- RefTargetSet ----

RefTargetSet::~RefTargetSet() { delete many_; }

void RefTargetSet::Add(ReferenceTarget* t) {
    if (many_) {
        ++(*many_)[t];
        return;
    }
    if (few_.capacity() == 0) few_.reserve(kFewReserve);
    few_.push_back(t);
    if (few_.size() <= kFewLimit) return;
    many_ = new std::unordered_map<ReferenceTarget*, int>;
    for (ReferenceTarget* x : few_) ++(*many_)[x];
    few_.clear();
}

void RefTargetSet::Remove(ReferenceTarget* t) {
    if (many_) {
        auto it = many_->find(t);
        if (it != many_->end() && --it->second == 0) many_->erase(it);
        return;
    }
    auto it = std::find(few_.begin(), few_.end(), t);
    if (it == few_.end()) return;
    *it = few_.back();
    few_.pop_back();
}

void RefTargetSet::Erase(ReferenceTarget* t) {
    if (many_)
        many_->erase(t);
    else
        few_.erase(std::remove(few_.begin(), few_.end(), t), few_.end());
}

void RefTargetSet::Clear() {
    few_.clear();
    delete many_;
    many_ = nullptr;
}

// Destruction is bare, as in the host: an object deleted while references still link it leaves
// them dangling. DeleteMe and MaybeAutoDelete disconnect first.
ReferenceMaker::~ReferenceMaker() = default;

RefTargetHandle ReferenceMaker::GetReference(int) { return nullptr; }
void ReferenceMaker::SetReference(int, RefTargetHandle) {}

void ReferenceMaker::SetRefRaw(int which, RefTargetHandle newtarg) {
    RefTargetHandle old = GetReference(which);
    if (old == newtarg) return;
    SetReference(which, newtarg);
    if (newtarg) {
        if (!newtarg->dependents_) newtarg->dependents_ = new DependentList;
        newtarg->dependents_->Add(this);
        targets_.Add(newtarg);
        // Undo or redo bringing back a reference brings back a target deleted with it.
        if (theHold.RestoreOrRedoing()) newtarg->ClearAFlag(A_IS_DELETED);
    }
    if (old) {
        targets_.Remove(old);
        if (old->dependents_) old->dependents_->Remove(this);
    }
}

bool ReferenceMaker::DependsOn(ReferenceTarget* targ) {
    if (!targ) return false;
    if (this == targ) return true;
    WalkStack<ReferenceMaker*, 32> stack;
    SeenSet seen;
    stack.Push(this);
    seen.Insert(this);
    while (stack.Size() > 0) {
        ReferenceMaker* m = stack.Back();
        stack.Pop();
        bool found = false;
        m->targets_.ForEach([&](ReferenceTarget* t, int) {
            if (t == targ)
                found = true;
            else if (seen.Insert(t))
                stack.Push(t);
        });
        if (found) return true;
    }
    return false;
}

RefResult ReferenceMaker::ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld) {
    if (which < 0 || which >= NumRefs()) return REF_FAIL;
    RefTargetHandle old = GetReference(which);
    if (old == newtarg) return REF_SUCCEED;
    // A loop is possible only when something refers to this maker already.
    if (newtarg && IsRefTarget()) {
        ReferenceTarget* self = static_cast<ReferenceTarget*>(this);
        if (newtarg == self) return REF_FAIL;
        if (self->NumDependents() > 0 && newtarg->DependsOn(self)) return REF_FAIL;
    }
    if (theHold.Holding()) theHold.Put(new RefRestore(this, which, old, newtarg, delOld));
    SetRefRaw(which, newtarg);
    if (old && delOld) old->MaybeAutoDelete();
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteReference(int i) {
    if (i < 0 || i >= NumRefs()) return REF_FAIL;
    if (!GetReference(i)) return REF_SUCCEED;
    return ReplaceReference(i, nullptr, TRUE);
}

RefResult ReferenceMaker::DeleteAllRefsFromMe() {
    for (int i = 0, n = NumRefs(); i < n; ++i) DeleteReference(i);
    return REF_SUCCEED;
}

RefResult ReferenceMaker::DeleteAllRefs() {
    DeleteAllRefsToMe();
    DeleteAllRefsFromMe();
    return REF_SUCCEED;
}

void ReferenceMaker::DeleteMe() {
    if (TestAFlag(A_IS_DELETED)) return;
    SetAFlag(A_IS_DELETED);
    DeleteAllRefsToMe();
    // Outside a recording, an object that undo records still point at keeps its own references until the
    // last record goes: undo may need it whole again.
    if (undoRecords_ > 0 && !theHold.Holding()) return;
    DeleteAllRefsFromMe();
    HostObjectPool::FreeIfUnused(this);
}

void ReferenceMaker::ForgetTarget(ReferenceTarget* targ) { targets_.Erase(targ); }

// ---- ReferenceTarget ----

ReferenceTarget::ReferenceTarget() { HostObjectPool::Add(this); }

ReferenceTarget::~ReferenceTarget() {
    delete dependents_;
    dependents_ = nullptr;
    HostObjectPool::Remove(this);
}

RefTargetHandle ReferenceTarget::Clone(RemapDir&) { return nullptr; }
void ReferenceTarget::BaseClone(ReferenceTarget*, ReferenceTarget*, RemapDir&) {}

namespace {

// One level of the walk: the dependents of one target, as they were when the walk reached it, are the
// makers from `begin` to the top of the makers' stack (deeper levels are gone whenever this one is read).
struct NotifyLevel {
    size_t begin;
    size_t next;
    RefTargetHandle from;
    PartID part;
};

}  // namespace

// Depth first, each dependent told and then its own dependents before the next one, as a recursion would
// go; the walk keeps its own stack, so a long chain of dependents costs no call stack, and the usual short
// walk no allocation. A dependent that notifies in turn starts a walk of its own.
RefResult ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                                            SClass_ID sclass, BOOL propagate, RefTargetHandle hTarg) {
    WalkStack<ReferenceMaker*, 32> makers;
    WalkStack<NotifyLevel, 8> levels;
    auto descend = [&](ReferenceTarget* t, RefTargetHandle from, PartID part) {
        if (!t->dependents_ || t->dependents_->Empty()) return;
        const size_t begin = makers.Size();
        t->dependents_->ForEach([&](ReferenceMaker* m) { makers.Push(m); });
        levels.Push({begin, begin, from, part});
    };
    descend(this, hTarg ? hTarg : this, partID);
    while (levels.Size() > 0) {
        NotifyLevel& level = levels.Back();
        if (level.next == makers.Size()) {
            makers.Truncate(level.begin);
            levels.Pop();
            continue;
        }
        ReferenceMaker* m = makers[level.next++];
        if (sclass != NOTIFY_ALL && m->SuperClassID() != sclass) continue;
        PartID part = level.part;
        RefResult r = m->NotifyRefChanged(changeInt, level.from, part, message, propagate);
        if (r != REF_STOP && propagate && m->IsRefTarget()) {
            auto* t = static_cast<ReferenceTarget*>(m);
            descend(t, t, part);
        }
    }
    return REF_SUCCEED;
}

int ReferenceTarget::NumDependents() const { return dependents_ ? dependents_->Count() : 0; }

RefResult ReferenceTarget::DeleteAllRefsToMe() {
    if (!dependents_ || dependents_->Empty()) return REF_SUCCEED;
    // The links are found before the message, since a dependent clears its own slot when told; the host
    // only unlinks them.
    std::vector<std::pair<ReferenceMaker*, int>> links;
    std::vector<ReferenceMaker*> makers;
    dependents_->ForEach([&](ReferenceMaker* m) { makers.push_back(m); });
    for (ReferenceMaker* m : makers)
        for (int i = 0, n = m->NumRefs(); i < n; ++i)
            if (m->GetReference(i) == this) links.emplace_back(m, i);
    for (ReferenceMaker* m : makers) {
        PartID part = PART_ALL;
        m->NotifyRefChanged(FOREVER, this, part, REFMSG_TARGET_DELETED, FALSE);
    }
    for (const auto& link : links) {
        ReferenceMaker* m = link.first;
        if (theHold.Holding()) theHold.Put(new RefRestore(m, link.second, this, nullptr, TRUE));
        m->targets_.Remove(this);
        dependents_->Remove(m);
    }
    return REF_SUCCEED;
}

RefResult ReferenceTarget::MaybeAutoDelete() {
    if (SuperClassID() == BASENODE_CLASS_ID || NumDependents() > 0 || TestAFlag(A_IS_DELETED))
        return REF_FAIL;
    DeleteMe();
    return REF_SUCCEED;
}

// ---- DependentIterator ----

DependentIterator::DependentIterator(ReferenceTarget* targ) {
    if (targ && targ->dependents_)
        targ->dependents_->ForEach([&](ReferenceMaker* m) { makers_.push_back(m); });
}

ReferenceMaker* DependentIterator::Next() { return next_ < makers_.size() ? makers_[next_++] : nullptr; }

void DependentIterator::Reset() { next_ = 0; }
