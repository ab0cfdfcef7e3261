#include "ParamReader.h"

#include <cstdint>
#include <deque>
#include <limits>

namespace {

EntryModel ReadEntry(JsonRef j, const JsonPath& path, int type, int vertex, BlockModel& b,
                     std::deque<IdUse>& uses) {
    EntryModel e;
    ValueKind kind = KindOfType(type);
    What what;
    what.paramType = type;
    switch (kind) {
        case ValueKind::Float:
            e.f = ReadFloat(j, path, what);
            break;
        case ValueKind::Int:
            e.i = ReadInt(j, path, what);
            break;
        case ValueKind::Bool:
            e.i = ReadBool(j, path, what) ? 1 : 0;
            break;
        case ValueKind::Color:
            e.c = ReadColor(j, path, what);
            break;
        case ValueKind::Point3:
            e.p = ReadPoint3(j, path, what);
            break;
        case ValueKind::String:
            e.i = static_cast<int>(b.strings.size());
            b.strings.push_back(ReadString(j, path, what));
            break;
        case ValueKind::Object:
        case ValueKind::Node:
            if (!j.IsNull() && !j.IsInteger())
                Fail(path, std::string("expected ") + DescribeKind(kind) + what.Text());
            e.target = ReadIdOrNull(j, path);
            if (e.target)
                uses.push_back({*e.target, kind == ValueKind::Node ? TargetKind::Node : TargetOfType(type),
                                IdUse::Reference, vertex, path.Place()});
            break;
        case ValueKind::None:
            if (!j.IsNull())
                Fail(path, "expected null: " + ParameterOfType(type) + " keeps no value in scene files");
            break;
    }
    return e;
}

void ReadController(JsonRef j, const JsonPath& path, int type, int vertex, std::deque<IdUse>& uses,
                    EntryModel& entry) {
    ControllerKind ck = ControllerKindOfType(type);
    if (ck == ControllerKind::None) {
        if (j.IsNull()) return;
        Fail(path, ParameterOfType(type) + " cannot have a controller");
    }
    entry.controller = ReadIdOrNull(j, path, What{" for a controller"});
    if (entry.controller)
        uses.push_back(
            {*entry.controller,
             ck == ControllerKind::Float ? TargetKind::FloatController : TargetKind::Point3Controller,
             IdUse::Reference, vertex, path.Place()});
}

// Reads a parameter, its entries appended to the block's.
ParamModel ReadParam(JsonRef j, const JsonPath& path, const ClassFacts::Block& block, int vertex,
                     BlockModel& b, std::deque<IdUse>& uses) {
    static const char* const kFields[] = {"id", "type", "value", "controller", "controllers"};
    const auto [idJson, typeJson, value, ctrl, ctrls] = Fields(j, path, kFields, 3);
    ParamModel p;
    p.id = static_cast<ParamID>(ReadInteger(idJson, path.Member("id"), std::numeric_limits<ParamID>::min(),
                                            std::numeric_limits<ParamID>::max()));
    const ClassFacts::Param* def = block.Find(p.id);
    if (!def)
        Fail(path.Member("id"),
             "block " + std::to_string(block.id) + " has no parameter " + std::to_string(p.id));
    if (!typeJson.IsString()) Fail(path.Member("type"), "expected a parameter type name");
    // Files name the parameter's own type but for mistakes: its name is the one tried first.
    if (!def->typeName.empty() && typeJson.Str() == def->typeName)
        p.type = def->type;
    else if (!ParseParamTypeName(std::string(typeJson.Str()), p.type))
        Fail(path.Member("type"), "unknown parameter type \"" + std::string(typeJson.Str()) + "\"");
    if (p.type != def->type)
        Fail(path.Member("type"), "parameter " + std::to_string(p.id) + " of block " +
                                      std::to_string(block.id) + " is \"" + ParamTypeName(def->type) +
                                      "\", not \"" + ParamTypeName(p.type) + "\"");

    const JsonPath valuePath = path.Member("value");
    p.first = static_cast<uint32_t>(b.entries.size());
    if (is_tab(p.type)) {
        if (ctrl) Fail(path, "a table takes \"controllers\", one per entry, not \"controller\"");
        if (!value.IsArray()) Fail(valuePath, "expected an array for " + ParameterOfType(p.type));
        size_t k = 0;
        for (JsonRef v : value)
            b.entries.push_back(ReadEntry(v, valuePath.Item(k++), p.type, vertex, b, uses));
        if (ctrls) {
            const JsonPath ctrlPath = path.Member("controllers");
            ExpectArray(ctrls, ctrlPath);
            if (ctrls.Size() != value.Size())
                Fail(ctrlPath, "expected " + std::to_string(value.Size()) + " entries, one per value, not " +
                                   std::to_string(ctrls.Size()));
            k = 0;
            for (JsonRef c : ctrls) {
                ReadController(c, ctrlPath.Item(k), p.type, vertex, uses, b.entries[p.first + k]);
                ++k;
            }
        }
    } else {
        if (ctrls) Fail(path, "a single parameter takes \"controller\", not \"controllers\"");
        b.entries.push_back(ReadEntry(value, valuePath, p.type, vertex, b, uses));
        if (ctrl) ReadController(ctrl, path.Member("controller"), p.type, vertex, uses, b.entries[p.first]);
    }
    p.count = static_cast<uint32_t>(b.entries.size() - p.first);
    return p;
}

}  // namespace

BlockModel ReadBlock(JsonRef j, const JsonPath& path, const ObjectModel& object, int vertex,
                     std::deque<IdUse>& uses) {
    static const char* const kFields[] = {"ref", "id", "params"};
    const auto [ref, idJson, params] = Fields(j, path, kFields, 2);
    const ClassFacts& facts = *object.facts;
    BlockModel b;
    b.ref = ReadInt(ref, path.Member("ref"));
    auto held = facts.blocks.find(b.ref);
    if (held == facts.blocks.end())
        Fail(path.Member("ref"), "reference " + std::to_string(b.ref) + " of class \"" + object.className +
                                     "\" holds no parameter block");
    const ClassFacts::Block& block = held->second;
    int id = ReadInt(idJson, path.Member("id"));
    if (id != block.id)
        Fail(path.Member("id"), "class \"" + object.className + "\" has no block " + std::to_string(id) +
                                    " in reference " + std::to_string(b.ref) + " (it holds block " +
                                    std::to_string(block.id) + ")");
    if (!params) return b;
    const JsonPath paramsPath = path.Member("params");
    ExpectArray(params, paramsPath);
    b.params.reserve(params.Size());
    b.entries.reserve(params.Size());
    // Where in the file each of the block's parameters was given, by its place in the block.
    std::vector<size_t> given(block.params.size(), SIZE_MAX);
    size_t k = 0;
    for (JsonRef pj : params) {
        const JsonPath ppath = paramsPath.Item(k);
        ParamModel p = ReadParam(pj, ppath, block, vertex, b, uses);
        size_t& before = given[static_cast<size_t>(block.Find(p.id) - block.params.data())];
        if (before != SIZE_MAX)
            Fail(ppath.Member("id"), "parameter " + std::to_string(p.id) + " is given twice (also " +
                                         paramsPath.Text() + "[" + std::to_string(before) + "])");
        before = k++;
        b.params.push_back(std::move(p));
    }
    return b;
}
