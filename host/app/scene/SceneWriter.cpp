#include "SceneWriter.h"

#include <algorithm>
#include <unordered_map>

#include "ClassFacts.h"
#include "JsonValue.h"
#include "ParamTypes.h"
#include "SceneFormat.h"

namespace {

// Pieces of text are handed over once they are at least this long.
const size_t kPieceSize = 1 << 20;

class Writer {
public:
    Writer(const std::function<void(const std::string&)>& write, const std::function<void(int)>& progress)
        : write_(write), progress_(progress) {}

    void Run() {
        HostCore& host = HostCore::Get();
        host.ForEachNode([&](INode* n) { ids_[n] = next_++; });
        host.ForEachNode([&](INode* n) { Meet(n->GetMtl()); });
        for (int slot = 0; slot < HostCore::kNumMtlSlots; ++slot) Meet(host.GetMtlSlot(slot));
        for (int i = 0; i < host.NumEffects(); ++i) Meet(host.GetEffect(i));

        out_ = "{\n  \"format\": \"" SCENE_FORMAT_NAME "\",\n  \"version\": ";
        out_ += std::to_string(SCENE_FORMAT_VERSION);
        out_ += ",\n  \"time\": ";
        out_ += std::to_string(host.GetTime());
        out_ += ",\n  \"nodes\": ";
        INode* root = host.GetRootNode();
        List(root->NumberOfChildren(), [&](int i) { NodeJson(root->GetChildNode(i)); });

        out_ += ",\n  \"editorSlots\": ";
        int used = HostCore::kNumMtlSlots;
        while (used > 0 && RefId(host.GetMtlSlot(used - 1)) < 0) --used;
        tape_.Clear();
        tape_.StartArray();
        for (int slot = 0; slot < used; ++slot) RefValue(host.GetMtlSlot(slot));
        tape_.End();
        Format(0, 2, false);

        out_ += ",\n  \"effects\": ";
        tape_.Clear();
        tape_.StartArray();
        for (int i = 0; i < host.NumEffects(); ++i) {
            Effect* eff = host.GetEffect(i);
            if (!eff) continue;
            tape_.StartObject();
            tape_.Key("object");
            RefValue(eff);
            tape_.Key("active");
            tape_.Bool(!eff->TestAFlag(A_ATMOS_DISABLED));
            tape_.End();
        }
        tape_.End();
        Format(0, 2, false);

        out_ += ",\n  \"objects\": ";
        const size_t total = objects_.size();
        int shown = -1;
        List(static_cast<int>(total), [&](int i) {
            ObjectJson(objects_[static_cast<size_t>(i)]);
            int pct = static_cast<int>(static_cast<size_t>(i + 1) * 100 / total);
            if (progress_ && pct != shown) progress_(shown = pct);
        });
        out_ += "\n}\n";
        write_(out_);
    }

private:
    // What an object's own references lead to, in order: a block stands for the references it holds.
    // A material's active map comes last; the file must carry it even when no reference holds it.
    void Children(ReferenceTarget* t, std::vector<ReferenceTarget*>& out) {
        out.clear();
        for (int i = 0, n = t->NumRefs(); i < n; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = dynamic_cast<IParamBlock2*>(r)) {
                for (int k = 0, m = pb->NumRefs(); k < m; ++k) out.push_back(pb->GetReference(k));
            } else {
                out.push_back(r);
            }
        }
        if (auto* mtl = dynamic_cast<Mtl*>(t)) out.push_back(mtl->GetActiveTexmap());
    }

    // Numbers objects depth first, each before what it refers to.
    void Meet(ReferenceTarget* start) {
        std::vector<ReferenceTarget*>& stack = stack_;
        stack.assign(1, start);
        while (!stack.empty()) {
            ReferenceTarget* t = stack.back();
            stack.pop_back();
            if (!t || ids_.count(t) || dynamic_cast<INode*>(t) || dynamic_cast<IParamBlock2*>(t)) continue;
            ids_[t] = next_++;
            objects_.push_back(t);
            Children(t, children_);
            stack.insert(stack.end(), children_.rbegin(), children_.rend());
        }
    }

