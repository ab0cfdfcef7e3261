#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// A holder of one parameter block in reference 0, kept by the Tavelin 2 settings object.
class Tvl2ParamHolder : public StandIn<ReferenceTarget> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock = 0, kNumRefs = 1 };

    Tvl2ParamHolder() : Tvl2ParamHolder(false) {}

protected:
    StandIn* MakeEmpty() override { return new Tvl2ParamHolder(true); }

private:
    explicit Tvl2ParamHolder(bool bare);
};

// The render settings of a Tavelin 2 material (its reference 8): a named object with its own block and
// a parameter holder. Reference 2 takes a map and reference 3 any other object; both start empty.
// Several materials may share one.
class Tvl2Settings : public StandIn<MtlBase> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock = 0, kRefHolder = 1, kRefMap = 2, kRefExtra = 3, kNumRefs = 4 };

    Tvl2Settings() : Tvl2Settings(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    Tvl2ParamHolder* GetHolder() { return dynamic_cast<Tvl2ParamHolder*>(GetReference(kRefHolder)); }

protected:
    StandIn* MakeEmpty() override { return new Tvl2Settings(true); }

private:
    explicit Tvl2Settings(bool bare);
};
