// The host's own classes: the Standard material and its variant, their shaders, and the plain
// materials, maps and controls that scenes hold beside them.

#include <gtest/gtest.h>

#include <vector>

#include "ProductClassIds.h"
#include "Products.h"
#include "hostclasses/BitmapTex.h"
#include "hostclasses/CurveControl.h"
#include "hostclasses/MultiSubMtl.h"
#include "hostclasses/StdUVGen.h"
#include "stdmat/AnisotropicShader.h"
#include "stdmat/BlinnShader.h"
#include "stdmat/FinalToonShader.h"
#include "stdmat/IllustrateShader.h"
#include "stdmat/StandardMtl.h"
#include "stdmat/StandardVariantMtl.h"

void RegisterHostMapClasses();
void RegisterStandardMaterialClasses();

namespace {

class HostClasses : public ::testing::Test {
protected:
    void SetUp() override {
        HostCore::Get().ResetScene();
        RegisterHostMapClasses();
        RegisterStandardMaterialClasses();
    }
    void TearDown() override { HostCore::Get().ResetScene(); }

    template <class T>
    static T* Make() {
        return static_cast<T*>(GetCOREInterface()->CreateInstance(T::kInfo.superClass, T::kInfo.classID));
    }
    static Shader* MakeShader(Class_ID id) {
        return static_cast<Shader*>(GetCOREInterface()->CreateInstance(SHADER_CLASS_ID, id));
    }
    static StdMtlBase* MakeStandard(Class_ID shader) {
        auto* m = Make<StandardMtl>();
        if (shader != BLINN_SHADER_CLASS_ID) m->SetShader(MakeShader(shader));
        return m;
    }
};

const Class_ID kShaderIDs[] = {BLINN_SHADER_CLASS_ID, ANISOTROPIC_SHADER_CLASS_ID, FINALTOON_SHADER_CLASS_ID,
                               ILLUSTRATE_SHADER_CLASS_ID};

struct ClassRow {
    SClass_ID super;
    Class_ID id;
    const MCHAR* className;
    const MCHAR* internalName;
    const MCHAR* product;
};

const ClassRow kHostClasses[] = {
    {MATERIAL_CLASS_ID, Class_ID(2, 0), L"Standard", L"StandardMaterial", PRODUCT_HOST},
    {MATERIAL_CLASS_ID, STDMAT_VARIANT_CLASS_ID, L"StandardVariant", L"StandardVariantMaterial",
     PRODUCT_STDMAT_VARIANT},
    {SHADER_CLASS_ID, Class_ID(0x38, 0), L"Blinn", L"BlinnShader", PRODUCT_HOST},
    {SHADER_CLASS_ID, Class_ID(0x2857F460, 0), L"Anisotropic", L"AnisotropicShader", PRODUCT_HOST},
    {SHADER_CLASS_ID, FINALTOON_SHADER_CLASS_ID, L"finalToon", L"FinalToonShader", PRODUCT_FINALTOON},
    {SHADER_CLASS_ID, ILLUSTRATE_SHADER_CLASS_ID, L"Illustrate!", L"IllustrateShader", PRODUCT_ILLUSTRATE},
    {MATERIAL_CLASS_ID, Class_ID(0x200, 0), L"Multi/Sub-Object", L"MultiSubMaterial", PRODUCT_HOST},
    {TEXMAP_CLASS_ID, BITMAP_MAP_CLASS_ID, L"Bitmap", L"BitmapMap", PRODUCT_HOST},
    {REF_MAKER_CLASS_ID, CURVE_CONTROL_CLASS_ID, L"Curve Control", L"CurveControl", PRODUCT_HOST},
    {UVGEN_CLASS_ID, UVGEN_STANDIN_CLASS_ID, L"UVGen", L"UVGen", PRODUCT_HOST},
};

TEST_F(HostClasses, EachClassIsMadeByTheRegistryWithItsIdentity) {
    for (const ClassRow& row : kHostClasses) {
        SCOPED_TRACE(MSTR(row.internalName).ToUTF8());
        auto* obj = static_cast<ReferenceTarget*>(GetCOREInterface()->CreateInstance(row.super, row.id));
        ASSERT_NE(obj, nullptr);
        EXPECT_TRUE(obj->IsRefTarget());
        EXPECT_EQ(obj->SuperClassID(), row.super);
        EXPECT_EQ(obj->ClassID(), row.id);
        MSTR name;
        obj->GetClassName(name);
        EXPECT_EQ(name, row.className);
        ClassDesc* cd = HostCore::Get().FindClassByName(row.internalName);
        ASSERT_NE(cd, nullptr);
        EXPECT_EQ(cd->ClassID(), row.id);
        EXPECT_EQ(MSTR(cd->Category()), row.product);
    }
    EXPECT_EQ(GetCOREInterface()->CreateInstance(MATERIAL_CLASS_ID, Class_ID(2, 1)), nullptr);
    EXPECT_EQ(GetCOREInterface()->CreateInstance(SHADER_CLASS_ID, Class_ID(0x2857F460, 1)), nullptr);
}

TEST_F(HostClasses, FullNameIsTheNameFollowedByTheClassName) {
    StdMat2* std = Make<StandardMtl>();
    std->SetName(_M("Red"));
    EXPECT_EQ(std->GetFullName(), _M("Red (Standard)"));
    StdMat2* variant = Make<StandardVariantMtl>();
    variant->SetName(_M("Red"));
    EXPECT_EQ(variant->GetFullName(), _M("Red (StandardVariant)"));
}

// ---- map channels ----

TEST_F(HostClasses, StandardIdsBecomeChannelsOfEachClass) {
    struct Row {
        long id;
        long standard;
        long variant;
    };
    const Row kRows[] = {{ID_AM, 0, 0},   {ID_DI, 1, 1},   {ID_SP, 2, 2}, {ID_SH, 3, 3},  {ID_SS, 4, 4},
                         {ID_SI, 5, 5},   {ID_OP, 6, 6},   {ID_FI, 7, 7}, {ID_BU, 8, 11}, {ID_RL, 9, 12},
                         {ID_RR, 10, 13}, {ID_DP, 11, -1}, {-1, -1, -1},  {12, -1, -1}};
    StdMat2* std = Make<StandardMtl>();
    StdMat2* variant = Make<StandardVariantMtl>();
    EXPECT_EQ(std->NumSubTexmaps(), 12);
    EXPECT_EQ(variant->NumSubTexmaps(), 14);
    for (const Row& row : kRows) {
        EXPECT_EQ(std->StdIDToChannel(row.id), row.standard) << "id " << row.id;
        EXPECT_EQ(variant->StdIDToChannel(row.id), row.variant) << "id " << row.id;
    }
    EXPECT_EQ(variant->GetSubTexmapSlotName(11), MSTR(_M("Bump")));
    EXPECT_FLOAT_EQ(variant->GetTexmapAmt(11, 0), 0.3f);
    EXPECT_FLOAT_EQ(std->GetTexmapAmt(ID_BU, 0), 0.3f);
}

// Each channel keeps its own map, switch and amount; nothing leaks into a neighbour.
TEST_F(HostClasses, ChannelsKeepTheirMapsSwitchesAndAmountsApart) {
    for (StdMat2* mtl :
         {static_cast<StdMat2*>(Make<StandardMtl>()), static_cast<StdMat2*>(Make<StandardVariantMtl>())}) {
        const int n = mtl->NumSubTexmaps();
        std::vector<Texmap*> maps;
        for (int ch = 0; ch < n; ++ch) {
            maps.push_back(Make<BitmapTex>());
            mtl->SetSubTexmap(ch, maps.back());
            mtl->EnableMap(ch, ch % 2);
            mtl->SetTexmapAmt(ch, 0.01f * static_cast<float>(ch), 0);
        }
        for (int ch = 0; ch < n; ++ch) {
            EXPECT_EQ(mtl->GetSubTexmap(ch), maps[static_cast<size_t>(ch)]);
            EXPECT_EQ(mtl->MapEnabled(ch), ch % 2);
            EXPECT_FLOAT_EQ(mtl->GetTexmapAmt(ch, 0), 0.01f * static_cast<float>(ch));
        }
        EXPECT_EQ(mtl->GetSubTexmap(n), nullptr);
        EXPECT_EQ(mtl->MapEnabled(n), FALSE);
        const int live = HostCore::Get().NumLiveObjects();
        mtl->SetSubTexmap(1, nullptr);
        EXPECT_EQ(mtl->GetSubTexmap(1), nullptr);
        EXPECT_LT(HostCore::Get().NumLiveObjects(), live);  // the map went with its only reference
    }
}

// ---- shaders ----

struct ShaderLayout {
    Class_ID id;
    std::vector<std::pair<ParamID, ParamType2>> params;
};

const std::vector<std::pair<ParamID, ParamType2>> kBlinnStd = {
    {0, TYPE_RGBA},  {1, TYPE_RGBA},  {2, TYPE_RGBA},  {3, TYPE_BOOL},  {4, TYPE_BOOL},
    {5, TYPE_FLOAT}, {6, TYPE_FLOAT}, {7, TYPE_FLOAT}, {16, TYPE_FLOAT}};

const ShaderLayout kShaderLayouts[] = {
    {BLINN_SHADER_CLASS_ID, kBlinnStd},
    {ANISOTROPIC_SHADER_CLASS_ID, {{8, TYPE_FLOAT}, {9, TYPE_FLOAT}, {16, TYPE_FLOAT}, {0, TYPE_RGBA}}},
    {FINALTOON_SHADER_CLASS_ID,
     {{0, TYPE_RGBA},   {1, TYPE_RGBA},   {2, TYPE_RGBA},   {3, TYPE_INT},    {4, TYPE_INT},
      {8, TYPE_FLOAT},  {9, TYPE_FLOAT},  {10, TYPE_FLOAT}, {16, TYPE_FLOAT}, {20, TYPE_INT},
      {21, TYPE_INT},   {22, TYPE_INT},   {23, TYPE_RGBA},  {24, TYPE_RGBA},  {25, TYPE_RGBA},
      {26, TYPE_FLOAT}, {27, TYPE_FLOAT}, {28, TYPE_FLOAT}, {29, TYPE_FLOAT}, {30, TYPE_FLOAT},
      {31, TYPE_FLOAT}, {32, TYPE_FLOAT}}},
    {ILLUSTRATE_SHADER_CLASS_ID,
     {{0, TYPE_INT},
      {1, TYPE_INT},
      {2, TYPE_INT},
      {3, TYPE_FLOAT},
      {4, TYPE_FLOAT},
      {5, TYPE_FLOAT},
      {6, TYPE_RGBA},
      {7, TYPE_RGBA},
      {8, TYPE_RGBA},
      {12, TYPE_FLOAT},
      {13, TYPE_FLOAT},
      {14, TYPE_FLOAT},
      {15, TYPE_FLOAT},
      {16, TYPE_FLOAT},
      {19, TYPE_FLOAT},
      {20, TYPE_FLOAT}}},
};

TEST_F(HostClasses, ShadersKeepTheirParametersInBlockZero) {
    for (const ShaderLayout& layout : kShaderLayouts) {
        SCOPED_TRACE(testing::Message() << std::hex << layout.id.PartA());
        Shader* s = MakeShader(layout.id);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(s->NumParamBlocks(), 1);
        IParamBlock2* pb = s->GetParamBlock(0);
        ASSERT_NE(pb, nullptr);
        EXPECT_EQ(pb->ID(), 0);
        EXPECT_EQ(s->GetParamBlockByID(0), pb);
        for (const auto& p : layout.params)
            EXPECT_EQ(pb->GetParameterType(p.first), p.second) << "param " << p.first;
    }
    for (Class_ID id : {BLINN_SHADER_CLASS_ID, ANISOTROPIC_SHADER_CLASS_ID}) {
        IParamBlock2* pb = MakeShader(id)->GetParamBlock(0);
        EXPECT_EQ(pb->GetFloat(16), 0.0f);
        pb->SetValue(16, 0, 0.5f);
        EXPECT_EQ(pb->GetFloat(16), 0.5f);
    }
}

// Where each shader keeps its standard values: the block IDs a reader of finalToon, Blinn and
// Anisotropic finds them at. Illustrate! keeps them outside its block.
TEST_F(HostClasses, StandardValuesLandWhereEachShaderKeepsThem) {
    struct Row {
        Class_ID id;
        ParamID ambient, diffuse, specular, lockAD, lockDS, level, gloss, soften;  // -1: not in the block
    };
    const Row kRows[] = {{BLINN_SHADER_CLASS_ID, 0, 1, 2, 3, 4, 5, 6, 7},
                         {ANISOTROPIC_SHADER_CLASS_ID, 0, 1, 2, 12, 13, 5, 7, 10},
                         {FINALTOON_SHADER_CLASS_ID, 0, 1, 2, 3, 4, 8, 9, 10},
                         {ILLUSTRATE_SHADER_CLASS_ID, -1, -1, -1, -1, -1, -1, -1, -1}};
    const Color amb(0.1f, 0.2f, 0.3f), dif(0.4f, 0.5f, 0.6f), spe(0.7f, 0.8f, 0.9f);
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << std::hex << row.id.PartA());
        Shader* s = MakeShader(row.id);
        IParamBlock2* pb = s->GetParamBlock(0);
        std::vector<float> before;
        for (int i = 0; i < pb->NumParams(); ++i) before.push_back(pb->GetFloat(pb->IndextoID(i)));
        s->SetAmbientClr(amb, 0);
        s->SetDiffuseClr(dif, 0);
        s->SetSpecularClr(spe, 0);
        s->SetLockAD(FALSE);
        s->SetLockDS(TRUE);
        s->SetSpecularLevel(0.45f, 0);
        s->SetGlossiness(0.25f, 0);
        s->SetSoftenLevel(0.75f, 0);
        // The locks are editor flags: locked colours stay apart.
        EXPECT_EQ(s->GetAmbientClr(0), amb);
        EXPECT_EQ(s->GetDiffuseClr(0), dif);
        EXPECT_EQ(s->GetSpecularClr(0), spe);
        EXPECT_EQ(s->GetLockAD(), FALSE);
        EXPECT_EQ(s->GetLockDS(), TRUE);
        EXPECT_FLOAT_EQ(s->GetSpecularLevel(0), 0.45f);
        EXPECT_FLOAT_EQ(s->GetGlossiness(0), 0.25f);
        EXPECT_FLOAT_EQ(s->GetSoftenLevel(0), 0.75f);
        if (row.ambient < 0) {
            for (int i = 0; i < pb->NumParams(); ++i)
                EXPECT_EQ(pb->GetFloat(pb->IndextoID(i)), before[static_cast<size_t>(i)])
                    << "block untouched";
            continue;
        }
        EXPECT_EQ(pb->GetColor(row.ambient), amb);
        EXPECT_EQ(pb->GetColor(row.diffuse), dif);
        EXPECT_EQ(pb->GetColor(row.specular), spe);
        EXPECT_EQ(pb->GetInt(row.lockAD), 0);
        EXPECT_EQ(pb->GetInt(row.lockDS), 1);
        EXPECT_FLOAT_EQ(pb->GetFloat(row.level), 0.45f);
        EXPECT_FLOAT_EQ(pb->GetFloat(row.gloss), 0.25f);
        EXPECT_FLOAT_EQ(pb->GetFloat(row.soften), 0.75f);
    }
}

