#pragma once

#include "color.h"
#include "iparamb2.h"

// Value rules every conversion shares.

// An integer written from a value the user typed as a decimal: trunc(offset + scale·x + 0.5), truncated
// toward zero. x counts as the decimal it was typed as, the shortest decimal that reads back as the same
// float, and the sum is made exactly in that decimal. So a tie rounds as the typed number says on every
// path, whatever binary error the float carries: a level of 0.145 gives 15, an edge blend of 0.335 gives
// 100 − 33.5 + 0.5 → 67. A NaN gives 0; a result beyond the int range is clamped to it.
int RoundedInt(float x, int scale, int offset = 0);

// x·10^places, made on the decimal x was typed as: the float a user typing the product would get (a
// fraction of 0.3005 shown as a percentage is 30.05, not the float product's 30.050001).
float ShiftDecimal(float x, int places);

// A fraction written to an integer percentage parameter: trunc(100·x + 0.5).
inline int PercentInt(float x) { return RoundedInt(x, 100); }

// A float tested against zero: a NaN counts as non-zero.
inline bool IsNonZero(float x) { return !(x == 0.0f); }

// Reads of a shader's block, which may be missing: a missing block reads as zeros, whoever reads it.
inline float BlockFloat(IParamBlock2* pb, ParamID id, TimeValue t) { return pb ? pb->GetFloat(id, t) : 0.0f; }
inline int BlockInt(IParamBlock2* pb, ParamID id, TimeValue t) { return pb ? pb->GetInt(id, t) : 0; }
inline Color BlockColor(IParamBlock2* pb, ParamID id, TimeValue t) {
    return pb ? pb->GetColor(id, t) : Color();
}
