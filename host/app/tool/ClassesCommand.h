#pragma once

#include <ostream>
#include <string>
#include <vector>

// tvl3host classes [NAME] [--markdown]: every class a scene file can name, learnt from a new object of
// each (the class's own block tables): its kind, the fields it takes, its references with what a new
// object holds there, and each block's parameters with their IDs, names, types and defaults. NAME narrows
// it to one class. --markdown prints the page kept as docs/classes.md.
std::string ClassesUsage();
// Answers the exit code: 0, 1 for an unknown class, 2 for a usage error (message on `err`).
int RunClassesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
