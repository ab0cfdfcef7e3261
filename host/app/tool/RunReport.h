#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ConversionRun.h"
#include "LineConversionRun.h"

// What a run did, material by material, as the tool prints it and writes it as JSON.
struct MaterialReport {
    std::string name;
    std::string className;
    MtlRunOutcome outcome = MtlRunOutcome::NotInUse;
    std::string resultClass;  // for converted materials
    int zones = 0;
    int strokes = 0;
};

// What a line run did with one effect of the render-effect list.
struct LineEffectReport {
    std::string name;
    std::string outcome;  // "converted", "not-converted" (a Tavelin 2 line effect that could not be), "other"
    std::string newName;
    int lineSets = 0;
    bool active = false;
    bool sourceDeleted = false;
};

struct RunReport {
    std::string scene;
    std::string output;  // empty for a dry run
    ConversionOptions options = 0;
    std::string reference;
    bool dryRun = false;
    bool undone = false;
    std::vector<MaterialReport> materials;
    bool linesRun = false;
    std::vector<LineEffectReport> lineEffects;

    // Adds what a line run reports.
    void AddLineRun(const LineRunResult& result);

    int Count(MtlRunOutcome o) const;
    void PrintText(std::ostream& out, bool quiet) const;
    void PrintLineEffects(std::ostream& out, bool quiet) const;
    std::string ToJson() const;
};

const char* OutcomeName(MtlRunOutcome o);

// Collects the report of each entry as the run goes.
class ReportingObserver : public MtlRunObserver {
public:
    explicit ReportingObserver(RunReport& report) : report_(report) {}
    void OnEntry(const MtlConvData& entry, MtlRunOutcome outcome, Mtl* result) override;

private:
    RunReport& report_;
};
