#include "SceneReader.h"

#include <algorithm>
#include <limits>
#include <map>

#include "JsonParse.h"
#include "ParamReader.h"
#include "SceneFormat.h"

namespace {

// Objects are vertices numbered after the nodes; while reading, before the number of nodes is known,
// an object's vertex is this plus its index.
const int kObjectVertex = 1 << 30;

const JsonPath kTop;

class Reader : public JsonTopReceiver {
public:
    explicit Reader(SceneModel& model) : model_(model) {}

    // The lists of nodes, effects and objects come item by item.
    bool ByItem(std::string_view key) const override {
        return key == "nodes" || key == "effects" || key == "objects";
    }

    void Key(std::string_view key) override {
        static const char* const kKeys[] = {"format",      "version", "time",   "nodes",
                                            "editorSlots", "effects", "objects"};
        bool known = false;
        for (const char* k : kKeys) known = known || key == k;
        if (!known) Fail(kTop, "unknown field \"" + std::string(key) + "\"");
    }

    void Value(std::string_view key, JsonRef value) override {
        if (key == "format") {
            if (!value.IsString() || value.Str() != SCENE_FORMAT_NAME)
                Fail(kTop.Member("format"), "expected \"" SCENE_FORMAT_NAME "\"");
            hasFormat_ = true;
        } else if (key == "version") {
            long long version =
                ReadInteger(value, kTop.Member("version"), 0, std::numeric_limits<int>::max());
            if (version < SCENE_FORMAT_OLDEST_VERSION || version > SCENE_FORMAT_VERSION)
                Fail(kTop.Member("version"), "version " + std::to_string(version) +
                                                 " is not supported (this host reads versions " +
                                                 std::to_string(SCENE_FORMAT_OLDEST_VERSION) + " to " +
                                                 std::to_string(SCENE_FORMAT_VERSION) + ")");
            model_.version = static_cast<int>(version);
            hasVersion_ = true;
        } else if (key == "time") {
            model_.time = ReadInt(value, kTop.Member("time"));
        } else if (key == "editorSlots") {
            ReadSlots(value);
        } else {  // a list that is not an array
            ExpectArray(value, kTop.Member(key == "nodes"     ? "nodes"
                                           : key == "effects" ? "effects"
                                                              : "objects"));
        }
    }

    void Item(std::string_view key, size_t index, JsonRef value) override {
        if (key == "nodes") {
            const JsonPath nodes = kTop.Member("nodes");
            ReadNode(value, nodes.Item(index), -1);
        } else if (key == "effects") {
            ReadEffect(value, index);
        } else {
            // A path to keep: the text is made once per object.
            std::string path = "objects[" + std::to_string(index) + "]";
            ReadObject(value, path);
        }
    }

    void End() override {
        if (!hasFormat_) Fail(kTop, "missing field \"format\"");
        if (!hasVersion_) Fail(kTop, "missing field \"version\"");
        // Objects are vertices after the nodes.
        const int nodes = static_cast<int>(model_.nodes.size());
        for (IdUse& use : model_.uses)
            if (use.from >= kObjectVertex) use.from = use.from - kObjectVertex + nodes;
    }

private:
    // Far deeper than any scene's hierarchy; deeper trees are refused before they cost stack and memory.
    static constexpr int kMaxNodeDepth = 1000;

    void ReadNode(JsonRef j, const JsonPath& npath, int parent, int depth = 1) {
        if (depth > kMaxNodeDepth)
            Fail(npath, "the node tree is more than " + std::to_string(kMaxNodeDepth) + " levels deep");
        static const char* const kFields[] = {"id", "name", "material", "children"};
        const auto [id, name, m, children] = Fields(j, npath, kFields, 2);
        const int vertex = static_cast<int>(model_.nodes.size());
        NodeModel& n = model_.nodes.emplace_back();
        n.path = npath.Text();
        // Uses of the node are placed from the node's own path.
        const JsonPath here(n.path);
        n.id = ReadId(id, npath.Member("id"));
        n.name = ReadString(name, npath.Member("name"));
        n.parent = parent;
        if (m) {
            n.material = ReadIdOrNull(m, npath.Member("material"));
            if (n.material)
                Use(*n.material, TargetKind::Material, IdUse::Reference, vertex, here.Member("material"));
        }
        if (children) {
            const JsonPath cpath = npath.Member("children");
            ExpectArray(children, cpath);
            size_t k = 0;
            for (JsonRef child : children) ReadNode(child, cpath.Item(k++), vertex, depth + 1);
        }
    }

