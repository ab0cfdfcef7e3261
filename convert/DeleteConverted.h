#pragma once

#include <vector>

#include "ConversionMap.h"
#include "hold.h"

// Deletes converted objects that found no place (nothing refers to them) as the host does, with every
// object that only they kept alive. The pairs of everything that goes leave the map first, so that a
// later lookup of the run converts afresh instead of answering a deleted object.
void DeleteConverted(const std::vector<ReferenceTarget*>& made, ConversionMap& map);
