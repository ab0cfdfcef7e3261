#include "SceneBuilder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ClassFacts.h"

namespace {

// Whether a value read back is the one set; a block may keep a value in another unit.
bool Same(float a, float b) {
    return a == b || std::fabs(a - b) <= 1e-5f * std::max(std::fabs(a), std::fabs(b));
}
bool Same(const Color& a, const Color& b) { return Same(a.r, b.r) && Same(a.g, b.g) && Same(a.b, b.b); }
bool Same(const Point3& a, const Point3& b) { return Same(a.x, b.x) && Same(a.y, b.y) && Same(a.z, b.z); }

class Builder {
public:
    Builder(const SceneModel& m, std::vector<std::string>* warnings) : m_(m), warnings_(warnings) {}

    void Run() {
        HostCore& host = HostCore::Get();
        host.ResetScene(NOTIFY_FILE_PRE_OPEN);
        SuspendAll suspend(TRUE);
        // Nodes first: parameters of objects may name them. Made by vertex: nodes, then objects.
        const size_t numNodes = m_.nodes.size();
        std::vector<INode*> nodes;
        nodes.reserve(numNodes);
        made_.reserve(numNodes + m_.objects.size());
        for (const NodeModel& n : m_.nodes) {
            INode* parent = n.parent < 0 ? nullptr : nodes[static_cast<size_t>(n.parent)];
            nodes.push_back(host.CreateNode(n.name.c_str(), parent));
            made_.push_back(nodes.back());
        }
        for (const ObjectModel& o : m_.objects) made_.push_back(Create(o));
        // Each object after the ones it refers to, so no reference made here has to look for a loop
        // through dependents that do not exist yet.
        for (int index : m_.buildOrder)
            if (ReferenceTarget* t = made_[numNodes + static_cast<size_t>(index)])
                Fill(m_.objects[static_cast<size_t>(index)], t);
        for (size_t k = 0; k < numNodes; ++k)
            if (m_.nodes[k].material) nodes[k]->SetMtl(As<Mtl>(m_.nodes[k].material));
        for (int slot = 0; slot < HostCore::kNumMtlSlots; ++slot)
            if (m_.slots[static_cast<size_t>(slot)])
                host.SetMtlSlot(slot, As<MtlBase>(m_.slots[static_cast<size_t>(slot)]));
        for (const EffectModel& e : m_.effects) {
            Effect* eff = As<Effect>(e.object);
            if (!eff) continue;
            host.AddEffect(eff);
            if (e.active)
                eff->ClearAFlag(A_ATMOS_DISABLED);
            else
                eff->SetAFlag(A_ATMOS_DISABLED);
        }
        host.SetTime(m_.time, FALSE);
        suspend.Resume();
        BroadcastNotification(NOTIFY_FILE_POST_OPEN);
    }

private:
    template <class T>
    T* As(const std::optional<FileId>& id) {
        const int v = id ? m_.vertexOf.Find(*id) : -1;
        return v < 0 ? nullptr : dynamic_cast<T*>(made_[static_cast<size_t>(v)]);
    }

    static ReferenceTarget* Create(const ObjectModel& o) {
        switch (o.kind) {
            case ObjectKind::FloatController:
                return new LinearFloatController;
            case ObjectKind::Point3Controller:
                return new LinearPoint3Controller;
            case ObjectKind::Class:
                break;
        }
        ClassDesc* desc = o.facts->desc;
        void* made = GetCOREInterface()->CreateInstance(desc->SuperClassID(), desc->ClassID());
        return made ? dynamic_cast<ReferenceTarget*>(static_cast<Animatable*>(made)) : nullptr;
    }

