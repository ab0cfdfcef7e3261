#pragma once

#include "ProductClassIds.h"
#include "StandIn.h"

// The host's curve control: an editable list of curve points. Its super class is the plain reference
// maker's, yet it is a reference target, so that maps and line sets can refer to it and clone it.
class CurveControl : public StandIn<ReferenceTarget> {
public:
    static const StandInClassInfo kInfo;
    enum : int { kRefBlock, kNumRefs };
    enum : ParamID { kPoints };  // point3 table: (x, y) of each point, z unused

    CurveControl() : CurveControl(false) {}

    int NumPoints();
    Point3 GetPoint(int i);
    void SetPoint(int i, const Point3& p);
    void SetNumPoints(int n);

protected:
    // StandIn
    StandIn* MakeEmpty() override { return new CurveControl(true); }

private:
    explicit CurveControl(bool bare);

    IParamBlock2* Points() { return BlockAt(kRefBlock); }
};

// A new curve control made through the host's class registry, or null while the class is unloaded.
ReferenceTarget* NewCurveControl();
