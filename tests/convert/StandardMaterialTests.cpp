#include <functional>
#include <limits>

#include "ConvertTestScene.h"
#include "StandardMaterial.h"
#include "stdmat/AnisotropicShader.h"
#include "stdmat/BlinnShader.h"
#include "stdmat/FinalToonShader.h"

namespace {

const Color kDiffuse(0.7f, 0.35f, 0.14f);
const float kRamp[4] = {1.0f / 7, 3.0f / 7, 5.0f / 7, 1.0f};

Color Grey(float v) { return Color(v, v, v); }

// Automatic zones: their colours under the multiply blend option and the source's self-illumination.
struct AutoZoneCase {
    const char* what;
    ConversionOptions options;
    float selfIllum;
    BOOL colorOn;
    Color selfColor;
    Color expected[4];
    int blendMode;    // zone parameter 7
    float baseBlend;  // target parameter 1
};

// clang-format off
const AutoZoneCase kAutoZoneCases[] = {
    {"diffuse ramp", 0, 0.0f, FALSE, Color(),
     {kDiffuse * kRamp[0], kDiffuse * kRamp[1], kDiffuse * kRamp[2], kDiffuse}, 0, 50.0f},
    {"diffuse ramp lifted halfway to the diffuse colour", 0, 0.5f, FALSE, Color(),
     {kDiffuse * (4.0f / 7), kDiffuse * (5.0f / 7), kDiffuse * (6.0f / 7), kDiffuse}, 0, 50.0f},
    {"diffuse ramp plus the self-illumination colour, clamped", 0, 0.0f, TRUE, Color(0.5f, 0.0f, 0.0f),
     {Color(0.6f, 0.05f, 0.02f), Color(0.8f, 0.15f, 0.06f), Color(1.0f, 0.25f, 0.1f), Color(1.0f, 0.35f, 0.14f)},
     0, 50.0f},
    {"multiply greys", CONVOPT_MULTIPLY_BLEND, 0.0f, FALSE, Color(),
     {Grey(kRamp[0]), Grey(kRamp[1]), Grey(kRamp[2]), Grey(1.0f)}, 3, 0.0f},
    {"multiply greys lifted by self-illumination", CONVOPT_MULTIPLY_BLEND, 0.5f, FALSE, Color(),
     {Grey(4.0f / 7), Grey(5.0f / 7), Grey(6.0f / 7), Grey(1.0f)}, 3, 0.0f},
    {"multiply screened by the self-illumination colour", CONVOPT_MULTIPLY_BLEND, 0.5f, TRUE,
     Color(1.0f, 0.0f, 0.0f),
     {Color(1.0f, kRamp[0], kRamp[0]), Color(1.0f, kRamp[1], kRamp[1]), Color(1.0f, kRamp[2], kRamp[2]),
      Color(1.0f, 1.0f, 1.0f)}, 3, 0.0f},
};
// clang-format on

// A reference zone: values under each of the zone's parameter types.
void FillReferenceZone(Tvl3Zone* zone, int i, Texmap* shade, Texmap* pattern, ReferenceTarget* stroke) {
    IParamBlock2* pb = zone->GetParamBlock(Tvl3Zone::kMainBlock);
    pb->SetValue(Tvl3Zone::kLowerBound, 0, 10.0f * static_cast<float>(i));
    pb->SetValue(Tvl3Zone::kUpperBound, 0, 10.0f * static_cast<float>(i) + 5.0f);
    pb->SetValue(Tvl3Zone::kVisible, 0, 0);
    SetParamValue(pb, Tvl3Zone::kColor, 0, Color(0.1f * static_cast<float>(i), 0.2f, 0.3f));
    SetParamValue(pb, Tvl3Zone::kOffset, 0, Point3(7.0f, 8.0f, static_cast<float>(i)));
    pb->SetValue(Tvl3Zone::kBlendMode, 0, 4);
    pb->SetValue(Tvl3Zone::kZoneNumber, 0, 6 + i);
    pb->SetValue(Tvl3Zone::kShadeMap, 0, shade);
    pb->SetValue(Tvl3Zone::kPatternMaps, 0, pattern, 1);
    pb->SetValue(Tvl3Zone::kMix, 0, 0.9f);
    pb->SetValue(Tvl3Zone::kLabel, 0, _M("reference"));
    pb->SetValue(Tvl3Zone::kPriority, 0, 9);
    Tab<ReferenceTarget*> strokes;
    ReferenceTarget* none = nullptr;
    strokes.Append(1, &stroke);
    strokes.Append(1, &none);
    zone->SetStrokes(strokes);
    pb->SetValue(Tvl3Zone::kStrokeSwitches, 0, 0, 0);
}

}  // namespace

