#pragma once

#include "max.h"

// The zone and stroke lists of Tavelin 3 materials and zones, through their published interfaces. An
// object without the interface ignores the setters and answers a count of 0 and no objects. A setter
// does not keep the table: the caller frees it afterwards.
void SetMaterialZones(ReferenceTarget* material, Tab<ReferenceTarget*>& zones);
int GetMaterialZoneCount(ReferenceTarget* material);
ReferenceTarget* GetMaterialZone(ReferenceTarget* material, int i);

void SetZoneStrokes(ReferenceTarget* zone, Tab<ReferenceTarget*>& strokes);
int GetZoneStrokeCount(ReferenceTarget* zone);
ReferenceTarget* GetZoneStroke(ReferenceTarget* zone, int i);
