#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "SceneFile.h"
#include "SceneTestClasses.h"

// Colours and points go into a block by non-const reference, as with the host's own blocks: this takes
// them by value, so that a test can pass a temporary.
template <class T>
BOOL SetParamValue(IParamBlock2* pb, ParamID id, TimeValue t, T value, int tabIndex = 0) {
    return pb->SetValue(id, t, value, tabIndex);
}

// Every scene test starts and ends with an empty scene and the test classes registered.
class SceneFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneTestClasses();
        HostCore::Get().ResetScene();
    }
    void TearDown() override { HostCore::Get().ResetScene(); }

    static std::string Fixture(const std::string& name) {
        return std::string(TVL_SOURCE_DIR) + "/tests/app/fixtures/" + name;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Loads text that must load.
    static void Load(const std::string& text) {
        std::string error;
        ASSERT_TRUE(LoadSceneText(text, error)) << error;
    }
};

inline MtlBase* Slot(int i) { return GetCOREInterface()->GetMtlSlot(i); }
