#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "JsonParse.h"
#include "JsonValue.h"
#include "SceneTestSupport.h"

namespace {

using Json = nlohmann::ordered_json;

IParamBlock2* BlockOf(ReferenceTarget* t) { return dynamic_cast<IParamBlock2*>(t->GetReference(0)); }

LinearFloatController* FloatCurve(std::initializer_list<std::pair<TimeValue, float>> keys) {
    auto* c = new LinearFloatController;
    for (const auto& [t, v] : keys) {
        ILinFloatKey k;
        k.time = t;
        k.val = v;
        c->AppendKey(&k);
    }
    return c;
}

// A scene that uses every part of the format: a node tree, shared objects, every kind of parameter,
// controllers on single and table entries, a reference list with a hole, editor slots and effects.
void BuildSampleScene() {
    HostCore& host = HostCore::Get();
    host.SetTime(320);
    INode* a = host.CreateNode(_M("Box A"));
    INode* child = host.CreateNode(_M("Kind ü"), a);
    INode* b = host.CreateNode(_M("Box B"));
    (void)child;

    auto* map = new SceneTestMap;
    map->SetName(_M("Stripes"));
    BlockOf(map)->SetValue(0, 0, 0.75f);

    auto* second = new SceneTestMtl;
    second->SetName(_M("Second"));

    auto* holder = new SceneTestHolder;
    holder->ReplaceReference(0, map);
    holder->AppendToList(second->GetReference(2));  // the map the second material made

    auto* red = new SceneTestMtl;
    red->SetName(_M("Red ✓"));
    red->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED | 0x100);
    IParamBlock2* pb = BlockOf(red);
    pb->SetValue(kPFloat, 0, 0.1f);
    pb->SetValue(kPInt, 0, -3);
    pb->SetValue(kPBool, 0, 0);
    SetParamValue(pb, kPColor, 0, Color(0.2f, 0.4f, 0.6f));
    SetParamValue(pb, kPPoint3, 0, Point3(-1.5f, 0.0f, 1e-3f));
    pb->SetValue(kPString, 0, _M("Zeichen ß \"quoted\""));
    pb->SetValue(kPAngle, 0, 1.5f);
    pb->SetCount(kPFloatTab, 3);
    pb->SetValue(kPFloatTab, 0, 1.0f, 0);
    pb->SetValue(kPFloatTab, 0, 2.0f, 1);
    pb->SetValue(kPFloatTab, 0, 3.0f, 2);
    pb->SetValue(kPMtl, 0, static_cast<Mtl*>(second));
    pb->SetValue(kPMap, 0, static_cast<Texmap*>(map));
    pb->SetValue(kPNode, 0, b);
    pb->SetCount(kPRefTab, 3);
    pb->SetValue(kPRefTab, 0, static_cast<ReferenceTarget*>(map), 0);
    pb->SetValue(kPRefTab, 0, static_cast<ReferenceTarget*>(holder), 2);
    pb->SetCount(kPIntTab, 0);
    pb->SetControllerByID(kPFloat, 0, FloatCurve({{0, 0.1f}, {160, 1.0f}}), FALSE);
    pb->SetControllerByID(kPFloatTab, 1, FloatCurve({{-160, 5.0f}}), FALSE);
    auto* colorCurve = new LinearPoint3Controller;
    ILinPoint3Key ck;
    ck.time = 480;
    ck.val = Point3(1.0f, 1.0f, 0.0f);
    ck.flags = 3;
    colorCurve->AppendKey(&ck);
    pb->SetControllerByID(kPColor, 0, colorCurve, FALSE);
    red->ReplaceReference(1, map);
    red->ReplaceReference(2, nullptr);
    red->AppendToList(holder);
    red->AppendToList(nullptr);
    red->AppendToList(map);
    red->SetActiveTexmap(map);