TEST_F(HostClasses, CopyStdParamsCarriesEveryStandardValueBetweenAnyTwoShaders) {
    for (Class_ID fromID : kShaderIDs)
        for (Class_ID toID : kShaderIDs) {
            Shader* from = MakeShader(fromID);
            Shader* to = MakeShader(toID);
            from->SetAmbientClr(Color(0.1f, 0.0f, 0.0f), 0);
            from->SetDiffuseClr(Color(0.0f, 0.2f, 0.0f), 0);
            from->SetSpecularClr(Color(0.0f, 0.0f, 0.3f), 0);
            from->SetLockAD(FALSE);
            from->SetLockDS(TRUE);
            from->SetSpecularLevel(1.25f, 0);
            from->SetGlossiness(0.35f, 0);
            from->SetSoftenLevel(0.55f, 0);
            to->CopyStdParams(from);
            EXPECT_EQ(to->GetAmbientClr(0), from->GetAmbientClr(0));
            EXPECT_EQ(to->GetDiffuseClr(0), from->GetDiffuseClr(0));
            EXPECT_EQ(to->GetSpecularClr(0), from->GetSpecularClr(0));
            EXPECT_EQ(to->GetLockAD(), FALSE);
            EXPECT_EQ(to->GetLockDS(), TRUE);
            EXPECT_FLOAT_EQ(to->GetSpecularLevel(0), 1.25f);
            EXPECT_FLOAT_EQ(to->GetGlossiness(0), 0.35f);
            EXPECT_FLOAT_EQ(to->GetSoftenLevel(0), 0.55f);
        }
}

