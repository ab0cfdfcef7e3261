// The renumberings of line-set and brush parameters: every source ID from 0 to 99, so that an ID the
// tables leave out is seen to stay behind as surely as a listed one is seen to move.

#include <gtest/gtest.h>

#include <map>

#include "LineIDConverters.h"

namespace {

struct Renumbering {
    const char* what;
    const ParamIDConverter* converter;
    std::map<ParamID, short> moves;  // every ID not listed stays behind (-1)
};

const ParamIDConverterLineset kLineset;
const ParamIDConverterBrush kBrush;

const Renumbering kRenumberings[] = {
    {"line set", &kLineset, {{0, 0},  {1, 1},  {2, 2},  {12, 10}, {13, 14}, {14, 13}, {15, 12}, {16, 11},
                             {17, 1}, {18, 0}, {19, 5}, {20, 6},  {21, 7},  {22, 4},  {23, 3},  {24, 2},
                             {25, 0}, {26, 1}, {27, 2}, {28, 5},  {29, 6},  {30, 7},  {32, 4},  {33, 3},
                             {34, 5}, {35, 3}, {36, 4}, {37, 8},  {38, 9},  {44, 8}}},
    {"brush", &kBrush, {{0, 0}, {1, 1}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {9, 7}, {10, 8}}},
};

TEST(LineParamRenumbering, EachSourceIDMovesAsItsTableSaysAndEveryOtherStaysBehind) {
    for (const Renumbering& r : kRenumberings) {
        SCOPED_TRACE(r.what);
        for (ParamID id = 0; id < 100; ++id) {
            auto it = r.moves.find(id);
            const short expected = it == r.moves.end() ? -1 : it->second;
            EXPECT_EQ(r.converter->MapID(id, TYPE_FLOAT), expected) << "source ID " << id;
        }
    }
}

// Unlike the plain same-ID mapping, which never moves a map or a material, the line tables look at the
// ID alone.
TEST(LineParamRenumbering, TheParameterTypeDoesNotChangeTheAnswer) {
    const ParamType2 kTypes[] = {TYPE_INT, TYPE_RGBA, TYPE_MTL, TYPE_TEXMAP, TYPE_INODE_TAB, TYPE_PCNT_FRAC};
    for (const Renumbering& r : kRenumberings) {
        SCOPED_TRACE(r.what);
        for (ParamID id = 0; id < 50; ++id)
            for (ParamType2 type : kTypes)
                EXPECT_EQ(r.converter->MapID(id, type), r.converter->MapID(id, TYPE_FLOAT))
                    << "source ID " << id << " type " << type;
    }
    EXPECT_EQ(theDefaultIDConverter.MapID(5, TYPE_TEXMAP), -1);
    EXPECT_EQ(kBrush.MapID(5, TYPE_TEXMAP), 5);
}

}  // namespace
