#pragma once

#include "ConversionMap.h"
#include "max.h"

// Makes a new Tavelin 3 line effect from a Tavelin 2 one, with its line sets, brush maps and brush
// sub-maps, named after the source: with a suffix appended, or, without one, with the first "Tavelin 2"
// of the name made "Tavelin 3". Answers null for anything that is not a Tavelin 2 line effect or when the
// Tavelin 3 effect cannot be made. The new effect is not put into the render-effect list.
Effect* ConvertLineEffect(Effect* effect, ConversionMap& map, const MCHAR* suffix);

ReferenceTarget* ConvertLineSet(ReferenceTarget* lineSet, ConversionMap& map);
Texmap* ConvertBrushMap(Texmap* brush, ConversionMap& map);
Texmap* ConvertBrushSubMap(Texmap* subMap, ConversionMap& map);

// Gives target's sub-map j a copy of source's sub-map i, made once per run.
void TransferSubMap(MtlBase* source, int i, MtlBase* target, int j, ConversionMap& map);

// Hands the line sets to the new effect as its list, in order.
void SetLineSets(Effect* effect, Tab<ReferenceTarget*>& lineSets);

// The name of the new effect.
MSTR ConvertedLineEffectName(const MSTR& sourceName, const MCHAR* suffix);
