#include "RandomScene.h"

#include <string>
#include <vector>

#include "ClassFacts.h"
#include "ClassIds.h"
#include "LineConversionRun.h"
#include "ParamTypes.h"
#include "SceneFile.h"
#include "StringTable.h"
#include "hostcore.h"
#include "resource.h"

uint32_t ByteDice::Below(uint32_t n) {
    uint32_t v = 0;
    for (uint32_t range = 1; range < n && range < (1u << 16); range <<= 8)
        v = (v << 8) | (at_ < end_ ? *at_++ : 0u);
    return v % n;
}

namespace {

// What a reference of a class holds in the scenes made here.
enum class Pool {
    Shader,
    Map,
    StdMaterial,
    Material,
    Tvl2Settings,
    Tvl3Settings,
    Tvl3Zone,
    Stroke2,
    Stroke3,
    Curve,
    UVGen,
    Brush2,
    Brush3,
    BrushSub2,
    BrushSub3,
    Holder2,
    Holder3
};

struct RefRecipe {
    const MCHAR* className;
    int first, count;  // references first ... first + count - 1
    Pool pool;
};

// The references the generator fills, by class (the rest keep what the class made).
const RefRecipe kRecipes[] = {
    {_M("StandardMaterial"), 1, 12, Pool::Map},
    {_M("StandardVariantMaterial"), 1, 12, Pool::Map},
    {_M("Tvl2Material"), 7, 1, Pool::StdMaterial},
    {_M("Tvl2Material"), 8, 1, Pool::Tvl2Settings},
    {_M("Tvl2Material"), 9, 5, Pool::Map},
    {_M("Tvl2Material"), 15, 6, Pool::Stroke2},  // the stroke slots of zones 0 to 3
    {_M("Tvl2Material"), 22, 6, Pool::Stroke2},
    {_M("Tvl2Material"), 29, 6, Pool::Stroke2},
    {_M("Tvl2Material"), 36, 6, Pool::Stroke2},
    {_M("Tvl3Material"), 3, 1, Pool::StdMaterial},
    {_M("Tvl3Material"), 4, 1, Pool::Tvl3Settings},
    {_M("Tvl3Material"), 6, 5, Pool::Map},
    {_M("Tvl2Settings"), 1, 1, Pool::Holder2},
    {_M("Tvl3Settings"), 1, 3, Pool::Holder3},
    {_M("Tvl2StrokeMap"), 1, 1, Pool::Curve},
    {_M("Tvl2StrokeMap"), 2, 1, Pool::UVGen},
    {_M("Tvl3StrokeMap"), 1, 1, Pool::Curve},
    {_M("BitmapMap"), 1, 1, Pool::UVGen},
    {_M("Tvl2LineSet"), 13, 12, Pool::Brush2},
    {_M("Tvl2LineSet"), 31, 2, Pool::Curve},
    {_M("Tvl3LineSet"), 6, 2, Pool::Curve},
    {_M("Tvl3LineSet"), 10, 12, Pool::Brush3},
    {_M("Tvl2BrushMap"), 1, 1, Pool::Map},
    {_M("Tvl2BrushMap"), 2, 1, Pool::BrushSub2},
    {_M("Tvl3BrushMap"), 1, 1, Pool::Map},
    {_M("Tvl3BrushMap"), 2, 1, Pool::BrushSub3},
    {_M("Tvl2BrushSubMap"), 2, 6, Pool::Map},
    {_M("Tvl2BrushSubMap"), 8, 2, Pool::Curve},
    {_M("Tvl3BrushSubMap"), 2, 6, Pool::Map},
};

const MCHAR* const kShaders[] = {_M("BlinnShader"), _M("AnisotropicShader"), _M("FinalToonShader"),
                                 _M("IllustrateShader")};
const MCHAR* const kMapClasses[] = {
    _M("BitmapMap"),     _M("BitmapMap"),    _M("Tvl2ReflectRefractMap"), _M("Tvl3ReflectRefractMap"),
    _M("Tvl2StrokeMap"), _M("Tvl3StrokeMap")};
const MCHAR* const kMaterialClasses[] = {
    _M("StandardMaterial"), _M("StandardMaterial"), _M("StandardVariantMaterial"), _M("Tvl2Material"),
    _M("Tvl2Material"),     _M("Tvl3Material"),     _M("MultiSubMaterial")};
const MCHAR* const kNames[] = {_M(""),
                               _M("Ink"),
                               _M("Skin"),
                               _M("線画"),
                               _M("髪の毛 2"),
                               _M("Ёлка"),
                               _M("Ελιά"),
                               _M("عين"),
                               _M("a \"quoted\" \\ name"),
                               _M("tab\there"),
                               _M("emoji \U0001F3A8"),
                               _M("Tavelin 3 コンバート")};
const float kFloats[] = {0.0f, 0.25f, 0.5f, 1.0f, 1.5f, 2.0f, -1.0f, 100.0f, 0.001f, 1e6f};
const ConversionOptions kOptionBits[] = {
    CONVOPT_MULTIPLY_BLEND,      CONVOPT_HIGHLIGHT_ADD_BLEND,  CONVOPT_APPLY_STROKES,
    CONVOPT_COPY_STROKES,        CONVOPT_SKIP_AREA_OFF_ZONES,  CONVOPT_SKIP_DISABLED_STROKES,
    CONVOPT_FT_SPECULAR_AS_ZONE, CONVOPT_IL_HIGHLIGHT_AS_ZONE, CONVOPT_CONVERT_REFLECT_REFRACT_MAPS,
};

template <class T, size_t N>
const T& Any(SceneDice& dice, const T (&items)[N]) {
    return items[dice.Below(static_cast<uint32_t>(N))];
}

class Generator {
public:
    explicit Generator(SceneDice& dice) : dice_(dice), host_(HostCore::Get()) {}

