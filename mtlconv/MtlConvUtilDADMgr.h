#pragma once

#include "custcont.h"

class Tvl3MtlConverter;

// Drag and drop on the panel's reference button: a Tavelin 3 material dropped on it becomes the reference
// material, and a drag from it carries the reference material. One object of the module; attached to the
// utility object when the panel first opens and never detached.
class MtlConvUtilDADMgr : public DADMgr {
public:
    void Attach(Tvl3MtlConverter* utility) { utility_ = utility; }

    // DADMgr
    SClass_ID GetDragType(HWND hwnd, POINT p) override;
    BOOL OkToDrop(ReferenceTarget* dropThis, HWND hfrom, HWND hto, POINT p, SClass_ID type,
                  BOOL isNew = FALSE) override;
    ReferenceTarget* GetInstance(HWND hwnd, POINT p, SClass_ID type) override;
    void Drop(ReferenceTarget* dropThis, HWND hwnd, POINT p, SClass_ID type, DADMgr* srcMgr = nullptr,
              BOOL bSrcClone = FALSE) override;
    BOOL AutoTooltip() override { return TRUE; }

private:
    Tvl3MtlConverter* utility_ = nullptr;
};

extern MtlConvUtilDADMgr theMtlConvUtilDADMgr;
