#pragma once

#include <string>

#include "iparamb2.h"
#include "paramtype.h"

// How the values of a parameter type are written in a scene file.
enum class ValueKind {
    Float,   // a number
    Int,     // an integer
    Bool,    // true or false (kept as an int by the block)
    Color,   // [r, g, b]
    Point3,  // [x, y, z]
    String,  // a string
    Object,  // an object id or null
    Node,    // a node id or null
    None,    // no value the block keeps (bitmap, matrix3, point4, pblock2): null
};

// What an id in the file must name where it is used.
enum class TargetKind {
    Any,
    Material,
    MaterialOrMap,  // a material editor slot
    Map,
    Effect,
    Node,
    FloatController,
    Point3Controller,
};

// The controller a parameter type can be driven by.
enum class ControllerKind { None, Float, Point3 };

// The name of a parameter type in a scene file: the SDK's TYPE_ name in lower case without the prefix,
// "_tab" for a table, "_br" for by-reference ("float", "int_tab", "reftarg_tab_br"). A type the table
// below does not know is written "type_<number>".
std::string ParamTypeName(int type);
bool ParseParamTypeName(const std::string& name, int& type);

ValueKind KindOfType(int type);
// For ValueKind::Object: what the value may hold.
TargetKind TargetOfType(int type);
ControllerKind ControllerKindOfType(int type);
// The object of a material, map, node or reference target parameter, read and written through the
// block's accessor for its type (each accessor reaches its own type only).
ReferenceTarget* GetObjectParam(IParamBlock2* pb, ParamID id, int tabIndex);
BOOL SetObjectParam(IParamBlock2* pb, ParamID id, int tabIndex, ReferenceTarget* v);

// "a float parameter", "an int parameter".
std::string ParameterOfType(int type);
// "a number", "an integer", ...: what a value of the kind looks like, for messages.
const char* DescribeKind(ValueKind kind);
