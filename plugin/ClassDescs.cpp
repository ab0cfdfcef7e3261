#include "ClassDescs.h"

#include "ModuleObjects.h"
#include "MtlConverterState.h"
#include "resource.h"

const UtilityClassInfo kMtlConverterInfo = {TVL3_MTL_CONVERTER_CLASS_ID, IDS_MTL_CONVERTER,
                                            _M("Tavelin3_Material_Converter")};
const UtilityClassInfo kLineConverterInfo = {TVL3_LINE_CONVERTER_CLASS_ID, IDS_LINE_CONVERTER,
                                             _M("Tavelin3_Line_Converter")};

// The utilities are static: the host always receives the same object, so their state outlives the panel.
void* CDescTvl3MtlConverter::Create(BOOL) { return &theTvl3MtlConverter; }
void* CDescTvl3LineConverter::Create(BOOL) { return &theTvl3LineConverter; }

void BuildClassDescList() {
    if (theClassDescList.Count() > 0) return;
    ClassDesc* descs[] = {&theMtlConverterDesc, &theLineConverterDesc};
    for (ClassDesc* d : descs) theClassDescList.Append(1, &d);
    RegisterMtlConverterNotifications();
}
