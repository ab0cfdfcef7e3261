#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "ConversionRun.h"
#include "HostTestObjects.h"
#include "MtlConverterState.h"
#include "ProductClassIds.h"
#include "Products.h"
#include "RunReport.h"
#include "StringTable.h"
#include "resource.h"

namespace {

std::string Text(const RunReport& report) {
    std::ostringstream out;
    report.PrintText(out, false);
    return out.str();
}

RunReport Sample(bool dryRun) {
    RunReport r;
    r.scene = "s.json";
    r.options = CONVOPT_MULTIPLY_BLEND | CONVOPT_COPY_STROKES;
    r.dryRun = dryRun;
    r.materials = {{"A", "Standard", MtlRunOutcome::Converted, "Tavelin 3 Material", 4, 1, ""},
                   {"B", "Standard", MtlRunOutcome::NotInUse, "", 0, 0, ""}};
    r.linesRun = true;
    r.lineEffects = {{"L", "converted", "", "L_TVL3", 2, true, true},
                     {"Fog", "other", "not a Tavelin 2 line effect", "", 0, false, false}};
    return r;
}

}  // namespace

// The printed report names the options set and, in a dry run, says what would happen.
TEST(RunReportTest, TextNamesOptionsAndSpeaksConditionallyInADryRun) {
    const struct {
        bool dryRun;
        std::vector<std::string> lines;
    } cases[] = {
        // clang-format off
        {false, {"  options 0x00000009: multiply-blend, copy-strokes\n",
                 "  A (Standard): converted to Tavelin 3 Material, 4 zones, 1 stroke\n",
                 "  B (Standard): skipped: not used by", "Total: 2 listed, 1 converted, 1 skipped\n",
                 "  L: converted to \"L_TVL3\", 2 line sets; the Tavelin 2 effect was deleted\n",
                 "  Fog: left as it is: not a Tavelin 2 line effect\n", "Total: 2 effects, 1 converted\n"}},
        {true, {"  A (Standard): would be converted to Tavelin 3 Material, 4 zones, 1 stroke\n",
                "  B (Standard): would be skipped: not used by",
                "Total: 2 listed, 1 would be converted, 1 would be skipped\n",
                "  L: would be converted to \"L_TVL3\", 2 line sets; the Tavelin 2 effect would be deleted\n",
                "  Fog: would be left as it is: not a Tavelin 2 line effect\n",
                "Total: 2 effects, 1 would be converted\n"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::string text = Text(Sample(c.dryRun));
        for (const std::string& line : c.lines) EXPECT_NE(text.find(line), std::string::npos) << line << text;
    }
    const auto json = nlohmann::json::parse(Sample(false).ToJson());
    EXPECT_EQ(json["options"], "0x00000009");
    EXPECT_EQ(json["optionNames"], nlohmann::json({"multiply-blend", "copy-strokes"}));
    EXPECT_EQ(json["lineEffects"][1]["reason"], "not a Tavelin 2 line effect");
}

// A material without zones, or not converted, carries the reason the run's facts give.
TEST(RunReportTest, ReasonsForNoZonesAndNotConverted) {
    const struct {
        const char* name;
        Class_ID cls;
        const MCHAR* unloaded;  // a product unloaded before the run, or none
        MtlRunOutcome outcome;
        const char* reason;
    } cases[] = {
        // clang-format off
        {"variant", STDMAT_VARIANT_CLASS_ID, nullptr, MtlRunOutcome::Converted,
         "a Standard variant material without a toon shader gets none"},
        {"standard", STANDARD_MATERIAL_CLASS_ID, nullptr, MtlRunOutcome::Converted, ""},
        {"no product", STANDARD_MATERIAL_CLASS_ID, PRODUCT_TAVELIN3, MtlRunOutcome::NotConverted,
         "the Tavelin 3 material class is not available"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        auto* m = static_cast<Mtl*>(GetCOREInterface()->CreateInstance(MATERIAL_CLASS_ID, c.cls));
        HostCore::Get().CreateNode(_M("n"))->SetMtl(m);
        if (c.unloaded) HostCore::Get().SetProductLoaded(c.unloaded, false);
        MtlConvList& list = TheMtlConverterState().List();
        list.Clear();
        list.Append(MtlConvData::Of(m));
        RunReport report;
        report.options = kDefaultConversionOptions;
        ReportingObserver observer(report);
        RunMtlConversion(list, report.options, nullptr, StringTableText(IDS_CONVERT_UNDO),
                         StringTableText(IDS_MTL_CONVERTER), &observer);
        if (c.unloaded) HostCore::Get().SetProductLoaded(c.unloaded, true);
        ASSERT_EQ(report.materials.size(), 1u);
        EXPECT_EQ(report.materials[0].outcome, c.outcome);
        EXPECT_EQ(report.materials[0].reason, c.reason);
    }
    HostCore::Get().ResetScene();
}
