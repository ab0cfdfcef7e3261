#include "Tvl3Settings.h"

#include "Products.h"

// The settings block. The band table keeps four entries whatever a copy brings.
const ParamBlockDesc2 Tvl3SettingsLayout::kBlock(0, _M("settings"),
                                                 {
                                                     ParamDef::Float(0, _M("exposure"), 1.0f),
                                                     ParamDef::Int(1, _M("quality"), 1),
                                                     ParamDef::FloatTable(2, _M("bandLimits"), 4, 0.0f),
                                                     ParamDef::Float(3, _M("lightAngle"), 0.0f, TYPE_ANGLE),
                                                 });

// The holder's block; its tables grow to whatever a copy brings.
const ParamBlockDesc2 Tvl3ParamHolderLayout::kBlock(0, _M("holder"),
                                                    {
                                                        ParamDef::Float(0, _M("strength"), 1.0f),
                                                        ParamDef::Int(1, _M("mode"), 1),
                                                        ParamDef::IntTable(2, _M("channels"), 2, 0),
                                                        ParamDef::Table(3, _M("materials"), TYPE_MTL_TAB, 2),
                                                    });

const StandInClassInfo Tvl3ParamHolderLayout::kInfo = {REF_TARGET_CLASS_ID, TVL3_PARAM_HOLDER_CLASS_ID,
                                                       _M("Tavelin 3 Parameter Holder"),
                                                       _M("Tvl3ParamHolder"), PRODUCT_TAVELIN3};

const StandInClassInfo Tvl3SettingsLayout::kInfo = {REF_TARGET_CLASS_ID, TVL3_SETTINGS_CLASS_ID,
                                                    _M("Tavelin 3 Settings"), _M("Tvl3Settings"),
                                                    PRODUCT_TAVELIN3};
