#include <functional>
#include <limits>

#include "ConvertTestScene.h"
#include "hostclasses/MultiSubMtl.h"

namespace {

using Tvl2Map = Tvl2ReflectRefractMapLayout;
using Tvl3Map = Tvl3ReflectRefractMapLayout;

const ConversionOptions kWalk = CONVOPT_CONVERT_REFLECT_REFRACT_MAPS;

// Switch values of a Tavelin 2 reflection/refraction map (parameters 6 to 10) and the six switches of
// the Tavelin 3 map they give (parameters 8 to 13): each one means the opposite, and source 6 feeds two.
struct SwitchCase {
    int source[5];
    int target[6];
};
const SwitchCase kSwitchCases[] = {
    {{1, 0, 1, 0, 1}, {0, 0, 1, 0, 1, 0}},
    {{0, 1, 0, 1, 0}, {1, 1, 0, 1, 0, 1}},
};

}  // namespace

using ConvertMaterialTest = ConvertTest;

// ---- dispatch ----

TEST_F(ConvertMaterialTest, EachSourceClassGoesToItsOwnConverter) {
    struct Case {
        const char* what;
        std::function<Mtl*()> make;
        int zones;
        bool baseIsSource;  // the new material's sub-material 0 is the source itself
        bool highlightSet;  // the Standard converter wrote the highlight
    };
    const Case cases[] = {
        {"Standard", [] { return NewStandard(); }, 4, true, true},
        {"Standard variant", [] { return NewVariant(); }, 0, false, false},
        {"Tavelin 2", [] { return NewTvl2(); }, 4, false, false},
        {"Multi/Sub-Object",
         [] {
             auto* m = Create<MultiSubMtl>(MATERIAL_CLASS_ID, MULTI_SUB_MATERIAL_CLASS_ID);
             m->SetName(_M("Mixed"));
             return m;
         },
         0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Mtl* source = c.make();
        Tvl3Material* out = Convert(source, 0);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->ClassID(), TVL3_MATERIAL_CLASS_ID);
        EXPECT_EQ(NameOf(out), NameOf(source));
        EXPECT_EQ(out->NumZones(), c.zones);
        EXPECT_EQ(out->GetSubMtl(Tvl3Material::kSubMtlBase) == source, c.baseIsSource);
        EXPECT_EQ(Block(out)->GetInt(Tvl3Material::kHighlightEdge) == 98, c.highlightSet);
    }
}

TEST_F(ConvertMaterialTest, WithoutTheTavelin3ProductNothingIsMade) {
    Mtl* source = NewStandard();
    HostCore::Get().SetProductLoaded(PRODUCT_TAVELIN3, false);
    const int before = HostCore::Get().NumLiveObjects();
    EXPECT_EQ(ConvertMaterial(source, kDefaultConversionOptions, nullptr, map), nullptr);
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), before);
    EXPECT_EQ(map.Count(), 0);
}

// ---- reflection/refraction maps ----

