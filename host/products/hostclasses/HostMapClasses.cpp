#include "BitmapTex.h"
#include "CurveControl.h"
#include "MultiSubMtl.h"
#include "StdUVGen.h"

// The host's own classes, beside its Standard material, that scenes hold.
void RegisterHostMapClasses() {
    RegisterStandIn<MultiSubMtl>(MultiSubMtl::kInfo);
    RegisterStandIn<BitmapTex>(BitmapTex::kInfo);
    RegisterStandIn<CurveControl>(CurveControl::kInfo);
    RegisterStandIn<StdUVGen>(StdUVGen::kInfo);
}