    void ReadSlots(JsonRef slots) {
        const JsonPath path = kTop.Member("editorSlots");
        ExpectArray(slots, path);
        if (slots.Size() > HostCore::kNumMtlSlots)
            Fail(path, "the material editor has " + std::to_string(HostCore::kNumMtlSlots) + " slots, not " +
                           std::to_string(slots.Size()));
        size_t k = 0;
        for (JsonRef slot : slots) {
            model_.slots[k] = ReadIdOrNull(slot, path.Item(k));
            if (model_.slots[k])
                Use(*model_.slots[k], TargetKind::MaterialOrMap, IdUse::Root, -1, path.Item(k));
            ++k;
        }
    }

    void ReadEffect(JsonRef j, size_t index) {
        const JsonPath effects = kTop.Member("effects");
        const JsonPath path = effects.Item(index);
        static const char* const kFields[] = {"object", "active"};
        const auto [object, active] = Fields(j, path, kFields, 2);
        EffectModel e;
        e.object = ReadId(object, path.Member("object"));
        e.active = ReadBool(active, path.Member("active"));
        // The active state belongs to the effect, not to its place in the list.
        auto [at, fresh] = effectStates_.emplace(e.object, std::make_pair(e.active, index));
        if (!fresh && at->second.first != e.active)
            Fail(path.Member("active"), "the same effect is listed as " +
                                            std::string(at->second.first ? "active" : "inactive") +
                                            " in effects[" + std::to_string(at->second.second) + "]");
        Use(e.object, TargetKind::Effect, IdUse::Root, -1, path.Member("object"));
        model_.effects.push_back(e);
    }

    void ReadObject(JsonRef j, const std::string& text) {
        const JsonPath path(text);
        if (!j.IsObject()) Fail(path, "expected an object");
        if (!j.Has("id")) Fail(path, "missing field \"id\"");
        if (!j.Has("class")) Fail(path, "missing field \"class\"");
        const int vertex = kObjectVertex + static_cast<int>(model_.objects.size());
        ObjectModel& o = model_.objects.emplace_back();
        o.path = text;
        o.id = ReadId(j["id"], path.Member("id"));
        if (!j["class"].IsString()) Fail(path.Member("class"), "expected a class name");
        o.className = std::string(j["class"].Str());
        if (o.className == SCENE_FLOAT_CONTROLLER_CLASS || o.className == SCENE_POINT3_CONTROLLER_CLASS)
            ReadController(j, o, path);
        else
            ReadClassObject(j, o, path, vertex);
    }

    void ReadController(JsonRef j, ObjectModel& o, const JsonPath& path) {
        static const char* const kFields[] = {"id", "class", "value", "keys"};
        const auto [id, cls, v, keys] = Fields(j, path, kFields);
        bool isFloat = o.className == SCENE_FLOAT_CONTROLLER_CLASS;
        o.kind = isFloat ? ObjectKind::FloatController : ObjectKind::Point3Controller;
        if (v) {
            if (isFloat)
                o.constantF = ReadFloat(v, path.Member("value"));
            else
                o.constantP = ReadPoint3(v, path.Member("value"));
        }
        if (!keys) return;
        const JsonPath keysPath = path.Member("keys");
        ExpectArray(keys, keysPath);
        o.keys.reserve(keys.Size());
        size_t k = 0;
        for (JsonRef key : keys) {
            const JsonPath kpath = keysPath.Item(k++);
            if (!key.IsArray() || key.Size() < 2 || key.Size() > 3)
                Fail(kpath, isFloat ? "expected [time, value] or [time, value, flags]"
                                    : "expected [time, [x, y, z]] or [time, [x, y, z], flags]");
            KeyModel m;
            m.time = ReadInt(key.Item(0), kpath.Item(0), What{" for the key's time"});
            if (isFloat)
                m.f = ReadFloat(key.Item(1), kpath.Item(1));
            else
                m.p = ReadPoint3(key.Item(1), kpath.Item(1));
            if (key.Size() == 3)
                m.flags = static_cast<DWORD>(
                    ReadInteger(key.Item(2), kpath.Item(2), 0, 0xFFFFFFFFLL, What{" for the key's flags"}));
            if (!o.keys.empty() && m.time < o.keys.back().time)
                Fail(kpath, "keys must be in time order (" + std::to_string(m.time) + " comes after " +
                                std::to_string(o.keys.back().time) + ")");
            o.keys.push_back(m);
        }
    }

