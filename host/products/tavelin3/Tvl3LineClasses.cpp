#include "Tvl3BrushMap.h"
#include "Tvl3BrushSubMap.h"
#include "Tvl3Line.h"
#include "Tvl3LineSet.h"

// The line side of the Tavelin 3 product, as the host lists it.
void RegisterTavelin3LineClasses() {
    RegisterStandIn<Tvl3Line>(Tvl3Line::kInfo);
    RegisterStandIn<Tvl3LineSet>(Tvl3LineSet::kInfo);
    RegisterStandIn<Tvl3BrushMap>(Tvl3BrushMap::kInfo);
    RegisterStandIn<Tvl3BrushSubMap>(Tvl3BrushSubMap::kInfo);
}
