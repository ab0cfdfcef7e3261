#pragma once

#include "ProductClassIds.h"
#include "PublishedRefList.h"
#include "StandIn.h"

// The Tavelin 3 line render effect. Block 0 holds its parameters; its line sets follow in the refs as a
// list that its published interface hands over whole, keeping empty entries as empty slots. Its name
// and its disabled flag are the effect's own.
class Tvl3Line : public StandIn<Effect> {
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
        kAntialias = 6,  // int (a float in the Tavelin 2 effect)
        kLabel = 7,      // string
        kCamera = 8,     // node
    };
    // Functions of the line-set interface.
    enum : FunctionID { kFnSetLineSets = 0 };

    Tvl3Line() : Tvl3Line(false) {}

    // Animatable
    using StandIn<Effect>::GetInterface;
    BaseInterface* GetInterface(Interface_ID id) override;

    // The line-set list: exactly the given entries in order.
    void SetLineSets(const Tab<ReferenceTarget*>& lineSets) { SetRefList(kRefFirstLineSet, lineSets); }
    int NumLineSets() { return RefListCount(kRefFirstLineSet); }
    int RefListStart() override { return kRefFirstLineSet; }
    ReferenceTarget* GetLineSet(int i);

    // Test hook: an effect that withholds its line-set interface.
    void WithholdInterface(bool withhold) { withheld_ = withhold; }

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl3Line(true); }
    void CopyMembers(StandIn* to) override;

private:
    class LineSetInterface : public PublishedRefList {
    public:
        explicit LineSetInterface(Tvl3Line& line)
            : PublishedRefList(TVL3_LINE_INTERFACE_ID, {kFnSetLineSets, kNone, kNone}), line_(line) {}

    protected:
        void SetItems(const Tab<ReferenceTarget*>& items, TimeValue) override { line_.SetLineSets(items); }

    private:
        Tvl3Line& line_;
    };

    explicit Tvl3Line(bool bare);

    LineSetInterface lineSets_;
    bool withheld_ = false;
};
