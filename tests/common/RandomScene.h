#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

#include "ConversionRun.h"
#include "MtlConvList.h"

// Where a random scene's choices come from: a seeded generator (property tests and soaks) or the bytes of
// a fuzz input, read one choice at a time, so that a mutated byte changes one choice.
class SceneDice {
public:
    virtual ~SceneDice() = default;
    // A number from 0 to n - 1 (n > 0).
    virtual uint32_t Below(uint32_t n) = 0;
    bool OneIn(uint32_t n) { return Below(n) == 0; }
};

class SeededDice : public SceneDice {
public:
    explicit SeededDice(unsigned long seed) : rng_(static_cast<std::mt19937::result_type>(seed)) {}
    uint32_t Below(uint32_t n) override { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }

private:
    std::mt19937 rng_;
};

// One byte per choice of up to 256 outcomes, two beyond; an input that runs out answers 0 from then on.
class ByteDice : public SceneDice {
public:
    ByteDice(const uint8_t* data, size_t size) : at_(data), end_(data + size) {}
    uint32_t Below(uint32_t n) override;

private:
    const uint8_t* at_;
    const uint8_t* end_;
};

// Builds a random scene in the host's scene, which must be empty (just reset) with the stand-in products
// registered. It holds every convertible class and every shader: Standard materials with the Blinn,
// Anisotropic, finalToon and Illustrate! shaders, the variant class, Tavelin 2 materials with settings,
// zones, strokes and reflection/refraction maps, Tavelin 3 materials with zones, nested and shared
// Multi/Sub-Object materials and maps, a node tree, editor slots, Tavelin 2 and 3 line effects with
// shared brush maps, controllers with keys, material flags and names in many scripts. Parameters take
// random values of their type. Nothing is recorded for undo.
void BuildRandomScene(SceneDice& dice);

// What a run of both converters is given on the scene in the host: the list (what the Add dialog would
// offer, some left out), the options, a Tavelin 3 material of the scene as reference or none, the line
// run's suffix and whether it deletes its sources. Also sets the time and Auto Key at random.
struct RandomRun {
    ConversionOptions options = 0;
    Mtl* reference = nullptr;
    bool deleteLineSources = false;
    std::wstring suffix;
};
RandomRun PickRandomRun(SceneDice& dice, MtlConvList& list);

// Saves the scene in the host, loads the text back and checks that it saves as the same text; then runs
// both converters as PickRandomRun sets them up, undoes and redoes both runs twice, and loads the
// converted scene back. Answers what went wrong, or "" when the scene loaded back unchanged, undo gave
// back exactly the scene as it was, step by step, redo exactly the converted one, and the converted scene
// loaded back unchanged.
std::string CheckRunsUndoAndRedo(SceneDice& dice);
