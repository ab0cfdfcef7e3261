#pragma once

#include <vector>

#include "baseinterface.h"
#include "paramtype.h"
#include "tab.h"

typedef int FPStatus;
#define FPS_FAIL 0
#define FPS_OK 1
#define FPS_NO_SUCH_FUNCTION -1
#define FPS_ACTION_DISABLED -2

class ReferenceTarget;

// One value passed to or returned from a published function.
class CoreExport FPValue {
public:
    FPValue() : type(TYPE_UNSPECIFIED), i(0) {}

    ParamType2 type;
    union {
        int i;
        float f;
        ReferenceTarget* r;
        Tab<ReferenceTarget*>* r_tab;
        void* ptr;
    };
};

// The arguments of a published function, given as (type, value) pairs.
class CoreExport FPParams {
public:
    FPParams() = default;
    // FPParams(2, TYPE_INT, 5, TYPE_REFTARG_TAB_BR, &tab): ints for the integer types, doubles for the
    // float types, pointers otherwise.
    FPParams(int count, ...);

    Tab<FPValue> params;
};

// A function-publishing interface: functions called by ID.
class CoreExport FPInterface : public BaseInterface {
public:
    ~FPInterface() override;
    virtual FPStatus Invoke(FunctionID fid, TimeValue t, FPValue& result, FPParams* params = nullptr);
    virtual FPStatus Invoke(FunctionID fid, TimeValue t = 0, FPParams* params = nullptr);
    virtual FPStatus Invoke(FunctionID fid, FPValue& result, FPParams* params = nullptr) {
        return Invoke(fid, 0, result, params);
    }
    virtual FPStatus Invoke(FunctionID fid, FPParams* params) { return Invoke(fid, 0, params); }

protected:
    // What an interface implements: call function fid. The default knows no function.
    virtual FPStatus _dispatch_fn(FunctionID fid, TimeValue t, FPValue& result, FPParams* p);
};

// The interfaces of objects are FPInterfaceDesc-free here: an object answers its interface from
// Animatable::GetInterface(Interface_ID), and the caller invokes functions on it.
class CoreExport FPMixinInterface : public FPInterface {
public:
    ~FPMixinInterface() override;
};
