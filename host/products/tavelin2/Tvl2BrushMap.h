#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// A Tavelin 2 brush: block 0 at ref 0 and three sub-maps held directly in refs 1-3 (sub-map 1 is
// usually the brush's own sub-map, 0 and 2 any maps).
class Tvl2BrushMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;

    enum : int { kRefBlock = 0, kRefFirstSubMap = 1, kNumRefs = 4 };
    static constexpr int kNumSubMaps = 3;

    Tvl2BrushMap() : Tvl2BrushMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return kNumSubMaps; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl2BrushMap(true); }

private:
    explicit Tvl2BrushMap(bool bare);
};
