#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The Tavelin 2 line render effect. Block 0 holds its parameters; every ref after it is a line-set
// slot, which a scene may leave empty or fill with anything. Its name and its disabled flag are the
// effect's own.
class Tvl2Line : public StandIn<Effect> {
public:
    static const StandInClassInfo kInfo;

    enum : int { kRefBlock = 0, kRefFirstLineSet = 1 };
    enum : ParamID {
        kWidth = 0,      // float
        kQuality = 1,    // int
        kColor = 2,      // colour
        kEnabled = 3,    // bool
        kNodes = 4,      // node table
        kLineMap = 5,    // map
        kAntialias = 6,  // float (an int in the Tavelin 3 effect)
        kLabel = 7,      // string
        kCamera = 8,     // node
    };

    Tvl2Line() : Tvl2Line(false) {}

    // The line-set slots: exactly the given entries in order, empty ones included.
    void SetLineSets(const Tab<ReferenceTarget*>& slots) { SetRefList(kRefFirstLineSet, slots); }
    int NumLineSets() { return RefListCount(kRefFirstLineSet); }
    int RefListStart() override { return kRefFirstLineSet; }
    ReferenceTarget* GetLineSet(int i);

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl2Line(true); }
    void CopyMembers(StandIn* to) override;

private:
    explicit Tvl2Line(bool bare);
};