// A shader without its block reads as black and zero and takes writes without failing.
TEST_F(HostClasses, ShaderWithoutBlockZeroAnswersZero) {
    auto* ft = Make<FinalToonShader>();
    ft->RemoveBlock(0);
    EXPECT_EQ(ft->GetParamBlock(0), nullptr);
    ft->SetDiffuseClr(Color(1.0f, 1.0f, 1.0f), 0);
    EXPECT_EQ(ft->GetDiffuseClr(0), Color());
    EXPECT_EQ(ft->GetGlossiness(0), 0.0f);
    Shader* blinn = MakeShader(BLINN_SHADER_CLASS_ID);
    blinn->CopyStdParams(ft);
    EXPECT_EQ(blinn->GetDiffuseClr(0), Color());
}

// ---- the Standard material and its shader ----

// Ambient, diffuse, specular, shininess and its strength are the shader's; self-illumination is
// the material's and survives a change of shader.
TEST_F(HostClasses, StandardDelegatesShaderValuesAndKeepsSelfIllumination) {
    for (Class_ID id : kShaderIDs) {
        SCOPED_TRACE(testing::Message() << std::hex << id.PartA());
        StdMtlBase* mtl = MakeStandard(id);
        Shader* s = mtl->GetShader();
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(s->ClassID(), id);
        mtl->SetAmbient(Color(0.1f, 0.1f, 0.2f), 0);
        mtl->SetDiffuse(Color(0.3f, 0.1f, 0.2f), 0);
        mtl->SetSpecular(Color(0.9f, 0.8f, 0.7f), 0);
        mtl->SetShininess(0.4f, 0);
        mtl->SetShinStr(0.6f, 0);
        EXPECT_EQ(s->GetAmbientClr(0), Color(0.1f, 0.1f, 0.2f));
        EXPECT_EQ(s->GetDiffuseClr(0), Color(0.3f, 0.1f, 0.2f));
        EXPECT_EQ(s->GetSpecularClr(0), Color(0.9f, 0.8f, 0.7f));
        EXPECT_FLOAT_EQ(s->GetGlossiness(0), 0.4f);
        EXPECT_FLOAT_EQ(s->GetSpecularLevel(0), 0.6f);
        s->SetDiffuseClr(Color(0.5f, 0.5f, 0.0f), 0);
        EXPECT_EQ(mtl->GetDiffuse(0), Color(0.5f, 0.5f, 0.0f));
        EXPECT_EQ(mtl->GetDiffuse(0, FALSE), Color(0.5f, 0.5f, 0.0f)) << "the viewport's colour too";

        mtl->SetSelfIllum(0.5f, 0);
        mtl->SetSelfIllumColor(Color(1.0f, 0.0f, 0.0f), 0);
        mtl->SetSelfIllumColorOn(TRUE);
        mtl->SetShader(MakeShader(id));
        EXPECT_FLOAT_EQ(mtl->GetSelfIllum(0), 0.5f);
        EXPECT_EQ(mtl->GetSelfIllumColor(0), Color(1.0f, 0.0f, 0.0f));
        EXPECT_TRUE(mtl->GetSelfIllumColorOn());
    }
}

