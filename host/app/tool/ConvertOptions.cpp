#include "ConvertOptions.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

// The panel's options, in the panel's order, with its initial states as defaults.
const OptionFlag kOptionFlags[] = {
    {"--multiply-blend", "--no-multiply-blend", CONVOPT_MULTIPLY_BLEND,
     "automatic zones of Standard materials use the multiply blend (default on)"},
    {"--highlight-add-blend", "--no-highlight-add-blend", CONVOPT_HIGHLIGHT_ADD_BLEND,
     "the highlight blends additively (default off)"},
    {"--ft-specular-as-zone", "--no-ft-specular-as-zone", CONVOPT_FT_SPECULAR_AS_ZONE,
     "the finalToon specular band becomes a zone (default on)"},
    {"--il-highlight-as-zone", "--no-il-highlight-as-zone", CONVOPT_IL_HIGHLIGHT_AS_ZONE,
     "the Illustrate! highlight band becomes a zone (default on)"},
    {"--apply-strokes", "--no-apply-strokes", CONVOPT_APPLY_STROKES,
     "zones copied from the reference material bring its strokes (default off)"},
    {"--copy-strokes", "--instance-strokes", CONVOPT_COPY_STROKES,
     "those strokes are copies rather than the same objects (default: instances)"},
    {"--skip-area-off-zones", "--no-skip-area-off-zones", CONVOPT_SKIP_AREA_OFF_ZONES,
     "Tavelin 2 zones without area are not converted (default on)"},
    {"--skip-disabled-strokes", "--no-skip-disabled-strokes", CONVOPT_SKIP_DISABLED_STROKES,
     "Tavelin 2 strokes that are switched off are not converted (default on)"},
    {"--convert-reflect-refract-maps", "--no-convert-reflect-refract-maps",
     CONVOPT_CONVERT_REFLECT_REFRACT_MAPS, "Tavelin 2 reflection/refraction maps are converted (default on)"},
};
const size_t kOptionFlagCount = sizeof(kOptionFlags) / sizeof(kOptionFlags[0]);

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
        for (size_t f = 0; f < kOptionFlagCount && !matched; ++f) {
            if (a == kOptionFlags[f].on) {
                req.options |= kOptionFlags[f].bit;
                matched = true;
            } else if (a == kOptionFlags[f].off) {
                req.options &= ~kOptionFlags[f].bit;
                matched = true;
            }
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
    for (size_t f = 0; f < kOptionFlagCount; ++f)
        s << "  " << kOptionFlags[f].on << " / " << kOptionFlags[f].off << "\n      " << kOptionFlags[f].help
          << "\n";
    return s.str();
}