    void Fill(const ObjectModel& o, ReferenceTarget* t) {
        if (o.kind == ObjectKind::FloatController) {
            FillKeys<ILinFloatKey>(static_cast<LinearFloatController*>(t), o.constantF, o.keys,
                                   [](const KeyModel& k) { return k.f; });
            return;
        }
        if (o.kind == ObjectKind::Point3Controller) {
            FillKeys<ILinPoint3Key>(static_cast<LinearPoint3Controller*>(t), o.constantP, o.keys,
                                    [](const KeyModel& k) { return k.p; });
            return;
        }
        // The class's facts say which casts succeed: a cast that fails costs a walk of the whole hierarchy.
        const ClassFacts& f = *o.facts;
        auto* mb = f.isMtlBase ? dynamic_cast<MtlBase*>(t) : nullptr;
        if (o.name) {
            if (mb)
                mb->SetName(MSTR(*o.name));
            else if (auto* fx = f.isSpecialFX ? dynamic_cast<SpecialFX*>(t) : nullptr)
                fx->name = MSTR(*o.name);
        }
        if (mb && o.mtlFlags) {
            mb->ClearMtlFlag(~0);
            mb->SetMtlFlag(*o.mtlFlags, TRUE);
        }
        // Before the blocks: a shader that keeps these values in its block gets the block's values.
        Shader* shader = o.shader && f.isShader ? dynamic_cast<Shader*>(t) : nullptr;
        if (shader) FillShader(*o.shader, shader);
        FillReferences(o, t);
        if (shader && warnings_) CheckShader(o, shader);
        if (auto* mtl = f.isMtl ? dynamic_cast<Mtl*>(t) : nullptr)
            mtl->SetActiveTexmap(As<MtlBase>(o.activeTexmap));
        if (o.stdMat && f.isStdMat2)
            if (auto* std2 = dynamic_cast<StdMat2*>(t)) FillStdMat(*o.stdMat, std2);
    }

    template <class Key, class Controller, class Value, class Get>
    static void FillKeys(Controller* c, Value constant, const std::vector<KeyModel>& keys, Get value) {
        // With no keys a controller's value is its constant; set it before any key exists.
        c->SetNumKeys(0);
        c->SetValue(0, &constant);
        for (const KeyModel& k : keys) {
            Key key;
            key.time = k.time;
            key.flags = k.flags;
            key.val = value(k);
            c->AppendKey(&key);
        }
    }

    // A block the file gives is filled in place and its object replaces what the constructor put there.
    // A reference it leaves out keeps the constructor's (version 1: is cleared), and so does the list.
    void FillReferences(const ObjectModel& o, ReferenceTarget* t) {
        const ClassFacts& f = *o.facts;
        const bool clearLeftOut = m_.version < 2;
        if (f.HasRefList() && (o.hasRefList || clearLeftOut)) {
            Tab<ReferenceTarget*> items;
            for (const std::optional<FileId>& id : o.refList) {
                ReferenceTarget* r = As<ReferenceTarget>(id);
                items.Append(1, &r);
            }
            if (IRefList* list = GetRefList(t)) list->SetRefList(items);
        }
        // What the file gives for each fixed reference.
        std::vector<Given>& given = given_;
        given.assign(static_cast<size_t>(std::max(f.FixedRefs(), 0)), Given());
        for (const BlockModel& b : o.blocks)
            if (static_cast<size_t>(b.ref) < given.size()) given[static_cast<size_t>(b.ref)].block = &b;
        for (const RefModel& r : o.refs)
            if (static_cast<size_t>(r.index) < given.size()) given[static_cast<size_t>(r.index)].ref = &r;
        for (int i = 0; i < f.FixedRefs(); ++i) {
            const Given& g = given[static_cast<size_t>(i)];
            if (g.block) {
                ReferenceTarget* held = t->GetReference(i);
                if (held && held->SuperClassID() == PARAMETER_BLOCK2_CLASS_ID)
                    FillBlock(o, *g.block, static_cast<IParamBlock2*>(held));
                continue;
            }
            if (g.ref) {
                t->ReplaceReference(i, As<ReferenceTarget>(g.ref->target));
            } else if (clearLeftOut && t->GetReference(i)) {
                if (warnings_)
                    Warn(o.path, "reference " + std::to_string(i) + " (" + DefaultText(f, i) +
                                     ") is left out, and version 1 files clear it; version 2 keeps it");
                t->ReplaceReference(i, nullptr);
            }
        }
    }

