#include "ZoneAccess.h"

#include "ProductInterfaces.h"

namespace {

FPInterface* Published(ReferenceTarget* obj, Interface_ID id) {
    return obj ? dynamic_cast<FPInterface*>(obj->GetInterface(id)) : nullptr;
}

void SetList(ReferenceTarget* obj, Interface_ID id, FunctionID fn, Tab<ReferenceTarget*>& items) {
    FPInterface* fp = Published(obj, id);
    if (!fp) return;
    FPParams params(1, TYPE_REFTARG_TAB_BR, &items);
    FPValue result;
    fp->Invoke(fn, result, &params);
}

int ListCount(ReferenceTarget* obj, Interface_ID id, FunctionID fn) {
    FPInterface* fp = Published(obj, id);
    if (!fp) return 0;
    FPValue result;
    if (fp->Invoke(fn, result, nullptr) != FPS_OK || result.type != TYPE_INT) return 0;
    return result.i;
}

ReferenceTarget* ListItem(ReferenceTarget* obj, Interface_ID id, FunctionID fn, int i) {
    FPInterface* fp = Published(obj, id);
    if (!fp) return nullptr;
    FPParams params(1, TYPE_INT, i);
    FPValue result;
    if (fp->Invoke(fn, result, &params) != FPS_OK || result.type != TYPE_REFTARG) return nullptr;
    return result.r;
}

}  // namespace

void SetMaterialZones(ReferenceTarget* material, Tab<ReferenceTarget*>& zones) {
    SetList(material, TVL3_MATERIAL_INTERFACE_ID, TVL3_MATERIAL_FN_SET_ZONES, zones);
}

int GetMaterialZoneCount(ReferenceTarget* material) {
    return ListCount(material, TVL3_MATERIAL_INTERFACE_ID, TVL3_MATERIAL_FN_NUM_ZONES);
}

ReferenceTarget* GetMaterialZone(ReferenceTarget* material, int i) {
    return ListItem(material, TVL3_MATERIAL_INTERFACE_ID, TVL3_MATERIAL_FN_GET_ZONE, i);
}

void SetZoneStrokes(ReferenceTarget* zone, Tab<ReferenceTarget*>& strokes) {
    SetList(zone, TVL3_ZONE_INTERFACE_ID, TVL3_ZONE_FN_SET_STROKES, strokes);
}

int GetZoneStrokeCount(ReferenceTarget* zone) {
    return ListCount(zone, TVL3_ZONE_INTERFACE_ID, TVL3_ZONE_FN_NUM_STROKES);
}

ReferenceTarget* GetZoneStroke(ReferenceTarget* zone, int i) {
    return ListItem(zone, TVL3_ZONE_INTERFACE_ID, TVL3_ZONE_FN_GET_STROKE, i);
}
