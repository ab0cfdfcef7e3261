#include "MtlConvUtilDADMgr.h"

#include "Tvl3MtlConverter.h"
#include "imtl.h"

SClass_ID MtlConvUtilDADMgr::GetDragType(HWND, POINT) { return MATERIAL_CLASS_ID; }

// A drag that ends on the button it started from is no drop.
BOOL MtlConvUtilDADMgr::OkToDrop(ReferenceTarget* dropThis, HWND hfrom, HWND hto, POINT, SClass_ID, BOOL) {
    return hfrom != hto && IsTavelin3Material(dropThis);
}

ReferenceTarget* MtlConvUtilDADMgr::GetInstance(HWND, POINT, SClass_ID) {
    return utility_ ? utility_->ReferenceMaterial() : nullptr;
}

void MtlConvUtilDADMgr::Drop(ReferenceTarget* dropThis, HWND, POINT, SClass_ID, DADMgr*, BOOL) {
    if (utility_ && IsTavelin3Material(dropThis)) utility_->SetReferenceMaterial(static_cast<Mtl*>(dropThis));
}
