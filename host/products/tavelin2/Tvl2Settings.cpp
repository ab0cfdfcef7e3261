#include "Tvl2Settings.h"

#include "Products.h"

namespace {

// The settings block: six band limits where Tavelin 3 keeps four.
const ParamBlockDesc2 kSettingsBlock(0, _M("settings"),
                                     {
                                         ParamDef::Float(0, _M("exposure"), 2.0f),
                                         ParamDef::Int(1, _M("quality"), 2),
                                         ParamDef::FloatTable(2, _M("bandLimits"), 6, 0.5f),
                                         ParamDef::Float(3, _M("lightAngle"), 0.7f, TYPE_ANGLE),
                                     });

// The holder's block: six channels where Tavelin 3 starts with two.
const ParamBlockDesc2 kHolderBlock(0, _M("holder"),
                                   {
                                       ParamDef::Float(0, _M("strength"), 3.0f),
                                       ParamDef::Int(1, _M("mode"), 3),
                                       ParamDef::IntTable(2, _M("channels"), 6, 1),
                                       ParamDef::Table(3, _M("materials"), TYPE_MTL_TAB, 2),
                                   });

}  // namespace

const StandInClassInfo Tvl2ParamHolder::kInfo = {REF_TARGET_CLASS_ID, TVL2_PARAM_HOLDER_CLASS_ID,
                                                 _M("Tavelin 2 Parameter Holder"), _M("Tvl2ParamHolder"),
                                                 PRODUCT_TAVELIN2};

Tvl2ParamHolder::Tvl2ParamHolder(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kHolderBlock}}, bare) {}

const StandInClassInfo Tvl2Settings::kInfo = {REF_TARGET_CLASS_ID, TVL2_SETTINGS_CLASS_ID,
                                              _M("Tavelin 2 Settings"), _M("Tvl2Settings"), PRODUCT_TAVELIN2};

Tvl2Settings::Tvl2Settings(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kSettingsBlock}}, bare) {
    if (!bare) ReplaceReference(kRefHolder, new Tvl2ParamHolder);
}

void Tvl2Settings::Update(TimeValue t, Interval& valid) {
    if (auto* map = dynamic_cast<Texmap*>(GetReference(kRefMap))) map->Update(t, valid);
}
