#include <gtest/gtest.h>

#include <sstream>

#include "ClassesCommand.h"
#include "HostTestObjects.h"
#include "Products.h"

namespace {

class ClassesCommandTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        RegisterStandInProducts();
    }
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return RunClassesCommand(args, out_, err_);
    }
    std::ostringstream out_, err_;
};

// One class: its kind, fields, references and each parameter of its block from the class's own table.
TEST_F(ClassesCommandTest, DescribesOneClassFromItsOwnTables) {
    const int live = HostCore::Get().NumLiveObjects();
    ASSERT_EQ(Run({"StandardMaterial"}), 0) << err_.str();
    EXPECT_EQ(HostCore::Get().NumLiveObjects(), live);  // the objects it looked at are gone
    const std::string standard = out_.str();
    EXPECT_EQ(standard.rfind("StandardMaterial (Standard): material (Mtl)\n", 0), 0u) << standard;
    for (const char* line :
         {"  fields: name, mtlFlags, activeTexmap, blocks, refs, stdMat\n",
          "  reference 0 (shader): a new BlinnShader\n", "  reference 2 (map: Diffuse Color): nothing\n"})
        EXPECT_NE(standard.find(line), std::string::npos) << line << standard;

    ASSERT_EQ(Run({"BlinnShader", "--markdown"}), 0) << err_.str();
    const std::string blinn = out_.str();
    for (const char* line :
         {"## BlinnShader\n", "| 0 |  | block 0 `blinnParams` |\n",
          "| 1 | `diffuse` | `rgba` | `[0.6, 0.6, 0.6]` |\n", "| 3 | `lockAD` | `bool` | `true` |\n"})
        EXPECT_NE(blinn.find(line), std::string::npos) << line << blinn;
    EXPECT_EQ(blinn.find("# Scene classes"), std::string::npos);  // the page's head only with every class
}

TEST_F(ClassesCommandTest, AnUnknownClassHintsAtTheKnownNames) {
    EXPECT_EQ(Run({"blinn"}), 1);
    EXPECT_EQ(err_.str(), "tvl3host classes: unknown class \"blinn\" (known: BlinnShader)\n");
    EXPECT_EQ(Run({"Nothing"}), 1);
    EXPECT_NE(err_.str().find("(known: AnisotropicShader, "), std::string::npos) << err_.str();
    EXPECT_EQ(Run({"--all"}), 2);
}

}  // namespace