    void Run() {
        SuspendAll quiet(TRUE);
        for (int k = Count(4); k > 0; --k) Make(Any(dice_, kMapClasses));  // a map made joins maps_
        for (int k = Count(3); k > 0; --k)
            shared_[static_cast<size_t>(Pool::Curve)].push_back(Make(_M("CurveControl")));
        const int materials = 1 + Count(10);
        for (int k = 0; k < materials; ++k) Material(Any(dice_, kMaterialClasses));
        for (int k = Count(4); k > 0; --k) LineEffect();
        Nodes();
        for (int slot = 0; slot < HostCore::kNumMtlSlots; ++slot)
            if (dice_.OneIn(4))
                host_.SetMtlSlot(slot, dice_.OneIn(4) && !maps_.empty() ? static_cast<MtlBase*>(Pick(maps_))
                                                                        : Pick(materials_));
        // Flags and the shown map, now that every material and map is made.
        for (Mtl* m : materials_) {
            if (dice_.OneIn(3)) m->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED, dice_.OneIn(2));
            if (dice_.OneIn(4) && !maps_.empty()) m->SetActiveTexmap(Pick(maps_));
        }
    }

private:
    int Count(uint32_t most) { return static_cast<int>(dice_.Below(most + 1)); }
    template <class T>
    T* Pick(const std::vector<T*>& v) {
        return v.empty() ? nullptr : v[dice_.Below(static_cast<uint32_t>(v.size()))];
    }

    ReferenceTarget* Make(const MCHAR* className) {
        ClassDesc* desc = host_.FindClassByName(className);
        auto* t =
            desc ? dynamic_cast<ReferenceTarget*>(static_cast<Animatable*>(desc->Create(FALSE))) : nullptr;
        if (!t) return nullptr;
        if (auto* mb = dynamic_cast<MtlBase*>(t)) {
            if (dice_.OneIn(2)) mb->SetName(MSTR(Any(dice_, kNames)));
            if (auto* map = dynamic_cast<Texmap*>(t)) maps_.push_back(map);
        }
        Params(t);
        Fill(className, t);
        return t;
    }

