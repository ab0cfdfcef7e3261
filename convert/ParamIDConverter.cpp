#include "ParamIDConverter.h"

const ParamIDConverter theDefaultIDConverter;

short ParamIDConverter::MapID(ParamID srcId, ParamType2 srcType) const {
    if (srcType == TYPE_MTL || srcType == TYPE_TEXMAP) return -1;
    return srcId;
}

namespace {
// Tavelin 2 reflection/refraction map → Tavelin 3: settings, the six switches, and the two maps.
const ParamIDPair kRefTexIDs[] = {{0, 0},  {1, 1},  {2, 2},  {3, 5},   {4, 6},  {5, 7}, {6, 9},
                                  {7, 10}, {8, 11}, {9, 12}, {10, 13}, {11, 3}, {12, 4}};

// The first switch also drives the outline.
const ParamIDPair kRefTexOutlineIDs[] = {{6, 8}};
}  // namespace

short ParamIDConverterRefTex::MapID(ParamID srcId, ParamType2) const { return MapByTable(kRefTexIDs, srcId); }

short ParamIDConverterRefTexForOutline::MapID(ParamID srcId, ParamType2) const {
    return MapByTable(kRefTexOutlineIDs, srcId);
}
