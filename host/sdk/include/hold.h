#pragma once

#include <vector>

#include "maxtypes.h"
#include "strclass.h"

class ReferenceMaker;

class CoreExport RestoreObj {
public:
    virtual ~RestoreObj();
    virtual void Restore(int isUndo) = 0;
    virtual void Redo() = 0;
    virtual int Size() { return 1; }
    virtual void EndHold() {}
    virtual MSTR Description() { return MSTR(_M("---")); }
};

// The undo system. Begin opens a transaction (transactions nest: an inner Accept hands its records to
// the outer one); Accept closes the outermost one onto the host's undo stack under a name, Cancel
// restores what it recorded and drops it. The host replays whole transactions with Undo and Redo.
class CoreExport Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

    void Begin();
    // Keeps rob in the open transaction and answers true; when not holding, rob is deleted at once.
    bool Put(RestoreObj* rob);
    // Holding: a transaction is open and recording is not suspended.
    int Holding();
    void Suspend();
    void Resume();
    int IsSuspended();
    int Restoring(int& isUndo);
    int Redoing();
    int RestoreOrRedoing();
    void Accept(MCHAR* name);
    void Cancel();

    // Host side: the undo and redo stacks.
    BOOL Undo();
    BOOL Redo();
    int NumUndoEntries() const;
    int NumRedoEntries() const;
    MSTR UndoName(int i) const;  // 0 is the most recent transaction
    MSTR RedoName(int i) const;
    int NumRecordsOpen() const;  // records held by the open transaction
    void ClearUndoStacks();      // drops every record, open or closed

private:
    struct Transaction {
        MSTR name;
        std::vector<RestoreObj*> records;
    };
    static void Free(Transaction& t);

    std::vector<RestoreObj*> open_;
    std::vector<size_t> levels_;  // where each open nested transaction starts in open_
    int suspended_ = 0;
    int restoring_ = 0;
    int isUndo_ = 0;
    int redoing_ = 0;
    std::vector<Transaction> undo_;
    std::vector<Transaction> redo_;
};

extern CoreExport Hold theHold;

// Animate mode (the Auto Key button). While it is on, a value set at a time other than 0 becomes a key;
// suspending it turns it off until the matching resume, which brings back the earlier state.
CoreExport BOOL Animating();
CoreExport void AnimateOn();
CoreExport void AnimateOff();
CoreExport void SuspendAnimate();
CoreExport void ResumeAnimate();

// Suspends the host's recording systems for its lifetime. The undo state and animate mode have an effect
// here; the other flags name systems the stand-in host does not have.
class CoreExport SuspendAll {
public:
    SuspendAll(BOOL holdState = FALSE, BOOL macroRecorder = FALSE, BOOL animateMode = FALSE,
               BOOL setKeyMode = FALSE, BOOL autoBackup = FALSE, BOOL saveRequired = FALSE,
               BOOL refMsgs = FALSE);
    ~SuspendAll();
    SuspendAll(const SuspendAll&) = delete;
    SuspendAll& operator=(const SuspendAll&) = delete;
    void Resume();

private:
    BOOL holdSuspended_;
    BOOL animateSuspended_;
    bool resumed_ = false;
};