    a->SetMtl(red);
    b->SetMtl(second);
    Interface7* ip = GetCOREInterface7();
    ip->SetMtlSlot(0, second);
    ip->SetMtlSlot(5, map);

    auto* on = new SceneTestEffect;
    on->name = _M("Glow");
    auto* off = new SceneTestEffect;
    off->name = _M("Lines");
    off->SetAFlag(A_ATMOS_DISABLED);
    BlockOf(off)->SetValue(0, 0, 4.0f);
    off->ReplaceReference(1, map);
    host.AddEffect(on);
    host.AddEffect(off);
}

std::vector<INode*> AllNodes() {
    std::vector<INode*> nodes;
    HostCore::Get().ForEachNode([&](INode* n) { nodes.push_back(n); });
    return nodes;
}

// Checks, through the SDK alone, that the host holds the sample scene.
void ExpectSampleScene() {
    HostCore& host = HostCore::Get();
    EXPECT_EQ(host.GetTime(), 320);
    std::vector<INode*> nodes = AllNodes();
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_STREQ(nodes[0]->GetName(), L"Box A");
    EXPECT_STREQ(nodes[1]->GetName(), L"Kind ü");
    EXPECT_EQ(nodes[1]->GetParentNode(), nodes[0]);
    EXPECT_STREQ(nodes[2]->GetName(), L"Box B");
    EXPECT_EQ(nodes[1]->GetMtl(), nullptr);

    auto* red = dynamic_cast<SceneTestMtl*>(nodes[0]->GetMtl());
    auto* second = dynamic_cast<SceneTestMtl*>(nodes[2]->GetMtl());
    ASSERT_TRUE(red && second);
    EXPECT_EQ(red->GetName(), L"Red ✓");
    EXPECT_EQ(red->GetMtlFlags(), MTL_TEX_DISPLAY_ENABLED | 0x100);
    auto* map = dynamic_cast<SceneTestMap*>(red->GetReference(1));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->GetName(), L"Stripes");
    EXPECT_EQ(BlockOf(map)->GetFloat(0), 0.75f);
    EXPECT_EQ(red->GetReference(2), nullptr);
    EXPECT_EQ(red->GetActiveTexmap(), map);

    IParamBlock2* pb = BlockOf(red);
    EXPECT_EQ(pb->GetFloat(kPFloat, 0), 0.1f);
    EXPECT_EQ(pb->GetFloat(kPFloat, 80), 0.55f);
    EXPECT_EQ(pb->GetInt(kPInt), -3);
    EXPECT_EQ(pb->GetInt(kPBool), 0);
    EXPECT_EQ(pb->GetColor(kPColor, 0), Color(1.0f, 1.0f, 0.0f));  // the curve's one key
    EXPECT_EQ(pb->GetPoint3(kPPoint3), Point3(-1.5f, 0.0f, 1e-3f));
    EXPECT_STREQ(pb->GetStr(kPString), L"Zeichen ß \"quoted\"");
    EXPECT_EQ(pb->GetFloat(kPAngle), 1.5f);
    ASSERT_EQ(pb->Count(kPFloatTab), 3);
    EXPECT_EQ(pb->GetFloat(kPFloatTab, 0, 0), 1.0f);
    EXPECT_EQ(pb->GetFloat(kPFloatTab, 0, 1), 5.0f);
    EXPECT_EQ(pb->GetFloat(kPFloatTab, 0, 2), 3.0f);
    EXPECT_EQ(pb->GetControllerByID(kPFloatTab, 0), nullptr);
    EXPECT_EQ(pb->GetMtl(kPMtl), second);
    EXPECT_EQ(pb->GetTexmap(kPMap), map);
    EXPECT_EQ(pb->GetINode(kPNode), nodes[2]);
    ASSERT_EQ(pb->Count(kPRefTab), 3);
    EXPECT_EQ(pb->GetReferenceTarget(kPRefTab, 0, 0), map);
    EXPECT_EQ(pb->GetReferenceTarget(kPRefTab, 0, 1), nullptr);
    auto* holder = dynamic_cast<SceneTestHolder*>(pb->GetReferenceTarget(kPRefTab, 0, 2));
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(pb->Count(kPIntTab), 0);

    auto* curve = dynamic_cast<LinearFloatController*>(pb->GetControllerByID(kPFloat));
    ASSERT_NE(curve, nullptr);
    ASSERT_EQ(curve->GetNumKeys(), 2);
    auto* colorCurve = dynamic_cast<LinearPoint3Controller*>(pb->GetControllerByID(kPColor));
    ASSERT_NE(colorCurve, nullptr);
    ILinPoint3Key ck;
    colorCurve->GetKey(0, &ck);
    EXPECT_EQ(ck.time, 480);
    EXPECT_EQ(ck.flags, 3u);

    // The list keeps its length and its hole; the holder's own list holds what the second material made.
    ASSERT_EQ(red->NumRefs(), 6);
    EXPECT_EQ(red->GetReference(3), holder);
    EXPECT_EQ(red->GetReference(4), nullptr);
    EXPECT_EQ(red->GetReference(5), map);
    EXPECT_EQ(holder->GetReference(0), map);
    ASSERT_EQ(holder->NumRefs(), 3);
    EXPECT_NE(second->GetReference(2), nullptr);
    EXPECT_EQ(holder->GetReference(2), second->GetReference(2));

    EXPECT_EQ(Slot(0), second);
    EXPECT_EQ(Slot(5), map);
    for (int i : {1, 2, 3, 4, 6, 23}) EXPECT_EQ(Slot(i), nullptr) << i;

    ASSERT_EQ(host.NumEffects(), 2);
    EXPECT_EQ(host.GetEffect(0)->name, L"Glow");
    EXPECT_TRUE(host.GetEffect(0)->Active(0));
    EXPECT_EQ(host.GetEffect(1)->name, L"Lines");
    EXPECT_FALSE(host.GetEffect(1)->Active(0));
    EXPECT_EQ(BlockOf(host.GetEffect(1))->GetFloat(0), 4.0f);
    EXPECT_EQ(host.GetEffect(1)->GetReference(1), map);
}

}  // namespace

