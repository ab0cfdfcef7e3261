#include <unordered_map>
#include <utility>
#include <vector>

#include "ref.h"

struct RemapDir::Impl {
    std::unordered_map<RefTargetHandle, RefTargetHandle> map;
    std::vector<std::pair<RefTargetHandle*, RefTargetHandle>> patches;
};

RemapDir::RemapDir() : impl_(new Impl) {}
RemapDir::~RemapDir() { delete impl_; }

RefTargetHandle RemapDir::FindMapping(RefTargetHandle from) {
    auto it = impl_->map.find(from);
    return it == impl_->map.end() ? nullptr : it->second;
}

RefTargetHandle RemapDir::CloneRef(RefTargetHandle oldTarg) {
    if (!oldTarg) return nullptr;
    if (RefTargetHandle done = FindMapping(oldTarg)) return done;
    RefTargetHandle copy = oldTarg->Clone(*this);
    if (copy) AddEntry(oldTarg, copy);
    return copy;
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
