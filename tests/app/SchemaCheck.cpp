#include "SchemaCheck.h"

#include <regex>

using nlohmann::json;

namespace {

bool HasType(const json& value, const std::string& type) {
    if (type == "object") return value.is_object();
    if (type == "array") return value.is_array();
    if (type == "string") return value.is_string();
    if (type == "number") return value.is_number();
    if (type == "integer") return value.is_number_integer();
    if (type == "boolean") return value.is_boolean();
    if (type == "null") return value.is_null();
    return false;
}

}  // namespace

std::string SchemaCheck::Check(const json& doc) const {
    std::string why;
    return Valid(root_, doc, "", why) ? std::string() : why;
}

bool SchemaCheck::Valid(const json& schema, const json& value, const std::string& path,
                        std::string& why) const {
    auto fail = [&](const std::string& what) {
        why = (path.empty() ? "(top)" : path) + ": " + what;
        return false;
    };
    if (schema.is_boolean()) return schema.get<bool>() || fail("nothing is allowed here");
    if (auto ref = schema.find("$ref"); ref != schema.end()) {
        const json& target = root_.at(json::json_pointer(ref->get<std::string>().substr(1)));
        if (!Valid(target, value, path, why)) return false;
    }
    if (auto type = schema.find("type"); type != schema.end() && !HasType(value, type->get<std::string>()))
        return fail("expected " + type->get<std::string>());
    if (auto c = schema.find("const"); c != schema.end() && value != *c) return fail("expected " + c->dump());
    if (auto e = schema.find("enum"); e != schema.end()) {
        bool listed = false;
        for (const json& v : *e) listed = listed || v == value;
        if (!listed) return fail("not one of " + e->dump());
    }
    if (value.is_object()) {
        if (auto req = schema.find("required"); req != schema.end())
            for (const json& key : *req)
                if (!value.contains(key.get<std::string>())) return fail("missing " + key.dump());
        auto props = schema.find("properties");
        for (const auto& item : value.items()) {
            std::string at = path + "." + item.key();
            if (props != schema.end() && props->contains(item.key())) {
                if (!Valid((*props)[item.key()], item.value(), at, why)) return false;
            } else if (auto extra = schema.find("additionalProperties");
                       extra != schema.end() && *extra == false) {
                return fail("unknown key \"" + item.key() + "\"");
            }
        }
    }
    if (value.is_array()) {
        if (auto n = schema.find("minItems"); n != schema.end() && value.size() < n->get<size_t>())
            return fail("too few items");
        if (auto n = schema.find("maxItems"); n != schema.end() && value.size() > n->get<size_t>())
            return fail("too many items");
        size_t first = 0;
        if (auto prefix = schema.find("prefixItems"); prefix != schema.end()) {
            for (; first < prefix->size() && first < value.size(); ++first)
                if (!Valid((*prefix)[first], value[first], path + "[" + std::to_string(first) + "]", why))
                    return false;
        }
        if (auto items = schema.find("items"); items != schema.end())
            for (size_t k = first; k < value.size(); ++k)
                if (!Valid(*items, value[k], path + "[" + std::to_string(k) + "]", why)) return false;
    }
    if (value.is_number()) {
        if (auto m = schema.find("minimum"); m != schema.end() && value.get<double>() < m->get<double>())
            return fail("below " + m->dump());
        if (auto m = schema.find("maximum"); m != schema.end() && value.get<double>() > m->get<double>())
            return fail("above " + m->dump());
    }
    if (value.is_string())
        if (auto p = schema.find("pattern"); p != schema.end())
            if (!std::regex_search(value.get<std::string>(), std::regex(p->get<std::string>())))
                return fail("does not match " + p->dump());
    if (auto all = schema.find("allOf"); all != schema.end())
        for (const json& s : *all)
            if (!Valid(s, value, path, why)) return false;
    if (auto any = schema.find("anyOf"); any != schema.end()) {
        bool one = false;
        std::string ignored;
        for (const json& s : *any) one = one || Valid(s, value, path, ignored);
        if (!one) return fail("matches none of the allowed forms");
    }
    if (auto no = schema.find("not"); no != schema.end()) {
        std::string ignored;
        if (Valid(*no, value, path, ignored)) return fail("matches a form that is not allowed");
    }
    if (auto cond = schema.find("if"); cond != schema.end()) {
        std::string ignored;
        const char* branch = Valid(*cond, value, path, ignored) ? "then" : "else";
        if (auto s = schema.find(branch); s != schema.end() && !Valid(*s, value, path, why)) return false;
    }
    return true;
}
