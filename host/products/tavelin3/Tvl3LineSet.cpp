#include "Tvl3LineSet.h"

#include "Products.h"
#include "hostclasses/CurveControl.h"

namespace {

// Defaults lie outside every value a conversion writes (-1 throughout), so a value left unwritten shows.

const ParamBlockDesc2 kMainBlock(0, _M("lineSet"),
                                 {
                                     ParamDef::Int(0, _M("on"), -1),
                                     ParamDef::Int(1, _M("lineType"), -1),
                                     ParamDef::Float(2, _M("width"), -1.0f),
                                     ParamDef::Float(3, _M("widthJitter"), -1.0f),
                                 });

const ParamBlockDesc2 kOptionsBlock(1, _M("options"),
                                    {
                                        ParamDef::Int(0, _M("sampling"), -1),
                                        ParamDef::Float(1, _M("smoothing"), -1.0f),
                                    });

// Visible edges (block 2) and hidden edges (block 3) share one layout.
const ParamBlockDesc2 kVisibleEdgesBlock(2, _M("visibleEdges"),
                                         {
                                             ParamDef::Int(Tvl3LineSet::kEdgeOverride, _M("override"), -1),
                                             ParamDef::Int(Tvl3LineSet::kEdgeInherit, _M("inherit"), -1),
                                             ParamDef::Int(2, _M("edgeType"), -1),
                                             ParamDef::Float(3, _M("angleMin"), -1.0f),
                                             ParamDef::Float(4, _M("angleMax"), -1.0f),
                                             ParamDef::Float(5, _M("widthScale"), -1.0f),
                                             ParamDef::Float(6, _M("opacity"), -1.0f),
                                             ParamDef::Rgba(7, _M("color"), Color(-1.0f, -1.0f, -1.0f)),
                                             ParamDef::Float(8, _M("taper"), -1.0f),
                                             ParamDef::Int(Tvl3LineSet::kEdgeDetect, _M("detect"), -1),
                                             ParamDef::Int(Tvl3LineSet::kEdgeMode, _M("mode"), -1),
                                             ParamDef::Int(11, _M("priority"), -1),
                                             ParamDef::Rgba(12, _M("tint"), Color(-1.0f, -1.0f, -1.0f)),
                                             ParamDef::Float(13, _M("lengthMin"), -1.0f),
                                             ParamDef::Float(14, _M("lengthMax"), -1.0f),
                                         });

ParamBlockDesc2 WithID(ParamBlockDesc2 desc, BlockID id, const MCHAR* name) {
    desc.ID = id;
    desc.int_name = name;
    return desc;
}

const ParamBlockDesc2 kHiddenEdgesBlock = WithID(kVisibleEdgesBlock, 3, _M("hiddenEdges"));

const ParamBlockDesc2 kObjectsBlock(4, _M("objects"),
                                    {
                                        ParamDef::Int(0, _M("objectsOn"), -1),
                                        ParamDef::Int(1, _M("objectMode"), -1),
                                        ParamDef::Table(2, _M("objects"), TYPE_INODE_TAB, 0),
                                        ParamDef::Float(3, _M("depthMin"), -1.0f),
                                        ParamDef::Float(4, _M("depthMax"), -1.0f),
                                        ParamDef::Float(5, _M("depthScale"), -1.0f),
                                        ParamDef::Float(6, _M("depthFade"), -1.0f, TYPE_PCNT_FRAC),
                                        ParamDef::Rgba(7, _M("depthColor"), Color(-1.0f, -1.0f, -1.0f)),
                                    });

const ParamBlockDesc2 kDistortionBlock(5, _M("distortion"),
                                       {
                                           ParamDef::Float(8, _M("distortion"), -1.0f),
                                           ParamDef::Int(9, _M("seed"), -1),
                                       });

}  // namespace

const StandInClassInfo Tvl3LineSet::kInfo = {REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID,
                                             _M("Tavelin 3 Line Set"), _M("Tvl3LineSet"), PRODUCT_TAVELIN3};

Tvl3LineSet::Tvl3LineSet(bool bare)
    : StandIn(kInfo, kNumRefs,
              {{0, &kMainBlock},
               {1, &kOptionsBlock},
               {2, &kVisibleEdgesBlock},
               {3, &kHiddenEdgesBlock},
               {4, &kObjectsBlock},
               {5, &kDistortionBlock}},
              bare) {
    if (bare) return;
    ReplaceReference(kRefCurve1, NewCurveControl());
    ReplaceReference(kRefCurve2, NewCurveControl());
}

int Tvl3LineSet::BrushRef(int group, int k) const {
    if (k < 0 || k >= kBrushesPerGroup) return -1;
    if (group == 0) return kRefBrushGroup0 + k;
    if (group == 1) return kRefBrushGroup1 + k;
    return -1;
}

ReferenceTarget* Tvl3LineSet::GetBrush(int group, int k) { return GetReference(BrushRef(group, k)); }

void Tvl3LineSet::SetBrush(int group, int k, ReferenceTarget* brush) {
    int ref = BrushRef(group, k);
    if (ref >= 0) ReplaceReference(ref, brush);
}
