#pragma once

#include "SceneModel.h"

// Checks what the reader could not check value by value: each id names one node or object, each use
// names something of the right kind, the references form no loop, and every object is used by the
// scene. Fills the model's build order. Fails with SceneError.
void CheckScene(SceneModel& model);
