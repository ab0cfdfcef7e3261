#pragma once

#include "ClassIds.h"
#include "ResString.h"
#include "plugapi.h"

// What the host is told of each of the two utilities; the class name comes from the string table.
struct UtilityClassInfo {
    Class_ID classID;
    int nameID;
    const MCHAR* internalName;
};
extern const UtilityClassInfo kMtlConverterInfo;
extern const UtilityClassInfo kLineConverterInfo;

// Hands the host the one material converter utility object.
class CDescTvl3MtlConverter : public ClassDesc2 {
public:
    // ClassDesc
    int IsPublic() override { return TRUE; }
    void* Create(BOOL loading = FALSE) override;
    const MCHAR* ClassName() override { return LoadResString(kMtlConverterInfo.nameID); }
    SClass_ID SuperClassID() override { return UTILITY_CLASS_ID; }
    Class_ID ClassID() override { return kMtlConverterInfo.classID; }
    const MCHAR* Category() override { return _M(""); }
    const MCHAR* InternalName() override { return kMtlConverterInfo.internalName; }
    HINSTANCE HInstance() override { return hInstance; }
};

// Hands the host the one line converter utility object.
class CDescTvl3LineConverter : public ClassDesc2 {
public:
    // ClassDesc
    int IsPublic() override { return TRUE; }
    void* Create(BOOL loading = FALSE) override;
    const MCHAR* ClassName() override { return LoadResString(kLineConverterInfo.nameID); }
    SClass_ID SuperClassID() override { return UTILITY_CLASS_ID; }
    Class_ID ClassID() override { return kLineConverterInfo.classID; }
    const MCHAR* Category() override { return _M(""); }
    const MCHAR* InternalName() override { return kLineConverterInfo.internalName; }
    HINSTANCE HInstance() override { return hInstance; }
};

// Fills the module's descriptor list the first time it is called, and registers the material
// converter's handler of host reset, new scene and file open then. Every export that needs the list
// calls it, so whichever the host calls first builds it, and only once.
void BuildClassDescList();
