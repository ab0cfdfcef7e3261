#include "ParamReader.h"

#include <limits>
#include <map>

namespace {

EntryModel ReadEntry(const Json& j, const std::string& path, int type, int vertex, std::vector<IdUse>& uses) {
    EntryModel e;
    ValueKind kind = KindOfType(type);
    std::string what = " for " + ParameterOfType(type);
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
            e.s = ReadString(j, path, what);
            break;
        case ValueKind::Object:
        case ValueKind::Node:
            if (!j.is_null() && !j.is_number_integer())
                Fail(path, std::string("expected ") + DescribeKind(kind) + what);
            e.target = ReadIdOrNull(j, path);
            if (e.target)
                uses.push_back({*e.target, kind == ValueKind::Node ? TargetKind::Node : TargetOfType(type),
                                IdUse::Reference, vertex, path});
            break;
        case ValueKind::None:
            if (!j.is_null())
                Fail(path, "expected null: " + ParameterOfType(type) + " keeps no value in scene files");
            break;
    }
    return e;
}

void ReadController(const Json& j, const std::string& path, int type, int vertex, std::vector<IdUse>& uses,
                    EntryModel& entry) {
    ControllerKind ck = ControllerKindOfType(type);
    if (ck == ControllerKind::None) {
        if (j.is_null()) return;
        Fail(path, ParameterOfType(type) + " cannot have a controller");
    }
    entry.controller = ReadIdOrNull(j, path, " for a controller");
    if (entry.controller)
        uses.push_back(
            {*entry.controller,
             ck == ControllerKind::Float ? TargetKind::FloatController : TargetKind::Point3Controller,
             IdUse::Reference, vertex, path});
}

ParamModel ReadParam(const Json& j, const std::string& path, const ClassFacts::Block& block, int vertex,
                     std::vector<IdUse>& uses) {
    ExpectFields(j, path, {"id", "type", "value", "controller", "controllers"}, {"id", "type", "value"});
    ParamModel p;
    p.id = static_cast<ParamID>(ReadInteger(j["id"], Member(path, "id"), std::numeric_limits<ParamID>::min(),
                                            std::numeric_limits<ParamID>::max()));
    const ClassFacts::Param* def = block.Find(p.id);
    if (!def)
        Fail(Member(path, "id"),
             "block " + std::to_string(block.id) + " has no parameter " + std::to_string(p.id));
    const Json& typeJson = j["type"];
    if (!typeJson.is_string()) Fail(Member(path, "type"), "expected a parameter type name");
    if (!ParseParamTypeName(typeJson.get<std::string>(), p.type))
        Fail(Member(path, "type"), "unknown parameter type \"" + typeJson.get<std::string>() + "\"");
    if (p.type != def->type)
        Fail(Member(path, "type"), "parameter " + std::to_string(p.id) + " of block " +
                                       std::to_string(block.id) + " is \"" + ParamTypeName(def->type) +
                                       "\", not \"" + ParamTypeName(p.type) + "\"");

    const std::string valuePath = Member(path, "value");
    const Json& value = j["value"];
    if (is_tab(p.type)) {
        if (j.contains("controller"))
            Fail(path, "a table takes \"controllers\", one per entry, not \"controller\"");
        if (!value.is_array()) Fail(valuePath, "expected an array for " + ParameterOfType(p.type));
        for (size_t k = 0; k < value.size(); ++k)
            p.entries.push_back(ReadEntry(value[k], Item(valuePath, k), p.type, vertex, uses));
        if (const Json* ctrls = Find(j, "controllers")) {
            const std::string ctrlPath = Member(path, "controllers");
            ExpectArray(*ctrls, ctrlPath);
            if (ctrls->size() != value.size())
                Fail(ctrlPath, "expected " + std::to_string(value.size()) + " entries, one per value, not " +
                                   std::to_string(ctrls->size()));
            for (size_t k = 0; k < ctrls->size(); ++k)
                ReadController((*ctrls)[k], Item(ctrlPath, k), p.type, vertex, uses, p.entries[k]);
        }
    } else {
        if (j.contains("controllers"))
            Fail(path, "a single parameter takes \"controller\", not \"controllers\"");
        p.entries.push_back(ReadEntry(value, valuePath, p.type, vertex, uses));
        if (const Json* ctrl = Find(j, "controller"))
            ReadController(*ctrl, Member(path, "controller"), p.type, vertex, uses, p.entries[0]);
    }
    return p;
}

}  // namespace

std::string ParameterOfType(int type) {
    std::string name = ParamTypeName(type);
    bool vowel = std::string("aeiou").find(name[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + name + " parameter";
}

BlockModel ReadBlock(const Json& j, const std::string& path, const ObjectModel& object, int vertex,
                     std::vector<IdUse>& uses) {
    ExpectFields(j, path, {"ref", "id", "params"}, {"ref", "id"});
    const ClassFacts& facts = *object.facts;
    BlockModel b;
    b.ref = ReadInt(j["ref"], Member(path, "ref"));
    auto held = facts.blocks.find(b.ref);
    if (held == facts.blocks.end())
        Fail(Member(path, "ref"), "reference " + std::to_string(b.ref) + " of class \"" + object.className +
                                      "\" holds no parameter block");
    const ClassFacts::Block& block = held->second;
    int id = ReadInt(j["id"], Member(path, "id"));
    if (id != block.id)
        Fail(Member(path, "id"), "class \"" + object.className + "\" has no block " + std::to_string(id) +
                                     " in reference " + std::to_string(b.ref) + " (it holds block " +
                                     std::to_string(block.id) + ")");
    const Json* params = Find(j, "params");
    if (!params) return b;
    const std::string paramsPath = Member(path, "params");
    ExpectArray(*params, paramsPath);
    std::map<ParamID, std::string> seen;
    for (size_t k = 0; k < params->size(); ++k) {
        std::string ppath = Item(paramsPath, k);
        ParamModel p = ReadParam((*params)[k], ppath, block, vertex, uses);
        auto [at, fresh] = seen.emplace(p.id, ppath);
        if (!fresh)
            Fail(Member(ppath, "id"),
                 "parameter " + std::to_string(p.id) + " is given twice (also " + at->second + ")");
        b.params.push_back(std::move(p));
    }
    return b;
}
