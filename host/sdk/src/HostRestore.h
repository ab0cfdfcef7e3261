#pragma once

#include "hold.h"
#include "ref.h"

// Base of the host's own undo records: when an object they point at goes away before them, the hold
// asks them to forget it, and they become no-ops for that object.
class HostRestoreObj : public RestoreObj {
public:
    virtual void Forget(ReferenceMaker* gone) = 0;
};

// The undo record of ReferenceMaker::ReplaceReference.
class RefRestore : public HostRestoreObj {
public:
    RefRestore(ReferenceMaker* maker, int which, RefTargetHandle oldTarg, RefTargetHandle newTarg);
    ~RefRestore() override;
    void Restore(int isUndo) override;
    void Redo() override;
    MSTR Description() override { return MSTR(_M("Reference")); }
    void Forget(ReferenceMaker* gone) override;

private:
    ReferenceMaker* maker_;
    int which_;
    RefTargetHandle old_;
    RefTargetHandle new_;
};