    const ClassFacts& Facts(const std::string& className, const JsonPath& path) {
        // Most objects are of a class met just before.
        if (lastFacts_ && lastClass_ == className) return *lastFacts_;
        std::wstring name = WStr::FromUTF8(className).wstring();
        auto known = model_.classes.find(name);
        if (known == model_.classes.end()) {
            ClassDesc* desc = HostCore::Get().FindClassByName(name.c_str());
            if (!desc) Fail(path, "unknown class \"" + className + "\"");
            auto facts = std::make_unique<ClassFacts>();
            std::string why;
            if (!LearnClassFacts(desc, *facts, why)) Fail(path, "class \"" + className + "\" " + why);
            known = model_.classes.emplace(name, std::move(facts)).first;
        }
        lastClass_ = className;
        lastFacts_ = known->second.get();
        return *lastFacts_;
    }

    void ReadClassObject(JsonRef j, ObjectModel& o, const JsonPath& path, int vertex) {
        o.facts = &Facts(o.className, path.Member("class"));
        const ClassFacts& f = *o.facts;
        // Every field any object can have, and whether this class has it.
        enum { kName = 2, kMtlFlags, kActiveTexmap, kBlocks, kRefs, kRefList, kStdMat, kShader };
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
        JsonRef given[std::size(fields)];
        for (auto it = j.begin(), end = j.end(); it != end; ++it) {
            auto field = std::find_if(std::begin(fields), std::end(fields),
                                      [&](const auto& fd) { return IsKey(it.Key(), fd.first); });
            if (field == std::end(fields)) Fail(path, "unknown field \"" + std::string(it.Key()) + "\"");
            if (!field->second)
                Fail(path.Member(field->first),
                     "objects of class \"" + o.className + "\" have no " + field->first);
            given[field - std::begin(fields)] = *it;
        }
        if (const JsonRef name = given[kName]) o.name = ReadString(name, path.Member("name"));
        if (const JsonRef flags = given[kMtlFlags]) o.mtlFlags = ReadInt(flags, path.Member("mtlFlags"));
        if (const JsonRef active = given[kActiveTexmap]) {
            o.activeTexmap = ReadIdOrNull(active, path.Member("activeTexmap"));
            if (o.activeTexmap)
                Use(*o.activeTexmap, TargetKind::MaterialOrMap, IdUse::Pointer, vertex,
                    path.Member("activeTexmap"));
        }
        if (const JsonRef list = given[kRefList]) {
            const JsonPath lpath = path.Member("refList");
            ExpectArray(list, lpath);
            o.hasRefList = true;
            o.refList.reserve(list.Size());
            size_t k = 0;
            for (JsonRef item : list) {
                o.refList.push_back(ReadIdOrNull(item, lpath.Item(k)));
                if (o.refList.back())
                    Use(*o.refList.back(), TargetKind::Any, IdUse::Reference, vertex, lpath.Item(k));
                ++k;
            }
        }
        ReadReferences(given[kBlocks], given[kRefs], o, path, vertex);
        if (const JsonRef stdMat = given[kStdMat]) o.stdMat = ReadStdMat(stdMat, path.Member("stdMat"), f);
        if (const JsonRef shader = given[kShader]) o.shader = ReadShader(shader, path.Member("shader"));
    }

