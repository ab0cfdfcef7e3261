#pragma once

#include "ParamIDConverter.h"

// Tavelin 2 line set → Tavelin 3 line set: one table for all five block pairs. Several sources map to one
// destination in places; the later one in the source block wins.
class ParamIDConverterLineset : public ParamIDConverter {
public:
    short MapID(ParamID srcId, ParamType2 srcType) const override;
};

// Tavelin 2 brush map → Tavelin 3 brush map, block 0.
class ParamIDConverterBrush : public ParamIDConverter {
public:
    short MapID(ParamID srcId, ParamType2 srcType) const override;
};
