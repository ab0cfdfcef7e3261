#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ConversionMap.h"
#include "ConversionOptions.h"
#include "ConvertMaterial.h"
#include "HostTestObjects.h"
#include "ProductClassIds.h"
#include "Products.h"
#include "hostclasses/BitmapTex.h"
#include "hostclasses/CurveControl.h"
#include "stdmat/StandardMtl.h"
#include "stdmat/StandardVariantMtl.h"
#include "tavelin2/Tvl2Material.h"
#include "tavelin2/Tvl2ReflectRefractMap.h"
#include "tavelin2/Tvl2StrokeMap.h"
#include "tavelin3/Tvl3Material.h"
#include "tavelin3/Tvl3ReflectRefractMap.h"
#include "tavelin3/Tvl3StrokeMap.h"
#include "tavelin3/Tvl3Zone.h"

// Every conversion test starts from an empty scene with all products loaded, and builds its objects
// through the host's class registry, as a scene file or the user would.
class ConvertTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterStandInProducts();
    }

    template <class T>
    static T* Create(SClass_ID super, Class_ID cls) {
        return static_cast<T*>(GetCOREInterface()->CreateInstance(super, cls));
    }

    static StandardMtl* NewStandard(Class_ID shader = BLINN_SHADER_CLASS_ID, const MCHAR* name = _M("Skin")) {
        auto* m = Create<StandardMtl>(MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID);
        m->SwitchShader(shader);
        m->SetName(name);
        return m;
    }
    static StandardVariantMtl* NewVariant(Class_ID shader = BLINN_SHADER_CLASS_ID) {
        auto* m = Create<StandardVariantMtl>(MATERIAL_CLASS_ID, STDMAT_VARIANT_CLASS_ID);
        m->SwitchShader(shader);
        m->SetName(_M("Cloth"));
        return m;
    }
    static Tvl2Material* NewTvl2(const MCHAR* name = _M("Hair")) {
        auto* m = Create<Tvl2Material>(MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID);
        m->SetName(name);
        return m;
    }
    static Tvl3Material* NewTvl3() { return Create<Tvl3Material>(MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID); }
    static Tvl3Zone* NewZone() { return Create<Tvl3Zone>(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID); }
    static BitmapTex* NewBitmap(const MCHAR* file) {
        auto* m = Create<BitmapTex>(TEXMAP_CLASS_ID, BITMAP_MAP_CLASS_ID);
        m->SetMapName(file);
        m->SetName(file);
        return m;
    }
    static Tvl2ReflectRefractMap* NewTvl2ReflectRefract(const MCHAR* name) {
        auto* m = Create<Tvl2ReflectRefractMap>(TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID);
        m->SetName(name);
        return m;
    }
    static Tvl2StrokeMap* NewTvl2Stroke(const MCHAR* name) {
        auto* m = Create<Tvl2StrokeMap>(TEXMAP_CLASS_ID, TVL2_STROKE_MAP_CLASS_ID);
        m->SetName(name);
        return m;
    }

    static void Unload(SClass_ID super, Class_ID cls) { HostCore::Get().SetClassLoaded(super, cls, false); }

    Tvl3Material* Convert(Mtl* source, ConversionOptions options, Mtl* reference = nullptr) {
        return dynamic_cast<Tvl3Material*>(ConvertMaterial(source, options, reference, map));
    }

    static IParamBlock2* Block(ReferenceTarget* o) { return o ? o->GetParamBlock(0) : nullptr; }
    static Tvl3Zone* ZoneOf(Tvl3Material* m, int i) { return dynamic_cast<Tvl3Zone*>(m->GetZone(i)); }
    static std::vector<int> ZoneNumbers(Tvl3Material* m) {
        std::vector<int> numbers;
        for (int i = 0; i < m->NumZones(); ++i)
            numbers.push_back(Block(m->GetZone(i))->GetInt(Tvl3Zone::kZoneNumber));
        return numbers;
    }
    static std::vector<int> IntTable(IParamBlock2* pb, ParamID id, TimeValue t = 0) {
        std::vector<int> values;
        for (int i = 0; i < pb->Count(id); ++i) values.push_back(pb->GetInt(id, t, i));
        return values;
    }

    ConversionMap map;
};

inline std::wstring NameOf(MtlBase* m) { return m ? m->GetName().wstring() : std::wstring(L"<none>"); }

inline ::testing::AssertionResult ColorNear(const Color& actual, const Color& expected, float tol = 1e-4f) {
    if (std::fabs(actual.r - expected.r) <= tol && std::fabs(actual.g - expected.g) <= tol &&
        std::fabs(actual.b - expected.b) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "colour (" << actual.r << ", " << actual.g << ", " << actual.b << "), expected (" << expected.r
           << ", " << expected.g << ", " << expected.b << ")";
}

// A keyed float controller with the given (time, value) keys.
inline LinearFloatController* KeyedFloat(std::initializer_list<std::pair<TimeValue, float>> keys) {
    auto* c = new LinearFloatController;
    for (const auto& k : keys) {
        ILinFloatKey key;
        key.time = k.first;
        key.val = k.second;
        c->AppendKey(&key);
    }
    return c;
}

inline std::vector<float> KeyValues(Control* c) {
    std::vector<float> values;
    IKeyControl* keys = GetKeyControlInterface(c);
    for (int j = 0; keys && j < keys->GetNumKeys(); ++j) {
        ILinFloatKey key;
        keys->GetKey(j, &key);
        values.push_back(key.val);
    }
    return values;
}
