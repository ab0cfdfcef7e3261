#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// A Tavelin 3 stroke map: block 0, its own curve control and texture coordinates, and one sub-map.
// Reference 4 is kept free, so that it numbers its references as the Tavelin 2 stroke map does.
class Tvl3StrokeMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock = 0, kRefCurve = 1, kRefUVGen = 2, kRefSubMap = 3, kNumRefs = 5 };

    // Makes the map with a curve control and texture coordinates of the host's (when it offers them).
    Tvl3StrokeMap() : Tvl3StrokeMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

protected:
    StandIn* MakeEmpty() override { return new Tvl3StrokeMap(true); }

private:
    explicit Tvl3StrokeMap(bool bare);
};
