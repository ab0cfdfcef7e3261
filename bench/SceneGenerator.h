#pragma once

#include <string>

// Large scene files for benchmarks: the sample scene repeated `copies` times side by side. Each copy gets
// its own ids (every id of copy c is offset by c times the sample's largest id plus one), its own nodes,
// objects and line effects; the editor slots are the first copy's. Answers the file's text, not yet in
// the host's canonical form (loading and saving it gives that).
std::string RepeatSceneText(const std::string& sampleText, int copies);

// The number of materials the sample lists for the material run, so that a target count of listed
// materials gives the number of copies.
int ListedMaterialsPerCopy();
