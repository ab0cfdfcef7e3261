#include "Tvl2Line.h"

#include "Products.h"

namespace {

using L = Tvl2Line;

// Block 0. Defaults carry the parameter's ID (ints 100 + ID, floats ID + 0.5, colours the grey ID/100),
// so a value that arrives elsewhere tells where it came from.
const ParamBlockDesc2 kMainBlockDesc(LineEffectStandIn::kMainBlock, _M("line"),
                                     {
                                         ParamDef::Float(L::kWidth, _M("width"), 0.5f),
                                         ParamDef::Int(L::kQuality, _M("quality"), 101),
                                         ParamDef::Rgba(L::kColor, _M("color"), Color(0.02f, 0.02f, 0.02f)),
                                         ParamDef::Int(L::kEnabled, _M("enabled"), TRUE, TYPE_BOOL),
                                         ParamDef::Table(L::kNodes, _M("nodes"), TYPE_INODE_TAB, 0),
                                         ParamDef::Ref(L::kLineMap, _M("lineMap"), TYPE_TEXMAP),
                                         ParamDef::Float(L::kAntialias, _M("antialias"), 6.5f),
                                         ParamDef::Str(L::kLabel, _M("label"), _M("lines")),
                                         ParamDef::Ref(L::kCamera, _M("camera"), TYPE_INODE),
                                     });

}  // namespace

const StandInClassInfo Tvl2Line::kInfo = {RENDER_EFFECT_CLASS_ID, TVL2_LINE_CLASS_ID, _M("Tavelin 2 Line"),
                                          _M("Tvl2Line"), PRODUCT_TAVELIN2};

Tvl2Line::Tvl2Line(bool bare) : LineEffectStandIn(kInfo, &kMainBlockDesc, bare) {}
