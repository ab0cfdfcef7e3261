#include "Tvl3Line.h"

#include "Products.h"

namespace {

using L = Tvl3Line;

// Block 0. Defaults lie outside every value a conversion writes (-1 throughout, strings empty, the
// switch off), so a value left unwritten shows.
const ParamBlockDesc2 kMainBlockDesc(LineEffectStandIn::kMainBlock, _M("line"),
                                     {
                                         ParamDef::Float(L::kWidth, _M("width"), -1.0f),
                                         ParamDef::Int(L::kQuality, _M("quality"), -1),
                                         ParamDef::Rgba(L::kColor, _M("color"), Color(-1.0f, -1.0f, -1.0f)),
                                         ParamDef::Int(L::kEnabled, _M("enabled"), FALSE, TYPE_BOOL),
                                         ParamDef::Table(L::kNodes, _M("nodes"), TYPE_INODE_TAB, 0),
                                         ParamDef::Ref(L::kLineMap, _M("lineMap"), TYPE_TEXMAP),
                                         ParamDef::Int(L::kAntialias, _M("antialias"), -1),
                                         ParamDef::Str(L::kLabel, _M("label"), _M("")),
                                         ParamDef::Ref(L::kCamera, _M("camera"), TYPE_INODE),
                                     });

}  // namespace

const StandInClassInfo Tvl3Line::kInfo = {RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID, _M("Tavelin 3 Line"),
                                          _M("Tvl3Line"), PRODUCT_TAVELIN3};

Tvl3Line::Tvl3Line(bool bare) : LineEffectStandIn(kInfo, &kMainBlockDesc, bare), lineSets_(*this) {}

void Tvl3Line::CopyMembers(StandIn* to) {
    LineEffectStandIn::CopyMembers(to);
    static_cast<Tvl3Line*>(to)->withheld_ = withheld_;
}

// ---- Animatable ----

BaseInterface* Tvl3Line::GetInterface(Interface_ID id) {
    if (id == TVL3_LINE_INTERFACE_ID) return withheld_ ? nullptr : &lineSets_;
    return LineEffectStandIn::GetInterface(id);
}