class SceneRoundTrip : public SceneFileTest {};

TEST_F(SceneRoundTrip, SavedSceneLoadsBackWithEveryValue) {
    BuildSampleScene();
    ExpectSampleScene();
    std::string text = SaveSceneText();
    Load(text);
    ExpectSampleScene();
}

TEST_F(SceneRoundTrip, SavingALoadedSceneGivesTheSameText) {
    BuildSampleScene();
    std::string first = SaveSceneText();
    Load(first);
    EXPECT_EQ(SaveSceneText(), first);
}

TEST_F(SceneRoundTrip, SampleSceneSavesAsTheCanonicalFixture) {
    BuildSampleScene();
    EXPECT_EQ(SaveSceneText(), ReadFile(Fixture("sdk_sample.json")));
}

TEST_F(SceneRoundTrip, CanonicalFixtureLoadsAsTheSampleSceneAndSavesUnchanged) {
    std::string text = ReadFile(Fixture("sdk_sample.json"));
    Load(text);
    ExpectSampleScene();
    EXPECT_EQ(SaveSceneText(), text);
}

TEST_F(SceneRoundTrip, ObjectsAreNumberedInTheOrderTheyAreMet) {
    HostCore& host = HostCore::Get();
    INode* n1 = host.CreateNode(_M("n1"));
    INode* n2 = host.CreateNode(_M("n2"), n1);
    host.CreateNode(_M("n3"));
    auto named = [](const MCHAR* name) {
        auto* m = new SceneTestMtl;
        m->SetName(name);
        dynamic_cast<MtlBase*>(m->GetReference(2))->SetName(MSTR(name) + _M(" map"));
        return m;
    };
    SceneTestMtl* a = named(_M("A"));
    SceneTestMtl* b = named(_M("B"));
    SceneTestMtl* c = named(_M("C"));
    n2->SetMtl(b);
    n1->SetMtl(a);
    GetCOREInterface7()->SetMtlSlot(1, a);
    GetCOREInterface7()->SetMtlSlot(0, c);
    auto* e = new SceneTestEffect;
    e->name = _M("E");
    host.AddEffect(e);

    Json doc = Json::parse(SaveSceneText());
    EXPECT_EQ(doc["nodes"][0]["id"], 1);
    EXPECT_EQ(doc["nodes"][0]["children"][0]["id"], 2);
    EXPECT_EQ(doc["nodes"][1]["id"], 3);
    std::vector<std::string> order;
    long long expectedId = 4;
    for (const Json& o : doc["objects"]) {
        EXPECT_EQ(o["id"], expectedId++);
        order.push_back(o["name"].get<std::string>());
    }
    // Node tree first (each object before what it refers to), then the slots in slot order, then effects.
    EXPECT_EQ(order, (std::vector<std::string>{"A", "A map", "B", "B map", "C", "C map", "E"}));
    EXPECT_EQ(doc["editorSlots"], Json::parse("[8, 4]"));
}

