#include "FormatCommand.h"

#include "SceneFile.h"

bool ParseFormatArgs(const std::vector<std::string>& args, FormatRequest& req, std::string& error,
                     bool* help) {
    if (help) *help = false;
    bool inPlace = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            if (help) *help = true;
            return true;
        }
        if (a == "-o") {
            if (i + 1 == args.size()) return error = "-o needs a file name", false;
            if (!req.out.empty()) return error = "-o is given twice", false;
            req.out = args[++i];
        } else if (a == "--in-place") {
            inPlace = true;
        } else if (!a.empty() && a[0] == '-') {
            return error = "unknown option \"" + a + "\"", false;
        } else if (!req.scene.empty()) {
            return error = "one scene at a time", false;
        } else {
            req.scene = a;
        }
    }
    if (req.scene.empty()) return error = "no scene given", false;
    if (inPlace && !req.out.empty()) return error = "give either -o or --in-place", false;
    if (inPlace) req.out = req.scene;
    if (req.out.empty())
        return error = "no output given (-o OUT, or --in-place to write over the scene)", false;
    if (req.out == req.scene && !inPlace) return error = "-o names the scene itself; use --in-place", false;
    return true;
}

std::string FormatUsage() {
    return "usage: tvl3host format SCENE -o OUT\n"
           "       tvl3host format SCENE --in-place\n"
           "\n"
           "Loads the scene and saves it in the canonical form of the current format version, with no run.\n"
           "The output is written whole or not at all.\n";
}

int RunFormatCommand(const FormatRequest& req, std::ostream& out, std::ostream& err) {
    std::string error;
    std::vector<std::string> warnings;
    if (!LoadScene(req.scene, error, nullptr, &warnings)) {
        err << "tvl3host format: " << error << "\n";
        return 1;
    }
    for (const std::string& w : warnings)
        err << "tvl3host format: " << req.scene << ": warning: " << w << "\n";
    if (!SaveScene(req.out, error)) {
        err << "tvl3host format: " << error << "\n";
        return 1;
    }
    out << "Wrote " << req.out << "\n";
    return 0;
}
