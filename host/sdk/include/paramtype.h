#pragma once

enum ParamType2 {
    TYPE_FLOAT = 0,
    TYPE_INT = 1,
    TYPE_RGBA = 2,
    TYPE_POINT3 = 3,
    TYPE_BOOL = 4,
    TYPE_ANGLE = 5,
    TYPE_PCNT_FRAC = 6,
    TYPE_WORLD = 7,
    TYPE_STRING = 8,
    TYPE_FILENAME = 9,
    TYPE_HSV = 10,
    TYPE_COLOR_CHANNEL = 11,
    TYPE_TIMEVALUE = 12,
    TYPE_RADIOBTN_INDEX = 13,
    TYPE_MTL = 14,
    TYPE_TEXMAP = 15,
    TYPE_BITMAP = 16,
    TYPE_INODE = 17,
    TYPE_REFTARG = 18,
    TYPE_INDEX = 19,
    TYPE_MATRIX3 = 20,
    TYPE_PBLOCK2 = 21,
    TYPE_POINT4 = 22,
    TYPE_FRGBA = 23,

    TYPE_TAB = 0x0800,
    TYPE_BY_REF = 0x1000,

    TYPE_FLOAT_TAB = TYPE_FLOAT + TYPE_TAB,
    TYPE_INT_TAB = TYPE_INT + TYPE_TAB,
    TYPE_RGBA_TAB = TYPE_RGBA + TYPE_TAB,
    TYPE_POINT3_TAB = TYPE_POINT3 + TYPE_TAB,
    TYPE_BOOL_TAB = TYPE_BOOL + TYPE_TAB,
    TYPE_ANGLE_TAB = TYPE_ANGLE + TYPE_TAB,
    TYPE_PCNT_FRAC_TAB = TYPE_PCNT_FRAC + TYPE_TAB,
    TYPE_WORLD_TAB = TYPE_WORLD + TYPE_TAB,
    TYPE_STRING_TAB = TYPE_STRING + TYPE_TAB,
    TYPE_MTL_TAB = TYPE_MTL + TYPE_TAB,
    TYPE_TEXMAP_TAB = TYPE_TEXMAP + TYPE_TAB,
    TYPE_INODE_TAB = TYPE_INODE + TYPE_TAB,
    TYPE_REFTARG_TAB = TYPE_REFTARG + TYPE_TAB,

    TYPE_REFTARG_TAB_BR = TYPE_REFTARG_TAB + TYPE_BY_REF,

    // Not a parameter type: what a block answers for an ID it does not have.
    TYPE_UNSPECIFIED = 0x7FFF,
};

inline ParamType2 base_type(int t) { return static_cast<ParamType2>(t & ~TYPE_TAB); }
inline bool is_tab(int t) { return (t & TYPE_TAB) != 0; }
// The value type without the table and by-reference flags.
inline ParamType2 root_type(int t) { return static_cast<ParamType2>(t & ~(TYPE_TAB | TYPE_BY_REF)); }
