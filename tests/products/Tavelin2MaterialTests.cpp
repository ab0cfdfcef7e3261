#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProductClassIds.h"
#include "Products.h"
#include "hostcore.h"
#include "max.h"
#include "tavelin2/Tvl2Material.h"
#include "tavelin2/Tvl2ReflectRefractMap.h"
#include "tavelin2/Tvl2Settings.h"
#include "tavelin2/Tvl2StrokeMap.h"

namespace {

const Class_ID kBlockClass(PARAMETER_BLOCK2_CLASS_ID, 0);

class Tavelin2Test : public ::testing::Test {
protected:
    void SetUp() override { RegisterStandInProducts(); }
    void TearDown() override { HostCore::Get().ResetScene(); }

    static ReferenceTarget* Make(SClass_ID super, Class_ID cls) {
        return static_cast<ReferenceTarget*>(GetCOREInterface()->CreateInstance(super, cls));
    }
    static Tvl2Material* NewMaterial() {
        return static_cast<Tvl2Material*>(Make(MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID));
    }
    static Tvl2StrokeMap* NewStroke() {
        return static_cast<Tvl2StrokeMap*>(Make(TEXMAP_CLASS_ID, TVL2_STROKE_MAP_CLASS_ID));
    }
};

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
    {"material", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, L"Tvl2Material", 42,
     {{0, kBlockClass}, {2, kBlockClass}, {3, kBlockClass}, {4, kBlockClass}, {5, kBlockClass},
      {8, TVL2_SETTINGS_CLASS_ID}}},
    {"stroke map", TEXMAP_CLASS_ID, TVL2_STROKE_MAP_CLASS_ID, L"Tvl2StrokeMap", 5,
     {{0, kBlockClass}, {1, CURVE_CONTROL_CLASS_ID}, {2, UVGEN_STANDIN_CLASS_ID}}},
    {"settings", REF_TARGET_CLASS_ID, TVL2_SETTINGS_CLASS_ID, L"Tvl2Settings", 4,
     {{0, kBlockClass}, {1, TVL2_PARAM_HOLDER_CLASS_ID}}},
    {"holder", REF_TARGET_CLASS_ID, TVL2_PARAM_HOLDER_CLASS_ID, L"Tvl2ParamHolder", 1, {{0, kBlockClass}}},
    {"reflection map", TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID, L"Tvl2ReflectRefractMap", 2,
     {{0, kBlockClass}, {1, kBlockClass}}},
};
// clang-format on

TEST_F(Tavelin2Test, Classes_AnswerTheirIdentifiersAndHoldTheirReferencesInPlace) {
    for (const ClassLayout& c : kClassLayouts) {
        SCOPED_TRACE(c.what);
        ReferenceTarget* obj = Make(c.super, c.cls);
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
    EXPECT_EQ(name, L"Tavelin 2 Material");
}

struct Param {
    ParamID id;
    int type;
};

// clang-format off
const std::vector<Param> kZoneParams = {
    {0, TYPE_FLOAT}, {1, TYPE_FLOAT}, {2, TYPE_BOOL}, {3, TYPE_RGBA}, {4, TYPE_FLOAT}, {5, TYPE_INT},
    {6, TYPE_POINT3}, {7, TYPE_INT}, {8, TYPE_FLOAT}, {9, TYPE_INT_TAB}, {10, TYPE_TEXMAP_TAB}, {12, TYPE_TEXMAP},
    {13, TYPE_PCNT_FRAC}, {14, TYPE_STRING}, {15, TYPE_FLOAT}, {16, TYPE_FLOAT},
};
// clang-format on

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
    {"material block 0", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_FLOAT}, {2, TYPE_RGBA}, {3, TYPE_INT}, {4, TYPE_INT}, {5, TYPE_INT},
      {6, TYPE_INT}, {7, TYPE_INT}, {8, TYPE_INT}, {9, TYPE_FLOAT}, {10, TYPE_INT}, {11, TYPE_FLOAT},
      {12, TYPE_FLOAT_TAB}, {13, TYPE_STRING}, {14, TYPE_INT}, {15, TYPE_INT}, {16, TYPE_TEXMAP}, {17, TYPE_INT},
      {18, TYPE_INT}, {19, TYPE_PCNT_FRAC}, {20, TYPE_FLOAT}}},
    {"zone 0 block", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, 1, 2, 2, kZoneParams},
    {"zone 1 block", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, 2, 3, 3, kZoneParams},
    {"zone 2 block", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, 3, 4, 4, kZoneParams},
    {"zone 3 block", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, 4, 5, 5, kZoneParams},
    {"stroke map block 0", TEXMAP_CLASS_ID, TVL2_STROKE_MAP_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_BOOL}, {3, TYPE_RGBA}, {4, TYPE_ANGLE}, {5, TYPE_BOOL_TAB},
      {6, TYPE_POINT3_TAB}, {7, TYPE_TEXMAP}}},
    {"settings block 0", REF_TARGET_CLASS_ID, TVL2_SETTINGS_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_FLOAT_TAB}, {3, TYPE_ANGLE}}},
    {"holder block 0", REF_TARGET_CLASS_ID, TVL2_PARAM_HOLDER_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_INT_TAB}, {3, TYPE_MTL_TAB}}},
    {"reflection map block 0", TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID, 0, 0, 0,
     {{0, TYPE_FLOAT}, {1, TYPE_FLOAT}, {2, TYPE_RGBA}, {3, TYPE_FLOAT}, {4, TYPE_INT}, {5, TYPE_FLOAT},
      {6, TYPE_BOOL}, {7, TYPE_BOOL}, {8, TYPE_BOOL}, {9, TYPE_BOOL}, {10, TYPE_BOOL}, {11, TYPE_TEXMAP},
      {12, TYPE_TEXMAP}, {13, TYPE_FLOAT}}},
    {"reflection map block 1", TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID, 1, 1, 1,
     {{0, TYPE_FLOAT}, {1, TYPE_INT}, {2, TYPE_TEXMAP}, {3, TYPE_RGBA}}},
};
// clang-format on

