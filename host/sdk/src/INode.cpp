#include "inode.h"

#include <algorithm>
#include <iterator>

INode::INode() = default;

INode::~INode() {
    Detach();
    for (INode* c : children_) c->parent_ = nullptr;
}

RefTargetHandle INode::GetReference(int i) { return i == 0 ? mtl_ : nullptr; }

void INode::SetReference(int i, RefTargetHandle rtarg) {
    if (i != 0) return;
    mtl_ = rtarg;
    material_ = rtarg && rtarg == settingMtl_ ? settingMtl_ : dynamic_cast<Mtl*>(rtarg);
}

Mtl* INode::GetMtl() { return material_; }

void INode::SetMtl(Mtl* matl) {
    settingMtl_ = matl;
    ReplaceReference(0, matl);
    settingMtl_ = nullptr;
}

INode* INode::GetChildNode(int i) {
    return i >= 0 && i < NumberOfChildren() ? children_[static_cast<size_t>(i)] : nullptr;
}

void INode::AttachChild(INode* child) {
    if (!child || child == this) return;
    for (INode* p = this; p; p = p->parent_)
        if (p == child) return;  // a node cannot go below its own descendant
    child->Detach();
    child->parent_ = this;
    children_.push_back(child);
}

void INode::Detach() {
    if (!parent_) return;
    // Searched from the end: the host frees nodes newest first, so a node leaving is usually the last child.
    auto& siblings = parent_->children_;
    auto it = std::find(siblings.rbegin(), siblings.rend(), this);
    if (it != siblings.rend()) siblings.erase(std::next(it).base());
    parent_ = nullptr;
}