    // "blocks" and "refs" together: each reference index at most once, all below the object's count of
    // references once its list has the file's length.
    void ReadReferences(JsonRef blocks, JsonRef refs, ObjectModel& o, const JsonPath& path, int vertex) {
        const ClassFacts& f = *o.facts;
        // What gave each reference index so far: blocks[k] as k + 1, refs[k] as -(k + 1), none as 0.
        std::vector<long long>& given = given_;
        given.assign(static_cast<size_t>(std::max(f.FixedRefs(), 0)), 0);
        auto claim = [&](int index, long long by, const JsonPath& at) {
            if (static_cast<size_t>(index) >= given.size()) given.resize(static_cast<size_t>(index) + 1, 0);
            const long long before = given[static_cast<size_t>(index)];
            if (before) {
                const bool block = before > 0;
                const JsonPath list = path.Member(block ? "blocks" : "refs");
                const JsonPath item = list.Item(static_cast<size_t>(block ? before - 1 : -before - 1));
                Fail(at, "reference " + std::to_string(index) + " is given twice (also " +
                             item.Member(block ? "ref" : "index").Text() + ")");
            }
            given[static_cast<size_t>(index)] = by;
        };
        if (blocks) {
            const JsonPath bpath = path.Member("blocks");
            ExpectArray(blocks, bpath);
            o.blocks.reserve(blocks.Size());
            size_t k = 0;
            for (JsonRef block : blocks) {
                const JsonPath at = bpath.Item(k++);
                o.blocks.push_back(ReadBlock(block, at, o, vertex, model_.uses));
                claim(o.blocks.back().ref, static_cast<long long>(k), at.Member("ref"));
            }
        }
        if (!refs) return;
        const JsonPath refsPath = path.Member("refs");
        ExpectArray(refs, refsPath);
        // A list the file leaves out keeps the class's own entries (version 2) or is empty (version 1):
        // either way no index from the list's start on is a reference to give here.
        const int listCount = o.hasRefList ? static_cast<int>(o.refList.size()) : f.defaultListCount;
        int total = f.HasRefList() ? f.refListStart + listCount : f.numRefs;
        o.refs.reserve(refs.Size());
        size_t k = 0;
        for (JsonRef ref : refs) {
            const JsonPath rpath = refsPath.Item(k++);
            static const char* const kFields[] = {"index", "object"};
            const auto [index, object] = Fields(ref, rpath, kFields, 2);
            RefModel r;
            const JsonPath indexPath = rpath.Member("index");
            r.index = ReadInt(index, indexPath);
            if (f.HasRefList() && r.index >= f.refListStart && r.index < total)
                Fail(indexPath, "reference " + std::to_string(r.index) +
                                    " belongs to the reference list (from " + std::to_string(f.refListStart) +
                                    " on); give it in \"refList\"");
            if (r.index < 0 || r.index >= total)
                Fail(indexPath, "reference " + std::to_string(r.index) + " is out of range (class \"" +
                                    o.className + "\" has " + std::to_string(total) + " here)");
            claim(r.index, -static_cast<long long>(k), indexPath);
            r.target = ReadIdOrNull(object, rpath.Member("object"));
            if (r.target && r.index < f.FixedRefs() && f.blocks.count(r.index))
                Fail(rpath.Member("object"), "reference " + std::to_string(r.index) + " of class \"" +
                                                 o.className + "\" holds block " +
                                                 std::to_string(f.blocks.at(r.index).id) +
                                                 ": give it in \"blocks\", or null to clear it");
            if (r.target) Use(*r.target, TargetKind::Any, IdUse::Reference, vertex, rpath.Member("object"));
            o.refs.push_back(r);
        }
    }

