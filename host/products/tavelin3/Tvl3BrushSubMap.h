#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The sub-map of a Tavelin 3 brush.
//   refs 0, 1   blocks with IDs 0 and 1, at indices 0 and 1
//   refs 2, 3   sub-maps 0 and 1
//   refs 6, 7   curve controls, made with the map
class Tvl3BrushSubMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;

    enum : int { kRefFirstBlock = 0, kRefFirstSubMap = 2, kRefCurve1 = 6, kRefCurve2 = 7, kNumRefs = 8 };
    static constexpr int kNumSubMaps = 2;

    Tvl3BrushSubMap() : Tvl3BrushSubMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return kNumSubMaps; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl3BrushSubMap(true); }

private:
    explicit Tvl3BrushSubMap(bool bare);
};
