#pragma once

#include <unordered_map>
#include <vector>

#include "animtbl.h"
#include "interval.h"

enum RefResult { REF_FAIL, REF_SUCCEED, REF_DONTCARE, REF_STOP, REF_INVALID };

// Reference messages.
#define REFMSG_CHANGE 0x00000050
#define REFMSG_TARGET_DELETED 0x00000020
#define REFMSG_SUBANIM_STRUCTURE_CHANGED 0x00000102
#define REFMSG_REF_DELETED 0x00000103

#define PART_ALL 0x800037FF
#define NOTIFY_ALL 0xFFFFFFF0

class RemapDir;
class DependentList;
class RefRestore;

// The targets a maker refers to, with the number of references to each. Small sets are a plain list; a
// maker with many references (a holder of thousands of listed materials) gets a hash table, so that
// dropping one reference costs the same however many it holds.
class CoreExport RefTargetSet {
public:
    RefTargetSet() = default;
    ~RefTargetSet();
    RefTargetSet(const RefTargetSet&) = delete;
    RefTargetSet& operator=(const RefTargetSet&) = delete;

    void Add(ReferenceTarget* t);
    void Remove(ReferenceTarget* t);  // one reference
    void Erase(ReferenceTarget* t);   // every reference
    void Clear();
    // f(target, references) for each distinct target.
    template <class F>
    void ForEach(F f) const {
        if (many_) {
            for (const auto& e : *many_) f(e.first, e.second);
        } else {
            for (ReferenceTarget* t : few_) f(t, 1);
        }
    }

private:
    static constexpr size_t kFewLimit = 16;
    std::vector<ReferenceTarget*> few_;  // one entry per reference, in no order
    std::unordered_map<ReferenceTarget*, int>* many_ = nullptr;
};

// An undo record that points at an object pins it: a deleted object is not freed while pinned.
// Records pin in their constructor and unpin in their destructor.
CoreExport void PinForUndo(ReferenceMaker* m);
CoreExport void UnpinForUndo(ReferenceMaker* m);

class CoreExport ReferenceMaker : public Animatable {
public:
    ReferenceMaker() = default;

    virtual BOOL IsRefMaker() { return TRUE; }
    virtual BOOL IsRefTarget() { return FALSE; }

    virtual int NumRefs() { return 0; }
    virtual RefTargetHandle GetReference(int i);

    // Makes reference `which` point at newtarg and keeps the target's dependents in step. Refused when
    // the index is out of range or when newtarg already depends on this maker (a reference loop). While
    // theHold is holding, the change is recorded for undo. With delOld, the old target is deleted when
    // this was its last reference (ReferenceTarget::MaybeAutoDelete).
    RefResult ReplaceReference(int which, RefTargetHandle newtarg, BOOL delOld = TRUE);
    // Clears reference i; its target is deleted when this was its last reference.
    RefResult DeleteReference(int i);
    virtual RefResult DeleteAllRefsFromMe();
    virtual RefResult DeleteAllRefsToMe() { return REF_SUCCEED; }
    // Every reference from and to this object.
    RefResult DeleteAllRefs();

    // Deletes this object the way the host does: its dependents are sent REFMSG_TARGET_DELETED, every
    // reference from and to it is dropped (recorded while holding) and it is freed. An object that undo
    // records still point at is only marked A_IS_DELETED and freed with the last of those records.
    void DeleteMe();

    // Whether this maker refers to targ, directly or through the targets it refers to.
    bool DependsOn(ReferenceTarget* targ);

protected:
    ~ReferenceMaker() override = 0;

    virtual void SetReference(int i, RefTargetHandle rtarg);
    virtual RefResult NotifyRefChanged(const Interval& changeInt, RefTargetHandle hTarget, PartID& partID,
                                       RefMessage message, BOOL propagate) = 0;

private:
    friend class ReferenceTarget;
    friend class RefRestore;
    friend class HostObjectPool;
    friend class UndoPins;

    // Changes the reference and the dependents' bookkeeping, without any undo record or check.
    void SetRefRaw(int which, RefTargetHandle newtarg);
    void ForgetTarget(ReferenceTarget* targ);

    RefTargetSet targets_;
    int undoRecords_ = 0;  // undo records that point at this maker
};

class CoreExport ReferenceTarget : public ReferenceMaker {
public:
    ReferenceTarget();

    BOOL IsRefTarget() override { return TRUE; }

    // The default makes no copy; classes that can be copied override it.
    virtual RefTargetHandle Clone(RemapDir& remap);
    virtual void BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap);

    virtual RefResult NotifyDependents(const Interval& changeInt, PartID partID, RefMessage message,
                                       SClass_ID sclass = NOTIFY_ALL, BOOL propagate = TRUE,
                                       RefTargetHandle hTarg = nullptr);

    // The number of distinct makers that refer to this target.
    int NumDependents() const;
    BOOL HasDependents() const { return NumDependents() > 0 ? TRUE : FALSE; }

    // Sends REFMSG_TARGET_DELETED to the dependents, then drops their references to this target.
    RefResult DeleteAllRefsToMe() override;
    // Deletes this target (DeleteMe) when nothing refers to it any more. Scene nodes belong to the
    // scene and are never deleted this way.
    RefResult MaybeAutoDelete();

protected:
    ~ReferenceTarget() override = 0;

private:
    friend class ReferenceMaker;
    friend class DependentIterator;
    friend class HostObjectPool;

    DependentList* dependents_ = nullptr;
    ReferenceTarget* poolPrev_ = nullptr;  // every live target is in the host's pool
    ReferenceTarget* poolNext_ = nullptr;
};

// Yields the makers that refer to a target, each once, in the order in which they first referred to it.
// It walks a snapshot, so references may change while it is in use.
class CoreExport DependentIterator {
public:
    explicit DependentIterator(ReferenceTarget* targ);
    DependentIterator(const DependentIterator&) = delete;
    DependentIterator& operator=(const DependentIterator&) = delete;

    ReferenceMaker* Next();
    void Reset();

private:
    std::vector<ReferenceMaker*> makers_;
    size_t next_ = 0;
};

// The directory of a deep copy: each object met is copied once, so sharing inside the copied
// hierarchy is kept.
class CoreExport RemapDir {
public:
    RemapDir();
    virtual ~RemapDir();
    RemapDir(const RemapDir&) = delete;
    RemapDir& operator=(const RemapDir&) = delete;

    virtual RefTargetHandle FindMapping(RefTargetHandle from);
    virtual RefTargetHandle CloneRef(RefTargetHandle oldTarg);
    virtual void AddEntry(RefTargetHandle hfrom, RefTargetHandle hto);
    virtual void PatchPointer(RefTargetHandle* patchThis, RefTargetHandle oldTarg);
    virtual void Backpatch();

private:
    struct Impl;
    Impl* impl_;
};

CoreExport ReferenceTarget* CloneRefHierarchy(ReferenceTarget* rm);
