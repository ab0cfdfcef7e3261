#include <gtest/gtest.h>

#include "HostTestObjects.h"
#include "ParamTransfer.h"

namespace {

// Source and destination blocks that match on some parameters and differ on others, as two product
// generations do.
const ParamBlockDesc2 kSource(
    0, _M("source"),
    {ParamDef::Float(0, _M("toInt"), 0.75f), ParamDef::Float(1, _M("float"), 0.5f),
     ParamDef::Int(2, _M("int"), 4), ParamDef::Int(3, _M("bool"), 1, TYPE_BOOL),
     ParamDef::Rgba(4, _M("colour"), Color(0.1f, 0.2f, 0.3f)), ParamDef::Pt3(5, _M("point"), Point3(1, 2, 3)),
     ParamDef::Rgba(6, _M("colourToPoint"), Color(1, 1, 1)), ParamDef::Str(7, _M("string"), _M("線")),
     ParamDef::Float(8, _M("pct"), 0.3f, TYPE_PCNT_FRAC), ParamDef::Float(9, _M("angle"), 0.6f, TYPE_ANGLE),
     ParamDef::Ref(10, _M("map"), TYPE_TEXMAP), ParamDef::Ref(11, _M("mtl"), TYPE_MTL),
     ParamDef::Ref(12, _M("node"), TYPE_INODE), ParamDef::Table(13, _M("floats"), TYPE_FLOAT_TAB, 6),
     ParamDef::Table(14, _M("ints"), TYPE_INT_TAB, 3), ParamDef::Table(15, _M("mtls"), TYPE_MTL_TAB, 2),
     ParamDef::Table(16, _M("maps"), TYPE_TEXMAP_TAB, 2),
     ParamDef::Table(17, _M("colours"), TYPE_RGBA_TAB, 2), ParamDef::Float(18, _M("onlyHere"), 9.0f)});

const ParamBlockDesc2 kDestination(
    0, _M("destination"),
    {ParamDef::Int(0, _M("toInt"), -1), ParamDef::Float(1, _M("float"), -1.0f),
     ParamDef::Int(2, _M("int"), -1), ParamDef::Int(3, _M("bool"), 0, TYPE_BOOL),
     ParamDef::Rgba(4, _M("colour"), Color()), ParamDef::Pt3(5, _M("point"), Point3()),
     ParamDef::Pt3(6, _M("colourToPoint"), Point3(-1, -1, -1)), ParamDef::Str(7, _M("string"), _M("")),
     ParamDef::Float(8, _M("pct"), 0.0f, TYPE_PCNT_FRAC), ParamDef::Float(9, _M("angle"), 0.0f, TYPE_ANGLE),
     ParamDef::Ref(10, _M("map"), TYPE_TEXMAP), ParamDef::Ref(11, _M("mtl"), TYPE_MTL),
     ParamDef::Ref(12, _M("node"), TYPE_INODE), ParamDef::Table(13, _M("floats"), TYPE_FLOAT_TAB, 4),
     ParamDef::Table(14, _M("ints"), TYPE_INT_TAB, 1), ParamDef::Table(15, _M("mtls"), TYPE_MTL_TAB, 0),
     ParamDef::Table(16, _M("maps"), TYPE_TEXMAP_TAB, 2),
     ParamDef::Table(17, _M("colours"), TYPE_RGBA_TAB, 2)});

const ParamBlockDesc2 kEmpty(0, _M("empty"), {});

// Maps three sources onto one destination, to show that the last one wins.
class ManyToOne : public ParamIDConverter {
public:
    short MapID(ParamID srcId, ParamType2) const override { return srcId == 1 || srcId == 0 ? 1 : -1; }
};

LinearFloatController* Keyed(std::initializer_list<std::pair<TimeValue, float>> keys) {
    auto* c = new LinearFloatController;
    for (auto& k : keys) {
        ILinFloatKey key;
        key.time = k.first;
        key.val = k.second;
        c->AppendKey(&key);
    }
    return c;
}

}  // namespace

class ParamTransferTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        srcOwner = new BoxTarget(0, &kSource);
        dstOwner = new BoxTarget(0, &kDestination);
        src = srcOwner->Block();
        dst = dstOwner->Block();
        for (int i = 0; i < 6; ++i) src->SetValue(13, 0, 10.0f + static_cast<float>(i), i);
    }
    BoxTarget* srcOwner = nullptr;
    BoxTarget* dstOwner = nullptr;
    IParamBlock2* src = nullptr;
    IParamBlock2* dst = nullptr;
};

TEST_F(ParamTransferTest, CopiesOnlyWhereTheDestinationHasTheSameType) {
    TransferParamBlock(src, dst, true, theDefaultIDConverter);
    EXPECT_EQ(dst->GetInt(0), -1);  // a float is never copied into an int
    EXPECT_FLOAT_EQ(dst->GetFloat(1), 0.5f);
    EXPECT_EQ(dst->GetInt(2), 4);
    EXPECT_EQ(dst->GetInt(3), 1);
    EXPECT_EQ(dst->GetColor(4), Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(dst->GetPoint3(5), Point3(1, 2, 3));
    EXPECT_EQ(dst->GetPoint3(6), Point3(-1, -1, -1));  // nor a colour into a point
    EXPECT_EQ(MSTR(dst->GetStr(7)), MSTR(_M("線")));
    EXPECT_FLOAT_EQ(dst->GetFloat(8), 0.0f);  // percentages and angles are not carried over
    EXPECT_FLOAT_EQ(dst->GetFloat(9), 0.0f);
    EXPECT_EQ(dst->IDtoIndex(18), -1);
}

TEST_F(ParamTransferTest, TheBaseMappingNeverCopiesMapsButRefTexSharesThem) {
    auto* map = new BoxMap;
    auto* mtl = new BoxMtl;
    INode* node = HostCore::Get().CreateNode(_M("n"));
    src->SetValue(10, 0, static_cast<Texmap*>(map));
    src->SetValue(11, 0, static_cast<Mtl*>(mtl));
    src->SetValue(12, 0, node);
    TransferParamBlock(src, dst, true, theDefaultIDConverter);
    EXPECT_EQ(dst->GetTexmap(10), nullptr);
    EXPECT_EQ(dst->GetMtl(11), nullptr);
    EXPECT_EQ(dst->GetINode(12), node);  // nodes are shared

    // The renumbering subclass ignores the type: source 11 lands in 3 and source 12 in 4, so give the
    // destination map parameters there.
    const ParamBlockDesc2 refTexDest(
        0, _M("refTex"),
        {ParamDef::Ref(3, _M("map0"), TYPE_TEXMAP), ParamDef::Ref(4, _M("map1"), TYPE_TEXMAP)});
    const ParamBlockDesc2 refTexSource(
        0, _M("refTexSource"),
        {ParamDef::Ref(11, _M("map0"), TYPE_TEXMAP), ParamDef::Ref(12, _M("map1"), TYPE_TEXMAP)});
    auto* from = new BoxTarget(0, &refTexSource);
    auto* to = new BoxTarget(0, &refTexDest);
    from->Block()->SetValue(11, 0, static_cast<Texmap*>(map));
    TransferParamBlock(from->Block(), to->Block(), true, ParamIDConverterRefTex());
    EXPECT_EQ(to->Block()->GetTexmap(3), map);
    EXPECT_EQ(Dependents(map), (std::vector<ReferenceMaker*>{src, from->Block(), to->Block()}));
}

TEST_F(ParamTransferTest, TablesFollowTheResizeFlag) {
    struct Case {
        bool resize;
        int expectedCount;
    } cases[] = {{false, 4}, {true, 6}};
    for (const Case& c : cases) {
        auto* to = new BoxTarget(0, &kDestination);
        TransferParamBlock(src, to->Block(), c.resize, theDefaultIDConverter);
        IParamBlock2* pb = to->Block();
        ASSERT_EQ(pb->Count(13), c.expectedCount) << c.resize;
        for (int i = 0; i < c.expectedCount; ++i) EXPECT_FLOAT_EQ(pb->GetFloat(13, 0, i), 10.0f + i) << i;
        EXPECT_EQ(pb->Count(14), c.resize ? 3 : 1);
        EXPECT_EQ(pb->Count(16), 2);  // map tables are never touched
    }
}

TEST_F(ParamTransferTest, ObjectTablesShareTheirEntries) {
    auto* a = new BoxMtl;
    auto* b = new BoxMtl;
    src->SetValue(15, 0, static_cast<Mtl*>(a), 0);
    src->SetValue(15, 0, static_cast<Mtl*>(b), 1);
    TransferParamBlock(src, dst, true, theDefaultIDConverter);
    ASSERT_EQ(dst->Count(15), 2);
    EXPECT_EQ(dst->GetMtl(15, 0, 0), a);
    EXPECT_EQ(dst->GetMtl(15, 0, 1), b);
}

TEST_F(ParamTransferTest, ControllersArriveAsIndependentCopies) {
    LinearFloatController* ctrl = Keyed({{0, 0.5f}, {100, 2.0f}});
    src->SetControllerByID(1, 0, ctrl, FALSE);
    LinearFloatController* entryCtrl = Keyed({{0, 10.0f}, {50, 20.0f}});
    src->SetControllerByID(13, 2, entryCtrl, FALSE);
    TransferParamBlock(src, dst, true, theDefaultIDConverter);

    Control* copied = dst->GetControllerByID(1);
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, ctrl);
    EXPECT_EQ(GetKeyControlInterface(copied)->GetNumKeys(), 2);
    EXPECT_FLOAT_EQ(dst->GetFloat(1, 100), 2.0f);
    ASSERT_NE(dst->GetControllerByID(13, 2), nullptr);
    EXPECT_NE(dst->GetControllerByID(13, 2), entryCtrl);
    EXPECT_FLOAT_EQ(dst->GetFloat(13, 50, 2), 20.0f);

    ILinFloatKey key;
    key.time = 100;
    key.val = 7.0f;
    GetKeyControlInterface(copied)->SetKey(1, &key);
    EXPECT_FLOAT_EQ(dst->GetFloat(1, 100), 7.0f);
    EXPECT_FLOAT_EQ(src->GetFloat(1, 100), 2.0f);
    EXPECT_EQ(ctrl->NumDependents(), 1);  // only the source block
}

