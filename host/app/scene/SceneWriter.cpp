#include "SceneWriter.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string_view>
#include <tuple>
#include <typeinfo>
#include <vector>

#include "ClassFacts.h"
#include "FlatIndex.h"
#include "InOrder.h"
#include "JsonOut.h"
#include "ParamTypes.h"
#include "SceneFormat.h"

namespace {

// Text is made in pieces side by side on the processors and handed over in order, at most kPiecesAhead of
// them held: the top-level nodes (with their trees) in runs of kNodesPerPiece, then the objects in runs of
// kObjectsPerPiece.
const size_t kNodesPerPiece = 1024;
const size_t kObjectsPerPiece = 1024;
const size_t kPiecesAhead = 4;

size_t HashAddress(const void* p) {
    uint64_t x = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    return static_cast<size_t>(x);
}

// The ids given to objects, by address.
using IdMap = FlatIndex<const void*, long long, HashAddress>;

// What the writer needs of each class it writes: its name in the file, which references a new object of
// the class fills, and which of the writer's casts succeed (a cast that fails walks the class's whole
// hierarchy). Found once per class, before any text is made, so that the threads making the text only read.
struct ClassRecord {
    std::string name;
    std::vector<bool> defaultHolds;
    bool mtlBase, mtl, stdMat, shader, fx, floatController, point3Controller, refList;
};

template <class T>
T* CastIf(bool succeeds, ReferenceTarget* t) {
    return succeeds ? dynamic_cast<T*>(t) : nullptr;
}

// A block held by an object's own reference, or null. Blocks and nodes are told by their superclass.
IParamBlock2* AsBlock(ReferenceTarget* r) {
    return r && r->SuperClassID() == PARAMETER_BLOCK2_CLASS_ID ? static_cast<IParamBlock2*>(r) : nullptr;
}

struct Entry {
    ReferenceTarget* object;
    const ClassRecord* record;
};

// Makes the text of nodes and objects; each thread has its own. It reads the host's objects and the
// writer's ids and records, and changes none of them.
class EntryWriter {
public:
    explicit EntryWriter(const IdMap& ids) : ids_(ids) {}

    TextBuffer& Out() { return out_; }
    JsonOut& Json() { return json_; }

    // The top-level nodes from `first` to `last` with their trees, each after its separator in the list
    // of nodes (the first after the list's opening).
    void Nodes(size_t first, size_t last) {
        INode* root = HostCore::Get().GetRootNode();
        for (size_t i = first; i < last; ++i) {
            out_ += i ? std::string_view(",\n    ", 6) : std::string_view("[\n    ", 6);
            json_.At(4);
            NodeJson(root->GetChildNode(static_cast<int>(i)));
        }
    }

    // The objects from `first` to `last`, each after its separator in the list of objects.
    void Objects(const std::vector<Entry>& objects, size_t first, size_t last) {
        for (size_t i = first; i < last; ++i) {
            out_ += i ? std::string_view(",\n    ", 6) : std::string_view("\n    ", 5);
            json_.At(4);
            ObjectJson(objects[i]);
        }
    }

    // The id of what a reference holds; -1 for nothing, for a block held outside an object's own
    // references, and for a node outside the scene's tree (written as null).
    long long RefId(ReferenceTarget* r) const { return r ? ids_.Find(r) : -1; }
    void RefValue(ReferenceTarget* r) {
        long long id = RefId(r);
        if (id < 0)
            json_.Null();
        else
            json_.Int(id);
    }

    void NodeJson(INode* n) {
        const int children = n->NumberOfChildren();
        json_.StartObject(children > 0);
        json_.Key("id");
        json_.Int(ids_.Find(n));
        StringMember("name", n->GetName());
        if (Mtl* m = n->GetMtl()) {
            json_.Key("material");
            RefValue(m);
        }
        if (children > 0) {
            json_.Key("children");
            json_.StartArray(true);
            for (int i = 0; i < children; ++i) NodeJson(n->GetChildNode(i));
            json_.End();
        }
        json_.End();
    }

private:
    void Member(const char* key, int v) {
        json_.Key(key);
        json_.Int(v);
    }
    void Member(const char* key, bool v) {
        json_.Key(key);
        json_.Bool(v);
    }
    void FloatMember(const char* key, float v) {
        json_.Key(key);
        json_.Float(v);
    }
    void StringMember(const char* key, const MCHAR* s) {
        json_.Key(key);
        json_.String(WStr(s).ToUTF8());
    }
    void Triple(float a, float b, float c) {
        json_.StartArray(false);
        json_.Float(a);
        json_.Float(b);
        json_.Float(c);
        json_.End();
    }
    void ColorMember(const char* key, const Color& c) {
        json_.Key(key);
        Triple(c.r, c.g, c.b);
    }

