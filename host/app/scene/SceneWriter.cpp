#include "SceneWriter.h"

#include <unordered_map>

#include "ClassFacts.h"
#include "ParamTypes.h"
#include "SceneFormat.h"

namespace {

class Writer {
public:
    Json Run() {
        HostCore& host = HostCore::Get();
        host.ForEachNode([&](INode* n) { ids_[n] = next_++; });
        host.ForEachNode([&](INode* n) { Meet(n->GetMtl()); });
        for (int slot = 0; slot < HostCore::kNumMtlSlots; ++slot) Meet(host.GetMtlSlot(slot));
        for (int i = 0; i < host.NumEffects(); ++i) Meet(host.GetEffect(i));

        Json doc = Json::object();
        doc["format"] = SCENE_FORMAT_NAME;
        doc["version"] = SCENE_FORMAT_VERSION;
        doc["time"] = host.GetTime();
        doc["nodes"] = NodesJson(host.GetRootNode());
        Json slots = Json::array();
        for (int slot = 0; slot < HostCore::kNumMtlSlots; ++slot)
            slots.push_back(RefValue(host.GetMtlSlot(slot)));
        while (!slots.empty() && slots.back().is_null()) slots.erase(slots.size() - 1);
        doc["editorSlots"] = slots;
        Json effects = Json::array();
        for (int i = 0; i < host.NumEffects(); ++i) {
            Effect* eff = host.GetEffect(i);
            if (!eff) continue;
            Json e = Json::object();
            e["object"] = RefValue(eff);
            e["active"] = !eff->TestAFlag(A_ATMOS_DISABLED);
            effects.push_back(e);
        }
        doc["effects"] = effects;
        Json objects = Json::array();
        for (ReferenceTarget* t : objects_) objects.push_back(ObjectJson(t));
        doc["objects"] = objects;
        return doc;
    }

private:
    // What an object's own references lead to, in order: a block stands for the references it holds.
    // A material's active map comes last; the file must carry it even when no reference holds it.
    static std::vector<ReferenceTarget*> Children(ReferenceTarget* t) {
        std::vector<ReferenceTarget*> out;
        for (int i = 0, n = t->NumRefs(); i < n; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = dynamic_cast<IParamBlock2*>(r)) {
                for (int k = 0, m = pb->NumRefs(); k < m; ++k) out.push_back(pb->GetReference(k));
            } else {
                out.push_back(r);
            }
        }
        if (auto* mtl = dynamic_cast<Mtl*>(t)) out.push_back(mtl->GetActiveTexmap());
        return out;
    }

    // Numbers objects depth first, each before what it refers to.
    void Meet(ReferenceTarget* start) {
        std::vector<ReferenceTarget*> stack{start};
        while (!stack.empty()) {
            ReferenceTarget* t = stack.back();
            stack.pop_back();
            if (!t || dynamic_cast<INode*>(t) || dynamic_cast<IParamBlock2*>(t) || ids_.count(t)) continue;
            ids_[t] = next_++;
            objects_.push_back(t);
            std::vector<ReferenceTarget*> children = Children(t);
            stack.insert(stack.end(), children.rbegin(), children.rend());
        }
    }

    // The id of what a reference holds; null for nothing, for a block held outside an object's own
    // references, and for a node outside the scene's tree.
    Json RefValue(ReferenceTarget* r) const {
        auto it = r ? ids_.find(r) : ids_.end();
        return it == ids_.end() ? Json(nullptr) : Json(it->second);
    }

    Json NodesJson(INode* parent) const {
        Json list = Json::array();
        for (int i = 0; i < parent->NumberOfChildren(); ++i) {
            INode* n = parent->GetChildNode(i);
            Json j = Json::object();
            j["id"] = ids_.at(n);
            j["name"] = StringValue(n->GetName());
            if (Mtl* m = n->GetMtl()) j["material"] = RefValue(m);
            if (n->NumberOfChildren() > 0) j["children"] = NodesJson(n);
            list.push_back(j);
        }
        return list;
    }

    static std::string ClassName(ReferenceTarget* t) {
        ClassDesc* desc = HostCore::Get().FindClass(t->SuperClassID(), t->ClassID());
        if (desc && desc->InternalName()) return WStr(desc->InternalName()).ToUTF8();
        // Not a class the host can make: written under its display name, which loading then reports.
        MSTR name;
        t->GetClassName(name);
        return name.ToUTF8();
    }

