#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "HostTestObjects.h"

namespace {
const ParamBlockDesc2 kAll(
    5, _M("all"),
    {ParamDef::Float(0, _M("f"), 0.25f), ParamDef::Int(1, _M("i"), 7),
     ParamDef::Int(2, _M("b"), 1, TYPE_BOOL), ParamDef::Rgba(3, _M("c"), Color(0.1f, 0.2f, 0.3f)),
     ParamDef::Pt3(4, _M("p"), Point3(1, 2, 3)), ParamDef::Str(5, _M("s"), _M("名前")),
     ParamDef::Float(6, _M("pct"), 0.5f, TYPE_PCNT_FRAC), ParamDef::Ref(7, _M("mtl"), TYPE_MTL),
     ParamDef::Ref(8, _M("map"), TYPE_TEXMAP), ParamDef::Ref(9, _M("node"), TYPE_INODE),
     ParamDef::Table(10, _M("ft"), TYPE_FLOAT_TAB, 3), ParamDef::Table(11, _M("nt"), TYPE_INODE_TAB, 0),
     ParamDef::Table(20, _M("it"), TYPE_INT_TAB, 2), ParamDef::Ref(21, _M("ref"), TYPE_REFTARG)});
}  // namespace

class ParamBlockTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        owner = new BoxTarget(0, &kAll);
        pb = owner->Block();
    }
    BoxTarget* owner = nullptr;
    IParamBlock2* pb = nullptr;
};

TEST_F(ParamBlockTest, DescribesItsParametersInIndexOrder) {
    EXPECT_EQ(pb->ID(), 5);
    EXPECT_EQ(pb->NumParams(), 14);
    EXPECT_EQ(pb->IndextoID(12), 20);
    EXPECT_EQ(pb->IDtoIndex(20), 12);
    EXPECT_EQ(pb->IDtoIndex(13), -1);
    EXPECT_EQ(pb->GetParamDef(3).type, TYPE_RGBA);
    EXPECT_EQ(pb->GetParameterType(11), TYPE_INODE_TAB);
    EXPECT_EQ(pb->GetParamDef(99).type, TYPE_UNSPECIFIED);
    EXPECT_EQ(pb->SuperClassID(), static_cast<SClass_ID>(PARAMETER_BLOCK2_CLASS_ID));
}

// An ID is found wherever the block's numbering puts it; an ID the block lacks is not.
TEST_F(ParamBlockTest, FindsEachIDWhateverTheNumbering) {
    const std::vector<std::vector<ParamID>> numberings = {
        {}, {0, 1, 2}, {12, 13, 14}, {0, 1, 3, 4, 9}, {7, 3, 5, 0}, {2, 0, 1}, {-4, 30000, 6}};
    for (const auto& ids : numberings) {
        ParamBlockDesc2 desc(1, _M("numbered"), {});
        for (ParamID id : ids) desc.paramdefs.push_back(ParamDef::Int(id, _M("p"), 0));
        for (int i = 0; i < desc.Count(); ++i) EXPECT_EQ(desc.IDtoIndex(ids[static_cast<size_t>(i)]), i);
        for (ParamID missing : {-1, 8, 10, 15, 29999, 32767})
            EXPECT_EQ(desc.IDtoIndex(missing), -1) << missing;
    }
}

