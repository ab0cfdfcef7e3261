#include <gtest/gtest.h>

#include <vector>

#include "ProductClassIds.h"
#include "Products.h"
#include "hostcore.h"
#include "max.h"
#include "shaders.h"
#include "stdmat.h"
#include "tavelin3/Tvl3Material.h"
#include "tavelin3/Tvl3ReflectRefractMap.h"
#include "tavelin3/Tvl3Settings.h"
#include "tavelin3/Tvl3StrokeMap.h"
#include "tavelin3/Tvl3Zone.h"

namespace {

const Class_ID kBlockClass(PARAMETER_BLOCK2_CLASS_ID, 0);

class Tavelin3Test : public ::testing::Test {
protected:
    void SetUp() override { RegisterStandInProducts(); }
    void TearDown() override { HostCore::Get().ResetScene(); }

    template <class T>
    static T* Make(SClass_ID super, Class_ID cls) {
        return static_cast<T*>(GetCOREInterface()->CreateInstance(super, cls));
    }
    static Tvl3Material* NewMaterial() {
        return Make<Tvl3Material>(MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID);
    }
    static Tvl3Zone* NewZone() { return Make<Tvl3Zone>(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID); }
    static Tvl3StrokeMap* NewStroke() {
        return Make<Tvl3StrokeMap>(TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID);
    }
};

bool RefersTo(ReferenceTarget* target, ReferenceMaker* maker) {
    DependentIterator it(target);
    for (ReferenceMaker* m = it.Next(); m; m = it.Next())
        if (m == maker) return true;
    return false;
}

// ---- identifiers, references and blocks ----

struct ClassLayout {
    const char* what;
    SClass_ID super;
    Class_ID cls;
    const wchar_t* internalName;
    int numRefs;
    std::vector<std::pair<int, Class_ID>> filled;  // every other reference is null
};

// clang-format off
const std::vector<ClassLayout> kClassLayouts = {
    {"material", MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID, L"Tvl3Material", 11,
     {{0, kBlockClass}, {3, STANDARD_MATERIAL_CLASS_ID}, {4, TVL3_SETTINGS_CLASS_ID}}},
    {"zone", REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID, L"Tvl3Zone", 2, {{0, kBlockClass}}},
    {"stroke map", TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID, L"Tvl3StrokeMap", 5,
     {{0, kBlockClass}, {1, CURVE_CONTROL_CLASS_ID}, {2, UVGEN_STANDIN_CLASS_ID}}},
    {"settings", REF_TARGET_CLASS_ID, TVL3_SETTINGS_CLASS_ID, L"Tvl3Settings", 4,
     {{0, kBlockClass}, {1, TVL3_PARAM_HOLDER_CLASS_ID}, {3, TVL3_PARAM_HOLDER_CLASS_ID}}},
    {"holder", REF_TARGET_CLASS_ID, TVL3_PARAM_HOLDER_CLASS_ID, L"Tvl3ParamHolder", 1, {{0, kBlockClass}}},
    {"reflection map", TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID, L"Tvl3ReflectRefractMap", 2,
     {{0, kBlockClass}, {1, kBlockClass}}},
};
// clang-format on

TEST_F(Tavelin3Test, Classes_AnswerTheirIdentifiersAndHoldTheirReferencesInPlace) {
    for (const ClassLayout& c : kClassLayouts) {
        SCOPED_TRACE(c.what);
        auto* obj = Make<ReferenceTarget>(c.super, c.cls);
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->SuperClassID(), c.super);
        EXPECT_EQ(obj->ClassID(), c.cls);
        ClassDesc* byName = HostCore::Get().FindClassByName(c.internalName);
        ASSERT_NE(byName, nullptr);
        EXPECT_EQ(byName->ClassID(), c.cls);
        ASSERT_EQ(obj->NumRefs(), c.numRefs);
        for (int i = 0; i < c.numRefs; ++i) {
            Class_ID expected;  // the default identifier stands for "null"
            for (const auto& f : c.filled)
                if (f.first == i) expected = f.second;
            RefTargetHandle r = obj->GetReference(i);
            EXPECT_EQ(r ? r->ClassID() : Class_ID(), expected) << "reference " << i;
        }
    }
    MSTR name;
    NewMaterial()->GetClassName(name);
    EXPECT_EQ(name, L"Tavelin 3 Material");
}

