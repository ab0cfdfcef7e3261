#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The Tavelin 2 reflection/refraction map. Its two sub-maps are map parameters of block 0.
class Tvl2ReflectRefractMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock0 = 0, kRefBlock1 = 1, kNumRefs = 2 };
    // Block 0 parameters: the five switches and the two sub-maps.
    enum : ParamID { kFirstSwitch = 6, kLastSwitch = 10, kReflectionMap = 11, kRefractionMap = 12 };

    Tvl2ReflectRefractMap() : Tvl2ReflectRefractMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return 2; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

protected:
    StandIn* MakeEmpty() override { return new Tvl2ReflectRefractMap(true); }

private:
    explicit Tvl2ReflectRefractMap(bool bare);
};
