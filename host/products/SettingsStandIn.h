#pragma once

#include "StandIn.h"

// A holder of one parameter block in reference 0, kept by a settings object. Layout names its class
// (kInfo) and its block (kBlock).
template <class Layout>
class ParamHolderStandIn : public StandIn<ReferenceTarget>, public Layout {
public:
    enum : int { kRefBlock = 0, kNumRefs = 1 };

    ParamHolderStandIn() : ParamHolderStandIn(false) {}

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new ParamHolderStandIn(true); }

private:
    explicit ParamHolderStandIn(bool bare)
        : StandIn(Layout::kInfo, kNumRefs, {{kRefBlock, &Layout::kBlock}}, bare) {}
};

// The render settings of a material of either product: a named object with its own block, a parameter
// holder made with it, a reference for an optional map and one more reference, which either starts
// empty and takes any object a scene attaches or, where Layout::kOwnsSecondHolder says so, holds a second
// holder of its own. Several materials may share one. Layout names the class (kInfo), the block (kBlock)
// and the holder's class (Holder).
template <class Layout>
class SettingsStandIn : public StandIn<MtlBase>, public Layout {
public:
    enum : int { kRefBlock = 0, kRefHolder = 1, kRefMap = 2, kRefLast = 3, kNumRefs = 4 };
    using Holder = typename Layout::Holder;

    SettingsStandIn() : SettingsStandIn(false) {}

    // MtlBase
    void Update(TimeValue t, Interval& valid) override {
        if (auto* map = dynamic_cast<Texmap*>(GetReference(kRefMap))) map->Update(t, valid);
    }

    Holder* GetHolder() { return dynamic_cast<Holder*>(GetReference(kRefHolder)); }

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new SettingsStandIn(true); }

private:
    explicit SettingsStandIn(bool bare)
        : StandIn(Layout::kInfo, kNumRefs, {{kRefBlock, &Layout::kBlock}}, bare) {
        if (bare) return;
        ReplaceReference(kRefHolder, new Holder);
        if constexpr (Layout::kOwnsSecondHolder) ReplaceReference(kRefLast, new Holder);
    }
};