    // A top-level list of n entries, each made into the tape by `entry`, one per line.
    template <class Entry>
    void List(int n, Entry entry) {
        if (n == 0) {
            out_ += "[]";
            return;
        }
        out_ += "[";
        for (int i = 0; i < n; ++i) {
            out_ += i ? ",\n    " : "\n    ";
            tape_.Clear();
            entry(i);
            Format(0, 4, false);
            if (out_.size() >= kPieceSize) {
                write_(out_);
                out_.clear();
            }
        }
        out_ += "\n  ]";
    }

    // Arrays and objects that hold no object go on one line; the others get one line per member.
    void Format(uint32_t at, int indent, bool top) {
        const JsonTape::Node& n = tape_.At(at);
        const bool isObject = n.type == JsonTape::Type::Object;
        if (!isObject && n.type != JsonTape::Type::Array) {
            Scalar(at);
            return;
        }
        if (n.count == 0) {
            out_ += isObject ? "{}" : "[]";
            return;
        }
        const bool oneLine = !top && !n.holdsObject;
        out_ += isObject ? '{' : '[';
        uint32_t item = at + 1;
        for (uint32_t k = 0; k < n.count; ++k) {
            if (oneLine) {
                if (k) out_ += ", ";
            } else {
                out_ += k ? ",\n" : "\n";
                out_.append(static_cast<size_t>(indent) + 2, ' ');
            }
            if (isObject) {
                // Keys are the format's own names: nothing in them needs an escape.
                out_ += '"';
                out_ += tape_.Text(item);
                out_ += "\": ";
                ++item;
            }
            Format(item, indent + 2, false);
            item = tape_.At(item).end;
        }
        if (!oneLine) {
            out_ += '\n';
            out_.append(static_cast<size_t>(indent), ' ');
        }
        out_ += isObject ? '}' : ']';
    }

    void Scalar(uint32_t at) {
        const JsonTape::Node& n = tape_.At(at);
        switch (n.type) {
            case JsonTape::Type::Null:
                out_ += "null";
                break;
            case JsonTape::Type::Bool:
                out_ += n.v.b ? "true" : "false";
                break;
            case JsonTape::Type::Int:
                out_ += std::to_string(n.v.i);
                break;
            case JsonTape::Type::Uint:
                out_ += std::to_string(n.v.u);
                break;
            case JsonTape::Type::Double:
                AppendDoubleText(out_, n.v.d);
                break;
            case JsonTape::Type::Float:
                AppendFloatText(out_, n.v.f);
                break;
            default:
                AppendStringText(out_, tape_.Text(at));
                break;
        }
    }

    // The id of what a reference holds; -1 for nothing, for a block held outside an object's own
    // references, and for a node outside the scene's tree (written as null).
    long long RefId(ReferenceTarget* r) const {
        auto it = r ? ids_.find(r) : ids_.end();
        return it == ids_.end() ? -1 : it->second;
    }
    void RefValue(ReferenceTarget* r) {
        long long id = RefId(r);
        if (id < 0)
            tape_.Null();
        else
            tape_.Int(id);
    }
    void Member(const char* key, int v) {
        tape_.Key(key);
        tape_.Int(v);
    }
    void Member(const char* key, bool v) {
        tape_.Key(key);
        tape_.Bool(v);
    }
    void FloatMember(const char* key, float v) {
        tape_.Key(key);
        tape_.Float(v);
    }
    void StringMember(const char* key, const MCHAR* s) {
        tape_.Key(key);
        tape_.String(WStr(s).ToUTF8());
    }
    void Triple(float a, float b, float c) {
        tape_.StartArray();
        tape_.Float(a);
        tape_.Float(b);
        tape_.Float(c);
        tape_.End();
    }
    void ColorMember(const char* key, const Color& c) {
        tape_.Key(key);
        Triple(c.r, c.g, c.b);
    }

    void NodeJson(INode* n) {
        tape_.StartObject();
        tape_.Key("id");
        tape_.Int(ids_.at(n));
        StringMember("name", n->GetName());
        if (Mtl* m = n->GetMtl()) {
            tape_.Key("material");
            RefValue(m);
        }
        if (n->NumberOfChildren() > 0) {
            tape_.Key("children");
            tape_.StartArray();
            for (int i = 0; i < n->NumberOfChildren(); ++i) NodeJson(n->GetChildNode(i));
            tape_.End();
        }
        tape_.End();
    }

    static std::string ClassName(ReferenceTarget* t) {
        ClassDesc* desc = HostCore::Get().FindClass(t->SuperClassID(), t->ClassID());
        if (desc && desc->InternalName()) return WStr(desc->InternalName()).ToUTF8();
        // Not a class the host can make: written under its display name, which loading then reports.
        MSTR name;
        t->GetClassName(name);
        return name.ToUTF8();
    }

