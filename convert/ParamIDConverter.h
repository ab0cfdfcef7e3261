#pragma once

#include "iparamb2.h"

// Maps a source parameter to the parameter of the destination block that receives it. A negative
// answer (bit 15 set) means the parameter is not transferred. The base class maps every ID to itself,
// except materials and maps, which it never transfers; the subclasses renumber by ID and ignore the type.
class ParamIDConverter {
public:
    virtual short MapID(ParamID srcId, ParamType2 srcType) const;
};

// The one instance of the base mapping, for transfers that need no renumbering.
extern const ParamIDConverter theDefaultIDConverter;

// Reflection/refraction map, main transfer.
class ParamIDConverterRefTex : public ParamIDConverter {
public:
    short MapID(ParamID srcId, ParamType2 srcType) const override;
};

// Reflection/refraction map, second transfer: the outline switch.
class ParamIDConverterRefTexForOutline : public ParamIDConverter {
public:
    short MapID(ParamID srcId, ParamType2 srcType) const override;
};

// A renumbering read from a table of (source, destination) pairs; IDs not in it are not transferred.
struct ParamIDPair {
    ParamID from;
    ParamID to;
};

template <size_t N>
short MapByTable(const ParamIDPair (&table)[N], ParamID srcId) {
    for (const ParamIDPair& p : table)
        if (p.from == srcId) return p.to;
    return -1;
}
