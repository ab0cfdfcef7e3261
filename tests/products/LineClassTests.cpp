// The line classes of both Tavelin products: what the line conversion finds in each of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "ProductClassIds.h"
#include "Products.h"
#include "hostclasses/BitmapTex.h"
#include "hostclasses/CurveControl.h"
#include "tavelin2/Tvl2BrushMap.h"
#include "tavelin2/Tvl2BrushSubMap.h"
#include "tavelin2/Tvl2Line.h"
#include "tavelin2/Tvl2LineSet.h"
#include "tavelin3/Tvl3BrushMap.h"
#include "tavelin3/Tvl3BrushSubMap.h"
#include "tavelin3/Tvl3Line.h"
#include "tavelin3/Tvl3LineSet.h"

void RegisterHostMapClasses();
void RegisterTavelin2LineClasses();
void RegisterTavelin3LineClasses();

namespace {

class LineClasses : public ::testing::Test {
protected:
    void SetUp() override {
        HostCore::Get().ResetScene();
        RegisterHostMapClasses();
        RegisterTavelin2LineClasses();
        RegisterTavelin3LineClasses();
    }
    void TearDown() override { HostCore::Get().ResetScene(); }

    static ReferenceTarget* Make(SClass_ID sid, Class_ID cid) {
        return static_cast<ReferenceTarget*>(GetCOREInterface()->CreateInstance(sid, cid));
    }
    template <class T>
    static T* Make() {
        return static_cast<T*>(GetCOREInterface()->CreateInstance(T::kInfo.superClass, T::kInfo.classID));
    }
};

struct ClassRow {
    SClass_ID super;
    Class_ID id;
    const MCHAR* className;
    const MCHAR* internalName;
    const MCHAR* product;
    int numRefs;
};

const ClassRow kLineClasses[] = {
    {RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID, L"Tavelin 3 Line", L"Tvl3Line", PRODUCT_TAVELIN3, 1},
    {REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID, L"Tavelin 3 Line Set", L"Tvl3LineSet", PRODUCT_TAVELIN3,
     28},
    {TEXMAP_CLASS_ID, TVL3_BRUSH_MAP_CLASS_ID, L"Tavelin 3 Brush", L"Tvl3BrushMap", PRODUCT_TAVELIN3, 4},
    {TEXMAP_CLASS_ID, TVL3_BRUSH_SUBMAP_CLASS_ID, L"Tavelin 3 Brush Sub-Map", L"Tvl3BrushSubMap",
     PRODUCT_TAVELIN3, 8},
    {RENDER_EFFECT_CLASS_ID, TVL2_LINE_CLASS_ID, L"Tavelin 2 Line", L"Tvl2Line", PRODUCT_TAVELIN2, 1},
    {RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID, L"Tavelin 2 Line Set", L"Tvl2LineSet", PRODUCT_TAVELIN2,
     33},
    {TEXMAP_CLASS_ID, TVL2_BRUSH_MAP_CLASS_ID, L"Tavelin 2 Brush", L"Tvl2BrushMap", PRODUCT_TAVELIN2, 4},
    {TEXMAP_CLASS_ID, TVL2_BRUSH_SUBMAP_CLASS_ID, L"Tavelin 2 Brush Sub-Map", L"Tvl2BrushSubMap",
     PRODUCT_TAVELIN2, 10},
};

TEST_F(LineClasses, EachClassIsMadeByTheRegistryWithItsIdentity) {
    for (const ClassRow& row : kLineClasses) {
        SCOPED_TRACE(MSTR(row.internalName).ToUTF8());
        ReferenceTarget* obj = Make(row.super, row.id);
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->SuperClassID(), row.super);
        EXPECT_EQ(obj->ClassID(), row.id);
        MSTR name;
        obj->GetClassName(name);
        EXPECT_EQ(name, row.className);
        EXPECT_EQ(obj->NumRefs(), row.numRefs);
        ClassDesc* cd = HostCore::Get().FindClassByName(row.internalName);
        ASSERT_NE(cd, nullptr);
        EXPECT_EQ(cd->ClassID(), row.id);
        EXPECT_EQ(MSTR(cd->Category()), row.product);
    }
}