TEST_F(ConvertMaterialTest, ReflectRefractMapCarriesItsValuesAndSharesItsSubMaps) {
    Tvl2ReflectRefractMap* source = NewTvl2ReflectRefract(_M("Chrome"));
    BitmapTex* reflection = NewBitmap(_M("sky.png"));
    IParamBlock2* s0 = source->GetParamBlockByID(Tvl2Map::kMainBlock);
    s0->SetValue(Tvl2Map::kReflectAmount, 0, 1.5f);
    SetParamValue(s0, Tvl2Map::kTint, 0, Color(0.3f, 0.2f, 0.1f));
    s0->SetValue(Tvl2Map::kIor, 0, 33.0f);
    s0->SetValue(Tvl2Map::kSamples, 0, 9);
    s0->SetValue(Tvl2Map::kBlur, 0, 0.25f);
    s0->SetValue(Tvl2Map::kLegacyFalloff, 0, 6.0f);
    source->SetSubTexmap(0, reflection);
    IParamBlock2* s1 = source->GetParamBlockByID(Tvl2Map::kEnvironmentBlock);
    s1->SetValue(0, 0, 4.0f);
    s1->SetValue(1, 0, 5);
    s1->SetValue(2, 0, static_cast<Texmap*>(NewBitmap(_M("env.png"))));

    auto* out = dynamic_cast<Tvl3ReflectRefractMap*>(ConvertReflectRefractMap(source, map));
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(NameOf(out), L"Chrome");
    IParamBlock2* d0 = out->GetParamBlockByID(Tvl3Map::kMainBlock);
    EXPECT_FLOAT_EQ(d0->GetFloat(Tvl3Map::kReflectAmount), 1.5f);
    EXPECT_EQ(d0->GetColor(Tvl3Map::kTint), Color(0.3f, 0.2f, 0.1f));
    EXPECT_FLOAT_EQ(d0->GetFloat(Tvl3Map::kIor), 33.0f);  // renumbered
    EXPECT_EQ(d0->GetInt(Tvl3Map::kSamples), 9);          // renumbered
    EXPECT_EQ(d0->GetInt(Tvl3Map::kBlur), -1);            // a float never lands in an int, renumbered or not
    EXPECT_EQ(out->GetSubTexmap(0), reflection);
    EXPECT_EQ(out->GetSubTexmap(1), nullptr);
    EXPECT_EQ(source->GetSubTexmap(0), reflection);
    IParamBlock2* d1 = out->GetParamBlockByID(Tvl3Map::kEnvironmentBlock);
    EXPECT_FLOAT_EQ(d1->GetFloat(0), 4.0f);
    EXPECT_EQ(d1->GetInt(1), 5);
    EXPECT_EQ(d1->GetTexmap(2), nullptr);                   // maps of the environment block stay behind
    EXPECT_EQ(d1->GetPoint3(3), Point3(0.0f, 0.0f, 0.0f));  // a colour never lands in a point

    // Converted once: asking again answers the same map.
    EXPECT_EQ(ConvertReflectRefractMap(source, map), out);
    EXPECT_EQ(map.Count(), 1);
}

TEST_F(ConvertMaterialTest, ReflectRefractSwitchesArriveInvertedExactlyOnce) {
    for (const SwitchCase& c : kSwitchCases) {
        Tvl2ReflectRefractMap* source = NewTvl2ReflectRefract(_M("Glass"));
        for (int k = 0; k < 5; ++k)
            source->GetParamBlockByID(Tvl2Map::kMainBlock)
                ->SetValue(static_cast<ParamID>(Tvl2Map::kFirstSwitch + k), 0, c.source[k]);
        Texmap* out = ConvertReflectRefractMap(source, map);
        ASSERT_NE(out, nullptr);
        std::vector<int> switches;
        for (ParamID id = Tvl3Map::kFirstSwitch; id <= Tvl3Map::kLastSwitch; ++id)
            switches.push_back(out->GetParamBlockByID(Tvl3Map::kMainBlock)->GetInt(id));
        EXPECT_EQ(switches, std::vector<int>(c.target, c.target + 6));
    }
}

TEST_F(ConvertMaterialTest, AnimatedSwitchIsInvertedAtEveryKeyOfItsOwnCopy) {
    Tvl2ReflectRefractMap* source = NewTvl2ReflectRefract(_M("Water"));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    LinearFloatController* keyed = KeyedFloat({{0, 1.0f}, {100, 0.0f}, {200, 0.5f}, {300, nan}});
    source->GetParamBlockByID(Tvl2Map::kMainBlock)->SetControllerByID(Tvl2Map::kReflectOn, 0, keyed);

    Texmap* out = ConvertReflectRefractMap(source, map);
    ASSERT_NE(out, nullptr);
    IParamBlock2* d0 = out->GetParamBlockByID(Tvl3Map::kMainBlock);
    // The reflection switch drives both the outline and the reflection; each has a controller of its own with
    // every key inverted.
    for (ParamID id : {ParamID(Tvl3Map::kOutlineOff), ParamID(Tvl3Map::kReflectOff)}) {
        SCOPED_TRACE(id);
        Control* copy = d0->GetControllerByID(id);
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, keyed);
        EXPECT_EQ(KeyValues(copy), (std::vector<float>{0.0f, 1.0f, 0.0f, 0.0f}));
        EXPECT_EQ(d0->GetInt(id, 100), 1);
    }
    EXPECT_NE(d0->GetControllerByID(Tvl3Map::kOutlineOff), d0->GetControllerByID(Tvl3Map::kReflectOff));
    std::vector<float> sourceKeys = KeyValues(keyed);
    ASSERT_EQ(sourceKeys.size(), 4u);
    EXPECT_EQ(sourceKeys[0], 1.0f);
    EXPECT_EQ(sourceKeys[1], 0.0f);
    EXPECT_EQ(sourceKeys[2], 0.5f);
    EXPECT_TRUE(std::isnan(sourceKeys[3]));
}