TEST_F(SceneRoundTrip, ParametersAreWrittenInTheirDocumentedForm) {
    auto* m = new SceneTestMtl;
    HostCore::Get().CreateNode(_M("n"))->SetMtl(m);
    IParamBlock2* pb = BlockOf(m);
    pb->SetValue(kPFloat, 0, 0.1f);
    pb->SetValue(kPBool, 0, 1);
    SetParamValue(pb, kPColor, 0, Color(0.5f, 1.0f, 0.0f));
    pb->SetValue(kPAngle, 0, 3.0f);
    // Numbers that are not finite are written by name, so that the file loads and keeps them.
    pb->SetValue(kPFloatTab, 0, -std::numeric_limits<float>::infinity(), 0);
    pb->SetValue(kPFloatTab, 0, std::numeric_limits<float>::quiet_NaN(), 1);
    const std::string saved = SaveSceneText();
    Json params = Json::parse(saved)["objects"][0]["blocks"][0]["params"];
    struct Case {
        ParamID id;
        const char* type;
        const char* value;
    };
    const Case cases[] = {
        {kPFloat, "float", "0.1"},
        {kPInt, "int", "7"},
        {kPBool, "bool", "true"},
        {kPColor, "rgba", "[0.5, 1.0, 0.0]"},
        {kPPoint3, "point3", "[1.0, 2.0, 3.0]"},
        {kPString, "string", "\"hello\""},
        {kPAngle, "angle", "3.0"},
        {kPFloatTab, "float_tab", "[\"-Infinity\", \"NaN\"]"},
        {kPMtl, "mtl", "null"},
        {kPMap, "texmap", "null"},
        {kPNode, "inode", "null"},
        {kPRefTab, "reftarg_tab", "[]"},
        {kPBitmap, "bitmap", "null"},
        {kPIntTab, "int_tab", "[0]"},
    };
    ASSERT_EQ(params.size(), std::size(cases));
    for (size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(cases[k].type);
        EXPECT_EQ(params[k]["id"], cases[k].id);
        EXPECT_EQ(params[k]["type"], cases[k].type);
        EXPECT_EQ(params[k]["value"], Json::parse(cases[k].value));
        EXPECT_FALSE(params[k].contains("controller"));
    }
    Load(saved);
    EXPECT_EQ(SaveSceneText(), saved);
}

