#include "ReferenceHolder.h"

ReferenceHolder::~ReferenceHolder() {
    SetRefCount(0);
    delete refs_;
    refs_ = nullptr;
}

int ReferenceHolder::NumRefs() { return refs_ ? refs_->Count() : 0; }

RefTargetHandle ReferenceHolder::GetReference(int i) {
    return i >= 0 && i < NumRefs() ? (*refs_)[i] : nullptr;
}

void ReferenceHolder::SetReference(int i, RefTargetHandle rtarg) {
    if (i >= 0 && i < NumRefs()) (*refs_)[i] = rtarg;
}

RefResult ReferenceHolder::NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage, BOOL) {
    return REF_DONTCARE;
}

void ReferenceHolder::SetRefCount(int n) {
    SuspendAll suspend(TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
    for (int i = 0; i < NumRefs(); ++i) ReplaceReference(i, nullptr, TRUE);
    if (!refs_) refs_ = new Tab<ReferenceTarget*>;
    refs_->SetCount(n);
    for (int i = 0; i < n; ++i) (*refs_)[i] = nullptr;
}

void ReferenceHolder::SetOnlyRef(ReferenceTarget* target) {
    SuspendAll suspend(TRUE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE);
    SetRefCount(1);
    ReplaceReference(0, target, TRUE);
}
