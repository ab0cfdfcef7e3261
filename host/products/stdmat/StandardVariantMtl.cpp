#include "StandardVariantMtl.h"

#include "BlinnShader.h"
#include "Products.h"

const StandInClassInfo StandardVariantMtl::kInfo = {MATERIAL_CLASS_ID, STDMAT_VARIANT_CLASS_ID,
                                                    _M("StandardVariant"), _M("StandardVariantMaterial"),
                                                    PRODUCT_STDMAT_VARIANT};

namespace {

// Channel i serves the standard map id in its row; -1 marks the variant's own extra maps.
const std::vector<StdMtlBase::MapChannel> kChannels = {
    {_M("Ambient Color"), ID_AM, 1.0f},  {_M("Diffuse Color"), ID_DI, 1.0f},
    {_M("Specular Color"), ID_SP, 1.0f}, {_M("Glossiness"), ID_SH, 1.0f},
    {_M("Specular Level"), ID_SS, 1.0f}, {_M("Self-Illumination"), ID_SI, 1.0f},
    {_M("Opacity"), ID_OP, 1.0f},        {_M("Filter Color"), ID_FI, 1.0f},
    {_M("Extra Map 1"), -1, 1.0f},       {_M("Extra Map 2"), -1, 1.0f},
    {_M("Extra Map 3"), -1, 1.0f},       {_M("Bump"), ID_BU, 0.3f},
    {_M("Reflection"), ID_RL, 1.0f},     {_M("Refraction"), ID_RR, 1.0f},
};

}  // namespace

StandardVariantMtl::StandardVariantMtl(bool bare) : StdMtlBase(kInfo, kChannels, bare) {
    if (!bare) SetShader(new BlinnShader);
}