// The shortest text that reads back as the same number. Whole numbers are written from their digits up to
// the last whole step of the type; past it the shortest digits round.
TEST(SceneNumberText, NumbersAreWrittenAsTheShortestTextThatReadsBack) {
    struct Case {
        double value;
        bool isFloat;
        const char* text;
    };
    const Case cases[] = {
        {0.1, true, "0.1"},
        {-0.0, true, "-0.0"},
        {3.0, true, "3.0"},
        {-2.5, true, "-2.5"},
        {16777215.0, true, "16777215.0"},
        {16777216.0, true, "16777216.0"},
        {123456789.0, true, "123456790.0"},  // the float is 123456792
        {1e15, true, "1e+15"},
        {1e-5, true, "1e-05"},
        {999999999999999.0, false, "999999999999999.0"},
        {1e15, false, "1e+15"},
        {0.1, false, "0.1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text;
        if (c.isFloat) {
            AppendFloatText(text, static_cast<float>(c.value));
            EXPECT_EQ(std::strtof(text.c_str(), nullptr), static_cast<float>(c.value));
        } else {
            AppendDoubleText(text, c.value);
            EXPECT_EQ(std::strtod(text.c_str(), nullptr), c.value);
        }
        EXPECT_EQ(text, c.text);
    }
}

// Numbers are read as JSON gives them: an integer that 64 bits hold as one, any other number as the double
// nearest to it, as the C library reads it.
TEST(SceneNumberText, NumbersAreReadAsIntegersOrAsTheNearestDouble) {
    class Values : public JsonTopReceiver {
    public:
        bool ByItem(std::string_view) const override { return true; }
        void Key(std::string_view) override {}
        void Value(std::string_view, JsonRef) override {}
        void Item(std::string_view, size_t, JsonRef v) override {
            integer = v.IsInteger();
            number = v.Number();
        }
        void End() override {}
        bool integer = false;
        double number = 0;
    };
    const std::pair<const char*, bool> cases[] = {
        {"0", true},
        {"-0", true},
        {"18446744073709551615", true},
        {"-9223372036854775808", true},
        {"18446744073709551616", false},
        {"-9223372036854775809", false},
        {"0.1", false},
        {"-2.5e-3", false},
        {"1E2", false},
        {"1.7976931348623157e308", false},
        {"2.5e-324", false},
        {"-1e-400", false},
        {"123456789012345678901234567890", false},
        {"0.30000001192092896", false},
        {"3.4028235e38", false},
    };
    for (const auto& [number, integral] : cases) {
        SCOPED_TRACE(number);
        const std::string text = "{\"v\": [" + std::string(number) + "]}";
        Values values;
        ParseJsonTop(text.data(), text.size(), values);
        const double expected = std::strtod(number, nullptr);
        EXPECT_EQ(values.integer, integral);
        EXPECT_EQ(values.number, expected);
        EXPECT_TRUE(integral || std::signbit(values.number) == std::signbit(expected));
    }
}

// A reference or list the file leaves out keeps what the constructor made (version 1: is cleared); null
// clears it; a parameter left out keeps its default. Saving writes the null that keeps an empty reference.
TEST_F(SceneRoundTrip, LeftOutReferencesKeepTheClassDefaultSinceVersion2) {
    struct Case {
        int version;
        const char* refs;
        bool keepsMap;
    };
    const Case cases[] = {
        {2, "", true},                                              // the map the constructor made
        {2, R"(, "refs": [{"index": 2, "object": null}])", false},  // null clears
        {1, "", false},                                             // version 1 clears
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + c.refs);
        Load(R"({"format": "tvl3host-scene", "version": )" + std::to_string(c.version) + R"(,
             "nodes": [{"id": 1, "name": "n", "material": 2}],
             "objects": [{"id": 2, "class": "SceneTestMtl")" +
             c.refs + R"(,
                          "blocks": [{"ref": 0, "id": 3, "params": [{"id": 1, "type": "int", "value": 9}]}]}]})");
        auto* m = dynamic_cast<SceneTestMtl*>(AllNodes()[0]->GetMtl());
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->GetReference(2) != nullptr, c.keepsMap);
        EXPECT_EQ(m->NumRefs(), 3);  // an empty list
        EXPECT_EQ(BlockOf(m)->GetInt(kPInt), 9);
        EXPECT_EQ(BlockOf(m)->GetFloat(kPFloat), 0.5f);  // left out: the class's default
        EXPECT_EQ(BlockOf(m)->Count(kPFloatTab), 2);
        EXPECT_EQ(m->GetName(), L"");
        const std::string saved = SaveSceneText();
        EXPECT_EQ(saved.find(R"({"index": 2, "object": null})") != std::string::npos, !c.keepsMap);
        Load(saved);
        EXPECT_EQ(SaveSceneText(), saved);
    }
}