    template <class Controller, class Key, class Value>
    void ControllerJson(Controller* c, const char* className, Value value) {
        json_.Key("class");
        json_.String(className);
        json_.Key("value");
        value(c->ConstantValue());
        json_.Key("keys");
        json_.StartArray(false);
        for (int i = 0; i < c->GetNumKeys(); ++i) {
            Key k;
            c->GetKey(i, &k);
            json_.StartArray(false);
            json_.Int(k.time);
            value(k.val);
            if (k.flags) json_.Uint(k.flags);
            json_.End();
        }
        json_.End();
    }

    void ObjectJson(const Entry& e) {
        ReferenceTarget* t = e.object;
        const ClassRecord& record = *e.record;
        if (auto* c = CastIf<LinearFloatController>(record.floatController, t)) {
            ObjectStart(t, false);
            ControllerJson<LinearFloatController, ILinFloatKey>(c, SCENE_FLOAT_CONTROLLER_CLASS,
                                                                [&](float f) { json_.Float(f); });
        } else if (auto* p = CastIf<LinearPoint3Controller>(record.point3Controller, t)) {
            ObjectStart(t, false);
            ControllerJson<LinearPoint3Controller, ILinPoint3Key>(
                p, SCENE_POINT3_CONTROLLER_CLASS, [&](const Point3& v) { Triple(v.x, v.y, v.z); });
        } else {
            ClassObjectJson(t, record);
        }
        json_.End();
    }

    void ObjectStart(ReferenceTarget* t, bool lines) {
        json_.StartObject(lines);
        json_.Key("id");
        json_.Int(ids_.Find(t));
    }

    void ClassObjectJson(ReferenceTarget* t, const ClassRecord& record) {
        IRefList* list = record.refList ? GetRefList(t) : nullptr;
        const int fixed = list ? std::min(list->RefListStart(), t->NumRefs()) : t->NumRefs();
        // Each fixed reference once: a block, or the id of what it holds; an empty one (-1) is written as
        // null only where a new object of the class holds something, which loading would keep.
        blocks_.clear();
        refs_.clear();
        const std::vector<bool>& holds = record.defaultHolds;
        for (int i = 0; i < fixed; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = AsBlock(r))
                blocks_.emplace_back(i, pb);
            else if (long long id = RefId(r); id >= 0 || (static_cast<size_t>(i) < holds.size() && holds[i]))
                refs_.emplace_back(i, id);
        }
        auto* mb = CastIf<MtlBase>(record.mtlBase, t);
        auto* mtl = CastIf<Mtl>(record.mtl, t);
        auto* stdMat = CastIf<StdMat2>(record.stdMat, t);
        auto* shader = CastIf<Shader>(record.shader, t);
        // Blocks, references, the Standard material's values and the shader's are objects.
        ObjectStart(t, !blocks_.empty() || !refs_.empty() || stdMat || shader);
        json_.Key("class");
        json_.String(record.name);
        if (mb) {
            StringMember("name", mb->GetName());
            json_.Key("mtlFlags");
            json_.Uint(mb->GetMtlFlags());
        } else if (auto* fx = CastIf<SpecialFX>(record.fx, t)) {
            StringMember("name", fx->name);
        }
        if (mtl && mtl->GetActiveTexmap()) {
            json_.Key("activeTexmap");
            RefValue(mtl->GetActiveTexmap());
        }
        if (!blocks_.empty()) {
            json_.Key("blocks");
            json_.StartArray(true);
            for (const auto& [i, pb] : blocks_) BlockJson(i, pb);
            json_.End();
        }
        if (!refs_.empty()) {
            json_.Key("refs");
            json_.StartArray(true);
            for (const auto& [i, id] : refs_) {
                json_.StartObject(false);
                Member("index", i);
                json_.Key("object");
                if (id < 0)
                    json_.Null();
                else
                    json_.Int(id);
                json_.End();
            }
            json_.End();
        }
        if (list) {
            json_.Key("refList");
            json_.StartArray(false);
            for (int i = fixed; i < t->NumRefs(); ++i) RefValue(t->GetReference(i));
            json_.End();
        }
        if (stdMat) StdMatJson(stdMat);
        if (shader) ShaderJson(shader);
    }

