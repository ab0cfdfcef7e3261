// libFuzzer target: an input is either a scene file's text (it starts with '{') or the choices of a
// random scene (tests/common/RandomScene.h), so that most inputs make a valid scene and reach the runs.
// A text the loader refuses must come with a message and leave the scene as it was; every scene loaded
// or made goes through CheckRunsUndoAndRedo: saved and loaded back unchanged, both runs with choices
// taken from the input, undo and redo twice, the converted scene loaded back. A broken invariant aborts.
// At exit the target prints how many inputs loaded and reached the runs.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "MtlConverterState.h"
#include "Products.h"
#include "RandomScene.h"
#include "SceneFile.h"
#include "hostcore.h"

namespace {

struct Counts {
    unsigned long inputs = 0, texts = 0, loaded = 0, made = 0, runs = 0;
    ~Counts() {
        if (inputs)
            std::fprintf(
                stderr,
                "scene_fuzz: %lu inputs: %lu scene texts (%lu loaded), %lu random scenes; %lu of all "
                "inputs (%.1f%%) reached the runs\n",
                inputs, texts, loaded, made, runs, 100.0 * static_cast<double>(runs) / inputs);
    }
};
Counts counts;

[[noreturn]] void Broken(const std::string& what) {
    std::fprintf(stderr, "scene_fuzz: %s\n", what.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool registered = [] {
        RegisterStandInProducts();
        RegisterMtlConverterNotifications();
        return true;
    }();
    (void)registered;
    ++counts.inputs;
    HostCore& host = HostCore::Get();
    host.ResetScene();
    if (size > 0 && data[0] == '{') {
        ++counts.texts;
        const std::string text(reinterpret_cast<const char*>(data), size);
        const std::string empty = SaveSceneText();
        std::string error;
        if (!LoadSceneText(text, error)) {
            if (error.empty()) Broken("a refused scene text came without a message");
            if (SaveSceneText() != empty) Broken("a refused scene text changed the scene");
            return 0;
        }
        ++counts.loaded;
        // The run's choices come from the text itself.
        SeededDice dice(static_cast<unsigned long>(std::hash<std::string>()(text)));
        const std::string failure = CheckRunsUndoAndRedo(dice);
        if (!failure.empty()) Broken(failure);
    } else {
        ++counts.made;
        ByteDice dice(data, size);
        BuildRandomScene(dice);
        const std::string failure = CheckRunsUndoAndRedo(dice);
        if (!failure.empty()) Broken(failure);
    }
    ++counts.runs;
    return 0;
}
