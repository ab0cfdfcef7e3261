#include "ParamTypes.h"

#include <cstdlib>

#include "imtl.h"
#include "inode.h"

namespace {

// Every base type a block can declare, its name in scene files and how its values are written.
struct BaseType {
    ParamType2 type;
    const char* name;
    ValueKind kind;
};
constexpr BaseType kBaseTypes[] = {
    {TYPE_FLOAT, "float", ValueKind::Float},
    {TYPE_INT, "int", ValueKind::Int},
    {TYPE_RGBA, "rgba", ValueKind::Color},
    {TYPE_POINT3, "point3", ValueKind::Point3},
    {TYPE_BOOL, "bool", ValueKind::Bool},
    {TYPE_ANGLE, "angle", ValueKind::Float},
    {TYPE_PCNT_FRAC, "pcnt_frac", ValueKind::Float},
    {TYPE_WORLD, "world", ValueKind::Float},
    {TYPE_STRING, "string", ValueKind::String},
    {TYPE_FILENAME, "filename", ValueKind::String},
    {TYPE_HSV, "hsv", ValueKind::Color},
    {TYPE_COLOR_CHANNEL, "color_channel", ValueKind::Float},
    {TYPE_TIMEVALUE, "timevalue", ValueKind::Int},
    {TYPE_RADIOBTN_INDEX, "radiobtn_index", ValueKind::Int},
    {TYPE_MTL, "mtl", ValueKind::Object},
    {TYPE_TEXMAP, "texmap", ValueKind::Object},
    {TYPE_BITMAP, "bitmap", ValueKind::None},
    {TYPE_INODE, "inode", ValueKind::Node},
    {TYPE_REFTARG, "reftarg", ValueKind::Object},
    {TYPE_INDEX, "index", ValueKind::Int},
    {TYPE_MATRIX3, "matrix3", ValueKind::None},
    {TYPE_PBLOCK2, "pblock2", ValueKind::None},
    {TYPE_POINT4, "point4", ValueKind::None},
    {TYPE_FRGBA, "frgba", ValueKind::Color},
};

const BaseType* FindBase(int type) {
    int base = type & ~(TYPE_TAB | TYPE_BY_REF);
    for (const BaseType& b : kBaseTypes)
        if (b.type == base) return &b;
    return nullptr;
}

bool EndsWith(std::string& s, const char* suffix) {
    std::string tail(suffix);
    if (s.size() <= tail.size() || s.compare(s.size() - tail.size(), tail.size(), tail) != 0) return false;
    s.resize(s.size() - tail.size());
    return true;
}

}  // namespace

std::string ParamTypeName(int type) {
    const BaseType* b = FindBase(type);
    if (!b) return "type_" + std::to_string(type);
    std::string name = b->name;
    if (type & TYPE_TAB) name += "_tab";
    if (type & TYPE_BY_REF) name += "_br";
    return name;
}

bool ParseParamTypeName(const std::string& name, int& type) {
    if (name.rfind("type_", 0) == 0 && name.size() > 5 && name.size() < 12) {
        char* end = nullptr;
        long n = std::strtol(name.c_str() + 5, &end, 10);
        if (*end != '\0' || n < 0 || name[5] == '+' || FindBase(static_cast<int>(n))) return false;
        type = static_cast<int>(n);
        return true;
    }
    std::string base = name;
    int flags = 0;
    if (EndsWith(base, "_br")) flags |= TYPE_BY_REF;
    if (EndsWith(base, "_tab")) flags |= TYPE_TAB;
    for (const BaseType& b : kBaseTypes) {
        if (base == b.name) {
            type = b.type | flags;
            return true;
        }
    }
    return false;
}

ValueKind KindOfType(int type) {
    const BaseType* b = FindBase(type);
    return b ? b->kind : ValueKind::None;
}

TargetKind TargetOfType(int type) {
    switch (base_type(type & ~TYPE_BY_REF)) {
        case TYPE_MTL:
            return TargetKind::Material;
        case TYPE_TEXMAP:
            return TargetKind::Map;
        case TYPE_INODE:
            return TargetKind::Node;
        default:
            return TargetKind::Any;
    }
}

ControllerKind ControllerKindOfType(int type) {
    switch (KindOfType(type)) {
        case ValueKind::Float:
        case ValueKind::Int:
        case ValueKind::Bool:
            return ControllerKind::Float;
        case ValueKind::Color:
        case ValueKind::Point3:
            return ControllerKind::Point3;
        default:
            return ControllerKind::None;
    }
}

const char* DescribeKind(ValueKind kind) {
    switch (kind) {
        case ValueKind::Float:
            return "a number";
        case ValueKind::Int:
            return "an integer";
        case ValueKind::Bool:
            return "true or false";
        case ValueKind::Color:
            return "[r, g, b]";
        case ValueKind::Point3:
            return "[x, y, z]";
        case ValueKind::String:
            return "a string";
        case ValueKind::Object:
            return "an object id or null";
        case ValueKind::Node:
            return "a node id or null";
        case ValueKind::None:
            break;
    }
    return "null";
}

ReferenceTarget* GetObjectParam(IParamBlock2* pb, ParamID id, int tabIndex) {
    switch (base_type(pb->GetParameterType(id) & ~TYPE_BY_REF)) {
        case TYPE_MTL:
            return pb->GetMtl(id, 0, tabIndex);
        case TYPE_TEXMAP:
            return pb->GetTexmap(id, 0, tabIndex);
        case TYPE_INODE:
            return pb->GetINode(id, 0, tabIndex);
        default:
            return pb->GetReferenceTarget(id, 0, tabIndex);
    }
}

BOOL SetObjectParam(IParamBlock2* pb, ParamID id, int tabIndex, ReferenceTarget* v) {
    switch (base_type(pb->GetParameterType(id) & ~TYPE_BY_REF)) {
        case TYPE_MTL:
            if (v && !dynamic_cast<Mtl*>(v)) return FALSE;
            return pb->SetValue(id, 0, static_cast<Mtl*>(v), tabIndex);
        case TYPE_TEXMAP:
            if (v && !dynamic_cast<Texmap*>(v)) return FALSE;
            return pb->SetValue(id, 0, static_cast<Texmap*>(v), tabIndex);
        case TYPE_INODE:
            if (v && !dynamic_cast<INode*>(v)) return FALSE;
            return pb->SetValue(id, 0, static_cast<INode*>(v), tabIndex);
        default:
            return pb->SetValue(id, 0, v, tabIndex);
    }
}

std::string ParameterOfType(int type) {
    std::string name = ParamTypeName(type);
    bool vowel = std::string("aeiou").find(name[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + name + " parameter";
}
