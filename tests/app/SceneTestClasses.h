#pragma once

#include <vector>

#include "hostcore.h"
#include "iparamb2.h"
#include "max.h"
#include "shaders.h"
#include "stdmat.h"

// Small classes built on the SDK alone, registered with the host under "Scene Test", so that scene
// files can be tested without the product stand-ins: a material with a block of every kind of
// parameter, two plain references and a reference list; a map; a render effect; a holder that is
// neither material nor effect.

// Parameter IDs of the test material's block (block ID 3, in reference 0).
enum : ParamID {
    kPFloat = 0,
    kPInt = 1,
    kPBool = 2,
    kPColor = 3,
    kPPoint3 = 4,
    kPString = 5,
    kPAngle = 6,
    kPFloatTab = 7,
    kPMtl = 8,
    kPMap = 9,
    kPNode = 10,
    kPRefTab = 11,
    kPBitmap = 12,
    kPIntTab = 13,
};
constexpr BlockID kTestBlockID = 3;

// Layout of a test class: how many fixed references, which one holds the block, where the list starts.
struct SceneTestClass {
    SClass_ID superClass;
    Class_ID classID;
    const MCHAR* internalName;
    int numRefs;
    int blockRef;  // -1: none
    const ParamBlockDesc2* block;
    int listStart;  // -1: no list
};

template <class Base>
class SceneTestObject : public Base {
public:
    explicit SceneTestObject(const SceneTestClass& cls)
        : cls_(cls), refs_(static_cast<size_t>(cls.numRefs), nullptr) {
        if (cls.block) this->ReplaceReference(cls.blockRef, CreateParameterBlock2(cls.block, this));
    }

    // Animatable
    SClass_ID SuperClassID() override { return cls_.superClass; }
    Class_ID ClassID() override { return cls_.classID; }
    void GetClassName(MSTR& s) override { s = cls_.internalName; }
    BaseInterface* GetInterface(Interface_ID id) override {
        if (id == HOST_REF_LIST_INTERFACE_ID && cls_.listStart >= 0) return &list_;
        return Base::GetInterface(id);
    }
    using Base::GetInterface;

    // ReferenceMaker
    int NumRefs() override { return static_cast<int>(refs_.size()); }
    RefTargetHandle GetReference(int i) override {
        return i >= 0 && i < NumRefs() ? refs_[static_cast<size_t>(i)] : nullptr;
    }

    IParamBlock2* Block() { return dynamic_cast<IParamBlock2*>(GetReference(cls_.blockRef)); }
    // Appends an entry to the reference list.
    void AppendToList(ReferenceTarget* t) {
        refs_.push_back(nullptr);
        this->ReplaceReference(NumRefs() - 1, t);
    }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override {
        if (i >= 0 && i < NumRefs()) refs_[static_cast<size_t>(i)] = rtarg;
    }
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle, PartID&, RefMessage, BOOL) override {
        return REF_SUCCEED;
    }

private:
    class List : public IRefList {
    public:
        explicit List(SceneTestObject* o) : o_(o) {}
        int RefListStart() override { return o_->cls_.listStart; }
        void SetRefList(const Tab<ReferenceTarget*>& items) override {
            int first = RefListStart();
            for (int i = o_->NumRefs() - 1; i >= first; --i) o_->ReplaceReference(i, nullptr);
            o_->refs_.resize(static_cast<size_t>(first + items.Count()), nullptr);
            for (int k = 0; k < items.Count(); ++k) o_->ReplaceReference(first + k, items[k]);
        }

    private:
        SceneTestObject* o_;
    };

    const SceneTestClass& cls_;
    std::vector<RefTargetHandle> refs_;
    List list_{this};
};

// References: 0 the block, 1 and 2 plain (the constructor puts a new SceneTestMap in 2), the list from 3.
class SceneTestMtl : public SceneTestObject<Mtl> {
public:
    static const SceneTestClass kClass;
    SceneTestMtl();
    void Update(TimeValue, Interval&) override {}
};

// References: 0 the block (block ID 1: a float 0 and a texmap 1), 1 plain.
class SceneTestMap : public SceneTestObject<Texmap> {
public:
    static const SceneTestClass kClass;
    SceneTestMap() : SceneTestObject(kClass) {}
    void Update(TimeValue, Interval&) override {}
};

// References: 0 the block (block ID 0: a float 0), 1 plain.
class SceneTestEffect : public SceneTestObject<Effect> {
public:
    static const SceneTestClass kClass;
    SceneTestEffect() : SceneTestObject(kClass) {}
};

// No name, no block; two plain references and a list from 2.
class SceneTestHolder : public SceneTestObject<ReferenceTarget> {
public:
    static const SceneTestClass kClass;
    SceneTestHolder() : SceneTestObject(kClass) {}
};

// Registers the four classes once; later calls do nothing.
void RegisterSceneTestClasses();