    void BlockJson(int ref, IParamBlock2* pb) {
        const int count = pb->NumParams();
        json_.StartObject(count > 0);
        Member("ref", ref);
        Member("id", static_cast<int>(pb->ID()));
        json_.Key("params");
        json_.StartArray(true);
        for (int i = 0; i < count; ++i) ParamJson(pb, pb->IndextoID(i));
        json_.End();
        json_.End();
    }

    void ParamJson(IParamBlock2* pb, ParamID id) {
        const int type = pb->GetParameterType(id);
        const int count = pb->Count(id);
        bool animated = false;
        for (int k = 0; k < count && !animated; ++k) animated = pb->GetControllerByID(id, k) != nullptr;
        json_.StartObject(false);
        Member("id", static_cast<int>(id));
        json_.Key("type");
        json_.String(TypeName(type));
        json_.Key("value");
        if (is_tab(type)) {
            json_.StartArray(false);
            for (int k = 0; k < count; ++k) EntryValue(pb, id, type, k);
            json_.End();
            if (animated) {
                json_.Key("controllers");
                json_.StartArray(false);
                for (int k = 0; k < count; ++k) RefValue(pb->GetControllerByID(id, k));
                json_.End();
            }
        } else {
            if (count > 0)
                EntryValue(pb, id, type, 0);
            else
                json_.Null();
            if (animated) {
                json_.Key("controller");
                RefValue(pb->GetControllerByID(id, 0));
            }
        }
        json_.End();
    }

    // A parameter type's name, made once per type.
    const std::string& TypeName(int type) {
        auto known = typeNames_.find(type);
        if (known == typeNames_.end()) known = typeNames_.emplace(type, ParamTypeName(type)).first;
        return known->second;
    }

    void EntryValue(IParamBlock2* pb, ParamID id, int type, int k) {
        switch (KindOfType(type)) {
            case ValueKind::Float:
                json_.Float(pb->GetFloat(id, 0, k));
                return;
            case ValueKind::Int:
                json_.Int(pb->GetInt(id, 0, k));
                return;
            case ValueKind::Bool:
                json_.Bool(pb->GetInt(id, 0, k) != 0);
                return;
            case ValueKind::Color: {
                Color c = pb->GetColor(id, 0, k);
                Triple(c.r, c.g, c.b);
                return;
            }
            case ValueKind::Point3: {
                Point3 p = pb->GetPoint3(id, 0, k);
                Triple(p.x, p.y, p.z);
                return;
            }
            case ValueKind::String:
                json_.String(WStr(pb->GetStr(id, 0, k)).ToUTF8());
                return;
            case ValueKind::Object:
            case ValueKind::Node:
                RefValue(GetObjectParam(pb, id, k));
                return;
            case ValueKind::None:
                break;
        }
        json_.Null();
    }

    void StdMatJson(StdMat2* s) {
        const int channels = s->NumSubTexmaps();
        json_.Key("stdMat");
        json_.StartObject(channels > 0);
        Member("soften", s->GetSoften() != FALSE);
        Member("faceMap", s->GetFaceMap() != FALSE);
        Member("twoSided", s->GetTwoSided() != FALSE);
        Member("wire", s->GetWire() != FALSE);
        Member("wireUnits", s->GetWireUnits() != FALSE);
        Member("falloffOut", s->GetFalloffOut() != FALSE);
        Member("transparencyType", s->GetTransparencyType());
        FloatMember("opacity", s->GetOpacity(0));
        FloatMember("opacFalloff", s->GetOpacFalloff(0));
        FloatMember("wireSize", s->GetWireSize(0));
        FloatMember("ior", s->GetIOR(0));
        Member("faceted", s->IsFaceted() != FALSE);
        FloatMember("selfIllum", s->GetSelfIllum(0));
        Member("selfIllumColorOn", s->GetSelfIllumColorOn() != FALSE);
        ColorMember("selfIllumColor", s->GetSelfIllumColor(0));
        Member("lockAmbDiffTex", s->GetLockAmbDiffTex() != FALSE);
        json_.Key("maps");
        json_.StartArray(true);
        for (int ch = 0; ch < channels; ++ch) {
            json_.StartObject(false);
            Member("enabled", s->MapEnabled(ch) != FALSE);
            FloatMember("amount", s->GetTexmapAmt(ch, 0));
            json_.End();
        }
        json_.End();
        json_.End();
    }

