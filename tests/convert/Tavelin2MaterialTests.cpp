#include <functional>
#include <limits>

#include "ConvertTestScene.h"
#include "Tavelin2Material.h"
#include "hostclasses/StdUVGen.h"
#include "tavelin2/Tvl2Settings.h"
#include "tavelin3/Tvl3Settings.h"

namespace {

// An object whose super class is the plain reference maker's but that is no curve control.
class MakerOnlyTarget : public BoxTarget {
public:
    SClass_ID SuperClassID() override { return REF_MAKER_CLASS_ID; }
};

const ConversionOptions kSkipAreaOff = CONVOPT_SKIP_AREA_OFF_ZONES;
const ConversionOptions kSkipDisabledStrokes = CONVOPT_SKIP_DISABLED_STROKES;

}  // namespace

class Tavelin2MaterialTest : public ConvertTest {
protected:
    // Gives each zone block a mark (parameter 4 = 10 times the zone's number), so a new zone shows
    // which source zone it came from.
    static Tvl2Material* MarkedTvl2(const MCHAR* name = _M("Hair")) {
        Tvl2Material* m = NewTvl2(name);
        for (int i = 0; i < Tvl2Material::kNumZones; ++i)
            m->GetZoneBlock(i)->SetValue(4, 0, 10.0f * static_cast<float>(i + 1));
        return m;
    }
    static std::vector<float> ZoneMarks(Tvl3Material* m) {
        std::vector<float> marks;
        for (int i = 0; i < m->NumZones(); ++i)
            marks.push_back(Block(m->GetZone(i))->GetFloat(Tvl3Zone::kMapAmount));
        return marks;
    }
};

// ---- main parameters and zones ----

