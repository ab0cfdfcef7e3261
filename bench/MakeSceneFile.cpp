// make_scene_file: writes a large scene file for benchmarks and for trying tvl3host at scale.
//
//   make_scene_file --materials N -o OUT [--sample FILE]
//
// Repeats the sample scene (examples/showcase.json by default) until it lists at least N materials for
// the material run, and writes it in the host's canonical form, as tvl3host writes scenes.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "Products.h"
#include "SceneFile.h"
#include "SceneGenerator.h"

int main(int argc, char** argv) {
    std::string sample = std::string(TVL_SOURCE_DIR) + "/examples/showcase.json";
    std::string output;
    long materials = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (i + 1 < argc && a == "--materials")
            materials = std::strtol(argv[++i], nullptr, 10);
        else if (i + 1 < argc && (a == "-o" || a == "--output"))
            output = argv[++i];
        else if (i + 1 < argc && a == "--sample")
            sample = argv[++i];
        else {
            std::cerr << "usage: make_scene_file --materials N -o OUT [--sample FILE]\n";
            return 2;
        }
    }
    if (materials <= 0 || output.empty()) {
        std::cerr << "usage: make_scene_file --materials N -o OUT [--sample FILE]\n";
        return 2;
    }
    std::ifstream in(sample, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        std::cerr << "make_scene_file: cannot read " << sample << "\n";
        return 1;
    }
    const long perCopy = ListedMaterialsPerCopy();
    const int copies = static_cast<int>((materials + perCopy - 1) / perCopy);

    RegisterStandInProducts();
    std::string error;
    if (!LoadSceneText(RepeatSceneText(text.str(), copies), error) || !SaveScene(output, error)) {
        std::cerr << "make_scene_file: " << error << "\n";
        return 1;
    }
    std::cout << output << ": " << copies << " copies of " << sample << ", " << copies * perCopy
              << " listed materials\n";
    return 0;
}