// A Tavelin 2 line set answers the render-effect super class, yet no render-effect list can hold it.
TEST_F(LineClasses, Tavelin2LineSetIsNoEffect) {
    ReferenceTarget* set = Make(RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID);
    EXPECT_EQ(dynamic_cast<Effect*>(set), nullptr);
    EXPECT_NE(dynamic_cast<Effect*>(Make(RENDER_EFFECT_CLASS_ID, TVL2_LINE_CLASS_ID)), nullptr);
}

TEST_F(LineClasses, UnloadingAProductTakesOnlyItsClasses) {
    HostCore::Get().SetProductLoaded(PRODUCT_TAVELIN3, false);
    EXPECT_EQ(Make(RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID), nullptr);
    EXPECT_EQ(Make(TEXMAP_CLASS_ID, TVL3_BRUSH_SUBMAP_CLASS_ID), nullptr);
    EXPECT_NE(Make(RENDER_EFFECT_CLASS_ID, TVL2_LINE_CLASS_ID), nullptr);
}

// ---- parameter layouts, read as the conversion pairs them ----

struct Side {
    Class_ID cls;
    SClass_ID super;
    BlockID block;
    ParamID id;  // -1: no counterpart
    ParamType2 type;
};

struct PairRow {
    Side from;
    Side to;
};

#define T2SET(b) TVL2_LINE_SET_CLASS_ID, RENDER_EFFECT_CLASS_ID, b
#define T3SET(b) TVL3_LINE_SET_CLASS_ID, REF_TARGET_CLASS_ID, b
#define T2FX TVL2_LINE_CLASS_ID, RENDER_EFFECT_CLASS_ID, 0
#define T3FX TVL3_LINE_CLASS_ID, RENDER_EFFECT_CLASS_ID, 0
#define T2BR TVL2_BRUSH_MAP_CLASS_ID, TEXMAP_CLASS_ID, 0
#define T3BR TVL3_BRUSH_MAP_CLASS_ID, TEXMAP_CLASS_ID, 0
#define T2SUB(b) TVL2_BRUSH_SUBMAP_CLASS_ID, TEXMAP_CLASS_ID, b
#define T3SUB(b) TVL3_BRUSH_SUBMAP_CLASS_ID, TEXMAP_CLASS_ID, b