TEST_F(HostClasses, StandardWithoutShaderReadsBlackAndCanTakeOneAgain) {
    auto* mtl = Make<StandardMtl>();
    mtl->SetShader(nullptr);
    EXPECT_EQ(mtl->GetShader(), nullptr);
    mtl->SetDiffuse(Color(1.0f, 1.0f, 1.0f), 0);
    EXPECT_EQ(mtl->GetDiffuse(0), Color());
    EXPECT_EQ(mtl->GetShinStr(0), 0.0f);
    EXPECT_TRUE(mtl->SwitchShader(BLINN_SHADER_CLASS_ID));
    ASSERT_NE(mtl->GetShader(), nullptr);
    EXPECT_EQ(mtl->GetShader()->ClassID(), BLINN_SHADER_CLASS_ID);
}

TEST_F(HostClasses, SwitchShaderMakesTheNewShaderThroughTheRegistry) {
    struct Case {
        const char* what;
        Class_ID from, to;
        bool unloadBlinn;
        BOOL result;
        bool sameShader;
    };
    const Case kCases[] = {
        {"toon to Blinn", FINALTOON_SHADER_CLASS_ID, BLINN_SHADER_CLASS_ID, false, TRUE, false},
        {"Blinn unloaded", FINALTOON_SHADER_CLASS_ID, BLINN_SHADER_CLASS_ID, true, FALSE, true},
        {"already Blinn", BLINN_SHADER_CLASS_ID, BLINN_SHADER_CLASS_ID, false, TRUE, true},
        {"unknown class", ILLUSTRATE_SHADER_CLASS_ID, Class_ID(0x1234, 0), false, FALSE, true},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        HostCore::Get().SetClassLoaded(SHADER_CLASS_ID, BLINN_SHADER_CLASS_ID, !c.unloadBlinn);
        StdMtlBase* mtl = MakeStandard(c.from);
        Shader* old = mtl->GetShader();
        old->SetDiffuseClr(Color(0.2f, 0.4f, 0.6f), 0);
        EXPECT_EQ(mtl->SwitchShader(c.to), c.result);
        EXPECT_EQ(mtl->GetShader() == old, c.sameShader);
        EXPECT_EQ(mtl->GetShader()->ClassID(), c.result ? c.to : c.from);
        EXPECT_EQ(mtl->GetDiffuse(0), Color(0.2f, 0.4f, 0.6f)) << "the standard values carry over";
    }
}

