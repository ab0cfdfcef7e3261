#pragma once

#include <vector>

#include "hostcore.h"
#include "iparamb2.h"
#include "max.h"

// What every stand-in class is: its identifiers and names, kept in one table entry per class.
struct StandInClassInfo {
    SClass_ID superClass;
    Class_ID classID;
    const MCHAR* className;     // GetClassName, and so the full name of materials
    const MCHAR* internalName;  // the name scene files use
    const MCHAR* product;       // the product the class belongs to; a product can be unloaded as a whole
};

// One block a stand-in makes at creation, and the reference that holds it.
struct StandInBlock {
    int ref;
    const ParamBlockDesc2* desc;
};

// Blocks made at creation in consecutive references from firstRef on, one per description.
template <size_t N>
std::vector<StandInBlock> BlocksFrom(const ParamBlockDesc2* const (&descs)[N], int firstRef = 0) {
    std::vector<StandInBlock> blocks;
    for (size_t i = 0; i < N; ++i) blocks.push_back({firstRef + static_cast<int>(i), descs[i]});
    return blocks;
}

// A test hook that holds while one of its scopes lives: objects a class makes meanwhile come out damaged
// (without a block, without an interface), as a damaged scene would hold them. Tag tells hooks apart.
template <class Tag>
class StandInHookScope {
public:
    StandInHookScope() { ++count_; }
    ~StandInHookScope() { --count_; }
    StandInHookScope(const StandInHookScope&) = delete;
    StandInHookScope& operator=(const StandInHookScope&) = delete;

    static bool Active() { return count_ > 0; }

private:
    static inline int count_ = 0;
};

// The common body of the stand-in classes: a fixed number of references (more may be appended for
// lists), parameter blocks made at creation in given references, and a deep copy that copies them all.
// Base is the SDK class the stand-in derives from (Mtl, Texmap, ReferenceTarget, Effect, ...).
template <class Base>
class StandIn : public Base {
public:
    // A bare object (for Clone) is made without its blocks; the copy fills its references itself.
    StandIn(const StandInClassInfo& info, int numRefs, std::vector<StandInBlock> blocks = {},
            bool bare = false)
        : info_(info), refs_(static_cast<size_t>(numRefs), nullptr), blocks_(std::move(blocks)) {
        if (bare) return;
        for (const StandInBlock& b : blocks_)
            this->ReplaceReference(b.ref, CreateParameterBlock2(b.desc, this));
    }
    ~StandIn() override = default;

    // Animatable
    SClass_ID SuperClassID() override { return info_.superClass; }
    Class_ID ClassID() override { return info_.classID; }
    void GetClassName(MSTR& s) override { s = info_.className; }
    int NumParamBlocks() override { return static_cast<int>(blocks_.size()); }
    IParamBlock2* GetParamBlock(int i) override {
        return i >= 0 && i < NumParamBlocks() ? BlockAt(blocks_[static_cast<size_t>(i)].ref) : nullptr;
    }
    BaseInterface* GetInterface(Interface_ID id) override {
        if (id == HOST_REF_LIST_INTERFACE_ID && RefListStart() >= 0) return &refList_;
        return Base::GetInterface(id);
    }
    using Base::GetInterface;
    IParamBlock2* GetParamBlockByID(BlockID id) override {
        for (const StandInBlock& b : blocks_)
            if (IParamBlock2* pb = BlockAt(b.ref))
                if (pb->ID() == id) return pb;
        return nullptr;
    }

    // ReferenceMaker
    int NumRefs() override { return static_cast<int>(refs_.size()); }
    RefTargetHandle GetReference(int i) override {
        return i >= 0 && i < NumRefs() ? refs_[static_cast<size_t>(i)] : nullptr;
    }

    // ReferenceTarget
    RefTargetHandle Clone(RemapDir& remap) override {
        StandIn* copy = MakeEmpty();
        if (!copy) return nullptr;
        copy->refs_.resize(refs_.size(), nullptr);
        for (int i = 0; i < NumRefs(); ++i) {
            RefTargetHandle r = GetReference(i);
            RefTargetHandle c = r ? remap.CloneRef(r) : nullptr;
            copy->ReplaceReference(i, c);
            if (auto* pb = dynamic_cast<IParamBlock2*>(c)) pb->SetOwner(copy);
        }
        CopyMembers(copy);
        this->BaseClone(this, copy, remap);
        return copy;
    }

