#pragma once

#include "max.h"

// Holds host references for the utility and its undo records: a table of entries, each a reference of
// the holder. Changing what it holds is never an undo step of its own.
class ReferenceHolder : public ReferenceMaker {
public:
    ReferenceHolder() = default;
    ~ReferenceHolder() override;
    ReferenceHolder(const ReferenceHolder&) = delete;
    ReferenceHolder& operator=(const ReferenceHolder&) = delete;

    // Animatable
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
    void GetClassName(MSTR& s) override { s = _M("ReferenceMaker"); }

    // ReferenceMaker
    int NumRefs() override;
    RefTargetHandle GetReference(int i) override;

    // Releases every entry, then sizes the table to n empty entries.
    void SetRefCount(int n);
    // Afterwards the holder has exactly one entry, holding target or nothing.
    void SetOnlyRef(ReferenceTarget* target);
    // The first entry: what SetOnlyRef gave, or nothing.
    ReferenceTarget* GetOnlyRef() { return GetReference(0); }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                               RefMessage message, BOOL propagate) override;

private:
    Tab<ReferenceTarget*>* refs_ = nullptr;
};