// Source parameter and the target parameter the conversion's tables send it to, with both types. Rows
// where the types differ, or where both are of a type the transfer skips, are the deliberate
// mismatches.
const PairRow kPairs[] = {
    // line effect, block 0, same IDs
    {{T2FX, 0, TYPE_FLOAT}, {T3FX, 0, TYPE_FLOAT}},
    {{T2FX, 1, TYPE_INT}, {T3FX, 1, TYPE_INT}},
    {{T2FX, 2, TYPE_RGBA}, {T3FX, 2, TYPE_RGBA}},
    {{T2FX, 3, TYPE_BOOL}, {T3FX, 3, TYPE_BOOL}},
    {{T2FX, 4, TYPE_INODE_TAB}, {T3FX, 4, TYPE_INODE_TAB}},
    {{T2FX, 5, TYPE_TEXMAP}, {T3FX, 5, TYPE_TEXMAP}},
    {{T2FX, 6, TYPE_FLOAT}, {T3FX, 6, TYPE_INT}},
    {{T2FX, 7, TYPE_STRING}, {T3FX, 7, TYPE_STRING}},
    {{T2FX, 8, TYPE_INODE}, {T3FX, 8, TYPE_INODE}},
    // line set, block 0 to 0
    {{T2SET(0), 0, TYPE_INT}, {T3SET(0), 0, TYPE_INT}},
    {{T2SET(0), 1, TYPE_INT}, {T3SET(0), 1, TYPE_INT}},
    {{T2SET(0), 2, TYPE_FLOAT}, {T3SET(0), 2, TYPE_FLOAT}},
    {{T2SET(0), 3, TYPE_FLOAT}, {T3SET(0), 3, TYPE_FLOAT}},  // skipped by the table though present
    {{T2SET(0), 11, TYPE_RGBA}, {T3SET(0), -1, TYPE_UNSPECIFIED}},
    // line set, edge blocks 1 to 2 (2 to 3 below, by the same rows)
    {{T2SET(1), 12, TYPE_INT}, {T3SET(2), 10, TYPE_INT}},
    {{T2SET(1), 13, TYPE_FLOAT}, {T3SET(2), 14, TYPE_FLOAT}},
    {{T2SET(1), 14, TYPE_FLOAT}, {T3SET(2), 13, TYPE_FLOAT}},
    {{T2SET(1), 15, TYPE_RGBA}, {T3SET(2), 12, TYPE_RGBA}},
    {{T2SET(1), 16, TYPE_INT}, {T3SET(2), 11, TYPE_INT}},
    {{T2SET(1), 17, TYPE_INT}, {T3SET(2), 1, TYPE_INT}},
    {{T2SET(1), 18, TYPE_INT}, {T3SET(2), 0, TYPE_INT}},
    {{T2SET(1), 19, TYPE_FLOAT}, {T3SET(2), 5, TYPE_FLOAT}},
    {{T2SET(1), 20, TYPE_FLOAT}, {T3SET(2), 6, TYPE_FLOAT}},
    {{T2SET(1), 21, TYPE_RGBA}, {T3SET(2), 7, TYPE_RGBA}},
    {{T2SET(1), 22, TYPE_FLOAT}, {T3SET(2), 4, TYPE_FLOAT}},
    {{T2SET(1), 23, TYPE_FLOAT}, {T3SET(2), 3, TYPE_FLOAT}},
    {{T2SET(1), 24, TYPE_INT}, {T3SET(2), 2, TYPE_INT}},
    {{T2SET(1), -1, TYPE_UNSPECIFIED}, {T3SET(2), 9, TYPE_INT}},
    {{T2SET(1), -1, TYPE_UNSPECIFIED}, {T3SET(2), 8, TYPE_FLOAT}},
    // line set, block 4 to 4
    {{T2SET(4), 25, TYPE_INT}, {T3SET(4), 0, TYPE_INT}},
    {{T2SET(4), 26, TYPE_INT}, {T3SET(4), 1, TYPE_INT}},
    {{T2SET(4), 27, TYPE_INODE_TAB}, {T3SET(4), 2, TYPE_INODE_TAB}},
    {{T2SET(4), 28, TYPE_FLOAT}, {T3SET(4), 5, TYPE_FLOAT}},
    {{T2SET(4), 29, TYPE_PCNT_FRAC}, {T3SET(4), 6, TYPE_PCNT_FRAC}},
    {{T2SET(4), 30, TYPE_RGBA}, {T3SET(4), 7, TYPE_RGBA}},
    {{T2SET(4), 31, TYPE_FLOAT}, {T3SET(4), -1, TYPE_UNSPECIFIED}},
    {{T2SET(4), 32, TYPE_FLOAT}, {T3SET(4), 4, TYPE_FLOAT}},
    {{T2SET(4), 33, TYPE_FLOAT}, {T3SET(4), 3, TYPE_FLOAT}},
    {{T2SET(4), 34, TYPE_FLOAT}, {T3SET(4), 5, TYPE_FLOAT}},
    {{T2SET(4), 35, TYPE_FLOAT}, {T3SET(4), 3, TYPE_FLOAT}},
    {{T2SET(4), 36, TYPE_FLOAT}, {T3SET(4), 4, TYPE_FLOAT}},
    // line set, block 5 to 5
    {{T2SET(5), 37, TYPE_FLOAT}, {T3SET(5), 8, TYPE_FLOAT}},
    {{T2SET(5), 38, TYPE_INT}, {T3SET(5), 9, TYPE_INT}},
    {{T2SET(5), 40, TYPE_INT}, {T3SET(5), -1, TYPE_UNSPECIFIED}},
    {{T2SET(5), 44, TYPE_FLOAT}, {T3SET(5), 8, TYPE_FLOAT}},
    {{T2SET(5), 45, TYPE_INT}, {T3SET(5), -1, TYPE_UNSPECIFIED}},
    // the T3 block that no conversion writes
    {{T2SET(3), -1, TYPE_UNSPECIFIED}, {T3SET(1), 0, TYPE_INT}},
    {{T2SET(3), -1, TYPE_UNSPECIFIED}, {T3SET(1), 1, TYPE_FLOAT}},
    // brush, block 0 to 0
    {{T2BR, 0, TYPE_FLOAT}, {T3BR, 0, TYPE_FLOAT}},
    {{T2BR, 1, TYPE_FLOAT}, {T3BR, 1, TYPE_FLOAT}},
    {{T2BR, 2, TYPE_FLOAT}, {T3BR, 2, TYPE_FLOAT}},  // not transferred though present
    {{T2BR, 3, TYPE_INT}, {T3BR, 3, TYPE_INT}},
    {{T2BR, 4, TYPE_RGBA}, {T3BR, 4, TYPE_RGBA}},
    {{T2BR, 5, TYPE_FLOAT}, {T3BR, 5, TYPE_FLOAT}},
    {{T2BR, 6, TYPE_INT}, {T3BR, 6, TYPE_FLOAT}},
    {{T2BR, 7, TYPE_INT}, {T3BR, -1, TYPE_UNSPECIFIED}},
    {{T2BR, 8, TYPE_FLOAT}, {T3BR, -1, TYPE_UNSPECIFIED}},
    {{T2BR, 9, TYPE_FLOAT}, {T3BR, 7, TYPE_FLOAT}},
    {{T2BR, 10, TYPE_INT}, {T3BR, 8, TYPE_INT}},
    {{T2BR, 11, TYPE_FLOAT}, {T3BR, -1, TYPE_UNSPECIFIED}},
    // brush sub-map, blocks 0 and 1, same IDs
    {{T2SUB(0), 0, TYPE_FLOAT}, {T3SUB(0), 0, TYPE_FLOAT}},
    {{T2SUB(0), 1, TYPE_INT}, {T3SUB(0), 1, TYPE_INT}},
    {{T2SUB(0), 2, TYPE_RGBA}, {T3SUB(0), 2, TYPE_RGBA}},
    {{T2SUB(0), 3, TYPE_TEXMAP}, {T3SUB(0), 3, TYPE_TEXMAP}},
    {{T2SUB(0), 4, TYPE_STRING}, {T3SUB(0), 4, TYPE_STRING}},
    {{T2SUB(1), 0, TYPE_FLOAT}, {T3SUB(1), 0, TYPE_FLOAT}},
    {{T2SUB(1), 1, TYPE_POINT3}, {T3SUB(1), 1, TYPE_POINT3}},
    {{T2SUB(1), 2, TYPE_FLOAT}, {T3SUB(1), 2, TYPE_INT}},
};

