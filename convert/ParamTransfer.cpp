#include "ParamTransfer.h"

#include "control.h"
#include "imtl.h"
#include "inode.h"

namespace {

// Gives (dstId, index) a copy of the controller on (srcId, index), if the source has one. The source's
// controller is never shared.
void CopyController(IParamBlock2* src, ParamID srcId, IParamBlock2* dst, ParamID dstId, int index) {
    Control* ctrl = src->GetControllerByID(srcId, index);
    if (!ctrl) return;
    auto* copy = dynamic_cast<Control*>(CloneRefHierarchy(ctrl));
    if (copy) dst->SetControllerByID(dstId, index, copy, TRUE);
}

template <class T>
void CopyTable(IParamBlock2* src, ParamID srcId, IParamBlock2* dst, ParamID dstId, bool resizeTables) {
    int count = src->Count(srcId);
    if (resizeTables) {
        dst->SetCount(dstId, count);
    } else {
        int dstCount = dst->Count(dstId);
        if (dstCount < count) count = dstCount;
    }
    for (int i = 0; i < count; ++i) {
        T value{};
        Interval valid(TIME_NegInfinity, TIME_PosInfinity);
        src->GetValue(srcId, 0, value, valid, i);
        dst->SetValue(dstId, 0, value, i);
        CopyController(src, srcId, dst, dstId, i);
    }
}

// A single value of srcId copied to dstId, with a copy of its controller where the type can have one.
// Answers false for a type that is no single value.
bool CopySingleValue(IParamBlock2* src, ParamID srcId, IParamBlock2* dst, ParamID dstId, ParamType2 type) {
    switch (type) {
        case TYPE_FLOAT:
            dst->SetValue(dstId, 0, src->GetFloat(srcId, 0, 0), 0);
            break;
        case TYPE_INT:
        case TYPE_BOOL:
            dst->SetValue(dstId, 0, src->GetInt(srcId, 0, 0), 0);
            break;
        case TYPE_RGBA: {
            Color c = src->GetColor(srcId, 0, 0);
            dst->SetValue(dstId, 0, c, 0);
            break;
        }
        case TYPE_POINT3: {
            Point3 p = src->GetPoint3(srcId, 0, 0);
            dst->SetValue(dstId, 0, p, 0);
            break;
        }
        case TYPE_STRING:
            dst->SetValue(dstId, 0, src->GetStr(srcId, 0, 0), 0);
            break;
        case TYPE_MTL:
            dst->SetValue(dstId, 0, src->GetMtl(srcId, 0, 0), 0);
            return true;
        case TYPE_TEXMAP:
            dst->SetValue(dstId, 0, src->GetTexmap(srcId, 0, 0), 0);
            return true;
        case TYPE_INODE:
            dst->SetValue(dstId, 0, src->GetINode(srcId, 0, 0), 0);
            return true;
        default:
            return false;
    }
    CopyController(src, srcId, dst, dstId, 0);
    return true;
}

// The entries of a table. Angles, percentages, map tables, colour tables and the rest are not carried
// over.
void CopyTableValues(IParamBlock2* src, ParamID srcId, IParamBlock2* dst, ParamID dstId, ParamType2 type,
                     bool resizeTables) {
    switch (type) {
        case TYPE_FLOAT_TAB:
            CopyTable<float>(src, srcId, dst, dstId, resizeTables);
            break;
        case TYPE_INT_TAB:
        case TYPE_BOOL_TAB:
            CopyTable<int>(src, srcId, dst, dstId, resizeTables);
            break;
        case TYPE_POINT3_TAB:
            CopyTable<Point3>(src, srcId, dst, dstId, resizeTables);
            break;
        case TYPE_MTL_TAB:
            CopyTable<Mtl*>(src, srcId, dst, dstId, resizeTables);
            break;
        case TYPE_INODE_TAB:
            CopyTable<INode*>(src, srcId, dst, dstId, resizeTables);
            break;
        default:
            break;
    }
}

}  // namespace

void TransferParamBlock(IParamBlock2* src, IParamBlock2* dst, bool resizeTables,
                        const ParamIDConverter& conv) {
    if (!src || !dst || src->NumParams() == 0) return;
    for (int i = 0; i < src->NumParams(); ++i) {
        ParamID srcId = src->IndextoID(i);
        ParamType2 type = src->GetParamDef(srcId).type;
        short dstId = conv.MapID(srcId, type);
        if (dstId < 0) continue;
        if (dst->IDtoIndex(dstId) < 0) continue;
        if (dst->GetParamDef(dstId).type != type) continue;
        if (!CopySingleValue(src, srcId, dst, dstId, type))
            CopyTableValues(src, srcId, dst, dstId, type, resizeTables);
    }
}
