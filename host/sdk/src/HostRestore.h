#pragma once

#include "hold.h"
#include "ref.h"

// The undo record of ReferenceMaker::ReplaceReference. It pins the maker and both targets, so a
// target deleted with the change lives on for undo. Undo and redo delete what they leave unreferenced,
// as the change itself did.
class RefRestore : public RestoreObj {
public:
    RefRestore(ReferenceMaker* maker, int which, RefTargetHandle oldTarg, RefTargetHandle newTarg,
               BOOL delOld);
    ~RefRestore() override;
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("Reference")); }

private:
    ReferenceMaker* maker_;
    int which_;
    RefTargetHandle old_;
    RefTargetHandle new_;
    BOOL delOld_;
};