#undef T2SET
#undef T3SET
#undef T2FX
#undef T3FX
#undef T2BR
#undef T3BR
#undef T2SUB
#undef T3SUB

void ExpectSide(const Side& s) {
    if (s.id < 0) return;
    SCOPED_TRACE(testing::Message() << "class " << std::hex << s.cls.PartB() << std::dec << " block "
                                    << s.block << " param " << s.id);
    ReferenceTarget* obj = static_cast<ReferenceTarget*>(GetCOREInterface()->CreateInstance(s.super, s.cls));
    ASSERT_NE(obj, nullptr);
    IParamBlock2* pb = obj->GetParamBlockByID(s.block);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->GetParameterType(s.id), s.type);
}

TEST_F(LineClasses, ParametersMeetTheirCounterpartsWithTheExpectedTypes) {
    for (const PairRow& row : kPairs) {
        ExpectSide(row.from);
        ExpectSide(row.to);
    }
}

// Hidden edges repeat the visible edges' layout on both sides.
TEST_F(LineClasses, EdgeBlocksShareOneLayout) {
    for (ReferenceTarget* set : {Make(RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID),
                                 Make(REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID)}) {
        ASSERT_NE(set, nullptr);
        BlockID visible = set->ClassID() == TVL2_LINE_SET_CLASS_ID ? 1 : 2;
        IParamBlock2* a = set->GetParamBlockByID(visible);
        IParamBlock2* b = set->GetParamBlockByID(static_cast<BlockID>(visible + 1));
        ASSERT_TRUE(a && b);
        ASSERT_EQ(a->NumParams(), b->NumParams());
        for (int i = 0; i < a->NumParams(); ++i) {
            EXPECT_EQ(a->IndextoID(i), b->IndextoID(i));
            EXPECT_EQ(a->GetParameterType(a->IndextoID(i)), b->GetParameterType(b->IndextoID(i)));
        }
    }
}

