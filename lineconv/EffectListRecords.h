#pragma once

#include "ChangeWithUndo.h"
#include "ReferenceHolder.h"

// The line run's change of the render-effect list, recorded whole: the list as it was and as the change
// left it. Whether the host keeps undo data for its effect list is its own affair, so the change is made
// with the host's recording suspended and this record alone undoes it. It holds every effect of both
// lists, so that undo and redo always have them to put back.
class EffectListRestore : public RestoreObj {
public:
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("EffectListRestore")); }

    ReferenceHolder before;
    ReferenceHolder after;

    // Makes the holder hold the list as it is now.
    static void Take(ReferenceHolder& list);
    bool Changed();
};

// Makes change (appends and deletions through Interface::AddEffect and DeleteEffect) and records it in
// theHold when a transaction is recording and the list did change.
template <class Change>
void ChangeEffectList(Change change) {
    auto* record = new EffectListRestore;
    const bool keep = theHold.Holding() && !theHold.RestoreOrRedoing();
    QuietBody quiet;
    EffectListRestore::Take(record->before);
    change();
    EffectListRestore::Take(record->after);
    quiet.Resume();
    if (keep && record->Changed())
        theHold.Put(record);
    else
        delete record;
}