    const StandInClassInfo& Info() const { return info_; }

    // A block the class made at creation, taken away (a test hook for classes that lack a block).
    void RemoveBlock(BlockID id) {
        for (const StandInBlock& b : blocks_)
            if (IParamBlock2* pb = BlockAt(b.ref))
                if (pb->ID() == id) this->ReplaceReference(b.ref, nullptr);
    }

    // Where the class's list of references of any length starts, or -1 when it has none.
    virtual int RefListStart() { return -1; }

protected:
    // A new bare object of the same class, for Clone: no references, nothing made at creation.
    virtual StandIn* MakeEmpty() = 0;
    // Copies what the class keeps outside its references.
    virtual void CopyMembers(StandIn* to) { (void)to; }

    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i >= 0 && i < NumRefs()) refs_[static_cast<size_t>(i)] = rtarg;
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage message,
                               BOOL) override {
        if (message == REFMSG_TARGET_DELETED)
            for (RefTargetHandle& r : refs_)
                if (r == hTarget) r = nullptr;
        return REF_SUCCEED;
    }

    IParamBlock2* BlockAt(int ref) { return dynamic_cast<IParamBlock2*>(GetReference(ref)); }

    // Lists kept in the references from `first` on (zones, strokes, line sets): the list is replaced
    // whole, keeping null entries as empty slots.
    // Each entry is replaced in place, so an entry that stays is held all along and never deleted on the
    // way. The length change is recorded before the sets when the list grows and after the clears when
    // it shrinks, so undo always meets entries inside the length it restores.
    void SetRefList(int first, const Tab<ReferenceTarget*>& items) {
        const int before = NumRefs();
        const int after = first + items.Count();
        if (after > before) Resize(before, after);
        for (int k = 0; k < items.Count(); ++k) this->ReplaceReference(first + k, items[k]);
        for (int i = before - 1; i >= after; --i) this->ReplaceReference(i, nullptr);
        if (after < before) Resize(before, after);
    }
    int RefListCount(int first) { return NumRefs() > first ? NumRefs() - first : 0; }

private:
    // Entries past n are null whenever this runs: cleared before, or undone to null.
    void ResizeRefs(int n) { refs_.resize(static_cast<size_t>(n), nullptr); }
    void Resize(int before, int after) {
        ResizeRefs(after);
        if (theHold.Holding()) theHold.Put(new RefCountRestore(this, before, after));
    }

    class RefCountRestore : public RestoreObj {
    public:
        RefCountRestore(StandIn* owner, int before, int after)
            : owner_(owner), before_(before), after_(after) {
            PinForUndo(owner_);
        }
        ~RefCountRestore() override { UnpinForUndo(owner_); }
        void Restore(int) override { owner_->ResizeRefs(before_); }
        void Redo() override { owner_->ResizeRefs(after_); }
        MSTR Description() override { return MSTR(_M("Reference list")); }

    private:
        StandIn* owner_;
        int before_, after_;
    };

    class RefListAccess : public IRefList {
    public:
        explicit RefListAccess(StandIn* owner) : owner_(owner) {}
        int RefListStart() override { return owner_->RefListStart(); }
        void SetRefList(const Tab<ReferenceTarget*>& items) override {
            owner_->SetRefList(RefListStart(), items);
        }

    private:
        StandIn* owner_;
    };

    RefListAccess refList_{this};
    const StandInClassInfo& info_;
    std::vector<RefTargetHandle> refs_;
    std::vector<StandInBlock> blocks_;
};

// The class descriptor of a stand-in class T, which has a constructor T().
template <class T>
class StandInClassDesc : public ClassDesc2 {
public:
    explicit StandInClassDesc(const StandInClassInfo& info) : info_(info) {}
    int IsPublic() override { return TRUE; }
    void* Create(BOOL) override { return new T(); }
    const MCHAR* ClassName() override { return info_.className; }
    SClass_ID SuperClassID() override { return info_.superClass; }
    Class_ID ClassID() override { return info_.classID; }
    const MCHAR* Category() override { return info_.product; }
    const MCHAR* InternalName() override { return info_.internalName; }
    const StandInClassInfo& Info() const { return info_; }

private:
    const StandInClassInfo& info_;
};

// Registers the class of T with the host.
template <class T>
void RegisterStandIn(const StandInClassInfo& info) {
    static StandInClassDesc<T> desc(info);
    HostCore::Get().AddClass(&desc, info.product);
}
