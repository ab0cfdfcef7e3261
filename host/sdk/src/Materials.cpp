#include "imtl.h"

MSTR MtlBase::GetFullName() {
    MSTR cls;
    GetClassName(cls);
    MSTR full = name_;
    full += _M(" (");
    full += cls;
    full += _M(")");
    return full;
}

void MtlBase::SetMtlFlag(int mask, BOOL val) {
    if (val)
        mtlFlags_ |= mask;
    else
        mtlFlags_ &= ~mask;
}

void MtlBase::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    ReferenceTarget::BaseClone(from, to, remap);
    MtlBase* f = dynamic_cast<MtlBase*>(from);
    MtlBase* t = dynamic_cast<MtlBase*>(to);
    if (!f || !t) return;
    t->name_ = f->name_;
    t->mtlFlags_ = f->mtlFlags_;
}

Color Mtl::GetAmbient(int, BOOL) { return Color(); }
Color Mtl::GetDiffuse(int, BOOL) { return Color(); }
Color Mtl::GetSpecular(int, BOOL) { return Color(); }
float Mtl::GetShininess(int, BOOL) { return 0.0f; }
float Mtl::GetShinStr(int, BOOL) { return 0.0f; }
float Mtl::GetXParency(int, BOOL) { return 0.0f; }

// ---- MtlBaseList ----

void MtlBaseList::Reindex() {
    if (indexed_ > Count()) {
        index_.clear();
        indexed_ = 0;
    }
    for (; indexed_ < Count(); ++indexed_) index_.emplace((*this)[indexed_], indexed_);
}

int MtlBaseList::FindMtl(MtlBase* m) {
    Reindex();
    auto it = index_.find(m);
    // The list may have been edited in place through Tab; trust the index only when it still agrees.
    if (it != index_.end() && it->second < Count() && (*this)[it->second] == m) return it->second;
    if (it == index_.end()) return -1;
    index_.clear();
    indexed_ = 0;
    Reindex();
    it = index_.find(m);
    return it == index_.end() ? -1 : it->second;
}

int MtlBaseList::FindMtlByName(MSTR& name) {
    for (int i = 0; i < Count(); ++i)
        if ((*this)[i] && (*this)[i]->GetName() == name) return i;
    return -1;
}

int MtlBaseList::AddMtl(MtlBase* m, BOOL checkUnique) {
    if (checkUnique) {
        int at = FindMtl(m);
        if (at >= 0) return at;
    }
    return Append(1, &m);
}

void MtlBaseList::RemoveEntry(int n) {
    Delete(n, 1);
    index_.clear();
    indexed_ = 0;
}

void MtlBaseList::Empty() {
    ZeroCount();
    index_.clear();
    indexed_ = 0;
}

// ---- MtlBaseLib ----

MtlBaseLib::~MtlBaseLib() { DeleteAllRefsFromMe(); }

void MtlBaseLib::SetReference(int i, RefTargetHandle rtarg) {
    if (i >= 0 && i < Count()) (*this)[i] = dynamic_cast<MtlBase*>(rtarg);
}

RefResult MtlBaseLib::NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage message,
                                       BOOL) {
    // An entry that is deleted leaves the library.
    if (message == REFMSG_TARGET_DELETED)
        for (int i = 0; i < Count(); ++i)
            if ((*this)[i] == hTarget) (*this)[i] = nullptr;
    return REF_SUCCEED;
}

void MtlBaseLib::Add(MtlBase* m) {
    if (!m || FindMtl(m) >= 0) return;
    MtlBase* none = nullptr;
    Append(1, &none);
    ReplaceReference(Count() - 1, m);
}

void MtlBaseLib::Remove(MtlBase* m) {
    int at = FindMtl(m);
    if (at < 0) return;
    DeleteReference(at);
    RemoveEntry(at);
}

void MtlBaseLib::RemoveDuplicates() {
    for (int i = Count() - 1; i > 0; --i)
        if ((*this)[i] && FindMtl((*this)[i]) < i) {
            DeleteReference(i);
            RemoveEntry(i);
        }
}

void MtlBaseLib::DeleteAll() {
    DeleteAllRefsFromMe();
    Empty();
}