    static std::string DefaultText(const ClassFacts& f, int ref) {
        auto block = f.blocks.find(ref);
        if (block != f.blocks.end()) return "block " + std::to_string(block->second.id);
        ClassDesc* d = f.defaultRefs[static_cast<size_t>(ref)];
        return d && d->InternalName() ? "a new " + WStr(d->InternalName()).ToUTF8() : "what the class made";
    }

    // A shader's standard values are set before its block is filled: say which of them did not stay.
    void CheckShader(const ObjectModel& o, Shader* s) {
        const ShaderModel& m = *o.shader;
        const ClassFacts& f = *o.facts;
        bool hasBlock = false;
        for (const auto& [ref, block] : f.blocks) hasBlock = hasBlock || s->GetReference(ref) != nullptr;
        const std::string why = !f.blocks.empty() && hasBlock ? "the shader's block gives another value"
                                : !f.blocks.empty()
                                    ? "the shader keeps it in its block, which the file clears"
                                    : "the shader does not keep it";
        const std::pair<const char*, bool> lost[] = {
            {"ambient", m.ambient && !Same(*m.ambient, s->GetAmbientClr(0))},
            {"diffuse", m.diffuse && !Same(*m.diffuse, s->GetDiffuseClr(0))},
            {"specular", m.specular && !Same(*m.specular, s->GetSpecularClr(0))},
            {"lockAD", m.lockAD && *m.lockAD != (s->GetLockAD() != FALSE)},
            {"lockDS", m.lockDS && *m.lockDS != (s->GetLockDS() != FALSE)},
            {"specularLevel", m.specularLevel && !Same(*m.specularLevel, s->GetSpecularLevel(0))},
            {"glossiness", m.glossiness && !Same(*m.glossiness, s->GetGlossiness(0))},
            {"softenLevel", m.softenLevel && !Same(*m.softenLevel, s->GetSoftenLevel(0))},
        };
        for (const auto& [key, isLost] : lost)
            if (isLost) Warn(o.path + ".shader." + key, "the value does not count: " + why);
    }

    void Warn(const std::string& place, const std::string& what) {
        if (warnings_) warnings_->push_back(place + ": " + what);
    }

    void FillBlock(const ObjectModel& o, const BlockModel& b, IParamBlock2* pb) {
        for (const ParamModel& p : b.params) {
            int count = static_cast<int>(p.count);
            if (is_tab(p.type) && pb->Count(p.id) != count) pb->SetCount(p.id, count);
            ValueKind kind = KindOfType(p.type);
            for (int k = 0; k < count; ++k) {
                const EntryModel& e = b.Entry(p, static_cast<uint32_t>(k));
                // A controller the constructor made would take the value; the file's controller, if any,
                // comes after the value.
                if (pb->GetControllerByID(p.id, k)) pb->SetControllerByID(p.id, k, nullptr);
                switch (kind) {
                    case ValueKind::Float:
                        pb->SetValue(p.id, 0, e.f, k);
                        break;
                    case ValueKind::Int:
                    case ValueKind::Bool:
                        pb->SetValue(p.id, 0, e.i, k);
                        break;
                    case ValueKind::Color: {
                        Color c = e.c;
                        pb->SetValue(p.id, 0, c, k);
                        break;
                    }
                    case ValueKind::Point3: {
                        Point3 pt = e.p;
                        pb->SetValue(p.id, 0, pt, k);
                        break;
                    }
                    case ValueKind::String:
                        pb->SetValue(p.id, 0, b.strings[static_cast<size_t>(e.i)].c_str(), k);
                        break;
                    case ValueKind::Object:
                    case ValueKind::Node:
                        SetObjectParam(pb, p.id, k, As<ReferenceTarget>(e.target));
                        break;
                    case ValueKind::None:
                        break;
                }
                if (e.controller) {
                    pb->SetControllerByID(p.id, k, As<Control>(e.controller), FALSE);
                    if (warnings_ && !AnswersValue(pb, p.id, k, kind, e))
                        Warn(o.path + ".blocks[" + std::to_string(&b - o.blocks.data()) + "].params[" +
                                 std::to_string(&p - b.params.data()) + "]",
                             "the value does not count: the controller answers another at time 0");
                }
            }
        }
    }

