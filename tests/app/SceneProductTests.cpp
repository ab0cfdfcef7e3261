#include "Products.h"
#include "SceneTestSupport.h"
#include "stdmat/FinalToonShader.h"
#include "tavelin2/Tvl2Material.h"
#include "tavelin3/Tvl3Material.h"
#include "tavelin3/Tvl3Zone.h"

// Scenes of the product stand-ins, from fixtures written by hand as a user would write them: what the
// file leaves out keeps the class's default, and saving, loading and saving again gives the same text.
class SceneProducts : public SceneFileTest {
protected:
    void SetUp() override {
        RegisterStandInProducts();
        SceneFileTest::SetUp();
    }
    void TearDown() override {
        HostCore::Get().SetProductLoaded(PRODUCT_TAVELIN2, true);
        SceneFileTest::TearDown();
    }

    static void LoadFixture(const std::string& name) { Load(ReadFile(Fixture(name))); }
    static void ExpectStableText() {
        std::string first = SaveSceneText();
        Load(first);
        EXPECT_EQ(SaveSceneText(), first);
    }
    static INode* Node(int i) {
        std::vector<INode*> nodes;
        HostCore::Get().ForEachNode([&](INode* n) { nodes.push_back(n); });
        return i < static_cast<int>(nodes.size()) ? nodes[static_cast<size_t>(i)] : nullptr;
    }
    static std::wstring NameOf(ReferenceTarget* t) {
        auto* mb = dynamic_cast<MtlBase*>(t);
        return mb ? mb->GetName().wstring() : L"<not a material or map>";
    }
    // Whether new objects of the class hand their reference list to scene files.
    static bool OffersRefList(Class_ID id, SClass_ID sclass) {
        auto* t = static_cast<ReferenceTarget*>(GetCOREInterface()->CreateInstance(sclass, id));
        bool offers = t && t->GetInterface(HOST_REF_LIST_INTERFACE_ID) != nullptr;
        if (t) t->MaybeAutoDelete();
        return offers;
    }
};

TEST_F(SceneProducts, Tavelin2MaterialKeepsItsBlocksZonesAndStrokes) {
    LoadFixture("tvl2_material.json");
    auto* mtl = dynamic_cast<Tvl2Material*>(Node(0)->GetMtl());
    ASSERT_NE(mtl, nullptr);
    EXPECT_EQ(mtl->GetName(), L"Toon Red");
    IParamBlock2* main = mtl->GetParamBlockByID(0);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->GetFloat(1), 60.0f);
    EXPECT_EQ(main->GetColor(2), Color(1.0f, 0.2f, 0.1f));
    EXPECT_EQ(main->Count(12), 3);
    EXPECT_EQ(main->GetFloat(12, 0, 2), 0.125f);
    EXPECT_EQ(main->GetInt(3), 2);  // left out: the class's default

    IParamBlock2* zone0 = mtl->GetZoneBlock(0);
    ASSERT_NE(zone0, nullptr);
    EXPECT_EQ(zone0->GetFloat(1), 30.0f);
    EXPECT_EQ(zone0->GetInt(2), 1);
    ASSERT_EQ(zone0->Count(Tvl2Material::kZoneStrokeSwitches), 6);
    EXPECT_EQ(zone0->GetInt(Tvl2Material::kZoneStrokeSwitches, 0, 1), 0);
    EXPECT_EQ(zone0->GetInt(Tvl2Material::kZoneStrokeSwitches, 0, 2), 1);
    EXPECT_NE(mtl->GetZoneBlock(1), nullptr);
    EXPECT_NE(mtl->GetZoneBlock(2), nullptr);
    EXPECT_EQ(mtl->GetZoneBlock(3), nullptr);  // block 5 was left out, so the material lacks it

    EXPECT_EQ(NameOf(mtl->GetStrokeSlot(0, 0)), L"Hatch");
    EXPECT_EQ(mtl->GetStrokeSlot(0, 1), nullptr);
    EXPECT_EQ(NameOf(mtl->GetStrokeSlot(0, 2)), L"Dots");
    EXPECT_EQ(zone0->GetTexmap(10, 0, 0), mtl->GetStrokeSlot(0, 0));
    EXPECT_EQ(mtl->GetZoneObject(0), nullptr);
    EXPECT_EQ(mtl->GetSettings()->GetName(), L"Settings");
    ASSERT_NE(mtl->GetSubMtl(0), nullptr);
    EXPECT_EQ(mtl->GetSubMtl(0)->GetName(), L"Base");
    auto* stroke = mtl->GetStrokeSlot(0, 0);
    EXPECT_EQ(stroke->GetParamBlock(0)->GetFloat(0), 3.5f);
    EXPECT_EQ(stroke->GetReference(1), nullptr);  // the curve its constructor made is not in the file
    ExpectStableText();
}

