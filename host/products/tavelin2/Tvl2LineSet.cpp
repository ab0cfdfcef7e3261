#include "Tvl2LineSet.h"

#include "Products.h"

namespace {

// Defaults carry the parameter's ID (ints 100 + ID, floats ID + 0.5, colours the grey ID/100), so a
// value that arrives elsewhere tells where it came from. Within a block, IDs ascend.

Color Grey(float v) { return Color(v, v, v); }

const ParamBlockDesc2 kGeneralBlockDesc(Tvl2LineSetLayout::kGeneralBlock, _M("lineSet"),
                                        {
                                            ParamDef::Int(0, _M("on"), 100),
                                            ParamDef::Int(1, _M("lineType"), 101),
                                            ParamDef::Float(2, _M("width"), 2.5f),
                                            ParamDef::Float(3, _M("widthJitter"), 3.5f),
                                            ParamDef::Int(4, _M("sampling"), 104),
                                            ParamDef::Float(5, _M("threshold"), 5.5f),
                                            ParamDef::Rgba(6, _M("tint"), Grey(0.06f)),
                                            ParamDef::Int(7, _M("priority"), 107),
                                            ParamDef::Float(8, _M("opacity"), 8.5f),
                                            ParamDef::Float(9, _M("smoothing"), 9.5f),
                                            ParamDef::Int(10, _M("seed"), 110),
                                            ParamDef::Rgba(11, _M("lineColor"), Grey(0.11f)),
                                        });

// Visible edges (block 1) and hidden edges (block 2) share one layout.
const ParamBlockDesc2 kVisibleEdgesBlock(Tvl2LineSetLayout::kVisibleEdgeBlock, _M("visibleEdges"),
                                         {
                                             ParamDef::Int(12, _M("mode"), 112),
                                             ParamDef::Float(13, _M("lengthMax"), 13.5f),
                                             ParamDef::Float(14, _M("lengthMin"), 14.5f),
                                             ParamDef::Rgba(15, _M("tint"), Grey(0.15f)),
                                             ParamDef::Int(16, _M("priority"), 116),
                                             ParamDef::Int(17, _M("inherit"), 117),
                                             ParamDef::Int(18, _M("override"), 118),
                                             ParamDef::Float(19, _M("widthScale"), 19.5f),
                                             ParamDef::Float(20, _M("opacity"), 20.5f),
                                             ParamDef::Rgba(21, _M("color"), Grey(0.21f)),
                                             ParamDef::Float(22, _M("angleMax"), 22.5f),
                                             ParamDef::Float(23, _M("angleMin"), 23.5f),
                                             ParamDef::Int(24, _M("edgeType"), 124),
                                         });

const ParamBlockDesc2 kHiddenEdgesBlock =
    BlockWithID(kVisibleEdgesBlock, Tvl2LineSetLayout::kHiddenEdgeBlock, _M("hiddenEdges"));

const ParamBlockDesc2 kOptionsBlockDesc(Tvl2LineSetLayout::kOptionsBlock, _M("options"),
                                        {
                                            ParamDef::Int(46, _M("sampling"), 146),
                                            ParamDef::Float(47, _M("smoothing"), 47.5f),
                                        });

const ParamBlockDesc2 kObjectsBlock(Tvl2LineSetLayout::kVisibilityBlock, _M("objects"),
                                    {
                                        ParamDef::Int(25, _M("objectsOn"), 125),
                                        ParamDef::Int(26, _M("objectMode"), 126),
                                        ParamDef::Table(27, _M("objects"), TYPE_INODE_TAB, 0),
                                        ParamDef::Float(28, _M("depthScale"), 28.5f),
                                        ParamDef::Float(29, _M("depthFade"), 29.5f, TYPE_PCNT_FRAC),
                                        ParamDef::Rgba(30, _M("depthColor"), Grey(0.30f)),
                                        ParamDef::Float(31, _M("depthBias"), 31.5f),
                                        ParamDef::Float(32, _M("depthMax"), 32.5f),
                                        ParamDef::Float(33, _M("depthMin"), 33.5f),
                                        ParamDef::Float(34, _M("depthScale2"), 34.5f),
                                        ParamDef::Float(35, _M("depthMin2"), 35.5f),
                                        ParamDef::Float(36, _M("depthMax2"), 36.5f),
                                    });

const ParamBlockDesc2 kDistortionBlock(Tvl2LineSetLayout::kReductionBlock, _M("distortion"),
                                       {
                                           ParamDef::Float(37, _M("distortion"), 37.5f),
                                           ParamDef::Int(38, _M("seed"), 138),
                                           ParamDef::Float(39, _M("wobble"), 39.5f),
                                           ParamDef::Int(40, _M("wobbleSeed"), 140),
                                           ParamDef::Float(41, _M("wobbleScale"), 41.5f),
                                           ParamDef::Int(42, _M("octaves"), 142),
                                           ParamDef::Float(43, _M("roughness"), 43.5f),
                                           ParamDef::Float(44, _M("distortion2"), 44.5f),
                                           ParamDef::Int(45, _M("quality"), 145),
                                       });

}  // namespace

const StandInClassInfo Tvl2LineSetLayout::kInfo = {RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID,
                                                   _M("Tavelin 2 Line Set"), _M("Tvl2LineSet"),
                                                   PRODUCT_TAVELIN2};

const ParamBlockDesc2* const Tvl2LineSetLayout::kBlocks[6] = {&kGeneralBlockDesc, &kVisibleEdgesBlock,
                                                              &kHiddenEdgesBlock, &kOptionsBlockDesc,
                                                              &kObjectsBlock,     &kDistortionBlock};