    // Whether an animated entry answers the file's value at time 0.
    static bool AnswersValue(IParamBlock2* pb, ParamID id, int k, ValueKind kind, const EntryModel& e) {
        switch (kind) {
            case ValueKind::Float:
                return Same(pb->GetFloat(id, 0, k), e.f);
            case ValueKind::Int:
            case ValueKind::Bool:
                return pb->GetInt(id, 0, k) == e.i;
            case ValueKind::Color:
                return Same(pb->GetColor(id, 0, k), e.c);
            case ValueKind::Point3:
                return Same(pb->GetPoint3(id, 0, k), e.p);
            default:
                return true;
        }
    }

    static void FillStdMat(const StdMatModel& m, StdMat2* s) {
        if (m.soften) s->SetSoften(*m.soften);
        if (m.faceMap) s->SetFaceMap(*m.faceMap);
        if (m.twoSided) s->SetTwoSided(*m.twoSided);
        if (m.wire) s->SetWire(*m.wire);
        if (m.wireUnits) s->SetWireUnits(*m.wireUnits);
        if (m.falloffOut) s->SetFalloffOut(*m.falloffOut);
        if (m.transparencyType) s->SetTransparencyType(*m.transparencyType);
        if (m.opacity) s->SetOpacity(*m.opacity, 0);
        if (m.opacFalloff) s->SetOpacFalloff(*m.opacFalloff, 0);
        if (m.wireSize) s->SetWireSize(*m.wireSize, 0);
        if (m.ior) s->SetIOR(*m.ior, 0);
        if (m.faceted) s->SetFaceted(*m.faceted);
        if (m.selfIllum) s->SetSelfIllum(*m.selfIllum, 0);
        if (m.selfIllumColorOn) s->SetSelfIllumColorOn(*m.selfIllumColorOn);
        if (m.selfIllumColor) s->SetSelfIllumColor(*m.selfIllumColor, 0);
        if (m.lockAmbDiffTex) s->LockAmbDiffTex(*m.lockAmbDiffTex);
        if (m.maps) {
            int channels = std::min(s->NumSubTexmaps(), static_cast<int>(m.maps->size()));
            for (int ch = 0; ch < channels; ++ch) {
                s->EnableMap(ch, (*m.maps)[static_cast<size_t>(ch)].enabled);
                s->SetTexmapAmt(ch, (*m.maps)[static_cast<size_t>(ch)].amount, 0);
            }
        }
    }

    static void FillShader(const ShaderModel& m, Shader* s) {
        if (m.lockAD) s->SetLockAD(*m.lockAD);
        if (m.lockDS) s->SetLockDS(*m.lockDS);
        if (m.ambient) s->SetAmbientClr(*m.ambient, 0);
        if (m.diffuse) s->SetDiffuseClr(*m.diffuse, 0);
        if (m.specular) s->SetSpecularClr(*m.specular, 0);
        if (m.specularLevel) s->SetSpecularLevel(*m.specularLevel, 0);
        if (m.glossiness) s->SetGlossiness(*m.glossiness, 0);
        if (m.softenLevel) s->SetSoftenLevel(*m.softenLevel, 0);
    }

    const SceneModel& m_;
    std::vector<std::string>* warnings_;
    std::vector<ReferenceTarget*> made_;  // by vertex
    struct Given {
        const BlockModel* block = nullptr;
        const RefModel* ref = nullptr;
    };
    std::vector<Given> given_;  // reused from object to object
};

}  // namespace

void BuildScene(const SceneModel& model, std::vector<std::string>* warnings) {
    Builder(model, warnings).Run();
}
