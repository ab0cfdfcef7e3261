#pragma once

#include "AnimatableInterfaceIDs.h"
#include "baseinterface.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "strclass.h"

// Animatable flag bits.
#define A_ATMOS_DISABLED (1 << 5)
#define A_HELD (1 << 12)
#define A_IS_DELETED (1 << 14)

class CoreExport Animatable {
public:
    Animatable() = default;
    Animatable(const Animatable&) = delete;
    Animatable& operator=(const Animatable&) = delete;

    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() { return Class_ID(0, 0); }
    virtual void GetClassName(MSTR& s) { s = _M(""); }

    virtual int NumParamBlocks() { return 0; }
    virtual IParamBlock2* GetParamBlock(int i);
    virtual IParamBlock2* GetParamBlockByID(BlockID id);

    virtual void* GetInterface(ULONG id);
    virtual BaseInterface* GetInterface(Interface_ID id);

    // Frees the object's memory and nothing else. Objects that take part in references are deleted
    // with ReferenceTarget::MaybeAutoDelete or ReferenceMaker::DeleteMe instead, which disconnect them.
    virtual void DeleteThis();

    void SetAFlag(DWORD mask) { aflag |= mask; }
    void ClearAFlag(DWORD mask) { aflag &= ~mask; }
    BOOL TestAFlag(DWORD mask) const { return (aflag & mask) ? TRUE : FALSE; }

protected:
    // Objects are deleted through DeleteThis or the reference system, never from outside.
    virtual ~Animatable() = 0;

    DWORD aflag = 0;
};
