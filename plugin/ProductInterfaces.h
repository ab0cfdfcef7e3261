#pragma once

#include "ClassIds.h"
#include "iFnPub.h"

// What the converter relies on of the Tavelin 3 product beyond its identifiers: the functions its
// interfaces publish. A setter takes one table of reference targets by reference (TYPE_REFTARG_TAB_BR);
// afterwards the object holds exactly those objects, in that order, and refers to each. Counts answer an
// int; getters take one TYPE_INT index and answer a reference target. An object that does not offer the
// interface ignores the setters, and the converter then reads a count of 0 and no objects.

// TVL3_MATERIAL_INTERFACE_ID
enum Tvl3MaterialFunction : FunctionID {
    TVL3_MATERIAL_FN_SET_ZONES = 1,
    TVL3_MATERIAL_FN_NUM_ZONES = 2,
    TVL3_MATERIAL_FN_GET_ZONE = 3,
};

// TVL3_ZONE_INTERFACE_ID
enum Tvl3ZoneFunction : FunctionID {
    TVL3_ZONE_FN_SET_STROKES = 0,
    TVL3_ZONE_FN_NUM_STROKES = 1,
    TVL3_ZONE_FN_GET_STROKE = 2,
};

// TVL3_LINE_INTERFACE_ID
enum Tvl3LineFunction : FunctionID {
    TVL3_LINE_FN_SET_LINE_SETS = 0,
};

// The Tavelin 3 material makes the settings object of this reference itself when it is created.
#define TVL3_MATERIAL_SETTINGS_REF 4
