#include "StandardMtl.h"

#include "BlinnShader.h"
#include "Products.h"

const StandInClassInfo StandardMtl::kInfo = {MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID, _M("Standard"),
                                             _M("StandardMaterial"), PRODUCT_HOST};

namespace {

// Channel i serves standard map id i.
const std::vector<StdMtlBase::MapChannel> kChannels = {
    {_M("Ambient Color"), ID_AM, 1.0f},  {_M("Diffuse Color"), ID_DI, 1.0f},
    {_M("Specular Color"), ID_SP, 1.0f}, {_M("Glossiness"), ID_SH, 1.0f},
    {_M("Specular Level"), ID_SS, 1.0f}, {_M("Self-Illumination"), ID_SI, 1.0f},
    {_M("Opacity"), ID_OP, 1.0f},        {_M("Filter Color"), ID_FI, 1.0f},
    {_M("Bump"), ID_BU, 0.3f},           {_M("Reflection"), ID_RL, 1.0f},
    {_M("Refraction"), ID_RR, 1.0f},     {_M("Displacement"), ID_DP, 1.0f},
};

}  // namespace

StandardMtl::StandardMtl(bool bare) : StdMtlBase(kInfo, kChannels, bare) {
    // The host's own default shader is always at hand, whatever the registry offers.
    if (!bare) SetShader(new BlinnShader);
}