    // A fresh object for a reference, or one shared with other references.
    ReferenceTarget* FromPool(Pool pool) {
        switch (pool) {
            case Pool::Shader:
                return Make(Any(dice_, kShaders));
            case Pool::Map:
                return Pick(maps_);
            case Pool::StdMaterial:
                return Pick(standards_);
            case Pool::Material:
                return Pick(materials_);
            case Pool::Tvl3Zone:
                return Make(_M("Tvl3Zone"));
            default:
                break;
        }
        static const MCHAR* const kSharedClass[] = {nullptr,
                                                    nullptr,
                                                    nullptr,
                                                    nullptr,
                                                    _M("Tvl2Settings"),
                                                    _M("Tvl3Settings"),
                                                    nullptr,
                                                    _M("Tvl2StrokeMap"),
                                                    _M("Tvl3StrokeMap"),
                                                    _M("CurveControl"),
                                                    _M("UVGen"),
                                                    _M("Tvl2BrushMap"),
                                                    _M("Tvl3BrushMap"),
                                                    _M("Tvl2BrushSubMap"),
                                                    _M("Tvl3BrushSubMap"),
                                                    _M("Tvl2ParamHolder"),
                                                    _M("Tvl3ParamHolder")};
        std::vector<ReferenceTarget*>& shared = shared_[static_cast<size_t>(pool)];
        if (!shared.empty() && dice_.OneIn(2)) return Pick(shared);
        ReferenceTarget* t = Make(kSharedClass[static_cast<size_t>(pool)]);
        if (t) shared.push_back(t);
        return t;
    }

    void Fill(const MCHAR* className, ReferenceTarget* t) {
        for (const RefRecipe& r : kRecipes) {
            if (std::wstring(r.className) != className) continue;
            for (int i = r.first; i < r.first + r.count && i < t->NumRefs(); ++i)
                if (dice_.OneIn(3)) t->ReplaceReference(i, dice_.OneIn(5) ? nullptr : FromPool(r.pool));
        }
    }

    void Material(const MCHAR* className) {
        auto* m = dynamic_cast<Mtl*>(Make(className));
        if (!m) return;
        const std::wstring name(className);
        if (name == L"StandardMaterial" || name == L"StandardVariantMaterial") {
            if (!dice_.OneIn(5)) m->ReplaceReference(0, FromPool(Pool::Shader));
            StdMaterial(dynamic_cast<StdMat2*>(m));
            standards_.push_back(m);
        } else if (name == L"Tvl3Material") {
            RefList(m, Pool::Tvl3Zone, 4);
        } else if (name == L"MultiSubMaterial") {
            RefList(m, Pool::Material, 4);  // materials made before: nested, shared, never a loop
        }
        materials_.push_back(m);
    }

    void StdMaterial(StdMat2* s) {
        if (!s) return;
        if (dice_.OneIn(2)) s->SetTwoSided(dice_.OneIn(2));
        if (dice_.OneIn(2)) s->SetWire(dice_.OneIn(2));
        if (dice_.OneIn(2)) s->SetOpacity(Any(dice_, kFloats), 0);
        if (dice_.OneIn(2)) s->SetSelfIllum(Any(dice_, kFloats), 0);
        for (int ch = 0; ch < s->NumSubTexmaps(); ++ch)
            if (dice_.OneIn(6)) s->EnableMap(ch, dice_.OneIn(2));
    }

    void RefList(ReferenceTarget* t, Pool pool, uint32_t most) {
        IRefList* list = GetRefList(t);
        if (!list) return;
        Tab<ReferenceTarget*> items;
        for (int k = Count(most); k > 0; --k) {
            ReferenceTarget* r = dice_.OneIn(6) ? nullptr : FromPool(pool);
            items.Append(1, &r);
        }
        list->SetRefList(items);
    }

    void LineEffect() {
        const bool second = !dice_.OneIn(4);
        ReferenceTarget* t = Make(second ? _M("Tvl2Line") : _M("Tvl3Line"));
        auto* fx = dynamic_cast<::Effect*>(t);
        if (!fx) return;
        if (dice_.OneIn(2)) fx->name = MSTR(Any(dice_, kNames));
        IRefList* list = GetRefList(t);
        Tab<ReferenceTarget*> sets;
        for (int k = Count(3); k > 0; --k) {
            ReferenceTarget* s =
                dice_.OneIn(8) ? nullptr : Make(second ? _M("Tvl2LineSet") : _M("Tvl3LineSet"));
            sets.Append(1, &s);
        }
        if (list) list->SetRefList(sets);
        effects_.push_back(fx);
    }

    void Nodes() {
        std::vector<INode*> nodes;
        for (int k = Count(12); k > 0; --k) {
            INode* parent = dice_.OneIn(3) ? Pick(nodes) : nullptr;
            INode* n = host_.CreateNode(Any(dice_, kNames), parent);
            if (!dice_.OneIn(4)) n->SetMtl(Pick(materials_));
            nodes.push_back(n);
        }
        nodes_ = nodes;
        // Node parameters of line effects and line sets name nodes of the tree.
        for (ReferenceTarget* t : nodeUsers_) Params(t, true);
        for (::Effect* fx : effects_) {
            host_.AddEffect(fx);
            if (dice_.OneIn(3)) fx->SetAFlag(A_ATMOS_DISABLED);
        }
    }

