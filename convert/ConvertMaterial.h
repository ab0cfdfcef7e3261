#pragma once

#include "ConversionMap.h"
#include "ConversionOptions.h"
#include "max.h"

// Makes a new Tavelin 3 material from source: named like it, filled by the converter of the source's
// class, and, with CONVOPT_CONVERT_REFLECT_REFRACT_MAPS, with every Tavelin 2 reflection/refraction map
// below it replaced by a converted one. Answers null only when the Tavelin 3 material cannot be made.
// The new material is placed nowhere yet.
Mtl* ConvertMaterial(Mtl* source, ConversionOptions options, Mtl* reference, ConversionMap& map);

// The Tavelin 3 reflection/refraction map for a Tavelin 2 one: made once per run, or null.
Texmap* ConvertReflectRefractMap(Texmap* source, ConversionMap& map);

// Depth-first walks that replace Tavelin 2 reflection/refraction maps in place.
void WalkSubMaterials(Mtl* m, ConversionMap& map);
void WalkSubMaps(MtlBase* o, ConversionMap& map);
