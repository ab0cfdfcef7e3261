#pragma once

#include "LineEffectStandIn.h"
#include "ProductClassIds.h"
#include "PublishedRefList.h"

// The Tavelin 3 line render effect. Its published interface hands over its line-set list whole.
class Tvl3Line : public LineEffectStandIn {
public:
    static const StandInClassInfo kInfo;

    // Functions of the line-set interface.
    enum : FunctionID { kFnSetLineSets = 0 };

    Tvl3Line() : Tvl3Line(false) {}

    // Animatable
    using LineEffectStandIn::GetInterface;
    BaseInterface* GetInterface(Interface_ID id) override;

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