// The conversion looks a source ID up in the block it reads; each ID lives in exactly the blocks of
// its range, in ascending order within a block (the later source wins).
TEST_F(LineClasses, Tavelin2LineSetSpreadsItsIDsOverTheBlocksInRanges) {
    struct Range {
        ParamID first, last;
        std::set<BlockID> blocks;
    };
    const Range kRanges[] = {{0, 11, {0}}, {12, 24, {1, 2}}, {25, 36, {4}}, {37, 45, {5}}};
    ReferenceTarget* set = Make(RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID);
    for (const Range& r : kRanges)
        for (ParamID id = r.first; id <= r.last; ++id) {
            std::set<BlockID> holders;
            for (BlockID b = 0; b <= 5; ++b)
                if (set->GetParamBlockByID(b)->GetParameterType(id) != TYPE_UNSPECIFIED) holders.insert(b);
            EXPECT_EQ(holders, r.blocks) << "param " << id;
        }
    for (BlockID b = 0; b <= 5; ++b) {
        IParamBlock2* pb = set->GetParamBlockByID(b);
        for (int i = 1; i < pb->NumParams(); ++i) EXPECT_LT(pb->IndextoID(i - 1), pb->IndextoID(i));
    }
}

// ---- references ----

struct RefLayoutRow {
    SClass_ID super;
    Class_ID cls;
    std::vector<int> blockRefs;  // block i (ID i) at ref blockRefs[i]
    std::vector<int> curveRefs;
};

const RefLayoutRow kRefLayouts[] = {
    {RENDER_EFFECT_CLASS_ID, TVL3_LINE_CLASS_ID, {0}, {}},
    {RENDER_EFFECT_CLASS_ID, TVL2_LINE_CLASS_ID, {0}, {}},
    {REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID, {0, 1, 2, 3, 4, 5}, {6, 7}},
    {RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID, {0, 1, 2, 3, 4, 5}, {31, 32}},
    {TEXMAP_CLASS_ID, TVL3_BRUSH_MAP_CLASS_ID, {0}, {}},
    {TEXMAP_CLASS_ID, TVL2_BRUSH_MAP_CLASS_ID, {0}, {}},
    {TEXMAP_CLASS_ID, TVL3_BRUSH_SUBMAP_CLASS_ID, {0, 1}, {6, 7}},
    {TEXMAP_CLASS_ID, TVL2_BRUSH_SUBMAP_CLASS_ID, {0, 1}, {8, 9}},
};

