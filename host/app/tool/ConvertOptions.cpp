#include "ConvertOptions.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {
bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& out, std::string& error) {
    if (i + 1 >= args.size()) {
        error = "option " + args[i] + " needs a value";
        return false;
    }
    out = args[++i];
    return true;
}

// An option that names a file or folder may be given once.
bool TakeOnce(const std::vector<std::string>& args, size_t& i, std::string& out, std::string& error) {
    if (!out.empty()) {
        error = "option " + args[i] + " is given twice";
        return false;
    }
    if (!TakeValue(args, i, out, error)) return false;
    if (out.empty()) {
        error = "option " + args[i - 1] + " needs a value";
        return false;
    }
    return true;
}
}  // namespace

bool ParseConvertArgs(const std::vector<std::string>& args, ConvertRequest& req, std::string& error,
                      bool* help) {
    if (help) *help = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool matched = false;
        for (const MtlOptionBit& o : MtlOptionBits) {
            if (a == o.onFlag)
                req.options |= o.bit;
            else if (a == o.offFlag)
                req.options &= ~o.bit;
            else
                continue;
            matched = true;
            break;
        }
        if (matched) continue;
        if (a == "-h" || a == "--help") {
            if (help) *help = true;
            return true;
        } else if (a == "-o" || a == "--output") {
            if (!TakeOnce(args, i, req.outputPath, error)) return false;
        } else if (a == "--out-dir") {
            if (!TakeOnce(args, i, req.outDir, error)) return false;
        } else if (a == "--in-place") {
            req.inPlace = true;
        } else if (a == "-j" || a == "--jobs") {
            std::string n;
            if (!TakeValue(args, i, n, error)) return false;
            char* end = nullptr;
            long jobs = std::strtol(n.c_str(), &end, 10);
            if (n.empty() || *end || jobs < 1 || jobs > 256) {
                error = "option " + a + " needs a number of jobs from 1 to 256, not \"" + n + "\"";
                return false;
            }
            req.jobs = static_cast<int>(jobs);
        } else if (a == "--reference") {
            if (!TakeValue(args, i, req.referenceName, error)) return false;
            if (req.referenceName.empty()) {
                error = "--reference needs the name of a Tavelin 3 material";
                return false;
            }
        } else if (a == "--report-json") {
            if (!TakeOnce(args, i, req.reportJsonPath, error)) return false;
        } else if (a == "--no-lines") {
            req.lines = false;
        } else if (a == "--lines") {
            req.lines = true;
        } else if (a == "--keep-line-sources") {
            req.keepLineSources = true;
        } else if (a == "--delete-line-sources") {
            req.keepLineSources = false;
        } else if (a == "--line-suffix") {
            if (!TakeValue(args, i, req.lineSuffix, error)) return false;
        } else if (a == "--dry-run") {
            req.dryRun = true;
        } else if (a == "--undo") {
            req.undoAfter = true;
        } else if (a == "-q" || a == "--quiet") {
            req.quiet = true;
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else {
            req.inputs.push_back(a);
        }
    }
    if (req.inputs.empty()) {
        error = "no scene given";
        return false;
    }
    req.scenePath = req.inputs[0];
    const int outputs = !req.outputPath.empty() + !req.outDir.empty() + req.inPlace;
    if (outputs > 1) {
        error = "-o, --out-dir and --in-place each say where the output goes: give one of them";
        return false;
    }
    if (req.inputs.size() > 1 && !req.outputPath.empty()) {
        error = "-o names the output of one scene: with several scenes use --out-dir DIR";
        return false;
    }
    if (outputs == 0 && !req.dryRun) {
        error = "no output given: use -o OUT, --out-dir DIR or --in-place, or --dry-run to only report";
        return false;
    }
    return true;
}

std::string ConvertUsage() {
    std::ostringstream s;
    s << "usage: tvl3host convert SCENE -o OUT [options]\n"
         "       tvl3host convert SCENE|FOLDER... --out-dir DIR [-j N] [options]\n"
         "\n"
         "Converts every Standard, Standard variant and Tavelin 2 material that the scene uses (on nodes, "
         "in\n"
         "the material editor, or below other materials that are not Tavelin materials) into Tavelin 3\n"
         "materials, as one undoable run of the material converter, and writes the converted scene.\n"
         "A folder stands for the .json files in it. Each scene is converted on its own: one that fails\n"
         "does not stop the others, and the exit code is 1 when any failed.\n"
         "\n"
         "  -o, --output OUT        the converted scene (written only when complete)\n"
         "  --out-dir DIR           write each converted scene to DIR, under its own file name\n"
         "  --in-place              write each converted scene over its scene file\n"
         "  -j, --jobs N            convert N scenes at once, each in a process of its own (default 1)\n"
         "  --reference NAME        copy zones from this Tavelin 3 material instead of making them\n"
         "  --report-json FILE      also write the report as JSON (for several scenes: one report of all)\n"
         "  --dry-run               report what would happen, write no scene\n"
         "  --undo                  write the scene as undoing the run leaves it (a check of undo)\n"
         "  -q, --quiet             print only the totals and errors\n"
         "\n"
         "Line effects, as on the line converter's panel:\n"
         "  --no-lines              leave the line effects alone\n"
         "  --keep-line-sources     keep the converted Tavelin 2 line effects in the list (default: "
         "deleted)\n"
         "  --line-suffix TEXT      append TEXT to the new effects' names (default: none, and the first\n"
         "                          \"Tavelin 2\" of a name becomes \"Tavelin 3\")\n"
         "\n"
         "Conversion options, as on the material converter's panel:\n";
    for (const MtlOptionBit& o : MtlOptionBits)
        s << "  " << o.onFlag << " / " << o.offFlag << "\n      " << o.help << "\n";
    return s.str();
}
