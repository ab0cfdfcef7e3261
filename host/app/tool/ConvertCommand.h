#pragma once

#include <ostream>
#include <string>

#include "ConvertOptions.h"

// Processor seconds spent in each phase of a convert command.
// Seconds of one phase: processor time of every thread, and time on the clock.
struct PhaseTime {
    double cpu = 0;
    double wall = 0;
};

struct ConvertTimings {
    PhaseTime read;       // reading, checking and building the scene
    PhaseTime materials;  // listing and the material run
    PhaseTime lines;      // the line run
    PhaseTime write;      // undoing (--undo) and writing the scene and the report
};

// Converts one scene, req.scenePath: loads it, lists every material the material converter's Add dialog
// would offer, runs the material conversion and the line conversion, writes the converted scene and the
// JSON report (both or neither) and prints the report. Answers the process exit code; `reportJson`, when
// given, receives the report as JSON.
int RunConvertCommand(const ConvertRequest& req, std::ostream& out, std::ostream& err,
                      ConvertTimings* timings = nullptr, std::string* reportJson = nullptr);

// The whole command: one scene as above, or each scene file of the inputs (folders stand for the .json
// files in them) on its own, req.jobs at once in processes of `tool` (the tvl3host program), each
// written to --out-dir or over itself; then a line per scene and, with --report-json, one report of all.
// Answers 1 when any scene failed.
int RunConvertBatch(const ConvertRequest& req, const std::string& tool, std::ostream& out, std::ostream& err);