// A new object holds its blocks (block i at index i, with ID i) and its own curve controls; every
// other reference is empty.
TEST_F(LineClasses, NewObjectsHoldBlocksAndCurvesAtTheirRefs) {
    for (const RefLayoutRow& row : kRefLayouts) {
        SCOPED_TRACE(testing::Message() << std::hex << row.cls.PartB());
        ReferenceTarget* obj = Make(row.super, row.cls);
        ASSERT_NE(obj, nullptr);
        ASSERT_EQ(obj->NumParamBlocks(), static_cast<int>(row.blockRefs.size()));
        std::set<int> used;
        for (size_t i = 0; i < row.blockRefs.size(); ++i) {
            IParamBlock2* pb = obj->GetParamBlock(static_cast<int>(i));
            ASSERT_NE(pb, nullptr);
            EXPECT_EQ(pb->ID(), static_cast<BlockID>(i));
            EXPECT_EQ(obj->GetReference(row.blockRefs[i]), pb);
            used.insert(row.blockRefs[i]);
        }
        std::set<ReferenceTarget*> curves;
        for (int ref : row.curveRefs) {
            ReferenceTarget* c = obj->GetReference(ref);
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->ClassID(), CURVE_CONTROL_CLASS_ID);
            curves.insert(c);
            used.insert(ref);
        }
        EXPECT_EQ(curves.size(), row.curveRefs.size()) << "each curve is its own";
        for (int i = 0; i < obj->NumRefs(); ++i)
            if (!used.count(i)) {
                EXPECT_EQ(obj->GetReference(i), nullptr) << "ref " << i;
            }
    }
}

TEST_F(LineClasses, CurvesAreLeftOutWhileTheirClassIsUnloaded) {
    HostCore::Get().SetClassLoaded(REF_MAKER_CLASS_ID, CURVE_CONTROL_CLASS_ID, false);
    ReferenceTarget* set = Make(RENDER_EFFECT_CLASS_ID, TVL2_LINE_SET_CLASS_ID);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->GetReference(Tvl2LineSet::kRefCurve1), nullptr);
    EXPECT_NE(set->GetParamBlockByID(5), nullptr);
}

struct SubMapRow {
    Class_ID cls;
    int numSubMaps;
    int firstRef;
};

// Sub-maps are references of their own, not block parameters; a slot holding anything but a map
// answers no sub-map.
TEST_F(LineClasses, SubMapsAreDirectReferences) {
    const SubMapRow kRows[] = {{TVL3_BRUSH_MAP_CLASS_ID, 3, 1},
                               {TVL2_BRUSH_MAP_CLASS_ID, 3, 1},
                               {TVL3_BRUSH_SUBMAP_CLASS_ID, 2, 2},
                               {TVL2_BRUSH_SUBMAP_CLASS_ID, 2, 2}};
    for (const SubMapRow& row : kRows) {
        auto* map = static_cast<Texmap*>(GetCOREInterface()->CreateInstance(TEXMAP_CLASS_ID, row.cls));
        ASSERT_NE(map, nullptr);
        ASSERT_EQ(map->NumSubTexmaps(), row.numSubMaps);
        for (int i = 0; i < row.numSubMaps; ++i) {
            auto* bitmap = Make<BitmapTex>();
            map->SetSubTexmap(i, bitmap);
            EXPECT_EQ(map->GetReference(row.firstRef + i), bitmap);
            EXPECT_EQ(map->GetSubTexmap(i), bitmap);
            map->ReplaceReference(row.firstRef + i, Make<CurveControl>());
            EXPECT_EQ(map->GetSubTexmap(i), nullptr);
        }
        EXPECT_EQ(map->GetSubTexmap(row.numSubMaps), nullptr);
    }
}