    void ShaderJson(Shader* s) {
        json_.Key("shader");
        json_.StartObject(false);
        ColorMember("ambient", s->GetAmbientClr(0));
        ColorMember("diffuse", s->GetDiffuseClr(0));
        ColorMember("specular", s->GetSpecularClr(0));
        Member("lockAD", s->GetLockAD() != FALSE);
        Member("lockDS", s->GetLockDS() != FALSE);
        FloatMember("specularLevel", s->GetSpecularLevel(0));
        FloatMember("glossiness", s->GetGlossiness(0));
        FloatMember("softenLevel", s->GetSoftenLevel(0));
        json_.End();
    }

    const IdMap& ids_;
    TextBuffer out_;
    JsonOut json_{out_};
    // Reused from object to object.
    std::vector<std::pair<int, IParamBlock2*>> blocks_;
    std::vector<std::pair<int, long long>> refs_;
    std::map<int, std::string> typeNames_;
};

class Writer {
public:
    Writer(const std::function<void(const std::string&)>& write, const std::function<void(int)>& progress,
           unsigned threads)
        : write_(write), progress_(progress), threads_(threads ? threads : WorkThreads()) {}

    void Run() {
        HostCore& host = HostCore::Get();
        host.ForEachNode([&](INode* n) { ids_.Add(n, next_++); });
        host.ForEachNode([&](INode* n) { Meet(n->GetMtl()); });
        for (int slot = 0; slot < HostCore::kNumMtlSlots; ++slot) Meet(host.GetMtlSlot(slot));
        for (int i = 0; i < host.NumEffects(); ++i) Meet(host.GetEffect(i));

        // The top-level nodes, with their trees, and then the objects are made in pieces side by side;
        // the last piece of nodes also makes what comes between the two lists.
        std::string head = "{\n  \"format\": \"" SCENE_FORMAT_NAME "\",\n  \"version\": ";
        head += std::to_string(SCENE_FORMAT_VERSION);
        head += ",\n  \"time\": ";
        head += std::to_string(host.GetTime());
        head += ",\n  \"nodes\": ";
        write_(head);
        const size_t nodes = static_cast<size_t>(host.GetRootNode()->NumberOfChildren());
        const size_t nodePieces = std::max<size_t>(1, (nodes + kNodesPerPiece - 1) / kNodesPerPiece);
        const size_t objects = objects_.size();
        const size_t pieces = nodePieces + (objects + kObjectsPerPiece - 1) / kObjectsPerPiece;
        // Each thread's own writer, made on its first piece.
        std::vector<std::unique_ptr<EntryWriter>> writers(threads_);
        int shown = -1;
        MakeInOrder(
            pieces, threads_, kPiecesAhead,
            [&](size_t piece, unsigned thread, std::string& text) {
                std::unique_ptr<EntryWriter>& w = writers[thread];
                if (!w) w = std::make_unique<EntryWriter>(ids_);
                w->Out().Borrow(text);
                if (piece < nodePieces) {
                    w->Nodes(piece * kNodesPerPiece, std::min(nodes, (piece + 1) * kNodesPerPiece));
                    if (piece + 1 == nodePieces) Between(*w, nodes > 0);
                } else {
                    const size_t first = (piece - nodePieces) * kObjectsPerPiece;
                    w->Objects(objects_, first, std::min(objects, first + kObjectsPerPiece));
                }
                w->Out().Lend(text);
            },
            [&](size_t piece, std::string& text) {
                write_(text);
                const int pct = static_cast<int>((piece + 1) * 100 / pieces);
                if (progress_ && pct != shown) progress_(shown = pct);
            });
        write_(objects_.empty() ? "\n}\n" : "\n  ]\n}\n");
    }

private:
    // What comes between the list of nodes and the list of objects: the end of the one, the editor's
    // slots, the effects and the start of the other.
    void Between(EntryWriter& entries, bool anyNode) {
        HostCore& host = HostCore::Get();
        TextBuffer& out = entries.Out();
        JsonOut& json = entries.Json();
        out += anyNode ? "\n  ]" : "[]";

        out += ",\n  \"editorSlots\": ";
        int used = HostCore::kNumMtlSlots;
        while (used > 0 && entries.RefId(host.GetMtlSlot(used - 1)) < 0) --used;
        json.At(2);
        json.StartArray(false);
        for (int slot = 0; slot < used; ++slot) entries.RefValue(host.GetMtlSlot(slot));
        json.End();

        out += ",\n  \"effects\": ";
        json.At(2);
        json.StartArray(true);
        for (int i = 0; i < host.NumEffects(); ++i) {
            Effect* eff = host.GetEffect(i);
            if (!eff) continue;
            json.StartObject(false);
            json.Key("object");
            entries.RefValue(eff);
            json.Key("active");
            json.Bool(!eff->TestAFlag(A_ATMOS_DISABLED));
            json.End();
        }
        json.End();

        out += ",\n  \"objects\": ";
        out += objects_.empty() ? "[]" : "[";
    }

