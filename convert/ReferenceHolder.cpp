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

RefResult ReferenceHolder::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&,
                                            RefMessage message, BOOL) {
    // A deleted target is forgotten here; the host only unlinks it.
    if (message == REFMSG_TARGET_DELETED)
        for (int i = 0; i < NumRefs(); ++i)
            if ((*refs_)[i] == hTarget) (*refs_)[i] = nullptr;
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
    // The new target is taken before anything is let go: releasing first would delete it when this
    // holder was its only owner.
    if (!refs_) refs_ = new Tab<ReferenceTarget*>;
    if (NumRefs() == 0) {
        ReferenceTarget* none = nullptr;
        refs_->Append(1, &none);
    }
    ReplaceReference(0, target, TRUE);
    for (int i = 1; i < NumRefs(); ++i) ReplaceReference(i, nullptr, TRUE);
    refs_->SetCount(1);
}
