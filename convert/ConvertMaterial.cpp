#include "ConvertMaterial.h"

#include <algorithm>
#include <vector>

#include "ClassIds.h"
#include "ParamTransfer.h"
#include "ProductInterfaces.h"
#include "StandardMaterial.h"
#include "Tavelin2Material.h"

namespace {

// Destination IDs of the six switches of a Tavelin 3 reflection/refraction map, which mean the opposite
// of their Tavelin 2 sources.
namespace Tvl2Map = Tvl2ReflectRefractMapIds;
namespace Tvl3Map = Tvl3ReflectRefractMapIds;
const ParamID kInvertedSwitches[] = {Tvl3Map::kOutlineOff, Tvl3Map::kReflectOff, Tvl3Map::kRefractOff,
                                     Tvl3Map::kFresnelOff, Tvl3Map::kTintOff,    Tvl3Map::kShadowsOff};

// Animate mode on for its extent, whatever it was: a value set at a key's time then changes that key
// alone, where outside animate mode it would move the whole track.
class AnimateOnScope {
public:
    AnimateOnScope() : was_(Animating()) { AnimateOn(); }
    ~AnimateOnScope() {
        if (!was_) AnimateOff();
    }
    AnimateOnScope(const AnimateOnScope&) = delete;
    AnimateOnScope& operator=(const AnimateOnScope&) = delete;

private:
    BOOL was_;
};

// A switch driven by a keyed controller is inverted at each key; a plain one at time 0.
void InvertSwitch(IParamBlock2* pb, ParamID id) {
    // The key interface is asked of the controller itself: an unanimated switch has none to ask.
    Control* ctrl = pb->GetControllerByID(id, 0);
    IKeyControl* keys = ctrl ? GetKeyControlInterface(ctrl) : nullptr;
    if (keys) {
        AnimateOnScope animate;
        // Key records are the controller's own class, larger than IKey: read them into a buffer of its size.
        std::vector<unsigned char> record(
            static_cast<size_t>(std::max<int>(keys->GetKeySize(), sizeof(IKey))));
        for (int j = 0; j < keys->GetNumKeys(); ++j) {
            keys->GetKey(j, reinterpret_cast<IKey*>(record.data()));
            TimeValue t = reinterpret_cast<IKey*>(record.data())->time;
            float value = 0.0f;
            Interval valid = FOREVER;
            ctrl->GetValue(t, &value, valid, CTRL_ABSOLUTE);
            float inverted = value == 0.0f ? 1.0f : 0.0f;
            ctrl->SetValue(t, &inverted, 1, CTRL_ABSOLUTE);
        }
        return;
    }
    pb->SetValue(id, 0, pb->GetInt(id, 0, 0) == 0 ? 1 : 0, 0);
}

bool IsTavelin2ReflectRefractMap(Texmap* s) {
    return s && s->SuperClassID() == TEXMAP_CLASS_ID && s->ClassID() == TVL2_REFLECT_REFRACT_MAP_CLASS_ID;
}

}  // namespace

Mtl* ConvertMaterial(Mtl* source, ConversionOptions options, Mtl* reference, ConversionMap& map,
                     SubMapSwitchSink* switches) {
    auto* target =
        static_cast<Mtl*>(GetCOREInterface()->CreateInstance(MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID));
    if (!target) return nullptr;
    target->SetName(MSTR(source->GetName()));

    Class_ID cls = source->ClassID();
    if (cls == Class_ID(DMTL_CLASS_ID, 0) || cls == STDMAT_VARIANT_CLASS_ID)
        ConvertStandardMaterial(target, source, options, reference);
    else if (cls == TVL2_MATERIAL_CLASS_ID)
        ConvertTavelin2Material(target, source, options, map);

    if (options & CONVOPT_CONVERT_REFLECT_REFRACT_MAPS) {
        for (int i = 0; i < target->NumSubMtls(); ++i) WalkSubMaterials(target->GetSubMtl(i), map, switches);
        WalkSubMaps(target, map, switches);
    }
    return target;
}

void WalkSubMaterials(Mtl* m, ConversionMap& map, SubMapSwitchSink* switches) {
    if (!m) return;
    for (int i = 0; i < m->NumSubMtls(); ++i) WalkSubMaterials(m->GetSubMtl(i), map, switches);
    WalkSubMaps(m, map, switches);
}

void WalkSubMaps(MtlBase* o, ConversionMap& map, SubMapSwitchSink* switches) {
    if (!o) return;
    for (int i = 0; i < o->NumSubTexmaps(); ++i) {
        Texmap* s = o->GetSubTexmap(i);
        WalkSubMaps(s, map, switches);
        if (!IsTavelin2ReflectRefractMap(s)) continue;
        Texmap* r = ConvertReflectRefractMap(s, map);
        if (!r) continue;
        // Told first, so that the old map is held before its slot lets go of it.
        if (switches) switches->SubMapSwitched(o, i, s, r);
        o->SetSubTexmap(i, r);
    }
}

Texmap* ConvertReflectRefractMap(Texmap* source, ConversionMap& map) {
    if (auto* done = dynamic_cast<Texmap*>(map.Lookup(source))) return done;
    auto* target = static_cast<Texmap*>(
        GetCOREInterface()->CreateInstance(TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID));
    if (!target) return nullptr;
    map.Append(source, target);
    target->SetName(MSTR(source->GetName()));

    IParamBlock2* srcMain = source->GetParamBlockByID(Tvl2Map::kMainBlock);
    IParamBlock2* dstMain = target->GetParamBlockByID(Tvl3Map::kMainBlock);
    TransferParamBlock(srcMain, dstMain, true, ParamIDConverterRefTex());
    TransferParamBlock(srcMain, dstMain, true, ParamIDConverterRefTexForOutline());
    TransferParamBlock(source->GetParamBlockByID(Tvl2Map::kEnvironmentBlock),
                       target->GetParamBlockByID(Tvl3Map::kEnvironmentBlock), true, theDefaultIDConverter);

    if (dstMain)
        for (ParamID id : kInvertedSwitches) InvertSwitch(dstMain, id);
    return target;
}