using StandardMaterialTest = ConvertTest;

// ---- automatic zones ----

TEST_F(StandardMaterialTest, AutomaticZonesRampTheDiffuseOrGreyColour) {
    for (const AutoZoneCase& c : kAutoZoneCases) {
        SCOPED_TRACE(c.what);
        StandardMtl* source = NewStandard();
        source->SetDiffuse(kDiffuse, 0);
        source->SetSelfIllum(c.selfIllum, 0);
        source->SetSelfIllumColorOn(c.colorOn);
        source->SetSelfIllumColor(c.selfColor, 0);
        Tvl3Material* out = Convert(source, c.options);
        ASSERT_EQ(out->NumZones(), 4);
        EXPECT_EQ(ZoneNumbers(out), (std::vector<int>{1, 2, 3, 4}));
        for (int k = 0; k < 4; ++k) {
            IParamBlock2* zone = Block(out->GetZone(k));
            EXPECT_FLOAT_EQ(zone->GetFloat(Tvl3Zone::kLowerBound), 25.0f * static_cast<float>(k));
            EXPECT_FLOAT_EQ(zone->GetFloat(Tvl3Zone::kUpperBound), 25.0f * static_cast<float>(k + 1));
            EXPECT_TRUE(ColorNear(zone->GetColor(Tvl3Zone::kColor), c.expected[k])) << "zone " << k;
            EXPECT_EQ(zone->GetInt(Tvl3Zone::kBlendMode), c.blendMode);
            EXPECT_EQ(zone->GetInt(Tvl3Zone::kVisible), 1);  // untouched parameters keep the zone's defaults
        }
        EXPECT_FLOAT_EQ(Block(out)->GetFloat(Tvl3Material::kBaseBlend), c.baseBlend);
    }
}

// ---- highlight, bump and reflection ----

TEST_F(StandardMaterialTest, HighlightComesFromTheSpecularValuesAndTheAnisotropicShape) {
    struct Case {
        const char* what;
        Class_ID shader;
        ConversionOptions options;
        float level;
        int expectedLevel, addBlend, anisotropy, orientation;
    } cases[] = {
        {"Blinn", BLINN_SHADER_CLASS_ID, 0, 0.45f, 45, 0, -1, -1},
        {"Blinn, level above one", BLINN_SHADER_CLASS_ID, 0, 1.25f, 125, 0, -1, -1},
        {"Blinn, additive", BLINN_SHADER_CLASS_ID, CONVOPT_HIGHLIGHT_ADD_BLEND, 0.45f, 45, 1, -1, -1},
        {"Anisotropic", ANISOTROPIC_SHADER_CLASS_ID, 0, 0.45f, 45, 0, 62, -29},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandardMtl* source = NewStandard(c.shader);
        source->SetSpecular(Color(0.2f, 0.4f, 0.6f), 0);
        source->SetShinStr(c.level, 0);
        source->SetShininess(0.3f, 0);
        if (c.shader == ANISOTROPIC_SHADER_CLASS_ID) {
            source->GetShader()
                ->GetParamBlock(ShaderStandIn::kMainBlock)
                ->SetValue(AnisotropicShader::kAnisotropy, 0, 0.62f);
            source->GetShader()
                ->GetParamBlock(ShaderStandIn::kMainBlock)
                ->SetValue(AnisotropicShader::kOrientation, 0, -0.3f);
        }
        IParamBlock2* pb = Block(Convert(source, c.options));
        EXPECT_EQ(pb->GetColor(Tvl3Material::kHighlightColor), Color(0.2f, 0.4f, 0.6f));
        EXPECT_EQ(pb->GetInt(Tvl3Material::kHighlightAddBlend), c.addBlend);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kHighlightWidth), c.expectedLevel);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kHighlightSharpness), 30);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kHighlightEdge), 98);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kAnisotropyU), c.anisotropy);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kAnisotropyV), c.orientation);
    }
}

