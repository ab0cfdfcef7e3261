#pragma once

#include "SceneModel.h"

// Replaces the host's scene with the checked model: resets the scene (as for opening a file), makes
// the nodes and objects and sets everything the file gives. Nothing it does is recorded for undo.
void BuildScene(const SceneModel& model);
