#include "ObjectPool.h"

#include <vector>

#include "DependentList.h"
#include "hold.h"

namespace {
ReferenceTarget* head = nullptr;
int count = 0;
bool freeingAll = false;
}  // namespace

void HostObjectPool::Add(ReferenceTarget* t) {
    t->poolNext_ = head;
    t->poolPrev_ = nullptr;
    if (head) head->poolPrev_ = t;
    head = t;
    ++count;
}

void HostObjectPool::Remove(ReferenceTarget* t) {
    if (t->poolPrev_)
        t->poolPrev_->poolNext_ = t->poolNext_;
    else if (head == t)
        head = t->poolNext_;
    else
        return;  // not pooled
    if (t->poolNext_) t->poolNext_->poolPrev_ = t->poolPrev_;
    t->poolPrev_ = t->poolNext_ = nullptr;
    --count;
}

int HostObjectPool::Count() { return count; }

void HostObjectPool::FreeIfUnused(ReferenceMaker* m) {
    if (freeingAll || !m || !m->TestAFlag(A_IS_DELETED) || m->undoRecords_ > 0) return;
    if (m->IsRefTarget() && static_cast<ReferenceTarget*>(m)->NumDependents() > 0) return;
    // What it still refers to (kept for undo until now) is let go without a record; targets left
    // without dependents go in turn.
    theHold.Suspend();
    m->DeleteAllRefsFromMe();
    theHold.Resume();
    delete m;
}

void HostObjectPool::FreeAll() {
    freeingAll = true;
    std::vector<ReferenceTarget*> all;
    all.reserve(static_cast<size_t>(count));
    for (ReferenceTarget* t = head; t; t = t->poolNext_) all.push_back(t);
    // Makers outside the pool (holders owned by plug-ins) are told their targets are gone, and forget them.
    for (ReferenceTarget* t : all) {
        if (!t->dependents_) continue;
        std::vector<ReferenceMaker*> outside;
        t->dependents_->ForEach([&](ReferenceMaker* m) {
            if (!m->IsRefTarget()) outside.push_back(m);
        });
        for (ReferenceMaker* m : outside) {
            PartID part = PART_ALL;
            m->NotifyRefChanged(FOREVER, t, part, REFMSG_TARGET_DELETED, FALSE);
            m->ForgetTarget(t);
            t->dependents_->Erase(m);
        }
    }
    // Then every reference among the pooled objects is cut, so that no destructor meets a half-freed
    // neighbour.
    for (ReferenceTarget* t : all) {
        t->targets_.ForEach([t](ReferenceTarget* target, int refs) {
            if (target->dependents_)
                for (int k = 0; k < refs; ++k) target->dependents_->Remove(t);
        });
        t->targets_.Clear();
        for (int i = 0, n = t->NumRefs(); i < n; ++i) t->SetReference(i, nullptr);
    }
    for (ReferenceTarget* t : all) delete t;
    freeingAll = false;
}
