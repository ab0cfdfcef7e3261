// Both runs on random scenes (tests/common/RandomScene.h): every scene saves and loads back unchanged,
// undo gives back exactly the scene as it was, step by step, redo exactly the converted one, over two
// cycles, and the converted scene loads back unchanged. TVL_RANDOM_SCENES sets how many scenes (a soak
// run), TVL_RANDOM_SEED the first seed; a failure names the seed that replays it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "HostTestObjects.h"
#include "Products.h"
#include "RandomScene.h"

namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoul(v, nullptr, 10) : fallback;
}

class RandomRunUndoTest : public HostTest {};

TEST_F(RandomRunUndoTest, UndoAndRedoOfBothRunsGiveEachSceneBackExactly) {
    const unsigned long first = EnvNumber("TVL_RANDOM_SEED", 1);
    const unsigned long count = EnvNumber("TVL_RANDOM_SCENES", 200);
    for (unsigned long seed = first; seed < first + count; ++seed) {
        HostCore::Get().ResetScene();
        RegisterStandInProducts();
        SeededDice dice(seed);
        BuildRandomScene(dice);
        const std::string failure = CheckRunsUndoAndRedo(dice);
        ASSERT_EQ(failure, "") << "TVL_RANDOM_SEED=" << seed << " TVL_RANDOM_SCENES=1 replays this scene";
    }
}

}  // namespace
