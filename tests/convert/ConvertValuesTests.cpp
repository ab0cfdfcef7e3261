// Integers written from typed decimals: a tie rounds as the decimal the user typed says, on every path
// that writes one, and values a block cannot hold stay in range.

#include <climits>
#include <functional>
#include <limits>

#include "ConvertTestScene.h"
#include "ConvertValues.h"
#include "stdmat/AnisotropicShader.h"
#include "stdmat/FinalToonShader.h"
#include "stdmat/IllustrateShader.h"

namespace {

using ConvertValuesTest = ConvertTest;

TEST(ConvertValues, RoundedIntFollowsTheTypedDecimal) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float x;
        int scale, offset, expected;
    } cases[] = {
        {0.055f, 100, 0, 6},     {0.145f, 100, 0, 15},     {1.25f, 100, 0, 125},    {-0.3f, 100, 0, -29},
        {-1.935f, 100, 0, -193}, {0.535f, -100, 100, 47},  {0.335f, -100, 100, 67}, {30.05f, 10, 0, 301},
        {1e-20f, 100, 0, 0},     {1e-20f, -100, 100, 100}, {3e9f, 100, 0, INT_MAX}, {-3e9f, 100, 0, INT_MIN},
        {inf, 100, 0, INT_MAX},  {nan, 100, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(RoundedInt(c.x, c.scale, c.offset), c.expected);
    }
    EXPECT_EQ(ShiftDecimal(0.3005f, 2), 30.05f);
    EXPECT_EQ(ShiftDecimal(0.0145f, 2), 1.45f);
}

TEST_F(ConvertValuesTest, EveryPathRoundsATieAsTheTypedDecimal) {
    using SetUp = std::function<void(StandardMtl*)>;
    auto shaderValue = [](ParamID id, float v) {
        return [id, v](StandardMtl* m) { m->GetShader()->GetParamBlock(0)->SetValue(id, 0, v); };
    };
    auto finalToonHighlight = [](ParamID id, float v) {
        return [id, v](StandardMtl* m) {
            IParamBlock2* spb = m->GetShader()->GetParamBlock(0);
            spb->SetValue(FinalToonShader::kZone3On, 0, 1);
            spb->SetValue(id, 0, v);
        };
    };
    const struct {
        const char* what;
        Class_ID shader;
        SetUp set;
        ParamID param;  // of the new material's block 0
        int expected;
    } cases[] = {
        {"specular level", BLINN_SHADER_CLASS_ID, [](StandardMtl* m) { m->SetShinStr(0.055f, 0); }, 4, 6},
        {"glossiness", BLINN_SHADER_CLASS_ID, [](StandardMtl* m) { m->SetShininess(0.015f, 0); }, 5, 2},
        {"bump amount", BLINN_SHADER_CLASS_ID,
         [](StandardMtl* m) { m->SetTexmapAmt(m->StdIDToChannel(ID_BU), -1.935f, 0); }, 15, -193},
        {"reflection amount", BLINN_SHADER_CLASS_ID,
         [](StandardMtl* m) { m->SetTexmapAmt(m->StdIDToChannel(ID_RL), 0.005f, 0); }, 18, 1},
        {"anisotropy", ANISOTROPIC_SHADER_CLASS_ID, shaderValue(AnisotropicShader::kAnisotropy, 0.065f), 7,
         7},
        {"finalToon highlight width", FINALTOON_SHADER_CLASS_ID,
         finalToonHighlight(FinalToonShader::kZone3Width, 30.05f), 4, 301},
        {"finalToon highlight edge", FINALTOON_SHADER_CLASS_ID,
         finalToonHighlight(FinalToonShader::kEdge2, 0.535f), 6, 47},
        {"Illustrate! highlight width", ILLUSTRATE_SHADER_CLASS_ID,
         shaderValue(IllustrateShader::kZone3Width, 0.0145f), 4, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandardMtl* source = NewStandard(c.shader);
        c.set(source);
        EXPECT_EQ(Block(Convert(source, 0))->GetInt(c.param), c.expected);
    }
}

}  // namespace