// Every property a conversion copies, with its getter and setter.
struct Property {
    const char* name;
    void (*set)(StdMat2*);
    bool (*isSet)(StdMat2*);
};

const Property kProperties[] = {
    {"soften", [](StdMat2* m) { m->SetSoften(TRUE); }, [](StdMat2* m) { return m->GetSoften() == TRUE; }},
    {"face map", [](StdMat2* m) { m->SetFaceMap(TRUE); }, [](StdMat2* m) { return m->GetFaceMap() == TRUE; }},
    {"two-sided", [](StdMat2* m) { m->SetTwoSided(TRUE); },
     [](StdMat2* m) { return m->GetTwoSided() == TRUE; }},
    {"wire", [](StdMat2* m) { m->SetWire(TRUE); }, [](StdMat2* m) { return m->GetWire() == TRUE; }},
    {"wire units", [](StdMat2* m) { m->SetWireUnits(TRUE); },
     [](StdMat2* m) { return m->GetWireUnits() == TRUE; }},
    {"falloff out", [](StdMat2* m) { m->SetFalloffOut(TRUE); },
     [](StdMat2* m) { return m->GetFalloffOut() == TRUE; }},
    {"transparency type", [](StdMat2* m) { m->SetTransparencyType(2); },
     [](StdMat2* m) { return m->GetTransparencyType() == 2; }},
    {"opacity", [](StdMat2* m) { m->SetOpacity(0.25f, 0); },
     [](StdMat2* m) { return m->GetOpacity(0) == 0.25f; }},
    {"opacity falloff", [](StdMat2* m) { m->SetOpacFalloff(0.5f, 0); },
     [](StdMat2* m) { return m->GetOpacFalloff(0) == 0.5f; }},
    {"wire size", [](StdMat2* m) { m->SetWireSize(3.0f, 0); },
     [](StdMat2* m) { return m->GetWireSize(0) == 3.0f; }},
    {"IOR", [](StdMat2* m) { m->SetIOR(2.0f, 0); }, [](StdMat2* m) { return m->GetIOR(0) == 2.0f; }},
    {"faceted", [](StdMat2* m) { m->SetFaceted(TRUE); }, [](StdMat2* m) { return m->IsFaceted() == TRUE; }},
    {"self-illumination", [](StdMat2* m) { m->SetSelfIllum(0.75f, 0); },
     [](StdMat2* m) { return m->GetSelfIllum(0) == 0.75f; }},
    {"self-illumination colour", [](StdMat2* m) { m->SetSelfIllumColor(Color(0.0f, 1.0f, 0.0f), 0); },
     [](StdMat2* m) { return m->GetSelfIllumColor(0) == Color(0.0f, 1.0f, 0.0f); }},
    {"self-illumination colour on", [](StdMat2* m) { m->SetSelfIllumColorOn(TRUE); },
     [](StdMat2* m) { return m->GetSelfIllumColorOn() == TRUE; }},
    {"map switch", [](StdMat2* m) { m->EnableMap(ID_BU, FALSE); },
     [](StdMat2* m) { return m->MapEnabled(ID_BU) == FALSE; }},
    {"map amount", [](StdMat2* m) { m->SetTexmapAmt(ID_RL, -0.3f, 0); },
     [](StdMat2* m) { return m->GetTexmapAmt(ID_RL, 0) == -0.3f; }},
};