    // Random values for some parameters of every block of t (node parameters once the nodes exist).
    void Params(ReferenceTarget* t, bool nodesOnly = false) {
        bool namesNodes = false;
        for (int r = 0; r < t->NumRefs(); ++r) {
            auto* pb = dynamic_cast<IParamBlock2*>(t->GetReference(r));
            if (!pb) continue;
            for (int i = 0; i < pb->NumParams(); ++i) {
                const ParamID id = pb->IndextoID(i);
                const int type = pb->GetParameterType(id);
                const ValueKind kind = KindOfType(type);
                if (kind == ValueKind::Node) namesNodes = true;
                if ((kind == ValueKind::Node) != nodesOnly || !dice_.OneIn(3)) continue;
                if (is_tab(type)) pb->SetCount(id, Count(3));
                const int count = is_tab(type) ? pb->Count(id) : 1;
                for (int k = 0; k < count; ++k) Value(pb, id, type, kind, k);
            }
        }
        if (namesNodes && !nodesOnly) nodeUsers_.push_back(t);
    }

    void Value(IParamBlock2* pb, ParamID id, int type, ValueKind kind, int k) {
        switch (kind) {
            case ValueKind::Float:
                pb->SetValue(id, 0, Any(dice_, kFloats), k);
                break;
            case ValueKind::Int:
                pb->SetValue(id, 0, static_cast<int>(dice_.OneIn(8) ? 101 : dice_.Below(4)), k);
                break;
            case ValueKind::Bool:
                pb->SetValue(id, 0, static_cast<int>(dice_.Below(2)), k);
                break;
            case ValueKind::Color: {
                Color c(Any(dice_, kFloats), Any(dice_, kFloats), Any(dice_, kFloats));
                pb->SetValue(id, 0, c, k);
                break;
            }
            case ValueKind::Point3: {
                Point3 p(Any(dice_, kFloats), Any(dice_, kFloats), Any(dice_, kFloats));
                pb->SetValue(id, 0, p, k);
                break;
            }
            case ValueKind::String:
                pb->SetValue(id, 0, Any(dice_, kNames), k);
                break;
            case ValueKind::Object: {
                const TargetKind target = TargetOfType(type);
                ReferenceTarget* v = target == TargetKind::Material
                                         ? static_cast<ReferenceTarget*>(Pick(materials_))
                                         : Pick(maps_);
                SetObjectParam(pb, id, k, dice_.OneIn(3) ? nullptr : v);  // a loop is refused by the host
                break;
            }
            case ValueKind::Node:
                SetObjectParam(pb, id, k, dice_.OneIn(3) ? nullptr : Pick(nodes_));
                break;
            case ValueKind::None:
                break;
        }
        const ControllerKind ck = ControllerKindOfType(type);
        if (ck != ControllerKind::None && dice_.OneIn(6)) pb->SetControllerByID(id, k, Controller(ck), FALSE);
    }

    // A controller with keys in time order, new or one made before (shared between parameters).
    Control* Controller(ControllerKind kind) {
        std::vector<Control*>& made = controllers_[kind == ControllerKind::Point3 ? 1 : 0];
        if (!made.empty() && dice_.OneIn(4)) return Pick(made);
        TimeValue t = static_cast<TimeValue>(dice_.Below(3)) * 160 - 160;
        const int keys = Count(4);
        Control* c = nullptr;
        if (kind == ControllerKind::Float) {
            auto* f = new LinearFloatController;
            for (int k = 0; k < keys; ++k) {
                ILinFloatKey key;
                key.time = t += 1 + static_cast<TimeValue>(dice_.Below(800));
                key.val = Any(dice_, kFloats);
                f->AppendKey(&key);
            }
            c = f;
        } else {
            auto* p = new LinearPoint3Controller;
            for (int k = 0; k < keys; ++k) {
                ILinPoint3Key key;
                key.time = t += 1 + static_cast<TimeValue>(dice_.Below(800));
                key.val = Point3(Any(dice_, kFloats), Any(dice_, kFloats), Any(dice_, kFloats));
                p->AppendKey(&key);
            }
            c = p;
        }
        made.push_back(c);
        return c;
    }

