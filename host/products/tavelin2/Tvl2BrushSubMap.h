#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The sub-map of a Tavelin 2 brush.
//   refs 0, 1   blocks with IDs 0 and 1, at indices 0 and 1
//   refs 2, 3   sub-maps 0 and 1
//   refs 8, 9   curve controls, made with the map
class Tvl2BrushSubMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;

    enum : int { kRefFirstBlock = 0, kRefFirstSubMap = 2, kRefCurve1 = 8, kRefCurve2 = 9, kNumRefs = 10 };
    static constexpr int kNumSubMaps = 2;

    Tvl2BrushSubMap() : Tvl2BrushSubMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return kNumSubMaps; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl2BrushSubMap(true); }

private:
    explicit Tvl2BrushSubMap(bool bare);
};