// Each property is the material's own, is undone and redone with the host, and is set apart from
// every other one.
TEST_F(HostClasses, PropertiesAreKeptApartAndFollowUndo) {
    for (const Property& p : kProperties) {
        SCOPED_TRACE(p.name);
        StdMat2* mtl = Make<StandardMtl>();
        ASSERT_FALSE(p.isSet(mtl));
        theHold.Begin();
        p.set(mtl);
        theHold.Accept(MSTR(_M("Set")).dataForWrite());
        EXPECT_TRUE(p.isSet(mtl));
        for (const Property& other : kProperties)
            EXPECT_TRUE(&other == &p || !other.isSet(mtl)) << other.name;
        ASSERT_TRUE(HostCore::Get().Undo());
        EXPECT_FALSE(p.isSet(mtl));
        ASSERT_TRUE(HostCore::Get().Redo());
        EXPECT_TRUE(p.isSet(mtl));
    }
}

// A copy has its own shader and the same settings; switching the copy's shader, or changing the
// copy, leaves the source as it was. Maps shared inside the source stay shared inside the copy.
TEST_F(HostClasses, CloneIsIndependentAndKeepsSharing) {
    for (bool variant : {false, true}) {
        SCOPED_TRACE(variant ? "variant" : "standard");
        StdMat2* src = variant ? static_cast<StdMat2*>(Make<StandardVariantMtl>())
                               : static_cast<StdMat2*>(Make<StandardMtl>());
        static_cast<StdMtlBase*>(src)->SetShader(MakeShader(FINALTOON_SHADER_CLASS_ID));
        src->SetName(_M("Toon"));
        src->SetDiffuse(Color(0.2f, 0.3f, 0.4f), 0);
        for (const Property& p : kProperties) p.set(src);
        auto* shared = Make<BitmapTex>();
        src->SetSubTexmap(ID_DI, shared);
        src->SetSubTexmap(ID_SP, shared);

        auto* copy = static_cast<StdMat2*>(CloneRefHierarchy(src));
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->ClassID(), src->ClassID());
        EXPECT_EQ(copy->GetName(), MSTR(_M("Toon")));
        EXPECT_EQ(copy->NumSubTexmaps(), src->NumSubTexmaps());
        ASSERT_NE(copy->GetShader(), nullptr);
        EXPECT_NE(copy->GetShader(), src->GetShader());
        EXPECT_EQ(copy->GetShader()->ClassID(), FINALTOON_SHADER_CLASS_ID);
        EXPECT_EQ(copy->GetDiffuse(0), Color(0.2f, 0.3f, 0.4f));
        for (const Property& p : kProperties) EXPECT_TRUE(p.isSet(copy)) << p.name;
        ASSERT_NE(copy->GetSubTexmap(ID_DI), nullptr);
        EXPECT_NE(copy->GetSubTexmap(ID_DI), shared);
        EXPECT_EQ(copy->GetSubTexmap(ID_DI), copy->GetSubTexmap(ID_SP));

        ASSERT_TRUE(copy->SwitchShader(BLINN_SHADER_CLASS_ID));
        copy->SetDiffuse(Color(1.0f, 0.0f, 0.0f), 0);
        copy->SetWire(FALSE);
        copy->SetTexmapAmt(ID_RL, 1.0f, 0);
        EXPECT_EQ(src->GetShader()->ClassID(), FINALTOON_SHADER_CLASS_ID);
        EXPECT_EQ(src->GetDiffuse(0), Color(0.2f, 0.3f, 0.4f));
        EXPECT_TRUE(src->GetWire());
        EXPECT_FLOAT_EQ(src->GetTexmapAmt(ID_RL, 0), -0.3f);
    }
}