    template <class Controller, class Key, class ValueJson>
    static void ControllerJson(Controller* c, Json& j, const char* className, ValueJson value) {
        j["class"] = className;
        j["value"] = value(c->ConstantValue());
        Json keys = Json::array();
        for (int i = 0; i < c->GetNumKeys(); ++i) {
            Key k;
            c->GetKey(i, &k);
            Json key = Json::array({k.time, value(k.val)});
            if (k.flags) key.push_back(k.flags);
            keys.push_back(key);
        }
        j["keys"] = keys;
    }

    Json ObjectJson(ReferenceTarget* t) const {
        Json j = Json::object();
        j["id"] = ids_.at(t);
        if (auto* c = dynamic_cast<LinearFloatController*>(t)) {
            ControllerJson<LinearFloatController, ILinFloatKey>(c, j, SCENE_FLOAT_CONTROLLER_CLASS,
                                                                FloatValue);
            return j;
        }
        if (auto* c = dynamic_cast<LinearPoint3Controller*>(t)) {
            ControllerJson<LinearPoint3Controller, ILinPoint3Key>(c, j, SCENE_POINT3_CONTROLLER_CLASS,
                                                                  Point3Value);
            return j;
        }
        j["class"] = ClassName(t);
        if (auto* mb = dynamic_cast<MtlBase*>(t)) {
            j["name"] = StringValue(mb->GetName());
            j["mtlFlags"] = mb->GetMtlFlags();
        } else if (auto* fx = dynamic_cast<SpecialFX*>(t)) {
            j["name"] = StringValue(fx->name);
        }
        if (auto* mtl = dynamic_cast<Mtl*>(t); mtl && mtl->GetActiveTexmap())
            j["activeTexmap"] = RefValue(mtl->GetActiveTexmap());

        IRefList* list = GetRefList(t);
        int fixed = list ? std::min(list->RefListStart(), t->NumRefs()) : t->NumRefs();
        Json blocks = Json::array();
        Json refs = Json::array();
        for (int i = 0; i < fixed; ++i) {
            ReferenceTarget* r = t->GetReference(i);
            if (auto* pb = dynamic_cast<IParamBlock2*>(r)) {
                blocks.push_back(BlockJson(i, pb));
            } else if (Json id = RefValue(r); !id.is_null()) {
                Json ref = Json::object();
                ref["index"] = i;
                ref["object"] = id;
                refs.push_back(ref);
            }
        }
        if (!blocks.empty()) j["blocks"] = blocks;
        if (!refs.empty()) j["refs"] = refs;
        if (list) {
            Json items = Json::array();
            for (int i = fixed; i < t->NumRefs(); ++i) items.push_back(RefValue(t->GetReference(i)));
            j["refList"] = items;
        }
        if (auto* s = dynamic_cast<StdMat2*>(t)) j["stdMat"] = StdMatJson(s);
        if (auto* s = dynamic_cast<Shader*>(t)) j["shader"] = ShaderJson(s);
        return j;
    }

    Json BlockJson(int ref, IParamBlock2* pb) const {
        Json j = Json::object();
        j["ref"] = ref;
        j["id"] = pb->ID();
        Json params = Json::array();
        for (int i = 0; i < pb->NumParams(); ++i) params.push_back(ParamJson(pb, pb->IndextoID(i)));
        j["params"] = params;
        return j;
    }

    Json ParamJson(IParamBlock2* pb, ParamID id) const {
        int type = pb->GetParameterType(id);
        Json j = Json::object();
        j["id"] = id;
        j["type"] = ParamTypeName(type);
        Json values = Json::array();
        Json controllers = Json::array();
        bool animated = false;
        for (int k = 0; k < pb->Count(id); ++k) {
            values.push_back(EntryValue(pb, id, type, k));
            Control* c = pb->GetControllerByID(id, k);
            animated = animated || c;
            controllers.push_back(RefValue(c));
        }
        if (is_tab(type)) {
            j["value"] = values;
            if (animated) j["controllers"] = controllers;
        } else {
            j["value"] = values.empty() ? Json(nullptr) : values[0];
            if (animated) j["controller"] = controllers[0];
        }
        return j;
    }

