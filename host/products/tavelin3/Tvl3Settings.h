#pragma once

#include "ProductClassIds.h"
#include "SettingsStandIn.h"

// The holder of one parameter block kept by the Tavelin 3 settings object. Its class is the one the
// settings object's copy looks for on the Tavelin 2 side, so a holder's block travels as a whole.
struct Tvl3ParamHolderLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kBlock;
};

using Tvl3ParamHolder = ParamHolderStandIn<Tvl3ParamHolderLayout>;

// The render settings of a Tavelin 3 material (its reference 4), which the material makes at creation.
// Reference 3 holds a second holder of its own, for presets.
struct Tvl3SettingsLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kBlock;
    using Holder = Tvl3ParamHolder;
    static constexpr bool kOwnsSecondHolder = true;
    enum : int { kRefPresets = 3 };
};

using Tvl3Settings = SettingsStandIn<Tvl3SettingsLayout>;
