#pragma once

#include "LineEffectStandIn.h"
#include "ProductClassIds.h"

// The Tavelin 2 line render effect. Its line-set slots may be left empty or filled with anything.
class Tvl2Line : public LineEffectStandIn {
public:
    static const StandInClassInfo kInfo;

    Tvl2Line() : Tvl2Line(false) {}

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl2Line(true); }

private:
    explicit Tvl2Line(bool bare);
};