// A shader without its block reads as zeros wherever the block is read: the anisotropy is 0, a finalToon
// base takes black colours, and no band is on, so no zone is made.
TEST_F(StandardMaterialTest, ShaderWithoutItsBlockReadsAsZeros) {
    const struct {
        const char* what;
        Class_ID shader;
        int anisotropy;  // target parameters 7 and 8
        bool blackBase;
    } cases[] = {
        {"Anisotropic", ANISOTROPIC_SHADER_CLASS_ID, 0, false},
        {"finalToon", FINALTOON_SHADER_CLASS_ID, -1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandardMtl* source = NewStandard(c.shader);
        dynamic_cast<StandIn<Shader>*>(source->GetShader())->RemoveBlock(0);
        Tvl3Material* out = Convert(source, 0);
        EXPECT_EQ(Block(out)->GetInt(Tvl3Material::kAnisotropyU), c.anisotropy);
        EXPECT_EQ(Block(out)->GetInt(Tvl3Material::kAnisotropyV), c.anisotropy);
        if (!c.blackBase) continue;
        EXPECT_EQ(out->NumZones(), 0);
        Shader* base = dynamic_cast<StdMat2*>(out->GetSubMtl(Tvl3Material::kSubMtlBase))->GetShader();
        for (Color col : {base->GetAmbientClr(0), base->GetDiffuseClr(0), base->GetSpecularClr(0)})
            EXPECT_EQ(col, Color(0.0f, 0.0f, 0.0f));
    }
}

TEST_F(StandardMaterialTest, BumpAndReflectionGoToTheTargetWhateverTheShader) {
    struct Case {
        const char* what;
        std::function<StdMat2*()> make;
    } cases[] = {
        {"Standard, Blinn", [] { return NewStandard(); }},
        {"Standard, finalToon", [] { return NewStandard(FINALTOON_SHADER_CLASS_ID); }},
        {"variant, Blinn", [] { return NewVariant(); }},
        {"variant, Illustrate!", [] { return NewVariant(ILLUSTRATE_SHADER_CLASS_ID); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StdMat2* source = c.make();
        BitmapTex* bump = NewBitmap(_M("bump.png"));
        const int bumpChannel = source->StdIDToChannel(ID_BU);
        const int reflChannel = source->StdIDToChannel(ID_RL);
        source->SetSubTexmap(bumpChannel, bump);
        source->EnableMap(bumpChannel, FALSE);
        source->SetTexmapAmt(bumpChannel, -0.3f, 0);
        source->EnableMap(reflChannel, TRUE);
        source->SetTexmapAmt(reflChannel, 0.456f, 0);
        Tvl3Material* out = Convert(source, 0);
        IParamBlock2* pb = Block(out);
        EXPECT_EQ(out->GetSubTexmap(Tvl3Material::kSubMapBump), bump);  // set even though it is switched off
        EXPECT_EQ(pb->GetInt(Tvl3Material::kBumpOn), 0);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kBumpAmount), -29);
        EXPECT_EQ(out->GetSubTexmap(Tvl3Material::kSubMapReflection), nullptr);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kReflectionOn), 1);
        EXPECT_EQ(pb->GetInt(Tvl3Material::kReflectionAmount), 46);
    }
}

