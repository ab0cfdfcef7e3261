#pragma once

#include "maxtypes.h"
#include "strclass.h"

// Identifiers: a class is named by two words, its super class by one.
typedef ULONG SClass_ID;

class Class_ID {
public:
    Class_ID() : a(0xFFFFFFFF), b(0xFFFFFFFF) {}
    Class_ID(ULONG aa, ULONG bb) : a(aa), b(bb) {}
    ULONG PartA() const { return a; }
    ULONG PartB() const { return b; }
    void SetPartA(ULONG aa) { a = aa; }
    void SetPartB(ULONG bb) { b = bb; }
    bool operator==(const Class_ID& c) const { return a == c.a && b == c.b; }
    bool operator!=(const Class_ID& c) const { return !(*this == c); }
    bool operator<(const Class_ID& c) const { return a < c.a || (a == c.a && b < c.b); }

private:
    ULONG a, b;
};

class Interface_ID {
public:
    Interface_ID() : a(0xFFFFFFFF), b(0xFFFFFFFF) {}
    Interface_ID(ULONG aa, ULONG bb) : a(aa), b(bb) {}
    ULONG PartA() const { return a; }
    ULONG PartB() const { return b; }
    bool operator==(const Interface_ID& c) const { return a == c.a && b == c.b; }
    bool operator!=(const Interface_ID& c) const { return !(*this == c); }
    bool operator<(const Interface_ID& c) const { return a < c.a || (a == c.a && b < c.b); }

private:
    ULONG a, b;
};

// Super classes.
#define BASENODE_CLASS_ID 0x00000001
#define PARAMETER_BLOCK2_CLASS_ID 0x00000082
#define REF_MAKER_CLASS_ID 0x00000100
#define REF_TARGET_CLASS_ID 0x00000200
#define MATERIAL_CLASS_ID 0x00000C00
#define TEXMAP_CLASS_ID 0x00000C10
#define UVGEN_CLASS_ID 0x00000C20
#define CTRL_FLOAT_CLASS_ID 0x00009003
#define CTRL_POINT3_CLASS_ID 0x00009005
#define CTRL_POSITION_CLASS_ID 0x0000900B
#define UTILITY_CLASS_ID 0x00001020
#define RENDER_EFFECT_CLASS_ID 0x00001090
#define SHADER_CLASS_ID 0x000010B0

// Classes of the host's own.
#define DMTL_CLASS_ID 0x00000002
#define MULTI_CLASS_ID 0x00000200

class Animatable;

// Describes a plug-in class to the host: what it is called and how to make one.
class CoreExport ClassDesc {
public:
    virtual ~ClassDesc();
    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual const MCHAR* ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;
    virtual const MCHAR* InternalName() { return nullptr; }
    virtual HINSTANCE HInstance() { return nullptr; }
};

class CoreExport ClassDesc2 : public ClassDesc {
public:
    ~ClassDesc2() override;
};

// The module's version word: release, API number and SDK revision.
#define MAX_RELEASE 19000
#define MAX_API_NUM 48
#define MAX_SDK_REV 0
#define MAX_RELEASE_R17 17000
#define MAX_API_NUM_R17 44
#define MAX_RELEASE_R15 15000
#define MAX_API_NUM_R15 40
#define VERSION_3DSMAX ((MAX_RELEASE << 16) + (MAX_API_NUM << 8) + MAX_SDK_REV)