TEST_F(HostClasses, IllustrateShaderCloneCarriesItsStandardValues) {
    Shader* il = MakeShader(ILLUSTRATE_SHADER_CLASS_ID);
    il->SetSpecularClr(Color(0.3f, 0.2f, 0.1f), 0);
    auto* copy = static_cast<Shader*>(CloneRefHierarchy(il));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetSpecularClr(0), Color(0.3f, 0.2f, 0.1f));
    copy->SetSpecularClr(Color(), 0);
    EXPECT_EQ(il->GetSpecularClr(0), Color(0.3f, 0.2f, 0.1f));
}

// ---- Multi/Sub-Object, bitmap, curve control, texture coordinates ----

TEST_F(HostClasses, MultiSubHoldsItsSubMaterialsAsReferences) {
    auto* multi = Make<MultiSubMtl>();
    ASSERT_EQ(multi->NumSubMtls(), MultiSubMtl::kDefaultSubMtls);
    auto* a = Make<StandardMtl>();
    multi->SetSubMtl(0, a);
    multi->SetNumSubMtls(4);
    ASSERT_EQ(multi->NumSubMtls(), 4);
    EXPECT_EQ(multi->GetSubMtl(0), a) << "growing keeps the slots there were";
    multi->SetSubMtl(3, a);
    multi->SetSubMtl(4, a);  // past the end: ignored
    EXPECT_EQ(multi->NumSubMtls(), 4);
    multi->ReplaceReference(2, Make<BitmapTex>());
    EXPECT_EQ(multi->GetSubMtl(2), nullptr) << "a map in a slot is no sub-material";

    auto* copy = static_cast<MultiSubMtl*>(CloneRefHierarchy(multi));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->NumSubMtls(), 4);
    EXPECT_NE(copy->GetSubMtl(0), a);
    EXPECT_EQ(copy->GetSubMtl(0), copy->GetSubMtl(3));
    multi->SetNumSubMtls(1);
    EXPECT_EQ(multi->NumSubMtls(), 1);
    EXPECT_EQ(multi->GetSubMtl(0), a);
}

