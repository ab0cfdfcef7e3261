#include "SceneBuilder.h"

#include <unordered_map>

#include "ClassFacts.h"

namespace {

class Builder {
public:
    explicit Builder(const SceneModel& m) : m_(m) {}

    void Run() {
        HostCore& host = HostCore::Get();
        host.ResetScene(NOTIFY_FILE_PRE_OPEN);
        SuspendAll suspend(TRUE);
        // Nodes first: parameters of objects may name them.
        std::vector<INode*> nodes;
        for (const NodeModel& n : m_.nodes) {
            INode* parent = n.parent < 0 ? nullptr : nodes[static_cast<size_t>(n.parent)];
            nodes.push_back(host.CreateNode(n.name.c_str(), parent));
            made_[n.id] = nodes.back();
        }
        for (const ObjectModel& o : m_.objects) made_[o.id] = Create(o);
        // Each object after the ones it refers to, so no reference made here has to look for a loop
        // through dependents that do not exist yet.
        for (int index : m_.buildOrder) {
            const ObjectModel& o = m_.objects[static_cast<size_t>(index)];
            if (ReferenceTarget* t = made_[o.id]) Fill(o, t);
        }
        for (size_t k = 0; k < m_.nodes.size(); ++k)
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
        if (!id) return nullptr;
        auto it = made_.find(*id);
        return it == made_.end() ? nullptr : dynamic_cast<T*>(it->second);
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
        if (o.shader && f.isShader)
            if (auto* shader = dynamic_cast<Shader*>(t)) FillShader(*o.shader, shader);
        FillReferences(o, t);
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

    // The file decides every reference: its block is filled in place, its object replaces what the
    // constructor put there, and a reference it does not give is cleared.
    void FillReferences(const ObjectModel& o, ReferenceTarget* t) {
        const ClassFacts& f = *o.facts;
        if (f.HasRefList()) {
            Tab<ReferenceTarget*> items;
            for (const std::optional<FileId>& id : o.refList) {
                ReferenceTarget* r = As<ReferenceTarget>(id);
                items.Append(1, &r);
            }
            if (IRefList* list = GetRefList(t)) list->SetRefList(items);
        }
        std::unordered_map<int, const BlockModel*> blocks;
        for (const BlockModel& b : o.blocks) blocks[b.ref] = &b;
        std::unordered_map<int, const RefModel*> refs;
        for (const RefModel& r : o.refs) refs[r.index] = &r;
        for (int i = 0; i < f.FixedRefs(); ++i) {
            auto block = blocks.find(i);
            if (block != blocks.end()) {
                if (auto* pb = dynamic_cast<IParamBlock2*>(t->GetReference(i))) FillBlock(*block->second, pb);
                continue;
            }
            auto ref = refs.find(i);
            t->ReplaceReference(i, ref == refs.end() ? nullptr : As<ReferenceTarget>(ref->second->target));
        }
    }

    void FillBlock(const BlockModel& b, IParamBlock2* pb) {
        for (const ParamModel& p : b.params) {
            int count = static_cast<int>(p.entries.size());
            if (is_tab(p.type) && pb->Count(p.id) != count) pb->SetCount(p.id, count);
            ValueKind kind = KindOfType(p.type);
            for (int k = 0; k < count; ++k) {
                const EntryModel& e = p.entries[static_cast<size_t>(k)];
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
                        pb->SetValue(p.id, 0, e.s.c_str(), k);
                        break;
                    case ValueKind::Object:
                    case ValueKind::Node:
                        SetObjectParam(pb, p.id, k, As<ReferenceTarget>(e.target));
                        break;
                    case ValueKind::None:
                        break;
                }
                if (e.controller) pb->SetControllerByID(p.id, k, As<Control>(e.controller), FALSE);
            }
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
    std::unordered_map<FileId, ReferenceTarget*> made_;
};

}  // namespace

void BuildScene(const SceneModel& model) { Builder(model).Run(); }