TEST_F(LineClasses, BrushSlotsOfBothGroupsLandAtTheirRefs) {
    auto* t2 = Make<Tvl2LineSet>();
    auto* t3 = Make<Tvl3LineSet>();
    struct Slot {
        int group, k, t2Ref, t3Ref;
    };
    for (const Slot& s : {Slot{0, 0, 13, 10}, Slot{0, 5, 18, 15}, Slot{1, 0, 19, 21}, Slot{1, 5, 24, 26}}) {
        auto* brush = Make<Tvl2BrushMap>();
        t2->SetBrush(s.group, s.k, brush);
        t3->SetBrush(s.group, s.k, brush);
        EXPECT_EQ(t2->GetReference(s.t2Ref), brush);
        EXPECT_EQ(t3->GetReference(s.t3Ref), brush);
    }
    t3->SetBrush(1, 6, Make<Tvl3BrushMap>());
    EXPECT_NE(t3->GetReference(27), nullptr);
    t2->SetBrush(1, 6, Make<Tvl2BrushMap>());  // past the group: no such slot
    EXPECT_EQ(t2->GetReference(25), nullptr);
}

// ---- the Tavelin 3 effect's line-set interface ----

FPStatus SetLineSetsThroughInterface(ReferenceTarget* effect, Tab<ReferenceTarget*>& sets) {
    auto* fp = static_cast<FPInterface*>(effect->GetInterface(TVL3_LINE_INTERFACE_ID));
    if (!fp) return FPS_FAIL;
    FPParams p(1, TYPE_REFTARG_TAB_BR, &sets);
    return fp->Invoke(Tvl3Line::kFnSetLineSets, &p);
}

TEST_F(LineClasses, InterfaceReplacesTheWholeLineSetList) {
    struct Case {
        const char* what;
        std::vector<bool> present;  // false: an empty entry
    };
    const Case kCases[] = {
        {"three sets", {true, true, true}},
        {"one set", {true}},
        {"an empty entry kept as a slot", {true, false, true}},
        {"empty list", {}},
    };
    auto* line = Make<Tvl3Line>();
    const int base = HostCore::Get().NumLiveObjects();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const int before = HostCore::Get().NumLiveObjects();
        Tab<ReferenceTarget*> sets;
        for (bool p : c.present) {
            ReferenceTarget* s = p ? Make(REF_TARGET_CLASS_ID, TVL3_LINE_SET_CLASS_ID) : nullptr;
            sets.Append(1, &s);
        }
        const int made = HostCore::Get().NumLiveObjects() - before;
        ASSERT_EQ(SetLineSetsThroughInterface(line, sets), FPS_OK);
        ASSERT_EQ(line->NumLineSets(), sets.Count());
        EXPECT_EQ(line->NumRefs(), 1 + sets.Count());
        for (int i = 0; i < sets.Count(); ++i) EXPECT_EQ(line->GetLineSet(i), sets[i]);
        EXPECT_NE(line->GetParamBlock(0), nullptr) << "the block stays at ref 0";
        // Old sets are let go, and go: what lives is the line with the new sets.
        EXPECT_EQ(HostCore::Get().NumLiveObjects(), base + made);
    }
}

TEST_F(LineClasses, InterfaceRefusesWhatItDoesNotKnow) {
    auto* line = Make<Tvl3Line>();
    auto* fp = static_cast<FPInterface*>(line->GetInterface(TVL3_LINE_INTERFACE_ID));
    ASSERT_NE(fp, nullptr);
    EXPECT_EQ(fp->GetID(), TVL3_LINE_INTERFACE_ID);
    FPParams none;
    EXPECT_EQ(fp->Invoke(Tvl3Line::kFnSetLineSets, &none), FPS_FAIL);
    FPParams anInt(1, TYPE_INT, 3);
    EXPECT_EQ(fp->Invoke(Tvl3Line::kFnSetLineSets, &anInt), FPS_FAIL);
    EXPECT_EQ(fp->Invoke(7, &none), FPS_NO_SUCH_FUNCTION);
    EXPECT_EQ(line->NumLineSets(), 0);

    line->WithholdInterface(true);
    EXPECT_EQ(line->GetInterface(TVL3_LINE_INTERFACE_ID), nullptr);
    EXPECT_EQ(Make<Tvl2Line>()->GetInterface(TVL3_LINE_INTERFACE_ID), nullptr);
}