TEST_F(StandardMaterialTest, OnlyEnabledSpecularMapsReachTheTarget) {
    StandardMtl* source = NewStandard();
    BitmapTex* colour = NewBitmap(_M("spec.png"));
    BitmapTex* level = NewBitmap(_M("level.png"));
    BitmapTex* gloss = NewBitmap(_M("gloss.png"));
    source->SetSubTexmap(ID_SP, colour);
    source->SetSubTexmap(ID_SS, level);
    source->SetSubTexmap(ID_SH, gloss);
    source->EnableMap(ID_SS, FALSE);
    Tvl3Material* out = Convert(source, 0);
    EXPECT_EQ(out->GetSubTexmap(Tvl3Material::kSubMapHighlightColor), colour);
    EXPECT_EQ(out->GetSubTexmap(Tvl3Material::kSubMapHighlightLevel), nullptr);
    EXPECT_EQ(out->GetSubTexmap(Tvl3Material::kSubMapHighlightGloss), gloss);
}

// ---- zones from a reference material ----

TEST_F(StandardMaterialTest, ReferenceZonesAreCopiedWithTheirStrokesInstancedOrCopied) {
    struct Case {
        const char* what;
        ConversionOptions options;
        bool strokes, copies;
    } cases[] = {
        {"zones only", 0, false, false},
        {"copied pattern maps, no strokes", CONVOPT_COPY_STROKES, false, true},
        {"instanced strokes", CONVOPT_APPLY_STROKES, true, false},
        {"copied strokes", CONVOPT_APPLY_STROKES | CONVOPT_COPY_STROKES, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tvl3Material* reference = NewTvl3();
        BitmapTex* shade = NewBitmap(_M("shade.png"));
        BitmapTex* pattern = NewBitmap(_M("pattern.png"));
        Tab<ReferenceTarget*> zones;
        for (int i = 0; i < 3; ++i) {
            ReferenceTarget* zone = NewZone();
            FillReferenceZone(static_cast<Tvl3Zone*>(zone), i, shade, pattern,
                              Create<Tvl3StrokeMap>(TEXMAP_CLASS_ID, TVL3_STROKE_MAP_CLASS_ID));
            zones.Append(1, &zone);
        }
        reference->SetZones(zones);

        Tvl3Material* out = Convert(NewStandard(), c.options, reference);
        ASSERT_EQ(out->NumZones(), 3);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            Tvl3Zone* from = ZoneOf(reference, i);
            Tvl3Zone* zone = ZoneOf(out, i);
            ASSERT_NE(zone, nullptr);
            EXPECT_NE(zone, from);
            IParamBlock2* P = zone->GetParamBlock(Tvl3Zone::kMainBlock);
            EXPECT_FLOAT_EQ(P->GetFloat(Tvl3Zone::kLowerBound), 10.0f * static_cast<float>(i));
            EXPECT_FLOAT_EQ(P->GetFloat(Tvl3Zone::kUpperBound), 10.0f * static_cast<float>(i) + 5.0f);
            EXPECT_EQ(P->GetInt(Tvl3Zone::kVisible), 0);
            EXPECT_EQ(P->GetColor(Tvl3Zone::kColor), Color(0.1f * static_cast<float>(i), 0.2f, 0.3f));
            EXPECT_EQ(P->GetPoint3(Tvl3Zone::kOffset), Point3(7.0f, 8.0f, static_cast<float>(i)));
            EXPECT_EQ(P->GetInt(Tvl3Zone::kBlendMode), 4);
            EXPECT_EQ(P->GetInt(Tvl3Zone::kZoneNumber), 6 + i);
            EXPECT_EQ(P->GetInt(Tvl3Zone::kPriority), 9);
            EXPECT_EQ(P->GetTexmap(Tvl3Zone::kShadeMap), shade);  // a single map is always shared
            EXPECT_FLOAT_EQ(P->GetFloat(Tvl3Zone::kMix), 0.5f);   // percentages and strings are not copied
            EXPECT_EQ(std::wstring(P->GetStr(Tvl3Zone::kLabel)), L"zone");
            EXPECT_EQ(P->GetTexmap(Tvl3Zone::kPatternMaps, 0, 0), nullptr);
            Texmap* copiedPattern = P->GetTexmap(Tvl3Zone::kPatternMaps, 0, 1);
            ASSERT_NE(copiedPattern, nullptr);
            EXPECT_EQ(copiedPattern == pattern, !c.copies);
            EXPECT_EQ(copiedPattern->ClassID(), BITMAP_MAP_CLASS_ID);

            if (!c.strokes) {
                EXPECT_EQ(zone->NumStrokes(), 0);
                EXPECT_EQ(P->Count(Tvl3Zone::kStrokeSwitches), 0);
                continue;
            }
            ASSERT_EQ(zone->NumStrokes(), 2);
            ReferenceTarget* stroke = zone->GetStroke(0);
            ASSERT_NE(stroke, nullptr);
            EXPECT_EQ(stroke == from->GetStroke(0), !c.copies);
            EXPECT_EQ(stroke->ClassID(), TVL3_STROKE_MAP_CLASS_ID);
            EXPECT_EQ(zone->GetStroke(1), nullptr);
            EXPECT_EQ(IntTable(P, 9), (std::vector<int>{0, 1}));
        }
        // The highlight is the source's, as for automatic zones.
        EXPECT_EQ(Block(out)->GetInt(Tvl3Material::kHighlightEdge), 98);
        EXPECT_FLOAT_EQ(Block(out)->GetFloat(Tvl3Material::kBaseBlend), 50.0f);
    }
}

