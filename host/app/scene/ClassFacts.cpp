#include "ClassFacts.h"

#include <algorithm>
#include <string_view>

namespace {

// Deletes an object made only to be looked at, with whatever its constructor made below it; objects it
// shares with others (they have other dependents) stay.
void Discard(ReferenceTarget* probe) { probe->MaybeAutoDelete(); }

ControllerKind ControllerOf(ReferenceTarget* t) {
    if (!dynamic_cast<Control*>(t)) return ControllerKind::None;
    if (t->SuperClassID() == CTRL_FLOAT_CLASS_ID) return ControllerKind::Float;
    if (t->SuperClassID() == CTRL_POINT3_CLASS_ID) return ControllerKind::Point3;
    return ControllerKind::None;
}

}  // namespace

std::vector<ClassDesc*> SceneClasses() {
    HostCore& host = HostCore::Get();
    std::vector<ClassDesc*> classes;
    for (int i = 0; i < host.NumClasses(); ++i)
        if (ClassDesc* d = host.GetClassDesc(i); d->InternalName() && *d->InternalName())
            classes.push_back(d);
    std::sort(classes.begin(), classes.end(), [](ClassDesc* a, ClassDesc* b) {
        return std::wstring_view(a->InternalName()) < std::wstring_view(b->InternalName());
    });
    return classes;
}

IRefList* GetRefList(ReferenceTarget* t) {
    BaseInterface* bi = t ? t->GetInterface(HOST_REF_LIST_INTERFACE_ID) : nullptr;
    return bi ? dynamic_cast<IRefList*>(bi) : nullptr;
}

bool LearnClassFacts(ClassDesc* desc, ClassFacts& facts, std::string& why) {
    // The constructor's references must not land in an open undo transaction, where they would keep
    // the throwaway object alive.
    SuspendAll suspend(TRUE);
    void* made = GetCOREInterface()->CreateInstance(desc->SuperClassID(), desc->ClassID());
    if (!made) {
        why = "is not loaded";
        return false;
    }
    ReferenceTarget* t = dynamic_cast<ReferenceTarget*>(static_cast<Animatable*>(made));
    if (!t) {
        static_cast<Animatable*>(made)->DeleteThis();
        why = "does not make reference targets";
        return false;
    }
    facts.desc = desc;
    facts.isMtlBase = dynamic_cast<MtlBase*>(t) != nullptr;
    facts.isMtl = dynamic_cast<Mtl*>(t) != nullptr;
    facts.isTexmap = dynamic_cast<Texmap*>(t) != nullptr;
    facts.isSpecialFX = dynamic_cast<SpecialFX*>(t) != nullptr;
    facts.isEffect = dynamic_cast<Effect*>(t) != nullptr;
    StdMat2* stdMat = dynamic_cast<StdMat2*>(t);
    facts.isStdMat2 = stdMat != nullptr;
    facts.numSubTexmaps = stdMat ? stdMat->NumSubTexmaps() : 0;
    facts.isShader = dynamic_cast<Shader*>(t) != nullptr;
    facts.controller = ControllerOf(t);
    facts.numRefs = t->NumRefs();
    IRefList* list = GetRefList(t);
    facts.refListStart = list ? list->RefListStart() : -1;
    facts.defaultListCount = list ? facts.numRefs - facts.refListStart : 0;
    facts.defaultRefs.assign(static_cast<size_t>(facts.FixedRefs()), nullptr);
    facts.defaultHolds.assign(static_cast<size_t>(facts.FixedRefs()), false);
    for (int r = 0; r < facts.FixedRefs(); ++r) {
        ReferenceTarget* held = t->GetReference(r);
        facts.defaultHolds[static_cast<size_t>(r)] = held != nullptr;
        if (held && !dynamic_cast<IParamBlock2*>(held))
            facts.defaultRefs[static_cast<size_t>(r)] =
                HostCore::Get().FindClass(held->SuperClassID(), held->ClassID());
    }
    for (int r = 0; r < facts.FixedRefs(); ++r) {
        IParamBlock2* pb = dynamic_cast<IParamBlock2*>(t->GetReference(r));
        if (!pb) continue;
        ClassFacts::Block& block = facts.blocks[r];
        block.id = pb->ID();
        block.desc = pb->GetDesc();
        for (int i = 0; i < pb->NumParams(); ++i) {
            ParamID pid = pb->IndextoID(i);
            const int type = pb->GetParameterType(pid);
            block.params.push_back({pid, type, ParamTypeName(type)});
        }
    }
    Discard(t);
    return true;
}
