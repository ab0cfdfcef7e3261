#pragma once

#include <ostream>
#include <string>
#include <vector>

// tvl3host format: loads a scene and saves it again in its one canonical form, with no run. It brings a
// file written by hand, or by an earlier version, to the form and version the tool writes.
struct FormatRequest {
    std::string scene;
    std::string out;  // the scene itself with --in-place
};

// False with a message for a usage error; with -h or --help, *help is set and nothing else is asked.
bool ParseFormatArgs(const std::vector<std::string>& args, FormatRequest& req, std::string& error,
                     bool* help);
std::string FormatUsage();
// Answers the process exit code: 0, or 1 with one message on err when the scene cannot be read or written.
int RunFormatCommand(const FormatRequest& req, std::ostream& out, std::ostream& err);
