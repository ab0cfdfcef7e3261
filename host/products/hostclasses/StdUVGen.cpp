#include "StdUVGen.h"

#include "Products.h"

const StandInClassInfo StdUVGen::kInfo = {UVGEN_CLASS_ID, UVGEN_STANDIN_CLASS_ID, _M("UVGen"), _M("UVGen"),
                                          PRODUCT_HOST};

namespace {

// Block 0 (ref 0).
const ParamBlockDesc2 kCoordsBlock(0, _M("coords"),
                                   {
                                       ParamDef::Float(StdUVGen::kUOffset, _M("uOffset"), 0.0f),
                                       ParamDef::Float(StdUVGen::kVOffset, _M("vOffset"), 0.0f),
                                       ParamDef::Float(StdUVGen::kUTiling, _M("uTiling"), 1.0f),
                                       ParamDef::Float(StdUVGen::kVTiling, _M("vTiling"), 1.0f),
                                   });

}  // namespace

StdUVGen::StdUVGen(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kCoordsBlock}}, bare) {}

void StdUVGen::Update(TimeValue t, Interval& valid) {
    (void)t;
    valid &= FOREVER;
}

float StdUVGen::Get(ParamID id, TimeValue t) {
    IParamBlock2* pb = BlockAt(kRefBlock);
    return pb ? pb->GetFloat(id, t) : 0.0f;
}

void StdUVGen::Set(ParamID id, float v, TimeValue t) {
    if (IParamBlock2* pb = BlockAt(kRefBlock)) pb->SetValue(id, t, v);
}
