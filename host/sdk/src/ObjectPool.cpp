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

void HostObjectPool::FreeIfUnused(ReferenceTarget* t) {
    if (freeingAll || !t || !t->TestAFlag(A_IS_DELETED)) return;
    if (t->undoPins_ > 0 || t->NumDependents() > 0) return;
    delete t;
}

void HostObjectPool::FreeAll() {
    freeingAll = true;
    // Cut every reference among the pooled objects first, so that no destructor meets a half-freed
    // neighbour. Makers outside the pool (holders owned by plug-ins) are told their targets are gone.
    std::vector<ReferenceTarget*> all;
    all.reserve(static_cast<size_t>(count));
    for (ReferenceTarget* t = head; t; t = t->poolNext_) all.push_back(t);
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