    SceneDice& dice_;
    HostCore& host_;
    std::vector<Texmap*> maps_;
    std::vector<Mtl*> materials_, standards_;
    std::vector<::Effect*> effects_;
    std::vector<INode*> nodes_;
    std::vector<ReferenceTarget*> nodeUsers_;
    std::vector<ReferenceTarget*> shared_[static_cast<size_t>(Pool::Holder3) + 1];
    std::vector<Control*> controllers_[2];
};

bool Eligible(MtlBase* m) {
    const Class_ID c = m->ClassID();
    return c == Class_ID(DMTL_CLASS_ID, 0) || c == STDMAT_VARIANT_CLASS_ID || c == TVL2_MATERIAL_CLASS_ID;
}

}  // namespace

void BuildRandomScene(SceneDice& dice) { Generator(dice).Run(); }

RandomRun PickRandomRun(SceneDice& dice, MtlConvList& list) {
    RandomRun run;
    MtlBaseLib inUse;
    CollectMaterialsInUse(inUse);
    for (int i = 0; i < inUse.Count(); ++i) {
        if (Eligible(inUse[i]) && !dice.OneIn(4)) list.Append(MtlConvData::Of(inUse[i]));
        auto* m = dynamic_cast<Mtl*>(inUse[i]);
        if (m && m->ClassID() == TVL3_MATERIAL_CLASS_ID && dice.OneIn(2)) run.reference = m;
    }
    for (ConversionOptions bit : kOptionBits)
        if (dice.OneIn(2)) run.options |= bit;
    HostCore& host = HostCore::Get();
    host.SetTime(dice.OneIn(2) ? 0 : static_cast<TimeValue>(dice.Below(200)));
    host.SetAnimateButtonState(dice.OneIn(2));
    run.deleteLineSources = dice.OneIn(2);
    run.suffix = dice.OneIn(2) ? L"" : L"_新";
    return run;
}

std::string CheckRunsUndoAndRedo(SceneDice& dice) {
    HostCore& host = HostCore::Get();
    const std::string saved = SaveSceneText();
    std::string error;
    if (!LoadSceneText(saved, error)) return "the saved scene does not load: " + error;
    if (SaveSceneText() != saved) return "the saved scene does not load back unchanged";

    MtlConvList list;
    const RandomRun run = PickRandomRun(dice, list);
    const std::string loaded = SaveSceneText();
    // A run with nothing to do leaves no undo step.
    const int start = theHold.NumUndoEntries();
    RunMtlConversion(list, run.options, run.reference, StringTableText(IDS_CONVERT_UNDO),
                     StringTableText(IDS_MTL_CONVERTER));
    const int materialSteps = theHold.NumUndoEntries() - start;
    const std::string afterMaterials = SaveSceneText();
    RunLineConversion(run.suffix.c_str(), run.deleteLineSources, StringTableText(IDS_CONVERT_UNDO));
    const int lineSteps = theHold.NumUndoEntries() - start - materialSteps;
    const std::string converted = SaveSceneText();
    host.SetAnimateButtonState(FALSE);
    if (materialSteps == 0 && afterMaterials != loaded)
        return "the material run changed the scene without undo";
    if (lineSteps == 0 && converted != afterMaterials) return "the line run changed the scene without undo";

    const struct Step {
        bool undo;
        int steps;
        const std::string& scene;
        const char* what;
    } steps[] = {{true, lineSteps, afterMaterials, "undoing the line run"},
                 {true, materialSteps, loaded, "undoing both runs"},
                 {false, materialSteps, afterMaterials, "redoing the material run"},
                 {false, lineSteps, converted, "redoing both runs"}};
    for (int cycle = 0; cycle < 2; ++cycle)
        for (const Step& step : steps) {
            const std::string when = std::string(step.what) + ", cycle " + std::to_string(cycle);
            for (int k = 0; k < step.steps; ++k)
                if (!(step.undo ? host.Undo() : host.Redo())) return "nothing to do when " + when;
            if (SaveSceneText() != step.scene) return "the scene differs after " + when;
        }
    if (!LoadSceneText(converted, error)) return "the converted scene does not load: " + error;
    if (SaveSceneText() != converted) return "the converted scene does not load back unchanged";
    return std::string();
}
