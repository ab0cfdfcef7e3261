#include "SceneReader.h"

#include <algorithm>
#include <limits>
#include <map>

#include "ParamReader.h"
#include "SceneFormat.h"

namespace {

class Reader {
public:
    explicit Reader(SceneModel& model) : model_(model) {}

    void ReadTop(const Json& doc) {
        ExpectFields(doc, "", {"format", "version", "time", "nodes", "editorSlots", "effects", "objects"},
                     {"format", "version"});
        const Json& format = doc["format"];
        if (!format.is_string() || format.get<std::string>() != SCENE_FORMAT_NAME)
            Fail("format", "expected \"" SCENE_FORMAT_NAME "\"");
        long long version = ReadInteger(doc["version"], "version", 0, std::numeric_limits<int>::max());
        if (version != SCENE_FORMAT_VERSION)
            Fail("version", "version " + std::to_string(version) +
                                " is not supported (this host reads version " +
                                std::to_string(SCENE_FORMAT_VERSION) + ")");
        if (const Json* time = Find(doc, "time")) model_.time = ReadInt(*time, "time");
        // Nodes first: objects are vertices numbered after them.
        if (const Json* nodes = Find(doc, "nodes")) ReadNodes(*nodes, "nodes", -1);
        if (const Json* slots = Find(doc, "editorSlots")) ReadSlots(*slots);
        if (const Json* effects = Find(doc, "effects")) ReadEffects(*effects);
        if (const Json* objects = Find(doc, "objects")) {
            ExpectArray(*objects, "objects");
            for (size_t k = 0; k < objects->size(); ++k) ReadObject((*objects)[k], Item("objects", k));
        }
    }

private:
    void ReadNodes(const Json& list, const std::string& path, int parent) {
        ExpectArray(list, path);
        for (size_t k = 0; k < list.size(); ++k) {
            const Json& j = list[k];
            std::string npath = Item(path, k);
            ExpectFields(j, npath, {"id", "name", "material", "children"}, {"id", "name"});
            NodeModel n;
            n.path = npath;
            n.id = ReadId(j["id"], Member(npath, "id"));
            n.name = ReadString(j["name"], Member(npath, "name"));
            n.parent = parent;
            int vertex = static_cast<int>(model_.nodes.size());
            if (const Json* m = Find(j, "material")) {
                n.material = ReadIdOrNull(*m, Member(npath, "material"));
                if (n.material)
                    Use(*n.material, TargetKind::Material, IdUse::Reference, vertex,
                        Member(npath, "material"));
            }
            model_.nodes.push_back(std::move(n));
            if (const Json* children = Find(j, "children"))
                ReadNodes(*children, Member(npath, "children"), vertex);
        }
    }

    void ReadSlots(const Json& slots) {
        ExpectArray(slots, "editorSlots");
        if (slots.size() > HostCore::kNumMtlSlots)
            Fail("editorSlots", "the material editor has " + std::to_string(HostCore::kNumMtlSlots) +
                                    " slots, not " + std::to_string(slots.size()));
        for (size_t k = 0; k < slots.size(); ++k) {
            std::string path = Item("editorSlots", k);
            model_.slots[k] = ReadIdOrNull(slots[k], path);
            if (model_.slots[k]) Use(*model_.slots[k], TargetKind::MaterialOrMap, IdUse::Root, -1, path);
        }
    }

    void ReadEffects(const Json& effects) {
        ExpectArray(effects, "effects");
        std::map<FileId, std::pair<bool, std::string>> active;
        for (size_t k = 0; k < effects.size(); ++k) {
            std::string path = Item("effects", k);
            ExpectFields(effects[k], path, {"object", "active"}, {"object", "active"});
            EffectModel e;
            e.object = ReadId(effects[k]["object"], Member(path, "object"));
            e.active = ReadBool(effects[k]["active"], Member(path, "active"));
            // The active state belongs to the effect, not to its place in the list.
            auto [at, fresh] = active.emplace(e.object, std::make_pair(e.active, path));
            if (!fresh && at->second.first != e.active)
                Fail(Member(path, "active"), "the same effect is listed as " +
                                                 std::string(at->second.first ? "active" : "inactive") +
                                                 " in " + at->second.second);
            Use(e.object, TargetKind::Effect, IdUse::Root, -1, Member(path, "object"));
            model_.effects.push_back(e);
        }
    }

