#pragma once

#include "ReferenceHolder.h"

// The line run's changes of the render-effect list, made through records of their own: whether the host
// keeps undo data for its effect list is its own affair. Each change is made through its record's Redo
// with the host's recording suspended; the record goes to theHold only when a transaction is recording,
// and it holds its effect so that undo and redo always have it to put back.

// Appends an effect at the end of the list.
void AppendEffect(Effect* effect);
// Deletes the effect at index from the list.
void DeleteEffectAt(int index);

class AppendEffectRestore : public RestoreObj {
public:
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("AppendEffectRestore")); }

    ReferenceHolder effect;
};

class DeleteEffectRestore : public RestoreObj {
public:
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("DeleteEffectRestore")); }

    ReferenceHolder effect;
    int index = 0;
};
