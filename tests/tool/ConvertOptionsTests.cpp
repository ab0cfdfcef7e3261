#include <gtest/gtest.h>

#include "ConvertOptions.h"

TEST(ConvertOptionsTest, EachFlagSetsOrClearsItsOwnBit) {
    for (const MtlOptionBit& flag : MtlOptionBits) {
        ConvertRequest on, off;
        std::string error;
        ASSERT_TRUE(ParseConvertArgs({"s.json", "-o", "o.json", flag.onFlag}, on, error)) << error;
        ASSERT_TRUE(ParseConvertArgs({"s.json", "-o", "o.json", flag.offFlag}, off, error)) << error;
        EXPECT_EQ(on.options, kDefaultConversionOptions | flag.bit) << flag.onFlag;
        EXPECT_EQ(off.options, kDefaultConversionOptions & ~flag.bit) << flag.offFlag;
    }
}

TEST(ConvertOptionsTest, DefaultsAreThePanelsInitialStates) {
    ConvertRequest req;
    std::string error;
    ASSERT_TRUE(ParseConvertArgs({"scene.json", "-o", "out.json"}, req, error));
    EXPECT_EQ(req.options, 0x10108C01u);
    EXPECT_EQ(req.scenePath, "scene.json");
    EXPECT_EQ(req.outputPath, "out.json");
    EXPECT_TRUE(req.referenceName.empty());
    EXPECT_FALSE(req.dryRun);
}

TEST(ConvertOptionsTest, UsageErrorsAreNamed) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{}, "no scene given"},
        {{"s.json"}, "no output given: use -o OUT, --out-dir DIR or --in-place, or --dry-run to only report"},
        {{"s.json", "-o"}, "option -o needs a value"},
        {{"s.json", "-o", "a.json", "-o", "b.json"}, "option -o is given twice"},
        {{"s.json", "--in-place", "-o", "a.json"},
         "-o, --out-dir and --in-place each say where the output goes: give one of them"},
        {{"a.json", "b.json", "-o", "c.json"},
         "-o names the output of one scene: with several scenes use --out-dir DIR"},
        {{"a.json", "--out-dir", "d", "-j", "0"},
         "option -j needs a number of jobs from 1 to 256, not \"0\""},
        {{"s.json", "--reference", ""}, "--reference needs the name of a Tavelin 3 material"},
        {{"s.json", "--frobnicate"}, "unknown option --frobnicate"},
    };
    for (const auto& c : cases) {
        ConvertRequest req;
        std::string error;
        EXPECT_FALSE(ParseConvertArgs(c.args, req, error));
        EXPECT_EQ(error, c.error);
    }
    ConvertRequest dry;
    std::string error;
    EXPECT_TRUE(ParseConvertArgs({"s.json", "--dry-run", "--reference", "Toon", "--report-json", "r.json"},
                                 dry, error));
    EXPECT_EQ(dry.referenceName, "Toon");
    EXPECT_EQ(dry.reportJsonPath, "r.json");
}