void ExpectParams(IParamBlock2* pb, const std::vector<Param>& params) {
    ASSERT_EQ(pb->NumParams(), static_cast<int>(params.size()));
    for (int k = 0; k < pb->NumParams(); ++k) {
        const Param& p = params[static_cast<size_t>(k)];
        EXPECT_EQ(pb->IndextoID(k), p.id) << "index " << k;
        EXPECT_EQ(pb->GetParameterType(p.id), p.type) << "index " << k;
    }
}

TEST_F(Tavelin2Test, Blocks_HaveTheirIDsTypesAndPlaces) {
    for (const BlockLayout& b : kBlockLayouts) {
        SCOPED_TRACE(b.what);
        ReferenceTarget* obj = Make(b.super, b.cls);
        ASSERT_NE(obj, nullptr);
        IParamBlock2* pb = obj->GetParamBlockByID(b.id);
        ASSERT_NE(pb, nullptr);
        EXPECT_EQ(obj->GetParamBlock(b.index), pb);
        EXPECT_EQ(obj->GetReference(b.ref), pb);
        ExpectParams(pb, b.params);
    }
}

TEST_F(Tavelin2Test, NumberedZoneBlocks_AddTheZoneNumber) {
    Tvl2Material* mtl = NewMaterial();
    mtl->UseNumberedZoneBlocks();
    std::vector<Param> numbered = kZoneParams;
    numbered.insert(numbered.begin() + 11, Param{11, TYPE_INT});
    for (int i = 0; i < Tvl2Material::kNumZones; ++i) {
        SCOPED_TRACE(i);
        IParamBlock2* pb = mtl->GetParamBlock(1 + i);
        ASSERT_NE(pb, nullptr);
        EXPECT_EQ(pb->ID(), 2 + i);
        EXPECT_EQ(mtl->GetReference(2 + i), pb);
        ExpectParams(pb, numbered);
        int number = pb->GetInt(11);
        EXPECT_TRUE(number < 1 || number > 4) << "a default zone number must not pass for a converted one";
    }
}

// Every block can go missing, and only that one does.
TEST_F(Tavelin2Test, Material_LosesExactlyTheRemovedBlock) {
    const BlockID ids[] = {0, 2, 3, 4, 5};
    for (BlockID gone : ids) {
        SCOPED_TRACE(gone);
        Tvl2Material* mtl = NewMaterial();
        mtl->RemoveBlock(gone);
        for (int index = 0; index < 5; ++index) {
            BlockID id = ids[index];
            EXPECT_EQ(mtl->GetParamBlockByID(id) == nullptr, id == gone) << "block " << id;
            EXPECT_EQ(mtl->GetParamBlock(index) == nullptr, id == gone) << "index " << index;
        }
    }
}