    static StdMatModel ReadStdMat(JsonRef j, const JsonPath& path, const ClassFacts& f) {
        static const char* const kFields[] = {"soften",
                                              "faceMap",
                                              "twoSided",
                                              "wire",
                                              "wireUnits",
                                              "falloffOut",
                                              "transparencyType",
                                              "opacity",
                                              "opacFalloff",
                                              "wireSize",
                                              "ior",
                                              "faceted",
                                              "selfIllum",
                                              "selfIllumColorOn",
                                              "selfIllumColor",
                                              "lockAmbDiffTex",
                                              "maps"};
        enum {
            kSoften,
            kFaceMap,
            kTwoSided,
            kWire,
            kWireUnits,
            kFalloffOut,
            kTransparencyType,
            kOpacity,
            kOpacFalloff,
            kWireSize,
            kIor,
            kFaceted,
            kSelfIllum,
            kSelfIllumColorOn,
            kSelfIllumColor,
            kLockAmbDiffTex,
            kMaps
        };
        const auto given = Fields(j, path, kFields);
        StdMatModel m;
        const std::pair<int, std::optional<bool>*> flags[] = {
            {kSoften, &m.soften},
            {kFaceMap, &m.faceMap},
            {kTwoSided, &m.twoSided},
            {kWire, &m.wire},
            {kWireUnits, &m.wireUnits},
            {kFalloffOut, &m.falloffOut},
            {kFaceted, &m.faceted},
            {kSelfIllumColorOn, &m.selfIllumColorOn},
            {kLockAmbDiffTex, &m.lockAmbDiffTex},
        };
        for (const auto& [at, out] : flags)
            if (const JsonRef v = given[at]) *out = ReadBool(v, path.Member(kFields[at]));
        const std::pair<int, std::optional<float>*> amounts[] = {
            {kOpacity, &m.opacity}, {kOpacFalloff, &m.opacFalloff}, {kWireSize, &m.wireSize},
            {kIor, &m.ior},         {kSelfIllum, &m.selfIllum},
        };
        for (const auto& [at, out] : amounts)
            if (const JsonRef v = given[at]) *out = ReadFloat(v, path.Member(kFields[at]));
        if (const JsonRef v = given[kTransparencyType])
            m.transparencyType = ReadInt(v, path.Member("transparencyType"));
        if (const JsonRef v = given[kSelfIllumColor])
            m.selfIllumColor = ReadColor(v, path.Member("selfIllumColor"));
        if (const JsonRef maps = given[kMaps]) {
            const JsonPath mapsPath = path.Member("maps");
            ExpectArray(maps, mapsPath);
            if (maps.Size() != static_cast<size_t>(f.numSubTexmaps))
                Fail(mapsPath, "expected one entry per map channel, " + std::to_string(f.numSubTexmaps) +
                                   ", not " + std::to_string(maps.Size()));
            m.maps.emplace();
            m.maps->reserve(maps.Size());
            size_t k = 0;
            for (JsonRef mj : maps) {
                const JsonPath mpath = mapsPath.Item(k++);
                static const char* const kMapFields[] = {"enabled", "amount"};
                const auto [enabled, amount] = Fields(mj, mpath, kMapFields, 2);
                StdMatModel::Map map;
                map.enabled = ReadBool(enabled, mpath.Member("enabled"));
                map.amount = ReadFloat(amount, mpath.Member("amount"));
                m.maps->push_back(map);
            }
        }
        return m;
    }

    static ShaderModel ReadShader(JsonRef j, const JsonPath& path) {
        static const char* const kFields[] = {"ambient", "diffuse",       "specular",   "lockAD",
                                              "lockDS",  "specularLevel", "glossiness", "softenLevel"};
        enum { kAmbient, kDiffuse, kSpecular, kLockAD, kLockDS, kSpecularLevel, kGlossiness, kSoftenLevel };
        const auto given = Fields(j, path, kFields);
        ShaderModel m;
        const std::pair<int, std::optional<Color>*> colors[] = {
            {kAmbient, &m.ambient}, {kDiffuse, &m.diffuse}, {kSpecular, &m.specular}};
        for (const auto& [at, out] : colors)
            if (const JsonRef v = given[at]) *out = ReadColor(v, path.Member(kFields[at]));
        const std::pair<int, std::optional<bool>*> locks[] = {{kLockAD, &m.lockAD}, {kLockDS, &m.lockDS}};
        for (const auto& [at, out] : locks)
            if (const JsonRef v = given[at]) *out = ReadBool(v, path.Member(kFields[at]));
        const std::pair<int, std::optional<float>*> levels[] = {
            {kSpecularLevel, &m.specularLevel}, {kGlossiness, &m.glossiness}, {kSoftenLevel, &m.softenLevel}};
        for (const auto& [at, out] : levels)
            if (const JsonRef v = given[at]) *out = ReadFloat(v, path.Member(kFields[at]));
        return m;
    }

    void Use(FileId id, TargetKind kind, IdUse::Role role, int from, const JsonPath& path) {
        model_.uses.push_back({id, kind, role, from, path.Place()});
    }

    SceneModel& model_;
    std::map<FileId, std::pair<bool, size_t>> effectStates_;
    std::vector<long long> given_;  // reused from object to object
    std::string lastClass_;
    const ClassFacts* lastFacts_ = nullptr;
    bool hasFormat_ = false;
    bool hasVersion_ = false;
};

}  // namespace

SceneModel ReadScene(const char* text, size_t size, const std::function<void(int)>& progress) {
    SceneModel model;
    Reader reader(model);
    ParseJsonTop(text, size, reader, progress);
    return model;
}

SceneModel ReadScene(std::FILE* file, size_t size, const std::function<void(int)>& progress) {
    SceneModel model;
    Reader reader(model);
    ParseJsonTop(file, size, reader, progress);
    return model;
}
