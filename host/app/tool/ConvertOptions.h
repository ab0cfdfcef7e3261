#pragma once

#include <string>
#include <vector>

#include "ConversionOptions.h"
#include "MtlPanelStates.h"

// What `tvl3host convert` was asked to do.
struct ConvertRequest {
    std::vector<std::string> inputs;  // scene files and folders of them, as given
    std::string scenePath;            // the scene converted now (the first input, or one file of a batch)
    std::string outputPath;           // -o: the output of a single scene
    std::string outDir;               // --out-dir: each output there, under its scene's file name
    bool inPlace = false;             // each output replaces its scene
    int jobs = 1;                     // scenes converted at once, each by a process of its own
    std::string reportJsonPath;
    ConversionOptions options = kDefaultConversionOptions;
    std::string referenceName;     // empty: automatic zones
    bool lines = true;             // also convert the Tavelin 2 line effects
    bool keepLineSources = false;  // keep the converted Tavelin 2 line effects in the list
    std::string lineSuffix;        // appended to new effect names; empty: "Tavelin 2" becomes "Tavelin 3"
    bool dryRun = false;
    bool undoAfter = false;  // write the scene as undoing the run leaves it
    bool quiet = false;
};

// Parses the arguments after "convert". Answers false with a message on a usage error. "--help" answers
// true with `help` set.
bool ParseConvertArgs(const std::vector<std::string>& args, ConvertRequest& req, std::string& error,
                      bool* help = nullptr);

std::string ConvertUsage();
