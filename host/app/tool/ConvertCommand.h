#pragma once

#include <ostream>

#include "ConvertOptions.h"

// Loads the scene, lists every material the material converter's Add dialog would offer, runs the
// material conversion, writes the converted scene and reports. Answers the process exit code.
int RunConvertCommand(const ConvertRequest& req, std::ostream& out, std::ostream& err);
