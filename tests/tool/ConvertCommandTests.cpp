#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "ConvertCommand.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif
#include "HostTestObjects.h"
#include "ProductClassIds.h"
#include "Products.h"
#include "SceneFile.h"

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
        return RunConvertBatch(req, TVL3HOST, stdout_, err_);
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

// A scene written by hand from the documents, every block and default object left out, is the scene of
// new objects: it loads as one written out in full and converts to the same result.
TEST_F(ConvertCommandTest, AHandWrittenSceneLeavingOutEveryBlockConvertsWithTheClassDefaults) {
    const std::string brief = testing::TempDir() + "tvl3host_brief.json";
    const std::string full = testing::TempDir() + "tvl3host_full.json";
    std::ofstream(brief) << R"({"format": "tvl3host-scene", "version": 2,
        "nodes": [{"id": 1, "name": "a", "material": 3}, {"id": 2, "name": "b", "material": 4}],
        "effects": [{"object": 5, "active": true}],
        "objects": [{"id": 3, "class": "StandardMaterial"}, {"id": 4, "class": "Tvl2Material"},
                    {"id": 5, "class": "Tvl2Line"}]})";
    HostCore& host = HostCore::Get();
    host.CreateNode(_M("a"))->SetMtl(
        static_cast<Mtl*>(host.CreateInstance(MATERIAL_CLASS_ID, STANDARD_MATERIAL_CLASS_ID)));
    host.CreateNode(_M("b"))->SetMtl(
        static_cast<Mtl*>(host.CreateInstance(MATERIAL_CLASS_ID, TVL2_MATERIAL_CLASS_ID)));
    host.AddEffect(static_cast<Effect*>(host.CreateInstance(RENDER_EFFECT_CLASS_ID, TVL2_LINE_CLASS_ID)));
    std::string error;
    ASSERT_TRUE(SaveScene(full, error)) << error;

    ASSERT_EQ(Run({brief, "-o", out_, "--undo"}), 0) << err_.str();
    EXPECT_EQ(ReadFile(out_), ReadFile(full));  // loaded as the new objects, nothing lost
    EXPECT_EQ(err_.str(), "");                  // and no warning
    ASSERT_EQ(Run({brief, "-o", out_}), 0) << err_.str();
    const std::string converted = ReadFile(out_);
    ASSERT_EQ(Run({full, "-o", out_}), 0) << err_.str();
    EXPECT_EQ(ReadFile(out_), converted);

    // As version 1 the same file loses what it leaves out, and says so on stderr and in the report.
    std::string text = ReadFile(brief);
    text.replace(text.find("\"version\": 2"), 12, "\"version\": 1");
    std::ofstream(brief) << text;
    err_.str("");
    ASSERT_EQ(Run({brief, "-o", out_, "--report-json", report_}), 0) << err_.str();
    const nlohmann::json warnings = nlohmann::json::parse(ReadFile(report_))["warnings"];
    ASSERT_FALSE(warnings.empty());
    EXPECT_EQ(warnings[0],
              "objects[0]: reference 0 (a new BlinnShader) is left out, and version 1 files clear it; "
              "version 2 keeps it");
    EXPECT_NE(err_.str().find(": warning: " + warnings[0].get<std::string>() + "\n"), std::string::npos)
        << err_.str();
    std::remove(brief.c_str());
    std::remove(full.c_str());
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
        // The report cannot be written: neither is the scene.
        {{"SCENE", "-o", "OUT", "--report-json", "/no/such/folder/r.json"},
         "the scene was not written either"},
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

namespace fs = std::filesystem;

