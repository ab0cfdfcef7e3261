#include "CurveControl.h"

#include "Products.h"

const StandInClassInfo CurveControl::kInfo = {REF_MAKER_CLASS_ID, CURVE_CONTROL_CLASS_ID, _M("Curve Control"),
                                              _M("CurveControl"), PRODUCT_HOST};

namespace {

// Block 0 (ref 0). A new curve is the straight line from (0, 0) to (1, 1).
const ParamBlockDesc2 kPointsBlock(0, _M("curve"),
                                   {
                                       ParamDef::Table(CurveControl::kPoints, _M("points"), TYPE_POINT3_TAB,
                                                       2),
                                   });

}  // namespace

CurveControl::CurveControl(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kPointsBlock}}, bare) {
    if (bare) return;
    // The initial shape belongs to creation, not to an undoable edit.
    SuspendAll suspend(TRUE);
    Point3 last(1.0f, 1.0f, 0.0f);
    Points()->SetValue(kPoints, 0, last, 1);
}

int CurveControl::NumPoints() { return Points() ? Points()->Count(kPoints) : 0; }

Point3 CurveControl::GetPoint(int i) { return Points() ? Points()->GetPoint3(kPoints, 0, i) : Point3(); }

void CurveControl::SetPoint(int i, const Point3& p) {
    Point3 value = p;
    if (Points()) Points()->SetValue(kPoints, 0, value, i);
}

void CurveControl::SetNumPoints(int n) {
    if (Points()) Points()->SetCount(kPoints, n);
}

ReferenceTarget* NewCurveControl() {
    return static_cast<ReferenceTarget*>(
        GetCOREInterface()->CreateInstance(REF_MAKER_CLASS_ID, CURVE_CONTROL_CLASS_ID));
}