    template <class Controller, class Key, class Value>
    void ControllerJson(Controller* c, const char* className, Value value) {
        tape_.Key("class");
        tape_.String(className);
        tape_.Key("value");
        value(c->ConstantValue());
        tape_.Key("keys");
        tape_.StartArray();
        for (int i = 0; i < c->GetNumKeys(); ++i) {
            Key k;
            c->GetKey(i, &k);
            tape_.StartArray();
            tape_.Int(k.time);
            value(k.val);
            if (k.flags) tape_.Uint(k.flags);
            tape_.End();
        }
        tape_.End();
    }

    void ObjectJson(ReferenceTarget* t) {
        tape_.StartObject();
        tape_.Key("id");
        tape_.Int(ids_.at(t));
        if (auto* c = dynamic_cast<LinearFloatController*>(t)) {
            ControllerJson<LinearFloatController, ILinFloatKey>(c, SCENE_FLOAT_CONTROLLER_CLASS,
                                                                [&](float f) { tape_.Float(f); });
        } else if (auto* p = dynamic_cast<LinearPoint3Controller*>(t)) {
            ControllerJson<LinearPoint3Controller, ILinPoint3Key>(
                p, SCENE_POINT3_CONTROLLER_CLASS, [&](const Point3& v) { Triple(v.x, v.y, v.z); });
        } else {
            ClassObjectJson(t);
        }
        tape_.End();
    }

