#pragma once

#include "bitarray.h"

// The flags of the selection dialog's items: five bits, some kept on the one item per material, the
// others on each of its places in the tree.
enum ItemFlag {
    ITEM_ELIGIBLE = 0,       // list item: the callback answered SELMTL_ELIGIBLE
    ITEM_VISIBLE = 1,        // tree item: shown under the current display filter
    ITEM_SELECTED = 2,       // list item: chosen by the user
    ITEM_IN_SCENE = 3,       // tree item: found through a scene node
    ITEM_IN_MTL_EDITOR = 4,  // tree item: found in a material editor slot
};
const int kNumItemFlags = 5;

// The value's low five bits as a flag set (bit i of the value is flag i).
inline BitArray ItemFlags(unsigned value) {
    BitArray flags(kNumItemFlags);
    for (int i = 0; i < kNumItemFlags; ++i)
        if (value & (1u << i)) flags.Set(i);
    return flags;
}

// A flag set as a value: flag i as bit i.
unsigned FlagValue(const BitArray& flags);

// The flags kept on list items and on tree items; together they split any flag set.
const unsigned kListItemFlags = 0x05;  // ITEM_ELIGIBLE, ITEM_SELECTED
const unsigned kTreeItemFlags = 0x1A;  // ITEM_VISIBLE, ITEM_IN_SCENE, ITEM_IN_MTL_EDITOR