TEST_F(Tavelin2Test, Material_ZoneObjectsAndStrokeSlotsSitSevenReferencesApart) {
    Tvl2Material* mtl = NewMaterial();
    for (int i = 0; i < Tvl2Material::kNumZones; ++i) {
        ReferenceTarget* object = NewStroke();
        mtl->SetZoneObject(i, object);
        EXPECT_EQ(mtl->GetReference(7 * i + 14), object) << "zone " << i;
        EXPECT_EQ(mtl->GetZoneObject(i), object);
        for (int j = 0; j < Tvl2Material::kStrokeSlots; ++j) {
            ReferenceTarget* stroke = NewStroke();
            mtl->SetStrokeSlot(i, j, stroke);
            EXPECT_EQ(mtl->GetReference(7 * i + 15 + j), stroke) << "zone " << i << " slot " << j;
            EXPECT_EQ(mtl->GetStrokeSlot(i, j), stroke);
        }
    }
    EXPECT_EQ(mtl->GetStrokeSlot(0, 6), nullptr);
    EXPECT_EQ(mtl->GetZoneObject(4), nullptr);
    EXPECT_NE(mtl->GetReference(41), nullptr);
}

TEST_F(Tavelin2Test, Material_SubObjectsAreItsOwnReferencesAndAnswerOnlyTheirSuperClass) {
    Tvl2Material* mtl = NewMaterial();
    Tvl2Material* base = NewMaterial();
    mtl->SetSubMtl(0, base);
    EXPECT_EQ(mtl->GetReference(Tvl2Material::kRefBaseMtl), base);
    EXPECT_EQ(mtl->GetSubMtl(0), base);
    ASSERT_EQ(mtl->NumSubTexmaps(), 5);
    for (int i = 0; i < mtl->NumSubTexmaps(); ++i) {
        Tvl2StrokeMap* map = NewStroke();
        mtl->SetSubTexmap(i, map);
        EXPECT_EQ(mtl->GetReference(9 + i), map) << i;
        EXPECT_EQ(mtl->GetSubTexmap(i), map) << i;
    }
    mtl->ReplaceReference(Tvl2Material::kRefBaseMtl, NewStroke());
    EXPECT_EQ(mtl->GetSubMtl(0), nullptr);
    mtl->ReplaceReference(Tvl2Material::kRefFirstSubMap, NewMaterial());
    EXPECT_EQ(mtl->GetSubTexmap(0), nullptr);
}

TEST_F(Tavelin2Test, ReflectRefractMap_KeepsItsSubMapsInBlock0) {
    auto* refl =
        static_cast<Tvl2ReflectRefractMap*>(Make(TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID));
    Tvl2StrokeMap* a = NewStroke();
    Tvl2StrokeMap* b = NewStroke();
    refl->SetSubTexmap(0, a);
    refl->SetSubTexmap(1, b);
    IParamBlock2* pb = refl->GetParamBlockByID(0);
    EXPECT_EQ(pb->GetTexmap(11), a);
    EXPECT_EQ(pb->GetTexmap(12), b);
    EXPECT_EQ(refl->GetSubTexmap(0), a);

    refl->RemoveBlock(0);
    EXPECT_EQ(refl->GetParamBlockByID(0), nullptr);
    EXPECT_EQ(refl->GetSubTexmap(0), nullptr);
    EXPECT_NE(refl->GetParamBlockByID(1), nullptr);
}

// ---- defaults against the Tavelin 3 side ----

// Whether two parameters start with the same value (for tables: the same count and first entry).
bool SameDefault(IParamBlock2* a, ParamID ida, IParamBlock2* b, ParamID idb) {
    int type = a->GetParameterType(ida);
    if (is_tab(type) && a->Count(ida) != b->Count(idb)) return false;
    if (is_tab(type) && a->Count(ida) == 0) return true;
    switch (base_type(type)) {
        case TYPE_FLOAT:
        case TYPE_ANGLE:
        case TYPE_PCNT_FRAC:
            return a->GetFloat(ida) == b->GetFloat(idb);
        case TYPE_INT:
        case TYPE_BOOL:
            return a->GetInt(ida) == b->GetInt(idb);
        case TYPE_RGBA:
            return a->GetColor(ida) == b->GetColor(idb);
        case TYPE_POINT3:
            return a->GetPoint3(ida) == b->GetPoint3(idb);
        case TYPE_STRING:
            return std::wstring(a->GetStr(ida)) == b->GetStr(idb);
        default:
            return true;  // maps and materials start empty on both sides
    }
}

struct BlockPair {
    const char* what;
    SClass_ID super2;
    Class_ID cls2;
    BlockID id2;
    SClass_ID super3;
    Class_ID cls3;
    BlockID id3;
};