TEST_F(StandardMaterialTest, MissingReferenceZonesLeaveDefaultZonesInPlace) {
    Tvl3Material* reference = NewTvl3();
    Tvl3Zone* good = NewZone();
    good->GetParamBlock(Tvl3Zone::kMainBlock)->SetValue(Tvl3Zone::kLowerBound, 0, 12.0f);
    Tvl3Zone* blockless = nullptr;
    {
        Tvl3Zone::MadeWithoutBlockScope withoutBlock;
        blockless = NewZone();
    }
    Tab<ReferenceTarget*> zones;
    ReferenceTarget* entries[] = {good, nullptr, blockless};
    zones.Append(3, entries);
    reference->SetZones(zones);

    Tvl3Material* out = Convert(NewStandard(), CONVOPT_APPLY_STROKES, reference);
    ASSERT_EQ(out->NumZones(), 3);
    EXPECT_FLOAT_EQ(Block(out->GetZone(0))->GetFloat(Tvl3Zone::kLowerBound), 12.0f);
    for (int i : {1, 2}) {
        ASSERT_NE(ZoneOf(out, i), nullptr);
        EXPECT_FLOAT_EQ(Block(out->GetZone(i))->GetFloat(Tvl3Zone::kLowerBound), -1.0f);
        EXPECT_EQ(ZoneOf(out, i)->NumStrokes(), 0);
    }
}

TEST_F(StandardMaterialTest, ReferenceWithoutZoneInterfaceGivesNoZones) {
    Tvl3Material* reference = NewTvl3();
    Tab<ReferenceTarget*> zones;
    ReferenceTarget* zone = NewZone();
    zones.Append(1, &zone);
    reference->SetZones(zones);
    reference->WithholdInterface(true);
    Tvl3Material* out = Convert(NewStandard(), CONVOPT_APPLY_STROKES, reference);
    EXPECT_EQ(out->NumZones(), 0);
    EXPECT_EQ(Block(out)->GetInt(Tvl3Material::kHighlightEdge), 98);
}

// ---- toon-shaded sources ----