TEST_F(SceneRoundTrip, ControllersKeepTheirConstantKeysAndFlags) {
    Load(R"({"format": "tvl3host-scene", "version": 1,
             "nodes": [{"id": 1, "name": "n", "material": 2}],
             "objects": [
               {"id": 2, "class": "SceneTestMtl", "blocks": [{"ref": 0, "id": 3, "params": [
                 {"id": 0, "type": "float", "value": 9.0, "controller": 3},
                 {"id": 7, "type": "float_tab", "value": [1.0, 2.0], "controllers": [null, 4]},
                 {"id": 1, "type": "int", "value": 0, "controller": 3}]}]},
               {"id": 3, "class": "LinearFloatController", "value": 2.5, "keys": [[0, 1.0], [160, 3.0, 5]]},
               {"id": 4, "class": "LinearFloatController", "value": 6.0}]})");
    IParamBlock2* pb = BlockOf(AllNodes()[0]->GetMtl());
    auto* curve = dynamic_cast<LinearFloatController*>(pb->GetControllerByID(kPFloat));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve, pb->GetControllerByID(kPInt));  // one controller shared by two parameters
    EXPECT_EQ(curve->ConstantValue(), 2.5f);
    EXPECT_EQ(pb->GetFloat(kPFloat, 80), 2.0f);
    EXPECT_EQ(pb->GetInt(kPInt, 160), 3);
    ILinFloatKey k;
    curve->GetKey(1, &k);
    EXPECT_EQ(k.flags, 5u);
    EXPECT_EQ(pb->GetFloat(kPFloatTab, 0, 0), 1.0f);
    EXPECT_EQ(pb->GetFloat(kPFloatTab, 0, 1), 6.0f);  // a curve without keys answers its constant
}

TEST_F(SceneRoundTrip, LoadingReplacesTheSceneAsOpeningAFileDoes) {
    static std::vector<int> codes;
    codes.clear();
    auto record = [](void*, NotifyInfo* info) { codes.push_back(info->intcode); };
    RegisterNotification(record, nullptr, NOTIFY_FILE_PRE_OPEN);
    RegisterNotification(record, nullptr, NOTIFY_FILE_POST_OPEN);
    HostCore& host = HostCore::Get();
    host.CreateNode(_M("old"));
    theHold.Begin();
    host.AddEffect(new SceneTestEffect);
    theHold.Accept(MSTR(_M("add")).dataForWrite());
    ASSERT_EQ(theHold.NumUndoEntries(), 1);

    Load(R"({"format": "tvl3host-scene", "version": 1, "time": -160, "nodes": [{"id": 7, "name": "new"}]})");
    UnRegisterNotification(record, nullptr, NOTIFY_FILE_PRE_OPEN);
    UnRegisterNotification(record, nullptr, NOTIFY_FILE_POST_OPEN);
    std::vector<INode*> nodes = AllNodes();
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_STREQ(nodes[0]->GetName(), L"new");
    EXPECT_EQ(host.NumEffects(), 0);
    EXPECT_EQ(host.GetTime(), -160);
    EXPECT_EQ(theHold.NumUndoEntries(), 0);
    EXPECT_EQ(codes, (std::vector<int>{NOTIFY_FILE_PRE_OPEN, NOTIFY_FILE_POST_OPEN}));
}
