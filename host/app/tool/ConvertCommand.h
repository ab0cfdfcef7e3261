#pragma once

#include <ostream>
#include <string>

#include "ConvertOptions.h"

// Processor seconds spent in each phase of a convert command.
struct ConvertTimings {
    double read = 0;       // reading, checking and building the scene
    double materials = 0;  // listing and the material run
    double lines = 0;      // the line run
    double write = 0;      // undoing (--undo) and writing the scene and the report
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