TEST_F(StandardMaterialTest, ToonSourceGetsABlinnCloneAsBaseAndStaysUnchanged) {
    for (Class_ID shader : {FINALTOON_SHADER_CLASS_ID, ILLUSTRATE_SHADER_CLASS_ID}) {
        SCOPED_TRACE(shader.PartA());
        StandardMtl* source = NewStandard(shader);
        Tvl3Material* out = Convert(source, 0);
        auto* base = dynamic_cast<StdMat2*>(out->GetSubMtl(Tvl3Material::kSubMtlBase));
        ASSERT_NE(base, nullptr);
        EXPECT_NE(base, source);
        EXPECT_EQ(base->ClassID(), STANDARD_MATERIAL_CLASS_ID);
        EXPECT_EQ(base->GetShader()->ClassID(), BLINN_SHADER_CLASS_ID);
        EXPECT_EQ(source->GetShader()->ClassID(), shader);
        EXPECT_TRUE(Dependents(source).empty());
    }
}

TEST_F(StandardMaterialTest, FinalToonBaseTakesStandardOrZoneColoursByItsBlend) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        float blend;
        bool standardColours;
    } cases[] = {{"no blend: zone colours", 0.0f, false},
                 {"blend: standard colours", 0.5f, true},
                 {"NaN blend counts as a blend", nan, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandardMtl* source = NewStandard(FINALTOON_SHADER_CLASS_ID);
        IParamBlock2* spb = source->GetShader()->GetParamBlock(ShaderStandIn::kMainBlock);
        spb->SetValue(FinalToonShader::kBaseBlend, 0, c.blend);
        SetParamValue(spb, FinalToonShader::kAmbient, 0, Color(0.1f, 0.0f, 0.0f));
        SetParamValue(spb, FinalToonShader::kDiffuse, 0, Color(0.2f, 0.0f, 0.0f));
        SetParamValue(spb, FinalToonShader::kSpecular, 0, Color(0.3f, 0.0f, 0.0f));
        SetParamValue(spb, FinalToonShader::kZone1Color, 0, Color(0.0f, 0.4f, 0.0f));
        SetParamValue(spb, FinalToonShader::kZone2Color, 0, Color(0.0f, 0.5f, 0.0f));
        SetParamValue(spb, FinalToonShader::kZone3Color, 0, Color(0.0f, 0.6f, 0.0f));
        Shader* baseShader = static_cast<StdMat2*>(Convert(source, 0)->GetSubMtl(0))->GetShader();
        if (c.standardColours) {
            EXPECT_EQ(baseShader->GetAmbientClr(0), Color(0.1f, 0.0f, 0.0f));
            EXPECT_EQ(baseShader->GetDiffuseClr(0), Color(0.2f, 0.0f, 0.0f));
            EXPECT_EQ(baseShader->GetSpecularClr(0), Color(0.3f, 0.0f, 0.0f));
        } else {
            EXPECT_EQ(baseShader->GetAmbientClr(0), Color(0.0f, 0.4f, 0.0f));
            EXPECT_EQ(baseShader->GetDiffuseClr(0), Color(0.0f, 0.5f, 0.0f));
            EXPECT_EQ(baseShader->GetSpecularClr(0), Color(0.0f, 0.6f, 0.0f));
        }
    }
}

