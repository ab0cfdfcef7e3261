#include <limits>

#include "ConvertTestScene.h"
#include "ShaderZones.h"
#include "stdmat/FinalToonShader.h"
#include "stdmat/IllustrateShader.h"

namespace {

const Color kBandColor[3] = {Color(0.2f, 0.1f, 0.0f), Color(0.4f, 0.5f, 0.6f), Color(0.9f, 0.8f, 0.7f)};
// Map amount (percent) and switch of the ambient, diffuse and specular channels, one per band.
const float kBandMapAmount[3] = {25.0f, 50.0f, 35.0f};
const BOOL kBandMapOn[3] = {TRUE, FALSE, FALSE};

// The two toon shaders set up alike: shadow and highlight bands 30 percent wide, edge blends 0.2 between
// shadow and middle and 0.4 between middle and highlight, full colour amounts.
struct ToonShader {
    const char* name;
    Class_ID cls;
    ConversionOptions ownBit;    // asks this shader for the highlight as a zone
    ConversionOptions otherBit;  // the other shader's bit, which this one ignores
    void (*configure)(IParamBlock2* spb, const int on[3]);
};

void ConfigureFinalToon(IParamBlock2* spb, const int on[3]) {
    using F = FinalToonShader;
    const ParamID ons[3] = {F::kZone1On, F::kZone2On, F::kZone3On};
    const ParamID colors[3] = {F::kZone1Color, F::kZone2Color, F::kZone3Color};
    const ParamID amounts[3] = {F::kZone1Amount, F::kZone2Amount, F::kZone3Amount};
    for (int i = 0; i < 3; ++i) {
        spb->SetValue(ons[i], 0, on[i]);
        SetParamValue(spb, colors[i], 0, kBandColor[i]);
        spb->SetValue(amounts[i], 0, 100.0f);
    }
    spb->SetValue(F::kZone1Width, 0, 30.0f);
    spb->SetValue(F::kZone3Width, 0, 30.0f);
    spb->SetValue(F::kEdge1, 0, 0.2f);
    spb->SetValue(F::kEdge2, 0, 0.4f);
}

void ConfigureIllustrate(IParamBlock2* spb, const int on[3]) {
    using I = IllustrateShader;
    const ParamID ons[3] = {I::kZone1On, I::kZone2On, I::kZone3On};
    const ParamID colors[3] = {I::kZone1Color, I::kZone2Color, I::kZone3Color};
    const ParamID amounts[3] = {I::kZone1Amount, I::kZone2Amount, I::kZone3Amount};
    for (int i = 0; i < 3; ++i) {
        spb->SetValue(ons[i], 0, on[i]);
        SetParamValue(spb, colors[i], 0, kBandColor[i]);
        spb->SetValue(amounts[i], 0, 1.0f);
    }
    spb->SetValue(I::kZone1Width, 0, 0.3f);
    spb->SetValue(I::kZone3Width, 0, 0.3f);
    spb->SetValue(I::kEdge1, 0, 0.2f);
    spb->SetValue(I::kEdge2, 0, 0.4f);
}

const ToonShader kToonShaders[] = {
    {"finalToon", FINALTOON_SHADER_CLASS_ID, CONVOPT_FT_SPECULAR_AS_ZONE, CONVOPT_IL_HIGHLIGHT_AS_ZONE,
     ConfigureFinalToon},
    {"Illustrate!", ILLUSTRATE_SHADER_CLASS_ID, CONVOPT_IL_HIGHLIGHT_AS_ZONE, CONVOPT_FT_SPECULAR_AS_ZONE,
     ConfigureIllustrate},
};

struct ExpectedZone {
    int number;
    float lower, upper;
    int band;  // the shader band whose colour and map the zone carries
};

struct BandCase {
    const char* what;
    int on[3];
    bool highlightAsZone;
    std::vector<ExpectedZone> zones;
    bool highlightOnTarget;
};

// clang-format off
const BandCase kBandCases[] = {
    {"all bands, highlight as zone", {1, 1, 1}, true, {{2, 0, 24, 0}, {3, 34, 62, 1}, {4, 82, 100, 2}}, false},
    {"all bands, highlight on the material", {1, 1, 1}, false, {{2, 0, 24, 0}, {3, 44, 100, 1}}, true},
    {"no middle: the shadow moves to the middle", {1, 0, 1}, true, {{3, 0, 56, 0}, {4, 82, 100, 2}}, false},
    {"no middle, highlight on the material", {1, 0, 1}, false, {{2, 0, 100, 0}}, true},
    {"no band", {0, 0, 0}, true, {}, false},
    {"middle only", {0, 1, 0}, true, {{3, 0, 100, 1}}, false},
    {"no highlight", {1, 1, 0}, true, {{2, 0, 24, 0}, {3, 44, 100, 1}}, false},
    {"highlight only", {0, 0, 1}, true, {{4, 0, 100, 2}}, false},
    {"highlight only, on the material", {0, 0, 1}, false, {}, true},
    {"no shadow", {0, 1, 1}, true, {{3, 0, 42, 1}, {4, 82, 100, 2}}, false},
};
// clang-format on

struct SelfIllum {
    float amount;
    BOOL colorOn;
    Color color;
};

StandardMtl* LitSource(StandardMtl* m, const SelfIllum& s, Color diffuse) {
    m->SetSelfIllum(s.amount, 0);
    m->SetSelfIllumColorOn(s.colorOn);
    m->SetSelfIllumColor(s.color, 0);
    m->SetDiffuse(diffuse, 0);
    return m;
}

}  // namespace