    void ClassObjectJson(ReferenceTarget* t) {
        tape_.Key("class");
        tape_.String(ClassName(t));
        if (auto* mb = dynamic_cast<MtlBase*>(t)) {
            StringMember("name", mb->GetName());
            tape_.Key("mtlFlags");
            tape_.Uint(mb->GetMtlFlags());
        } else if (auto* fx = dynamic_cast<SpecialFX*>(t)) {
            StringMember("name", fx->name);
        }
        if (auto* mtl = dynamic_cast<Mtl*>(t); mtl && mtl->GetActiveTexmap()) {
            tape_.Key("activeTexmap");
            RefValue(mtl->GetActiveTexmap());
        }

        IRefList* list = GetRefList(t);
        const int fixed = list ? std::min(list->RefListStart(), t->NumRefs()) : t->NumRefs();
        // Each fixed reference once: a block, or the id of what it holds; an empty one (-1) is written as
        // null only where a new object of the class holds something, which loading would keep.
        blocks_.clear();
        refs_.clear();
        const std::vector<bool>* holds = nullptr;
        for (int i = 0; i < fixed; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = dynamic_cast<IParamBlock2*>(r)) {
                blocks_.emplace_back(i, pb);
            } else if (long long id = RefId(r); id >= 0) {
                refs_.emplace_back(i, id);
            } else {
                if (!holds) holds = &DefaultHolds(t);
                if (static_cast<size_t>(i) < holds->size() && (*holds)[static_cast<size_t>(i)])
                    refs_.emplace_back(i, id);
            }
        }
        if (!blocks_.empty()) {
            tape_.Key("blocks");
            tape_.StartArray();
            for (const auto& [i, pb] : blocks_) BlockJson(i, pb);
            tape_.End();
        }
        if (!refs_.empty()) {
            tape_.Key("refs");
            tape_.StartArray();
            for (const auto& [i, id] : refs_) {
                tape_.StartObject();
                Member("index", i);
                tape_.Key("object");
                if (id < 0)
                    tape_.Null();
                else
                    tape_.Int(id);
                tape_.End();
            }
            tape_.End();
        }
        if (list) {
            tape_.Key("refList");
            tape_.StartArray();
            for (int i = fixed; i < t->NumRefs(); ++i) RefValue(t->GetReference(i));
            tape_.End();
        }
        if (auto* s = dynamic_cast<StdMat2*>(t)) StdMatJson(s);
        if (auto* s = dynamic_cast<Shader*>(t)) ShaderJson(s);
    }

    // Which references a new object of t's class fills, learnt once per class.
    const std::vector<bool>& DefaultHolds(ReferenceTarget* t) {
        ClassDesc* desc = HostCore::Get().FindClass(t->SuperClassID(), t->ClassID());
        auto [at, fresh] = defaultHolds_.emplace(desc, std::vector<bool>());
        ClassFacts facts;
        std::string why;
        if (fresh && desc && LearnClassFacts(desc, facts, why)) at->second = std::move(facts.defaultHolds);
        return at->second;
    }

    void BlockJson(int ref, IParamBlock2* pb) {
        tape_.StartObject();
        Member("ref", ref);
        Member("id", static_cast<int>(pb->ID()));
        tape_.Key("params");
        tape_.StartArray();
        for (int i = 0; i < pb->NumParams(); ++i) ParamJson(pb, pb->IndextoID(i));
        tape_.End();
        tape_.End();
    }

    void ParamJson(IParamBlock2* pb, ParamID id) {
        const int type = pb->GetParameterType(id);
        const int count = pb->Count(id);
        bool animated = false;
        for (int k = 0; k < count && !animated; ++k) animated = pb->GetControllerByID(id, k) != nullptr;
        tape_.StartObject();
        Member("id", static_cast<int>(id));
        tape_.Key("type");
        tape_.String(ParamTypeName(type));
        tape_.Key("value");
        if (is_tab(type)) {
            tape_.StartArray();
            for (int k = 0; k < count; ++k) EntryValue(pb, id, type, k);
            tape_.End();
            if (animated) {
                tape_.Key("controllers");
                tape_.StartArray();
                for (int k = 0; k < count; ++k) RefValue(pb->GetControllerByID(id, k));
                tape_.End();
            }
        } else {
            if (count > 0)
                EntryValue(pb, id, type, 0);
            else
                tape_.Null();
            if (animated) {
                tape_.Key("controller");
                RefValue(pb->GetControllerByID(id, 0));
            }
        }
        tape_.End();
    }

    void EntryValue(IParamBlock2* pb, ParamID id, int type, int k) {
        switch (KindOfType(type)) {
            case ValueKind::Float:
                tape_.Float(pb->GetFloat(id, 0, k));
                return;
            case ValueKind::Int:
                tape_.Int(pb->GetInt(id, 0, k));
                return;
            case ValueKind::Bool:
                tape_.Bool(pb->GetInt(id, 0, k) != 0);
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
                tape_.String(WStr(pb->GetStr(id, 0, k)).ToUTF8());
                return;
            case ValueKind::Object:
            case ValueKind::Node:
                RefValue(GetObjectParam(pb, id, k));
                return;
            case ValueKind::None:
                break;
        }
        tape_.Null();
    }

    void StdMatJson(StdMat2* s) {
        tape_.Key("stdMat");
        tape_.StartObject();
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
        tape_.Key("maps");
        tape_.StartArray();
        for (int ch = 0; ch < s->NumSubTexmaps(); ++ch) {
            tape_.StartObject();
            Member("enabled", s->MapEnabled(ch) != FALSE);
            FloatMember("amount", s->GetTexmapAmt(ch, 0));
            tape_.End();
        }
        tape_.End();
        tape_.End();
    }

    void ShaderJson(Shader* s) {
        tape_.Key("shader");
        tape_.StartObject();
        ColorMember("ambient", s->GetAmbientClr(0));
        ColorMember("diffuse", s->GetDiffuseClr(0));
        ColorMember("specular", s->GetSpecularClr(0));
        Member("lockAD", s->GetLockAD() != FALSE);
        Member("lockDS", s->GetLockDS() != FALSE);
        FloatMember("specularLevel", s->GetSpecularLevel(0));
        FloatMember("glossiness", s->GetGlossiness(0));
        FloatMember("softenLevel", s->GetSoftenLevel(0));
        tape_.End();
    }

    const std::function<void(const std::string&)>& write_;
    const std::function<void(int)>& progress_;
    JsonTape tape_;
    std::string out_;
    // Reused from object to object.
    std::vector<ReferenceTarget*> stack_, children_;
    std::vector<std::pair<int, IParamBlock2*>> blocks_;
    std::vector<std::pair<int, long long>> refs_;
    std::unordered_map<ReferenceTarget*, long long> ids_;
    std::unordered_map<ClassDesc*, std::vector<bool>> defaultHolds_;
    std::vector<ReferenceTarget*> objects_;
    long long next_ = 1;
};

}  // namespace

void WriteScene(const std::function<void(const std::string&)>& write,
                const std::function<void(int)>& progress) {
    Writer(write, progress).Run();
}