TEST_F(ParamTransferTest, WhenManyMapToOneTheLastWins) {
    src->SetControllerByID(0, 0, Keyed({{0, 3.0f}, {10, 4.0f}}));
    TransferParamBlock(src, dst, true, ManyToOne());
    // Source 0 (float) is mapped onto destination 1 (float) first, then source 1 overwrites it, and its
    // lack of a controller leaves the controller that source 0 brought.
    EXPECT_FLOAT_EQ(dst->GetFloat(1, 0), 0.5f);
}

TEST_F(ParamTransferTest, NothingHappensWithoutBlocksOrParameters) {
    auto* empty = new BoxTarget(0, &kEmpty);
    TransferParamBlock(empty->Block(), dst, true, theDefaultIDConverter);
    TransferParamBlock(nullptr, dst, true, theDefaultIDConverter);
    TransferParamBlock(src, nullptr, true, theDefaultIDConverter);
    EXPECT_FLOAT_EQ(dst->GetFloat(1), -1.0f);
    EXPECT_EQ(dst->Count(13), 4);
}

TEST(ParamIDConverterTest, MappingTables) {
    struct Case {
        ParamID id;
        ParamType2 type;
        short base, refTex, outline;
    } cases[] = {
        {0, TYPE_FLOAT, 0, 0, -1},    {3, TYPE_FLOAT, 3, 5, -1},    {5, TYPE_FLOAT, 5, 7, -1},
        {6, TYPE_BOOL, 6, 9, 8},      {10, TYPE_BOOL, 10, 13, -1},  {11, TYPE_TEXMAP, -1, 3, -1},
        {12, TYPE_TEXMAP, -1, 4, -1}, {13, TYPE_FLOAT, 13, -1, -1}, {14, TYPE_MTL, -1, -1, -1},
        {7, TYPE_MTL, -1, 10, -1},    {100, TYPE_INT, 100, -1, -1},
    };
    ParamIDConverterRefTex refTex;
    ParamIDConverterRefTexForOutline outline;
    for (const Case& c : cases) {
        EXPECT_EQ(theDefaultIDConverter.MapID(c.id, c.type), c.base) << c.id;
        EXPECT_EQ(refTex.MapID(c.id, c.type), c.refTex) << c.id;
        EXPECT_EQ(outline.MapID(c.id, c.type), c.outline) << c.id;
    }
}
