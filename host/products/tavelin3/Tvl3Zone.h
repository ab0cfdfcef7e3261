#pragma once

#include "ProductClassIds.h"
#include "PublishedRefList.h"
#include "StandIn.h"

// One toon-shading band of a Tavelin 3 material. Block 0 holds its parameters, reference 1 its map
// (any object, shared), and its strokes follow as a list that the stroke-list interface sets and reads.
class Tvl3Zone : public StandIn<ReferenceTarget> {
public:
    static const StandInClassInfo kInfo;

    enum : int { kRefBlock = 0, kRefMap = 1, kRefFirstStroke = 2 };
    // Block 0.
    enum : BlockID { kMainBlock = 0 };
    enum : ParamID {
        kLowerBound = 0,      // float, percent
        kUpperBound = 1,      // float, percent
        kVisible = 2,         // bool
        kColor = 3,           // colour
        kMapAmount = 4,       // float, percent
        kMapOn = 5,           // int
        kOffset = 6,          // point
        kBlendMode = 7,       // int
        kBlend = 8,           // float, percent
        kStrokeSwitches = 9,  // int table, one entry per stroke
        kPatternMaps = 10,    // map table of four
        kZoneNumber = 11,     // int
        kShadeMap = 12,       // map
        kMix = 13,            // float, fraction
        kLabel = 14,          // string
        kPriority = 15,       // int
    };
    enum : int { kBlendMultiply = 3 };
    enum : int { kFirstZoneNumber = 1, kLastZoneNumber = 8 };

    // Functions of the stroke-list interface.
    enum : FunctionID { kFnSetStrokes = 0, kFnNumStrokes = 1, kFnGetStroke = 2 };

    Tvl3Zone() : Tvl3Zone(false) {}

    // Animatable
    using StandIn<ReferenceTarget>::GetInterface;
    BaseInterface* GetInterface(Interface_ID id) override;

    // The stroke list: exactly the given entries in order, null entries kept as empty slots. The stroke
    // switch table (parameter 9) is resized to one entry per stroke, every stroke switched on.
    void SetStrokes(const Tab<ReferenceTarget*>& strokes, TimeValue t = 0);
    int NumStrokes() { return RefListCount(kRefFirstStroke); }
    int RefListStart() override { return kRefFirstStroke; }
    ReferenceTarget* GetStroke(int i);

    ReferenceTarget* GetMap() { return GetReference(kRefMap); }

    // Test hook: zones made while one of these lives have no block 0, as a damaged scene would hold them.
    using MadeWithoutBlockScope = StandInHookScope<struct Tvl3ZoneWithoutBlock>;

protected:
    StandIn* MakeEmpty() override { return new Tvl3Zone(true); }

private:
    class StrokeListInterface : public PublishedRefList {
    public:
        explicit StrokeListInterface(Tvl3Zone& zone)
            : PublishedRefList(TVL3_ZONE_INTERFACE_ID, {kFnSetStrokes, kFnNumStrokes, kFnGetStroke}),
              zone_(zone) {}

    protected:
        void SetItems(const Tab<ReferenceTarget*>& items, TimeValue t) override {
            zone_.SetStrokes(items, t);
        }
        int NumItems() override { return zone_.NumStrokes(); }
        ReferenceTarget* GetItem(int i) override { return zone_.GetStroke(i); }

    private:
        Tvl3Zone& zone_;
    };

    explicit Tvl3Zone(bool bare);

    StrokeListInterface strokeList_;
};
