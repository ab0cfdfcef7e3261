#pragma once

#include "max.h"

// Undo recording and the macro recorder are off while a record fills itself or replays.
struct QuietBody : SuspendAll {
    QuietBody() : SuspendAll(TRUE, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE) {}
};

// Creates the record, decides before anything else whether theHold will keep it, fills it, performs the
// change through the record's own Redo, then hands it over or drops it.
template <class Record, class Fill>
void ChangeWithUndo(Fill fill) {
    auto* record = new Record;
    const bool keep = theHold.Holding() && !theHold.RestoreOrRedoing();
    fill(*record);
    record->Redo();
    if (keep)
        theHold.Put(record);
    else
        delete record;
}