TEST_F(SceneProducts, StandardMaterialKeepsItsShaderPropertiesAndMaps) {
    LoadFixture("standard_finaltoon.json");
    auto* mtl = dynamic_cast<StdMat2*>(Node(0)->GetMtl());
    ASSERT_NE(mtl, nullptr);
    EXPECT_EQ(Slot(0), mtl);
    Shader* shader = mtl->GetShader();
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(shader->ClassID(), FINALTOON_SHADER_CLASS_ID);
    EXPECT_EQ(mtl->GetDiffuse(0), Color(0.8f, 0.1f, 0.1f));
    EXPECT_EQ(shader->GetParamBlock(0)->GetInt(FinalToonShader::kZone3On), 1);
    EXPECT_EQ(shader->GetParamBlock(0)->GetFloat(FinalToonShader::kZone1Width), 35.0f);
    EXPECT_TRUE(mtl->GetTwoSided());
    EXPECT_FALSE(mtl->GetWire());
    EXPECT_EQ(mtl->GetOpacity(0), 0.8f);
    EXPECT_EQ(mtl->GetIOR(0), 1.33f);
    EXPECT_TRUE(mtl->GetSelfIllumColorOn());
    EXPECT_EQ(mtl->GetSelfIllumColor(0), Color(0.1f, 0.2f, 0.3f));
    EXPECT_FALSE(mtl->MapEnabled(ID_BU));
    EXPECT_EQ(mtl->GetTexmapAmt(ID_DI, 0), 0.5f);
    EXPECT_EQ(NameOf(mtl->GetSubTexmap(ID_DI)), L"Paper");
    ExpectStableText();
}

TEST_F(SceneProducts, ShaderValuesKeptOutsideABlockComeBackAndBlocksWinOverThem) {
    auto* mtl = static_cast<StdMat2*>(
        GetCOREInterface()->CreateInstance(MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID));
    ASSERT_TRUE(mtl->SwitchShader(ILLUSTRATE_SHADER_CLASS_ID));
    mtl->GetShader()->SetAmbientClr(Color(0.25f, 0.5f, 0.75f), 0);
    mtl->GetShader()->SetLockAD(FALSE);
    mtl->GetShader()->SetGlossiness(0.6f, 0);
    HostCore::Get().CreateNode(_M("n"))->SetMtl(mtl);
    Load(SaveSceneText());
    Shader* shader = static_cast<StdMat2*>(Node(0)->GetMtl())->GetShader();
    EXPECT_EQ(shader->ClassID(), ILLUSTRATE_SHADER_CLASS_ID);
    EXPECT_EQ(shader->GetAmbientClr(0), Color(0.25f, 0.5f, 0.75f));
    EXPECT_FALSE(shader->GetLockAD());
    EXPECT_EQ(shader->GetGlossiness(0), 0.6f);

    // A shader that keeps its standard values in its block: the block's value stays.
    Load(R"({"format": "tvl3host-scene", "version": 1, "editorSlots": [1], "objects": [
        {"id": 1, "class": "StandardMaterial", "refs": [{"index": 0, "object": 2}]},
        {"id": 2, "class": "FinalToonShader", "shader": {"diffuse": [0.0, 0.0, 1.0], "glossiness": 0.9},
         "blocks": [{"ref": 0, "id": 0, "params": [{"id": 1, "type": "rgba", "value": [0.5, 0.5, 0.5]}]}]}]})");
    Shader* toon = static_cast<StdMat2*>(Slot(0))->GetShader();
    EXPECT_EQ(toon->GetDiffuseClr(0), Color(0.5f, 0.5f, 0.5f));
    EXPECT_EQ(toon->GetGlossiness(0), 0.9f);  // not given in the block
}

