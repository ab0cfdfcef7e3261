#include "BitmapTex.h"

#include "Products.h"
#include "StdUVGen.h"

const StandInClassInfo BitmapTex::kInfo = {TEXMAP_CLASS_ID, BITMAP_MAP_CLASS_ID, _M("Bitmap"),
                                           _M("BitmapMap"), PRODUCT_HOST};

namespace {

// Block 0 (ref 0); ref 1 holds the texture coordinates.
const ParamBlockDesc2 kFileBlock(0, _M("bitmap"),
                                 {
                                     ParamDef::Str(BitmapTex::kFileName, _M("fileName"), _M("")),
                                 });

}  // namespace

BitmapTex::BitmapTex(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kFileBlock}}, bare) {
    if (bare) return;
    ReplaceReference(kRefUVGen, static_cast<ReferenceTarget*>(GetCOREInterface()->CreateInstance(
                                    UVGEN_CLASS_ID, UVGEN_STANDIN_CLASS_ID)));
}

MSTR BitmapTex::GetMapName() {
    IParamBlock2* pb = BlockAt(kRefBlock);
    return pb ? MSTR(pb->GetStr(kFileName)) : MSTR();
}

void BitmapTex::SetMapName(const MCHAR* fileName) {
    if (IParamBlock2* pb = BlockAt(kRefBlock)) pb->SetValue(kFileName, 0, fileName);
}

StdUVGen* BitmapTex::GetUVGen() { return dynamic_cast<StdUVGen*>(GetReference(kRefUVGen)); }

void BitmapTex::Update(TimeValue t, Interval& valid) {
    if (StdUVGen* uv = GetUVGen()) uv->Update(t, valid);
}