    void ReadObject(const Json& j, const std::string& path) {
        if (!j.is_object()) Fail(path, "expected an object");
        if (!j.contains("id")) Fail(path, "missing field \"id\"");
        if (!j.contains("class")) Fail(path, "missing field \"class\"");
        ObjectModel o;
        o.path = path;
        o.id = ReadId(j["id"], Member(path, "id"));
        if (!j["class"].is_string()) Fail(Member(path, "class"), "expected a class name");
        o.className = j["class"].get<std::string>();
        int vertex = static_cast<int>(model_.nodes.size() + model_.objects.size());
        if (o.className == SCENE_FLOAT_CONTROLLER_CLASS || o.className == SCENE_POINT3_CONTROLLER_CLASS)
            ReadController(j, o);
        else
            ReadClassObject(j, o, vertex);
        model_.objects.push_back(std::move(o));
    }

    void ReadController(const Json& j, ObjectModel& o) {
        ExpectFields(j, o.path, {"id", "class", "value", "keys"});
        bool isFloat = o.className == SCENE_FLOAT_CONTROLLER_CLASS;
        o.kind = isFloat ? ObjectKind::FloatController : ObjectKind::Point3Controller;
        if (const Json* v = Find(j, "value")) {
            if (isFloat)
                o.constantF = ReadFloat(*v, Member(o.path, "value"));
            else
                o.constantP = ReadPoint3(*v, Member(o.path, "value"));
        }
        const Json* keys = Find(j, "keys");
        if (!keys) return;
        std::string keysPath = Member(o.path, "keys");
        ExpectArray(*keys, keysPath);
        for (size_t k = 0; k < keys->size(); ++k) {
            const Json& key = (*keys)[k];
            std::string path = Item(keysPath, k);
            if (!key.is_array() || key.size() < 2 || key.size() > 3)
                Fail(path, isFloat ? "expected [time, value] or [time, value, flags]"
                                   : "expected [time, [x, y, z]] or [time, [x, y, z], flags]");
            KeyModel m;
            m.time = ReadInt(key[0], Item(path, 0), " for the key's time");
            if (isFloat)
                m.f = ReadFloat(key[1], Item(path, 1));
            else
                m.p = ReadPoint3(key[1], Item(path, 1));
            if (key.size() == 3)
                m.flags = static_cast<DWORD>(
                    ReadInteger(key[2], Item(path, 2), 0, 0xFFFFFFFFLL, " for the key's flags"));
            if (!o.keys.empty() && m.time < o.keys.back().time)
                Fail(path, "keys must be in time order (" + std::to_string(m.time) + " comes after " +
                               std::to_string(o.keys.back().time) + ")");
            o.keys.push_back(m);
        }
    }

    const ClassFacts& Facts(const std::string& className, const std::string& path) {
        std::wstring name = WStr::FromUTF8(className).wstring();
        auto known = model_.classes.find(name);
        if (known != model_.classes.end()) return *known->second;
        ClassDesc* desc = HostCore::Get().FindClassByName(name.c_str());
        if (!desc) Fail(path, "unknown class \"" + className + "\"");
        auto facts = std::make_unique<ClassFacts>();
        std::string why;
        if (!LearnClassFacts(desc, *facts, why)) Fail(path, "class \"" + className + "\" " + why);
        return *(model_.classes[name] = std::move(facts));
    }

