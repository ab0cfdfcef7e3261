#include <csignal>
#include <filesystem>
#include <random>

#include "SceneTestSupport.h"

namespace fs = std::filesystem;

class SceneFileIo : public SceneFileTest {
protected:
    void SetUp() override {
        SceneFileTest::SetUp();
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("scene_io_" + std::to_string(random()));
        fs::create_directories(dir_);
        auto* mtl = new SceneTestMtl;
        mtl->SetName(_M("Saved"));
        HostCore::Get().CreateNode(_M("n"))->SetMtl(mtl);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        SceneFileTest::TearDown();
    }
    std::string PathOf(const std::string& utf8Name) const { return (dir_ / fs::u8path(utf8Name)).u8string(); }
    std::vector<std::string> FilesInDir() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().u8string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST_F(SceneFileIo, SavedFileHoldsTheSceneTextAndLoadsBack) {
    std::string path = PathOf("Szene ü.json");
    std::string error;
    ASSERT_TRUE(SaveScene(path, error)) << error;
    EXPECT_EQ(error, "");
    std::string text = SaveSceneText();
    EXPECT_EQ(ReadFile(path), text);
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"Szene ü.json"});  // no temporary file left

    HostCore::Get().ResetScene();
    ASSERT_TRUE(LoadScene(path, error)) << error;
    EXPECT_EQ(SaveSceneText(), text);
}

TEST_F(SceneFileIo, ALargeSceneLoadsAgainWhileTheLastModelIsFreedAside) {
    // Enough nodes for the model to be freed on a thread of its own; the next load waits for it.
    for (int i = 0; i < 17000; ++i) HostCore::Get().CreateNode(_M("n"));
    const std::string path = PathOf("large.json");
    std::string error;
    ASSERT_TRUE(SaveScene(path, error)) << error;
    const std::string text = SaveSceneText();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(LoadScene(path, error)) << error;
        EXPECT_EQ(SaveSceneText(), text);
    }
}

TEST_F(SceneFileIo, SavingOverALongerFileReplacesItWhole) {
    std::string path = PathOf("scene.json");
    { std::ofstream(fs::u8path(path)) << std::string(100000, 'x'); }
    std::string error;
    ASSERT_TRUE(SaveScene(path, error)) << error;
    EXPECT_EQ(ReadFile(path), SaveSceneText());
}

TEST_F(SceneFileIo, AFailedSaveLeavesNothingBehind) {
    // A folder where the file should go: the complete temporary file cannot be renamed over it.
    std::string path = PathOf("taken");
    fs::create_directory(fs::u8path(path));
    { std::ofstream(dir_ / "taken" / "inside.txt") << "kept"; }
    std::string error;
    EXPECT_FALSE(SaveScene(path, error));
    EXPECT_EQ(error.rfind("cannot write \"" + path + "\": ", 0), 0u) << error;
    EXPECT_EQ(FilesInDir(), std::vector<std::string>{"taken"});
    EXPECT_EQ(ReadFile(PathOf("taken/inside.txt")), "kept");
}

#ifndef _WIN32
// Killed while a scene is being written: the process ends by the signal and leaves no temporary file.
TEST_F(SceneFileIo, AnInterruptWhileWritingLeavesNothingBehind) {
    GTEST_FLAG_SET(death_test_style, "fast");  // the child writes into this test's folder
    for (int sig : {SIGINT, SIGTERM}) {
        const std::string path = PathOf("scene.json");
        EXPECT_EXIT(
            {
                StagedFile file(path);
                std::string error;
                file.Write([sig](std::ostream& out) { out << "{ \"format\"", std::raise(sig); }, error);
            },
            testing::KilledBySignal(sig), "");
        EXPECT_EQ(FilesInDir(), std::vector<std::string>{}) << sig;
    }
}
#endif

TEST_F(SceneFileIo, SavingIntoAMissingFolderFails) {
    std::string path = PathOf("missing/scene.json");
    std::string error;
    EXPECT_FALSE(SaveScene(path, error));
    EXPECT_EQ(error.rfind("cannot write \"" + path + "\": ", 0), 0u) << error;
    EXPECT_TRUE(FilesInDir().empty());
}

TEST_F(SceneFileIo, LoadingAMissingFileNamesItAndKeepsTheScene) {
    std::string path = PathOf("nothing.json");
    std::string error;
    EXPECT_FALSE(LoadScene(path, error));
    EXPECT_EQ(error, "cannot open \"" + path + "\": No such file or directory");
    int nodes = 0;
    HostCore::Get().ForEachNode([&](INode*) { ++nodes; });
    EXPECT_EQ(nodes, 1);
}

TEST_F(SceneFileIo, LoadingWhatCannotBeReadSaysWhy) {
    const std::pair<std::string, const char*> cases[] = {
        {dir_.u8string(), "it is a folder"},
#ifdef __linux__
        {"/proc/self/mem", "reading failed"},  // opens, but its first bytes are no memory of the process
#endif
    };
    for (const auto& [path, why] : cases) {
        std::string error;
        EXPECT_FALSE(LoadScene(path, error));
        EXPECT_EQ(error, "cannot open \"" + path + "\": " + why);
    }
}

TEST_F(SceneFileIo, LoadingAFileReportsItsContentErrorsAsTextDoes) {
    std::string path = PathOf("bad.json");
    { std::ofstream(fs::u8path(path)) << R"({"format": "tvl3host-scene", "version": 1, "time": "now"})"; }
    std::string error;
    EXPECT_FALSE(LoadScene(path, error));
    EXPECT_EQ(error, "time: expected an integer");
}