    // What an object's own references lead to, in order: a block stands for the references it holds.
    // A material's active map comes last; the file must carry it even when no reference holds it.
    void Children(ReferenceTarget* t, const ClassRecord& record, std::vector<ReferenceTarget*>& out) {
        out.clear();
        for (int i = 0, n = t->NumRefs(); i < n; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = AsBlock(r)) {
                for (int k = 0, m = pb->NumRefs(); k < m; ++k) out.push_back(pb->GetReference(k));
            } else {
                out.push_back(r);
            }
        }
        if (auto* mtl = CastIf<Mtl>(record.mtl, t)) out.push_back(mtl->GetActiveTexmap());
    }

    // Numbers objects depth first, each before what it refers to.
    void Meet(ReferenceTarget* start) {
        std::vector<ReferenceTarget*>& stack = stack_;
        stack.assign(1, start);
        while (!stack.empty()) {
            ReferenceTarget* t = stack.back();
            stack.pop_back();
            if (!t || ids_.Find(t) >= 0 || t->SuperClassID() == BASENODE_CLASS_ID || AsBlock(t)) continue;
            ids_.Add(t, next_++);
            const ClassRecord& record = Record(t);
            objects_.push_back({t, &record});
            Children(t, record, children_);
            stack.insert(stack.end(), children_.rbegin(), children_.rend());
        }
    }

    const ClassRecord& Record(ReferenceTarget* t) {
        const Class_ID cid = t->ClassID();
        const RecordKey key{&typeid(*t), t->SuperClassID(), cid.PartA(), cid.PartB()};
        if (last_ && key == lastKey_) return *last_;
        auto [at, fresh] = records_.try_emplace(key);
        if (fresh) Learn(t, at->second);
        lastKey_ = key;
        last_ = &at->second;
        return at->second;
    }

    static void Learn(ReferenceTarget* t, ClassRecord& r) {
        ClassDesc* desc = HostCore::Get().FindClass(t->SuperClassID(), t->ClassID());
        if (desc && desc->InternalName()) {
            r.name = WStr(desc->InternalName()).ToUTF8();
        } else {
            // Not a class the host can make: written under its display name, which loading then reports.
            MSTR display;
            t->GetClassName(display);
            r.name = display.ToUTF8();
        }
        ClassFacts facts;
        std::string why;
        if (desc && LearnClassFacts(desc, facts, why)) r.defaultHolds = std::move(facts.defaultHolds);
        r.mtlBase = dynamic_cast<MtlBase*>(t) != nullptr;
        r.mtl = dynamic_cast<Mtl*>(t) != nullptr;
        r.stdMat = dynamic_cast<StdMat2*>(t) != nullptr;
        r.shader = dynamic_cast<Shader*>(t) != nullptr;
        r.fx = dynamic_cast<SpecialFX*>(t) != nullptr;
        r.floatController = dynamic_cast<LinearFloatController*>(t) != nullptr;
        r.point3Controller = dynamic_cast<LinearPoint3Controller*>(t) != nullptr;
        r.refList = GetRefList(t) != nullptr;
    }

    using RecordKey = std::tuple<const std::type_info*, SClass_ID, ULONG, ULONG>;

    const std::function<void(const std::string&)>& write_;
    const std::function<void(int)>& progress_;
    const unsigned threads_;
    std::vector<ReferenceTarget*> stack_, children_;
    IdMap ids_;
    std::vector<Entry> objects_;
    std::map<RecordKey, ClassRecord> records_;
    RecordKey lastKey_{};
    const ClassRecord* last_ = nullptr;
    long long next_ = 1;
};

}  // namespace

void WriteScene(const std::function<void(const std::string&)>& write,
                const std::function<void(int)>& progress, unsigned threads) {
    Writer(write, progress, threads).Run();
}
