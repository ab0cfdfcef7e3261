#include "ConvertCommand.h"

#include "ClassIds.h"
#include "ConversionRun.h"
#include "LineConversionRun.h"
#include "MtlConverterState.h"
#include "RunReport.h"
#include "SceneFile.h"
#include "TerminalProgress.h"

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

}  // namespace

int RunConvertCommand(const ConvertRequest& req, std::ostream& out, std::ostream& err) {
    std::string error;
    if (!LoadScene(req.scenePath, error)) {
        err << "tvl3host: " << req.scenePath << ": " << error << "\n";
        return 1;
    }

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
    report.output = req.dryRun ? std::string() : req.outputPath;
    report.options = req.options;
    report.reference = req.referenceName;
    report.dryRun = req.dryRun;

    TerminalProgress progress(stderr);
    HostCore& host = HostCore::Get();
    if (!req.quiet) host.SetProgressSink(&progress);
    ReportingObserver observer(report);
    const int undoMark = theHold.NumUndoEntries();
    if (!list.Empty()) RunMtlConversion(list, req.options, reference, &observer);
    host.SetProgressSink(nullptr);

    if (req.lines) {
        LineRunResult lines;
        WStr suffix = WStr::FromUTF8(req.lineSuffix);
        RunLineConversion(suffix.isNull() ? nullptr : suffix.data(), !req.keepLineSources, &lines);
        report.AddLineRun(lines);
    }

    // Each run that changed anything is one undo step; undoing them all gives the scene as loaded.
    if (req.undoAfter) {
        bool undone = true;
        while (undone && theHold.NumUndoEntries() > undoMark) undone = host.Undo() != FALSE;
        report.undone = undone;
    }

    if (!req.dryRun && !SaveScene(req.outputPath, error)) {
        err << "tvl3host: " << req.outputPath << ": " << error << "\n";
        return 1;
    }
    report.PrintText(out, req.quiet);
    if (!req.reportJsonPath.empty() && !WriteFileWhole(req.reportJsonPath, report.ToJson(), error)) {
        err << "tvl3host: " << error << "\n";
        return 1;
    }
    return 0;
}
