#pragma once

#include "ConversionOptions.h"
#include "max.h"

// Fills target, a new Tavelin 3 material, from a Standard material or the Standard variant: the base
// material as sub-material 0, the zones (from a toon shader, automatic, or copied from reference), and
// the highlight, bump, reflection and map channels. Answers false when it had to stop early.
bool ConvertStandardMaterial(Mtl* target, Mtl* source, ConversionOptions options, Mtl* reference);