// A Standard material in editor slot 0 and, when given, its shader: left out, what a new object holds
// stays (version 2) or is cleared with a warning (version 1); a shader value needs the block that keeps it.
TEST_F(SceneProducts, LeftOutShadersAndBlocksKeepTheirDefaultsSinceVersion2) {
    const std::string blinn = R"(, "refs": [{"index": 0, "object": 2}]},
        {"id": 2, "class": "BlinnShader", "shader": {"diffuse": [1, 0, 0]})";
    struct Case {
        int version;
        std::string objects;
        bool hasShader;
        Color diffuse;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {2, "", true, Color(0.6f, 0.6f, 0.6f), {}},
        {2, R"(, "refs": [{"index": 0, "object": null}])", false, Color(), {}},
        {1,
         "",
         false,
         Color(),
         {"objects[0]: reference 0 (a new BlinnShader) is left out, and version 1 files clear it; version 2 "
          "keeps it"}},
        {2, blinn, true, Color(1, 0, 0), {}},
        {1,
         blinn,
         true,
         Color(),
         {"objects[1]: reference 0 (block 0) is left out, and version 1 files clear it; version 2 keeps it",
          "objects[1].shader.diffuse: the value does not count: the shader keeps it in its block, which the "
          "file clears"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + c.objects);
        std::string error;
        std::vector<std::string> warnings;
        ASSERT_TRUE(
            LoadSceneText(R"({"format": "tvl3host-scene", "version": )" + std::to_string(c.version) +
                              R"(, "editorSlots": [1], "objects": [{"id": 1, "class": "StandardMaterial")" +
                              c.objects + "}]}",
                          error, &warnings))
            << error;
        auto* mtl = static_cast<StdMat2*>(Slot(0));
        EXPECT_EQ(mtl->GetShader() != nullptr, c.hasShader);
        EXPECT_EQ(mtl->GetDiffuse(0), c.diffuse);
        EXPECT_EQ(warnings, c.warnings);
        ExpectStableText();
    }
    // A list left out keeps the entries a new object has.
    Load(R"({"format": "tvl3host-scene", "version": 2, "editorSlots": [1],
             "objects": [{"id": 1, "class": "MultiSubMaterial"}]})");
    EXPECT_EQ(static_cast<Mtl*>(Slot(0))->NumSubMtls(), 2);
}

// Values a file sets that cannot count load with a warning each.
TEST_F(SceneProducts, ValuesThatCannotCountGiveWarnings) {
    const struct {
        std::string objects;
        std::string warning;
    } cases[] = {
        {R"({"id": 1, "class": "StandardMaterial", "refs": [{"index": 0, "object": 2}]},
            {"id": 2, "class": "FinalToonShader", "shader": {"diffuse": [0, 0, 1], "glossiness": 0.9},
             "blocks": [{"ref": 0, "id": 0, "params": [{"id": 1, "type": "rgba", "value": [0.5, 0.5, 0.5]}]}]})",
         "objects[1].shader.diffuse: the value does not count: the shader's block gives another value"},
        {R"({"id": 1, "class": "StandardMaterial", "refs": [{"index": 0, "object": 2}]},
            {"id": 2, "class": "BlinnShader", "shader": {"glossiness": 0.5}, "refs": [{"index": 0, "object": null}]})",
         "objects[1].shader.glossiness: the value does not count: the shader keeps it in its block, "
         "which the file clears"},
        {R"({"id": 1, "class": "SceneTestMtl", "blocks": [{"ref": 0, "id": 3, "params": [
              {"id": 0, "type": "float", "value": 0.5, "controller": 2}]}]},
            {"id": 2, "class": "LinearFloatController", "value": 1.0})",
         "objects[0].blocks[0].params[0]: the value does not count: the controller answers another "
         "at time 0"},
    };
    for (const auto& c : cases) {
        std::string error;
        std::vector<std::string> warnings;
        ASSERT_TRUE(
            LoadSceneText(R"({"format": "tvl3host-scene", "version": 2, "editorSlots": [1], "objects": [)" +
                              c.objects + "]}",
                          error, &warnings))
            << error;
        EXPECT_EQ(warnings, std::vector<std::string>{c.warning});
    }
}

