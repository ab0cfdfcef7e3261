#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// A Tavelin 2 stroke map: block 0, a curve control, texture coordinates and one sub-map. Reference 4
// starts empty and takes any further object a scene attaches.
class Tvl2StrokeMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock = 0, kRefCurve = 1, kRefUVGen = 2, kRefSubMap = 3, kRefExtra = 4, kNumRefs = 5 };

    // Makes the map with a curve control and texture coordinates of the host's (when it offers them).
    Tvl2StrokeMap() : Tvl2StrokeMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return 1; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

protected:
    StandIn* MakeEmpty() override { return new Tvl2StrokeMap(true); }

private:
    explicit Tvl2StrokeMap(bool bare);
};
