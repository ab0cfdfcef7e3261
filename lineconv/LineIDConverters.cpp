#include "LineIDConverters.h"

#include "ProductInterfaces.h"

namespace {

namespace Tvl3Set = Tvl3LineSetIds;

// Source ID → destination ID; every ID not listed stays behind.
// clang-format off
const ParamIDPair kLinesetIDs[] = {
    {0, 0},   {1, 1},   {2, 2},                                                   // general
    {12, Tvl3Set::kEdgeMode}, {13, 14}, {14, 13}, {15, 12}, {16, 11},             // edge detection
    {17, Tvl3Set::kEdgeInherit}, {18, Tvl3Set::kEdgeOverride},
    {19, 5},  {20, 6},  {21, 7},  {22, 4},  {23, 3},  {24, 2},                    // edge appearance
    {25, 0},  {26, 1},  {27, 2},  {28, 5},  {29, 6},  {30, 7}, {32, 4}, {33, 3},  // visibility
    {34, 5},  {35, 3},  {36, 4},                                                  // ... the later ones win
    {37, 8},  {38, 9},  {44, 8},                                                  // reduction
};
// clang-format on

const ParamIDPair kBrushIDs[] = {{0, 0}, {1, 1}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {9, 7}, {10, 8}};

}  // namespace

short ParamIDConverterLineset::MapID(ParamID srcId, ParamType2) const {
    return MapByTable(kLinesetIDs, srcId);
}

short ParamIDConverterBrush::MapID(ParamID srcId, ParamType2) const { return MapByTable(kBrushIDs, srcId); }