TEST_F(StandardMaterialTest, StandardOptionsAndReferenceDoNotTouchToonSources) {
    Tvl3Material* reference = NewTvl3();
    Tab<ReferenceTarget*> zones;
    for (int i = 0; i < 3; ++i) {
        ReferenceTarget* zone = NewZone();
        zones.Append(1, &zone);
    }
    reference->SetZones(zones);
    const ConversionOptions standardOnly =
        CONVOPT_MULTIPLY_BLEND | CONVOPT_HIGHLIGHT_ADD_BLEND | CONVOPT_APPLY_STROKES | CONVOPT_COPY_STROKES;
    Tvl3Material* plain = Convert(NewStandard(FINALTOON_SHADER_CLASS_ID), 0);
    Tvl3Material* withAll = Convert(NewStandard(FINALTOON_SHADER_CLASS_ID), standardOnly, reference);
    // finalToon's own bands decide: shadow and middle are on by default, the highlight is not a zone.
    EXPECT_EQ(ZoneNumbers(plain), (std::vector<int>{2, 3}));
    EXPECT_EQ(ZoneNumbers(withAll), (std::vector<int>{2, 3}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Block(withAll->GetZone(i))->GetInt(Tvl3Zone::kBlendMode), 0);
        EXPECT_EQ(Block(withAll->GetZone(i))->GetColor(Tvl3Zone::kColor),
                  Block(plain->GetZone(i))->GetColor(Tvl3Zone::kColor));
    }
    EXPECT_EQ(Block(withAll)->GetInt(Tvl3Material::kHighlightAddBlend), 0);
    EXPECT_FLOAT_EQ(Block(withAll)->GetFloat(Tvl3Material::kBaseBlend), 50.0f);
}

// ---- the Standard variant ----

TEST_F(StandardMaterialTest, VariantKeepsTheTargetsBaseAndGetsNoZonesOrHighlight) {
    StandardVariantMtl* source = NewVariant();
    source->SetSpecular(Color(0.2f, 0.4f, 0.6f), 0);
    Tvl3Material* out = Convert(source, CONVOPT_MULTIPLY_BLEND | CONVOPT_HIGHLIGHT_ADD_BLEND);
    auto* base = dynamic_cast<StdMat2*>(out->GetSubMtl(Tvl3Material::kSubMtlBase));
    ASSERT_NE(base, nullptr);
    EXPECT_NE(base, source);
    EXPECT_EQ(out->NumZones(), 0);
    IParamBlock2* pb = Block(out);
    EXPECT_EQ(pb->GetColor(Tvl3Material::kHighlightColor), Color(-1.0f, -1.0f, -1.0f));
    EXPECT_EQ(pb->GetInt(Tvl3Material::kHighlightAddBlend), 0);
    EXPECT_EQ(pb->GetInt(Tvl3Material::kHighlightWidth), -1);
    EXPECT_EQ(pb->GetInt(Tvl3Material::kHighlightEdge), 0);
    EXPECT_FLOAT_EQ(pb->GetFloat(Tvl3Material::kBaseBlend), 50.0f);
}

