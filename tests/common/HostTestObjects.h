#pragma once

#include <vector>

#include "hostcore.h"
#include "iparamb2.h"
#include "max.h"
#include "shaders.h"
#include "stdmat.h"

// Colours and points go into a block by non-const reference, as with the host's own blocks: this takes
// them by value, so that a test can pass a temporary.
template <class T>
BOOL SetParamValue(IParamBlock2* pb, ParamID id, TimeValue t, T value, int tabIndex = 0) {
    return pb->SetValue(id, t, value, tabIndex);
}

// Small classes built on the SDK for its own tests: a target with a number of references and a
// parameter block, and a map and a material of the same shape.
template <class Base>
class RefBox : public Base {
public:
    explicit RefBox(int numRefs, SClass_ID sclass, const ParamBlockDesc2* desc = nullptr)
        : sclass_(sclass), refs_(static_cast<size_t>(numRefs), nullptr) {
        if (desc) {
            refs_.push_back(nullptr);
            this->ReplaceReference(numRefs, CreateParameterBlock2(desc, this));
        }
    }
    SClass_ID SuperClassID() override { return sclass_; }
    Class_ID ClassID() override { return Class_ID(0x7E570001, static_cast<ULONG>(sclass_)); }
    void GetClassName(MSTR& s) override { s = _M("RefBox"); }
    int NumRefs() override { return static_cast<int>(refs_.size()); }
    RefTargetHandle GetReference(int i) override {
        return i >= 0 && i < NumRefs() ? refs_[static_cast<size_t>(i)] : nullptr;
    }
    IParamBlock2* Block() { return dynamic_cast<IParamBlock2*>(refs_.back()); }
    RefTargetHandle Clone(RemapDir& remap) override {
        RefBox* copy = MakeEmpty();
        copy->refs_.assign(refs_.size(), nullptr);
        for (int i = 0; i < NumRefs(); ++i) copy->ReplaceReference(i, remap.CloneRef(GetReference(i)));
        this->BaseClone(this, copy, remap);
        return copy;
    }
    int notifications = 0;

protected:
    virtual RefBox* MakeEmpty() = 0;
    void SetReference(int i, RefTargetHandle rtarg) override { refs_[static_cast<size_t>(i)] = rtarg; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage, BOOL) override {
        ++notifications;
        return REF_SUCCEED;
    }

private:
    SClass_ID sclass_;
    std::vector<RefTargetHandle> refs_;
};

class BoxTarget : public RefBox<ReferenceTarget> {
public:
    explicit BoxTarget(int numRefs = 2, const ParamBlockDesc2* desc = nullptr)
        : RefBox(numRefs, REF_TARGET_CLASS_ID, desc) {}

protected:
    RefBox* MakeEmpty() override { return new BoxTarget(0); }
};

class BoxMap : public RefBox<Texmap> {
public:
    explicit BoxMap(int numRefs = 1) : RefBox(numRefs, TEXMAP_CLASS_ID) {}
    void Update(TimeValue, Interval&) override {}

protected:
    RefBox* MakeEmpty() override { return new BoxMap(0); }
};

class BoxMtl : public RefBox<Mtl> {
public:
    explicit BoxMtl(int numRefs = 2, const ParamBlockDesc2* desc = nullptr)
        : RefBox(numRefs, MATERIAL_CLASS_ID, desc) {}
    void Update(TimeValue, Interval&) override {}
    int NumSubMtls() override { return NumRefs(); }
    Mtl* GetSubMtl(int i) override { return dynamic_cast<Mtl*>(GetReference(i)); }
    void SetSubMtl(int i, Mtl* m) override { ReplaceReference(i, m); }

protected:
    RefBox* MakeEmpty() override { return new BoxMtl(0); }
};

// A maker that is not a target, owned by the test (as a plug-in's holder is).
class Holder : public ReferenceMaker {
public:
    ~Holder() override { DeleteAllRefs(); }
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int) override { return ref_; }
    int deletedMessages = 0;

protected:
    void SetReference(int, RefTargetHandle rtarg) override { ref_ = rtarg; }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage m,
                               BOOL) override {
        if (m == REFMSG_TARGET_DELETED && hTarget == ref_) {
            ++deletedMessages;
            ref_ = nullptr;  // as the host asks: it only unlinks
        }
        return REF_SUCCEED;
    }

private:
    RefTargetHandle ref_ = nullptr;
};

// Every test starts from an empty scene with empty undo stacks.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override { HostCore::Get().ResetScene(); }
    void TearDown() override { HostCore::Get().ResetScene(); }
};

inline std::vector<ReferenceMaker*> Dependents(ReferenceTarget* t) {
    std::vector<ReferenceMaker*> out;
    DependentIterator it(t);
    while (ReferenceMaker* m = it.Next()) out.push_back(m);
    return out;
}
