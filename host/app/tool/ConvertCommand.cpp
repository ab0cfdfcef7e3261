#include "ConvertCommand.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <functional>

#include "ClassIds.h"
#include "ConversionRun.h"
#include "LineConversionRun.h"
#include "MtlConverterState.h"
#include "RunReport.h"
#include "SceneFile.h"
#include "SceneWriter.h"
#include "StringTable.h"
#include "TerminalProgress.h"
#include "resource.h"

namespace fs = std::filesystem;

namespace {

// The classes the material converter converts.
bool IsEligible(MtlBase* m) {
    Class_ID c = m->ClassID();
    return c == Class_ID(DMTL_CLASS_ID, 0) || c == STDMAT_VARIANT_CLASS_ID || c == TVL2_MATERIAL_CLASS_ID;
}

// The Tavelin 3 material of that name among the materials in use; an unknown or ambiguous name is an error.
Mtl* FindReference(const std::string& name, std::string& error) {
    MtlBaseLib inUse;
    CollectMaterialsInUse(inUse);
    Mtl* found = nullptr;
    int count = 0;
    for (int i = 0; i < inUse.Count(); ++i) {
        auto* m = dynamic_cast<Mtl*>(inUse[i]);
        if (!m || m->ClassID() != TVL3_MATERIAL_CLASS_ID || m->GetName().ToUTF8() != name) continue;
        if (!found) found = m;
        ++count;
    }
    if (!found)
        error = "no Tavelin 3 material named \"" + name + "\" is used by the scene or the material editor";
    else if (count > 1)
        error = "several Tavelin 3 materials are named \"" + name + "\"; rename one of them";
    return count == 1 ? found : nullptr;
}

// Adds the time since the last call to a phase.
class PhaseClock {
public:
    explicit PhaseClock(ConvertTimings* timings) : timings_(timings) {}
    void Add(PhaseTime ConvertTimings::*phase) {
        const std::clock_t cpu = std::clock();
        const auto wall = std::chrono::steady_clock::now();
        if (timings_) {
            (timings_->*phase).cpu += static_cast<double>(cpu - cpu_) / CLOCKS_PER_SEC;
            (timings_->*phase).wall += std::chrono::duration<double>(wall - wall_).count();
        }
        cpu_ = cpu;
        wall_ = wall;
    }

private:
    ConvertTimings* timings_;
    std::clock_t cpu_ = std::clock();
    std::chrono::steady_clock::time_point wall_ = std::chrono::steady_clock::now();
};

}  // namespace

// The scene file a request writes for its scene: -o, the file of that name in --out-dir, or the scene
// itself with --in-place; empty for a dry run.
std::string OutputOf(const ConvertRequest& req) {
    if (req.dryRun) return std::string();
    if (req.inPlace) return req.scenePath;
    if (!req.outDir.empty())
        return (fs::u8path(req.outDir) / fs::u8path(req.scenePath).filename()).u8string();
    return req.outputPath;
}

// Whether two paths name one file (the second may not exist yet).
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    const fs::path pa = fs::u8path(a), pb = fs::u8path(b);
    if (fs::exists(pb, ec)) return fs::equivalent(pa, pb, ec);
    return fs::absolute(pa, ec).lexically_normal() == fs::absolute(pb, ec).lexically_normal();
}

int RunConvertCommand(const ConvertRequest& req, std::ostream& out, std::ostream& err,
                      ConvertTimings* timings, std::string* reportJson) {
    PhaseClock clock(timings);
    const std::string output = OutputOf(req);
    if (!output.empty() && !req.inPlace && SameFile(req.scenePath, output)) {
        err << "tvl3host: " << output
            << ": this is the scene being converted; give --in-place to replace it\n";
        return 1;
    }
    TerminalProgress progress(stderr);
    const auto showProgress = [&](const char* label) {
        return req.quiet ? std::function<void(int)>()
                         : [&progress, label](int pct) { progress.Show(label, pct); };
    };
    std::string error;
    std::vector<std::string> warnings;
    bool loaded = LoadScene(req.scenePath, error, showProgress("Reading scene"), &warnings);
    progress.OnEnd();
    clock.Add(&ConvertTimings::read);
    if (!loaded) {
        err << "tvl3host: " << req.scenePath << ": " << error << "\n";
        return 1;
    }
    for (const std::string& w : warnings) err << "tvl3host: " << req.scenePath << ": warning: " << w << "\n";

    Mtl* reference = nullptr;
    if (!req.referenceName.empty() && !(reference = FindReference(req.referenceName, error))) {
        err << "tvl3host: " << req.scenePath << ": " << error << "\n";
        return 1;
    }

    // What the Add dialog offers: eligible materials in use, not below a Tavelin material.
    MtlConvList& list = TheMtlConverterState().List();
    list.Clear();
    MtlBaseLib inUse;
    CollectMaterialsInUse(inUse);
    for (int i = 0; i < inUse.Count(); ++i)
        if (IsEligible(inUse[i])) list.Append(MtlConvData::Of(inUse[i]));

    RunReport report;
    report.scene = req.scenePath;
    report.output = output;
    report.options = req.options;
    report.reference = req.referenceName;
    report.dryRun = req.dryRun;
    report.warnings = std::move(warnings);

    HostCore& host = HostCore::Get();
    if (!req.quiet) host.SetProgressSink(&progress);
    ReportingObserver observer(report, reference);
    const int undoMark = theHold.NumUndoEntries();
    if (!list.Empty())
        RunMtlConversion(list, req.options, reference, StringTableText(IDS_CONVERT_UNDO),
                         StringTableText(IDS_MTL_CONVERTER), &observer);
    host.SetProgressSink(nullptr);
    clock.Add(&ConvertTimings::materials);

    if (req.lines) {
        LineRunResult lines;
        WStr suffix = WStr::FromUTF8(req.lineSuffix);
        RunLineConversion(suffix.isNull() ? nullptr : suffix.data(), !req.keepLineSources,
                          StringTableText(IDS_CONVERT_UNDO), &lines);
        report.AddLineRun(lines);
    }
    clock.Add(&ConvertTimings::lines);

    // Each run that changed anything is one undo step; undoing them all gives the scene as loaded.
    if (req.undoAfter) {
        bool undone = true;
        while (undone && theHold.NumUndoEntries() > undoMark) undone = host.Undo() != FALSE;
        report.undone = undone;
    }

    // The scene and the JSON report are written all or nothing: both are staged before either is put
    // in place. The report's JSON is made only when it is asked for.
    const std::string json = !req.reportJsonPath.empty() || reportJson ? report.ToJson() : std::string();
    StagedFile scene(output), reportFile(req.reportJsonPath);
    if (!output.empty()) {
        bool written = scene.Write(
            [&](std::ostream& s) {
                WriteScene(
                    [&](const std::string& piece) {
                        s.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                    },
                    showProgress("Writing scene"));
            },
            error);
        progress.OnEnd();
        if (!written) {
            err << "tvl3host: " << output << ": " << error << "\n";
            return 1;
        }
    }
    if (!req.reportJsonPath.empty() && !reportFile.Write([&](std::ostream& s) { s << json; }, error)) {
        err << "tvl3host: " << error << (output.empty() ? "" : "; the scene was not written either") << "\n";
        return 1;
    }
    if ((!output.empty() && !scene.Commit(error)) ||
        (!req.reportJsonPath.empty() && !reportFile.Commit(error))) {
        err << "tvl3host: " << error << "\n";
        return 1;
    }
    report.PrintText(out, req.quiet);
    if (reportJson) *reportJson = json;
    clock.Add(&ConvertTimings::write);
    return 0;
}
