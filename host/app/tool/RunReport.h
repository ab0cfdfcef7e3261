#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ConversionRun.h"

// What a run did, material by material, as the tool prints it and writes it as JSON.
struct MaterialReport {
    std::string name;
    std::string className;
    MtlRunOutcome outcome = MtlRunOutcome::NotInUse;
    std::string resultClass;  // for converted materials
    int zones = 0;
    int strokes = 0;
};

struct RunReport {
    std::string scene;
    std::string output;  // empty for a dry run
    ConversionOptions options = 0;
    std::string reference;
    bool dryRun = false;
    bool undone = false;
    std::vector<MaterialReport> materials;

    int Count(MtlRunOutcome o) const;
    void PrintText(std::ostream& out, bool quiet) const;
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
