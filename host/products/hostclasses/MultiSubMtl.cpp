#include "MultiSubMtl.h"

#include <string>

#include "Products.h"
#include "RefCasts.h"

const StandInClassInfo MultiSubMtl::kInfo = {MATERIAL_CLASS_ID, MULTI_SUB_MATERIAL_CLASS_ID,
                                             _M("Multi/Sub-Object"), _M("MultiSubMaterial"), PRODUCT_HOST};

MultiSubMtl::MultiSubMtl(bool bare) : StandIn(kInfo, kDefaultSubMtls, {}, bare) {}

void MultiSubMtl::SetNumSubMtls(int n) {
    if (n < 0) n = 0;
    Tab<ReferenceTarget*> kept;
    for (int i = 0; i < n; ++i) {
        ReferenceTarget* r = GetReference(i);
        kept.Append(1, &r);
    }
    SetRefList(0, kept);
}

void MultiSubMtl::Update(TimeValue t, Interval& valid) {
    for (int i = 0; i < NumSubMtls(); ++i)
        if (Mtl* m = GetSubMtl(i)) m->Update(t, valid);
}

Mtl* MultiSubMtl::GetSubMtl(int i) { return AsMtl(GetReference(i)); }

void MultiSubMtl::SetSubMtl(int i, Mtl* m) {
    if (i >= 0 && i < NumSubMtls()) ReplaceReference(i, m);
}

MSTR MultiSubMtl::GetSubMtlSlotName(int i) { return MSTR(L"(" + std::to_wstring(i + 1) + L")"); }