struct Param {
    ParamID id;
    int type;
};

struct BlockLayout {
    const char* what;
    SClass_ID super;
    Class_ID cls;
    int index;  // GetParamBlock
    int ref;    // the reference that holds the block
    BlockID id;
    std::vector<Param> params;  // in index order
};

// clang-format off
const std::vector<BlockLayout> kBlockLayouts = {
    {"material block 0", MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID, 0, 0, 0,
     {{0, TYPE_INT}, {1, TYPE_FLOAT}, {2, TYPE_RGBA}, {3, TYPE_INT}, {4, TYPE_INT}, {5, TYPE_INT}, {6, TYPE_INT},
      {7, TYPE_INT}, {8, TYPE_INT}, {9, TYPE_FLOAT}, {10, TYPE_INT}, {11, TYPE_FLOAT}, {12, TYPE_FLOAT_TAB},
      {13, TYPE_STRING}, {14, TYPE_INT}, {15, TYPE_INT}, {16, TYPE_TEXMAP}, {17, TYPE_INT}, {18, TYPE_INT},
      {19, TYPE_PCNT_FRAC}}},
    {"zone block 0", REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_FLOAT}, {2, TYPE_BOOL}, {3, TYPE_RGBA}, {4, TYPE_FLOAT}, {5, TYPE_INT},
      {6, TYPE_POINT3}, {7, TYPE_INT}, {8, TYPE_FLOAT}, {9, TYPE_INT_TAB}, {10, TYPE_TEXMAP_TAB}, {11, TYPE_INT},
      {12, TYPE_TEXMAP}, {13, TYPE_PCNT_FRAC}, {14, TYPE_STRING}, {15, TYPE_INT}}},
    {"stroke map block 0", TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_BOOL}, {3, TYPE_POINT3}, {4, TYPE_ANGLE}, {5, TYPE_BOOL_TAB},
      {6, TYPE_POINT3_TAB}, {7, TYPE_TEXMAP}}},
    {"settings block 0", REF_TARGET_CLASS_ID, TVL3_SETTINGS_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_FLOAT_TAB}, {3, TYPE_ANGLE}}},
    {"holder block 0", REF_TARGET_CLASS_ID, TVL3_PARAM_HOLDER_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_INT_TAB}, {3, TYPE_MTL_TAB}}},
    {"reflection map block 0", TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_FLOAT}, {2, TYPE_RGBA}, {3, TYPE_TEXMAP}, {4, TYPE_TEXMAP}, {5, TYPE_FLOAT},
      {6, TYPE_INT}, {7, TYPE_INT}, {8, TYPE_BOOL}, {9, TYPE_BOOL}, {10, TYPE_BOOL}, {11, TYPE_BOOL},
      {12, TYPE_BOOL}, {13, TYPE_BOOL}}},
    {"reflection map block 1", TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID, 1, 1, 1,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_TEXMAP}, {3, TYPE_POINT3}}},
};
// clang-format on

TEST_F(Tavelin3Test, Blocks_HaveTheirIDsTypesAndPlaces) {
    for (const BlockLayout& b : kBlockLayouts) {
        SCOPED_TRACE(b.what);
        auto* obj = Make<ReferenceTarget>(b.super, b.cls);
        ASSERT_NE(obj, nullptr);
        IParamBlock2* pb = obj->GetParamBlockByID(b.id);
        ASSERT_NE(pb, nullptr);
        EXPECT_EQ(obj->GetParamBlock(b.index), pb);
        EXPECT_EQ(obj->GetReference(b.ref), pb);
        ASSERT_EQ(pb->NumParams(), static_cast<int>(b.params.size()));
        for (int k = 0; k < pb->NumParams(); ++k) {
            EXPECT_EQ(pb->IndextoID(k), b.params[static_cast<size_t>(k)].id) << "index " << k;
            EXPECT_EQ(pb->GetParameterType(b.params[static_cast<size_t>(k)].id),
                      b.params[static_cast<size_t>(k)].type)
                << "index " << k;
        }
    }
}

