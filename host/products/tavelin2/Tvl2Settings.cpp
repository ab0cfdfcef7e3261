#include "Tvl2Settings.h"

#include "Products.h"

// The settings block: six band limits where Tavelin 3 keeps four.
const ParamBlockDesc2 Tvl2SettingsLayout::kBlock(0, _M("settings"),
                                                 {
                                                     ParamDef::Float(0, _M("exposure"), 2.0f),
                                                     ParamDef::Int(1, _M("quality"), 2),
                                                     ParamDef::FloatTable(2, _M("bandLimits"), 6, 0.5f),
                                                     ParamDef::Float(3, _M("lightAngle"), 0.7f, TYPE_ANGLE),
                                                 });

// The holder's block: six channels where Tavelin 3 starts with two.
const ParamBlockDesc2 Tvl2ParamHolderLayout::kBlock(0, _M("holder"),
                                                    {
                                                        ParamDef::Float(0, _M("strength"), 3.0f),
                                                        ParamDef::Int(1, _M("mode"), 3),
                                                        ParamDef::IntTable(2, _M("channels"), 6, 1),
                                                        ParamDef::Table(3, _M("materials"), TYPE_MTL_TAB, 2),
                                                    });

const StandInClassInfo Tvl2ParamHolderLayout::kInfo = {REF_TARGET_CLASS_ID, TVL2_PARAM_HOLDER_CLASS_ID,
                                                       _M("Tavelin 2 Parameter Holder"),
                                                       _M("Tvl2ParamHolder"), PRODUCT_TAVELIN2};

const StandInClassInfo Tvl2SettingsLayout::kInfo = {REF_TARGET_CLASS_ID, TVL2_SETTINGS_CLASS_ID,
                                                    _M("Tavelin 2 Settings"), _M("Tvl2Settings"),
                                                    PRODUCT_TAVELIN2};