TEST_F(ConvertCommandTest, OnlyInPlaceWritesOverTheSceneAndKeepsItsMode) {
    const std::string scene = out_ + ".scene.json";
    fs::copy_file(kShowcase, scene, fs::copy_options::overwrite_existing);
    fs::permissions(scene, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::perms mode = fs::status(scene).permissions();  // what the file system keeps of it
    EXPECT_EQ(Run({scene, "-o", scene}), 1);
    EXPECT_NE(err_.str().find("give --in-place to replace it"), std::string::npos) << err_.str();
    EXPECT_EQ(ReadFile(scene), ReadFile(kShowcase));

    ASSERT_EQ(Run({scene, "--in-place"}), 0) << err_.str();
    EXPECT_NE(ReadFile(scene).find("\"Tvl3Line\""), std::string::npos);
    EXPECT_EQ(fs::status(scene).permissions(), mode);
    fs::remove(scene);
}

// A folder of scenes, one of them broken: the others are converted all the same, by this process or by
// worker processes.
TEST_F(ConvertCommandTest, ABatchConvertsEachSceneOnItsOwn) {
    const fs::path in = out_ + ".in", outDir = out_ + ".outdir";
#ifdef _WIN32
    const char* const jobCounts[] = {"1"};  // worker processes are covered by the native build
#else
    const char* const jobCounts[] = {"1", "2"};
#endif
    for (const char* jobs : jobCounts) {
        SCOPED_TRACE(jobs);
        fs::remove_all(in);
        fs::remove_all(outDir);
        fs::create_directories(in);
        fs::copy_file(kShowcase, in / "a.json");
        fs::copy_file(kShowcase, in / "c.json");
        std::ofstream(in / "b.json") << "{\"format\": \"tvl3host-scene\", \"version\": 3}";
        HostCore::Get().ResetScene();
        err_.str("");
        stdout_.str("");
        EXPECT_EQ(Run({in.string(), "--out-dir", outDir.string(), "-j", jobs, "--report-json", report_}), 1);
        EXPECT_TRUE(Exists((outDir / "a.json").string()));
        EXPECT_TRUE(Exists((outDir / "c.json").string()));
        EXPECT_FALSE(Exists((outDir / "b.json").string()));
        nlohmann::json report = nlohmann::json::parse(ReadFile(report_));
        ASSERT_EQ(report["files"].size(), 3u);
        EXPECT_EQ(report["totals"]["failed"], 1);
        EXPECT_EQ(report["files"][0]["report"]["totals"]["converted"],
                  report["files"][2]["report"]["totals"]["converted"]);
        EXPECT_EQ(report["files"][1]["ok"], false);
        EXPECT_NE(report["files"][1]["error"].get<std::string>().find("version 3 is not supported"),
                  std::string::npos);
        EXPECT_NE(stdout_.str().find("Scenes: 3, 2 converted, 1 failed"), std::string::npos) << stdout_.str();
    }
    fs::remove_all(in);
    fs::remove_all(outDir);
}

TEST(ToolCommandLine, AnswersWithExitCodesAndPointsToHelp) {
#ifdef _WIN32
    GTEST_SKIP() << "runs the program through the command interpreter: covered by the native build";
#endif
    const struct {
        const char* args;
        int code;
        const char* out;  // a text the standard output or error holds
    } cases[] = {
        {"", 2, "Run 'tvl3host help' for help."},
        {"help", 0, "usage: tvl3host COMMAND"},
        {"help convert", 0, "--out-dir DIR"},
        {"convert --help", 0, "--out-dir DIR"},
        {"help frobnicate", 2, "no help on \"frobnicate\""},
        {"frobnicate", 2, "unknown command \"frobnicate\""},
        {"convert a.json -o x.json -o y.json", 2,
         "option -o is given twice\nRun 'tvl3host help convert' for help."},
    };
    const std::string log = testing::TempDir() + "tvl3host_command_line.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const std::string command = std::string("\"") + TVL3HOST + "\" " + c.args + " >\"" + log + "\" 2>&1";
        int status = std::system(command.c_str());
#ifndef _WIN32
        status = WEXITSTATUS(status);
#endif
        EXPECT_EQ(status, c.code);
        const std::string text = ReadFile(log);
        EXPECT_NE(text.find(c.out), std::string::npos) << text;
        if (c.code != 0) {
            EXPECT_EQ(text.find("Conversion options"), std::string::npos) << "a usage error shows no help";
        }
    }
    std::remove(log.c_str());
}
