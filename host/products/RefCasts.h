#pragma once

#include "imtl.h"

// What a reference holds, taken as a map or a material only when it is one: sub-map and sub-material
// getters answer null for an object of another super class in their slot.
inline Texmap* AsTexmap(RefTargetHandle r) {
    return r && r->SuperClassID() == TEXMAP_CLASS_ID ? dynamic_cast<Texmap*>(r) : nullptr;
}

inline Mtl* AsMtl(RefTargetHandle r) {
    return r && r->SuperClassID() == MATERIAL_CLASS_ID ? dynamic_cast<Mtl*>(r) : nullptr;
}
