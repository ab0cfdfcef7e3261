#pragma once

#include <cmath>

#include "color.h"
#include "iparamb2.h"

// Value rules every conversion shares.

// A fraction written to an integer percentage parameter: trunc(100·x + 0.5), toward zero.
inline int PercentInt(float x) { return static_cast<int>(std::trunc(100.0 * static_cast<double>(x) + 0.5)); }

// A float tested against zero: a NaN counts as non-zero.
inline bool IsNonZero(float x) { return !(x == 0.0f); }

// Reads of a block that may be missing: a missing block reads as zeros.
inline float BlockFloat(IParamBlock2* pb, ParamID id, TimeValue t) { return pb ? pb->GetFloat(id, t) : 0.0f; }
inline int BlockInt(IParamBlock2* pb, ParamID id, TimeValue t) { return pb ? pb->GetInt(id, t) : 0; }
inline Color BlockColor(IParamBlock2* pb, ParamID id, TimeValue t) {
    return pb ? pb->GetColor(id, t) : Color();
}