// ---- the effects' own state ----

TEST_F(LineClasses, DisabledFlagDecidesActiveAndTravelsWithAClone) {
    for (bool disabled : {false, true}) {
        for (Effect* fx : {static_cast<Effect*>(Make<Tvl2Line>()), static_cast<Effect*>(Make<Tvl3Line>())}) {
            fx->name = _M("Scene Tavelin 2 lines");
            if (disabled) fx->SetAFlag(A_ATMOS_DISABLED);
            EXPECT_EQ(fx->Active(0), !disabled);
            auto* copy = static_cast<Effect*>(CloneRefHierarchy(fx));
            ASSERT_NE(copy, nullptr);
            EXPECT_EQ(copy->Active(0), !disabled);
            EXPECT_EQ(copy->name, fx->name);
        }
    }
}

TEST_F(LineClasses, Tavelin2EffectKeepsAnythingInItsSlots) {
    auto* line = Make<Tvl2Line>();
    Tab<ReferenceTarget*> slots;
    ReferenceTarget* entries[] = {Make<Tvl2LineSet>(), nullptr, Make<BitmapTex>()};
    for (ReferenceTarget* e : entries) slots.Append(1, &e);
    line->SetLineSets(slots);
    ASSERT_EQ(line->NumRefs(), 4);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(line->GetReference(k), entries[k - 1]);
}

// ---- copies ----

// A copied line set is independent of its source, yet keeps what the source shared inside itself.
TEST_F(LineClasses, CloneOfALineSetIsIndependentAndKeepsSharing) {
    auto* set = Make<Tvl2LineSet>();
    auto* brush = Make<Tvl2BrushMap>();
    set->SetBrush(0, 0, brush);
    set->SetBrush(1, 1, brush);
    INode* node = HostCore::Get().CreateNode(_M("Box"));
    IParamBlock2* objects = set->GetParamBlockByID(4);
    objects->SetCount(27, 1);
    objects->SetValue(27, 0, node, 0);

    auto* copy = static_cast<Tvl2LineSet*>(CloneRefHierarchy(set));
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->GetBrush(0, 0), nullptr);
    EXPECT_NE(copy->GetBrush(0, 0), brush);
    EXPECT_EQ(copy->GetBrush(0, 0), copy->GetBrush(1, 1));
    EXPECT_EQ(copy->GetParamBlockByID(4)->GetINode(27, 0, 0), node) << "nodes are shared, not copied";

    copy->GetParamBlockByID(1)->SetValue(13, 0, 99.0f);
    EXPECT_EQ(set->GetParamBlockByID(1)->GetFloat(13), 13.5f);
    auto* curve = static_cast<CurveControl*>(copy->GetReference(Tvl2LineSet::kRefCurve1));
    ASSERT_NE(curve, nullptr);
    EXPECT_NE(curve, set->GetReference(Tvl2LineSet::kRefCurve1));
    curve->SetPoint(0, Point3(0.5f, 0.5f, 0.0f));
    EXPECT_EQ(static_cast<CurveControl*>(set->GetReference(Tvl2LineSet::kRefCurve1))->GetPoint(0), Point3());
}

TEST_F(LineClasses, SubMapWithoutItsSecondBlockStillCountsTwo) {
    auto* sub = Make<Tvl2BrushSubMap>();
    sub->RemoveBlock(1);
    EXPECT_EQ(sub->NumParamBlocks(), 2);
    EXPECT_NE(sub->GetParamBlock(0), nullptr);
    EXPECT_EQ(sub->GetParamBlock(1), nullptr);
}

}  // namespace
