#pragma once

#include "ConversionMap.h"
#include "ConversionOptions.h"
#include "max.h"

// Told of each sub-map slot the reflection/refraction walk switches in place, just before the switch, in
// the order of the walk. The walk also changes objects that were there before the conversion (a source
// material that became the new material's base, and the maps below it). It leaves undo to the host's own
// rules; a caller that converts with recording suspended records the switches in its step from here.
class SubMapSwitchSink {
public:
    virtual void SubMapSwitched(MtlBase* holder, int slot, Texmap* before, Texmap* after) = 0;

protected:
    ~SubMapSwitchSink() = default;
};

// Makes a new Tavelin 3 material from source: named like it, filled by the converter of the source's
// class, and, with CONVOPT_CONVERT_REFLECT_REFRACT_MAPS, with every Tavelin 2 reflection/refraction map
// below it replaced by a converted one. Answers null only when the Tavelin 3 material cannot be made.
// The new material is placed nowhere yet. The walk's switches are reported to switches when given.
Mtl* ConvertMaterial(Mtl* source, ConversionOptions options, Mtl* reference, ConversionMap& map,
                     SubMapSwitchSink* switches = nullptr);

// The Tavelin 3 reflection/refraction map for a Tavelin 2 one: made once per run, or null.
Texmap* ConvertReflectRefractMap(Texmap* source, ConversionMap& map);

// Depth-first walks that replace Tavelin 2 reflection/refraction maps in place.
void WalkSubMaterials(Mtl* m, ConversionMap& map, SubMapSwitchSink* switches = nullptr);
void WalkSubMaps(MtlBase* o, ConversionMap& map, SubMapSwitchSink* switches = nullptr);
