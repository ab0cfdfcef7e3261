#pragma once

#include "maxapi.h"

// The material editor's slots as every part of the plug-in visits them (the material run, the selection
// dialog): f(slot, material) for each slot from 0 to NumMtlSlots() - 1 that holds something.
//
// Every slot is looked at; an empty one is passed over, never taken for the end. In the host's compact
// editor the slots are never empty, so this is the same as stopping at the first empty slot there, and
// a host or a scene that leaves gaps loses no material that comes after one.
template <class F>
void ForEachEditorSlot(F&& f) {
    Interface7* ip = GetCOREInterface7();
    const int n = ip->NumMtlSlots();
    for (int slot = 0; slot < n; ++slot)
        if (MtlBase* m = ip->GetMtlSlot(slot)) f(slot, m);
}
