#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The host's Multi/Sub-Object material: a list of sub-materials, one reference each, in slot order.
class MultiSubMtl : public StandIn<Mtl> {
public:
    static const StandInClassInfo kInfo;
    static constexpr int kDefaultSubMtls = 2;

    MultiSubMtl() : MultiSubMtl(false) {}

    // Grows with empty slots or drops the last slots.
    void SetNumSubMtls(int n);

    // StandIn: every reference is a sub-material slot, and the list of them may have any length.
    int RefListStart() override { return 0; }

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // Mtl
    int NumSubMtls() override { return NumRefs(); }
    Mtl* GetSubMtl(int i) override;
    void SetSubMtl(int i, Mtl* m) override;
    MSTR GetSubMtlSlotName(int i) override;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new MultiSubMtl(true); }

private:
    explicit MultiSubMtl(bool bare);
};
