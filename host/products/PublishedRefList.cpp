#include "PublishedRefList.h"

#include "iparamb2.h"

namespace {

const Tab<ReferenceTarget*>* TableArg(FPParams* p) {
    if (!p || p->params.Count() < 1) return nullptr;
    const FPValue& v = p->params[0];
    return v.type == TYPE_REFTARG_TAB_BR || v.type == TYPE_REFTARG_TAB ? v.r_tab : nullptr;
}

bool IntArg(FPParams* p, int& out) {
    if (!p || p->params.Count() < 1 || !IsIntType(p->params[0].type) || is_tab(p->params[0].type))
        return false;
    out = p->params[0].i;
    return true;
}

}  // namespace

FPStatus PublishedRefList::_dispatch_fn(FunctionID fid, TimeValue t, FPValue& result, FPParams* p) {
    if (fid == kNone) return FPS_NO_SUCH_FUNCTION;
    if (fid == fns_.set) {
        const Tab<ReferenceTarget*>* items = TableArg(p);
        if (!items) return FPS_FAIL;
        SetItems(*items, t);
        return FPS_OK;
    }
    if (fid == fns_.count) {
        result.type = TYPE_INT;
        result.i = NumItems();
        return FPS_OK;
    }
    if (fid == fns_.get) {
        int i = 0;
        if (!IntArg(p, i)) return FPS_FAIL;
        result.type = TYPE_REFTARG;
        result.r = GetItem(i);
        return FPS_OK;
    }
    return FPS_NO_SUCH_FUNCTION;
}