TEST_F(SceneProducts, MultiSubObjectMaterialKeepsItsSubMaterialsShared) {
    LoadFixture("multisub.json");
    Mtl* multi = Node(0)->GetMtl();
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->ClassID(), MULTI_SUB_MATERIAL_CLASS_ID);
    ASSERT_EQ(multi->NumSubMtls(), 2);
    Mtl* skin = multi->GetSubMtl(0);
    auto* cloth = dynamic_cast<Tvl3Material*>(multi->GetSubMtl(1));
    ASSERT_TRUE(skin && cloth);
    EXPECT_EQ(skin->GetName(), L"Skin");
    EXPECT_EQ(cloth->GetName(), L"Cloth");
    EXPECT_EQ(cloth->GetSubMtl(0), skin);  // one object in two places
    EXPECT_EQ(cloth->GetParamBlock(0)->GetInt(0), 2);
    EXPECT_EQ(cloth->GetSettings()->GetName(), L"Cloth settings");
    ExpectStableText();
}

TEST_F(SceneProducts, Tavelin3MaterialKeepsItsZoneAndStrokeLists) {
    if (!OffersRefList(TVL3_MATERIAL_CLASS_ID, MATERIAL_CLASS_ID) ||
        !OffersRefList(TVL3_ZONE_CLASS_ID, REF_TARGET_CLASS_ID))
        GTEST_SKIP() << "the Tavelin 3 material and zone do not offer their reference lists to scene files";
    LoadFixture("tvl3_zones.json");
    auto* mtl = dynamic_cast<Tvl3Material*>(Node(0)->GetMtl());
    ASSERT_NE(mtl, nullptr);
    ASSERT_EQ(mtl->NumZones(), 3);
    auto* first = dynamic_cast<Tvl3Zone*>(mtl->GetZone(0));
    auto* last = dynamic_cast<Tvl3Zone*>(mtl->GetZone(2));
    ASSERT_TRUE(first && last);
    EXPECT_EQ(mtl->GetZone(1), nullptr);
    EXPECT_EQ(first->GetParamBlock(0)->GetFloat(Tvl3Zone::kUpperBound), 40.0f);
    ASSERT_EQ(first->NumStrokes(), 2);
    EXPECT_EQ(NameOf(first->GetStroke(1)), L"Pencil");
    EXPECT_EQ(first->GetParamBlock(0)->Count(Tvl3Zone::kStrokeSwitches), 2);
    EXPECT_EQ(last->NumStrokes(), 0);
    EXPECT_EQ(last->GetMap(), mtl->GetSubTexmap(0));
    ExpectStableText();
}

TEST_F(SceneProducts, EffectsKeepTheirActiveStateNodesAndAnimation) {
    LoadFixture("effects_animated.json");
    HostCore& host = HostCore::Get();
    EXPECT_EQ(host.GetTime(), 800);
    INode* stage = Node(0);
    INode* actor = Node(1);
    INode* camera = Node(2);
    INode* backdrop = Node(3);
    ASSERT_TRUE(stage && actor && camera && backdrop);
    EXPECT_EQ(actor->GetParentNode(), stage);
    EXPECT_EQ(actor->GetMtl(), backdrop->GetMtl());
    EXPECT_EQ(Slot(1), actor->GetMtl());
    EXPECT_EQ(NameOf(Slot(3)), L"Unused in the scene, kept in a slot");

    ASSERT_EQ(host.NumEffects(), 2);
    Effect* outlines = host.GetEffect(0);
    Effect* old = host.GetEffect(1);
    EXPECT_EQ(outlines->ClassID(), TVL2_LINE_CLASS_ID);
    EXPECT_EQ(outlines->name, L"Outlines");
    EXPECT_TRUE(outlines->Active(0));
    EXPECT_EQ(old->name, L"Old lines");
    EXPECT_FALSE(old->Active(0));
    EXPECT_EQ(old->GetParamBlock(0)->GetInt(6), 3);

    IParamBlock2* pb = outlines->GetParamBlock(0);
    EXPECT_EQ(pb->GetFloat(0, 0), 1.0f);
    EXPECT_EQ(pb->GetFloat(0, 800), 2.0f);
    EXPECT_EQ(pb->GetFloat(0, 3200), 3.0f);
    EXPECT_EQ(pb->GetColor(2, 400), Color(0.5f, 0.25f, 0.0f));
    ASSERT_EQ(pb->Count(4), 2);
    EXPECT_EQ(pb->GetINode(4, 0, 0), actor);
    EXPECT_EQ(pb->GetINode(4, 0, 1), backdrop);
    EXPECT_EQ(pb->GetINode(8), camera);

    ASSERT_EQ(outlines->NumRefs(), 3);  // the block, then the two line-set slots
    ReferenceTarget* lineSet = outlines->GetReference(1);
    ASSERT_NE(lineSet, nullptr);
    EXPECT_EQ(lineSet->ClassID(), TVL2_LINE_SET_CLASS_ID);
    EXPECT_EQ(lineSet->GetParamBlockByID(0)->GetFloat(2), 0.5f);
    EXPECT_EQ(lineSet->GetParamBlockByID(1), nullptr);  // left out of the file
    EXPECT_EQ(outlines->GetReference(2), nullptr);
    ExpectStableText();
}