TEST_F(HostClasses, CurveControlIsAnEditableTargetOfTheMakerSuperClass) {
    auto* curve = Make<CurveControl>();
    EXPECT_EQ(curve->SuperClassID(), static_cast<SClass_ID>(REF_MAKER_CLASS_ID));
    EXPECT_TRUE(curve->IsRefTarget());
    ASSERT_EQ(curve->NumPoints(), 2);
    EXPECT_EQ(curve->GetPoint(0), Point3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(curve->GetPoint(1), Point3(1.0f, 1.0f, 0.0f));

    auto* copy = static_cast<CurveControl*>(CloneRefHierarchy(curve));
    ASSERT_NE(copy, nullptr);
    copy->SetNumPoints(3);
    copy->SetPoint(2, Point3(2.0f, 0.5f, 0.0f));
    EXPECT_EQ(curve->NumPoints(), 2);

    theHold.Begin();
    curve->SetPoint(1, Point3(1.0f, 0.0f, 0.0f));
    theHold.Accept(MSTR(_M("Edit curve")).dataForWrite());
    ASSERT_TRUE(HostCore::Get().Undo());
    EXPECT_EQ(curve->GetPoint(1), Point3(1.0f, 1.0f, 0.0f));
}

TEST_F(HostClasses, BitmapCloneHasItsOwnTextureCoordinates) {
    auto* bitmap = Make<BitmapTex>();
    EXPECT_EQ(bitmap->NumSubTexmaps(), 0);
    bitmap->SetMapName(_M("paper.png"));
    ASSERT_NE(bitmap->GetUVGen(), nullptr);
    bitmap->GetUVGen()->SetUScl(4.0f, 0);

    auto* copy = static_cast<BitmapTex*>(CloneRefHierarchy(bitmap));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetMapName(), MSTR(_M("paper.png")));
    ASSERT_NE(copy->GetUVGen(), nullptr);
    EXPECT_NE(copy->GetUVGen(), bitmap->GetUVGen());
    EXPECT_EQ(copy->GetUVGen()->GetUScl(0), 4.0f);
    copy->GetUVGen()->SetUOffs(0.5f, 0);
    EXPECT_EQ(bitmap->GetUVGen()->GetUOffs(0), 0.0f);
    EXPECT_EQ(bitmap->GetUVGen()->GetVScl(0), 1.0f);
}

}  // namespace