// A conversion must be seen to have written a value: no default equals a value it writes.
TEST_F(Tavelin3Test, Defaults_DifferFromEveryWrittenValue) {
    IParamBlock2* mtl = NewMaterial()->GetParamBlock(0);
    EXPECT_NE(mtl->GetFloat(1), 0.0f);
    EXPECT_NE(mtl->GetFloat(1), 100.0f);
    EXPECT_NE(mtl->GetInt(3), 1);
    EXPECT_NE(mtl->GetInt(6), 98);
    EXPECT_EQ(mtl->GetInt(7), -1);
    EXPECT_EQ(mtl->GetInt(8), -1);
    for (ParamID id : {10, 14, 17}) EXPECT_FALSE(mtl->GetInt(id) == 0 || mtl->GetInt(id) == 1) << id;
    EXPECT_EQ(mtl->Count(12), 4);

    IParamBlock2* zone = NewZone()->GetParamBlock(0);
    for (ParamID id : {0, 1}) EXPECT_TRUE(zone->GetFloat(id) < 0.0f) << id;  // bounds are percentages
    EXPECT_NE(zone->GetInt(7), 3);
    int number = zone->GetInt(Tvl3Zone::kZoneNumber);
    EXPECT_TRUE(number < 1 || number > 8);
    EXPECT_EQ(zone->Count(Tvl3Zone::kStrokeSwitches), 0);
    EXPECT_EQ(zone->Count(10), 4);
    EXPECT_EQ(zone->GetTexmap(10, 0, 3), nullptr);
}

// ---- creation ----

TEST_F(Tavelin3Test, Material_MakesItsSettingsAndABlinnBaseMaterialAtCreation) {
    Tvl3Material* mtl = NewMaterial();
    auto* settings = dynamic_cast<Tvl3Settings*>(mtl->GetSettings());
    ASSERT_NE(settings, nullptr);
    ASSERT_NE(settings->GetHolder(), nullptr);
    IParamBlock2* holderBlock = settings->GetHolder()->GetParamBlockByID(0);
    ASSERT_NE(holderBlock, nullptr);
    EXPECT_EQ(settings->GetHolder()->GetReference(0), holderBlock);
    EXPECT_NE(settings->GetReference(Tvl3Settings::kRefPresets), settings->GetHolder());

    auto* base = dynamic_cast<StdMat2*>(mtl->GetSubMtl(0));
    ASSERT_NE(base, nullptr);
    ASSERT_NE(base->GetShader(), nullptr);
    EXPECT_EQ(base->GetShader()->ClassID(), BLINN_SHADER_CLASS_ID);
    EXPECT_EQ(mtl->NumZones(), 0);

    // Each material makes its own.
    Tvl3Material* other = NewMaterial();
    EXPECT_NE(other->GetSettings(), mtl->GetSettings());
    EXPECT_NE(other->GetSubMtl(0), mtl->GetSubMtl(0));
}

TEST_F(Tavelin3Test, Material_WithoutAStandardClassLeavesTheBaseEmpty) {
    HostCore::Get().SetClassLoaded(MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID, false);
    Tvl3Material* mtl = NewMaterial();
    ASSERT_NE(mtl, nullptr);
    EXPECT_EQ(mtl->GetReference(Tvl3Material::kRefBaseMtl), nullptr);
    EXPECT_NE(mtl->GetSettings(), nullptr);

    HostCore::Get().SetProductLoaded(PRODUCT_TAVELIN3, false);
    EXPECT_EQ(NewMaterial(), nullptr);
    EXPECT_EQ(NewZone(), nullptr);
}

// ---- sub-materials and sub-maps ----