TEST_F(ParamBlockTest, ValuesStartAtTheirDefaultsAndKeepWhatIsSet) {
    EXPECT_FLOAT_EQ(pb->GetFloat(0), 0.25f);
    EXPECT_EQ(pb->GetInt(1), 7);
    EXPECT_EQ(pb->GetColor(3), Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(pb->GetPoint3(4), Point3(1, 2, 3));
    EXPECT_EQ(MSTR(pb->GetStr(5)), MSTR(_M("名前")));
    EXPECT_EQ(pb->Count(10), 3);

    EXPECT_TRUE(pb->SetValue(0, 0, 2.5f));
    EXPECT_TRUE(pb->SetValue(1, 0, -3));
    EXPECT_TRUE(pb->SetValue(2, 0, 0));
    EXPECT_TRUE(SetParamValue(pb, 3, 0, Color(1, 0, 0)));
    EXPECT_TRUE(SetParamValue(pb, 4, 0, Point3(4, 5, 6)));
    EXPECT_TRUE(pb->SetValue(5, 0, _M("x")));
    EXPECT_TRUE(pb->SetValue(10, 0, 9.0f, 2));
    EXPECT_FLOAT_EQ(pb->GetFloat(0), 2.5f);
    EXPECT_EQ(pb->GetInt(1), -3);
    EXPECT_EQ(pb->GetInt(2), 0);
    EXPECT_EQ(pb->GetColor(3), Color(1, 0, 0));
    EXPECT_EQ(pb->GetPoint3(4), Point3(4, 5, 6));
    EXPECT_EQ(MSTR(pb->GetStr(5)), MSTR(_M("x")));
    EXPECT_FLOAT_EQ(pb->GetFloat(10, 0, 2), 9.0f);
    Interval iv = FOREVER;
    float f = 0;
    EXPECT_TRUE(pb->GetValue(10, 0, f, iv, 2));
    EXPECT_FLOAT_EQ(f, 9.0f);
}

TEST_F(ParamBlockTest, MissingParametersAndIndicesAnswerZeroAndRefuseWrites) {
    struct Case {
        ParamID id;
        int index;
    } cases[] = {{99, 0}, {10, 3}, {10, -1}, {0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(pb->GetInt(c.id, 0, c.index), 0);
        EXPECT_FLOAT_EQ(pb->GetFloat(c.id, 0, c.index), 0.0f);
        EXPECT_FALSE(pb->SetValue(c.id, 0, 1.0f, c.index));
    }
}

TEST_F(ParamBlockTest, EachValueTypeReachesOnlyItsOwnParameterTypes) {
    auto* mtl = new BoxMtl;
    auto* map = new BoxMap;
    INode* node = HostCore::Get().CreateNode(_M("n"));
    Interval iv = FOREVER;
    // Each accessor gets and sets through one C++ type; both answer whether anything happened.
    struct Access {
        const char* type;
        std::function<BOOL(ParamID)> get, set;
    };
    float f = 0;
    int i = 0;
    Color c(0.5f, 0.5f, 0.5f);
    Point3 p(1, 1, 1);
    const MCHAR* str = nullptr;
    Mtl* m = nullptr;
    Texmap* t = nullptr;
    INode* n = nullptr;
    ReferenceTarget* r = nullptr;
    const Access access[] = {
        {"float", [&](ParamID id) { return pb->GetValue(id, 0, f, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, 1.0f); }},
        {"int", [&](ParamID id) { return pb->GetValue(id, 0, i, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, 1); }},
        {"Color", [&](ParamID id) { return pb->GetValue(id, 0, c, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, c); }},
        {"Point3", [&](ParamID id) { return pb->GetValue(id, 0, p, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, p); }},
        {"string", [&](ParamID id) { return pb->GetValue(id, 0, str, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, _M("s")); }},
        {"Mtl", [&](ParamID id) { return pb->GetValue(id, 0, m, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, static_cast<Mtl*>(mtl)); }},
        {"Texmap", [&](ParamID id) { return pb->GetValue(id, 0, t, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, static_cast<Texmap*>(map)); }},
        {"INode", [&](ParamID id) { return pb->GetValue(id, 0, n, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, node); }},
        {"ReferenceTarget", [&](ParamID id) { return pb->GetValue(id, 0, r, iv); },
         [&](ParamID id) { return pb->SetValue(id, 0, static_cast<ReferenceTarget*>(mtl)); }},
    };
    const struct {
        ParamID id;
        std::string reachedBy;
    } params[] = {
        {0, "float"},  {6, "float"},           {10, "float"}, {1, "int"}, {2, "int"},    {20, "int"},
        {3, "Color"},  {4, "Point3"},          {5, "string"}, {7, "Mtl"}, {8, "Texmap"}, {9, "INode"},
        {11, "INode"}, {21, "ReferenceTarget"}};
    pb->SetCount(11, 1);
    for (const auto& param : params) {
        for (const Access& a : access) {
            SCOPED_TRACE(std::to_string(param.id) + " through " + a.type);
            EXPECT_EQ(a.get(param.id), param.reachedBy == a.type);
            EXPECT_EQ(a.set(param.id), param.reachedBy == a.type);
        }
    }
    // A refused get converts nothing: the typed getters answer zero.
    EXPECT_FLOAT_EQ(pb->GetFloat(1), 0.0f);
    EXPECT_EQ(pb->GetInt(0), 0);
    EXPECT_EQ(pb->GetPoint3(3), Point3());
    EXPECT_EQ(pb->GetReferenceTarget(7), nullptr);
}

TEST_F(ParamBlockTest, ReferenceValuesMakeTheBlockADependent) {
    auto* mtl = new BoxMtl;
    auto* map = new BoxMap;
    INode* node = HostCore::Get().CreateNode(_M("n"));
    ASSERT_TRUE(pb->SetValue(7, 0, static_cast<Mtl*>(mtl)));
    ASSERT_TRUE(pb->SetValue(8, 0, static_cast<Texmap*>(map)));
    ASSERT_TRUE(pb->SetValue(9, 0, node));
    EXPECT_EQ(pb->GetMtl(7), mtl);
    EXPECT_EQ(pb->GetTexmap(8), map);
    EXPECT_EQ(pb->GetINode(9), node);
    EXPECT_EQ(Dependents(mtl), std::vector<ReferenceMaker*>{pb});

    // What the host's replacement of a material does: find the reference that holds it and replace it.
    auto* other = new BoxMtl;
    int found = -1;
    for (int i = 0; i < pb->NumRefs(); ++i)
        if (pb->GetReference(i) == mtl) found = i;
    ASSERT_GE(found, 0);
    ASSERT_EQ(pb->ReplaceReference(found, other), REF_SUCCEED);
    EXPECT_EQ(pb->GetMtl(7), other);
    EXPECT_EQ(Dependents(other), std::vector<ReferenceMaker*>{pb});
}

TEST_F(ParamBlockTest, TablesResizeWithDefaultsAndDropTheReferencesTheyLose) {
    INode* a = HostCore::Get().CreateNode(_M("a"));
    INode* b = HostCore::Get().CreateNode(_M("b"));
    pb->SetCount(11, 2);
    pb->SetValue(11, 0, a, 0);
    pb->SetValue(11, 0, b, 1);
    pb->SetCount(20, 4);
    EXPECT_EQ(pb->Count(20), 4);
    EXPECT_EQ(pb->GetInt(20, 0, 3), 0);
    pb->SetCount(11, 1);
    EXPECT_EQ(pb->GetINode(11, 0, 0), a);
    EXPECT_EQ(b->NumDependents(), 0);
    pb->ZeroCount(11);
    EXPECT_EQ(a->NumDependents(), 0);
    pb->SetCount(0, 5);  // a single value has no count to change
    EXPECT_EQ(pb->Count(0), 1);
}

TEST_F(ParamBlockTest, ControllersDriveTheValueOverTime) {
    auto* ctrl = new LinearFloatController;
    ILinFloatKey k0, k1;
    k0.time = 0;
    k0.val = 0.0f;
    k1.time = 100;
    k1.val = 10.0f;
    ctrl->AppendKey(&k0);
    ctrl->AppendKey(&k1);
    pb->SetValue(0, 0, 0.0f);
    pb->SetControllerByID(0, 0, ctrl, TRUE);  // the curve already answers 0 at frame 0: left alone
    EXPECT_EQ(pb->GetControllerByID(0), ctrl);
    EXPECT_EQ(ctrl->GetNumKeys(), 2);
    EXPECT_FLOAT_EQ(pb->GetFloat(0, 50), 5.0f);
    EXPECT_FLOAT_EQ(pb->GetFloat(0, 200), 10.0f);

    auto* boolCtrl = new LinearFloatController;
    boolCtrl->AppendKey(&k1);
    pb->SetValue(2, 0, 1);
    pb->SetControllerByID(2, 0, boolCtrl, TRUE);  // moved so that frame 0 keeps its value
    EXPECT_EQ(pb->GetInt(2, 0), 1);
    pb->SetValue(2, 0, 0);  // writing through the controller
    EXPECT_EQ(pb->GetInt(2, 0), 0);
    EXPECT_EQ(pb->GetInt(2, 500), 0);

    const int live = HostCore::Get().NumLiveObjects();
    pb->SetControllerByID(0, 0, nullptr);
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live - 1);
    EXPECT_FLOAT_EQ(pb->GetFloat(0, 50), 0.0f);
}

// Setting a keyed value: animate mode sets (or makes) the key at that time; outside it, or while it is
// suspended, the whole track moves so that the value at that time becomes the one given. A track without
// keys gets its first pair of keys only in animate mode away from frame 0.
TEST_F(ParamBlockTest, SettingAValueKeysInAnimateModeAndMovesTheTrackOutsideIt) {
    enum Mode { Off, On, Suspended };
    using Keys = std::vector<std::pair<TimeValue, float>>;
    struct Case {
        const char* what;
        Mode mode;
        Keys keys;
        TimeValue t;
        float v;
        Keys expected;
    };
    const Case cases[] = {
        {"off, at a key", Off, {{0, 1}, {100, 3}}, 100, 5, {{0, 3}, {100, 5}}},
        {"off, between keys", Off, {{0, 1}, {100, 3}}, 50, 4, {{0, 3}, {100, 5}}},
        {"suspended, at a key", Suspended, {{0, 1}, {100, 3}}, 0, 2, {{0, 2}, {100, 4}}},
        {"on, at a key", On, {{0, 1}, {100, 3}}, 100, 5, {{0, 1}, {100, 5}}},
        {"on, between keys", On, {{0, 1}, {100, 3}}, 50, 9, {{0, 1}, {50, 9}, {100, 3}}},
        {"on, no keys, frame 0", On, {}, 0, 5, {}},
        {"on, no keys, away from frame 0", On, {}, 40, 5, {{0, 0.25f}, {40, 5}}},
        {"off, no keys", Off, {}, 40, 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto* ctrl = new LinearFloatController;
        for (const auto& k : c.keys) {
            ILinFloatKey key;
            key.time = k.first;
            key.val = k.second;
            ctrl->AppendKey(&key);
        }
        float base = 0.25f;
        if (c.keys.empty()) ctrl->SetValue(0, &base);
        HostCore::Get().SetAnimateButtonState(c.mode != Off);
        {
            SuspendAll suspend(FALSE, FALSE, c.mode == Suspended);
            float v = c.v;
            ctrl->SetValue(c.t, &v);
        }
        HostCore::Get().SetAnimateButtonState(FALSE);
        Keys keys;
        for (int i = 0; i < ctrl->GetNumKeys(); ++i) {
            ILinFloatKey key;
            ctrl->GetKey(i, &key);
            keys.emplace_back(key.time, key.val);
        }
        EXPECT_EQ(keys, c.expected);
        Interval valid = FOREVER;
        float now = 0;
        ctrl->GetValue(c.t, &now, valid);
        EXPECT_FLOAT_EQ(now, c.v);
    }

    // A parameter without a controller gets one in animate mode away from frame 0, keyed from its old value.
    HostCore::Get().SetAnimateButtonState(TRUE);
    pb->SetValue(0, 0, 2.0f);
    EXPECT_EQ(pb->GetControllerByID(0), nullptr);
    SetParamValue(pb, 3, 30, Color(1, 1, 1));
    pb->SetValue(0, 30, 4.0f);
    HostCore::Get().SetAnimateButtonState(FALSE);
    ASSERT_NE(pb->GetControllerByID(0), nullptr);
    EXPECT_FLOAT_EQ(pb->GetFloat(0, 0), 2.0f);
    EXPECT_FLOAT_EQ(pb->GetFloat(0, 30), 4.0f);
    ASSERT_NE(pb->GetControllerByID(3), nullptr);
    EXPECT_EQ(pb->GetColor(3, 0), Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(pb->GetColor(3, 30), Color(1, 1, 1));
}
