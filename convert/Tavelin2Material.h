#pragma once

#include "ConversionMap.h"
#include "ConversionOptions.h"
#include "max.h"

// Fills target, a new Tavelin 3 material, from a Tavelin 2 material: the main parameters, the four zones
// with their strokes, six shared references and the settings object. Answers false when a block it needs
// is missing; what was done by then stays.
bool ConvertTavelin2Material(Mtl* target, Mtl* source, ConversionOptions options, ConversionMap& map);

// Fills a new Tavelin 3 stroke map from a Tavelin 2 one that numbers its references the same way.
bool CopyStrokeMapReferences(ReferenceTarget* source, ReferenceTarget* target);

// Fills the Tavelin 3 settings object from the Tavelin 2 one.
bool CopySettingsReferences(ReferenceTarget* source, ReferenceTarget* target);