TEST_F(StandardMaterialTest, VariantChannelsMoveToTheBaseByStandardIdAndItsOwnMapsByKeepFlag) {
    // Base channel (a Standard's channel is its standard id) -> the variant's channel that fills it, or -1.
    struct Case {
        float keep;
        int from[NTEXMAPS];
    } cases[] = {
        {0.0f, {0, 1, -1, -1, -1, 5, 6, 7, 11, 12, 13, -1}},
        {1.0f, {8, 9, 10, 4, 3, 5, 6, 7, 11, 12, 13, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keep);
        StandardVariantMtl* source = NewVariant();
        source->GetShader()
            ->GetParamBlock(ShaderStandIn::kMainBlock)
            ->SetValue(BlinnShader::kBaseBlend, 0, c.keep);
        std::vector<Texmap*> maps;
        for (int ch = 0; ch < source->NumChannels(); ++ch) {
            maps.push_back(NewBitmap((L"v" + std::to_wstring(ch)).c_str()));
            source->SetSubTexmap(ch, maps.back());
            source->EnableMap(ch, ch % 2 == 0);
            source->SetTexmapAmt(ch, 0.01f * static_cast<float>(ch + 1), 0);
        }
        auto* base = static_cast<StdMat2*>(Convert(source, 0)->GetSubMtl(0));
        for (int ch = 0; ch < NTEXMAPS; ++ch) {
            SCOPED_TRACE(ch);
            const int from = c.from[ch];
            if (from < 0) {
                EXPECT_EQ(base->GetSubTexmap(ch), nullptr);
                EXPECT_EQ(base->MapEnabled(ch), TRUE);
                continue;
            }
            EXPECT_EQ(base->GetSubTexmap(ch), maps[static_cast<size_t>(from)]);
            EXPECT_EQ(base->MapEnabled(ch), from % 2 == 0 ? TRUE : FALSE);
            EXPECT_FLOAT_EQ(base->GetTexmapAmt(ch, 0), 0.01f * static_cast<float>(from + 1));
        }
    }
}

TEST_F(StandardMaterialTest, ToonVariantBuildsZonesOnTheTargetsOwnBase) {
    StandardVariantMtl* source = NewVariant(FINALTOON_SHADER_CLASS_ID);
    SetParamValue(source->GetShader()->GetParamBlock(ShaderStandIn::kMainBlock), FinalToonShader::kZone2Color,
                  0, Color(0.0f, 0.5f, 0.0f));
    Tvl3Material* out = Convert(source, CONVOPT_FT_SPECULAR_AS_ZONE);
    EXPECT_EQ(ZoneNumbers(out), (std::vector<int>{2, 3}));
    auto* base = static_cast<StdMat2*>(out->GetSubMtl(Tvl3Material::kSubMtlBase));
    EXPECT_NE(base, source);
    EXPECT_EQ(base->GetShader()->ClassID(), BLINN_SHADER_CLASS_ID);
    EXPECT_EQ(base->GetShader()->GetDiffuseClr(0), Color(0.0f, 0.5f, 0.0f));
    EXPECT_EQ(source->GetShader()->ClassID(), FINALTOON_SHADER_CLASS_ID);
}

// ---- conversions that stop early ----

TEST_F(StandardMaterialTest, StopsEarlyWhenAShaderOrBaseIsMissing) {
    struct Case {
        const char* what;
        std::function<Mtl*()> make;  // the source, with the host set up for the failure
    } cases[] = {
        {"source without a shader",
         [] {
             StandardMtl* m = NewStandard();
             m->SetShader(nullptr);
             return m;
         }},
        {"Blinn class unloaded, so the toon clone cannot switch",
         [] {
             StandardMtl* m = NewStandard(FINALTOON_SHADER_CLASS_ID);
             Unload(SHADER_CLASS_ID, BLINN_SHADER_CLASS_ID);
             return m;
         }},
        {"variant, and no Standard class for the target's own base",
         [] {
             Mtl* m = NewVariant();
             Unload(MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID);
             return m;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RegisterStandInProducts();
        Mtl* source = c.make();
        Tvl3Material* target = NewTvl3();
        Mtl* ownBase = target->GetSubMtl(Tvl3Material::kSubMtlBase);
        target->SetName(source->GetName());
        EXPECT_FALSE(ConvertStandardMaterial(target, source, kDefaultConversionOptions, nullptr));
        EXPECT_EQ(target->GetSubMtl(Tvl3Material::kSubMtlBase), ownBase);
        EXPECT_EQ(target->NumZones(), 0);
        EXPECT_EQ(Block(target)->GetInt(Tvl3Material::kBumpOn), -1);
        EXPECT_EQ(Block(target)->GetInt(Tvl3Material::kHighlightEdge), 0);
        EXPECT_EQ(NameOf(target), NameOf(source));
    }
}

TEST_F(StandardMaterialTest, WithoutTheZoneClassTheHighlightIsStillWritten) {
    Unload(REF_TARGET_CLASS_ID, TVL3_ZONE_CLASS_ID);
    StandardMtl* source = NewStandard();
    Tvl3Material* target = NewTvl3();
    EXPECT_TRUE(ConvertStandardMaterial(target, source, CONVOPT_MULTIPLY_BLEND, nullptr));
    EXPECT_EQ(target->NumZones(), 0);
    EXPECT_EQ(Block(target)->GetInt(Tvl3Material::kHighlightEdge), 98);
    EXPECT_FLOAT_EQ(Block(target)->GetFloat(Tvl3Material::kBaseBlend), 0.0f);
}
