#pragma once

#include <string>
#include <vector>

#include "SceneModel.h"

// Replaces the host's scene with the checked model: resets the scene (as for opening a file), makes
// the nodes and objects and sets everything the file gives. Nothing it does is recorded for undo.
// `warnings`, when given, receives "place: what" for each value the file sets that does not count.
void BuildScene(const SceneModel& model, std::vector<std::string>* warnings = nullptr);
