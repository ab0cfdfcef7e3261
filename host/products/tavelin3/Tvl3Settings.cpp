#include "Tvl3Settings.h"

#include "Products.h"

namespace {

// The settings block. The band table keeps four entries whatever a copy brings.
const ParamBlockDesc2 kSettingsBlock(0, _M("settings"),
                                     {
                                         ParamDef::Float(0, _M("exposure"), 1.0f),
                                         ParamDef::Int(1, _M("quality"), 1),
                                         ParamDef::FloatTable(2, _M("bandLimits"), 4, 0.0f),
                                         ParamDef::Float(3, _M("lightAngle"), 0.0f, TYPE_ANGLE),
                                     });

// The holder's block; its tables grow to whatever a copy brings.
const ParamBlockDesc2 kHolderBlock(0, _M("holder"),
                                   {
                                       ParamDef::Float(0, _M("strength"), 1.0f),
                                       ParamDef::Int(1, _M("mode"), 1),
                                       ParamDef::IntTable(2, _M("channels"), 2, 0),
                                       ParamDef::Table(3, _M("materials"), TYPE_MTL_TAB, 2),
                                   });

}  // namespace

const StandInClassInfo Tvl3ParamHolder::kInfo = {REF_TARGET_CLASS_ID, TVL3_PARAM_HOLDER_CLASS_ID,
                                                 _M("Tavelin 3 Parameter Holder"), _M("Tvl3ParamHolder"),
                                                 PRODUCT_TAVELIN3};

Tvl3ParamHolder::Tvl3ParamHolder(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kHolderBlock}}, bare) {}

const StandInClassInfo Tvl3Settings::kInfo = {REF_TARGET_CLASS_ID, TVL3_SETTINGS_CLASS_ID,
                                              _M("Tavelin 3 Settings"), _M("Tvl3Settings"), PRODUCT_TAVELIN3};

Tvl3Settings::Tvl3Settings(bool bare) : StandIn(kInfo, kNumRefs, {{kRefBlock, &kSettingsBlock}}, bare) {
    if (bare) return;
    ReplaceReference(kRefHolder, new Tvl3ParamHolder);
    ReplaceReference(kRefPresets, new Tvl3ParamHolder);
}

void Tvl3Settings::Update(TimeValue t, Interval& valid) {
    if (auto* map = dynamic_cast<Texmap*>(GetReference(kRefMap))) map->Update(t, valid);
}
