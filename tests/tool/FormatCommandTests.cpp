#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "FormatCommand.h"
#include "HostTestObjects.h"
#include "Products.h"
#include "SceneFile.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(FormatArgs, UsageErrorsAreNamed) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{}, "no scene given"},
        {{"a.json"}, "no output given (-o OUT, or --in-place to write over the scene)"},
        {{"a.json", "-o"}, "-o needs a file name"},
        {{"a.json", "-o", "b.json", "-o", "c.json"}, "-o is given twice"},
        {{"a.json", "b.json", "-o", "c.json"}, "one scene at a time"},
        {{"a.json", "-o", "a.json"}, "-o names the scene itself; use --in-place"},
        {{"a.json", "-o", "b.json", "--in-place"}, "give either -o or --in-place"},
        {{"a.json", "--quick"}, "unknown option \"--quick\""},
    };
    for (const auto& c : cases) {
        FormatRequest req;
        std::string error;
        EXPECT_FALSE(ParseFormatArgs(c.args, req, error, nullptr)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

class FormatCommandTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterStandInProducts();
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        in_ = testing::TempDir() + "format_" + name + "_in.json";
        out_ = testing::TempDir() + "format_" + name + "_out.json";
    }
    std::string in_, out_;
};

// A scene written in another layout (here on one line) comes out in the tool's own form, which loads back
// to the same scene; --in-place puts it over the file itself.
TEST_F(FormatCommandTest, WritesTheCanonicalFormOfAScene) {
    const std::string showcase = ReadFile(std::string(TVL_SOURCE_DIR) + "/examples/showcase.json");
    std::ofstream(in_, std::ios::binary) << nlohmann::json::parse(showcase).dump();
    std::ostringstream out, err;
    for (bool inPlace : {false, true}) {
        FormatRequest req{in_, inPlace ? in_ : out_};
        ASSERT_EQ(RunFormatCommand(req, out, err), 0) << err.str();
        EXPECT_EQ(ReadFile(req.out), showcase);
    }
    FormatRequest missing{in_ + ".missing", out_};
    EXPECT_EQ(RunFormatCommand(missing, out, err), 1);
    EXPECT_NE(err.str().find("tvl3host format: "), std::string::npos);
}

}  // namespace
