#include "Tvl3Material.h"
#include "Tvl3ReflectRefractMap.h"
#include "Tvl3Settings.h"
#include "Tvl3StrokeMap.h"
#include "Tvl3Zone.h"

// The material side of the Tavelin 3 product, as the host lists it.
void RegisterTavelin3MaterialClasses() {
    RegisterStandIn<Tvl3Material>(Tvl3Material::kInfo);
    RegisterStandIn<Tvl3Zone>(Tvl3Zone::kInfo);
    RegisterStandIn<Tvl3StrokeMap>(Tvl3StrokeMap::kInfo);
    RegisterStandIn<Tvl3Settings>(Tvl3Settings::kInfo);
    RegisterStandIn<Tvl3ParamHolder>(Tvl3ParamHolder::kInfo);
    RegisterStandIn<Tvl3ReflectRefractMap>(Tvl3ReflectRefractMap::kInfo);
}
