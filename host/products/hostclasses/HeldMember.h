#pragma once

#include <utility>

#include "hold.h"
#include "ref.h"

// Undo of a value that an object keeps in a plain member instead of a parameter block. The record pins
// the object, so the member it points into lives as long as the record.
template <class T>
class HeldMemberRestore : public RestoreObj {
public:
    HeldMemberRestore(ReferenceTarget* owner, T* member, T before, T after)
        : owner_(owner), member_(member), before_(std::move(before)), after_(std::move(after)) {
        PinForUndo(owner_);
    }
    ~HeldMemberRestore() override { UnpinForUndo(owner_); }
    HeldMemberRestore(const HeldMemberRestore&) = delete;
    HeldMemberRestore& operator=(const HeldMemberRestore&) = delete;

    void Restore(int) override { Apply(before_); }
    void Redo() override { Apply(after_); }
    MSTR Description() override { return MSTR(_M("Property")); }

private:
    void Apply(const T& v) {
        *member_ = v;
        owner_->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    }
    ReferenceTarget* owner_;
    T* member_;
    T before_;
    T after_;
};

// Sets a member of owner as the host's own objects do: recorded while the hold is holding, and
// announced to the owner's dependents.
template <class T>
void SetHeldMember(ReferenceTarget* owner, T& member, const T& value) {
    if (member == value) return;
    if (theHold.Holding()) theHold.Put(new HeldMemberRestore<T>(owner, &member, member, value));
    member = value;
    owner->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
}
