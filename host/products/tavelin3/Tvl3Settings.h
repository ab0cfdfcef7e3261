#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// A holder of one parameter block, kept by the settings object. Its class is the one the settings
// object's copy looks for on the Tavelin 2 side, so a holder's block travels as a whole.
class Tvl3ParamHolder : public StandIn<ReferenceTarget> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock = 0, kNumRefs = 1 };

    Tvl3ParamHolder() : Tvl3ParamHolder(false) {}

protected:
    StandIn* MakeEmpty() override { return new Tvl3ParamHolder(true); }

private:
    explicit Tvl3ParamHolder(bool bare);
};

// The render settings of a Tavelin 3 material (its reference 4): a named object with its own block, a
// holder of further parameters, an optional shared map and a second holder of its own for presets.
// The material makes it at creation; several materials may share one.
class Tvl3Settings : public StandIn<MtlBase> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock = 0, kRefHolder = 1, kRefMap = 2, kRefPresets = 3, kNumRefs = 4 };

    Tvl3Settings() : Tvl3Settings(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override;

    Tvl3ParamHolder* GetHolder() { return dynamic_cast<Tvl3ParamHolder*>(GetReference(kRefHolder)); }

protected:
    StandIn* MakeEmpty() override { return new Tvl3Settings(true); }

private:
    explicit Tvl3Settings(bool bare);
};