TEST_F(SceneProducts, EveryProductClassRoundTripsFromANewObject) {
    // One new object of every class, all held in the list of a material on a node.
    HostCore& host = HostCore::Get();
    auto* holder = new SceneTestMtl;
    host.CreateNode(_M("all"))->SetMtl(holder);
    std::vector<std::string> names;
    for (int i = 0; i < host.NumClasses(); ++i) {
        ClassDesc* d = host.GetClassDesc(i);
        if (host.GetClassProduct(i) == _M("Scene Test")) continue;
        auto* t = static_cast<ReferenceTarget*>(host.CreateInstance(d->SuperClassID(), d->ClassID()));
        ASSERT_NE(t, nullptr) << WStr(d->InternalName()).ToUTF8();
        holder->AppendToList(t);
        names.push_back(WStr(d->InternalName()).ToUTF8());
    }
    ASSERT_GE(names.size(), 20u);
    std::string first = SaveSceneText();
    Load(first);
    auto* loaded = dynamic_cast<SceneTestMtl*>(Node(0)->GetMtl());
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->NumRefs(), 3 + static_cast<int>(names.size()));
    for (size_t k = 0; k < names.size(); ++k) {
        ReferenceTarget* t = loaded->GetReference(3 + static_cast<int>(k));
        ASSERT_NE(t, nullptr) << names[k];
        ClassDesc* d = host.FindClass(t->SuperClassID(), t->ClassID());
        ASSERT_NE(d, nullptr) << names[k];
        EXPECT_EQ(WStr(d->InternalName()).ToUTF8(), names[k]);
    }
    EXPECT_EQ(SaveSceneText(), first);
}

TEST_F(SceneProducts, AClassOfAnUnloadedProductCannotBeLoaded) {
    HostCore::Get().SetProductLoaded(PRODUCT_TAVELIN2, false);
    std::string error;
    EXPECT_FALSE(LoadSceneText(ReadFile(Fixture("tvl2_material.json")), error));
    EXPECT_EQ(error, "objects[0].class: class \"Tvl2Material\" is not loaded");
    HostCore::Get().SetProductLoaded(PRODUCT_TAVELIN2, true);
    LoadFixture("tvl2_material.json");
}

TEST_F(SceneProducts, AFailedLoadFreesEveryObjectItMadeToLookAtClasses) {
    // Every class of the file is looked at before the fault at its end is found; the materials make
    // settings objects, base materials and shaders of their own.
    std::string text = ReadFile(Fixture("multisub.json"));
    text.insert(text.rfind(']'), R"(, {"id": 99, "class": "BitmapMap"})");
    int before = HostCore::Get().NumLiveObjects();
    std::string error;
    EXPECT_FALSE(LoadSceneText(text, error));
    EXPECT_EQ(error,
              "objects[5]: object 99 is not used: no node, editor slot, effect or other object refers to it");
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), before);
}

TEST_F(SceneProducts, TheDocumentedExampleLoads) {
    std::string doc = ReadFile(std::string(TVL_SOURCE_DIR) + "/docs/scene-format.md");
    size_t start = doc.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    start += 8;
    size_t end = doc.find("```", start);
    ASSERT_NE(end, std::string::npos);
    Load(doc.substr(start, end - start));
    ASSERT_NE(Node(0), nullptr);
    EXPECT_NE(Node(0)->GetMtl(), nullptr);
    ExpectStableText();
}