    Json EntryValue(IParamBlock2* pb, ParamID id, int type, int k) const {
        switch (KindOfType(type)) {
            case ValueKind::Float:
                return FloatValue(pb->GetFloat(id, 0, k));
            case ValueKind::Int:
                return pb->GetInt(id, 0, k);
            case ValueKind::Bool:
                return pb->GetInt(id, 0, k) != 0;
            case ValueKind::Color:
                return ColorValue(pb->GetColor(id, 0, k));
            case ValueKind::Point3:
                return Point3Value(pb->GetPoint3(id, 0, k));
            case ValueKind::String:
                return StringValue(pb->GetStr(id, 0, k));
            case ValueKind::Object:
            case ValueKind::Node:
                return RefValue(GetObjectParam(pb, id, k));
            case ValueKind::None:
                break;
        }
        return Json(nullptr);
    }

    static Json StdMatJson(StdMat2* s) {
        Json j = Json::object();
        j["soften"] = s->GetSoften() != FALSE;
        j["faceMap"] = s->GetFaceMap() != FALSE;
        j["twoSided"] = s->GetTwoSided() != FALSE;
        j["wire"] = s->GetWire() != FALSE;
        j["wireUnits"] = s->GetWireUnits() != FALSE;
        j["falloffOut"] = s->GetFalloffOut() != FALSE;
        j["transparencyType"] = s->GetTransparencyType();
        j["opacity"] = FloatValue(s->GetOpacity(0));
        j["opacFalloff"] = FloatValue(s->GetOpacFalloff(0));
        j["wireSize"] = FloatValue(s->GetWireSize(0));
        j["ior"] = FloatValue(s->GetIOR(0));
        j["faceted"] = s->IsFaceted() != FALSE;
        j["selfIllum"] = FloatValue(s->GetSelfIllum(0));
        j["selfIllumColorOn"] = s->GetSelfIllumColorOn() != FALSE;
        j["selfIllumColor"] = ColorValue(s->GetSelfIllumColor(0));
        j["lockAmbDiffTex"] = s->GetLockAmbDiffTex() != FALSE;
        Json maps = Json::array();
        for (int ch = 0; ch < s->NumSubTexmaps(); ++ch) {
            Json m = Json::object();
            m["enabled"] = s->MapEnabled(ch) != FALSE;
            m["amount"] = FloatValue(s->GetTexmapAmt(ch, 0));
            maps.push_back(m);
        }
        j["maps"] = maps;
        return j;
    }

    static Json ShaderJson(Shader* s) {
        Json j = Json::object();
        j["ambient"] = ColorValue(s->GetAmbientClr(0));
        j["diffuse"] = ColorValue(s->GetDiffuseClr(0));
        j["specular"] = ColorValue(s->GetSpecularClr(0));
        j["lockAD"] = s->GetLockAD() != FALSE;
        j["lockDS"] = s->GetLockDS() != FALSE;
        j["specularLevel"] = FloatValue(s->GetSpecularLevel(0));
        j["glossiness"] = FloatValue(s->GetGlossiness(0));
        j["softenLevel"] = FloatValue(s->GetSoftenLevel(0));
        return j;
    }

    std::unordered_map<ReferenceTarget*, long long> ids_;
    std::vector<ReferenceTarget*> objects_;
    long long next_ = 1;
};

// Whether a value holds an object anywhere below it.
bool HoldsObjects(const Json& j) {
    if (!j.is_structured()) return false;
    for (const Json& item : j)
        if (item.is_object() || HoldsObjects(item)) return true;
    return false;
}

std::string Scalar(const Json& j) { return j.dump(-1, ' ', false, Json::error_handler_t::replace); }

// Arrays and objects that hold no object go on one line; the others get one line per member.
void Format(const Json& j, int indent, bool top, std::string& out) {
    const bool isObject = j.is_object();
    if (!j.is_structured()) {
        out += Scalar(j);
        return;
    }
    if (j.empty()) {
        out += isObject ? "{}" : "[]";
        return;
    }
    const bool oneLine = !top && !HoldsObjects(j);
    const std::string pad(static_cast<size_t>(indent) + 2, ' ');
    out += isObject ? "{" : "[";
    size_t k = 0;
    for (auto it = j.begin(); it != j.end(); ++it, ++k) {
        out += oneLine ? (k ? ", " : "") : (k ? ",\n" : "\n") + pad;
        if (isObject) out += Scalar(Json(it.key())) + ": ";
        Format(*it, indent + 2, false, out);
    }
    if (!oneLine) out += "\n" + std::string(static_cast<size_t>(indent), ' ');
    out += isObject ? "}" : "]";
}

}  // namespace

Json WriteScene() { return Writer().Run(); }

std::string FormatSceneJson(const Json& doc) {
    std::string out;
    Format(doc, 0, true, out);
    out += "\n";
    return out;
}