class ShaderZonesTest : public ConvertTest {
protected:
    // A toon-shaded Standard material with maps in the ambient, diffuse and specular channels.
    StandardMtl* ToonSource(const ToonShader& shader, const int on[3]) {
        StandardMtl* source = NewStandard(shader.cls);
        shader.configure(source->GetShader()->GetParamBlock(ShaderStandIn::kMainBlock), on);
        const int ids[3] = {ID_AM, ID_DI, ID_SP};
        for (int b = 0; b < 3; ++b) {
            bandMaps[b] = NewBitmap((L"band" + std::to_wstring(b)).c_str());
            source->SetSubTexmap(ids[b], bandMaps[b]);
            source->EnableMap(ids[b], kBandMapOn[b]);
            source->SetTexmapAmt(ids[b], kBandMapAmount[b] / 100.0f, 0);
        }
        return source;
    }
    Texmap* bandMaps[3] = {};
};

TEST_F(ShaderZonesTest, BandsBecomeZonesWithMergedWidthsAndEdgeBlends) {
    for (const ToonShader& shader : kToonShaders) {
        for (const BandCase& c : kBandCases) {
            SCOPED_TRACE(std::string(shader.name) + ": " + c.what);
            StandardMtl* source = ToonSource(shader, c.on);
            Tvl3Material* out = Convert(source, c.highlightAsZone ? shader.ownBit : shader.otherBit);
            ASSERT_EQ(out->NumZones(), static_cast<int>(c.zones.size()));
            for (int i = 0; i < out->NumZones(); ++i) {
                SCOPED_TRACE(i);
                const ExpectedZone& e = c.zones[static_cast<size_t>(i)];
                Tvl3Zone* zone = ZoneOf(out, i);
                ASSERT_NE(zone, nullptr);
                IParamBlock2* pb = zone->GetParamBlock(Tvl3Zone::kMainBlock);
                EXPECT_EQ(pb->GetInt(Tvl3Zone::kZoneNumber), e.number);
                EXPECT_NEAR(pb->GetFloat(Tvl3Zone::kLowerBound), e.lower, 1e-3);
                EXPECT_NEAR(pb->GetFloat(Tvl3Zone::kUpperBound), e.upper, 1e-3);
                EXPECT_TRUE(ColorNear(pb->GetColor(Tvl3Zone::kColor), kBandColor[e.band]));
                EXPECT_EQ(zone->GetMap(), bandMaps[e.band]);
                EXPECT_NEAR(pb->GetFloat(Tvl3Zone::kMapAmount), kBandMapAmount[e.band], 1e-3);
                EXPECT_EQ(pb->GetInt(Tvl3Zone::kMapOn), kBandMapOn[e.band]);
                EXPECT_FLOAT_EQ(pb->GetFloat(Tvl3Zone::kBlend), -1.0f);
            }
            IParamBlock2* target = Block(out);
            if (c.highlightOnTarget) {
                EXPECT_TRUE(ColorNear(target->GetColor(Tvl3Material::kHighlightColor), kBandColor[2]));
                EXPECT_EQ(target->GetInt(Tvl3Material::kHighlightWidth), 300);
                EXPECT_EQ(target->GetInt(Tvl3Material::kHighlightEdge), 60);
                EXPECT_NEAR(target->GetFloat(Tvl3Material::kHighlightMapAmount), 35.0f, 1e-3);
                EXPECT_EQ(target->GetInt(Tvl3Material::kHighlightMapOn), 0);
                EXPECT_EQ(out->GetSubTexmap(Tvl3Material::kSubMapHighlightColor),
                          bandMaps[2]);  // even though that map is switched off
            } else {
                EXPECT_EQ(target->GetColor(Tvl3Material::kHighlightColor), Color(-1.0f, -1.0f, -1.0f));
                EXPECT_EQ(target->GetInt(Tvl3Material::kHighlightWidth), -1);
                EXPECT_EQ(target->GetInt(Tvl3Material::kHighlightEdge), 0);
                EXPECT_EQ(target->GetInt(Tvl3Material::kHighlightMapOn), -1);
                EXPECT_EQ(out->GetSubTexmap(Tvl3Material::kSubMapHighlightColor), nullptr);
            }
            EXPECT_FLOAT_EQ(target->GetFloat(Tvl3Material::kBaseBlend), 50.0f);
        }
    }
}

