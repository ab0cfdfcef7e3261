#pragma once

#include "ProductClassIds.h"
#include "SettingsStandIn.h"

// The holder of one parameter block kept by the Tavelin 2 settings object.
struct Tvl2ParamHolderLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kBlock;
};

using Tvl2ParamHolder = ParamHolderStandIn<Tvl2ParamHolderLayout>;

// The render settings of a Tavelin 2 material (its reference 8). Reference 3 starts empty and takes any
// other object.
struct Tvl2SettingsLayout {
    static const StandInClassInfo kInfo;
    static const ParamBlockDesc2 kBlock;
    using Holder = Tvl2ParamHolder;
    static constexpr bool kOwnsSecondHolder = false;
    enum : int { kRefExtra = 3 };
};

using Tvl2Settings = SettingsStandIn<Tvl2SettingsLayout>;
