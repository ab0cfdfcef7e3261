#pragma once

#include <vector>

#include "imtl.h"
#include "ref.h"

// A scene node: a name, a material (its reference 0) and children. Nodes are made by the host.
class CoreExport INode : public ReferenceTarget {
public:
    INode();
    ~INode() override;

    // Animatable
    SClass_ID SuperClassID() override { return BASENODE_CLASS_ID; }
    Class_ID ClassID() override { return Class_ID(BASENODE_CLASS_ID, 0); }
    void GetClassName(MSTR& s) override { s = _M("Node"); }

    // ReferenceMaker
    int NumRefs() override { return 1; }
    RefTargetHandle GetReference(int i) override;

    const MCHAR* GetName() { return name_.data(); }
    void SetName(const MCHAR* s) { name_ = s; }

    Mtl* GetMtl();
    void SetMtl(Mtl* matl);

    int NumberOfChildren() { return static_cast<int>(children_.size()); }
    INode* GetChildNode(int i);
    INode* GetParentNode() { return parent_; }
    // Appends child below this node, moving it from its former parent.
    void AttachChild(INode* child);
    void Detach();
    BOOL IsRootNode() { return parent_ == nullptr ? TRUE : FALSE; }

protected:
    void SetReference(int i, RefTargetHandle rtarg) override;
    RefResult NotifyRefChanged(const Interval&, RefTargetHandle hTarget, PartID&, RefMessage message,
                               BOOL) override {
        if (message == REFMSG_TARGET_DELETED && hTarget == mtl_) SetReference(0, nullptr);
        return REF_SUCCEED;
    }

private:
    MSTR name_;
    ReferenceTarget* mtl_ = nullptr;
    Mtl* material_ = nullptr;    // mtl_ as a material, or null: found when the reference is set
    Mtl* settingMtl_ = nullptr;  // the material SetMtl is setting, whose type is known
    INode* parent_ = nullptr;
    std::vector<INode*> children_;
};