TEST_F(ShaderZonesTest, BaseBlendSharesTheZonesWithTheBaseMaterial) {
    struct Case {
        Class_ID shader;
        ParamID blendParam;
        float blend;
        float zoneBlend, materialBlend;  // zone parameter 8, target parameter 1
    } cases[] = {
        {FINALTOON_SHADER_CLASS_ID, FinalToonShader::kBaseBlend, 0.25f, 75.0f, 100.0f},
        {FINALTOON_SHADER_CLASS_ID, FinalToonShader::kBaseBlend, 0.0f, -1.0f, 50.0f},
        {ILLUSTRATE_SHADER_CLASS_ID, IllustrateShader::kBaseBlend, 0.25f, 75.0f, 100.0f},
        {ILLUSTRATE_SHADER_CLASS_ID, IllustrateShader::kBaseBlend, 0.0f, -1.0f, 50.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shader.PartA());
        SCOPED_TRACE(c.blend);
        StandardMtl* source = NewStandard(c.shader);
        source->GetShader()->GetParamBlock(ShaderStandIn::kMainBlock)->SetValue(c.blendParam, 0, c.blend);
        Tvl3Material* out = Convert(source, 0);
        ASSERT_EQ(out->NumZones(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_FLOAT_EQ(Block(out->GetZone(i))->GetFloat(Tvl3Zone::kBlend), c.zoneBlend);
        EXPECT_FLOAT_EQ(Block(out)->GetFloat(Tvl3Material::kBaseBlend), c.materialBlend);
    }
}

TEST_F(ShaderZonesTest, ZoneColourFollowsDesaturationAmountAndSelfIllumination) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float third = 1.0f / 3;
    struct Case {
        const char* what;
        Color color;
        float amount, desaturation;
        int blends;
        SelfIllum self;
        Color diffuse, expected;
    } cases[] = {
        {"fully desaturated",
         Color(1, 0, 0),
         100,
         1.0f,
         1,
         {0, FALSE, Color()},
         Color(),
         Color(third, third, third)},
        {"half desaturated",
         Color(1, 0, 0),
         100,
         0.5f,
         1,
         {0, FALSE, Color()},
         Color(),
         Color(2 * third, third / 2, third / 2)},
        {"NaN desaturation leaves the colour",
         Color(1, 0, 0),
         100,
         nan,
         1,
         {0, FALSE, Color()},
         Color(),
         Color(1, 0, 0)},
        {"self-illumination adds the diffuse colour",
         Color(0.5f, 0.5f, 0.5f),
         50,
         0,
         0,
         {0.5f, FALSE, Color()},
         Color(1, 0, 0),
         Color(0.75f, 0.25f, 0.25f)},
        {"self-illumination blends toward the diffuse colour",
         Color(0.5f, 0.5f, 0.5f),
         50,
         0,
         1,
         {0.5f, FALSE, Color()},
         Color(1, 0, 0),
         Color(0.625f, 0.125f, 0.125f)},
        {"self-illumination colour is added instead, clamped",
         Color(0.8f, 0.5f, 0.5f),
         100,
         0,
         1,
         {0.9f, TRUE, Color(0.5f, 0.3f, 0.4f)},
         Color(0, 0, 1),
         Color(1.0f, 0.8f, 0.9f)},
        {"amount is a percentage",
         Color(0.3f, 0.1f, 0.0f),
         200,
         0,
         0,
         {0, FALSE, Color()},
         Color(),
         Color(0.6f, 0.2f, 0.0f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandardMtl* source = LitSource(NewStandard(), c.self, c.diffuse);
        EXPECT_TRUE(
            ColorNear(ComputeZoneColor(0, source, c.color, c.amount, c.desaturation, c.blends), c.expected));
    }
}

TEST_F(ShaderZonesTest, ShadowBandMovesToTheMiddleOnlyBetweenTwoBandsShownAsZones) {
    struct Case {
        int on[3];
        ConversionOptions options;
        bool shifted;
    } cases[] = {
        {{1, 0, 1}, CONVOPT_FT_SPECULAR_AS_ZONE, true},  {{1, 0, 1}, 0, false},
        {{1, 1, 1}, CONVOPT_FT_SPECULAR_AS_ZONE, false}, {{1, 0, 0}, CONVOPT_FT_SPECULAR_AS_ZONE, false},
        {{0, 0, 1}, CONVOPT_FT_SPECULAR_AS_ZONE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.on[0] * 100 + c.on[1] * 10 + c.on[2]);
        SCOPED_TRACE(c.options);
        StandardMtl* source = NewStandard(FINALTOON_SHADER_CLASS_ID);
        ConfigureFinalToon(source->GetShader()->GetParamBlock(ShaderStandIn::kMainBlock), c.on);
        ConvertFromFtContext ctx;
        ctx.Fill(source->GetShader()->GetParamBlock(ShaderStandIn::kMainBlock), 0, c.options);
        ctx.ShiftShadowBand();
        const int s = c.shifted ? 1 : 0;  // where the shadow band ended up
        const int m = 1 - s;
        const std::vector<int> on = {ctx.IsZoneOn(0), ctx.IsZoneOn(1), ctx.IsZoneOn(2)};
        const std::vector<int> expectedOn =
            c.shifted ? std::vector<int>{0, 1, 1} : std::vector<int>(c.on, c.on + 3);
        EXPECT_EQ(on, expectedOn);
        EXPECT_FLOAT_EQ(ctx.GetZoneWidth(s), 30.0f);
        EXPECT_FLOAT_EQ(ctx.GetZoneWidth(m), 40.0f);
        EXPECT_EQ(ctx.GetZoneColor(s), kBandColor[0]);
        EXPECT_EQ(ctx.GetZoneMapID(s), ID_AM);
        EXPECT_EQ(ctx.GetZoneMapID(m), ID_DI);
        if (c.shifted) {
            EXPECT_EQ((std::vector<float>{ctx.GetLowerEdgeBlend(0), ctx.GetLowerEdgeBlend(1),
                                          ctx.GetLowerEdgeBlend(2)}),
                      (std::vector<float>{0.2f, 0.0f, 0.4f}));
            EXPECT_EQ((std::vector<float>{ctx.GetUpperEdgeBlend(0), ctx.GetUpperEdgeBlend(1),
                                          ctx.GetUpperEdgeBlend(2)}),
                      (std::vector<float>{0.4f, 0.2f, 0.0f}));
        }
    }
}

TEST_F(ShaderZonesTest, IllustrateContextScalesFractionsAndDesaturates) {
    StandardMtl* source = NewStandard(ILLUSTRATE_SHADER_CLASS_ID);
    IParamBlock2* spb = source->GetShader()->GetParamBlock(ShaderStandIn::kMainBlock);
    spb->SetValue(IllustrateShader::kZone1Width, 0, 0.25f);
    spb->SetValue(IllustrateShader::kZone3Width, 0, 0.15f);
    spb->SetValue(IllustrateShader::kZone2Amount, 0, 0.5f);
    spb->SetValue(IllustrateShader::kDesaturation, 0, 0.7f);
    ConvertFromIlContext il;
    il.Fill(spb, 0, 0);
    EXPECT_NEAR(il.GetZoneWidth(1), 60.0f, 1e-4);
    EXPECT_NEAR(il.GetZoneColorAmount(1), 50.0f, 1e-4);
    EXPECT_FLOAT_EQ(il.GetDesaturation(), 0.7f);
    EXPECT_EQ(il.BlendsSelfIllum(), 1);
}

TEST_F(ShaderZonesTest, ZonesThatCannotBeMadeOrFilledLeaveTheHighlight) {
    const int allOn[3] = {1, 1, 1};
    {
        SCOPED_TRACE("zone class unloaded");
        Unload(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID);
        Tvl3Material* out = Convert(ToonSource(kToonShaders[0], allOn), 0);
        EXPECT_EQ(out->NumZones(), 0);
        EXPECT_EQ(Block(out)->GetInt(Tvl3Material::kHighlightWidth), 300);
        RegisterStandInProducts();
    }
    {
        SCOPED_TRACE("zones without a block");
        Tvl3Zone::MadeWithoutBlockScope withoutBlock;
        Tvl3Material* out = Convert(ToonSource(kToonShaders[1], allOn), 0);
        ASSERT_EQ(out->NumZones(), 2);
        for (int i = 0; i < 2; ++i) {
            ASSERT_NE(ZoneOf(out, i), nullptr);
            EXPECT_EQ(ZoneOf(out, i)->GetMap(), nullptr);
        }
        EXPECT_EQ(Block(out)->GetInt(Tvl3Material::kHighlightWidth), 300);
    }
}

TEST_F(ShaderZonesTest, BandsAreReadAtTheCurrentTime) {
    const int allOn[3] = {1, 1, 1};
    StandardMtl* source = ToonSource(kToonShaders[0], allOn);
    source->GetShader()
        ->GetParamBlock(ShaderStandIn::kMainBlock)
        ->SetControllerByID(FinalToonShader::kZone1Width, 0, KeyedFloat({{0, 30.0f}, {100, 50.0f}}), FALSE);
    HostCore::Get().SetTime(100);
    Tvl3Material* out = Convert(source, CONVOPT_FT_SPECULAR_AS_ZONE);
    ASSERT_EQ(out->NumZones(), 3);
    EXPECT_NEAR(Block(out->GetZone(0))->GetFloat(Tvl3Zone::kUpperBound), 40.0f,
                1e-3);  // 50 less a fifth of 50
    EXPECT_NEAR(Block(out->GetZone(1))->GetFloat(Tvl3Zone::kLowerBound), 52.0f,
                1e-3);  // 50 plus half a fifth of 20
}
