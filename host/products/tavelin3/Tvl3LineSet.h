#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// One line set of a Tavelin 3 line effect.
//   refs 0-5    blocks with IDs 0-5 (block 1 holds options no conversion fills)
//   refs 6, 7   curve controls, made with the set
//   refs 10-16  brush maps of the visible edges, refs 21-27 those of the hidden edges
//   others      empty
class Tvl3LineSet : public StandIn<ReferenceTarget> {
public:
    static const StandInClassInfo kInfo;

    enum : int {
        kRefFirstBlock = 0,
        kRefCurve1 = 6,
        kRefCurve2 = 7,
        kRefBrushGroup0 = 10,
        kRefBrushGroup1 = 21,
        kNumRefs = 28,
    };
    static constexpr int kBrushesPerGroup = 7;

    // Parameters of the edge blocks (IDs 2 and 3) that depend on each other.
    enum : ParamID { kEdgeOverride = 0, kEdgeInherit = 1, kEdgeDetect = 9, kEdgeMode = 10 };

    Tvl3LineSet() : Tvl3LineSet(false) {}

    // Brush k (0-6) of group 0 or 1; whatever the reference holds.
    ReferenceTarget* GetBrush(int group, int k);
    void SetBrush(int group, int k, ReferenceTarget* brush);

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new Tvl3LineSet(true); }

private:
    explicit Tvl3LineSet(bool bare);
    int BrushRef(int group, int k) const;
};
