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
    std::string
        reason;  // why it was not converted, or why it got no zones; empty when there is nothing to say
};

// What a line run did with one effect of the render-effect list.
struct LineEffectReport {
    std::string name;
    std::string outcome;  // "converted", "not-converted" (a Tavelin 2 line effect that could not be), "other"
    std::string reason;   // why it was not converted or left alone
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
    std::vector<std::string> warnings;  // values the scene file sets that do not count, as "place: what"
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

// The names of the options set in the word, in the panel's order (the tool's flags without "--").
std::vector<std::string> OptionNames(ConversionOptions options);

// Collects the report of each entry as the run goes; the run's reference material, if any, tells why a
// material got no zones.
class ReportingObserver : public MtlRunObserver {
public:
    explicit ReportingObserver(RunReport& report, Mtl* reference = nullptr)
        : report_(report), reference_(reference) {}
    void OnEntry(const MtlConvData& entry, MtlRunOutcome outcome, Mtl* result) override;

private:
    RunReport& report_;
    Mtl* reference_;
};