TEST_F(Tavelin3Test, Material_SubObjectsAreItsOwnReferencesAndAnswerOnlyTheirSuperClass) {
    Tvl3Material* mtl = NewMaterial();
    Tvl3Material* base = NewMaterial();
    mtl->SetSubMtl(0, base);
    EXPECT_EQ(mtl->GetReference(Tvl3Material::kRefBaseMtl), base);
    EXPECT_EQ(mtl->GetSubMtl(0), base);

    ASSERT_EQ(mtl->NumSubTexmaps(), 5);
    for (int i = 0; i < mtl->NumSubTexmaps(); ++i) {
        Tvl3StrokeMap* map = NewStroke();
        mtl->SetSubTexmap(i, map);
        EXPECT_EQ(mtl->GetReference(Tvl3Material::kRefFirstSubMap + i), map) << i;
        EXPECT_EQ(mtl->GetSubTexmap(i), map) << i;
        // The material itself holds it, not its block.
        DependentIterator users(map);
        EXPECT_EQ(users.Next(), mtl);
        EXPECT_EQ(users.Next(), nullptr);
    }

    // A slot that holds an object of another super class answers null.
    Tvl3StrokeMap* map = NewStroke();
    mtl->ReplaceReference(Tvl3Material::kRefBaseMtl, map);
    EXPECT_EQ(mtl->GetSubMtl(0), nullptr);
    mtl->ReplaceReference(Tvl3Material::kRefFirstSubMap, NewMaterial());
    EXPECT_EQ(mtl->GetSubTexmap(0), nullptr);
}

