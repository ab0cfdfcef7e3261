#include "Tvl2Material.h"
#include "Tvl2ReflectRefractMap.h"
#include "Tvl2Settings.h"
#include "Tvl2StrokeMap.h"

// The material side of the Tavelin 2 product, as the host lists it.
void RegisterTavelin2MaterialClasses() {
    RegisterStandIn<Tvl2Material>(Tvl2Material::kInfo);
    RegisterStandIn<Tvl2StrokeMap>(Tvl2StrokeMap::kInfo);
    RegisterStandIn<Tvl2Settings>(Tvl2Settings::kInfo);
    RegisterStandIn<Tvl2ParamHolder>(Tvl2ParamHolder::kInfo);
    RegisterStandIn<Tvl2ReflectRefractMap>(Tvl2ReflectRefractMap::kInfo);
}
