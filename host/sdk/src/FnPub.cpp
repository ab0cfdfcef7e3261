#include <cstdarg>

#include "iFnPub.h"

FPParams::FPParams(int count, ...) {
    va_list args;
    va_start(args, count);
    for (int k = 0; k < count; ++k) {
        FPValue v;
        v.type = static_cast<ParamType2>(va_arg(args, int));
        switch (base_type(v.type)) {
            case TYPE_INT:
            case TYPE_BOOL:
            case TYPE_TIMEVALUE:
            case TYPE_RADIOBTN_INDEX:
            case TYPE_INDEX:
                v.i = is_tab(v.type) ? 0 : va_arg(args, int);
                if (is_tab(v.type)) v.ptr = va_arg(args, void*);
                break;
            case TYPE_FLOAT:
            case TYPE_ANGLE:
            case TYPE_PCNT_FRAC:
            case TYPE_WORLD:
            case TYPE_COLOR_CHANNEL:
                if (is_tab(v.type))
                    v.ptr = va_arg(args, void*);
                else
                    v.f = static_cast<float>(va_arg(args, double));
                break;
            default:
                v.ptr = va_arg(args, void*);
                break;
        }
        params.Append(1, &v);
    }
    va_end(args);
}

FPStatus FPInterface::Invoke(FunctionID fid, TimeValue t, FPValue& result, FPParams* params) {
    return _dispatch_fn(fid, t, result, params);
}

FPStatus FPInterface::Invoke(FunctionID fid, TimeValue t, FPParams* params) {
    FPValue ignored;
    return _dispatch_fn(fid, t, ignored, params);
}

FPStatus FPInterface::_dispatch_fn(FunctionID, TimeValue, FPValue&, FPParams*) {
    return FPS_NO_SUCH_FUNCTION;
}
