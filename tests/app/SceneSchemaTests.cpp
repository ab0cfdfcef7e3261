#include "ClassFacts.h"
#include "Products.h"
#include "SceneTestSupport.h"
#include "SchemaCheck.h"

using nlohmann::json;

// The schema in docs/ describes the files the loader reads and the host writes.
class SceneSchema : public SceneFileTest {
protected:
    void SetUp() override {
        RegisterStandInProducts();
        SceneFileTest::SetUp();
    }
    static json SchemaJson() {
        return json::parse(ReadFile(std::string(TVL_SOURCE_DIR) + "/docs/scene.schema.json"));
    }
    // The schema, with the tests' own classes added to the classes the tool knows.
    static SchemaCheck Schema() {
        json schema = SchemaJson();
        HostCore& host = HostCore::Get();
        for (int i = 0; i < host.NumClasses(); ++i)
            if (host.GetClassProduct(i) == _M("Scene Test"))
                schema["$defs"]["className"]["enum"].push_back(
                    WStr(host.GetClassDesc(i)->InternalName()).ToUTF8());
        return SchemaCheck(schema);
    }
    static std::string DocumentedExample() {
        std::string doc = ReadFile(std::string(TVL_SOURCE_DIR) + "/docs/scene-format.md");
        size_t start = doc.find("```json\n") + 8;
        return doc.substr(start, doc.find("```", start) - start);
    }
};

TEST_F(SceneSchema, FixturesTheExampleAndSavedScenesFollowIt) {
    SchemaCheck schema = Schema();
    for (const char* name : {"sdk_sample.json", "tvl2_material.json", "standard_finaltoon.json",
                             "multisub.json", "tvl3_zones.json", "effects_animated.json"}) {
        EXPECT_EQ(schema.Check(json::parse(ReadFile(Fixture(name)))), "") << name;
    }
    EXPECT_EQ(schema.Check(json::parse(DocumentedExample())), "");

    // A saved scene with a new object of every class, whatever parameter types their blocks use.
    HostCore& host = HostCore::Get();
    auto* all = new SceneTestMtl;
    host.CreateNode(_M("all"))->SetMtl(all);
    for (int i = 0; i < host.NumClasses(); ++i) {
        ClassDesc* d = host.GetClassDesc(i);
        all->AppendToList(
            static_cast<ReferenceTarget*>(host.CreateInstance(d->SuperClassID(), d->ClassID())));
    }
    EXPECT_EQ(schema.Check(json::parse(SaveSceneText())), "");
}

// The schema's class names are the classes the tool knows, as `tvl3host classes` lists them.
TEST_F(SceneSchema, ItNamesEveryClassTheToolKnows) {
    std::vector<std::string> known;
    for (ClassDesc* d : SceneClasses())
        if (std::wstring_view(d->Category()) != _M("Scene Test"))  // the tests' own classes
            known.push_back(WStr(d->InternalName()).ToUTF8());
    EXPECT_EQ(SchemaJson()["$defs"]["className"]["enum"].get<std::vector<std::string>>(), known);
}

TEST_F(SceneSchema, ItRefusesWhatTheLoaderRefuses) {
    const std::string head = R"({"format": "tvl3host-scene", "version": 1, )";
    const std::string mtl =
        R"("nodes": [{"id": 1, "name": "n", "material": 2}], "objects": [{"id": 2, "class": "SceneTestMtl", )";
    auto param = [&](const std::string& p) {
        return head + mtl + R"("blocks": [{"ref": 0, "id": 3, "params": [)" + p + "]}]}]}";
    };
    std::string slots25 = "null";
    for (int i = 1; i < 25; ++i) slots25 += ", null";
    const std::string cases[] = {
        R"({"version": 1})",
        head + R"("colour": 1})",
        R"({"format": "tvl3host-scene", "version": 3})",
        head + R"("editorSlots": [2], "objects": [{"id": 2, "class": "Tvl9Material"}]})",
        head + R"("time": 0.5})",
        head + R"("nodes": [{"id": 1}]})",
        head + R"("nodes": [{"id": -1, "name": "a"}]})",
        head + R"("editorSlots": [)" + slots25 + "]}",
        head + R"("effects": [{"object": 2}]})",
        head + mtl + R"("colour": 1}]})",
        head + mtl + R"("refs": [{"index": 0}]}]})",
        param(R"({"id": 0, "type": "float", "value": "x"})"),
        param(R"({"id": 0, "type": "float", "value": [1.0]})"),
        param(R"({"id": 2, "type": "bool", "value": 1})"),
        param(R"({"id": 3, "type": "rgba", "value": [1, 0]})"),
        param(R"({"id": 7, "type": "float_tab", "value": [1, "2"]})"),
        param(R"({"id": 7, "type": "float_tab", "value": [], "controller": null})"),
        param(R"({"id": 0, "type": "float", "value": 1, "controllers": []})"),
        param(R"({"id": 0, "type": "flaot", "value": 1})"),
        param(R"({"id": 12, "type": "bitmap", "value": 1})"),
        head + mtl + R"("blocks": []}, {"id": 3, "class": "LinearFloatController", "keys": [[0]]}]})",
    };
    SchemaCheck schema = Schema();
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        EXPECT_NE(schema.Check(json::parse(text)), "");
        std::string error;
        EXPECT_FALSE(LoadSceneText(text, error));
    }
}