// Its sub-maps are block 0 parameters; a map made without that block has none.
TEST_F(Tavelin3Test, ReflectRefractMap_KeepsItsSubMapsInBlock0) {
    auto* refl = Make<Tvl3ReflectRefractMap>(TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
    Tvl3StrokeMap* a = NewStroke();
    Tvl3StrokeMap* b = NewStroke();
    refl->SetSubTexmap(0, a);
    refl->SetSubTexmap(1, b);
    IParamBlock2* pb = refl->GetParamBlockByID(0);
    EXPECT_EQ(pb->GetTexmap(3), a);
    EXPECT_EQ(pb->GetTexmap(4), b);
    EXPECT_EQ(refl->GetSubTexmap(1), b);

    Tvl3ReflectRefractMap* damaged = nullptr;
    {
        Tvl3ReflectRefractMap::MadeWithoutBlockScope scope;
        damaged = Make<Tvl3ReflectRefractMap>(TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
    }
    EXPECT_EQ(damaged->GetParamBlockByID(0), nullptr);
    EXPECT_NE(damaged->GetParamBlockByID(1), nullptr);
    damaged->SetSubTexmap(0, a);
    EXPECT_EQ(damaged->GetSubTexmap(0), nullptr);
    EXPECT_NE(
        Make<Tvl3ReflectRefractMap>(TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID)->GetParamBlockByID(0),
        nullptr);
}

// ---- the list interfaces ----

struct ListInterface {
    const char* what;
    SClass_ID super;
    Class_ID cls;
    Interface_ID iid;
    FunctionID set, count, get;
    int firstRef;
};

const ListInterface kListInterfaces[] = {
    {"material zones", MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID, TVL3_MATERIAL_INTERFACE_ID, 1, 2, 3, 11},
    {"zone strokes", REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID, TVL3_ZONE_INTERFACE_ID, 0, 1, 2, 2},
};

class ListCalls {
public:
    ListCalls(const ListInterface& li, ReferenceTarget* owner)
        : li_(li), fp_(static_cast<FPInterface*>(owner->GetInterface(li.iid))) {}
    FPInterface* fp() const { return fp_; }
    FPStatus Set(std::vector<ReferenceTarget*> items) {
        Tab<ReferenceTarget*> tab;
        for (ReferenceTarget* r : items) tab.Append(1, &r);
        FPParams p(1, TYPE_REFTARG_TAB_BR, &tab);
        return fp_->Invoke(li_.set, &p);
    }
    int Count() {
        FPValue result;
        EXPECT_EQ(fp_->Invoke(li_.count, result), FPS_OK);
        EXPECT_EQ(result.type, TYPE_INT);
        return result.i;
    }
    ReferenceTarget* Get(int i) {
        FPValue result;
        FPParams p(1, TYPE_INT, i);
        EXPECT_EQ(fp_->Invoke(li_.get, result, &p), FPS_OK);
        EXPECT_EQ(result.type, TYPE_REFTARG);
        return result.r;
    }

private:
    const ListInterface& li_;
    FPInterface* fp_;
};

TEST_F(Tavelin3Test, ListInterfaces_HoldExactlyTheGivenEntriesInOrder) {
    for (const ListInterface& li : kListInterfaces) {
        SCOPED_TRACE(li.what);
        auto* owner = Make<ReferenceTarget>(li.super, li.cls);
        ListCalls calls(li, owner);
        ASSERT_NE(calls.fp(), nullptr);
        EXPECT_EQ(calls.fp()->GetID(), li.iid);
        EXPECT_EQ(calls.Count(), 0);

        ReferenceTarget* a = NewZone();
        ReferenceTarget* b = NewStroke();
        ASSERT_EQ(calls.Set({a, nullptr, b}), FPS_OK);
        ASSERT_EQ(calls.Count(), 3);
        EXPECT_EQ(calls.Get(0), a);
        EXPECT_EQ(calls.Get(1), nullptr);
        EXPECT_EQ(calls.Get(2), b);
        EXPECT_EQ(owner->NumRefs(), li.firstRef + 3);
        EXPECT_EQ(owner->GetReference(li.firstRef + 2), b);
        EXPECT_TRUE(RefersTo(a, owner));
        EXPECT_TRUE(RefersTo(b, owner));
        // Out of range answers null, still successfully.
        EXPECT_EQ(calls.Get(3), nullptr);
        EXPECT_EQ(calls.Get(-1), nullptr);

        // A new list replaces the old one whole.
        ASSERT_EQ(calls.Set({b}), FPS_OK);
        EXPECT_EQ(calls.Count(), 1);
        EXPECT_EQ(calls.Get(0), b);
        for (int i = 0; i < owner->NumRefs(); ++i) EXPECT_NE(owner->GetReference(i), a);  // let go, and gone
        EXPECT_EQ(owner->NumRefs(), li.firstRef + 1);
        ASSERT_EQ(calls.Set({}), FPS_OK);
        EXPECT_EQ(calls.Count(), 0);
        EXPECT_EQ(owner->NumRefs(), li.firstRef);
    }
}

TEST_F(Tavelin3Test, ListInterfaces_RefuseMalformedCalls) {
    for (const ListInterface& li : kListInterfaces) {
        SCOPED_TRACE(li.what);
        auto* owner = Make<ReferenceTarget>(li.super, li.cls);
        auto* fp = static_cast<FPInterface*>(owner->GetInterface(li.iid));
        FPValue result;
        EXPECT_EQ(fp->Invoke(7, result), FPS_NO_SUCH_FUNCTION);
        EXPECT_EQ(fp->Invoke(li.set, result), FPS_FAIL);
        FPParams wrongType(1, TYPE_INT, 2);
        EXPECT_EQ(fp->Invoke(li.set, result, &wrongType), FPS_FAIL);
        EXPECT_EQ(fp->Invoke(li.get, result), FPS_FAIL);
    }
}

TEST_F(Tavelin3Test, Zone_StrokeSetterSwitchesEveryStrokeOn) {
    Tvl3Zone* zone = NewZone();
    IParamBlock2* pb = zone->GetParamBlock(0);
    pb->SetCount(Tvl3Zone::kStrokeSwitches, 6);  // six stale switches, all off
    ListCalls calls(kListInterfaces[1], zone);
    ASSERT_EQ(calls.Set({NewStroke(), nullptr, NewStroke()}), FPS_OK);
    ASSERT_EQ(pb->Count(Tvl3Zone::kStrokeSwitches), 3);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(pb->GetInt(Tvl3Zone::kStrokeSwitches, 0, k), 1) << k;
    ASSERT_EQ(calls.Set({}), FPS_OK);
    EXPECT_EQ(pb->Count(Tvl3Zone::kStrokeSwitches), 0);
}

TEST_F(Tavelin3Test, Zone_MadeWithoutBlock0StillTakesStrokes) {
    Tvl3Zone* zone = nullptr;
    {
        Tvl3Zone::MadeWithoutBlockScope scope;
        zone = NewZone();
    }
    EXPECT_EQ(zone->GetParamBlock(0), nullptr);
    EXPECT_EQ(zone->GetParamBlockByID(0), nullptr);
    ListCalls calls(kListInterfaces[1], zone);
    ASSERT_EQ(calls.Set({NewStroke(), NewStroke()}), FPS_OK);
    EXPECT_EQ(calls.Count(), 2);
    EXPECT_NE(NewZone()->GetParamBlock(0), nullptr);
}

TEST_F(Tavelin3Test, Material_CanWithholdItsInterface) {
    Tvl3Material* mtl = NewMaterial();
    mtl->WithholdInterface(true);
    EXPECT_EQ(mtl->GetInterface(TVL3_MATERIAL_INTERFACE_ID), nullptr);
    auto* copy = static_cast<Tvl3Material*>(CloneRefHierarchy(mtl));
    EXPECT_EQ(copy->GetInterface(TVL3_MATERIAL_INTERFACE_ID), nullptr);
    mtl->WithholdInterface(false);
    EXPECT_NE(mtl->GetInterface(TVL3_MATERIAL_INTERFACE_ID), nullptr);

    Tvl3Material* made = nullptr;
    {
        Tvl3Material::WithheldInterfaceScope scope;
        made = NewMaterial();
    }
    EXPECT_EQ(made->GetInterface(TVL3_MATERIAL_INTERFACE_ID), nullptr);
    EXPECT_NE(NewMaterial()->GetInterface(TVL3_MATERIAL_INTERFACE_ID), nullptr);
}

// ---- cloning ----

TEST_F(Tavelin3Test, Clone_IsIndependentButKeepsSharingInside) {
    Tvl3Material* mtl = NewMaterial();
    mtl->SetName(L"Skin");
    Tvl3StrokeMap* stroke = NewStroke();
    Tvl3Zone* z0 = NewZone();
    Tvl3Zone* z1 = NewZone();
    Tab<ReferenceTarget*> strokes;
    ReferenceTarget* s = stroke;
    strokes.Append(1, &s);
    z0->SetStrokes(strokes);
    z1->SetStrokes(strokes);
    z0->ReplaceReference(Tvl3Zone::kRefMap, stroke);
    Tab<ReferenceTarget*> zones;
    ReferenceTarget* zs[] = {z0, nullptr, z1};
    zones.Append(3, zs);
    mtl->SetZones(zones);

    auto* copy = static_cast<Tvl3Material*>(CloneRefHierarchy(mtl));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), L"Skin");
    ASSERT_EQ(copy->NumZones(), 3);
    auto* c0 = dynamic_cast<Tvl3Zone*>(copy->GetZone(0));
    auto* c1 = dynamic_cast<Tvl3Zone*>(copy->GetZone(2));
    ASSERT_NE(c0, nullptr);
    ASSERT_NE(c1, nullptr);
    EXPECT_EQ(copy->GetZone(1), nullptr);
    EXPECT_NE(c0, z0);
    // One stroke map met three times is copied once.
    EXPECT_NE(c0->GetStroke(0), stroke);
    EXPECT_EQ(c0->GetStroke(0), c1->GetStroke(0));
    EXPECT_EQ(c0->GetMap(), c0->GetStroke(0));
    EXPECT_EQ(c0->GetParamBlock(0)->Count(Tvl3Zone::kStrokeSwitches), 1);

    EXPECT_NE(copy->GetSettings(), nullptr);
    EXPECT_NE(copy->GetSettings(), mtl->GetSettings());
    EXPECT_NE(copy->GetSubMtl(0), nullptr);
    EXPECT_NE(copy->GetSubMtl(0), mtl->GetSubMtl(0));
    IParamBlock2* pb = copy->GetParamBlock(0);
    EXPECT_EQ(pb->GetOwner(), copy);
    pb->SetValue(4, 0, 55);
    EXPECT_EQ(pb->GetInt(4), 55);
    EXPECT_EQ(mtl->GetParamBlock(0)->GetInt(4), -1);
    EXPECT_NE(copy->GetInterface(TVL3_MATERIAL_INTERFACE_ID), mtl->GetInterface(TVL3_MATERIAL_INTERFACE_ID));
}

}  // namespace
