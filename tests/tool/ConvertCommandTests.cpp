#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "ConvertCommand.h"
#include "HostTestObjects.h"
#include "Products.h"

namespace {

const std::string kShowcase = std::string(TVL_SOURCE_DIR) + "/examples/showcase.json";

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

class ConvertCommandTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterStandInProducts();
        // Tests may run side by side: each has files of its own.
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        out_ = testing::TempDir() + "tvl3host_" + name + "_out.json";
        report_ = testing::TempDir() + "tvl3host_" + name + "_report.json";
        std::remove(out_.c_str());
        std::remove(report_.c_str());
    }
    int Run(std::vector<std::string> args) {
        ConvertRequest req;
        std::string error;
        if (!ParseConvertArgs(args, req, error)) {
            err_ << error;
            return 2;
        }
        req.quiet = false;
        return RunConvertCommand(req, stdout_, err_);
    }
    std::string out_, report_;
    std::ostringstream stdout_, err_;
};

}  // namespace

TEST_F(ConvertCommandTest, ConvertsTheShowcaseAndReportsEachMaterial) {
    ASSERT_EQ(Run({kShowcase, "-o", out_, "--report-json", report_}), 0) << err_.str();
    ASSERT_TRUE(Exists(out_));
    nlohmann::json report = nlohmann::json::parse(ReadFile(report_));
    EXPECT_EQ(report["options"], "0x10108C01");
    ASSERT_GT(report["materials"].size(), 5u);
    for (const auto& m : report["materials"]) {
        EXPECT_EQ(m["outcome"], "converted") << m["name"];
        EXPECT_EQ(m["result"]["class"], "Tavelin 3 Material");
    }
    EXPECT_EQ(report["totals"]["converted"], report["materials"].size());
    EXPECT_NE(stdout_.str().find("Hero Skin (Standard): converted to Tavelin 3 Material, 3 zones"),
              std::string::npos)
        << stdout_.str();

    // The written scene holds no convertible material or line effect any more.
    std::string written = ReadFile(out_);
    for (const char* gone :
         {"\"Tvl2ReflectRefractMap\"", "\"Tvl2Line\"", "\"Tvl2LineSet\"", "\"Tvl2BrushMap\""})
        EXPECT_EQ(written.find(gone), std::string::npos) << gone;
    for (const char* made : {"\"Tvl3Material\"", "\"Tvl3Line\"", "\"Tvl3LineSet\"", "\"Tvl3BrushMap\""})
        EXPECT_NE(written.find(made), std::string::npos) << made;
}

TEST_F(ConvertCommandTest, UndoingTheRunGivesBackTheSceneAsLoaded) {
    ASSERT_EQ(Run({kShowcase, "-o", out_, "--undo"}), 0) << err_.str();
    EXPECT_EQ(ReadFile(out_), ReadFile(kShowcase));
}

TEST_F(ConvertCommandTest, LineOptionsFollowThePanel) {
    const struct {
        std::vector<std::string> flags;
        const char* firstName;  // the first new effect's name
        bool deleted;
    } cases[] = {
        {{}, "Scene Tavelin 3 lines", true},
        {{"--keep-line-sources"}, "Scene Tavelin 3 lines", false},
        {{"--line-suffix", "_TVL3"}, "Scene Tavelin 2 lines_TVL3", true},
        {{"--line-suffix", ""}, "Scene Tavelin 3 lines", true},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{kShowcase, "--dry-run", "--report-json", report_};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        HostCore::Get().ResetScene();
        ASSERT_EQ(Run(args), 0) << err_.str();
        nlohmann::json report = nlohmann::json::parse(ReadFile(report_));
        ASSERT_EQ(report["lineTotals"]["converted"], 2);
        const auto& first = report["lineEffects"][0];
        EXPECT_EQ(first["result"]["name"], c.firstName);
        EXPECT_EQ(first["result"]["lineSets"], 2);
        EXPECT_EQ(first["sourceDeleted"], c.deleted);
        EXPECT_EQ(report["lineEffects"][1]["result"]["active"], false);  // the rim lines were inactive
    }
    ASSERT_EQ(Run({kShowcase, "--dry-run", "--no-lines", "--report-json", report_}), 0);
    EXPECT_FALSE(nlohmann::json::parse(ReadFile(report_)).contains("lineEffects"));
}

TEST_F(ConvertCommandTest, DryRunWritesNoScene) {
    ASSERT_EQ(Run({kShowcase, "--dry-run", "--report-json", report_}), 0) << err_.str();
    EXPECT_FALSE(Exists(out_));
    nlohmann::json report = nlohmann::json::parse(ReadFile(report_));
    EXPECT_EQ(report["dryRun"], true);
    EXPECT_TRUE(report["output"].is_null());
}

TEST_F(ConvertCommandTest, AReferenceMaterialGivesItsZones) {
    ASSERT_EQ(Run({kShowcase, "-o", out_, "--reference", "Reference Toon", "--report-json", report_}), 0)
        << err_.str();
    nlohmann::json report = nlohmann::json::parse(ReadFile(report_));
    EXPECT_EQ(report["reference"], "Reference Toon");
    for (const auto& m : report["materials"])
        if (m["name"] == "Floor Paint") {
            EXPECT_EQ(m["result"]["zones"], 3);
        }
}

TEST_F(ConvertCommandTest, ErrorsGiveOneMessageAndNoOutput) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"/no/such/scene.json", "-o", "OUT"}, "cannot open"},
        {{"SCENE", "-o", "OUT", "--reference", "Nobody"}, "no Tavelin 3 material named \"Nobody\""},
        {{"SCENE", "-o", "/no/such/folder/out.json"}, "cannot write"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args;
        for (const std::string& a : c.args) args.push_back(a == "SCENE" ? kShowcase : a == "OUT" ? out_ : a);
        err_.str("");
        EXPECT_EQ(Run(args), 1);
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        EXPECT_FALSE(Exists(out_));
    }
}