TEST_F(ConvertMaterialTest, ReflectRefractMapWithoutMainBlockKeepsTheRest) {
    Tvl2ReflectRefractMap* source = NewTvl2ReflectRefract(_M("Mirror"));
    source->GetParamBlockByID(Tvl2Map::kEnvironmentBlock)->SetValue(0, 0, 8.0f);
    Tvl3ReflectRefractMap::MadeWithoutBlockScope withoutBlock;
    Texmap* out = ConvertReflectRefractMap(source, map);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->GetParamBlockByID(Tvl3Map::kMainBlock), nullptr);
    EXPECT_FLOAT_EQ(out->GetParamBlockByID(Tvl3Map::kEnvironmentBlock)->GetFloat(0), 8.0f);
}

TEST_F(ConvertMaterialTest, WalkReplacesTavelin2MapsOnlyWhenAsked) {
    struct Case {
        ConversionOptions options;
        bool loaded;
        bool replaced;
    } cases[] = {{kWalk, true, true}, {0, true, false}, {kWalk, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        SCOPED_TRACE(c.loaded);
        RegisterStandInProducts();
        if (!c.loaded) Unload(TEXMAP_CLASS_ID, TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
        ConversionMap runMap;
        Tvl2Material* source = NewTvl2();
        Tvl2ReflectRefractMap* rr = NewTvl2ReflectRefract(_M("Chrome"));
        source->SetSubTexmap(4, rr);
        Mtl* out = ConvertMaterial(source, c.options, nullptr, runMap);
        ASSERT_NE(out, nullptr);
        Texmap* slot = out->GetSubTexmap(4);
        if (c.replaced) {
            ASSERT_NE(slot, nullptr);
            EXPECT_EQ(slot->ClassID(), TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
            EXPECT_EQ(NameOf(slot), L"Chrome");
            EXPECT_EQ(runMap.Lookup(rr), slot);
        } else {
            EXPECT_EQ(slot, rr);
            EXPECT_EQ(runMap.Lookup(rr), nullptr);
        }
        EXPECT_EQ(source->GetSubTexmap(4), rr);  // the source material keeps its own map
    }
}

TEST_F(ConvertMaterialTest, NestedMapIsConvertedBeforeItsParentAndTravelsIntoIt) {
    Tvl2ReflectRefractMap* outer = NewTvl2ReflectRefract(_M("Outer"));
    Tvl2ReflectRefractMap* inner = NewTvl2ReflectRefract(_M("Inner"));
    outer->SetSubTexmap(1, inner);
    Tvl2Material* source = NewTvl2();
    source->SetSubTexmap(0, outer);

    Tvl3Material* out = Convert(source, kWalk);
    Texmap* newOuter = out->GetSubTexmap(0);
    ASSERT_NE(newOuter, nullptr);
    EXPECT_EQ(NameOf(newOuter), L"Outer");
    Texmap* newInner = newOuter->GetSubTexmap(1);
    ASSERT_NE(newInner, nullptr);
    EXPECT_EQ(newInner->ClassID(), TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
    EXPECT_EQ(NameOf(newInner), L"Inner");
    // The inner map was replaced in place in the Tavelin 2 map that held it, before that was converted.
    EXPECT_EQ(outer->GetSubTexmap(1), newInner);
    int innerAt = -1, outerAt = -1;
    for (int i = 0; i < map.Count(); ++i) {
        if (map[i].first == inner) innerAt = i;
        if (map[i].first == outer) outerAt = i;
    }
    EXPECT_GE(innerAt, 0);
    EXPECT_LT(innerAt, outerAt);
}

TEST_F(ConvertMaterialTest, MapSharedByTwoMaterialsOfARunIsConvertedOnce) {
    Tvl2ReflectRefractMap* shared = NewTvl2ReflectRefract(_M("Shared"));
    Tvl2Material* first = NewTvl2(_M("First"));
    Tvl2Material* second = NewTvl2(_M("Second"));
    first->SetSubTexmap(1, shared);
    second->SetSubTexmap(3, shared);
    Tvl3Material* a = Convert(first, kWalk);
    Tvl3Material* b = Convert(second, kWalk);
    ASSERT_NE(a->GetSubTexmap(1), nullptr);
    EXPECT_EQ(a->GetSubTexmap(1), b->GetSubTexmap(3));
    EXPECT_NE(a->GetSubTexmap(1), shared);
}

TEST_F(ConvertMaterialTest, WalkReachesASharedBaseMaterialForAllItsUsers) {
    // A plain Standard material becomes the new material's base itself, so a map replaced inside it is
    // replaced for every other user of that material too.
    StandardMtl* source = NewStandard();
    Tvl2ReflectRefractMap* rr = NewTvl2ReflectRefract(_M("Chrome"));
    source->SetSubTexmap(source->StdIDToChannel(ID_RL), rr);
    INode* node = HostCore::Get().CreateNode(_M("Teapot"));
    node->SetMtl(source);

    Tvl3Material* out = Convert(source, kWalk);
    Texmap* converted = out->GetSubTexmap(4);
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(converted->ClassID(), TVL3_REFLECT_REFRACT_MAP_CLASS_ID);
    EXPECT_EQ(out->GetSubMtl(Tvl3Material::kSubMtlBase), source);
    EXPECT_EQ(source->GetSubTexmap(source->StdIDToChannel(ID_RL)), converted);
    EXPECT_EQ(dynamic_cast<StdMat2*>(node->GetMtl())->GetSubTexmap(ID_RL), converted);
}

// The walk reports each switch before making it, and leaves recording as its caller set it: inside a
// suspended transaction nothing is recorded.
TEST_F(ConvertMaterialTest, WalkReportsItsSwitchesAndNeverResumesASuspendedHold) {
    struct Log : SubMapSwitchSink {
        struct Entry {
            MtlBase* holder;
            int slot;
            Texmap *before, *after, *inSlot;
        };
        void SubMapSwitched(MtlBase* holder, int slot, Texmap* before, Texmap* after) override {
            seen.push_back({holder, slot, before, after, holder->GetSubTexmap(slot)});
        }
        std::vector<Entry> seen;
    } log;
    StandardMtl* source = NewStandard();
    Tvl2ReflectRefractMap* outer = NewTvl2ReflectRefract(_M("Outer"));
    Tvl2ReflectRefractMap* inner = NewTvl2ReflectRefract(_M("Inner"));
    outer->SetSubTexmap(1, inner);
    const int channel = source->StdIDToChannel(ID_RL);
    source->SetSubTexmap(channel, outer);
    GetCOREInterface7()->SetMtlSlot(23, outer);  // still used once the walk has replaced it in the source

    const int undoEntries = theHold.NumUndoEntries();
    theHold.Begin();
    theHold.Suspend();
    Mtl* out = ConvertMaterial(source, kWalk, nullptr, map, &log);
    theHold.Resume();
    theHold.Accept(MSTR(_M("caller")).dataForWrite());
    EXPECT_EQ(theHold.NumUndoEntries(), undoEntries);

    ASSERT_NE(out, nullptr);
    Texmap* newOuter = out->GetSubTexmap(4);
    Texmap* newInner = outer->GetSubTexmap(1);
    ASSERT_EQ(log.seen.size(), 3u);
    const Log::Entry expected[] = {{outer, 1, inner, newInner, inner},
                                   {source, channel, outer, newOuter, outer},
                                   {out, 4, outer, newOuter, outer}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(log.seen[i].holder, expected[i].holder);
        EXPECT_EQ(log.seen[i].slot, expected[i].slot);
        EXPECT_EQ(log.seen[i].before, expected[i].before);
        EXPECT_EQ(log.seen[i].after, expected[i].after);
        EXPECT_EQ(log.seen[i].inSlot, expected[i].inSlot);
    }
}

TEST_F(ConvertMaterialTest, ConversionMapAnswersTheFirstPairForASource) {
    auto *a = new BoxTarget, *b = new BoxTarget, *x = new BoxTarget, *y = new BoxTarget;
    EXPECT_EQ(map.Lookup(a), nullptr);
    map.Append(a, nullptr);
    map.Append(b, x);
    map.Append(a, y);  // hidden by the earlier pair that has no converted object
    map.Append(b, y);
    EXPECT_EQ(map.Lookup(a), nullptr);
    EXPECT_EQ(map.Lookup(b), x);
    ASSERT_EQ(map.Count(), 4);
    EXPECT_EQ(map[2].first, a);
    EXPECT_EQ(map[2].second, y);
}
