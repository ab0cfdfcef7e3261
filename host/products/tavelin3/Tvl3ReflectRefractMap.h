#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The Tavelin 3 reflection/refraction map. Its two sub-maps are map parameters of block 0, so they move
// with the block's values.
class Tvl3ReflectRefractMap : public StandIn<Texmap> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock0 = 0, kRefBlock1 = 1, kNumRefs = 2 };
    // Block 0 parameters: the two sub-maps and the six switches.
    enum : ParamID { kReflectionMap = 3, kRefractionMap = 4, kFirstSwitch = 8, kLastSwitch = 13 };

    Tvl3ReflectRefractMap() : Tvl3ReflectRefractMap(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    // ISubMap
    int NumSubTexmaps() override { return 2; }
    Texmap* GetSubTexmap(int i) override;
    void SetSubTexmap(int i, Texmap* m) override;
    MSTR GetSubTexmapSlotName(int i) override;

    // Test hook: maps made while one of these lives have no block 0.
    class MadeWithoutBlockScope {
    public:
        MadeWithoutBlockScope() { ++withoutBlockScopes_; }
        ~MadeWithoutBlockScope() { --withoutBlockScopes_; }
        MadeWithoutBlockScope(const MadeWithoutBlockScope&) = delete;
        MadeWithoutBlockScope& operator=(const MadeWithoutBlockScope&) = delete;
    };

protected:
    StandIn* MakeEmpty() override { return new Tvl3ReflectRefractMap(true); }

private:
    explicit Tvl3ReflectRefractMap(bool bare);

    static int withoutBlockScopes_;
};