// clang-format off
const BlockPair kBlockPairs[] = {
    {"material", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, 0, MATERIAL_CLASS_ID, TVL3_MATERIAL_CLASS_ID, 0},
    {"zone", MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID, 3, REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID, 0},
    {"stroke map", TEXMAP_CLASS_ID, TVL2_STROKE_MAP_CLASS_ID, 0, TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID, 0},
    {"settings", REF_TARGET_CLASS_ID, TVL2_SETTINGS_CLASS_ID, 0, REF_TARGET_CLASS_ID, TVL3_SETTINGS_CLASS_ID, 0},
    {"holder", REF_TARGET_CLASS_ID, TVL2_PARAM_HOLDER_CLASS_ID, 0, REF_TARGET_CLASS_ID, TVL3_PARAM_HOLDER_CLASS_ID, 0},
    {"reflection map block 1", TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID, 1,
     TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID, 1},
};
// clang-format on

// A parameter copied by ID and type must start differently on the two sides, or a copy of it would not show.
TEST_F(Tavelin2Test, Defaults_OfEveryParameterCopiedByIDDifferFromTavelin3) {
    for (const BlockPair& p : kBlockPairs) {
        SCOPED_TRACE(p.what);
        IParamBlock2* pb2 = Make(p.super2, p.cls2)->GetParamBlockByID(p.id2);
        IParamBlock2* pb3 = Make(p.super3, p.cls3)->GetParamBlockByID(p.id3);
        ASSERT_NE(pb2, nullptr);
        ASSERT_NE(pb3, nullptr);
        int compared = 0;
        for (int k = 0; k < pb2->NumParams(); ++k) {
            ParamID id = pb2->IndextoID(k);
            int type = pb2->GetParameterType(id);
            if (type != pb3->GetParameterType(id) || IsRefType(type)) continue;
            ++compared;
            EXPECT_FALSE(SameDefault(pb2, id, pb3, id)) << "parameter " << id;
        }
        EXPECT_GT(compared, 0);
    }
}

// The reflection map's block 0 is renumbered on the way; its switches are then inverted, so each
// Tavelin 3 switch starts as its source does and a converted default flips it.
TEST_F(Tavelin2Test, Defaults_OfTheReflectionMapShowTheRenumberedCopy) {
    IParamBlock2* pb2 = Make(TEXMAP_CLASS_ID, TVL2_REFLECT_REFRACT_MAP_CLASS_ID)->GetParamBlockByID(0);
    IParamBlock2* pb3 = Make(TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID)->GetParamBlockByID(0);
    const std::pair<ParamID, ParamID> copied[] = {{0, 0}, {1, 1}, {2, 2}, {3, 5}, {4, 6}};
    for (const auto& c : copied) EXPECT_FALSE(SameDefault(pb2, c.first, pb3, c.second)) << c.first;
    const std::pair<ParamID, ParamID> switches[] = {{6, 8}, {6, 9}, {7, 10}, {8, 11}, {9, 12}, {10, 13}};
    for (const auto& s : switches) EXPECT_EQ(pb2->GetInt(s.first), pb3->GetInt(s.second)) << s.second;
}

// ---- sharing and cloning ----

TEST_F(Tavelin2Test, Clone_IsIndependentButKeepsSharingInside) {
    Tvl2Material* mtl = NewMaterial();
    Tvl2StrokeMap* stroke = NewStroke();
    mtl->SetStrokeSlot(0, 2, stroke);
    mtl->SetStrokeSlot(3, 5, stroke);
    mtl->GetZoneBlock(1)->SetValue(Tvl2Material::kZoneStrokeSwitches, 0, 0, 4);
    auto* settings = static_cast<Tvl2Settings*>(mtl->GetSettings());
    settings->SetName(L"Paper");
    NewMaterial()->SetSettings(settings);  // shared settings are allowed

    auto* copy = static_cast<Tvl2Material*>(CloneRefHierarchy(mtl));
    ReferenceTarget* copied = copy->GetStrokeSlot(0, 2);
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, stroke);
    EXPECT_EQ(copy->GetStrokeSlot(3, 5), copied);
    EXPECT_NE(copied->GetReference(Tvl2StrokeMap::kRefCurve), stroke->GetReference(Tvl2StrokeMap::kRefCurve));
    EXPECT_EQ(copy->GetZoneBlock(1)->GetInt(Tvl2Material::kZoneStrokeSwitches, 0, 4), 0);
    EXPECT_EQ(copy->GetZoneBlock(1)->GetOwner(), copy);

    auto* copiedSettings = dynamic_cast<Tvl2Settings*>(copy->GetSettings());
    ASSERT_NE(copiedSettings, nullptr);
    EXPECT_NE(copiedSettings, settings);
    EXPECT_EQ(copiedSettings->GetName(), L"Paper");
    ASSERT_NE(copiedSettings->GetHolder(), nullptr);
    copiedSettings->GetHolder()->GetParamBlockByID(0)->SetValue(1, 0, 9);
    EXPECT_EQ(settings->GetHolder()->GetParamBlockByID(0)->GetInt(1), 3);
}

}  // namespace
