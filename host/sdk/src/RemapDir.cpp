#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ref.h"

struct RemapDir::Impl {
    std::unordered_map<RefTargetHandle, RefTargetHandle> map;
    std::vector<std::pair<RefTargetHandle*, RefTargetHandle>> patches;
    int depth = 0;  // copies being made, one inside the other
};

namespace {

// Hierarchies up to this deep are copied by the classes' own Clone calls, one inside the other.
constexpr size_t kNestedCloneDepth = 256;

// What a copy from `top` meets that is not copied yet, in the order the nested Clone calls would finish
// their copies (each object after what it refers to); empty when the nesting stays within the limit.
// Nodes are shared, never copied.
std::vector<RefTargetHandle> DeepCopyOrder(RefTargetHandle top, RemapDir& remap) {
    struct Frame {
        RefTargetHandle t;
        int next;
    };
    std::vector<Frame> stack{{top, 0}};
    std::unordered_set<RefTargetHandle> met{top};
    std::vector<RefTargetHandle> order;
    bool deep = false;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.t->NumRefs()) {
            order.push_back(f.t);
            stack.pop_back();
            continue;
        }
        RefTargetHandle r = f.t->GetReference(f.next++);
        if (!r || r->SuperClassID() == BASENODE_CLASS_ID || remap.FindMapping(r) || !met.insert(r).second)
            continue;
        stack.push_back({r, 0});
        deep = deep || stack.size() > kNestedCloneDepth;
    }
    if (!deep) order.clear();
    return order;
}

}  // namespace

RemapDir::RemapDir() : impl_(new Impl) {}
RemapDir::~RemapDir() { delete impl_; }

RefTargetHandle RemapDir::FindMapping(RefTargetHandle from) {
    auto it = impl_->map.find(from);
    return it == impl_->map.end() ? nullptr : it->second;
}

// A deep hierarchy would nest a Clone call per level and exhaust the call stack: it is copied from the
// bottom up instead, each object once what it refers to is copied, so every Clone call finds the copies
// of its references made. The copies and their sharing are the same either way (a copy shared inside such
// a deep hierarchy may list its dependents in another order).
RefTargetHandle RemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) return nullptr;
    if (RefTargetHandle done = FindMapping(oldTarg)) return done;
    auto cloneOne = [this](RefTargetHandle t) {
        ++impl_->depth;
        RefTargetHandle copy = t->Clone(*this);
        --impl_->depth;
        if (copy) AddEntry(t, copy);
        return copy;
    };
    if (impl_->depth == 0)
        for (RefTargetHandle t : DeepCopyOrder(oldTarg, *this))
            if (t != oldTarg && !FindMapping(t)) cloneOne(t);
    return cloneOne(oldTarg);
}

void RemapDir::AddEntry(RefTargetHandle hfrom, RefTargetHandle hto) { impl_->map[hfrom] = hto; }

void RemapDir::PatchPointer(RefTargetHandle* patchThis, RefTargetHandle oldTarg) {
    if (RefTargetHandle done = FindMapping(oldTarg))
        *patchThis = done;
    else
        impl_->patches.emplace_back(patchThis, oldTarg);
}

void RemapDir::Backpatch() {
    for (auto& p : impl_->patches)
        if (RefTargetHandle done = FindMapping(p.second)) *p.first = done;
    impl_->patches.clear();
}

ReferenceTarget* CloneRefHierarchy(ReferenceTarget* rm) {
    RemapDir remap;
    ReferenceTarget* copy = remap.CloneRef(rm);
    remap.Backpatch();
    return copy;
}
