#include "Tvl3LineSet.h"

#include "Products.h"

namespace {

// Defaults lie outside every value a conversion writes (-1 throughout), so a value left unwritten shows.

const ParamBlockDesc2 kGeneralBlockDesc(Tvl3LineSetLayout::kGeneralBlock, _M("lineSet"),
                                        {
                                            ParamDef::Int(0, _M("on"), -1),
                                            ParamDef::Int(1, _M("lineType"), -1),
                                            ParamDef::Float(2, _M("width"), -1.0f),
                                            ParamDef::Float(3, _M("widthJitter"), -1.0f),
                                        });

const ParamBlockDesc2 kOptionsBlockDesc(Tvl3LineSetLayout::kOptionsBlock, _M("options"),
                                        {
                                            ParamDef::Int(0, _M("sampling"), -1),
                                            ParamDef::Float(1, _M("smoothing"), -1.0f),
                                        });

// Visible edges (block 2) and hidden edges (block 3) share one layout.
const ParamBlockDesc2 kVisibleEdgesBlock(
    Tvl3LineSetLayout::kVisibleEdgeBlock, _M("visibleEdges"),
    {
        ParamDef::Int(Tvl3LineSetLayout::kEdgeOverride, _M("override"), -1),
        ParamDef::Int(Tvl3LineSetLayout::kEdgeInherit, _M("inherit"), -1),
        ParamDef::Int(2, _M("edgeType"), -1),
        ParamDef::Float(3, _M("angleMin"), -1.0f),
        ParamDef::Float(4, _M("angleMax"), -1.0f),
        ParamDef::Float(5, _M("widthScale"), -1.0f),
        ParamDef::Float(6, _M("opacity"), -1.0f),
        ParamDef::Rgba(7, _M("color"), Color(-1.0f, -1.0f, -1.0f)),
        ParamDef::Float(8, _M("taper"), -1.0f),
        ParamDef::Int(Tvl3LineSetLayout::kEdgeDetect, _M("detect"), -1),
        ParamDef::Int(Tvl3LineSetLayout::kEdgeMode, _M("mode"), -1),
        ParamDef::Int(11, _M("priority"), -1),
        ParamDef::Rgba(12, _M("tint"), Color(-1.0f, -1.0f, -1.0f)),
        ParamDef::Float(13, _M("lengthMin"), -1.0f),
        ParamDef::Float(14, _M("lengthMax"), -1.0f),
    });

const ParamBlockDesc2 kHiddenEdgesBlock =
    BlockWithID(kVisibleEdgesBlock, Tvl3LineSetLayout::kHiddenEdgeBlock, _M("hiddenEdges"));

const ParamBlockDesc2 kObjectsBlock(Tvl3LineSetLayout::kVisibilityBlock, _M("objects"),
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

const ParamBlockDesc2 kDistortionBlock(Tvl3LineSetLayout::kReductionBlock, _M("distortion"),
                                       {
                                           ParamDef::Float(8, _M("distortion"), -1.0f),
                                           ParamDef::Int(9, _M("seed"), -1),
                                       });

}  // namespace

const StandInClassInfo Tvl3LineSetLayout::kInfo = {REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID,
                                                   _M("Tavelin 3 Line Set"), _M("Tvl3LineSet"),
                                                   PRODUCT_TAVELIN3};

const ParamBlockDesc2* const Tvl3LineSetLayout::kBlocks[6] = {&kGeneralBlockDesc,  &kOptionsBlockDesc,
                                                              &kVisibleEdgesBlock, &kHiddenEdgesBlock,
                                                              &kObjectsBlock,      &kDistortionBlock};