    void ReadClassObject(const Json& j, ObjectModel& o, int vertex) {
        o.facts = &Facts(o.className, Member(o.path, "class"));
        const ClassFacts& f = *o.facts;
        // Every field any object can have, and whether this class has it.
        const std::pair<const char*, bool> fields[] = {
            {"id", true},
            {"class", true},
            {"name", f.HasName()},
            {"mtlFlags", f.isMtlBase},
            {"activeTexmap", f.isMtl},
            {"blocks", true},
            {"refs", true},
            {"refList", f.HasRefList()},
            {"stdMat", f.isStdMat2},
            {"shader", f.isShader},
        };
        for (const auto& item : j.items()) {
            auto field = std::find_if(std::begin(fields), std::end(fields),
                                      [&](const auto& fd) { return item.key() == fd.first; });
            if (field == std::end(fields)) Fail(o.path, "unknown field \"" + item.key() + "\"");
            if (!field->second)
                Fail(Member(o.path, field->first),
                     "objects of class \"" + o.className + "\" have no " + field->first);
        }
        if (const Json* name = Find(j, "name")) o.name = ReadString(*name, Member(o.path, "name"));
        if (const Json* flags = Find(j, "mtlFlags")) o.mtlFlags = ReadInt(*flags, Member(o.path, "mtlFlags"));
        if (const Json* active = Find(j, "activeTexmap")) {
            std::string path = Member(o.path, "activeTexmap");
            o.activeTexmap = ReadIdOrNull(*active, path);
            if (o.activeTexmap) Use(*o.activeTexmap, TargetKind::MaterialOrMap, IdUse::Pointer, vertex, path);
        }
        if (const Json* list = Find(j, "refList")) {
            std::string path = Member(o.path, "refList");
            ExpectArray(*list, path);
            for (size_t k = 0; k < list->size(); ++k) {
                o.refList.push_back(ReadIdOrNull((*list)[k], Item(path, k)));
                if (o.refList.back())
                    Use(*o.refList.back(), TargetKind::Any, IdUse::Reference, vertex, Item(path, k));
            }
        }
        ReadReferences(j, o, vertex);
        if (const Json* stdMat = Find(j, "stdMat"))
            o.stdMat = ReadStdMat(*stdMat, Member(o.path, "stdMat"), f);
        if (const Json* shader = Find(j, "shader")) o.shader = ReadShader(*shader, Member(o.path, "shader"));
    }

    // "blocks" and "refs" together: each reference index at most once, all below the object's count of
    // references once its list has the file's length.
    void ReadReferences(const Json& j, ObjectModel& o, int vertex) {
        const ClassFacts& f = *o.facts;
        std::map<int, std::string> given;
        auto claim = [&](int index, const std::string& path) {
            auto [at, fresh] = given.emplace(index, path);
            if (!fresh)
                Fail(path,
                     "reference " + std::to_string(index) + " is given twice (also " + at->second + ")");
        };
        if (const Json* blocks = Find(j, "blocks")) {
            std::string path = Member(o.path, "blocks");
            ExpectArray(*blocks, path);
            for (size_t k = 0; k < blocks->size(); ++k) {
                o.blocks.push_back(ReadBlock((*blocks)[k], Item(path, k), o, vertex, model_.uses));
                claim(o.blocks.back().ref, Member(Item(path, k), "ref"));
            }
        }
        const Json* refs = Find(j, "refs");
        if (!refs) return;
        std::string refsPath = Member(o.path, "refs");
        ExpectArray(*refs, refsPath);
        int total = f.HasRefList() ? f.refListStart + static_cast<int>(o.refList.size()) : f.numRefs;
        for (size_t k = 0; k < refs->size(); ++k) {
            std::string path = Item(refsPath, k);
            ExpectFields((*refs)[k], path, {"index", "object"}, {"index", "object"});
            RefModel r;
            std::string indexPath = Member(path, "index");
            r.index = ReadInt((*refs)[k]["index"], indexPath);
            if (f.HasRefList() && r.index >= f.refListStart && r.index < total)
                Fail(indexPath, "reference " + std::to_string(r.index) +
                                    " belongs to the reference list (from " + std::to_string(f.refListStart) +
                                    " on); give it in \"refList\"");
            if (r.index < 0 || r.index >= total)
                Fail(indexPath, "reference " + std::to_string(r.index) + " is out of range (class \"" +
                                    o.className + "\" has " + std::to_string(total) + " here)");
            claim(r.index, indexPath);
            r.target = ReadIdOrNull((*refs)[k]["object"], Member(path, "object"));
            if (r.target) Use(*r.target, TargetKind::Any, IdUse::Reference, vertex, Member(path, "object"));
            o.refs.push_back(r);
        }
    }

