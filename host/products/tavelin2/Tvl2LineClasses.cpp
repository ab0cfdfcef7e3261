#include "Tvl2BrushMap.h"
#include "Tvl2BrushSubMap.h"
#include "Tvl2Line.h"
#include "Tvl2LineSet.h"

// The line side of the Tavelin 2 product, as the host lists it.
void RegisterTavelin2LineClasses() {
    RegisterStandIn<Tvl2Line>(Tvl2Line::kInfo);
    RegisterStandIn<Tvl2LineSet>(Tvl2LineSet::kInfo);
    RegisterStandIn<Tvl2BrushMap>(Tvl2BrushMap::kInfo);
    RegisterStandIn<Tvl2BrushSubMap>(Tvl2BrushSubMap::kInfo);
}
