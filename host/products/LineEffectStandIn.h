#pragma once

#include "StandIn.h"

// A line render effect of either product. Block 0 holds its parameters, numbered alike in both; the
// references after it are its line sets, a list set whole that keeps empty entries as empty slots. Its
// name and its disabled flag are the effect's own and go with its copies.
class LineEffectStandIn : public StandIn<Effect> {
public:
    enum : int { kRefBlock = 0, kRefFirstLineSet = 1 };
    enum : BlockID { kMainBlock = 0 };
    enum : ParamID {
        kWidth = 0,      // float
        kQuality = 1,    // int
        kColor = 2,      // colour
        kEnabled = 3,    // bool
        kNodes = 4,      // node table
        kLineMap = 5,    // map
        kAntialias = 6,  // a float in the Tavelin 2 effect, an int in the Tavelin 3 one
        kLabel = 7,      // string
        kCamera = 8,     // node
    };

    LineEffectStandIn(const StandInClassInfo& info, const ParamBlockDesc2* block, bool bare)
        : StandIn(info, kRefFirstLineSet, {{kRefBlock, block}}, bare) {}

    // The line sets: exactly the given entries in order, empty ones included.
    void SetLineSets(const Tab<ReferenceTarget*>& lineSets) { SetRefList(kRefFirstLineSet, lineSets); }
    int NumLineSets() { return RefListCount(kRefFirstLineSet); }
    int RefListStart() override { return kRefFirstLineSet; }
    ReferenceTarget* GetLineSet(int i) {
        return i >= 0 && i < NumLineSets() ? GetReference(kRefFirstLineSet + i) : nullptr;
    }

protected:
    // StandIn
    void CopyMembers(StandIn* to) override {
        auto* copy = static_cast<LineEffectStandIn*>(to);
        copy->name = name;
        if (TestAFlag(A_ATMOS_DISABLED))
            copy->SetAFlag(A_ATMOS_DISABLED);
        else
            copy->ClearAFlag(A_ATMOS_DISABLED);
    }
};