    static StdMatModel ReadStdMat(const Json& j, const std::string& path, const ClassFacts& f) {
        ExpectFields(j, path,
                     {"soften", "faceMap", "twoSided", "wire", "wireUnits", "falloffOut", "transparencyType",
                      "opacity", "opacFalloff", "wireSize", "ior", "faceted", "selfIllum", "selfIllumColorOn",
                      "selfIllumColor", "lockAmbDiffTex", "maps"});
        StdMatModel m;
        const std::pair<const char*, std::optional<bool>*> flags[] = {
            {"soften", &m.soften},
            {"faceMap", &m.faceMap},
            {"twoSided", &m.twoSided},
            {"wire", &m.wire},
            {"wireUnits", &m.wireUnits},
            {"falloffOut", &m.falloffOut},
            {"faceted", &m.faceted},
            {"selfIllumColorOn", &m.selfIllumColorOn},
            {"lockAmbDiffTex", &m.lockAmbDiffTex},
        };
        for (const auto& [key, out] : flags)
            if (const Json* v = Find(j, key)) *out = ReadBool(*v, Member(path, key));
        const std::pair<const char*, std::optional<float>*> amounts[] = {
            {"opacity", &m.opacity}, {"opacFalloff", &m.opacFalloff}, {"wireSize", &m.wireSize},
            {"ior", &m.ior},         {"selfIllum", &m.selfIllum},
        };
        for (const auto& [key, out] : amounts)
            if (const Json* v = Find(j, key)) *out = ReadFloat(*v, Member(path, key));
        if (const Json* v = Find(j, "transparencyType"))
            m.transparencyType = ReadInt(*v, Member(path, "transparencyType"));
        if (const Json* v = Find(j, "selfIllumColor"))
            m.selfIllumColor = ReadColor(*v, Member(path, "selfIllumColor"));
        if (const Json* maps = Find(j, "maps")) {
            std::string mapsPath = Member(path, "maps");
            ExpectArray(*maps, mapsPath);
            if (maps->size() != static_cast<size_t>(f.numSubTexmaps))
                Fail(mapsPath, "expected one entry per map channel, " + std::to_string(f.numSubTexmaps) +
                                   ", not " + std::to_string(maps->size()));
            m.maps.emplace();
            for (size_t k = 0; k < maps->size(); ++k) {
                std::string mpath = Item(mapsPath, k);
                ExpectFields((*maps)[k], mpath, {"enabled", "amount"}, {"enabled", "amount"});
                StdMatModel::Map map;
                map.enabled = ReadBool((*maps)[k]["enabled"], Member(mpath, "enabled"));
                map.amount = ReadFloat((*maps)[k]["amount"], Member(mpath, "amount"));
                m.maps->push_back(map);
            }
        }
        return m;
    }

    static ShaderModel ReadShader(const Json& j, const std::string& path) {
        ExpectFields(j, path,
                     {"ambient", "diffuse", "specular", "lockAD", "lockDS", "specularLevel", "glossiness",
                      "softenLevel"});
        ShaderModel m;
        const std::pair<const char*, std::optional<Color>*> colors[] = {
            {"ambient", &m.ambient}, {"diffuse", &m.diffuse}, {"specular", &m.specular}};
        for (const auto& [key, out] : colors)
            if (const Json* v = Find(j, key)) *out = ReadColor(*v, Member(path, key));
        const std::pair<const char*, std::optional<bool>*> locks[] = {{"lockAD", &m.lockAD},
                                                                      {"lockDS", &m.lockDS}};
        for (const auto& [key, out] : locks)
            if (const Json* v = Find(j, key)) *out = ReadBool(*v, Member(path, key));
        const std::pair<const char*, std::optional<float>*> levels[] = {{"specularLevel", &m.specularLevel},
                                                                        {"glossiness", &m.glossiness},
                                                                        {"softenLevel", &m.softenLevel}};
        for (const auto& [key, out] : levels)
            if (const Json* v = Find(j, key)) *out = ReadFloat(*v, Member(path, key));
        return m;
    }

    void Use(FileId id, TargetKind kind, IdUse::Role role, int from, const std::string& path) {
        model_.uses.push_back({id, kind, role, from, path});
    }

    SceneModel& model_;
};

}  // namespace

SceneModel ReadScene(const Json& doc) {
    SceneModel model;
    Reader(model).ReadTop(doc);
    return model;
}