TEST_F(Tavelin2MaterialTest, MainParametersMoveOnlyBetweenTheSameIdAndType) {
    Tvl2Material* source = NewTvl2();
    IParamBlock2* s = source->GetParamBlockByID(0);
    s->SetValue(0, 0, 3.5f);
    s->SetValue(1, 0, 12.5f);
    SetParamValue(s, 2, 0, Color(0.1f, 0.2f, 0.3f));
    LinearFloatController* outline = KeyedFloat({{0, 2.0f}, {100, 6.0f}});
    s->SetControllerByID(11, 0, outline);
    s->SetValue(12, 0, 9.0f, 5);
    s->SetValue(16, 0, static_cast<Texmap*>(NewBitmap(_M("detail.png"))));
    s->SetValue(19, 0, 0.9f);

    IParamBlock2* d = Block(Convert(source, 0));
    EXPECT_EQ(d->GetInt(Tvl3Material::kShadingStyle), 7);  // a float never lands in an int
    EXPECT_FLOAT_EQ(d->GetFloat(Tvl3Material::kBaseBlend), 12.5f);
    EXPECT_EQ(d->GetColor(Tvl3Material::kHighlightColor), Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(d->GetInt(Tvl3Material::kHighlightAddBlend), 2);
    EXPECT_EQ(d->GetInt(Tvl3Material::kHighlightSharpness), 30);
    ASSERT_NE(d->GetControllerByID(Tvl3Material::kOutlineWidth), nullptr);
    EXPECT_NE(d->GetControllerByID(Tvl3Material::kOutlineWidth), outline);
    EXPECT_FLOAT_EQ(d->GetFloat(Tvl3Material::kOutlineWidth, 50), 4.0f);
    ASSERT_EQ(d->Count(Tvl3Material::kBandWeights), 6);
    EXPECT_FLOAT_EQ(d->GetFloat(Tvl3Material::kBandWeights, 0, 0), 0.75f);
    EXPECT_FLOAT_EQ(d->GetFloat(Tvl3Material::kBandWeights, 0, 5), 9.0f);
    EXPECT_EQ(std::wstring(d->GetStr(Tvl3Material::kNotes)), L"Tavelin 2");
    EXPECT_EQ(d->GetTexmap(Tvl3Material::kDetailMap), nullptr);
    EXPECT_FLOAT_EQ(d->GetFloat(Tvl3Material::kOpacity), 0.5f);
}

TEST_F(Tavelin2MaterialTest, ZonesAreRebuiltInSourceOrderWithTheirObjects) {
    Tvl2Material* source = MarkedTvl2();
    BitmapTex* shade = NewBitmap(_M("shade.png"));
    source->SetZoneObject(2, shade);
    SetParamValue(source->GetZoneBlock(1), 3, 0, Color(0.3f, 0.2f, 0.1f));
    source->GetZoneBlock(1)->SetValue(10, 0, static_cast<Texmap*>(shade), 0);

    Tvl3Material* out = Convert(source, 0);
    EXPECT_EQ(ZoneNumbers(out), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(ZoneMarks(out), (std::vector<float>{10, 20, 30, 40}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ZoneOf(out, i)->GetMap(), i == 2 ? shade : nullptr) << i;
    IParamBlock2* zone = Block(out->GetZone(1));
    EXPECT_EQ(zone->GetColor(Tvl3Zone::kColor), Color(0.3f, 0.2f, 0.1f));
    EXPECT_EQ(std::wstring(zone->GetStr(Tvl3Zone::kLabel)), L"Tavelin 2 zone");
    EXPECT_EQ(zone->GetInt(Tvl3Zone::kPriority), 5);                    // a float never lands in an int
    EXPECT_EQ(zone->GetTexmap(Tvl3Zone::kPatternMaps, 0, 0), nullptr);  // map tables are not carried
    EXPECT_FLOAT_EQ(zone->GetFloat(Tvl3Zone::kMix), 0.5f);
}

TEST_F(Tavelin2MaterialTest, ZonesWithoutAreaAreDroppedOnlyWhenAsked) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        ConversionOptions options;
        std::function<void(Tvl2Material*)> shape;
        std::vector<int> numbers;
    } cases[] = {
        {"zone 1 squeezed to nothing",
         kSkipAreaOff,
         [](Tvl2Material* m) {
             m->GetZoneBlock(0)->SetValue(Tvl2Material::kZoneUpperBound, 0, 40.0f);
             m->GetZoneBlock(2)->SetValue(Tvl2Material::kZoneLowerBound, 0, 40.0f);
         },
         {1, 3, 4}},
        {"the same, not asked",
         0,
         [](Tvl2Material* m) {
             m->GetZoneBlock(0)->SetValue(Tvl2Material::kZoneUpperBound, 0, 40.0f);
             m->GetZoneBlock(2)->SetValue(Tvl2Material::kZoneLowerBound, 0, 40.0f);
         },
         {1, 2, 3, 4}},
        {"zone 3 starts at the top",
         kSkipAreaOff,
         [](Tvl2Material* m) { m->GetZoneBlock(2)->SetValue(Tvl2Material::kZoneUpperBound, 0, 100.0f); },
         {1, 2, 3}},
        {"zone 0 ends at the bottom",
         kSkipAreaOff,
         [](Tvl2Material* m) { m->GetZoneBlock(1)->SetValue(Tvl2Material::kZoneLowerBound, 0, 0.0f); },
         {2, 3, 4}},
        {"limits that are not numbers never meet",
         kSkipAreaOff,
         [nan](Tvl2Material* m) {
             m->GetZoneBlock(0)->SetValue(Tvl2Material::kZoneUpperBound, 0, nan);
             m->GetZoneBlock(2)->SetValue(Tvl2Material::kZoneLowerBound, 0, nan);
         },
         {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tvl2Material* source = MarkedTvl2();
        c.shape(source);
        Tvl3Material* out = Convert(source, c.options);
        EXPECT_EQ(ZoneNumbers(out), c.numbers);
        std::vector<float> marks;
        for (int n : c.numbers) marks.push_back(10.0f * static_cast<float>(n));
        EXPECT_EQ(ZoneMarks(out), marks);  // a zone keeps its source's number and values
    }
}

TEST_F(Tavelin2MaterialTest, ZoneNumberOfTheSourceBlockWins) {
    Tvl2Material* source = NewTvl2();
    source->UseNumberedZoneBlocks();
    EXPECT_EQ(ZoneNumbers(Convert(source, 0)), (std::vector<int>{7, 7, 7, 7}));
}

// ---- strokes ----

TEST_F(Tavelin2MaterialTest, SwitchedOffStrokesAreDroppedOrKeptInPlace) {
    struct Case {
        ConversionOptions options;
        const char* strokes;  // A, B: the converted stroke maps; m: the bitmap; -: an empty slot
        std::vector<int> switches;
    } cases[] = {
        {kSkipDisabledStrokes, "mB-A", {1, 1, 1, 1}},
        {0, "Am-B-A", {0, 1, 0, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strokes);
        Tvl2Material* source = NewTvl2();
        Tvl2StrokeMap* a = NewTvl2Stroke(_M("Pen"));
        Tvl2StrokeMap* b = NewTvl2Stroke(_M("Brush"));
        BitmapTex* bitmap = NewBitmap(_M("paper.png"));
        ReferenceTarget* slots[6] = {a, bitmap, nullptr, b, nullptr, a};
        const int switches[6] = {0, 1, 0, 1, 1, 1};
        for (int j = 0; j < 6; ++j) {
            source->SetStrokeSlot(1, j, slots[j]);
            source->GetZoneBlock(1)->SetValue(Tvl2Material::kZoneStrokeSwitches, 0, switches[j], j);
        }
        ConversionMap runMap;
        auto* out = static_cast<Tvl3Material*>(ConvertMaterial(source, c.options, nullptr, runMap));
        Tvl3Zone* zone = ZoneOf(out, 1);
        ASSERT_NE(zone, nullptr);
        const std::string expected = c.strokes;
        ASSERT_EQ(zone->NumStrokes(), static_cast<int>(expected.size()));
        for (size_t k = 0; k < expected.size(); ++k) {
            ReferenceTarget* want = expected[k] == 'A'   ? runMap.Lookup(a)
                                    : expected[k] == 'B' ? runMap.Lookup(b)
                                    : expected[k] == 'm' ? bitmap
                                                         : nullptr;
            EXPECT_EQ(zone->GetStroke(static_cast<int>(k)), want) << k;
        }
        ASSERT_NE(runMap.Lookup(a), nullptr);
        EXPECT_EQ(runMap.Lookup(a)->ClassID(), TVL3_STROKE_MAP_CLASS_ID);
        EXPECT_EQ(NameOf(dynamic_cast<MtlBase*>(runMap.Lookup(b))), L"Brush");
        EXPECT_EQ(IntTable(zone->GetParamBlock(Tvl3Zone::kMainBlock), Tvl3Zone::kStrokeSwitches), c.switches);
        EXPECT_EQ(ZoneOf(out, 0)->NumStrokes(), 6);  // empty slots that are switched on stay in place
    }
}

TEST_F(Tavelin2MaterialTest, StrokeMapIsConvertedOnceForAllItsZonesAndMaterials) {
    Tvl2StrokeMap* pen = NewTvl2Stroke(_M("Pen"));
    Tvl2Material* first = NewTvl2(_M("First"));
    Tvl2Material* second = NewTvl2(_M("Second"));
    first->SetStrokeSlot(0, 0, pen);
    first->SetStrokeSlot(3, 2, pen);
    second->SetStrokeSlot(2, 5, pen);
    Tvl3Material* a = Convert(first, kSkipDisabledStrokes);
    Tvl3Material* b = Convert(second, kSkipDisabledStrokes);
    ReferenceTarget* converted = ZoneOf(a, 0)->GetStroke(0);
    ASSERT_NE(converted, nullptr);
    EXPECT_NE(converted, pen);
    EXPECT_EQ(ZoneOf(a, 3)->GetStroke(2), converted);
    EXPECT_EQ(ZoneOf(b, 2)->GetStroke(5), converted);
    int pairs = 0;
    for (int i = 0; i < map.Count(); ++i) pairs += map[i].first == pen ? 1 : 0;
    EXPECT_EQ(pairs, 1);
}

TEST_F(Tavelin2MaterialTest, StrokeMapGetsItsValuesAPrivateCurveAndSharedSubMap) {
    struct Case {
        const char* what;
        std::function<ReferenceTarget*()> extra;  // what the Tavelin 2 map holds in its last reference
        enum { kNothing, kShared, kCopied } outcome;
    } cases[] = {
        {"another maker", [] { return new MakerOnlyTarget; }, Case::kNothing},
        {"a map", [] { return NewBitmap(_M("extra.png")); }, Case::kShared},
        {"a curve", [] { return NewCurveControl(); }, Case::kCopied},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tvl2StrokeMap* pen = NewTvl2Stroke(_M("Pen"));
        IParamBlock2* s = pen->GetParamBlock(0);
        s->SetValue(0, 0, 3.5f);
        s->SetValue(1, 0, 7);
        SetParamValue(s, 3, 0, Color(0.1f, 0.2f, 0.3f));
        s->SetValue(4, 0, 1.2f);
        s->SetValue(5, 0, 0, 0);
        SetParamValue(s, 6, 0, Point3(4.0f, 5.0f, 6.0f), 1);
        s->SetValue(7, 0, static_cast<Texmap*>(NewBitmap(_M("grain.png"))));
        auto* curve = static_cast<CurveControl*>(pen->GetReference(Tvl2StrokeMap::kRefCurve));
        curve->SetPoint(1, Point3(0.5f, 0.8f, 0.0f));
        static_cast<StdUVGen*>(pen->GetReference(Tvl2StrokeMap::kRefUVGen))->SetUOffs(0.25f, 0);
        BitmapTex* ink = NewBitmap(_M("ink.png"));
        pen->SetSubTexmap(0, ink);
        ReferenceTarget* extra = c.extra();
        pen->ReplaceReference(Tvl2StrokeMap::kRefExtra, extra);
        Tvl2Material* source = NewTvl2();
        source->SetStrokeSlot(0, 0, pen);

        auto* out = dynamic_cast<Tvl3StrokeMap*>(ZoneOf(Convert(source, 0), 0)->GetStroke(0));
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(NameOf(out), L"Pen");
        IParamBlock2* d = out->GetParamBlock(0);
        EXPECT_FLOAT_EQ(d->GetFloat(0), 3.5f);
        EXPECT_EQ(d->GetInt(1), 7);
        EXPECT_EQ(d->GetInt(2), 1);
        EXPECT_EQ(d->GetPoint3(3), Point3(0.0f, 0.0f, 1.0f));  // a colour never lands in a point
        EXPECT_FLOAT_EQ(d->GetFloat(4), 0.0f);                 // nor is an angle carried
        EXPECT_EQ(IntTable(d, 5), (std::vector<int>{0, 1, 1}));
        ASSERT_EQ(d->Count(6), 2);
        EXPECT_EQ(d->GetPoint3(6, 0, 1), Point3(4.0f, 5.0f, 6.0f));
        EXPECT_EQ(d->GetTexmap(7), nullptr);

        auto* newCurve = dynamic_cast<CurveControl*>(out->GetReference(Tvl3StrokeMap::kRefCurve));
        ASSERT_NE(newCurve, nullptr);
        EXPECT_NE(newCurve, curve);
        EXPECT_EQ(newCurve->GetPoint(1), Point3(0.5f, 0.8f, 0.0f));
        newCurve->SetPoint(1, Point3(0.9f, 0.9f, 0.0f));
        EXPECT_EQ(curve->GetPoint(1), Point3(0.5f, 0.8f, 0.0f));
        auto* uv = dynamic_cast<StdUVGen*>(out->GetReference(Tvl3StrokeMap::kRefUVGen));
        ASSERT_NE(uv, nullptr);
        EXPECT_NE(uv, pen->GetReference(Tvl2StrokeMap::kRefUVGen));
        EXPECT_FLOAT_EQ(uv->GetUOffs(0), 0.25f);
        EXPECT_EQ(out->GetSubTexmap(0), ink);

        ReferenceTarget* newExtra = out->GetReference(Tvl2StrokeMap::kRefExtra);
        switch (c.outcome) {
            case Case::kNothing:
                EXPECT_EQ(newExtra, nullptr);
                break;
            case Case::kShared:
                EXPECT_EQ(newExtra, extra);
                break;
            case Case::kCopied:
                ASSERT_NE(newExtra, nullptr);
                EXPECT_NE(newExtra, extra);
                EXPECT_EQ(newExtra->ClassID(), CURVE_CONTROL_CLASS_ID);
                break;
        }
    }
}

TEST_F(Tavelin2MaterialTest, StrokeMapThatCannotBeMadeLeavesItsSlotOut) {
    Tvl2Material* source = NewTvl2();
    BitmapTex* bitmap = NewBitmap(_M("paper.png"));
    source->SetStrokeSlot(0, 0, NewTvl2Stroke(_M("Pen")));
    source->SetStrokeSlot(0, 1, bitmap);
    Unload(TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID);
    Tvl3Zone* zone = ZoneOf(Convert(source, 0), 0);
    ASSERT_EQ(zone->NumStrokes(), 5);
    EXPECT_EQ(zone->GetStroke(0), bitmap);
    EXPECT_EQ(zone->GetParamBlock(0)->Count(9), 6);  // the switches still follow the source's slots
}

// ---- settings and re-attached references ----

TEST_F(Tavelin2MaterialTest, SettingsObjectIsFilledFromTheSourceSettings) {
    Tvl2Material* source = NewTvl2();
    auto* from = dynamic_cast<Tvl2Settings*>(source->GetSettings());
    ASSERT_NE(from, nullptr);
    from->SetName(_M("Ink"));
    IParamBlock2* s = from->GetParamBlock(0);
    s->SetValue(0, 0, 4.5f);
    s->SetValue(1, 0, 9);
    for (int i = 0; i < 6; ++i) s->SetValue(2, 0, 1.0f + static_cast<float>(i), i);
    s->SetValue(3, 0, 1.0f);
    IParamBlock2* h = from->GetHolder()->GetParamBlock(0);
    h->SetValue(0, 0, 2.5f);
    h->SetValue(1, 0, 8);
    for (int i = 0; i < 6; ++i) h->SetValue(2, 0, 10 + i, i);
    StandardMtl* held = NewStandard();
    h->SetValue(3, 0, static_cast<Mtl*>(held), 0);
    BitmapTex* paper = NewBitmap(_M("paper.png"));
    from->ReplaceReference(Tvl2Settings::kRefMap, paper);
    from->ReplaceReference(Tvl2Settings::kRefExtra, new BoxTarget);

    auto* to = dynamic_cast<Tvl3Settings*>(Convert(source, 0)->GetSettings());
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(NameOf(to), L"Ink");
    IParamBlock2* d = to->GetParamBlock(0);
    EXPECT_FLOAT_EQ(d->GetFloat(0), 4.5f);
    EXPECT_EQ(d->GetInt(1), 9);
    ASSERT_EQ(d->Count(2), 4);  // the settings keep their own table length
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(d->GetFloat(2, 0, i), 1.0f + static_cast<float>(i));
    EXPECT_FLOAT_EQ(d->GetFloat(3), 0.0f);
    IParamBlock2* dh = to->GetHolder()->GetParamBlock(0);
    EXPECT_FLOAT_EQ(dh->GetFloat(0), 2.5f);
    EXPECT_EQ(dh->GetInt(1), 8);
    EXPECT_EQ(IntTable(dh, 2), (std::vector<int>{10, 11, 12, 13, 14, 15}));  // the holder's grow
    EXPECT_EQ(dh->GetMtl(3, 0, 0), held);
    EXPECT_EQ(to->GetReference(Tvl3Settings::kRefMap), paper);
    ReferenceTarget* presets = to->GetReference(Tvl3Settings::kRefPresets);
    ASSERT_NE(presets, nullptr);
    EXPECT_EQ(presets->ClassID(), TVL3_PARAM_HOLDER_CLASS_ID);
}

TEST_F(Tavelin2MaterialTest, SharedSettingsStaySharedAndMissingOnesLeaveTheNewOnes) {
    Tvl2Material* first = NewTvl2(_M("First"));
    Tvl2Material* second = NewTvl2(_M("Second"));
    Tvl2Material* bare = NewTvl2(_M("Bare"));
    second->SetSettings(first->GetSettings());
    bare->SetSettings(nullptr);
    Tvl3Material* a = Convert(first, 0);
    Tvl3Material* b = Convert(second, 0);
    Tvl3Material* c = Convert(bare, 0);
    ASSERT_NE(a->GetSettings(), nullptr);
    EXPECT_EQ(b->GetSettings(), a->GetSettings());
    ASSERT_NE(c->GetSettings(), nullptr);
    EXPECT_NE(c->GetSettings(), a->GetSettings());
    EXPECT_EQ(c->GetSettings()->ClassID(), TVL3_SETTINGS_CLASS_ID);
}

TEST_F(Tavelin2MaterialTest, BaseMaterialAndSubMapsAreReattachedUnchanged) {
    Tvl2Material* source = NewTvl2();
    StandardMtl* base = NewStandard();
    source->SetSubMtl(0, base);
    std::vector<Texmap*> maps = {NewBitmap(_M("a.png")), NewBitmap(_M("b.png")), nullptr,
                                 NewBitmap(_M("d.png")), NewBitmap(_M("e.png"))};
    for (int i = 0; i < 5; ++i) source->SetSubTexmap(i, maps[static_cast<size_t>(i)]);
    Tvl3Material* out = Convert(source, 0);
    EXPECT_EQ(out->GetSubMtl(0), base);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(out->GetSubTexmap(i), maps[static_cast<size_t>(i)]) << i;

    // An empty base slot empties the new material's own base too.
    Tvl3Material* empty = Convert(NewTvl2(_M("Empty")), 0);
    EXPECT_EQ(empty->GetSubMtl(0), nullptr);
}

// ---- conversions that stop early ----

TEST_F(Tavelin2MaterialTest, MissingBlocksStopBeforeZonesAndReferencesAreHandedOver) {
    struct Case {
        const char* what;
        std::function<void(Tvl2Material*)> damage;
        bool mainCopied;
    } cases[] = {
        {"no main block", [](Tvl2Material* m) { m->RemoveBlock(0); }, false},
        {"only three zone blocks", [](Tvl2Material* m) { m->RemoveBlock(4); }, true},
        {"zone class unloaded", [](Tvl2Material*) { Unload(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegisterStandInProducts();
        Tvl2Material* source = NewTvl2();
        source->SetSubMtl(0, NewStandard());
        source->GetSettings()->SetName(_M("Ink"));
        Tvl3Material* target = NewTvl3();
        Mtl* ownBase = target->GetSubMtl(0);
        c.damage(source);
        EXPECT_FALSE(ConvertTavelin2Material(target, source, 0, map));
        EXPECT_FLOAT_EQ(Block(target)->GetFloat(1), c.mainCopied ? 40.0f : 50.0f);
        EXPECT_EQ(target->NumZones(), 0);
        EXPECT_EQ(target->GetSubMtl(0), ownBase);
        EXPECT_NE(NameOf(target->GetSettings()), L"Ink");
    }
}

TEST_F(Tavelin2MaterialTest, ZoneWithoutItsBlockStopsTheConversion) {
    Tvl2Material* source = NewTvl2();
    Tvl3Material* target = NewTvl3();
    Tvl3Zone::MadeWithoutBlockScope withoutBlock;
    EXPECT_FALSE(ConvertTavelin2Material(target, source, 0, map));
    EXPECT_EQ(target->NumZones(), 0);
    EXPECT_FLOAT_EQ(Block(target)->GetFloat(1), 40.0f);
}

TEST_F(Tavelin2MaterialTest, AreaIsTestedAtFrameZeroAndSwitchesAtTheCurrentTime) {
    Tvl2Material* source = MarkedTvl2();
    // Zone 1 has no area at frame 0 only.
    source->GetZoneBlock(0)->SetControllerByID(1, 0, KeyedFloat({{0, 40.0f}, {100, 30.0f}}), FALSE);
    source->GetZoneBlock(2)->SetValue(Tvl2Material::kZoneLowerBound, 0, 40.0f);
    // Stroke slot 0 of zone 0 is switched off at frame 100 only.
    BitmapTex* bitmap = NewBitmap(_M("paper.png"));
    source->SetStrokeSlot(0, 0, bitmap);
    source->GetZoneBlock(0)->SetControllerByID(Tvl2Material::kZoneStrokeSwitches, 0,
                                               KeyedFloat({{0, 1.0f}, {100, 0.0f}}), FALSE);
    HostCore::Get().SetTime(100);

    Tvl3Material* skipping = Convert(source, kSkipAreaOff | kSkipDisabledStrokes);
    EXPECT_EQ(ZoneNumbers(skipping), (std::vector<int>{1, 3, 4}));
    EXPECT_NE(ZoneOf(skipping, 0)->GetStroke(0), bitmap);
    EXPECT_EQ(ZoneOf(skipping, 0)->NumStrokes(), 5);

    Tvl3Material* keeping = Convert(source, 0);
    EXPECT_EQ(ZoneOf(keeping, 0)->GetStroke(0), bitmap);
    EXPECT_EQ(IntTable(ZoneOf(keeping, 0)->GetParamBlock(0), 9, 100), (std::vector<int>{0, 1, 1, 1, 1, 1}));
}
