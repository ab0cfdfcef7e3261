#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// A Tavelin 3 brush: block 0 at ref 0 and three sub-maps held directly in refs 1-3 (sub-map 0 is the
// brush's own sub-map, 1 and 2 any maps).
class Tvl3BrushMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;

    enum : int { kRefBlock = 0, kRefFirstSubMap = 1, kNumRefs = 4 };
    static constexpr int kNumSubMaps = 3;

    Tvl3BrushMap() : Tvl3BrushMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return kNumSubMaps; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl3BrushMap(true); }

private:
    explicit Tvl3BrushMap(bool bare);
};
